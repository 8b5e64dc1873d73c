// Start and Reset from the menu, on boards the way a lesson leaves them: after much
// editing, with emitters far from a sensor, with a pulse generator running.
#include "AppFixture.h"

#include "components/PulsGenerator.h"
#include "shell/CommandIds.h"

namespace {

constexpr int kAndGate = 3;
constexpr int kLamp = 7;
constexpr int kLed = 8;
constexpr int kLightSensor = 9;
constexpr int kPulseGenerator = 13;
constexpr int kToggle = 19;

class MeasurementCommandsTest : public AppFixture {};

// 400 gates placed and deleted leave the socket numbers in the thousands on an almost
// empty board: a toggle numbered so must still be found when Start links the wires of
// the many LEDs added after it.
TEST_F(MeasurementCommandsTest, StartFindsEverySocketAfterALargeBoardWasDeleted)
{
    Start();
    std::vector<CComponent*> gates;
    for (int i = 0; i < 400; ++i) {
        std::unique_ptr<CComponent> c = Doc().CreateComponent(kAndGate);
        c->MoveTo(100 + 300 * (i % 20), -100 - 200 * (i / 20));
        gates.push_back(c.get());
        Doc().AddComponent(std::move(c));
    }
    Doc().DeleteComponents(gates);
    CComponent* toggle = PlaceOnBoard(kToggle, 100, -100);
    toggle->m_nParam2 = 1; // on
    std::vector<CComponent*> leds;
    for (int i = 0; i < 40; ++i) {
        leds.push_back(PlaceOnBoard(kLed, 600 + 400 * (i % 8), -100 - 300 * (i / 8)));
        Connect(toggle->Bus(1), leds.back()->Bus(0));
    }
    ASSERT_GT(toggle->Bus(1).GetId(), 1200);

    Run(ID_MEASURE_START);
    Ticks(2);
    for (std::size_t i = 0; i < leds.size(); ++i)
        EXPECT_EQ(std::abs(leds[i]->Bus(1).m_nValue), 500) << "LED " << i + 1;
    Run(ID_MEASURE_STOP);
}

// Every emitter of a sensor's kind is a source of the sensor, however far away (here
// beyond the board, where a file may put it): its light arrives divided by more than
// 500, which is nothing, but the coupling is made as for any other.
TEST_F(MeasurementCommandsTest, StartCouplesASensorToEveryEmitter)
{
    {
        CVeldtrakDoc writer;
        for (const CPoint at :
             {CPoint(100, -100), CPoint(400, -100), CPoint(100, -60000), CPoint(100, -80000)}) {
            std::unique_ptr<CComponent> c =
                writer.CreateComponent(at.x == 100 && at.y == -100 ? kLightSensor : kLamp);
            c->MoveTo(at.x, at.y);
            writer.AddComponent(std::move(c));
        }
        WriteFile(QStringLiteral("ver.wks"), WriteBoard(writer));
    }
    Start({QStringLiteral("/file:") + Path(QStringLiteral("ver.wks"))});
    ASSERT_EQ(Doc().m_components.size(), 4u);
    CBus& sensing = Doc().m_components[0]->Bus(0);

    Run(ID_MEASURE_START);
    EXPECT_EQ(sensing.SourceCount(), 3u);
    EXPECT_EQ(sensing.GetConnectionCount(), 3);
    for (std::size_t lamp = 1; lamp < 4; ++lamp)
        EXPECT_EQ(Doc().m_components[lamp]->Bus(1).GetConnectionCount(), 1) << "lamp " << lamp;
    Run(ID_MEASURE_STOP);
}

// Reset sets the generator's frequency to 0 and nothing else: the countdown to the next
// pulse stays, in the board and in its file.
TEST_F(MeasurementCommandsTest, ResetStopsThePulseGeneratorAndKeepsItsCountdown)
{
    Start();
    auto* generator = static_cast<CPulsGenerator*>(PlaceOnBoard(kPulseGenerator, 200, -200));
    generator->SetFrequency(1);
    Run(ID_MEASURE_START);
    Ticks(5);
    const int countdown = generator->Countdown();
    ASSERT_GT(countdown, 1);

    Run(ID_MEASURE_RESET);
    EXPECT_TRUE(Doc().m_bRunning) << "Reset does not stop";
    EXPECT_EQ(generator->Frequency(), 0);
    EXPECT_EQ(generator->Countdown(), countdown);
    Ticks(3);
    EXPECT_EQ(generator->Countdown(), countdown) << "no frequency, no countdown";
    Run(ID_MEASURE_STOP);

    CVeldtrakDoc reader;
    reader.DeleteContents();
    ASSERT_EQ(ReadBoard(WriteBoard(Doc()), reader), 0);
    ASSERT_EQ(reader.m_components.size(), 1u);
    EXPECT_EQ(reader.m_components[0]->m_nCorner, countdown) << "the countdown is stored";
}

} // namespace
