// The teacher-mode password file: where it lives for an installed program and for one
// in a folder of its own, and what it keeps (a salted hash that only the password fits).
#include "platform/TeacherPassword.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

class TeacherPasswordTest : public ::testing::Test {
protected:
    QString Path(const QString& relative) const { return m_dir.path() + u'/' + relative; }
    void Write(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& relative) const
    {
        QFile file(Path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

TEST_F(TeacherPasswordTest, AnInstalledProgramKeepsItSystemWideAndAnyOtherBesideTheProgram)
{
    const QString system = QStringLiteral("/etc/veldtrak/docent.wachtwoord");
    QDir().mkpath(Path("usr/bin"));
    QDir().mkpath(Path("usr/share/veldtrak"));
    QDir().mkpath(Path("portable"));
    // The installed program's per-user program folder exists too: it never holds the password.
    QDir().mkpath(Path("home/.local/share/veldtrak"));
    EXPECT_EQ(TeacherPasswordFileFor(Path("usr/bin"), system), system);
    EXPECT_EQ(TeacherPasswordFileFor(Path("portable"), system), Path("portable/docent.wachtwoord"));
    EXPECT_EQ(TeacherPasswordFileFor(Path("portable/"), system), Path("portable/docent.wachtwoord"));
    EXPECT_EQ(SystemTeacherPasswordFile(), system) << "the build's default";
}

TEST_F(TeacherPasswordTest, OnlyThePasswordFitsItsSaltedHash)
{
    const QString password = QStringLiteral("Ohm-wet 2026 ë");
    ASSERT_EQ(WriteTeacherPassword(Path("map/docent.wachtwoord"), password), QString());
    const QByteArray first = Read("map/docent.wachtwoord");
    EXPECT_TRUE(first.startsWith("$argon2id$")) << first.constData();
    EXPECT_FALSE(first.contains(password.toUtf8()));
    EXPECT_EQ(QFile::permissions(Path("map/docent.wachtwoord")),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                  QFile::ReadGroup | QFile::ReadOther);

    const CStoredTeacherPassword stored = ReadTeacherPassword(Path("map/docent.wachtwoord"));
    ASSERT_EQ(stored.state, TeacherPasswordState::Set);
    EXPECT_TRUE(TeacherPasswordMatches(stored, password));
    for (const QString& wrong : {QString(), QStringLiteral("Ohm-wet 2026 e"),
                                 QStringLiteral("ohm-wet 2026 ë"), password + u' ', password.left(8)})
        EXPECT_FALSE(TeacherPasswordMatches(stored, wrong)) << wrong.toStdString();

    // Salted: the same password stored again gives another hash that it fits as well.
    ASSERT_EQ(WriteTeacherPassword(Path("map/docent.wachtwoord"), password), QString());
    EXPECT_NE(Read("map/docent.wachtwoord"), first);
    EXPECT_TRUE(TeacherPasswordMatches(ReadTeacherPassword(Path("map/docent.wachtwoord")), password));
}

TEST_F(TeacherPasswordTest, AShortPasswordIsRefusedAndTheOldOneStays)
{
    ASSERT_EQ(WriteTeacherPassword(Path("docent.wachtwoord"), QStringLiteral("lang genoeg")), QString());
    const QByteArray before = Read("docent.wachtwoord");
    EXPECT_EQ(WriteTeacherPassword(Path("docent.wachtwoord"), QStringLiteral("kort")),
              QStringLiteral("Een docentwachtwoord heeft minstens 8 tekens."));
    EXPECT_EQ(Read("docent.wachtwoord"), before);
}

TEST_F(TeacherPasswordTest, AFileThatHoldsNoHashOrThatAnyoneMayChangeIsUnusable)
{
    EXPECT_EQ(ReadTeacherPassword(Path("geen.wachtwoord")).state, TeacherPasswordState::Missing);
    ASSERT_EQ(WriteTeacherPassword(Path("goed"), QStringLiteral("lang genoeg")), QString());
    const QByteArray hash = Read("goed");
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"leeg", {}},
        {"platte tekst", "lang genoeg\n"},
        {"afgekapt", hash.left(40)},
        {"te lang", hash.trimmed() + QByteArray(200, 'A') + '\n'},
        {"groot", hash + QByteArray(100000, '\n')},
        {"nul", QByteArray("$argon2id$\0v=19", 15) + hash.mid(15)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.name, c.bytes);
        const CStoredTeacherPassword stored = ReadTeacherPassword(Path(c.name));
        EXPECT_EQ(stored.state, TeacherPasswordState::Unusable);
        EXPECT_FALSE(TeacherPasswordMatches(stored, QStringLiteral("lang genoeg")));
    }
    // A folder or a pipe by that name is no file to read.
    QDir().mkpath(Path("map"));
    EXPECT_EQ(ReadTeacherPassword(Path("map")).state, TeacherPasswordState::Unusable);
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pijp")).constData(), 0644), 0);
    EXPECT_EQ(ReadTeacherPassword(Path("pijp")).state, TeacherPasswordState::Unusable);

    // The right hash, but anyone could have put it there.
    QFile::setPermissions(Path("goed"), QFile::permissions(Path("goed")) | QFile::WriteOther);
    EXPECT_EQ(ReadTeacherPassword(Path("goed")).state, TeacherPasswordState::Unusable);
}

TEST_F(TeacherPasswordTest, OnlyWhoMayWriteTheFolderSetsThePassword)
{
    if (IsAdministrator()) {
        RunThisTestUnprivileged();
        return;
    }
    QDir().mkpath(Path("beheer"));
    ASSERT_EQ(WriteTeacherPassword(Path("beheer/docent.wachtwoord"), QStringLiteral("lang genoeg")),
              QString());
    QFile::setPermissions(Path("beheer/docent.wachtwoord"), QFile::ReadOwner | QFile::ReadOther);
    QFile::setPermissions(Path("beheer"), QFile::ReadOwner | QFile::ExeOwner);
    const QString problem =
        WriteTeacherPassword(Path("beheer/docent.wachtwoord"), QStringLiteral("van een leerling"));
    QFile::setPermissions(Path("beheer"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(problem, QStringLiteral("Geen toestemming om %1 te schrijven.")
                           .arg(Path("beheer/docent.wachtwoord")));
    EXPECT_TRUE(TeacherPasswordMatches(ReadTeacherPassword(Path("beheer/docent.wachtwoord")),
                                       QStringLiteral("lang genoeg")));
}

} // namespace
