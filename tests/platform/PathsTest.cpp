#include "platform/Paths.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("Invoer en Uitvoer/Sub"));
        QFile file(m_dir.path() + QStringLiteral("/Invoer en Uitvoer/Sub/Invoer.WKS"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

    QTemporaryDir m_dir;
    QString m_previous;
};

TEST_F(PathsTest, WindowsNamesFindFilesIgnoringCase)
{
    const QString expected = m_dir.path() + QStringLiteral("/Invoer en Uitvoer/Sub/Invoer.WKS");
    EXPECT_EQ(FileSystemPath(QStringLiteral("invoer en uitvoer\\sub\\invoer.wks")), expected);
    EXPECT_TRUE(NameExists(QStringLiteral("INVOER EN UITVOER\\SUB\\INVOER.wks")));
    EXPECT_TRUE(NameExists(WindowsName(expected))) << "absolute names convert back";
    EXPECT_TRUE(FolderExists(QStringLiteral("invoer en uitvoer\\")));
    EXPECT_FALSE(NameExists(QStringLiteral("invoer en uitvoer\\sub\\uitvoer.wks")));
    EXPECT_FALSE(NameExists(QStringLiteral("D:\\werk\\test.wks"))) << "drives cannot exist here";
    EXPECT_FALSE(NameExists(QString()));
}

TEST_F(PathsTest, MissingTailKeepsTheFoundPrefix)
{
    EXPECT_EQ(FileSystemPath(QStringLiteral("INVOER EN UITVOER\\nieuw\\bord.wks")),
              m_dir.path() + QStringLiteral("/Invoer en Uitvoer/nieuw/bord.wks"));
}

TEST_F(PathsTest, AbsoluteNames)
{
    EXPECT_TRUE(IsAbsoluteName(QStringLiteral("\\home\\juf\\bord.wks")));
    EXPECT_TRUE(IsAbsoluteName(QStringLiteral("/home/juf/bord.wks")));
    EXPECT_TRUE(IsAbsoluteName(QStringLiteral("D:\\werk")));
    EXPECT_FALSE(IsAbsoluteName(QStringLiteral("leerling\\")));
}

TEST_F(PathsTest, ProgramFolderEndsInBackslash)
{
    SetProgramFolder(m_dir.path());
    EXPECT_EQ(ProgramFolder(), WindowsName(m_dir.path()) + u'\\');
    SetProgramFolder(QString());
}

bool Writable(const QString&) { return true; }
bool ReadOnly(const QString&) { return false; }

TEST(ProgramFolderTest, AnInstallWithoutWriteAccessGetsAPerUserCopy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString bin = dir.path() + QStringLiteral("/usr/bin");
    const QString installed = dir.path() + QStringLiteral("/usr/share/veldtrak");
    const QString user = dir.path() + QStringLiteral("/home/.local/share/veldtrak");
    QDir().mkpath(bin);
    // The build tree or a portable unpack: the executable's own folder.
    EXPECT_EQ(ProgramFolderFor(bin, user, &Writable), bin);
    EXPECT_EQ(ProgramFolderFor(bin, user, &ReadOnly), user);

    QDir().mkpath(installed + QStringLiteral("/praktisch"));
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(installed + QStringLiteral("/praktisch/auto_licht.wks"), "nieuw");
    write(installed + QStringLiteral("/zoemer.wav"), "geluid");
    QFile::setPermissions(installed + QStringLiteral("/zoemer.wav"), QFile::ReadOwner | QFile::ReadOther);
    EXPECT_EQ(ProgramFolderFor(bin, user, &Writable), QDir::cleanPath(installed));
    EXPECT_FALSE(QFileInfo::exists(user)) << "a writable install is used as it is";

    EXPECT_EQ(ProgramFolderFor(bin, user, &ReadOnly), user);
    EXPECT_TRUE(QFileInfo::exists(user + QStringLiteral("/praktisch/auto_licht.wks")));
    EXPECT_TRUE(QFileInfo(user + QStringLiteral("/zoemer.wav")).permissions() & QFile::WriteOwner);

    // A later start adds what is new and keeps what the user has (settings, boards).
    write(user + QStringLiteral("/praktisch/auto_licht.wks"), "van de leerling");
    write(installed + QStringLiteral("/praktisch/verkeerslicht.wks"), "erbij");
    EXPECT_EQ(ProgramFolderFor(bin, user, &ReadOnly), user);
    QFile kept(user + QStringLiteral("/praktisch/auto_licht.wks"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("van de leerling"));
    EXPECT_TRUE(QFileInfo::exists(user + QStringLiteral("/praktisch/verkeerslicht.wks")));
}

} // namespace
