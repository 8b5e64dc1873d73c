// veldtrak-tool check: pupils' boards compared with the teacher's, one at a time and a
// whole class's folder at once.
#include "tool/BoardCheck.h"
#include "RunTool.h"

#include "support/BoardFixture.h"
#include "support/DamagedBoards.h"
#include "support/RequireTool.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

// Creation indexes.
enum { PUSH_BUTTON = 2, AND_GATE = 3, MEMORY = 4, INVERTER = 6, LED = 8, OR_GATE = 12, TOGGLE = 19,
       SOURCE = 21, VOLTMETER = 16, COUNTER = 14, TRANSISTOR = 20 };

// How a pupil built the assignment "the LED lights while both buttons are pressed".
enum class Build { AsTeacher, OtherListOrder, TwoInvertersMore, OrGate, FirstButtonOnly };

class CheckTest : public BoardFixture {
protected:
    int Tool(const QStringList& arguments) { return RunTool(arguments, m_out, m_err); }

    // Two push buttons, the upper one A, into an AND gate that drives an LED. The buttons
    // and the LED stand where the worksheet put them; the rest is the pupil's.
    void WriteAndBoard(const QString& name, Build build)
    {
        doc = std::make_unique<CVeldtrakDoc>();
        CComponent* led = nullptr;
        if (build == Build::OtherListOrder) led = Place(LED, 1500, -300);
        CComponent* a = Place(PUSH_BUTTON, 100, -200);
        CComponent* b = Place(PUSH_BUTTON, 100, -500);
        CComponent* gate = Place(build == Build::OrGate ? OR_GATE : AND_GATE, 700, -300);
        if (!led) led = Place(LED, 1500, -300);
        int driver = gate->Bus(2).GetId();
        if (build == Build::TwoInvertersMore)
            for (int x : {1000, 1200}) {
                CComponent* inverter = Place(INVERTER, x, -300);
                Wire(driver, inverter->Bus(0).GetId());
                driver = inverter->Bus(1).GetId();
            }
        if (build == Build::FirstButtonOnly)
            driver = a->Bus(1).GetId();
        Wire(a->Bus(1).GetId(), gate->Bus(0).GetId());
        Wire(b->Bus(1).GetId(), gate->Bus(1).GetId());
        Wire(driver, led->Bus(0).GetId());
        WriteFile(name, WriteBoard(*doc));
    }

    // A set button above a reset button; with 'latch' they drive a memory cell and the
    // LED shows its state, without it the LED shows the set button itself.
    void WriteMemoryBoard(const QString& name, bool latch)
    {
        doc = std::make_unique<CVeldtrakDoc>();
        CComponent* set = Place(PUSH_BUTTON, 100, -200);
        CComponent* reset = Place(PUSH_BUTTON, 100, -500);
        CComponent* led = Place(LED, 1500, -300);
        if (latch) {
            CComponent* cell = Place(MEMORY, 700, -300);
            Wire(set->Bus(1).GetId(), cell->Bus(0).GetId());
            Wire(reset->Bus(1).GetId(), cell->Bus(1).GetId());
            Wire(cell->Bus(2).GetId(), led->Bus(0).GetId());
        } else {
            Wire(set->Bus(1).GetId(), led->Bus(0).GetId());
        }
        WriteFile(name, WriteBoard(*doc));
    }

    QString m_out, m_err;
};

