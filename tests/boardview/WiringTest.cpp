// Wiring by clicks: bends and their snapping, refusals, the one-wire-per-input rule,
// redrawing a connection, abandoning and deleting by a right click.
#include "BoardViewFixture.h"
#include "support/ScriptedModals.h"

#include <QScrollBar>

namespace {

class WiringTest : public BoardViewFixture {
protected:
    void SetUp() override
    {
        BoardViewFixture::SetUp();
        ShowBoard();
        a = Place(INVERTER, 100, -100);
        b = Place(INVERTER, 900, -600);
        c = Place(INVERTER, 900, -100);
        Refresh();
    }
    // Input 0, output 1 of an inverter.
    CPoint In(CComponent* g) { return SocketCentre(g, 0); }
    CPoint Out(CComponent* g) { return SocketCentre(g, 1); }
    bool Beeped() const { return sound.log.contains(QStringLiteral("beep 500 50")); }

    CComponent* a = nullptr;
    CComponent* b = nullptr;
    CComponent* c = nullptr;
};

TEST_F(WiringTest, TheRubberBandFollowsAndAbandoningLeavesTheBoardAsItWas)
{
    const QImage before = view->Surface().copy();
    Click(Out(a));
    ASSERT_EQ(view->Mode(), MODE_WIRE);
    MoveMouse(CPoint(700, -900));
    Screenshot(QStringLiteral("rubber-band-wire"));
    EXPECT_NE(view->Surface(), before);
    Click(CPoint(700, -900), Qt::RightButton);
    Refresh();
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_EQ(view->WireInProgress(), nullptr);
    EXPECT_TRUE(doc->m_wires.empty());
    EXPECT_EQ(view->Surface(), before);
}

struct SnapCase {
    int margin, dx;
    bool snapped;
};

class BendSnapTest : public WiringTest, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(BendSnapTest, ABendSnapsOntoThePreviousPointWithinTheMargin)
{
    const SnapCase& s = GetParam();
    doc->m_nSnapMargin = s.margin;
    const CPoint start = Out(a);
    // A bend far to the right, its x near the start's; the wire ends on c's input.
    Click(start);
    const CPoint bend(start.x + s.dx, -1000);
    Click(bend);
    Click(CPoint(1400, -1000));
    Click(In(b));
    ASSERT_EQ(doc->m_wires.size(), 1u);
    const int startX = doc->m_wires[0]->GetPoint(0).x;
    const int placedX = doc->m_wires[0]->GetPoint(1).x;
    const int clickedX = view->ClientToBoard(Client(bend)).x;
    EXPECT_EQ(placedX, s.snapped ? startX : clickedX);
}

INSTANTIATE_TEST_SUITE_P(Margins, BendSnapTest,
                         ::testing::Values(SnapCase{0, 8, false}, SnapCase{30, 8, true},
                                           SnapCase{30, 60, false}, SnapCase{30, -8, true}));

TEST_F(WiringTest, RefusedWiresAreDiscardedWithTheErrorBeep)
{
    const std::pair<CPoint, CPoint> refused[] = {
        {Out(a), Out(b)}, // two outputs
        {In(a), In(b)},   // two inputs
        {Out(a), Out(a)}, // the same socket
    };
    for (const auto& [from, to] : refused) {
        sound.log.clear();
        Click(from);
        Click(to);
        EXPECT_EQ(view->Mode(), MODE_IDLE);
        EXPECT_TRUE(doc->m_wires.empty());
        EXPECT_TRUE(Beeped());
    }
    QTest::qWait(150);
    EXPECT_TRUE(sound.log.contains(QStringLiteral("beep 200 50")));
}

TEST_F(WiringTest, StartingOnAnInputWorksAndTheInputTakesOnlyOneWire)
{
    Click(In(b));
    Click(Out(a));
    ASSERT_EQ(doc->m_wires.size(), 1u);
    ScriptedModals user;
    user.Answer(1);
    Click(Out(c));
    Click(In(b));
    EXPECT_EQ(doc->m_wires.size(), 1u);
    EXPECT_TRUE(Beeped());
    EXPECT_EQ(user.Titles().last(), QStringLiteral("Waarschuwing"));
    EXPECT_EQ(user.Texts().last().join(u' '),
              QStringLiteral("Er mag maar één draad in een invoerbus. Gebruik een OF-poort om beide "
                             "signalen tot één signaal te combineren."));
}

TEST_F(WiringTest, RedrawingAConnectionRemovesIt)
{
    Click(Out(a));
    Click(In(b));
    ASSERT_EQ(doc->m_wires.size(), 1u);
    Refresh();
    const QImage wired = view->Surface().copy();
    Click(In(b));
    Click(Out(a));
    EXPECT_TRUE(doc->m_wires.empty());
    EXPECT_NE(view->Surface(), wired);
}

TEST_F(WiringTest, ARightClickNearAWireDeletesItWithinTheEraseMargin)
{
    doc->m_colWire = RGB(0, 0, 255) ^ 0xFFFFFF;
    Click(Out(a));
    Click(In(b));
    ASSERT_EQ(doc->m_wires.size(), 1u);
    EXPECT_EQ(doc->m_wires[0]->GetColour(), doc->m_colWire);
    const CPoint p = doc->m_wires[0]->GetPoint(0), q = doc->m_wires[0]->GetPointFromEnd(0);
    const CPoint near((p.x + q.x) / 2, (p.y + q.y) / 2 - 30); // some 20 units off the wire
    ScriptedModals user;
    user.Answer(2); // the miss with margin 0 opens the board settings instead
    doc->m_nEraseMargin = 0;
    Click(near, Qt::RightButton);
    EXPECT_EQ(doc->m_wires.size(), 1u);
    doc->m_nEraseMargin = 40;
    Click(near, Qt::RightButton);
    EXPECT_TRUE(doc->m_wires.empty());
}

// After every finished action the screen shows exactly what a fresh repaint of the
// board draws: no lost wire, no stale rubber band.
TEST_F(WiringTest, TheScreenShowsTheBoardAfterEveryWiringAction)
{
    ScriptedModals user;
    user.Answer(1); // the one-wire-per-input message
    const struct {
        const char* action;
        std::function<void()> act;
    } steps[] = {
        {"first wire", [&] { Click(Out(a)); MoveMouse(In(b)); Click(In(b)); }},
        {"second wire from the same output", [&] {
             Click(Out(a));
             MoveMouse(CPoint(600, -1200));
             Click(CPoint(600, -1200));
             MoveMouse(In(c));
             Click(In(c));
         }},
        {"a refused wire", [&] { Click(Out(b)); MoveMouse(Out(c)); Click(Out(c)); }},
        {"a second wire into an input", [&] { Click(Out(c)); MoveMouse(In(b)); Click(In(b)); }},
        {"redrawing a connection", [&] { Click(Out(a)); MoveMouse(In(b)); Click(In(b)); }},
        {"an abandoned wire", [&] {
             Click(Out(b));
             MoveMouse(CPoint(1500, -1500));
             Click(CPoint(1500, -1500), Qt::RightButton);
         }},
        {"a deleted wire", [&] {
             const CPoint p = doc->m_wires[0]->GetPoint(0), q = doc->m_wires[0]->GetPoint(1);
             Click(CPoint((p.x + q.x) / 2, (p.y + q.y) / 2), Qt::RightButton);
         }},
    };
    for (const auto& step : steps) {
        step.act();
        Paint();
        const QImage shown = view->Surface().copy();
        Refresh();
        EXPECT_TRUE(shown == view->Surface()) << step.action;
        Screenshot(QStringLiteral("wiring-") + QString::fromLatin1(step.action).replace(u' ', u'-'));
    }
    EXPECT_EQ(doc->m_wires.size(), 0u);
}

TEST_F(WiringTest, ARepaintWhileWiringKeepsTheWireBeingDrawn)
{
    Click(Out(a));
    MoveMouse(CPoint(600, -1200));
    Click(CPoint(600, -1200));
    MoveMouse(CPoint(700, -1000));
    view->verticalScrollBar()->setValue(3); // the whole surface is drawn again
    Paint();
    MoveMouse(In(c));
    Click(In(c));
    ASSERT_EQ(doc->m_wires.size(), 1u);
    Paint();
    const QImage shown = view->Surface().copy();
    Refresh();
    EXPECT_TRUE(shown == view->Surface()) << "no rubber band or construction line is left";
}

TEST_F(WiringTest, EscapeAbandonsTheWireLikeARightClick)
{
    const QImage before = view->Surface().copy();
    Click(Out(a));
    MoveMouse(CPoint(700, -900));
    Click(CPoint(700, -900));
    MoveMouse(CPoint(800, -1100));
    QTest::keyClick(view.get(), Qt::Key_Escape);
    Paint();
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_EQ(view->WireInProgress(), nullptr);
    EXPECT_TRUE(view->Surface() == before);
    Click(In(b)); // starts a new wire, not the end of the old one
    EXPECT_EQ(view->Mode(), MODE_WIRE);
    EXPECT_TRUE(doc->m_wires.empty());
}

} // namespace
