// Stop freezes the board: every output keeps its last level and shows it, and the next
// Start goes on from those levels, so a circuit that remembers still knows its state.
#include "AppFixture.h"

#include "shell/CommandIds.h"

namespace {

constexpr int kInverter = 6;
constexpr int kLed = 8;
constexpr int kOrGate = 12;
constexpr int kToggle = 19;

class StoppedBoardTest : public AppFixture {
protected:
    // A click on the toggle's button, as the pupil flips it during a measurement.
    void Flip(const CComponent& toggle)
    {
        QTest::mouseClick(Board().viewport(), Qt::LeftButton, {}, Pixel(toggle.Bus(0).GetCenter()));
        Ticks(1);
    }
    QRgb PixelOf(const CBus& bus)
    {
        Board().viewport()->repaint();
        const QPoint at = Pixel(bus.GetCenter()) * Board().viewport()->devicePixelRatioF();
        return Board().Surface().pixel(at) & 0xFFFFFF;
    }
};

TEST_F(StoppedBoardTest, StopKeepsEveryLevelAndStartGoesOnFromThem)
{
    Start();
    // A latch: once the toggle was on, the OR gate holds itself high through two
    // inverters. From all levels at 0 it does not settle but flickers.
    CComponent* toggle = PlaceOnBoard(kToggle, 200, -200);
    CComponent* gate = PlaceOnBoard(kOrGate, 700, -200);
    CComponent* first = PlaceOnBoard(kInverter, 1300, -700);
    CComponent* second = PlaceOnBoard(kInverter, 700, -700);
    CComponent* led = PlaceOnBoard(kLed, 1300, -200);
    Connect(toggle->Bus(1), gate->Bus(0));
    Connect(gate->Bus(2), first->Bus(0));
    Connect(first->Bus(1), second->Bus(0));
    Connect(second->Bus(1), gate->Bus(1));
    Connect(gate->Bus(2), led->Bus(0));
    const QRgb dark = PixelOf(led->Bus(1));
    const QRgb lit = 0xFF0000;
    ASSERT_NE(dark, lit);

    Run(ID_MEASURE_START);
    Flip(*toggle);
    Ticks(4);
    ASSERT_EQ(std::abs(led->Bus(1).m_nValue), 500);
    Flip(*toggle);
    ASSERT_EQ(toggle->m_nParam2, 0) << "the toggle is off again";
    for (int i = 0; i < 4; ++i) {
        Ticks(1);
        ASSERT_EQ(std::abs(led->Bus(1).m_nValue), 500) << "the latch holds, tick " << i;
    }
    EXPECT_EQ(PixelOf(led->Bus(1)), lit);

    Run(ID_MEASURE_STOP);
    EXPECT_EQ(std::abs(gate->Bus(2).m_nValue), 500);
    EXPECT_EQ(std::abs(second->Bus(1).m_nValue), 500);
    EXPECT_EQ(PixelOf(led->Bus(1)), lit) << "the stopped board shows the state it stopped in";

    Run(ID_MEASURE_START);
    for (int i = 0; i < 6; ++i) {
        Ticks(1);
        EXPECT_EQ(std::abs(led->Bus(1).m_nValue), 500) << "still set after Start, tick " << i;
    }
    Run(ID_MEASURE_STOP);
}

} // namespace