TEST_F(CheckTest, AClassFolderGivesATableAndFailsWhenAnyPupilIsWrong)
{
    WriteAndBoard(QStringLiteral("docent/en.wks"), Build::AsTeacher);
    WriteAndBoard(QStringLiteral("klas/anna.ant"), Build::AsTeacher);
    WriteAndBoard(QStringLiteral("klas/bram.ant"), Build::OrGate);
    WriteAndBoard(QStringLiteral("klas/cem.ant"), Build::OtherListOrder);
    WriteAndBoard(QStringLiteral("klas/dewi.ant"), Build::FirstButtonOnly);
    WriteAndBoard(QStringLiteral("klas/eva.ant"), Build::TwoInvertersMore);

    EXPECT_EQ(Tool({QStringLiteral("check"), QStringLiteral("--dir"), Path(QStringLiteral("klas")),
                    QStringLiteral("--against"), Path(QStringLiteral("docent/en.wks"))}),
              1)
        << m_err.toStdString();
    EXPECT_EQ(m_out, QStringLiteral("Controle tegen en.wks\n"
                                    "Invoer: drukschakelaar 1, drukschakelaar 2\n"
                                    "Uitvoer: led 1\n"
                                    "Patronen: 4 (alle combinaties), elk na een reset en daarna in volgorde\n"
                                    "\n"
                                    "naam      oordeel         eerste verschil\n"
                                    "anna.ant  goed            -\n"
                                    "bram.ant  fout            na reset, invoer 0 1: led 1 aan, verwacht uit\n"
                                    "cem.ant   goed            -\n"
                                    "dewi.ant  fout            na reset, invoer 1 0: led 1 aan, verwacht uit\n"
                                    "eva.ant   goed            -\n"
                                    "\n"
                                    "5 borden: 3 goed, 2 niet goed\n"))
        << m_out.toStdString();

    for (const char* wrong : {"bram.ant", "dewi.ant"})
        QFile::remove(Path(QStringLiteral("klas/") + QLatin1String(wrong)));
    EXPECT_EQ(Tool({QStringLiteral("check"), QStringLiteral("--dir"), Path(QStringLiteral("klas")),
                    QStringLiteral("--against"), Path(QStringLiteral("docent/en.wks"))}),
              0)
        << m_out.toStdString();
}

TEST_F(CheckTest, OnePupilGetsAVerdictPerOutput)
{
    WriteAndBoard(QStringLiteral("en.wks"), Build::AsTeacher);
    WriteAndBoard(QStringLiteral("goed.ant"), Build::TwoInvertersMore);
    WriteAndBoard(QStringLiteral("fout.ant"), Build::OrGate);
    EXPECT_EQ(Tool({QStringLiteral("check"), Path(QStringLiteral("goed.ant")), QStringLiteral("--against"),
                    Path(QStringLiteral("en.wks"))}),
              0);
    EXPECT_TRUE(m_out.endsWith(QStringLiteral("led 1: goed\nOordeel: goed\n"))) << m_out.toStdString();

    EXPECT_EQ(Tool({QStringLiteral("check"), Path(QStringLiteral("fout.ant")), QStringLiteral("--against"),
                    Path(QStringLiteral("en.wks"))}),
              1);
    EXPECT_TRUE(m_out.endsWith(QStringLiteral("led 1: fout\n"
                                              "Eerste verschil: na reset, invoer 0 1: led 1 aan, verwacht uit\n"
                                              "Oordeel: fout\n")))
        << m_out.toStdString();
}

// A wire in place of a memory cell shows the same after every Reset; only the patterns
// in order, where the cell keeps what was set, tell them apart.
TEST_F(CheckTest, WhatACircuitRemembersCounts)
{
    WriteMemoryBoard(QStringLiteral("geheugen.wks"), true);
    WriteMemoryBoard(QStringLiteral("draad.ant"), false);
    EXPECT_EQ(Tool({QStringLiteral("check"), Path(QStringLiteral("draad.ant")), QStringLiteral("--against"),
                    Path(QStringLiteral("geheugen.wks"))}),
              1);
    EXPECT_TRUE(m_out.contains(
        QStringLiteral("Eerste verschil: in volgorde, invoer 1 0 en daarna 0 0: led 1 uit, verwacht aan")))
        << m_out.toStdString();
}

// A transistor at its threshold of 0,70 V switches exactly as an inverter: two of them
// in a row count the toggle's flips as two inverters do. Each Reset of the check starts
// both boards from the same levels, the inverters' too, which the tick keeps apart.
TEST_F(CheckTest, TwoTransistorsCountAsTwoInverters)
{
    for (const bool transistors : {false, true}) {
        doc = std::make_unique<CVeldtrakDoc>();
        CComponent* toggle = Place(TOGGLE, 100, -200);
        CComponent* counter = Place(COUNTER, 1500, -200);
        int driver = toggle->Bus(1).GetId();
        for (int x : {500, 900}) {
            CComponent* stage = Place(transistors ? TRANSISTOR : INVERTER, x, -200);
            Wire(driver, stage->Bus(0).GetId());
            driver = stage->Bus(1).GetId();
        }
        Wire(driver, counter->Bus(0).GetId());
        WriteFile(transistors ? QStringLiteral("transistors.ant") : QStringLiteral("invertors.wks"),
                  WriteBoard(*doc));
    }
    EXPECT_EQ(Tool({QStringLiteral("check"), Path(QStringLiteral("transistors.ant")), QStringLiteral("--against"),
                    Path(QStringLiteral("invertors.wks"))}),
              0)
        << m_out.toStdString();
    EXPECT_TRUE(m_out.endsWith(QStringLiteral("pulsteller 1: goed\nOordeel: goed\n"))) << m_out.toStdString();
}

