// veldtrak-tool run --grafiek: the measurement chart as PNG or SVG, the SVG holding every
// tick of every probe as the CSV of the same run does.
#include "RunTool.h"

#include "chart/ChartText.h"

#include "support/BoardFixture.h"
#include "support/SvgLines.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

enum { PULSE = 13, COUNTER = 14, SOURCE = 21 };

class ChartToolTest : public BoardFixture {
protected:
    int Tool(const QStringList& arguments) { return RunTool(arguments, m_out, m_err); }

    // A 5 Hz pulse generator counted by a pulse counter, and a 2,5 V source: probe 1 on
    // the pulses, 2 on the counter's lowest bit, 3 on the source.
    void WritePulseBoard(const QString& name)
    {
        doc = std::make_unique<CVeldtrakDoc>();
        doc->m_strBoardTitle = QStringLiteral("Periode meten");
        CComponent* pulse = Place(PULSE, 100, -200);
        pulse->m_nParam1 = 5;
        CComponent* counter = Place(COUNTER, 800, -200);
        CComponent* source = Place(SOURCE, 100, -700);
        source->m_nParam1 = 25;
        Wire(pulse->Bus(0).GetId(), counter->Bus(0).GetId());
        AddProbe(*doc, pulse->Bus(0).GetId(), 1);
        AddProbe(*doc, counter->Bus(4).GetId(), 2);
        AddProbe(*doc, source->Bus(0).GetId(), 3);
        WriteFile(name, WriteBoard(*doc));
    }

    // The CSV's levels in hundredths, one list per probe column.
    std::vector<std::vector<int>> CsvLevels(const QString& relative) const
    {
        std::vector<std::vector<int>> levels;
        const QList<QByteArray> lines = ReadFile(relative).split('\n');
        for (qsizetype row = 1; row < lines.size(); ++row) {
            const QList<QByteArray> fields = lines[row].trimmed().split(';');
            if (fields.size() < 2)
                continue;
            levels.resize(std::size_t(fields.size() - 1));
            for (qsizetype f = 1; f < fields.size(); ++f)
                levels[std::size_t(f - 1)].push_back(QByteArray(fields[f]).replace(',', "").toInt());
        }
        return levels;
    }

    QString m_out, m_err;
};

TEST_F(ChartToolTest, TheSvgHoldsEveryTickOfEveryProbeAsTheCsvDoes)
{
    WritePulseBoard(QStringLiteral("puls.wks"));
    ASSERT_EQ(Tool({QStringLiteral("run"), Path(QStringLiteral("puls.wks")), QStringLiteral("--ticks"),
                    QStringLiteral("40"), QStringLiteral("--grafiek"), Path(QStringLiteral("uit/puls.svg")),
                    QStringLiteral("--csv"), Path(QStringLiteral("uit/puls.csv"))}),
              0)
        << m_err.toStdString();
    const std::vector<std::vector<int>> csv = CsvLevels(QStringLiteral("uit/puls.csv"));
    ASSERT_EQ(csv.size(), 3u);
    ASSERT_EQ(csv[0].size(), 40u);

    // The probes' colours, in the order of their numbers: red, blue, green.
    const QString colours[] = {QStringLiteral("#d60000"), QStringLiteral("#0050dc"), QStringLiteral("#008c00")};
    for (std::size_t probe = 0; probe < 3; ++probe) {
        SCOPED_TRACE(probe + 1);
        const std::vector<std::vector<QPointF>> lines = SvgLines(ReadFile(QStringLiteral("uit/puls.svg")), colours[probe]);
        ASSERT_EQ(lines.size(), 1u) << "one line per probe";
        const std::vector<QPointF>& trace = lines.front();
        ASSERT_EQ(trace.size(), 40u);
        for (std::size_t t = 0; t < 40; ++t) {
            EXPECT_EQ(trace[t].x(), double(t)) << "a point per tick";
            EXPECT_EQ(trace[t].y(), double(csv[probe][t])) << "tick " << t;
        }
    }

    // Worked out by hand: at 5 Hz the generator is high one tick in seven; the counter's
    // lowest bit turns at each pulse; the source stands at 2,50 V throughout.
    std::vector<std::size_t> pulses;
    for (std::size_t t = 0; t < 40; ++t) {
        EXPECT_TRUE(csv[0][t] == 0 || csv[0][t] == 500) << t;
        if (csv[0][t] == 500)
            pulses.push_back(t);
        EXPECT_EQ(csv[2][t], 250);
    }
    ASSERT_GE(pulses.size(), 5u);
    for (std::size_t i = 1; i < pulses.size(); ++i)
        EXPECT_EQ(pulses[i] - pulses[i - 1], 7u);
    int turns = 0;
    for (std::size_t t = 1; t < 40; ++t)
        turns += csv[1][t] != csv[1][t - 1];
    EXPECT_GE(turns, int(pulses.size()) - 1);

    const QByteArray svg = ReadFile(QStringLiteral("uit/puls.svg"));
    for (const char* text : {"Sonde 1", "Sonde 2", "Sonde 3", "Periode meten", "5 V"})
        EXPECT_TRUE(svg.contains(text)) << text;
}

