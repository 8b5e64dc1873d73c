// Undo and redo in the program's own window: every way the pupil changes the board is
// one step, which undo takes back to the very bytes before it and redo brings back
// byte for byte; the modified flag comes back with the saved board; a measurement, the
// start-up and a board opened anew keep the history out of reach.
#include "EditingWays.h"

#include "boardview/MarkedComponentsDlg.h"

#include <QFileDialog>
#include <QToolBar>
#include <QToolButton>

namespace {

using namespace editing_ways;

class UndoTest : public PermissionMatrixTest {
protected:
    QByteArray Bytes() const { return WriteBoard(Doc()); }

    // The prepared board, saved and opened as a pupil opens a worksheet: the history
    // starts from it and it is the unmodified board.
    void OpenAsWorksheet()
    {
        Doc().LayOutSockets();
        WriteFile(QStringLiteral("bord.wks"), Bytes());
        ASSERT_TRUE(Doc().OnOpenDocument(Stored(QStringLiteral("bord.wks"))));
        a = Doc().m_components.size() > 0 ? Doc().m_components[0].get() : nullptr;
        b = Doc().m_components.size() > 1 ? Doc().m_components[1].get() : nullptr;
        probe = nullptr;
        for (const auto& c : Doc().m_components)
            if (c->GetTypeId() == TYPE_SONDE)
                probe = c.get();
        ASSERT_FALSE(Doc().IsModified());
        ASSERT_FALSE(Enabled(ID_EDIT_UNDO));
    }
    void PrepareGates()
    {
        Doc().DeleteContents();
        a = PlaceOnBoard(kAndGate, 100, -100);
        b = PlaceOnBoard(kInverter, 900, -600);
        probe = nullptr;
    }
    // One drag of the inverter by dx, as the mouse does it; its new x (the mouse moves
    // by whole pixels, so the distance is near dx).
    int Nudge(int dx)
    {
        CComponent* gate = Doc().m_components.back().get();
        const CPoint from = gate->m_rect.CenterPoint();
        Drag(from, CPoint(from.x + dx, from.y));
        return InverterX();
    }
    int InverterX() const { return Doc().m_components.back()->GetTopLeft().x; }
    void Key(Qt::Key key)
    {
        Frame()->UpdateCommandUI();
        QTest::keyClick(Board().viewport(), key, Qt::ControlModifier);
    }
};

class UndoWayTest : public UndoTest, public ::testing::WithParamInterface<Way> {};

TEST_P(UndoWayTest, UndoGivesTheBoardBeforeTheChangeAndRedoTheOneAfter)
{
    const Way& way = GetParam();
    PrepareGates();
    {
        CPupil quiet("");
        if (way.prepare)
            way.prepare(*this);
    }
    OpenAsWorksheet();
    const QByteArray before = Bytes();

    CPupil pupil(QString::fromUtf8(way.button));
    way.operate(*this);
    ASSERT_TRUE(way.done(*this, pupil)) << pupil.titles.join(u'|').toStdString();
    const QByteArray after = Bytes();
    if (after == before) { // looking without changing (a black box, a cancelled dialog)
        EXPECT_FALSE(Enabled(ID_EDIT_UNDO)) << "no step without a change";
        return;
    }
    ASSERT_TRUE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    EXPECT_TRUE(Doc().IsModified()) << "closing now must ask to save the change";

    Menu(ID_EDIT_UNDO);
    EXPECT_EQ(Bytes(), before);
    EXPECT_FALSE(Doc().IsModified()) << "back at the board as it was opened";
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO)) << "the change was one step";
    EXPECT_EQ(Board().Mode(), MODE_IDLE);

    Menu(ID_EDIT_REDO);
    EXPECT_EQ(Bytes(), after);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    Menu(ID_EDIT_UNDO);
    EXPECT_EQ(Bytes(), before) << "a restored board undoes like the original";
}

INSTANTIATE_TEST_SUITE_P(EveryWay, UndoWayTest, ::testing::ValuesIn(kWays),
                         [](const auto& info) { return std::string(info.param.name); });

