// The program as a pupil starts it: with a board on the command line, through the
// start menu, and with "&Nieuw" and its start dialog; every pane and command must be
// ready for the board that follows.
#include "AppFixture.h"

#include "shell/CommandIds.h"

#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>

namespace {

constexpr int kInverterRow = 6;

class ProgramStartTest : public AppFixture {
protected:
    // Drags a component from its palette row onto the board, as the pupil does.
    void DragFromPalette(int row, QPoint to)
    {
        QWidget* palette = Palette().viewport();
        const int rowPixels = 72 * palette->logicalDpiY() / 254; // a row is 7.2 mm
        const QPoint at(20, row * rowPixels + rowPixels / 4);
        QTest::mouseMove(palette, at);
        QTest::mousePress(palette, Qt::LeftButton, {}, at);
        QTest::mouseMove(Board().viewport(), to);
        QTest::mouseRelease(Board().viewport(), Qt::LeftButton, {}, to);
    }
};

TEST_F(ProgramStartTest, ABoardOnTheCommandLineLeavesEveryPaneReadyForEditing)
{
    WriteMenuWorksheets();
    WriteWorksheet("praktisch/leeg.wks", "Leeg");
    Start({Path("praktisch/leeg.wks")});
    EXPECT_EQ(Doc().GetTitle(), "leeg.wks");
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
    EXPECT_EQ(Palette().Mode(), PANE_PALETTE);
    EXPECT_FALSE(Doc().m_bBusy);
    EXPECT_TRUE(Board().verticalScrollBar()->isEnabled());

    const std::size_t before = Doc().m_components.size();
    DragFromPalette(kInverterRow, QPoint(300, 300));
    ASSERT_EQ(Doc().m_components.size(), before + 1) << "the palette places components";
    EXPECT_EQ(Doc().m_components.back()->GetTypeId(), unsigned(TYPE_INVERTER));
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
}

struct TitleCase {
    const char* how;
    bool asSwitch;
};

class CommandLineTitleTest : public ProgramStartTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(CommandLineTitleTest, TheWindowTitleShowsTheFileNameOnly)
{
    WriteWorksheet("mijn borden/leeg.wks", "Leeg");
    const QString path = Path("mijn borden/leeg.wks");
    Start({GetParam().asSwitch ? "/file:" + path : path});
    Frame()->UpdateCommandUI();
    EXPECT_EQ(Frame()->windowTitle(), "leeg.wks - Veldtrak Tanvo");
    EXPECT_EQ(Doc().GetPathName(), WindowsName(path));
}

INSTANTIATE_TEST_SUITE_P(Forms, CommandLineTitleTest,
                         ::testing::Values(TitleCase{"bare", false}, TitleCase{"switch", true}));

TEST_F(ProgramStartTest, AFileValueWithBlanksRunsOnToTheNextOption)
{
    WriteMenuWorksheets();
    Start({"/file:invoer", "en", "uitvoer\\invoer.wks", "/dir:uit", "map"});
    EXPECT_EQ(Doc().GetTitle(), "invoer.wks");
    EXPECT_EQ(Doc().m_strFolderOutput, "uit map\\"); // kept as a folder
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
}

TEST_F(ProgramStartTest, CommandsWaitUntilThePupilLeavesTheStartMenu)
{
    WriteMenuWorksheets();
    Start();
    ASSERT_EQ(Board().Mode(), MODE_STARTUP);
    for (int id : {int(ID_FILE_NEW), int(ID_FILE_OPEN), int(ID_FILE_SAVE), int(ID_MEASURE_START), int(ID_VIEW_PAGINATION)})
        EXPECT_FALSE(Enabled(id)) << id << " over the start menu";
    EXPECT_EQ(Palette().Mode(), PANE_STARTUP);

    ClickStartMenu(1);
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
    EXPECT_EQ(Palette().Mode(), PANE_PALETTE);
    for (int id : {int(ID_FILE_NEW), int(ID_FILE_OPEN), int(ID_MEASURE_START)})
        EXPECT_TRUE(Enabled(id)) << id << " on the board";

    Run(ID_MEASURE_START);
    Run(ID_MEASURE_STOP);
    EXPECT_TRUE(Board().verticalScrollBar()->isEnabled());
    EXPECT_TRUE(Board().horizontalScrollBar()->isEnabled());
    EXPECT_FALSE(Doc().m_bStartImagesShown);
}

TEST_F(ProgramStartTest, AMissingMenuWorksheetIsReported)
{
    WriteWorksheet("praktisch/ander.wks", "Ander"); // the library is not empty: the menu shows
    Start();
    ASSERT_EQ(Board().Mode(), MODE_STARTUP);
    ScriptedModals user;
    user.Answer(1);
    ClickStartMenu(4);
    ASSERT_EQ(user.Opened(), 1);
    EXPECT_EQ(user.Titles().constFirst(), "Foutmelding (FL61697)");
    EXPECT_EQ(user.Texts().constFirst().join(u' '),
              "Bestand 'blackbox\\blackbox1.wks' kon niet worden gevonden.");
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
    EXPECT_TRUE(Doc().m_components.empty());
}

// Picks a title in the start dialog and presses OK.
std::function<int(QDialog&)> ChooseTitle(const QString& title)
{
    return [title](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Veldtrak Tanvo");
        auto* titles = dialog.findChild<QComboBox*>("combo1077");
        EXPECT_NE(titles, nullptr);
        if (!titles)
            return 0;
        const int index = titles->findText(title);
        EXPECT_GE(index, 0) << title.toStdString();
        titles->setCurrentIndex(index);
        QTest::mouseClick(dialog.findChild<QPushButton*>("button1"), Qt::LeftButton);
        return dialog.result();
    };
}

TEST_F(ProgramStartTest, NewShowsTheStartDialogAndOpensTheChosenWorksheet)
{
    WriteMenuWorksheets();
    Start();
    ClickStartMenu(1);
    ScriptedModals user;
    user.Then(ChooseTitle("Autolicht"));
    Run(ID_FILE_NEW);
    ASSERT_EQ(user.Opened(), 1);
    EXPECT_EQ(Doc().GetTitle(), "auto_licht.wks");
    EXPECT_EQ(Doc().m_components.size(), 1u);

    // The empty-board entry gives an empty board.
    user.Then(ChooseTitle("  === Leeg bord ==="));
    Run(ID_FILE_NEW);
    EXPECT_TRUE(Doc().m_components.empty());
}

} // namespace