TEST_F(CheckTest, BoardsThatCannotBeComparedAreRowsOfTheirOwn)
{
    WriteAndBoard(QStringLiteral("en.wks"), Build::AsTeacher);
    for (const damaged::Case& c : damaged::Cases())
        if (c.refused) {
            WriteFile(QStringLiteral("klas/kapot.ant"), damaged::Bytes(c));
            break;
        }
    WriteFile(QStringLiteral("klas/leeg.ant"), QByteArray("\x01\x02", 2));
    WriteMemoryBoard(QStringLiteral("klas/ander.ant"), true); // the same kinds of inputs and outputs
    doc = std::make_unique<CVeldtrakDoc>();
    Place(TOGGLE, 100, -200);
    Place(LED, 1500, -300);
    WriteFile(QStringLiteral("klas/toggle.ant"), WriteBoard(*doc));
    doc = std::make_unique<CVeldtrakDoc>();
    Place(PUSH_BUTTON, 100, -200);
    Place(PUSH_BUTTON, 100, -500);
    Place(VOLTMETER, 1500, -300);
    WriteFile(QStringLiteral("klas/meter.ant"), WriteBoard(*doc));

    EXPECT_EQ(Tool({QStringLiteral("check"), QStringLiteral("--dir"), Path(QStringLiteral("klas")),
                    QStringLiteral("--against"), Path(QStringLiteral("en.wks"))}),
              1);
    const QStringList lines = m_out.split(u'\n');
    const auto row = [&lines](const char* name) {
        for (const QString& line : lines)
            if (line.startsWith(QLatin1String(name))) return line.simplified();
        return QString();
    };
    EXPECT_TRUE(row("ander.ant").startsWith(QStringLiteral("ander.ant fout "))) << row("ander.ant").toStdString();
    EXPECT_EQ(row("kapot.ant"), QStringLiteral("kapot.ant onleesbaar Ongeldig bestandsformaat."));
    EXPECT_TRUE(row("leeg.ant").startsWith(QStringLiteral("leeg.ant onleesbaar "))) << row("leeg.ant").toStdString();
    EXPECT_EQ(row("meter.ant"),
              QStringLiteral("meter.ant andere uitvoer uitvoer 1 × spanningsmeter, verwacht 1 × led"));
    EXPECT_EQ(row("toggle.ant"),
              QStringLiteral("toggle.ant andere invoer invoer 1 × toggle, verwacht 2 × drukschakelaar"));
    EXPECT_TRUE(m_out.endsWith(QStringLiteral("5 borden: 0 goed, 5 niet goed\n"))) << m_out.toStdString();
}

TEST_F(CheckTest, WhatTheCheckCannotStartOnEndsWithStatusTwo)
{
    WriteAndBoard(QStringLiteral("en.wks"), Build::AsTeacher);
    doc = std::make_unique<CVeldtrakDoc>();
    Place(PUSH_BUTTON, 100, -200);
    WriteFile(QStringLiteral("zonder.wks"), WriteBoard(*doc));
    QDir().mkpath(Path(QStringLiteral("leeg")));
    const QString en = Path(QStringLiteral("en.wks"));
    struct Case {
        QStringList arguments;
        const char* error;
    } const cases[] = {
        {{QStringLiteral("check"), en}, "Gebruik:"},
        {{QStringLiteral("check"), en, QStringLiteral("--against")}, "Gebruik:"},
        {{QStringLiteral("check"), en, QStringLiteral("--dir"), Path(QStringLiteral("leeg")),
          QStringLiteral("--against"), en},
         "Gebruik:"},
        {{QStringLiteral("check"), en, QStringLiteral("--against"), Path(QStringLiteral("weg.wks"))},
         "kon niet worden gevonden"},
        {{QStringLiteral("check"), en, QStringLiteral("--against"), Path(QStringLiteral("zonder.wks"))},
         "geen lamp, LED, zoemer, spanningsmeter of pulsteller"},
        {{QStringLiteral("check"), QStringLiteral("--dir"), Path(QStringLiteral("leeg")),
          QStringLiteral("--against"), en},
         "Geen borden"},
        {{QStringLiteral("check"), QStringLiteral("--dir"), Path(QStringLiteral("nergens")),
          QStringLiteral("--against"), en},
         "bestaat niet"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Tool(c.arguments), 2) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(m_err.contains(QLatin1String(c.error))) << m_err.toStdString();
    }
}

