// After Stop the board looks as it does before any measurement: no lamp, LED or meter
// still shows the last levels.
#include "AppFixture.h"

#include "shell/CommandIds.h"

namespace {

constexpr int kLamp = 7;
constexpr int kLed = 8;
constexpr int kVoltmeter = 16;
constexpr int kToggle = 19;

using StoppedBoardTest = AppFixture;

TEST_F(StoppedBoardTest, OutputsShowTheirIdleLookAfterStop)
{
    Start();
    CComponent* toggle = PlaceOnBoard(kToggle, 200, -200);
    std::vector<CComponent*> outputs = {PlaceOnBoard(kLamp, 800, -200), PlaceOnBoard(kLed, 800, -700),
                                        PlaceOnBoard(kVoltmeter, 800, -1200)};
    for (CComponent* out : outputs) {
        Doc().m_wires.push_back(std::make_unique<CDraad>());
        Doc().m_wires.back()->AddPoint(toggle->Bus(1).GetCenter(), toggle->Bus(1).GetId(), 30);
        Doc().m_wires.back()->AddPoint(out->Bus(0).GetCenter(), out->Bus(0).GetId(), 30);
    }
    toggle->m_nParam2 = 1; // switched on before the measurement
    Doc().UpdateAllViews(0);
    Board().viewport()->repaint();
    const QImage idle = Board().Surface().copy();

    Run(ID_MEASURE_START);
    for (int i = 0; i < 3; ++i)
        Board().OnTimer(CBoardView::kMeasureTimer);
    Board().viewport()->repaint();
    ASSERT_NE(Board().Surface(), idle) << "the outputs show the toggle's level while measuring";

    Run(ID_MEASURE_STOP);
    Board().viewport()->repaint();
    EXPECT_EQ(Board().Surface(), idle);
}

} // namespace
