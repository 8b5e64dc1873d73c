// veldtrak-tool keeps a worksheet's answers (what a black box holds, the link passwords)
// for the teacher, who proves it with the teacher-mode password; and the command that
// sets that password takes it from the terminal or standard input, never the command line.
#include "RunTool.h"

#include "annotations/AnnotationClasses.h"
#include "document/BoardArchive.h"
#include "document/BoardJson.h"
#include "document/Document.h"
#include "platform/Paths.h"
#include "platform/TeacherPassword.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kBlackbox = QStringLiteral(VT_SHIPPED_FOLDER "/blackbox/blackbox1.wks");
const QString kPassword = QStringLiteral("Ohm 1827 wet");

class TeacherAccessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        SetProgramFolder(m_dir.path());
        SetTeacherPasswordFile(Path("docent.wachtwoord"));
        RegisterBoardClasses();
        RegisterAnnotationClasses();
    }
    void TearDown() override
    {
        SetTeacherPasswordFile(QString());
        SetProgramFolder(QString());
        QDir::setCurrent(m_previous);
    }
    QString Path(const QString& name) const { return m_dir.path() + u'/' + name; }
    void Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    int Run(const QStringList& arguments) { return RunTool(arguments, m_out, m_err); }

    // veldtrak-tool copied into a folder of its own, as a portable unpack: its password
    // file is beside it. Runs with 'input' on standard input.
    int RunCopy(const QStringList& arguments, const QByteArray& input)
    {
        const QString copy = Path("programma/veldtrak-tool");
        if (!QFileInfo::exists(copy)) {
            QDir().mkpath(Path("programma"));
            EXPECT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + "/veldtrak-tool", copy));
        }
        QProcess tool;
        tool.start(copy, arguments);
        tool.write(input);
        tool.closeWriteChannel();
        EXPECT_TRUE(tool.waitForFinished(60000));
        m_out = QString::fromUtf8(tool.readAllStandardOutput());
        m_err = QString::fromUtf8(tool.readAllStandardError());
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }

    QTemporaryDir m_dir;
    QString m_previous;
    QString m_out, m_err;
};

TEST_F(TeacherAccessTest, WithoutTheTeacherPasswordABlackboxIsABlackboxAndThePasswordsStayOut)
{
    ASSERT_EQ(WriteTeacherPassword(Path("docent.wachtwoord"), kPassword), QString());
    Write("goed", kPassword.toUtf8() + '\n');
    const QString json = Path("bord.json");
    const struct {
        const char* name;
        QStringList arguments;
        QString shown;  // a line, or for export a text, that must be there
        QString hidden; // and one that must not
    } cases[] = {
        {"info", {"info", kBlackbox}, "component 2: blackbox \"?\" (900,-950) bussen 5 6 7\n", "XOF"},
        {"info, geen wachtwoorden", {"info", kBlackbox}, "bord: titel=", "h9xn9ax"},
        {"info als docent", {"info", "--docent-bestand", Path("goed"), kBlackbox},
         "component 2: CXOFpoort \"XOF-poort\" (", "blackbox \""},
        {"info als docent, wachtwoorden", {"info", kBlackbox, "--docent-bestand", Path("goed")},
         "wachtwoorden: vorig=\"\" volgend=\"h9xn9ax\"\n", "component 2: blackbox"},
        {"run", {"run", kBlackbox, "--ticks", "3"}, "\n2 blackbox ", "CXOFpoort"},
        {"run als docent", {"run", "--docent-bestand", Path("goed"), kBlackbox, "--ticks", "3"},
         "\n2 CXOFpoort ", "blackbox"},
        {"export", {"export", kBlackbox, json}, "\"class\": \"blackbox\"", "Password"},
        {"export, niets over de poort", {"export", kBlackbox, json}, "\"blackboxLabel\": \"?\"", "XOF"},
        {"export als docent", {"export", "--docent-bestand", Path("goed"), kBlackbox, json},
         "\"nextPassword\": \"h9xn9ax\"", "\"blackbox\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(json);
        ASSERT_EQ(Run(c.arguments), 0) << m_err.toStdString();
        const QString shown = c.arguments[0] == u"export" ? QString::fromUtf8(Read(json)) : m_out;
        EXPECT_TRUE(shown.contains(c.shown)) << shown.toStdString();
        EXPECT_FALSE(shown.contains(c.hidden)) << shown.toStdString();
        EXPECT_EQ(m_err, QString());
    }
}

TEST_F(TeacherAccessTest, TheTeachersExportGivesTheBoardBackAndThePupilsCannotPassForIt)
{
    ASSERT_EQ(WriteTeacherPassword(Path("docent.wachtwoord"), kPassword), QString());
    Write("goed", kPassword.toUtf8() + "\r\n"); // a file written on Windows
    ASSERT_EQ(Run({"export", "--docent-bestand", Path("goed"), kBlackbox, Path("docent.json")}), 0)
        << m_err.toStdString();
    ASSERT_EQ(Run({"import", Path("docent.json"), Path("terug.wks")}), 0) << m_err.toStdString();
    EXPECT_EQ(Read(Path("terug.wks")), Read(kBlackbox));

    ASSERT_EQ(Run({"export", kBlackbox, Path("leerling.json")}), 0);
    EXPECT_EQ(Run({"import", Path("leerling.json"), Path("leerling.wks")}), 1);
    EXPECT_TRUE(m_err.contains("components[2].class")) << m_err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("leerling.wks")));
}

