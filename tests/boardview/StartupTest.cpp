// From the start-up timer to the start menu, and the start menu's buttons.
#include "BoardViewFixture.h"

#include "boardview/StartupImages.h"
#include "platform/Clock.h"
#include "support/ScriptedModals.h"

#include <QScrollBar>

namespace {

class StartupTest : public BoardViewFixture {
protected:
    void WriteMenuWorksheets()
    {
        WriteWorksheet("invoer en uitvoer/invoer.wks", "Invoer");
        WriteWorksheet("praktisch/auto_licht.wks", "Autolicht");
        WriteWorksheet("blackbox/blackbox1.wks", "Blackbox");
    }
    // Runs the start-up sequence as the timer would, logging hints and pauses.
    void RunStartup()
    {
        CHintLog hints(log);
        doc->AddView(&hints);
        auto previous = SetPauseHandler([this](int ms) { log << QStringLiteral("pause %1").arg(ms); });
        view->OnTimer(CBoardView::kStartupTimer);
        SetPauseHandler(std::move(previous));
        doc->RemoveView(&hints);
    }
    QPoint ButtonCentre(int button)
    {
        const CRect hot = kStartMenuHotAreas[std::size_t(button - 1)];
        return StartImageCorner() + QPoint((hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2);
    }

    QStringList log;
};

TEST_F(StartupTest, ShowsTheImagesWhileReadingTheLibraryAndEndsAtTheStartMenu)
{
    WriteMenuWorksheets();
    ShowView(QSize(900, 700));
    doc->m_bBusy = true;
    RunStartup();

    EXPECT_EQ(log, QStringList({"hint 15 1", "pause 750", "hint 15 2", "pause 750", "hint 15 3",
                                "pause 1500", "hint 18 0", "hint 18 1", "hint 18 2", "hint 15 4"}));
    EXPECT_FALSE(view->IsTimerActive(CBoardView::kStartupTimer));
    EXPECT_EQ(view->Mode(), MODE_STARTUP);
    EXPECT_EQ(view->StartImage(), kStartMenuImage);
    EXPECT_TRUE(doc->m_bStartImagesShown);
    EXPECT_FALSE(view->verticalScrollBar()->isEnabled());
    EXPECT_TRUE(doc->m_bBusy) << "no command runs over the start menu";

    // The menu is on the surface, framed, at its size.
    const QPoint corner = StartImageCorner();
    const QImage& menu = StartupImage(kStartMenuImage);
    EXPECT_EQ(view->Surface().copy(QRect(corner, menu.size())), menu);
}

TEST_F(StartupTest, ProgressLineIsWrittenInsideTheLowerEdgeOfTheImage)
{
    WriteWorksheet("praktisch/een_heel_lang_werkblad.wks", "Lang");
    ShowView(QSize(900, 700));
    // Look at the surface when the line for the file has been drawn.
    CSurfaceAtHint snapshot(*view, HINT_STARTUP_STATUS);
    doc->AddView(&snapshot);
    RunStartup();
    doc->RemoveView(&snapshot);
    const QImage& atLine = snapshot.m_image;

    ASSERT_FALSE(atLine.isNull());
    const QImage& splash = StartupImage(3);
    const QPoint corner = StartImageCorner(); // the menu now lies where the splash lay
    const QRect strip(corner.x(), corner.y() + splash.height() - 24, splash.width(), 24);
    int dark = 0, darkBelow = 0;
    for (int y = strip.top(); y <= strip.bottom() + 10; ++y)
        for (int x = strip.left(); x <= strip.right(); ++x)
            if (qGray(atLine.pixel(x, y)) < 80)
                ++(y <= strip.bottom() ? dark : darkBelow);
    EXPECT_GT(dark, 50) << "the text of the line";
    EXPECT_LT(darkBelow, splash.width() + 40) << "only the frame lies below the image";
}

TEST_F(StartupTest, WithoutWorksheetTitlesTheStartupEndsOnTheEmptyBoard)
{
    ShowView(QSize(900, 700));
    RunStartup();
    // The menu is refused, and the refusal leaves the start-up state.
    EXPECT_TRUE(log.contains("hint 15 4"));
    EXPECT_TRUE(log.contains("hint 15 0"));
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_EQ(view->HoveredButton(), -1);
    EXPECT_FALSE(doc->m_bStartImagesShown);
    EXPECT_TRUE(view->verticalScrollBar()->isEnabled());
    Paint();
    EXPECT_TRUE(AllWhite(view->Surface()));
}

TEST_F(StartupTest, TheFileOptionOpensThatBoardInsteadOfTheMenu)
{
    WriteMenuWorksheets();
    doc->m_commandLine = QStringList({"/file:praktisch\\auto_licht.wks"});
    ShowView(QSize(900, 700));
    RunStartup();
    EXPECT_TRUE(doc->GetPathName().endsWith("auto_licht.wks")) << doc->GetPathName().toStdString();
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_FALSE(doc->m_bStartImagesShown);
    EXPECT_TRUE(view->verticalScrollBar()->isEnabled());
}

struct MenuCase {
    int button;
    const char* opens; // nullptr: the empty board
};

void PrintTo(const MenuCase& k, std::ostream* os)
{
    *os << "button " << k.button;
}

class StartMenuTest : public StartupTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(StartMenuTest, HoverPressesTheButtonAndReleaseOpensItsWorksheet)
{
    WriteMenuWorksheets();
    ShowView(QSize(900, 700));
    RunStartup();
    const int button = GetParam().button;
    const QPoint centre = ButtonCentre(button);
    const QImage plainMenu = view->Surface().copy();

