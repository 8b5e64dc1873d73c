#include "DocFixture.h"

#include "platform/DrawContext.h"

namespace {

class MeasurementTest : public DocFixture {
protected:
    void Tick(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            doc->Tick(m_dc, CPoint(0, 0), 0);
    }
    // Sockets take their kinds and places when drawn, as the board view does first.
    void Start()
    {
        doc->LayOutSockets();
        doc->Start();
    }
    // Every level in its socket first: while running, the tick keeps the gates' own.
    int Level(CComponent* c, int bus) const
    {
        doc->PublishLevels();
        return std::abs(c->Bus(bus).m_nValue);
    }

    CMemoryDC m_dc{16, 16};
};

TEST_F(MeasurementTest, ASignalAgainstTheListOrderTakesATickPerStep)
{
    CComponent* first = Place(INVERTER, 0, 0);    // 1 -> 2
    CComponent* second = Place(INVERTER, 400, 0); // 3 -> 4, runs first
    Wire(2, 3);
    Start();
    Tick();
    EXPECT_EQ(Level(first, 1), 500);
    EXPECT_EQ(Level(second, 1), 500) << "still read the first one's old level";
    Tick();
    EXPECT_EQ(Level(second, 1), 0);
}

TEST_F(MeasurementTest, ASignalAlongTheListOrderArrivesInTheSameTick)
{
    CComponent* second = Place(INVERTER, 400, 0); // 1 -> 2, runs last
    CComponent* first = Place(INVERTER, 0, 0);    // 3 -> 4, runs first
    Wire(4, 1);
    Start();
    Tick();
    EXPECT_EQ(Level(first, 1), 500);
    EXPECT_EQ(Level(second, 1), 0);
}

TEST_F(MeasurementTest, GateTruthOnTheBoard)
{
    // Two inverters drive the inputs of every gate; their inputs stay open (high out).
    const struct {
        int gate;
        int outputWithBothHigh;
    } cases[] = {{AND_GATE, 500}, {NAND_GATE, 0}, {OR_GATE, 500}, {NOR_GATE, 0}, {XOR_GATE, 0}};
    for (const auto& c : cases) {
        doc->DeleteContents();
        CComponent* gate = Place(c.gate, 800, 0);        // 1 2 -> 3
        Place(INVERTER, 0, 0);                           // 4 -> 5
        Place(INVERTER, 0, -300);                        // 6 -> 7
        Wire(5, 1);
        Wire(7, 2);
        Start();
        Tick(3);
        EXPECT_EQ(Level(gate, 2), c.outputWithBothHigh) << c.gate;
        doc->Stop();
        doc->UnlinkAll();
    }
}

TEST_F(MeasurementTest, ProbedSocketsInDescendingProbeNumber)
{
    Place(INVERTER, 0, 0);      // 1 2
    Place(INVERTER, 400, 0);    // 3 4
    AddProbe(*doc, 2, 1);
    AddProbe(*doc, 4, 3);
    AddProbe(*doc, 99, 5); // socket gone: skipped
    Start();
    ASSERT_EQ(doc->m_probeBuses.size(), 2u);
    EXPECT_EQ(doc->m_probeBuses[0], doc->FindBus(4));
    EXPECT_EQ(doc->m_probeBuses[1], doc->FindBus(2));
    EXPECT_EQ(doc->FindBus(4)->m_nValue, 3) << "the number stands in the socket";
    doc->Stop();
    EXPECT_TRUE(doc->m_probeBuses.empty());

    doc->DeleteContents();
    Place(INVERTER, 0, 0);
    Start();
    EXPECT_TRUE(doc->m_probeBuses.empty()) << "no probes, no traces";
}

TEST_F(MeasurementTest, StopFreezesAndStartContinues)
{
    CComponent* inv = Place(INVERTER, 0, 0);
    Start();
    Tick();
    doc->Stop();
    doc->UnlinkAll();
    EXPECT_EQ(Level(inv, 1), 500) << "outputs keep their last level";
    EXPECT_FALSE(doc->m_bRunning);
    Start();
    EXPECT_EQ(Level(inv, 1), 500);
}

TEST_F(MeasurementTest, ResetWhileRunningKeepsTheLinks)
{
    CComponent* a = Place(INVERTER, 0, 0);   // 1 -> 2
    CComponent* b = Place(INVERTER, 400, 0); // 3 -> 4
    Wire(2, 3);
    Start();
    Tick(2);
    doc->Reset();
    doc->ResetComponents(m_dc);
    EXPECT_TRUE(doc->m_bRunning);
    EXPECT_EQ(Level(a, 1), 500) << "reset runs the update once: an open inverter drives high";
    EXPECT_EQ(b->Bus(0).GetConnectionCount(), 1);
    Tick(2);
    EXPECT_EQ(Level(b, 1), 0);
}

TEST_F(MeasurementTest, StartAndStopSendTheirHints)
{
    struct Recorder : CDocView {
        std::vector<int> hints;
        void OnUpdate(int hint, int) override { hints.push_back(hint); }
    } views;
    doc->AddView(&views);
    Start();
    Tick();
    doc->Reset();
    doc->Stop();
    doc->RemoveView(&views);
    EXPECT_EQ(views.hints, (std::vector<int>{HINT_STARTED, HINT_TICK, HINT_RESET, HINT_STOPPED}));
}

} // namespace

namespace {

TEST_F(MeasurementTest, FarEmittersAreCoupledLikeNearOnes)
{
    CComponent* sensor = Place(9, 0, 0);          // light sensor
    Place(7, 200, 0);                             // a lamp nearby
    Place(7, 0, -200000);                         // two far beyond any effect
    Place(7, 0, -300000);
    Start();
    EXPECT_EQ(sensor->Bus(0).GetConnectionCount(), 3) << "every emitter counts";
    EXPECT_EQ(sensor->Bus(0).SourceCount(), 3u) << "and is a source";
    Tick(2);
    EXPECT_EQ(sensor->Bus(0).ReadInput(), 0);
}

} // namespace
