// Which commands the main window enables, checks and runs in which state of the board.
#include "FrameFixture.h"
#include "shell/AboutDialog.h"
#include "shell/CommandIds.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

namespace {

struct StateCase {
    const char* name;
    bool busy;
    bool running;
    bool teacherUnlock;
    bool gateOnBoard;
    std::vector<int> enabled;
    std::vector<int> disabled;
};

const std::vector<int> kFileCommands = {57600, 57601, 57603, 57604, 57606, 57607, 57609};

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const StateCase kStates[] = {
    {"idle, empty board",
     false,
     false,
     false,
     false,
     Join(kFileCommands, {57634, 57635, 57636, 57615, 57664, 57665, 59392, 59393}),
     // nothing to clear; the settings want the teacher; authoring, protection, black boxes,
     // page frames and the board chain stay off
     {57610, 32806, 32786, 32789, 32800, 32790, 32792, 32805, 32794, 32795}},
    {"idle with a gate", false, false, false, true, {57610}, {57611, 57612}},
    {"starting up",
     true,
     false,
     false,
     true,
     {57615, 57664, 57665},
     Join(kFileCommands, {57610, 57634, 57635, 57636, 32806})},
    {"measuring",
     false,
     true,
     false,
     true,
     {57634, 57636, 57615, 57664, 57665},
     Join(kFileCommands, {57610, 57635})},
    {"teacher unlocked", false, false, true, false, {32806}, {32790, 32786, 32789, 32800}},
    {"teacher unlocked while starting up", true, false, true, false, {}, {32806}},
};

} // namespace

using CommandStateTest = FrameFixture;

TEST_F(CommandStateTest, EnablingFollowsTheBoardState)
{
    for (const StateCase& c : kStates) {
        SCOPED_TRACE(c.name);
        doc->m_bBusy = c.busy;
        doc->m_bRunning = c.running;
        doc->m_bTeacherUnlock = c.teacherUnlock;
        doc->m_components.clear();
        if (c.gateOnBoard) Place(AND_GATE, 500, -500);
        for (int id : c.enabled)
            EXPECT_TRUE(Enabled(id)) << id;
        for (int id : c.disabled)
            EXPECT_FALSE(Enabled(id)) << id;
    }
}

TEST_F(CommandStateTest, StartIsCheckedWhileTheMeasurementRuns)
{
    Run(ID_MEASURE_START);
    EXPECT_TRUE(doc->m_bRunning);
    EXPECT_TRUE(Checked(ID_MEASURE_START));
    EXPECT_FALSE(Enabled(ID_MEASURE_START));

    Run(ID_MEASURE_STOP);
    EXPECT_FALSE(doc->m_bRunning);
    EXPECT_FALSE(Checked(ID_MEASURE_START));
}

TEST_F(CommandStateTest, DisabledCommandsDoNothingEvenWhenTheirKeyArrives)
{
    doc->m_bRunning = true;
    Place(AND_GATE, 500, -500);
    ScriptedModals script; // the clear-all question must not come
    frame->OnCommand(ID_EDIT_CLEAR_ALL);
    EXPECT_EQ(doc->m_components.size(), 1u);
}

TEST_F(CommandStateTest, IdentifyingBlackboxesNeedsAHiddenGateAndThePermission)
{
    CComponent* gate = Place(AND_GATE, 500, -500);
    EXPECT_FALSE(Enabled(ID_IDENTIFY_BLACKBOXES)); // nothing hidden

    gate->m_nParam1 = 1;
    EXPECT_TRUE(Enabled(ID_IDENTIFY_BLACKBOXES));

    doc->m_nPermissions = PERMIT_ALL & ~PERMIT_IDENTIFY_BLACKBOXES;
    doc->m_bTeacherUnlock = true; // the teacher's unlock does not count here
    EXPECT_FALSE(Enabled(ID_IDENTIFY_BLACKBOXES));

    doc->m_nPermissions = PERMIT_ALL;
    doc->m_bRunning = true;
    EXPECT_FALSE(Enabled(ID_IDENTIFY_BLACKBOXES));
}