    sound.log.clear();
    QTest::mouseMove(view->viewport(), centre);
    QTest::mouseMove(view->viewport(), centre + QPoint(3, 1));
    EXPECT_EQ(view->HoveredButton(), button);
    EXPECT_EQ(sound.log, QStringList({"beep 500 50"})) << "one beep per button entered";
    EXPECT_NE(view->Surface(), plainMenu) << "the pressed button is shown";

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(sound.log.last(), "beep 750 50");
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_FALSE(doc->m_bStartImagesShown);
    EXPECT_FALSE(doc->m_bBusy) << "the menu left, the commands may run";
    if (GetParam().opens)
        EXPECT_TRUE(doc->GetPathName().endsWith(GetParam().opens)) << doc->GetPathName().toStdString();
    else
        EXPECT_FALSE(doc->GetPathName().endsWith(".wks")) << doc->GetPathName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Buttons, StartMenuTest,
                         ::testing::Values(MenuCase{1, nullptr},
                                           MenuCase{2, "invoer en uitvoer\\invoer.wks"},
                                           MenuCase{3, "praktisch\\auto_licht.wks"},
                                           MenuCase{4, "blackbox\\blackbox1.wks"}));

TEST_F(StartupTest, ReleasingOutsideTheButtonsKeepsTheMenu)
{
    WriteMenuWorksheets();
    ShowView(QSize(900, 700));
    RunStartup();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, StartImageCorner() + QPoint(20, 20));
    EXPECT_EQ(view->Mode(), MODE_STARTUP);
    EXPECT_TRUE(sound.log.isEmpty());
}

struct ScreenCase {
    QSize screen;
    bool ends;
};

void PrintTo(const ScreenCase& k, std::ostream* os)
{
    *os << k.screen.width() << " x " << k.screen.height();
}

class ScreenSizeTest : public BoardViewFixture, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(ScreenSizeTest, SmallerThanSvgaEndsTheProgramAfterAWarning)
{
    ScriptedModals user;
    if (GetParam().ends)
        user.Answer(1);
    int exitCode = 0;
    CBoardView board(*doc);
    board.m_screenSize = [] { return GetParam().screen; };
    board.m_quit = [&exitCode](int code) { exitCode = code; };
    board.resize(500, 400);
    board.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
    if (GetParam().ends) {
        ASSERT_EQ(user.Opened(), 1);
        EXPECT_EQ(user.Titles(), QStringList({"Waarschuwing"}));
        EXPECT_EQ(user.Texts().constFirst().join(u' '),
                  "Dit programma werkt niet resoluties minder dan 800 x 600 (SVGA).");
        EXPECT_EQ(exitCode, -2);
    } else {
        EXPECT_EQ(exitCode, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenSizeTest,
                         ::testing::Values(ScreenCase{{800, 600}, false}, ScreenCase{{799, 600}, true},
                                           ScreenCase{{800, 599}, true}));

} // namespace
