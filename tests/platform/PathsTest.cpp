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

} // namespace