// Changes no permission guards, each one step as well.
TEST_F(UndoTest, AligningAndClearingAreOneStepEach)
{
    struct Change {
        const char* name;
        const char* button;
        std::function<void(UndoTest&)> operate;
    };
    const Change changes[] = {
        {"align left", "De &linker zijdes van de componenten op een vertikale lijn plaatsen",
         [](UndoTest& t) { t.Mark(CPoint(20, -20), CPoint(1500, -1200)); }},
        {"clear the whole board", "", [](UndoTest& t) { t.Menu(ID_EDIT_CLEAR_ALL); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        PrepareGates();
        Doc().m_nPermissions = PERMIT_ALL & ~PERMIT_DELETE_COMPONENTS;
        Doc().m_strBoardTitle = QStringLiteral("Poorten");
        AddWire();
        OpenAsWorksheet();
        const QByteArray before = Bytes();
        CPupil pupil(QString::fromUtf8(change.button));
        change.operate(*this);
        ASSERT_NE(Bytes(), before);
        Menu(ID_EDIT_UNDO);
        EXPECT_EQ(Bytes(), before);
        EXPECT_EQ(Doc().m_nPermissions, PERMIT_ALL & ~PERMIT_DELETE_COMPONENTS)
            << "the worksheet's protection comes back with it";
        EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    }
}

TEST_F(UndoTest, TheModifiedFlagFollowsUndoBackToTheSavedBoard)
{
    PrepareGates();
    OpenAsWorksheet();
    {
        CPupil pupil("&Annuleer");
        Click(a->m_rect.CenterPoint(), Qt::RightButton); // looked at only: no step
    }
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    Nudge(200); // opened -> A
    {
        ScriptedModals user;
        Menu(ID_FILE_SAVE); // into the output folder, new there: no question
        ASSERT_EQ(user.Opened(), 0);
    }
    ASSERT_FALSE(Doc().IsModified());
    Nudge(200); // saved -> B

    const struct {
        int command;
        bool modified;
    } steps[] = {{ID_EDIT_UNDO, false}, {ID_EDIT_UNDO, true}, {ID_EDIT_REDO, false}, {ID_EDIT_REDO, true}};
    for (const auto& step : steps) {
        Menu(step.command);
        EXPECT_EQ(Doc().IsModified(), step.modified) << step.command << " at x " << InverterX();
    }

    // A change after an undo drops the redo, and with it the saved board.
    Menu(ID_EDIT_UNDO);
    Menu(ID_EDIT_UNDO);
    Nudge(-300);
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    Menu(ID_EDIT_UNDO);
    EXPECT_TRUE(Doc().IsModified()) << "the opened board is not the saved one any more";
}

TEST_F(UndoTest, AHundredStepsAreKeptAndTheOldestGoFirst)
{
    PrepareGates();
    OpenAsWorksheet();
    constexpr int kChanges = CUndoHistory::kMaxSteps + 5;
    std::vector<int> x{InverterX()};
    for (int i = 1; i <= kChanges; ++i)
        x.push_back(Nudge(10));
    int undone = 0;
    while (Enabled(ID_EDIT_UNDO)) {
        Menu(ID_EDIT_UNDO);
        ++undone;
        ASSERT_EQ(InverterX(), x[std::size_t(kChanges - undone)]) << undone;
    }
    EXPECT_EQ(undone, CUndoHistory::kMaxSteps);
    EXPECT_TRUE(Doc().IsModified()) << "the opened board was forgotten, the one shown is not it";
    for (int i = 0; i < CUndoHistory::kMaxSteps; ++i)
        Menu(ID_EDIT_REDO);
    EXPECT_EQ(InverterX(), x.back());
}

TEST_F(UndoTest, AMeasurementNeitherUndoesNorIsUndone)
{
    PrepareGates();
    OpenAsWorksheet();
    const int opened = InverterX();
    const int moved = Nudge(200);
    Menu(ID_MEASURE_START);
    ASSERT_TRUE(Doc().m_bRunning);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    Key(Qt::Key_Z);
    Frame()->OnCommand(ID_EDIT_UNDO);
    Doc().OnEditUndo(); // even asked for directly
    Board().OnTimer(CBoardView::kMeasureTimer);
    EXPECT_TRUE(Doc().m_bRunning);
    EXPECT_EQ(InverterX(), moved) << "the running board stays as it is";

    Menu(ID_MEASURE_STOP);
    ASSERT_TRUE(Enabled(ID_EDIT_UNDO));
    Menu(ID_EDIT_UNDO);
    EXPECT_EQ(InverterX(), opened);
    Menu(ID_EDIT_REDO);
    EXPECT_EQ(InverterX(), moved);
}

TEST_F(UndoTest, TheKeysTheMenuAndTheToolbarReachIt)
{
    PrepareGates();
    OpenAsWorksheet();
    const int opened = InverterX();
    const int moved = Nudge(200);
    Key(Qt::Key_Z);
    EXPECT_EQ(InverterX(), opened) << "Ctrl+Z";
    Key(Qt::Key_Y);
    EXPECT_EQ(InverterX(), moved) << "Ctrl+Y";

    auto button = [&](int id) {
        for (QToolButton* b : Frame()->ToolBar()->findChildren<QToolButton*>())
            if (b->defaultAction() == Frame()->Action(id))
                return b;
        return static_cast<QToolButton*>(nullptr);
    };
    Frame()->UpdateCommandUI();
    ASSERT_NE(button(ID_EDIT_UNDO), nullptr);
    ASSERT_NE(button(ID_EDIT_REDO), nullptr);
    EXPECT_FALSE(button(ID_EDIT_REDO)->isEnabled());
    QTest::mouseClick(button(ID_EDIT_UNDO), Qt::LeftButton);
    EXPECT_EQ(InverterX(), opened) << "toolbar";
    Frame()->UpdateCommandUI();
    QTest::mouseClick(button(ID_EDIT_REDO), Qt::LeftButton);
    EXPECT_EQ(InverterX(), moved);

    // The board menu with its letter, as the permission tests choose the clear commands.
    Keyboard(Qt::Key_O);
    EXPECT_EQ(InverterX(), opened) << "Alt+O, O";
}

TEST_F(UndoTest, UndoEndsAWireBeingDrawnAndADragInProgress)
{
    PrepareGates();
    OpenAsWorksheet();
    const int opened = InverterX();
    Nudge(200);
    Click(a->Bus(2).GetCenter()); // a wire starts
    ASSERT_NE(Board().WireInProgress(), nullptr);
    Key(Qt::Key_Z);
    EXPECT_EQ(Board().WireInProgress(), nullptr);
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
    EXPECT_EQ(InverterX(), opened);

    // Half a drag: undo takes it back at once, and redo brings it as far as it came.
    CComponent* inverter = Doc().m_components.back().get();
    const CPoint from = inverter->m_rect.CenterPoint();
    Press(from);
    Move(CPoint(from.x + 300, from.y));
    ASSERT_EQ(Board().Mode(), MODE_DRAG_COMPONENT);
    const int halfway = InverterX();
    ASSERT_NE(halfway, opened);
    Key(Qt::Key_Z);
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
    EXPECT_EQ(InverterX(), opened);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    Release(CPoint(from.x + 300, from.y));
    EXPECT_EQ(InverterX(), opened) << "the release after it moves nothing";
    Menu(ID_EDIT_REDO);
    EXPECT_EQ(InverterX(), halfway);
}

// Whatever else the worksheet holds, an LED placed from the palette goes with an undo
// and comes back with a redo, again and again, with the screen painted and the board
// clicked in between.
TEST_F(UndoTest, UndoAndRedoGiveTheBytesOfEachStepOnEveryBoard)
{
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(qRgb(200, 40, 40));
    ASSERT_TRUE(photo.save(Path(QStringLiteral("foto.bmp")), "BMP"));
    const QString photoName = Stored(QStringLiteral("foto.bmp"));
    const struct {
        const char* name;
        std::function<void(UndoTest&)> add;
    } boards[] = {
        {"gates only", [](UndoTest&) {}},
        {"a picture",
         [photoName](UndoTest& t) {
             auto picture = std::make_unique<CPlaatje>();
             picture->SetFile(QString(), photoName);
             picture->m_rect = CRect(1500, -200, 0, 0);
             t.Doc().m_pictures.push_back(std::move(picture));
         }},
        {"a text field", AddAnnotation<CTextField>(&CVeldtrakDoc::m_textFields)},
        {"a table", AddAnnotation<CTabel>(&CVeldtrakDoc::m_tables)},
    };
    for (const auto& board : boards) {
        SCOPED_TRACE(board.name);
        PrepareGates();
        board.add(*this);
        OpenAsWorksheet();
        if (!Doc().m_pictures.empty()) {
            ASSERT_TRUE(static_cast<CPlaatje&>(*Doc().m_pictures[0]).IsLoaded());
        }
        Board().viewport()->repaint();
        const QByteArray before = Bytes();
        DragFromPalette(8, CPoint(500, -1000)); // an LED
        const QByteArray after = Bytes();
        ASSERT_NE(after, before);
        for (int round = 1; round <= 3; ++round) {
            SCOPED_TRACE(round);
            Menu(ID_EDIT_UNDO);
            Board().viewport()->repaint();
            EXPECT_EQ(Bytes(), before);
            Click(CPoint(2500, -1500)); // on empty board: no change, so no step
            EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
            ASSERT_TRUE(Enabled(ID_EDIT_REDO));
            Menu(ID_EDIT_REDO);
            Board().viewport()->repaint();
            EXPECT_EQ(Bytes(), after) << "the LED is back";
            EXPECT_FALSE(Enabled(ID_EDIT_REDO));
            ASSERT_TRUE(Enabled(ID_EDIT_UNDO));
        }
    }
}

// Ctrl+Y in the middle of a drag goes to the step that can be redone: the drag was no
// step yet and goes, the redo history stays whole.
TEST_F(UndoTest, RedoDuringADragKeepsTheHistory)
{
    PrepareGates();
    OpenAsWorksheet();
    const QByteArray opened = Bytes();
    Nudge(200);
    const QByteArray moved = Bytes();
    Nudge(200);
    const QByteArray movedTwice = Bytes();
    Key(Qt::Key_Z);
    Key(Qt::Key_Z);
    ASSERT_EQ(Bytes(), opened);

    CComponent* inverter = Doc().m_components.back().get();
    const CPoint from = inverter->m_rect.CenterPoint();
    Press(from);
    Move(CPoint(from.x, from.y - 300));
    ASSERT_EQ(Board().Mode(), MODE_DRAG_COMPONENT);
    ASSERT_NE(Bytes(), opened);
    Key(Qt::Key_Y);
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(Bytes(), moved);
    Release(CPoint(from.x, from.y - 300));
    EXPECT_EQ(Bytes(), moved) << "the release after it moves nothing";
    ASSERT_TRUE(Enabled(ID_EDIT_REDO)) << "the second move can still be redone";
    Key(Qt::Key_Y);
    EXPECT_EQ(Bytes(), movedTwice);
    Key(Qt::Key_Z);
    Key(Qt::Key_Z);
    EXPECT_EQ(Bytes(), opened);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO)) << "the drag made no step of its own";
}

