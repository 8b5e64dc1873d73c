// veldtrak-tool check: pupils' boards compared with the teacher's, one at a time and a
// whole class's folder at once.
#include "tool/BoardCheck.h"
#include "RunTool.h"

#include "components/Comparator.h"
#include "support/BoardFixture.h"
#include "support/DamagedBoards.h"
#include "support/RequireTool.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

// Creation indexes.
enum {
    COMPARATOR = 1,
    PUSH_BUTTON = 2,
    AND_GATE = 3,
    MEMORY = 4,
    INVERTER = 6,
    LAMP = 7,
    LED = 8,
    LIGHT_SENSOR = 9,
    OR_GATE = 12,
    PULSE_GENERATOR = 13,
    TOGGLE = 19,
    SOURCE = 21,
    VOLTMETER = 16,
    COUNTER = 14,
    TRANSISTOR = 20
};

// How a pupil built the assignment "the LED lights while both buttons are pressed".
enum class Build { AsTeacher, OtherListOrder, TwoInvertersMore, OrGate, FirstButtonOnly };

// How a pupil built the night light: "with the toggle on, the lamp lights when it is
// darker than 2,5 V on the light sensor".
enum class NightLight { AsTeacher, SensorUnwired, ComparatorAt1_5V, ExtraVoltmeter };

class CheckTest : public BoardFixture {
protected:
    int Tool(const QStringList& arguments) { return RunTool(arguments, m_out, m_err); }
    // check --dir over a class folder, against the teacher's board.
    int CheckClass(const QString& folder, const QString& reference)
    {
        return Tool({QStringLiteral("check"), QStringLiteral("--dir"), Path(folder),
                     QStringLiteral("--against"), Path(reference)});
    }

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

    // A toggle and a light sensor; the sensor into a comparator (2,5 V), through an
    // inverter and, with the toggle, an AND gate into a lamp far from the sensor.
    void WriteNightLight(const QString& name, NightLight build)
    {
        doc = std::make_unique<CVeldtrakDoc>();
        CComponent* toggle = Place(TOGGLE, 100, -200);
        CComponent* sensor = Place(LIGHT_SENSOR, 100, -600);
        auto* comparator = static_cast<CComparator*>(Place(COMPARATOR, 700, -600));
        comparator->SetSetting(build == NightLight::ComparatorAt1_5V ? 15 : 25);
        CComponent* inverter = Place(INVERTER, 1200, -600);
        CComponent* gate = Place(AND_GATE, 1700, -300);
        CComponent* lamp = Place(LAMP, 2600, -300);
        if (build != NightLight::SensorUnwired)
            Wire(sensor->Bus(1).GetId(), comparator->Bus(0).GetId());
        Wire(comparator->Bus(1).GetId(), inverter->Bus(0).GetId());
        Wire(toggle->Bus(1).GetId(), gate->Bus(0).GetId());
        Wire(inverter->Bus(1).GetId(), gate->Bus(1).GetId());
        Wire(gate->Bus(2).GetId(), lamp->Bus(0).GetId());
        if (build == NightLight::ExtraVoltmeter) {
            // What the pupil measured on the way, and may not delete.
            CComponent* meter = Place(VOLTMETER, 700, -1100);
            Wire(sensor->Bus(1).GetId(), meter->Bus(0).GetId());
            AddProbe(*doc, comparator->Bus(1).GetId(), 1);
        }
        WriteFile(name, WriteBoard(*doc));
    }

