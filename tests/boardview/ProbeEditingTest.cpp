// Probes while editing: their numbers, attaching at the drop, returning to their
// socket and turning while dragged.
#include "BoardViewFixture.h"
#include "components/Sonde.h"

namespace {

constexpr int PROBE = 24;

class ProbeEditingTest : public BoardViewFixture {
protected:
    void SetUp() override
    {
        BoardViewFixture::SetUp();
        ShowBoard();
        gate = Place(INVERTER, 400, -400);
        Refresh();
    }
    CSonde* PlaceProbe()
    {
        doc->UpdateAllViews(HINT_PLACE_COMPONENT, PROBE | (40 << 16));
        return static_cast<CSonde*>(doc->m_components.back().get());
    }
    // Drops the probe being placed so that its tip lands on 'tip'.
    void DropWithTipAt(CSonde* probe, CPoint tip)
    {
        const CPoint offset(probe->GetTopLeft().x - probe->TipPoint().x,
                            probe->GetTopLeft().y - probe->TipPoint().y);
        const CPoint to(tip.x + offset.x, tip.y + offset.y);
        MoveMouse(to);
        Release(to);
    }
    CComponent* gate = nullptr;
};

TEST_F(ProbeEditingTest, ANewProbeTakesTheSmallestFreeNumber)
{
    for (int number : {1, 3}) {
        CComponent* p = Place(PROBE, 1000 + 100 * number, -900);
        p->m_nParam2 = number;
    }
    CSonde* probe = PlaceProbe();
    EXPECT_EQ(probe->Number(), 2);
    Release(CPoint(100, -900));
}

TEST_F(ProbeEditingTest, ADroppedProbeAttachesAndKeepsToItsSocket)
{
    const CPoint input = SocketCentre(gate, 0);
    CSonde* probe = PlaceProbe();
    DropWithTipAt(probe, input);
    ASSERT_EQ(probe->AttachedBus(), gate->Bus(0).GetId());
    EXPECT_EQ(probe->TipPoint(), probe->TipTarget(gate->Bus(0)));

    // Dragged onto empty board it jumps back.
    const CPoint corner = probe->GetTopLeft();
    Drag(CPoint(corner.x + 40, corner.y - 40), CPoint(1200, -1000));
    EXPECT_EQ(probe->AttachedBus(), gate->Bus(0).GetId());
    EXPECT_EQ(probe->TipPoint(), probe->TipTarget(gate->Bus(0)));
}

TEST_F(ProbeEditingTest, ANeverAttachedProbeStaysWhereItIsDropped)
{
    CSonde* probe = PlaceProbe();
    DropWithTipAt(probe, CPoint(1200, -1000));
    EXPECT_EQ(probe->AttachedBus(), 0);
    EXPECT_EQ(probe->TipPoint(), view->ClientToBoard(Client(CPoint(1200, -1000))));
}

TEST_F(ProbeEditingTest, AProbeDroppedOnAnotherLooksThroughIt)
{
    const CPoint output = SocketCentre(gate, 1);
    CSonde* first = PlaceProbe();
    DropWithTipAt(first, output);
    CSonde* second = PlaceProbe();
    DropWithTipAt(second, first->TipPoint());
    EXPECT_EQ(second->AttachedBus(), gate->Bus(1).GetId());
}

TEST_F(ProbeEditingTest, RightClicksWhileDraggingTurnThroughFourCorners)
{
    CSonde* probe = PlaceProbe();
    const CPoint at(800, -900);
    MoveMouse(at);
    std::vector<int> corners;
    for (int i = 0; i < 4; ++i) {
        Click(at, Qt::RightButton);
        corners.push_back(probe->m_nCorner);
    }
    EXPECT_EQ(corners, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(view->Mode(), MODE_DRAG_COMPONENT);
    Release(at);
    EXPECT_EQ(view->Mode(), MODE_IDLE);
}

} // namespace