TEST_F(UndoTest, ANewBoardAnOpenedOneAndTheNextBoardBeginAfresh)
{
    WriteFile(QStringLiteral("ander.wks"), QByteArray());
    const QString other = Path(QStringLiteral("ander.wks"));
    const std::function<void(UndoTest&)> fresh[] = {
        [](UndoTest& t) {
            ScriptedModals user;
            user.Answer(CConfirmBox::kNee).Answer(2); // not saved; no worksheet chosen
            t.Menu(ID_FILE_NEW);
        },
        [other](UndoTest& t) {
            ScriptedModals user;
            user.Answer(CConfirmBox::kNee).Then([other](QDialog& dialog) {
                static_cast<QFileDialog&>(dialog).selectFile(other);
                return int(QDialog::Accepted);
            });
            t.Menu(ID_FILE_OPEN);
        },
        [](UndoTest& t) {
            ScriptedModals user; // saved into the output folder first, unasked
            t.Doc().m_strNextBoard = QStringLiteral("ander.wks");
            t.Doc().ResolveLinks();
            t.Menu(ID_NEXT_BOARD);
        },
    };
    for (const auto& begin : fresh) {
        PrepareGates();
        OpenAsWorksheet();
        AddWire(); // a change that marks the board modified
        ASSERT_TRUE(Enabled(ID_EDIT_UNDO));
        begin(*this);
        EXPECT_TRUE(Doc().m_components.empty()) << "the new board is there";
        EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
        EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    }
}

