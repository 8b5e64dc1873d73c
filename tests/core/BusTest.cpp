#include "core/Bus.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct ReadCase {
    const char* name;
    std::vector<std::pair<int, unsigned>> sources; // level, divisor
    int stored;
    int expected;
};

TEST(BusTest, ReadInputTakesLargestAttenuatedSource)
{
    const ReadCase cases[] = {
        {"previous-tick source counts by magnitude", {{-500, 1}}, 0, 500},
        {"largest of two", {{500, 1}, {500, 3}}, 0, 500},
        {"attenuated beats weaker", {{0, 1}, {300, 2}}, 0, 150},
        {"fresh zero beats flipped old level", {{0, 1}}, -500, 0},
        {"divisor zero acts as one", {{400, 0}}, 0, 400},
    };
    for (const ReadCase& c : cases) {
        std::vector<CBus> sources(c.sources.size());
        CBus reader;
        reader.m_nValue = c.stored;
        for (std::size_t i = 0; i < c.sources.size(); ++i) {
            sources[i].m_nValue = c.sources[i].first;
            reader.AddSource(&sources[i], c.sources[i].second);
        }
        EXPECT_EQ(reader.ReadInput(), c.expected) << c.name;
        EXPECT_EQ(reader.ReadInput(), c.expected) << c.name << " (read twice)";
        EXPECT_EQ(reader.GetConnectionCount(), int(c.sources.size())) << c.name;
    }
}

TEST(BusTest, UnconnectedInputFadesAfterOneTick)
{
    CBus input;
    input.m_nValue = 500;
    EXPECT_EQ(input.ReadInput(), 500);
    input.m_nValue = -input.m_nValue; // ageing at the end of the tick
    EXPECT_EQ(input.ReadInput(), 500);
    input.m_nValue = 0; // aged again
    EXPECT_EQ(input.ReadInput(), 0);
}

TEST(BusTest, ClearSourcesUnlinks)
{
    CBus source, reader;
    source.m_nValue = 500;
    reader.AddSource(&source, 1);
    reader.ClearSources();
    EXPECT_EQ(reader.GetConnectionCount(), 0);
    EXPECT_EQ(reader.ReadInput(), 0);
}

TEST(BusTest, HitTestByKind)
{
    CBus disc;
    disc.SetPosition(100, -100, BUS_INPUT); // centre (120, -120), radius 20
    EXPECT_EQ(disc.GetCenter(), CPoint(120, -120));
    EXPECT_TRUE(disc.HitTest(120, -120));
    EXPECT_TRUE(disc.HitTest(139, -120));
    EXPECT_FALSE(disc.HitTest(140, -120)) << "on the circle is outside";

    CBus button;
    button.SetPosition(100, -100, BUS_BUTTON); // (100, -100) .. (140, -140)
    EXPECT_TRUE(button.HitTest(99, -120)) << "left - 1 is inside the grown rectangle";
    EXPECT_FALSE(button.HitTest(141, -120)) << "right + 1 is the excluded edge";
    EXPECT_TRUE(button.HitTest(140, -120));
}

TEST(BusTest, CenterTruncatesTowardZero)
{
    CBus bus;
    bus.m_rect = CRect(-3, -3, 0, 0);
    EXPECT_EQ(bus.GetCenter(), CPoint(-1, -1));
}

} // namespace
