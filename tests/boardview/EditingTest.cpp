// Placing, dragging, marking and right-clicking components with the real mouse events.
#include "BoardViewFixture.h"
#include "boardview/MarkedComponentsDlg.h"
#include "components/TwoInputGate.h"
#include "support/ScriptedModals.h"

namespace {

constexpr int PROBE = 24;

int PlaceHint(int paletteIndex, int row)
{
    return paletteIndex | (row << 16);
}

class EditingTest : public BoardViewFixture {
protected:
    // A board point as it comes back from the pixel it maps to.
    CPoint OnGrid(CPoint p) const { return view->ClientToBoard(Client(p)); }
};

TEST_F(EditingTest, PlacesWiresProbesAndMeasuresLikeAPupil)
{
    ShowBoard();
    CComponent* parts[2];
    const CPoint drops[2] = {{100, -200}, {900, -500}};
    for (int i = 0; i < 2; ++i) {
        doc->UpdateAllViews(HINT_PLACE_COMPONENT, PlaceHint(INVERTER, 40));
        ASSERT_EQ(view->Mode(), MODE_DRAG_COMPONENT);
        MoveMouse(drops[i]);
        Release(drops[i]);
        parts[i] = doc->m_components.back().get();
        EXPECT_EQ(parts[i]->GetTopLeft(), OnGrid(drops[i]));
    }
    EXPECT_EQ(view->Mode(), MODE_IDLE);

    const CPoint out = SocketCentre(parts[0], 1);
    const CPoint in = SocketCentre(parts[1], 0);
    Click(out);
    MoveMouse(CPoint(600, out.y));
    Click(CPoint(600, out.y));
    EXPECT_EQ(view->Mode(), MODE_WIRE);
    Click(in);
    ASSERT_EQ(doc->m_wires.size(), 1u);
    const CDraad& wire = *doc->m_wires[0];
    EXPECT_EQ(wire.GetEnds(), std::make_pair(parts[0]->Bus(1).GetId(), parts[1]->Bus(0).GetId()));
    EXPECT_EQ(wire.GetPointCount(), 3);
    EXPECT_EQ(wire.GetColour(), doc->m_colWire);

    doc->UpdateAllViews(HINT_PLACE_COMPONENT, PlaceHint(PROBE, 40));
    auto* probe = doc->m_components.back().get();
    MoveMouse(in);
    Release(in);
    EXPECT_EQ(probe->m_nParam1, parts[1]->Bus(0).GetId());
    EXPECT_EQ(probe->m_nParam2, 1);

    doc->OnCommand(ID_MEASURE_START);
    EXPECT_EQ(view->Mode(), MODE_MEASURING);
    for (int i = 0; i < 3; ++i)
        view->OnTimer(CBoardView::kMeasureTimer);
    Drag(SocketCentre(parts[0], 0), CPoint(1200, -900)); // editing is off while measuring
    EXPECT_EQ(parts[0]->GetTopLeft(), OnGrid(drops[0]));
    EXPECT_EQ(doc->m_wires.size(), 1u);
    doc->OnCommand(ID_MEASURE_STOP);
    EXPECT_EQ(view->Mode(), MODE_IDLE);
}

TEST_F(EditingTest, PressPicksTheSmallestThenTheEarlierComponent)
{
    ShowBoard();
    CComponent* big = Place(0, 100, -100);      // the converter, larger than a gate
    CComponent* first = Place(INVERTER, 150, -150);
    CComponent* second = Place(INVERTER, 150, -150);
    Refresh();
    const CPoint inside(200, -200);
    Drag(inside, CPoint(400, -400));
    EXPECT_EQ(big->GetTopLeft(), CPoint(100, -100));
    EXPECT_NE(first->GetTopLeft(), CPoint(150, -150));
    EXPECT_EQ(second->GetTopLeft(), CPoint(150, -150));
}

TEST_F(EditingTest, DraggingStopsAtTheBoardEdgesAndAClickMovesNothing)
{
    ShowBoard();
    CComponent* c = Place(INVERTER, 100, -100);
    Refresh();
    const CPoint grip(150, -150);
    Click(grip);
    EXPECT_EQ(c->GetTopLeft(), CPoint(100, -100));
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_FALSE(view->WireInProgress() && !view->WireInProgress()->IsEmpty());

    Press(grip);
    MoveMouse(CPoint(300, -300));
    Screenshot(QStringLiteral("drag-in-progress"));
    MoveMouse(CPoint(10, -10)); // would put the corner at (-40, 40)
    Release(CPoint(10, -10));
    EXPECT_EQ(c->GetTopLeft(), CPoint(0, 0));
}

TEST_F(EditingTest, WireEndsFollowADraggedComponent)
{
    ShowBoard();
    CComponent* a = Place(INVERTER, 100, -100);
    CComponent* b = Place(INVERTER, 700, -100);
    doc->LayOutSockets();
    Wire(a->Bus(1).GetId(), b->Bus(0).GetId());
    doc->RouteWireEnds();
    Refresh();
    const CPoint endBefore = doc->m_wires[0]->GetPointFromEnd(0);
    const CPoint startBefore = doc->m_wires[0]->GetPoint(0);
    Drag(CPoint(750, -150), CPoint(750, -450));
    const CPoint moved = b->GetTopLeft();
    ASSERT_NE(moved, CPoint(700, -100));
    EXPECT_EQ(doc->m_wires[0]->GetPointFromEnd(0),
              CPoint(endBefore.x + moved.x - 700, endBefore.y + moved.y + 100));
    EXPECT_EQ(doc->m_wires[0]->GetPoint(0), startBefore);
}

TEST_F(EditingTest, GuideLinesFollowShiftAndLeaveNothingBehind)
{
    ShowBoard();
    Place(INVERTER, 300, -300);
    Refresh();
    const QImage before = view->Surface().copy();
    Press(CPoint(350, -350));
    QTest::keyPress(view.get(), Qt::Key_Shift);
    const CPoint lineOutside(300, -1000); // on the left edge's guide, below the component
    EXPECT_NE(PixelAt(lineOutside), 0xFFFFFFu);
    Screenshot(QStringLiteral("guide-lines"));
    QTest::keyRelease(view.get(), Qt::Key_Shift);
    EXPECT_EQ(PixelAt(lineOutside), 0xFFFFFFu);
    Release(CPoint(350, -350));
    EXPECT_EQ(view->Surface(), before);
}

struct AlignCase {
    int action;
    CPoint first, second; // expected positions of the two components
};

class AlignTest : public EditingTest, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(AlignTest, MarkedComponentsTakeTheChosenAction)
{
    ShowBoard();
    // An inverter (256 x 150) and the converter (406 x 128).
    Place(INVERTER, 100, -100);
    Place(0, 400, -300);
    CComponent* probe = Place(PROBE, 200, -200);
    Refresh();
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Gemarkeerde componenten"));
        return GetParam().action;
    });
    Press(CPoint(50, -50));
    MoveMouse(CPoint(500, -400));
    Screenshot(QStringLiteral("marking-rectangle"));
    Release(CPoint(500, -400));
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_EQ(view->MarkingRect(), CRect());
    const AlignCase& c = GetParam();
    if (c.action == CMarkedComponentsDlg::ID_DELETE) {
        EXPECT_EQ(doc->m_components.size(), 1u); // only the probe, never marked
        return;
    }
    EXPECT_EQ(doc->m_components[0]->GetTopLeft(), c.first);
    EXPECT_EQ(doc->m_components[1]->GetTopLeft(), c.second);
    EXPECT_EQ(probe->GetTopLeft(), CPoint(200, -200));
}