TEST_F(TeacherAccessTest, AWrongOrMissingTeacherPasswordShowsNothing)
{
    Write("fout", "ohm 1827 wet\n");
    Write("goed", kPassword.toUtf8());
    const struct {
        const char* name;
        bool setUp;
        QStringList arguments;
        int status;
        QString message;
    } cases[] = {
        {"onjuist", true, {"info", "--docent-bestand", Path("fout"), kBlackbox}, 1,
         "Het docentwachtwoord is onjuist.\n"},
        {"niet ingesteld", false, {"info", "--docent-bestand", Path("goed"), kBlackbox}, 2,
         "Het docentwachtwoord is niet ingesteld of onbruikbaar; de beheerder stelt het in met: "
         "veldtrak-tool docentwachtwoord.\n"},
        {"geen bestand", true, {"export", "--docent-bestand", Path("weg"), kBlackbox, Path("x.json")}, 2,
         "Het docentwachtwoord kon niet worden gelezen uit '" + Path("weg") + "'.\n"},
        {"een map", true, {"run", "--docent-bestand", m_dir.path(), kBlackbox, "--ticks", "1"}, 2,
         "Het docentwachtwoord kon niet worden gelezen uit '" + m_dir.path() + "'.\n"},
        {"optie zonder bestand", true, {"info", kBlackbox, "--docent-bestand"}, 2,
         "Het docentwachtwoord kon niet worden gelezen uit ''.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Path("docent.wachtwoord"));
        if (c.setUp) {
            ASSERT_EQ(WriteTeacherPassword(Path("docent.wachtwoord"), kPassword), QString());
        }
        EXPECT_EQ(Run(c.arguments), c.status);
        EXPECT_EQ(m_err, c.message);
        EXPECT_EQ(m_out, QString());
        EXPECT_FALSE(QFileInfo::exists(Path("x.json")));
    }
}

TEST_F(TeacherAccessTest, TheAdministratorSetsThePasswordFromStandardInputNeverTheCommandLine)
{
    const QString file = Path("programma/docent.wachtwoord");
    EXPECT_EQ(RunCopy({"docentwachtwoord", kPassword}, {}), 2);
    EXPECT_TRUE(m_err.contains("geef het niet op de opdrachtregel")) << m_err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));

    EXPECT_EQ(RunCopy({"docentwachtwoord"}, "kort\n"), 1);
    EXPECT_EQ(m_err, "Een docentwachtwoord heeft minstens 8 tekens. Er is niets veranderd.\n");
    EXPECT_EQ(RunCopy({"docentwachtwoord"}, {}), 1);
    EXPECT_EQ(m_err, "Geen wachtwoord gelezen; er is niets veranderd.\n");
    EXPECT_FALSE(QFileInfo::exists(file));

    ASSERT_EQ(RunCopy({"docentwachtwoord"}, kPassword.toUtf8() + '\n'), 0) << m_err.toStdString();
    EXPECT_EQ(m_out, "Het docentwachtwoord is ingesteld (" + file + ").\n");
    EXPECT_FALSE(Read(file).contains(kPassword.toUtf8()));

    // The teacher types it when the tool asks (here on standard input).
    ASSERT_EQ(RunCopy({"info", "--docent", kBlackbox}, kPassword.toUtf8() + '\n'), 0)
        << m_err.toStdString();
    EXPECT_TRUE(m_out.contains("component 2: CXOFpoort")) << m_out.toStdString();
    EXPECT_EQ(RunCopy({"info", "--docent", kBlackbox}, "iets anders\n"), 1);
    EXPECT_EQ(m_out, QString());
}

} // namespace