TEST_F(ChartToolTest, ThePngShowsTheWholeMeasurementInALanePerProbe)
{
    WritePulseBoard(QStringLiteral("puls.wks"));
    ASSERT_EQ(Tool({QStringLiteral("run"), Path(QStringLiteral("puls.wks")), QStringLiteral("--ticks"),
                    QStringLiteral("300"), QStringLiteral("--grafiek"), Path(QStringLiteral("puls.PNG"))}),
              0)
        << m_err.toStdString();
    const QImage png(Path(QStringLiteral("puls.PNG")), "PNG");
    ASSERT_FALSE(png.isNull());
    // 1200 wide; three lanes of 110 with two gaps of 6, 10 above and 26 below for the times.
    EXPECT_EQ(png.size(), QSize(1200, 3 * 110 + 2 * 6 + 10 + 26));
    // The source's lane (the third, from y = 10 + 2 × 116) is crossed at half height
    // (its rows run from 5 V at 0 to 0 V at 109) by the third trace colour, green.
    const int y = 10 + 2 * 116 + 109 / 2;
    int green = 0;
    for (int x = 48; x < 1200 - 14; ++x)
        green += (png.pixel(x, y) & 0xFFFFFF) == 0x008C00u || (png.pixel(x, y + 1) & 0xFFFFFF) == 0x008C00u;
    EXPECT_GT(green, 1000) << "the 2,50 V line runs the whole width";
}

TEST_F(ChartToolTest, WhatCannotBeDrawnIsRefused)
{
    WritePulseBoard(QStringLiteral("puls.wks"));
    doc = std::make_unique<CVeldtrakDoc>();
    WriteFile(QStringLiteral("leeg.wks"), WriteBoard(*doc));
    struct Case {
        const char* board;
        QStringList options;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"puls.wks", {QStringLiteral("--grafiek"), QStringLiteral("grafiek.txt")}, 2, ".png- of een .svg"},
        {"puls.wks", {QStringLiteral("--grafiek"), QStringLiteral("a.svg"), QStringLiteral("--grafiek"), QStringLiteral("b.svg")}, 2, "Gebruik"},
        {"puls.wks", {QStringLiteral("--grafiek")}, 2, "Gebruik"},
        {"leeg.wks", {QStringLiteral("--grafiek"), QStringLiteral("leeg.svg")}, 1, "Geen grafiek"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        QStringList arguments = {QStringLiteral("run"), Path(QString::fromLatin1(c.board)), QStringLiteral("--ticks"),
                                 QStringLiteral("5")};
        EXPECT_EQ(Tool(arguments + c.options), c.status);
        EXPECT_TRUE(m_err.contains(QString::fromUtf8(c.message))) << m_err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("leeg.svg"))));
}

// The chart's numbers, as a Dutch reader writes them.
TEST(ChartTextTest, NumbersHaveADecimalCommaAndOnlyTheDecimalsTheyNeed)
{
    const std::pair<QString, const char*> cases[] = {
        {LevelText(250), "2,50 V"},          {LevelText(5), "0,05 V"},
        {LevelText(-500), "-5,00 V"},        {LevelText(0), "0,00 V"},
        {TickTimeText(27), "1,35 s"},        {TickTimeText(0), "0,00 s"},
        {TickTimeText(-7), "-0,35 s"},       {TickTimeText(72000), "3600,00 s"},
        {AxisTimeText(1, 1), "0,05 s"},      {AxisTimeText(10, 10), "0,5 s"},
        {AxisTimeText(40, 20), "2 s"},       {AxisTimeText(72000, 12000), "3600 s"},
        {AxisTimeText(6, 2), "0,3 s"},
    };
    for (const auto& [shown, expected] : cases)
        EXPECT_EQ(shown, QString::fromUtf8(expected));
}

} // namespace