INSTANTIATE_TEST_SUITE_P(
    Actions, AlignTest,
    ::testing::Values(AlignCase{CMarkedComponentsDlg::ID_ALIGN_LEFT, {100, -100}, {100, -300}},
                      AlignCase{CMarkedComponentsDlg::ID_ALIGN_RIGHT, {550, -100}, {400, -300}},
                      AlignCase{CMarkedComponentsDlg::ID_ALIGN_TOP, {100, -100}, {400, -100}},
                      AlignCase{CMarkedComponentsDlg::ID_ALIGN_BOTTOM, {100, -278}, {400, -300}},
                      AlignCase{CMarkedComponentsDlg::ID_DELETE, {}, {}},
                      AlignCase{CMarkedComponentsDlg::ID_CANCEL, {100, -100}, {400, -300}}));

TEST_F(EditingTest, MarkingNothingOrOutsideIdleOpensNoDialog)
{
    ShowBoard();
    Place(INVERTER, 100, -100);
    Refresh();
    ScriptedModals user; // no dialog may open
    Press(CPoint(800, -800));
    MoveMouse(CPoint(1000, -1000));
    Release(CPoint(1000, -1000));
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    Click(CPoint(800, -800)); // an all-zero-size rectangle marks nothing either
    EXPECT_EQ(view->Mode(), MODE_IDLE);
}

struct PropertiesCase {
    int result;
    std::size_t componentsAfter;
    bool modified;
    const char* message; // or null
};

class PropertiesTest : public EditingTest, public ::testing::WithParamInterface<PropertiesCase> {};

TEST_P(PropertiesTest, RightClickHandlesEveryResult)
{
    ShowBoard();
    const PropertiesCase& c = GetParam();
    CComponent* gate = Place(OR_GATE, 100, -100);
    if (c.result == EDIT_BLACKBOX_REFUSED) {
        static_cast<CTwoInputGate*>(gate)->SetBlackbox(true);
        doc->m_nPermissions = PERMIT_ALL & ~PERMIT_IDENTIFY_BLACKBOXES;
    }
    doc->SetModifiedFlag(false);
    Refresh();
    ScriptedModals user;
    if (c.result != EDIT_BLACKBOX_REFUSED)
        user.Answer(c.result);
    if (c.message)
        user.Answer(1);
    Click(CPoint(150, -150), Qt::RightButton);
    EXPECT_EQ(doc->m_components.size(), c.componentsAfter);
    EXPECT_EQ(doc->IsModified(), c.modified);
    if (c.message) {
        EXPECT_EQ(user.Titles().last(), QStringLiteral("Foutmelding"));
        EXPECT_EQ(user.Texts().last().join(u'|'), QString::fromUtf8(c.message));
    }
}

INSTANTIATE_TEST_SUITE_P(Results, PropertiesTest,
                         ::testing::Values(PropertiesCase{EDIT_ACCEPTED, 1, true, nullptr},
                                           PropertiesCase{EDIT_CANCELLED, 1, false, nullptr},
                                           PropertiesCase{EDIT_BLACKBOX_REFUSED, 1, false, "Dit is een blackbox."},
                                           PropertiesCase{EDIT_DELETE, 0, true, nullptr}));

TEST_F(EditingTest, RightClickOnEmptyBoardOpensTheBoardSettings)
{
    ShowBoard();
    ScriptedModals user;
    user.Answer(2).Answer(2);
    Click(CPoint(500, -500), Qt::RightButton);
    Click(CPoint(600, -500), Qt::RightButton);
    ASSERT_EQ(user.Opened(), 2);
    EXPECT_EQ(user.Titles()[0], QStringLiteral("Systeembord"));
}

} // namespace