TEST_F(CommandStateTest, IdentifyingBlackboxesRevealsEveryOneAndMarksTheBoardOnce)
{
    CComponent* andGate = Place(AND_GATE, 500, -500);
    CComponent* xorGate = Place(XOR_GATE, 1500, -500);
    CComponent* inverter = Place(INVERTER, 2500, -500);
    andGate->m_nParam1 = 1;
    xorGate->m_nParam1 = 1;
    inverter->m_nParam1 = 1; // not a kind that hides itself: left alone
    doc->SetModifiedFlag(false);
    RecordingView views(*doc);

    Run(ID_IDENTIFY_BLACKBOXES);
    EXPECT_EQ(andGate->m_nParam1, 0);
    EXPECT_EQ(xorGate->m_nParam1, 0);
    EXPECT_EQ(inverter->m_nParam1, 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(views.hints, (std::vector<std::pair<int, int>>{{HINT_REFRESH, 0}}));
    EXPECT_FALSE(Enabled(ID_IDENTIFY_BLACKBOXES));
}

TEST_F(CommandStateTest, PaginationNeedsPagesAndNoStartupImagesAndTogglesTheFrames)
{
    EXPECT_FALSE(Enabled(ID_VIEW_PAGINATION));
    doc->m_bPaginated = true;
    EXPECT_TRUE(Enabled(ID_VIEW_PAGINATION));
    doc->m_bStartImagesShown = true;
    EXPECT_FALSE(Enabled(ID_VIEW_PAGINATION));
    doc->m_bStartImagesShown = false;

    RecordingView views(*doc);
    Run(ID_VIEW_PAGINATION);
    EXPECT_TRUE(doc->m_bShowPages);
    EXPECT_TRUE(Checked(ID_VIEW_PAGINATION));
    Run(ID_VIEW_PAGINATION);
    EXPECT_FALSE(doc->m_bShowPages);
    EXPECT_FALSE(Checked(ID_VIEW_PAGINATION));
    EXPECT_EQ(views.hints, (std::vector<std::pair<int, int>>{{16, 0}, {-16, 0}}));
}

TEST_F(CommandStateTest, ToolbarAndStatusBarCanBeHiddenAndShownAgain)
{
    frame->show();
    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        SCOPED_TRACE(id);
        QWidget* bar =
            id == ID_VIEW_TOOLBAR ? static_cast<QWidget*>(frame->ToolBar()) : frame->statusBar();
        EXPECT_TRUE(Checked(id));
        frame->Action(id)->trigger();
        EXPECT_FALSE(bar->isVisible());
        EXPECT_FALSE(Checked(id));
        frame->Action(id)->trigger();
        EXPECT_TRUE(bar->isVisible());
        EXPECT_TRUE(Checked(id));
    }
}

TEST_F(CommandStateTest, AboutShowsIconNameAndOkAlsoDuringAMeasurement)
{
    Run(ID_MEASURE_START);
    ASSERT_TRUE(doc->m_bRunning);
    ASSERT_TRUE(Enabled(ID_APP_ABOUT));

    ScriptedModals script;
    script.Then([](QDialog& dialog) {
        EXPECT_NE(qobject_cast<CAboutDlg*>(&dialog), nullptr);
        QStringList buttons;
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            buttons << b->text();
        EXPECT_EQ(buttons, QStringList({"OK"}));
        bool icon = false;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            icon = icon || !label->pixmap().isNull();
        EXPECT_TRUE(icon);
        return int(QDialog::Accepted);
    });
    Run(ID_APP_ABOUT);
    ASSERT_EQ(script.Opened(), 1);
    EXPECT_EQ(script.Texts()[0], QStringList({"Veldtrak Tanvo version 4.0"}));
    EXPECT_TRUE(doc->m_bRunning);
}

TEST_F(CommandStateTest, ExitAsksAboutAModifiedBoardAndEscapeKeepsTheProgramOpen)
{
    Place(AND_GATE, 500, -500); // a modified board with a component
    frame->show();

    {
        ScriptedModals script;
        script.Answer(CConfirmBox::kClosed);
        Run(ID_APP_EXIT);
        EXPECT_EQ(script.Texts()[0].join(u' '), "Moet dit bord worden gesaved?");
    }
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(doc->IsModified());

    {
        ScriptedModals script;
        script.Answer(CConfirmBox::kNee);
        Run(ID_APP_EXIT);
    }
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(doc->IsModified());
}