TEST_F(UndoTest, AStepNeedsThePermissionsItsChangeNeeded)
{
    PrepareGates();
    OpenAsWorksheet();
    CPupil pupil("&Wis");
    Click(b->m_rect.CenterPoint(), Qt::RightButton); // deleted with the permission
    ASSERT_EQ(Doc().m_components.size(), 1u);

    // The board no longer lets the pupil delete components (as a teacher's protection
    // would leave it, no change of the pupil's): neither bringing the component back nor
    // deleting it again may go round that.
    Doc().m_nPermissions = PERMIT_ALL & ~PERMIT_DELETE_COMPONENTS;
    Doc().RebaseUndoHistory();
    pupil.titles.clear();
    pupil.texts.clear();
    Menu(ID_EDIT_UNDO);
    EXPECT_EQ(Doc().m_components.size(), 1u);
    EXPECT_EQ(pupil.titles, QStringList{QStringLiteral("Waarschuwing")});
    EXPECT_EQ(pupil.texts.value(0), QStringLiteral("Geen toestemming om componenten te wissen."));

    Doc().m_bTeacherUnlock = true; // the teacher may
    Menu(ID_EDIT_UNDO);
    EXPECT_EQ(Doc().m_components.size(), 2u);
    Doc().m_bTeacherUnlock = false;
    Doc().m_nPermissions = PERMIT_ALL & ~PERMIT_DELETE_COMPONENTS;
    Doc().RebaseUndoHistory();
    pupil.titles.clear();
    Menu(ID_EDIT_REDO);
    EXPECT_EQ(Doc().m_components.size(), 2u);
    EXPECT_EQ(pupil.titles, QStringList{QStringLiteral("Waarschuwing")});
}

} // namespace

using UndoStartMenuTest = AppFixture;

TEST_F(UndoStartMenuTest, NothingToUndoInTheStartMenuNorAfterIt)
{
    WriteMenuWorksheets();
    Start();
    ASSERT_TRUE(Doc().m_bStartImagesShown);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    ClickStartMenu(2);
    ASSERT_EQ(Doc().m_components.size(), 1u);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));

    // A change, then the end of the chain: back to the start menu, where undo is off,
    // and what comes after it starts afresh.
    const CPoint from = Doc().m_components[0]->m_rect.CenterPoint();
    QTest::mousePress(Board().viewport(), Qt::LeftButton, {}, Pixel(from));
    QTest::mouseMove(Board().viewport(), Pixel(CPoint(from.x + 300, from.y)));
    QTest::mouseRelease(Board().viewport(), Qt::LeftButton, {}, Pixel(CPoint(from.x + 300, from.y)));
    ASSERT_TRUE(Enabled(ID_EDIT_UNDO));
    Run(ID_NEXT_BOARD);
    ASSERT_TRUE(Doc().m_bStartImagesShown);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    ClickStartMenu(3);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
}