// Up to 1024 combinations every one is tried, counting with the first input as the
// highest digit; beyond that a sample that is the same on every run.
TEST(CheckPlan, EveryCombinationUpTo1024ThenAFixedSample)
{
    const auto inputs = [](int buttons, int sources) {
        std::vector<CheckPort> ports;
        for (int i = 0; i < buttons; ++i) ports.push_back({i, TYPE_DRUKKNOP, {}});
        for (int i = 0; i < sources; ++i) ports.push_back({buttons + i, TYPE_VARSPANNING, {}});
        return ports;
    };
    struct Case {
        int buttons, sources;
        std::size_t patterns;
        bool every;
    } const cases[] = {{0, 0, 1, true}, {2, 0, 4, true}, {10, 0, 1024, true},
                       {11, 0, 1024, false}, {0, 2, 121, true}, {1, 3, 1024, false}};
    for (const Case& c : cases) {
        const CheckPlan plan = MakeCheckPlan(inputs(c.buttons, c.sources), 0);
        EXPECT_EQ(plan.patterns.size(), c.patterns) << c.buttons << ' ' << c.sources;
        EXPECT_EQ(plan.everyCombination, c.every) << c.buttons << ' ' << c.sources;
        for (const std::vector<int>& p : plan.patterns)
            for (std::size_t i = 0; i < p.size(); ++i)
                ASSERT_LT(p[i], i < std::size_t(c.buttons) ? 2 : 11);
    }
    const CheckPlan two = MakeCheckPlan(inputs(2, 0), 0);
    EXPECT_EQ(two.patterns, (std::vector<std::vector<int>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_EQ(MakeCheckPlan(inputs(12, 0), 0).patterns, MakeCheckPlan(inputs(12, 0), 0).patterns);

    EXPECT_EQ(MakeCheckPlan({}, 3).ticksPerPattern, 10);
    EXPECT_EQ(MakeCheckPlan({}, 40).ticksPerPattern, 41);
    EXPECT_EQ(MakeCheckPlan({}, 5000).ticksPerPattern, 200);
}

} // namespace

namespace {

// run --csv, read back as a Dutch spreadsheet reads it: ";" between fields, decimal comma.
TEST_F(CheckTest, RunWritesTheProbesTracesForASpreadsheet)
{
    REQUIRE_TOOL("python3");
    doc = std::make_unique<CVeldtrakDoc>();
    CComponent* toggle = Place(TOGGLE, 100, -200);
    toggle->m_nParam2 = 1; // on, as stored
    CComponent* source = Place(SOURCE, 100, -600);
    source->m_nParam1 = 25; // 2,5 V
    CComponent* inverter = Place(INVERTER, 700, -200);
    Wire(toggle->Bus(1).GetId(), inverter->Bus(0).GetId());
    AddProbe(*doc, inverter->Bus(1).GetId(), 2);
    AddProbe(*doc, source->Bus(0).GetId(), 3);
    AddProbe(*doc, toggle->Bus(1).GetId(), 1);
    WriteFile(QStringLiteral("meting.wks"), WriteBoard(*doc));

    ASSERT_EQ(Tool({QStringLiteral("run"), Path(QStringLiteral("meting.wks")), QStringLiteral("--ticks"),
                    QStringLiteral("3"), QStringLiteral("--csv"), Path(QStringLiteral("uit/meting.csv"))}),
              0)
        << m_err.toStdString();
    const QByteArray csv = ReadFile(QStringLiteral("uit/meting.csv"));
    EXPECT_TRUE(csv.startsWith("tijd (s);Sonde 1;Sonde 2;Sonde 3\r\n0,00;")) << csv.constData();

    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QStringLiteral("import csv,sys\n"
                                                       "rows = list(csv.reader(open(sys.argv[1], newline=''), delimiter=';'))\n"
                                                       "print(rows[0])\n"
                                                       "for r in rows[1:]: print([float(v.replace(',', '.')) for v in r])\n"),
                  Path(QStringLiteral("uit/meting.csv"))});
    ASSERT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()),
              QStringLiteral("['tijd (s)', 'Sonde 1', 'Sonde 2', 'Sonde 3']\n"
                             "[0.0, 5.0, 5.0, 2.5]\n" // the inverter, added later, runs first
                             "[0.05, 5.0, 0.0, 2.5]\n"
                             "[0.1, 5.0, 0.0, 2.5]\n"))
        << python.readAllStandardError().constData();
}

} // namespace
