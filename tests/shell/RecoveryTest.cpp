// A pupil's board survives a program that ends abnormally: while the board is
// modified a recovery copy is kept, the next start offers it back as a modified board
// under its own name, and after a normal end nothing is asked.
#include "AppFixture.h"
#include "document/Recovery.h"
#include "shell/RecoveryPrompt.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <thread>

namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;

class RecoveryTest : public AppFixture {
protected:
    QString RecoveryFolder() const { return CRecoveryKeeper::Folder(); }
    QStringList Copies() const { return QDir(RecoveryFolder()).entryList(QDir::Files); }

    // Lets the program's timers run until the condition holds (or 20 s have passed).
    template <class Condition>
    static bool RunUntil(Condition condition)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition() && clock.elapsed() < 20000)
            QTest::qWait(20);
        return condition();
    }
};

// Run in a child process only: the program opens the board named in the environment,
// the pupil adds a gate, and the program works on until it is killed.
TEST_F(RecoveryTest, DISABLED_WorksUntilKilled)
{
    Start({qEnvironmentVariable("VT_CHILD_BOARD")});
    PlaceOnBoard(3, 1500, -1500);
    ASSERT_TRUE(RunUntil([&] { return QFileInfo::exists(app->Recovery()->NameFile()); }));
    for (;;)
        QTest::qWait(100);
}

TEST_F(RecoveryTest, AKilledProgramsBoardIsOfferedBackAtTheNextStart)
{
    WriteWorksheet("klas/proef.wks", "Proef");
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VT_RECOVERY_DIR"), RecoveryFolder());
    environment.insert(QStringLiteral("VT_CHILD_BOARD"), Path(QStringLiteral("klas/proef.wks")));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=RecoveryTest.DISABLED_WorksUntilKilled")});
    ASSERT_TRUE(child.waitForStarted());
    const QString copy = QStringLiteral("herstel-%1.naam").arg(child.processId());
    ASSERT_TRUE(RunUntil([&] { return Copies().contains(copy); })) << child.readAll().toStdString();
    child.kill(); // as a power cut would end it
    ASSERT_TRUE(child.waitForFinished());

    ScriptedModals user;
    user.Then([](QDialog& box) {
        EXPECT_EQ(ScriptedModals::LabelTexts(box).join(u' ').left(38),
                  QStringLiteral("Het programma is niet goed afgesloten."));
        return kYes;
    });
    Start();
    ASSERT_TRUE(RunUntil([&] { return user.Opened() == 1; }));
    EXPECT_EQ(user.Titles(), QStringList{QStringLiteral("Bevestig")});
    ASSERT_EQ(Doc().m_components.size(), 2u) << "the worksheet's inverter and the pupil's gate";
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPathName(), Stored(QStringLiteral("klas/proef.wks")));
    EXPECT_TRUE(Frame()->windowTitle().startsWith(QStringLiteral("proef.wks")))
        << Frame()->windowTitle().toStdString();
    EXPECT_FALSE(Doc().m_bStartImagesShown) << "the board shows, not the start menu";
    EXPECT_FALSE(Copies().contains(copy)) << "the offered copy is gone";

    // A normal end after that: the next start asks nothing.
    app.reset();
    EXPECT_EQ(Copies(), QStringList());
    ScriptedModals quiet;
    Start();
    QTest::qWait(50);
    EXPECT_EQ(quiet.Opened(), 0);
}

TEST_F(RecoveryTest, TheCopyFollowsTheBoardAndGoesWithASave)
{
    ScriptedModals nobody;
    Start();
    CRecoveryKeeper& keeper = *app->Recovery();
    keeper.Poll();
    keeper.Wait();
    EXPECT_EQ(Copies(), QStringList()) << "an unchanged board has no copy";

    PlaceOnBoard(3, 500, -500);
    keeper.Poll();
    keeper.Wait();
    ASSERT_TRUE(QFileInfo::exists(keeper.NameFile()));
    const QByteArray first = ReadFile(QStringLiteral("herstel/") + QFileInfo(keeper.BoardFile()).fileName());
    EXPECT_EQ(first, WriteBoard(Doc()));

    // Within the half minute a change waits for the next copy...
    PlaceOnBoard(6, 1500, -500);
    keeper.Poll();
    keeper.Wait();
    EXPECT_EQ(ReadFile(QStringLiteral("herstel/") + QFileInfo(keeper.BoardFile()).fileName()), first);
    // ...but the end of a measurement writes it at once.
    Run(ID_MEASURE_START);
    Run(ID_MEASURE_STOP);
    keeper.Wait();
    EXPECT_EQ(ReadFile(QStringLiteral("herstel/") + QFileInfo(keeper.BoardFile()).fileName()),
              WriteBoard(Doc()));

    // Saved: the copy goes.
    ScriptedModals user;
    Doc().m_strFolderOutput.clear();
    EXPECT_TRUE(Doc().OnSaveDocument(Stored(QStringLiteral("bord.wks"))));
    keeper.Poll();
    EXPECT_EQ(Copies(), QStringList());
}

TEST_F(RecoveryTest, NeeGivesTheCopyUp)
{
    // A copy as a program that is gone left it (no process has number 0x7FFFFFF0).
    WriteWorksheet("herstel/herstel-2147483632.wks", "Weg");
    WriteFile(QStringLiteral("herstel/herstel-2147483632.naam"), "C:\\klas\\weg.wks");
    ScriptedModals user;
    user.Answer(kNo);
    Start();
    ASSERT_TRUE(RunUntil([&] { return user.Opened() == 1; }));
    EXPECT_TRUE(Doc().m_components.empty());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Copies(), QStringList());
}

TEST(RecoveryQuestionTest, SaysWhenTheBoardWasKept)
{
    const QDateTime now(QDate(2026, 12, 10), QTime(14, 5));
    EXPECT_EQ(RecoveryQuestion(QDateTime(QDate(2026, 12, 10), QTime(9, 41)), now),
              QStringLiteral("Het programma is niet goed afgesloten. Wil je het bord van 09:41 terughalen?"));
    EXPECT_EQ(RecoveryQuestion(QDateTime(QDate(2026, 12, 3), QTime(13, 2)), now),
              QStringLiteral("Het programma is niet goed afgesloten. Wil je het bord van 3 december 13:02 terughalen?"));
}

} // namespace