    // One component more than the check runs: push buttons by the hundred and an LED,
    // which would be far more patterns than are tried.
    void WriteLargeBoard(const QString& name)
    {
        doc = std::make_unique<CVeldtrakDoc>();
        for (int i = 0; i < kMaxCheckedComponents; ++i)
            Place(PUSH_BUTTON, 100 + 300 * (i % 25), -200 - 200 * (i / 25));
        Place(LED, 7600, -200);
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

    EXPECT_EQ(CheckClass(QStringLiteral("klas"), QStringLiteral("docent/en.wks")), 1)
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
    EXPECT_EQ(CheckClass(QStringLiteral("klas"), QStringLiteral("docent/en.wks")), 0)
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

// A light sensor is an input like a switch: it gets 0,0 to 5,0 V, with every position
// of the toggle, so the lamp is seen in the dark and in the light. The pupil's own
// voltmeter and probe are left out of the comparison.
TEST_F(CheckTest, AClassOfNightLightsIsCheckedInTheDarkAndInTheLight)
{
    WriteNightLight(QStringLiteral("docent/nachtlamp.wks"), NightLight::AsTeacher);
    WriteNightLight(QStringLiteral("klas/anna.ant"), NightLight::AsTeacher);
    WriteNightLight(QStringLiteral("klas/bram.ant"), NightLight::SensorUnwired);
    WriteNightLight(QStringLiteral("klas/cem.ant"), NightLight::ComparatorAt1_5V);
    WriteNightLight(QStringLiteral("klas/dewi.ant"), NightLight::ExtraVoltmeter);

    EXPECT_EQ(CheckClass(QStringLiteral("klas"), QStringLiteral("docent/nachtlamp.wks")), 1)
        << m_err.toStdString();
    // Toggle on (the first input, the highest digit): dark up to 2,0 V, light from 2,5 V.
    // Bram's comparator always reads 0 V, so his lamp stays lit at 2,5 V; Cem's goes out
    // at 1,5 V already.
    EXPECT_EQ(m_out, QStringLiteral(
                         "Controle tegen nachtlamp.wks\n"
                         "Invoer: toggle 1, lichtsensor 1\n"
                         "Uitvoer: lamp 1\n"
                         "Patronen: 22 (alle combinaties), elk na een reset en daarna in volgorde\n"
                         "\n"
                         "naam      oordeel         eerste verschil\n"
                         "anna.ant  goed            -\n"
                         "bram.ant  fout            na reset, invoer 1 2,5V: lamp 1 helderheid 15, "
                         "verwacht helderheid 0\n"
                         "cem.ant   fout            na reset, invoer 1 1,5V: lamp 1 helderheid 0, "
                         "verwacht helderheid 15\n"
                         "dewi.ant  goed            -\n"
                         "\n"
                         "4 borden: 2 goed, 2 niet goed\n"))
        << m_out.toStdString();
}

// A pupil's voltmeter above the teacher's does not take its place; one moved still
// counts as the teacher's; an LED more or a voltmeter fewer is another board.
TEST_F(CheckTest, OutputsAreMatchedByKindAndPlace)
{
    enum class Meter { AsTeacher, ExtraAbove, Moved, ExtraLed, None };
    const auto write = [this](const QString& name, Meter build) {
        doc = std::make_unique<CVeldtrakDoc>();
        CComponent* toggle = Place(TOGGLE, 100, -600);
        if (build == Meter::ExtraAbove)
            Place(VOLTMETER, 1500, -100); // wired to nothing: it shows 0,00 V
        if (build == Meter::ExtraLed) Place(LED, 1500, -100);
        if (build != Meter::None) {
            CComponent* meter =
                build == Meter::Moved ? Place(VOLTMETER, 1900, -900) : Place(VOLTMETER, 1500, -600);
            Wire(toggle->Bus(1).GetId(), meter->Bus(0).GetId());
        } else {
            AddProbe(*doc, toggle->Bus(1).GetId(), 1);
        }
        WriteFile(name, WriteBoard(*doc));
    };
    write(QStringLiteral("meter.wks"), Meter::AsTeacher);
    write(QStringLiteral("klas/erboven.ant"), Meter::ExtraAbove);
    write(QStringLiteral("klas/led.ant"), Meter::ExtraLed);
    write(QStringLiteral("klas/verplaatst.ant"), Meter::Moved);
    write(QStringLiteral("klas/zonder.ant"), Meter::None);

    EXPECT_EQ(CheckClass(QStringLiteral("klas"), QStringLiteral("meter.wks")), 1);
    EXPECT_TRUE(m_out.endsWith(
        QStringLiteral("naam            oordeel         eerste verschil\n"
                       "erboven.ant     goed            -\n"
                       "led.ant         andere uitvoer  uitvoer 1 × led, 1 × spanningsmeter, "
                       "verwacht 1 × spanningsmeter\n"
                       "verplaatst.ant  goed            -\n"
                       "zonder.ant      andere uitvoer  uitvoer geen, verwacht 1 × spanningsmeter\n"
                       "\n"
                       "4 borden: 2 goed, 2 niet goed\n")))
        << m_out.toStdString();
}

// What is set on a slider is part of the circuit, though the measurement's Reset puts
// it at 0: a pulse generator at 5 Hz is not one at 10 Hz. A countdown saved halfway a
// period does not count.
TEST_F(CheckTest, TheSlidersKeepTheirSettingThroughTheChecksResets)
{
    const auto write = [this](const QString& name, int hertz, int countdown) {
        doc = std::make_unique<CVeldtrakDoc>();
        CComponent* generator = Place(PULSE_GENERATOR, 100, -200);
        generator->m_nParam1 = hertz;
        generator->m_nCorner = countdown;
        CComponent* counter = Place(COUNTER, 1500, -200);
        Wire(generator->Bus(0).GetId(), counter->Bus(0).GetId());
        WriteFile(name, WriteBoard(*doc));
    };
    write(QStringLiteral("puls.wks"), 10, 0);
    write(QStringLiteral("klas/gemeten.ant"), 10, 1);
    write(QStringLiteral("klas/trager.ant"), 5, 0);
    EXPECT_EQ(CheckClass(QStringLiteral("klas"), QStringLiteral("puls.wks")), 1);
    // Ten ticks: at 10 Hz a pulse every other tick from the first, at 5 Hz every seventh;
    // the counter, added later, sees each one tick later.
    EXPECT_TRUE(m_out.endsWith(QStringLiteral(
        "naam         oordeel         eerste verschil\n"
        "gemeten.ant  goed            -\n"
        "trager.ant   fout            na reset, invoer -: pulsteller 1 telt 2, verwacht telt 5\n"
        "\n"
        "2 borden: 1 goed, 1 niet goed\n")))
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
    WriteLargeBoard(QStringLiteral("klas/groot.ant"));

    EXPECT_EQ(CheckClass(QStringLiteral("klas"), QStringLiteral("en.wks")), 1);
    const QStringList lines = m_out.split(u'\n');
    const auto row = [&lines](const char* name) {
        for (const QString& line : lines)
            if (line.startsWith(QLatin1String(name))) return line.simplified();
        return QString();
    };
    EXPECT_TRUE(row("ander.ant").startsWith(QStringLiteral("ander.ant fout "))) << row("ander.ant").toStdString();
    EXPECT_EQ(row("kapot.ant"), QStringLiteral("kapot.ant onleesbaar Ongeldig bestandsformaat."));
    EXPECT_EQ(row("groot.ant"), QStringLiteral("groot.ant te groot meer dan 500 onderdelen"));
    EXPECT_TRUE(row("leeg.ant").startsWith(QStringLiteral("leeg.ant onleesbaar "))) << row("leeg.ant").toStdString();
    EXPECT_EQ(row("meter.ant"),
              QStringLiteral("meter.ant andere uitvoer uitvoer 1 × spanningsmeter, verwacht 1 × led"));
    EXPECT_EQ(row("toggle.ant"),
              QStringLiteral("toggle.ant andere invoer invoer 1 × toggle, verwacht 2 × drukschakelaar"));
    EXPECT_TRUE(m_out.endsWith(QStringLiteral("6 borden: 0 goed, 6 niet goed\n")))
        << m_out.toStdString();
}

TEST_F(CheckTest, WhatTheCheckCannotStartOnEndsWithStatusTwo)
{
    WriteAndBoard(QStringLiteral("en.wks"), Build::AsTeacher);
    doc = std::make_unique<CVeldtrakDoc>();
    Place(PUSH_BUTTON, 100, -200);
    WriteFile(QStringLiteral("zonder.wks"), WriteBoard(*doc));
    WriteLargeBoard(QStringLiteral("groot.wks"));
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
        {{QStringLiteral("check"), en, QStringLiteral("--against"),
          Path(QStringLiteral("weg.wks"))},
         "kon niet worden gevonden"},
        {{QStringLiteral("check"), en, QStringLiteral("--against"),
          Path(QStringLiteral("zonder.wks"))},
         "geen lamp, LED, zoemer, spanningsmeter of pulsteller"},
        {{QStringLiteral("check"), en, QStringLiteral("--against"),
          Path(QStringLiteral("groot.wks"))},
         "meer dan 500 onderdelen"},
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
    // 'sources' voltage sources, then as many sensors of the three kinds in turn.
    const auto inputs = [](int buttons, int sources, int sensors = 0) {
        constexpr unsigned kSensors[] = {TYPE_LICHTSENSOR, TYPE_GELUIDSENSOR, TYPE_WARMTESENSOR};
        std::vector<CheckPort> ports;
        for (int i = 0; i < buttons; ++i)
            ports.push_back({i, TYPE_DRUKKNOP, {}, {}});
        for (int i = 0; i < sources; ++i)
            ports.push_back({buttons + i, TYPE_VARSPANNING, {}, {}});
        for (int i = 0; i < sensors; ++i)
            ports.push_back({buttons + sources + i, kSensors[i % 3], {}, {}});
        return ports;
    };
    struct Case {
        int buttons, sources, sensors;
        std::size_t patterns;
        bool every;
    } const cases[] = {{0, 0, 0, 1, true},        {2, 0, 0, 4, true},   {10, 0, 0, 1024, true},
                       {11, 0, 0, 1024, false},   {0, 2, 0, 121, true}, {1, 3, 0, 1024, false},
                       {0, 0, 1, 11, true},       {3, 0, 2, 968, true}, {0, 0, 3, 1024, false},
                       {400, 0, 100, 1024, false}};
    for (const Case& c : cases) {
        const CheckPlan plan = MakeCheckPlan(inputs(c.buttons, c.sources, c.sensors), 0);
        EXPECT_EQ(plan.patterns.size(), c.patterns)
            << c.buttons << ' ' << c.sources << ' ' << c.sensors;
        EXPECT_EQ(plan.everyCombination, c.every)
            << c.buttons << ' ' << c.sources << ' ' << c.sensors;
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
