#include "core/Component.h"

#include "platform/DrawContext.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// A component with two sockets that records how it was updated.
class CProbeComponent : public CComponent {
public:
    CProbeComponent() : CComponent(TYPE_ENPOORT, 200, 100, 2) {}
    const char* GetClassName() const override { return "CProbeComponent"; }
    unsigned GetTypeId() const override { return TYPE_ENPOORT; }
    int EditProperties(int) override { return EDIT_CANCELLED; }
    void Draw(CDC&) override {}
    void Update(CDC&, CPoint, std::uint32_t* pState) override
    {
        lastState = *pState;
        Bus(1).m_nValue = 7;
    }
    std::uint32_t lastState = 0;
};

TEST(ComponentTest, NumberBusesContinuesAcrossComponents)
{
    CProbeComponent a, b;
    EXPECT_EQ(a.NumberBuses(0), 2);
    EXPECT_EQ(b.NumberBuses(2), 4);
    EXPECT_EQ(b.GetBusRange(), std::make_pair(3, 4));
    EXPECT_EQ(a.m_strName, QStringLiteral("EN-poort"));
}

TEST(ComponentTest, MovingCarriesSocketsAlong)
{
    CProbeComponent c;
    c.SetTopLeft(100, -200);
    EXPECT_EQ(c.m_rect, CRect(100, -200, 300, -300));
    c.Bus(0).SetPosition(100, -200, BUS_INPUT);
    c.MoveTo(100, -200);
    EXPECT_EQ(c.Bus(0).GetCenter(), CPoint(120, -220)) << "moving to the same corner changes nothing";
    c.MoveTo(150, -250);
    EXPECT_EQ(c.m_rect, CRect(150, -250, 350, -350));
    EXPECT_EQ(c.Bus(0).GetCenter(), CPoint(170, -270));
}

TEST(ComponentTest, HitTestUsesGrownNormalisedRectangle)
{
    CProbeComponent c;
    c.SetTopLeft(100, -200); // x 100..300, y -300..-200
    EXPECT_TRUE(c.HitTest(99, -250));
    EXPECT_TRUE(c.HitTest(300, -201));
    EXPECT_FALSE(c.HitTest(301, -250));
    EXPECT_EQ(c.GetSize(), CSize(202, 102));
}

TEST(ComponentTest, ResetZeroesLevelsAndRequestsRedraw)
{
    CProbeComponent c;
    c.Bus(0).m_nValue = 500;
    CMemoryDC dc(8, 8);
    c.Reset(dc);
    EXPECT_EQ(c.Bus(0).m_nValue, 0);
    EXPECT_EQ(c.Bus(1).m_nValue, 7) << "Update runs after the levels were zeroed";
    EXPECT_EQ(c.lastState, std::uint32_t(STATE_RESET | STATE_REDRAW));
}

TEST(ComponentTest, AgeingFlipsThenClears)
{
    CProbeComponent c;
    c.Bus(0).m_nValue = 500;
    c.Bus(1).m_nValue = -500;
    c.AgeBusValues();
    EXPECT_EQ(c.Bus(0).m_nValue, -500);
    EXPECT_EQ(c.Bus(1).m_nValue, 0);
}

TEST(ComponentTest, CornersGoRoundAndOffsetInward)
{
    CProbeComponent c;
    c.SetTopLeft(0, 0); // (0, 0, 200, -100)
    const CPoint points[] = {{0, 0}, {195, 0}, {195, -105}, {0, -105}};
    const CPoint offsets[] = {{15, -15}, {5, -15}, {5, -5}, {15, -5}};
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_EQ(c.m_nCorner, corner);
        EXPECT_EQ(c.GetCornerPoint(), points[corner]) << corner;
        EXPECT_EQ(c.CornerOffset(10, -10, 11), offsets[corner]) << corner;
        c.NextCorner();
    }
    EXPECT_EQ(c.m_nCorner, 0) << "after corner 3 comes 0";
}

} // namespace
