#include "components/Geheugen.h"
#include "components/PulsGenerator.h"
#include "components/PulsTeller.h"
#include "components/Relais.h"
#include "components/Transistor.h"
#include "components/dialogs/CounterDlg.h"
#include "components/dialogs/FrequencyDlg.h"
#include "components/dialogs/RelayDlg.h"
#include "components/dialogs/ThresholdDlg.h"
#include "core/Archive.h"
#include "core/ClassRegistry.h"
#include "platform/DrawContext.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int r = 20; // socket radius

// A board at 254 dpi (one pixel per unit) on which a component is drawn and ticked as
// the measurement does: inputs read wired sources, levels are aged after every tick.
class CTestBoard {
public:
    explicit CTestBoard(CComponent& component, CPoint topLeft = CPoint(100, -100))
        : m_component(component)
    {
        m_oldFont = m_dc.SelectObject(CFont::Label(44));
        component.MoveTo(topLeft.x, topLeft.y);
    }
    ~CTestBoard() { m_dc.SelectObject(m_oldFont); }

    void Draw() { m_component.Draw(m_dc); }
    // Wires a source into the input and gives it this level for the coming ticks.
    void Set(int bus, int level)
    {
        auto [it, added] = m_sources.try_emplace(bus);
        if (added)
            m_component.Bus(bus).AddSource(&it->second, 1);
        it->second.m_nValue = level;
    }
    // One tick; returns the level of the bus before the levels are aged.
    int Tick(int bus, std::uint32_t state = 0, CPoint cursor = CPoint())
    {
        m_component.Update(m_dc, cursor, &state);
        const int level = m_component.Bus(bus).m_nValue;
        m_component.AgeBusValues();
        return level;
    }
    void Reset() { m_component.Reset(m_dc); }
    CMemoryDC& Dc() { return m_dc; }

private:
    CComponent& m_component;
    CMemoryDC m_dc{800, 500, 254};
    CFont m_oldFont;
    std::map<int, CBus> m_sources;
};

// ---------------------------------------------------------------------------------
// Where the sockets go

struct ExpectedBus {
    int index;
    CPoint centre;
    int kind;
};

COLORREF DrawnColour(int kind)
{
    switch (kind) {
    case BUS_INPUT:
        return RGB(0, 0, 255);
    case BUS_OUTPUT:
        return RGB(0, 255, 0);
    case BUS_BUTTON:
        return RGB(192, 192, 192);
    default:
        return RGB(255, 255, 255); // the lamps are off after a repaint
    }
}

TEST(MemoryPulseDrawingTest, SocketsSitWhereTheGeometryPutsThem)
{
    // Every component is drawn with its top-left corner at (100, -100).
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CComponent>()> make;
        std::function<std::vector<ExpectedBus>(CDC&)> expected;
    };
    const std::vector<Case> cases = {
        {"memory cell", [] { return std::make_unique<CGeheugen>(); },
         [](CDC&) {
             return std::vector<ExpectedBus>{{0, {120, -120}, BUS_INPUT},
                                             {1, {120, -180}, BUS_INPUT},
                                             {2, {336, -150}, BUS_OUTPUT}};
         }},
        {"relay", [] { return std::make_unique<CRelais>(); },
         [](CDC&) {
             // the lamp on the right edge, half way down: T + (B - T) / 2 + r - r
             return std::vector<ExpectedBus>{{0, {120, -120}, BUS_INPUT},
                                             {1, {336, -100 - 114}, BUS_LAMP}};
         }},
        {"transistor", [] { return std::make_unique<CTransistor>(); },
         [](CDC& dc) {
             const int h = dc.GetTextExtent(QStringLiteral("transistor")).cy;
             const int y = -100 + h - 150 + 2 * r - r;
             return std::vector<ExpectedBus>{{0, {120, y}, BUS_INPUT}, {1, {292, y}, BUS_OUTPUT}};
         }},
        {"pulse generator", [] { return std::make_unique<CPulsGenerator>(); },
         [](CDC&) {
             return std::vector<ExpectedBus>{{0, {406, -100 - r / 2 - r}, BUS_OUTPUT}};
         }},
        {"pulse counter", [] { return std::make_unique<CPulsTeller>(); },
         [](CDC& dc) {
             const int h = dc.GetTextExtent(QStringLiteral("reset")).cy;
             const int T = -100;
             std::vector<ExpectedBus> buses = {
                 {0, {120, T - h - r}, BUS_INPUT},
                 {1, {120, T - 2 * h - 5 * r}, BUS_INPUT},
                 {2, {120, T - 3 * h - 9 * r}, BUS_INPUT},
                 {3, {100 + 16 * r, T - 3 * h - 9 * r}, BUS_BUTTON},
             };
             for (int bit = 0; bit < 4; ++bit) // "1" on the right, then every 90 to the left
                 buses.push_back({4 + bit, {740 - r - 90 * bit, T - r}, BUS_OUTPUT});
             return buses;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto component = c.make();
        CTestBoard board(*component);
        board.Draw();
        for (const ExpectedBus& e : c.expected(board.Dc())) {
            SCOPED_TRACE(e.index);
            const CBus& bus = component->Bus(e.index);
            EXPECT_EQ(bus.GetCenter(), e.centre);
            EXPECT_EQ(bus.GetKind(), e.kind);
            EXPECT_EQ(board.Dc().GetPixel(e.centre.x, e.centre.y), DrawnColour(e.kind));
        }
    }
}

// ---------------------------------------------------------------------------------
// Memory cell

TEST(GeheugenTest, SetHoldsResetClearsSetWins)
{
    const struct {
        int set, reset, out;
    } steps[] = {
        {0, 0, 0},     {69, 0, 0},    {70, 0, 500},  {0, 0, 500}, // set pulse stays
        {0, 69, 500},  {0, 70, 0},    {0, 0, 0},                  // reset pulse clears
        {500, 500, 500},                                          // set wins
        {0, 500, 0},
    };
    CGeheugen cell;
    CTestBoard board(cell);
    int i = 0;
    for (const auto& s : steps) {
        board.Set(0, s.set);
        board.Set(1, s.reset);
        EXPECT_EQ(board.Tick(2), s.out) << "step " << i++;
        EXPECT_EQ(cell.State(), s.out);
    }
    board.Set(0, 500);
    board.Tick(2);
    board.Set(0, 0);
    board.Reset();
    EXPECT_EQ(cell.State(), 0);
    EXPECT_EQ(cell.Bus(2).m_nValue, 0);
}

// The picture of a memory cell, drawn on a fresh board.
QImage Picture(CGeheugen& cell)
{
    CTestBoard board(cell);
    board.Draw();
    return board.Dc().Bitmap().copy(100, 100, CGeheugen::kWidth, CGeheugen::kHeight);
}

TEST(GeheugenTest, CaptionIsLowerCaseAndABlackBoxHidesTheSymbol)
{
    CGeheugen plain, shouting, hidden, hiddenShouting;
    shouting.m_strName = QStringLiteral("GEHEUGENCEL");
    hidden.SetBlackbox(true);
    hidden.m_strBlackboxLabel = QStringLiteral("geheugencel");
    hiddenShouting.SetBlackbox(true);
    hiddenShouting.m_strBlackboxLabel = QStringLiteral("GeheugenCel");
    const QImage plainPicture = Picture(plain);
    EXPECT_EQ(Picture(shouting), plainPicture);
    EXPECT_NE(Picture(hidden), plainPicture) << "the same caption, but the M is gone";
    EXPECT_EQ(Picture(hiddenShouting), Picture(hidden));
}

TEST(GeheugenTest, BlackBoxStillWorksAndRefusesItsDialog)
{
    CGeheugen cell;
    cell.SetBlackbox(true);
    cell.m_strBlackboxLabel = QStringLiteral("Doos 2");
    CTestBoard board(cell);
    board.Set(0, 500);
    EXPECT_EQ(board.Tick(2), 500);
    {
        ScriptedModals none;
        EXPECT_EQ(cell.EditProperties(PERMIT_ALL & ~PERMIT_IDENTIFY_BLACKBOXES),
                  EDIT_BLACKBOX_REFUSED);
    }
    ScriptedModals user;
    user.Then([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("edit1022"))->setText(QStringLiteral("Doos 3"));
        return int(EDIT_ACCEPTED);
    });
    EXPECT_EQ(cell.EditProperties(PERMIT_ALL), EDIT_ACCEPTED);
    EXPECT_EQ(user.Titles(), QStringList{QStringLiteral("Geheugencel")});
    EXPECT_EQ(cell.m_strBlackboxLabel, QStringLiteral("Doos 3"));
    EXPECT_TRUE(cell.IsBlackbox());
}

// ---------------------------------------------------------------------------------
// Relay and transistor

TEST(RelaisTest, ClosesFromTheThresholdAndLightsItsLamp)
{
    const struct {
        int threshold, coil;
        bool closed;
    } cases[] = {
        {250, 249, false}, {250, 250, true}, {250, 251, true}, {250, 500, true},
        {70, 69, false},   {70, 70, true},   {0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.threshold << " at " << c.coil);
        CRelais relay;
        relay.SetThreshold(c.threshold);
        relay.m_colourTable.fill(RGB(0, 0, 0));
        relay.m_colourTable[0] = RGB(10, 20, 30);
        relay.m_colourTable[15] = RGB(200, 100, 50);
        CTestBoard board(relay);
        board.Set(0, c.coil);
        board.Draw();
        EXPECT_EQ(relay.Bus(1).m_nValue, 0) << "a repaint shows the relay open";
        EXPECT_EQ(board.Tick(1), c.closed ? 500 : 0) << "the lamp's light";
        EXPECT_EQ(relay.IsClosed(), c.closed);

        const CPoint lamp = relay.Bus(1).GetCenter();
        EXPECT_EQ(board.Dc().GetPixel(lamp.x, lamp.y),
                  c.closed ? RGB(200, 100, 50) : RGB(10, 20, 30));
        // Half way along each lever, from the pivot (238, -254) up to the fixed contact
        // (238, -174) or to the open end (278, -174): only the lever of the state shows.
        const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
        EXPECT_EQ(board.Dc().GetPixel(238, -214), c.closed ? black : white) << "closed lever";
        EXPECT_EQ(board.Dc().GetPixel(258, -214), c.closed ? white : black) << "open lever";
    }
}

TEST(RelaisTest, ResetOpensTheContact)
{
    CRelais relay;
    CTestBoard board(relay);
    board.Draw();
    board.Set(0, 500);
    ASSERT_EQ(board.Tick(1), 500);
    board.Reset();
    EXPECT_FALSE(relay.IsClosed());
    EXPECT_EQ(relay.Bus(1).m_nValue, 0);
}

TEST(TransistorTest, InvertsBelowTheThreshold)
{
    const struct {
        int threshold, base, collector;
    } cases[] = {
        {300, 299, 500}, {300, 300, 0}, {300, 301, 0}, {70, 0, 500}, {70, 69, 500}, {70, 70, 0},
    };
    for (const auto& c : cases) {
        CTransistor transistor;
        transistor.SetThreshold(c.threshold);
        CTestBoard board(transistor);
        board.Set(0, c.base);
        EXPECT_EQ(board.Tick(1), c.collector) << c.threshold << " at " << c.base;
    }
    EXPECT_EQ(CTransistor().Threshold(), 70);
}

// ---------------------------------------------------------------------------------
// Pulse generator

TEST(PulsGeneratorTest, OneTickHighInEveryPeriod)
{
    const struct {
        int frequency;
        int period; // 0: never high
    } cases[] = {{10, 2}, {4, 8}, {1, 21}, {0, 0}};
    for (const auto& c : cases) {
        CPulsGenerator generator;
        generator.SetFrequency(c.frequency);
        CTestBoard board(generator);
        for (int tick = 0; tick < 43; ++tick) {
            const bool high = c.period != 0 && tick % c.period == 0;
            ASSERT_EQ(board.Tick(0), high ? 500 : 0) << c.frequency << " Hz, tick " << tick;
        }
    }
}

TEST(PulsGeneratorTest, DraggingTheKnobSetsTheFrequency)
{
    // The track starts at L + r = 120 and each hertz takes (326 - 5r) / 11 = 20.5 units.
    const struct {
        int offset;
        int frequency;
    } cases[] = {{0, 0}, {20, 0}, {21, 1}, {103, 5}, {205, 9}, {206, 10}, {226, 10}};
    for (const auto& c : cases) {
        CPulsGenerator generator;
        CTestBoard board(generator);
        board.Draw();
        board.Tick(0, STATE_LEFT_BUTTON, CPoint(120 + c.offset, -130));
        EXPECT_EQ(generator.Frequency(), c.frequency) << "offset " << c.offset;
    }

    CPulsGenerator generator;
    CTestBoard board(generator);
    board.Draw();
    board.Tick(0, STATE_LEFT_BUTTON, CPoint(220, -50)); // above the track
    EXPECT_EQ(generator.Frequency(), 0);
    generator.SetFrequency(9);
    board.Tick(0, STATE_UP_RIGHT, CPoint(200, -200));
    board.Tick(0, STATE_UP_RIGHT, CPoint(200, -200));
    EXPECT_EQ(generator.Frequency(), 10) << "the arrow keys stop at 10 Hz";
}

TEST(PulsGeneratorTest, ResetStopsThePulses)
{
    CPulsGenerator generator;
    generator.SetFrequency(10);
    CTestBoard board(generator);
    board.Draw();
    board.Reset();
    EXPECT_EQ(generator.Frequency(), 0);
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_EQ(board.Tick(0), 0);
}

// A reset sets only the frequency to 0: the countdown is kept, and a frequency chosen
// again pulses when it runs out.
TEST(PulsGeneratorTest, ResetKeepsTheCountdown)
{
    CPulsGenerator generator;
    generator.SetFrequency(1);
    CTestBoard board(generator);
    EXPECT_EQ(board.Tick(0), 500); // the countdown becomes 21
    EXPECT_EQ(board.Tick(0), 0);   // 20
    board.Reset();
    EXPECT_EQ(generator.Frequency(), 0);
    EXPECT_EQ(generator.Countdown(), 20);
    generator.SetFrequency(10);
    for (int tick = 1; tick < 20; ++tick)
        ASSERT_EQ(board.Tick(0), 0) << "tick " << tick;
    EXPECT_EQ(board.Tick(0), 500) << "the 20th tick empties the countdown";
    EXPECT_EQ(generator.Countdown(), 2);
}

// ---------------------------------------------------------------------------------
// Pulse counter

struct CounterStep {
    int tel;
    int aanUit; // -1: no wire
    int reset;
    bool pressed;
    int count;
};

void RunSteps(const std::vector<CounterStep>& steps)
{
    CPulsTeller counter;
    CTestBoard board(counter);
    board.Draw();
    const CPoint button = counter.Bus(CPulsTeller::RESET_BUTTON).GetCenter();
    int i = 0;
    for (const CounterStep& s : steps) {
        board.Set(CPulsTeller::TEL, s.tel);
        if (s.aanUit >= 0)
            board.Set(CPulsTeller::AAN_UIT, s.aanUit);
        board.Set(CPulsTeller::RESET, s.reset);
        board.Tick(0, s.pressed ? std::uint32_t(STATE_LEFT_BUTTON) : 0u,
                   s.pressed ? button : CPoint());
        EXPECT_EQ(counter.Count(), s.count) << "step " << i++;
    }
}

TEST(PulsTellerTest, CountsRisingEdgesOnly)
{
    RunSteps({{0, -1, 0, false, 0},
              {500, -1, 0, false, 1},
              {500, -1, 0, false, 1},
              {69, -1, 0, false, 1},
              {70, -1, 0, false, 2},
              {0, -1, 0, false, 2},
              {500, -1, 0, false, 3}});
}

TEST(PulsTellerTest, AanUitCountsOnlyWhenHighOrUnwired)
{
    RunSteps({{500, 0, 0, false, 0}, // wired and off: the edge is lost
              {0, 0, 0, false, 0},
              {500, 69, 0, false, 0},
              {0, 70, 0, false, 0},
              {500, 70, 0, false, 1}});
}

TEST(PulsTellerTest, ResetLevelAndButtonHoldTheCountAtZero)
{
    RunSteps({{500, -1, 0, false, 1},
              {0, -1, 0, false, 1},
              {500, -1, 500, false, 0}, // the edge in a reset tick is lost
              {0, -1, 0, false, 0},
              {500, -1, 0, false, 1},
              {0, -1, 0, true, 0},
              {500, -1, 0, true, 0},
              {0, -1, 0, false, 0},
              {500, -1, 0, false, 1}});
}

TEST(PulsTellerTest, WrapsAtTheLargestCountShown)
{
    const struct {
        bool hex;
        int digits;
        int largest;
    } cases[] = {{false, 0, 9}, {false, 1, 99}, {false, 2, 999},
                 {true, 0, 15}, {true, 1, 255}, {true, 2, 4095}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.hex ? "hex " : "dec ") << c.digits + 1);
        CPulsTeller counter;
        counter.SetHexadecimal(c.hex);
        counter.SetDigits(c.digits);
        counter.m_nParam1 = c.largest - 1;
        CTestBoard board(counter);
        board.Draw();
        std::vector<int> counts;
        for (int level : {500, 0, 500, 0}) {
            board.Set(CPulsTeller::TEL, level);
            board.Tick(CPulsTeller::FIRST_BIT);
            counts.push_back(counter.Count());
        }
        EXPECT_EQ(counts, (std::vector<int>{c.largest, c.largest, 0, 0}));
        for (int bit = 0; bit < 4; ++bit)
            EXPECT_EQ(counter.Bus(CPulsTeller::FIRST_BIT + bit).m_nValue, 0);
    }
}

TEST(PulsTellerTest, ARedrawAppliesANewLimit)
{
    CPulsTeller counter;
    counter.SetHexadecimal(true);
    counter.m_nParam1 = 12;
    CTestBoard board(counter);
    board.Draw();
    ASSERT_EQ(counter.Count(), 12);
    counter.SetHexadecimal(false);
    board.Draw();
    EXPECT_EQ(counter.Count(), 0);
}

TEST(PulsTellerTest, OutputsCarryTheFourLowestBits)
{
    const struct {
        int count;
        int bits[4]; // outputs "1", "2", "4", "8"
    } cases[] = {{0, {0, 0, 0, 0}},       {1, {500, 0, 0, 0}},       {6, {0, 500, 500, 0}},
                 {11, {500, 500, 0, 500}}, {255, {500, 500, 500, 500}}, {4094, {0, 500, 500, 500}}};
    for (const auto& c : cases) {
        CPulsTeller counter;
        counter.SetHexadecimal(true);
        counter.SetDigits(2);
        counter.m_nParam1 = c.count;
        CTestBoard board(counter);
        board.Draw();
        for (int bit = 0; bit < 4; ++bit)
            EXPECT_EQ(counter.Bus(CPulsTeller::FIRST_BIT + bit).m_nValue, c.bits[bit])
                << c.count << ", bit " << bit;
    }
}

// What the counter's display shows.
QImage DisplayPicture(CTestBoard& board, const CPulsTeller& counter)
{
    const CRect d = counter.Display().Normalized();
    return board.Dc().Bitmap().copy(d.left, -d.bottom, d.Width(), d.Height());
}

TEST(PulsTellerTest, ResetClearsCountOutputsAndDisplay)
{
    CPulsTeller fresh;
    CTestBoard freshBoard(fresh);
    freshBoard.Draw();

    CPulsTeller counter;
    counter.m_nParam1 = 7;
    CTestBoard board(counter);
    board.Draw();
    EXPECT_NE(DisplayPicture(board, counter), DisplayPicture(freshBoard, fresh));
    board.Reset();
    EXPECT_EQ(counter.Count(), 0);
    EXPECT_EQ(counter.Bus(CPulsTeller::FIRST_BIT).m_nValue, 0);
    EXPECT_EQ(DisplayPicture(board, counter), DisplayPicture(freshBoard, fresh));
}

// ---------------------------------------------------------------------------------
// Dialogs, with the real widgets

template <class T>
T* Find(QWidget& parent, const QString& name)
{
    T* widget = parent.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

void Click(QWidget& dialog, const char* name)
{
    QTest::mouseClick(Find<QAbstractButton>(dialog, QLatin1String(name)), Qt::LeftButton);
}

QLineEdit& Field(QWidget& dialog)
{
    return *Find<QLineEdit>(dialog, QStringLiteral("edit1021"));
}

// A dialog with one validated field, as each component hands it over.
struct FieldDialog {
    const char* name;
    std::function<std::unique_ptr<CPropertyDialog>(int permissions)> make;
    bool bInitialFocus;
};

const std::vector<FieldDialog>& FieldDialogs()
{
    static const std::vector<FieldDialog> dialogs = {
        {"frequency",
         [](int p) { return std::make_unique<CFrequencyDlg>(u"Pulsgenerator"_qs, p); }, true},
        {"threshold",
         [](int p) { return std::make_unique<CThresholdDlg>(u"Transistor"_qs, p); }, true},
        {"relay", [](int p) { return std::make_unique<CRelayDlg>(u"Relais"_qs, p); }, false},
    };
    return dialogs;
}

const FieldDialog& FieldDialogNamed(const std::string& name)
{
    for (const FieldDialog& d : FieldDialogs())
        if (d.name == name)
            return d;
    throw std::invalid_argument(name);
}

TEST(MemoryPulseDialogTest, RefusedTextKeepsTheDialogOpenWithTheFocusOnTheField)
{
    const struct {
        const char* dialog;
        QString text;
        QString message; // empty: accepted
    } cases[] = {
        {"frequency", u"abc"_qs, u"Please enter a positive integer."_qs},
        {"frequency", u"-1"_qs, u"Please enter a positive integer."_qs},
        {"frequency", u"11"_qs, u"Please enter an integer between 0 and 10."_qs},
        {"frequency", u"10"_qs, {}},
        {"threshold", u"x"_qs, u"Please enter a number."_qs},
        {"threshold", u"5,01"_qs, u"Please enter a number between 0 and 5."_qs},
        {"threshold", u"-0,1"_qs, u"Please enter a number between 0 and 5."_qs},
        {"threshold", u"2,5"_qs, {}},
        {"relay", u"5.5"_qs, u"Please enter a number between 0 and 5."_qs},
        {"relay", u"0"_qs, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dialog << " " << c.text.toStdString());
        const FieldDialog& kind = FieldDialogNamed(c.dialog);
        auto dlg = kind.make(PERMIT_ALL);
        const bool refused = !c.message.isEmpty();
        ScriptedModals user;
        user.Then([&](QDialog& d) {
            QLineEdit& field = Field(d);
            if (kind.bInitialFocus) {
                EXPECT_EQ(d.focusWidget(), &field);
                EXPECT_EQ(field.selectedText(), field.text());
            }
            field.setText(c.text);
            Click(d, "button1");
            if (refused) {
                EXPECT_TRUE(d.isVisible());
                EXPECT_EQ(d.focusWidget(), &field);
                EXPECT_EQ(field.selectedText(), c.text);
                Click(d, "button2");
            }
            return d.result();
        });
        if (refused)
            user.Answer(1); // the message
        EXPECT_EQ(dlg->Run(), refused ? 2 : 1);
        if (refused) {
            EXPECT_EQ(user.Texts().value(1), QStringList{c.message});
        }
    }
}

TEST(MemoryPulseDialogTest, PermissionsGreyOkAndWis)
{
    auto counter = [](int p) { return std::make_unique<CCounterDlg>(u"Pulsteller"_qs, p); };
    std::vector<std::function<std::unique_ptr<CPropertyDialog>(int)>> makers = {counter};
    for (const FieldDialog& d : FieldDialogs())
        makers.push_back(d.make);
    for (const auto& make : makers) {
        for (const int permissions : {PERMIT_ALL & ~PERMIT_CHANGE_PROPERTIES,
                                      PERMIT_ALL & ~PERMIT_DELETE_COMPONENTS}) {
            auto dlg = make(permissions);
            SCOPED_TRACE(testing::Message()
                         << dlg->objectName().toStdString() << " " << permissions);
            ScriptedModals user;
            user.Then([&](QDialog& d) {
                EXPECT_EQ(Find<QPushButton>(d, u"button1"_qs)->isEnabled(),
                          bool(permissions & PERMIT_CHANGE_PROPERTIES));
                EXPECT_EQ(Find<QPushButton>(d, u"button172"_qs)->isEnabled(),
                          bool(permissions & PERMIT_DELETE_COMPONENTS));
                return 2;
            });
            dlg->Run();
        }
    }
}

TEST(MemoryPulseDialogTest, CounterGroupsStartEmptyAndChooseApart)
{
    const QStringList radios = {u"radio1008"_qs, u"radio1009"_qs, u"radio1005"_qs,
                                u"radio1006"_qs, u"radio1007"_qs};
    auto checked = [&](QDialog& d) {
        QStringList on;
        for (const QString& name : radios)
            if (Find<QRadioButton>(d, name)->isChecked())
                on << name;
        return on;
    };
    CCounterDlg blank(u"Pulsteller"_qs, PERMIT_ALL);
    ScriptedModals user;
    user.Then([&](QDialog& d) {
        EXPECT_EQ(checked(d), QStringList{});
        return 2;
    });
    blank.Run();
    EXPECT_EQ(blank.m_nNumberBase, -1);
    EXPECT_EQ(blank.m_nDigits, -1);

    for (const int result : {1, 2}) {
        CCounterDlg dlg(u"Pulsteller"_qs, PERMIT_ALL);
        dlg.m_nNumberBase = 0;
        dlg.m_nDigits = 1;
        ScriptedModals chooser;
        chooser.Then([&](QDialog& d) {
            EXPECT_EQ(checked(d), (QStringList{u"radio1008"_qs, u"radio1006"_qs}));
            Click(d, "radio1009");
            Click(d, "radio1007");
            EXPECT_EQ(checked(d), (QStringList{u"radio1009"_qs, u"radio1007"_qs}));
            Click(d, result == 1 ? "button1" : "button2");
            return d.result();
        });
        EXPECT_EQ(dlg.Run(), result);
        EXPECT_EQ(dlg.m_nNumberBase, result == 1 ? 1 : 0);
        EXPECT_EQ(dlg.m_nDigits, result == 1 ? 2 : 1);
    }
}

// ---------------------------------------------------------------------------------
// The components' properties

// A step that types into edit 1021 and ends the dialog with the result.
std::function<int(QDialog&)> Type(const QString& text, int result = EDIT_ACCEPTED)
{
    return [text, result](QDialog& d) {
        Field(d).setText(text);
        return result;
    };
}

TEST(MemoryPulsePropertiesTest, ThresholdsGoInAndComeBackInVolts)
{
    CTransistor transistor;
    {
        ScriptedModals user;
        user.Then([](QDialog& d) {
            EXPECT_EQ(Field(d).text(), u"0,7"_qs);
            return Type(u"1"_qs, EDIT_CANCELLED)(d);
        });
        EXPECT_EQ(transistor.EditProperties(PERMIT_ALL), EDIT_CANCELLED);
        EXPECT_EQ(user.Titles(), QStringList{u"Transistor"_qs});
    }
    EXPECT_EQ(transistor.Threshold(), 70);

    // Typed hundredths arrive whole, although 2,12 and 0,53 have no exact float.
    const struct {
        QString typed;
        int level;
    } typed[] = {
        {u"3"_qs, 300}, {u"2,12"_qs, 212}, {u"0.53"_qs, 53}, {u"5,0"_qs, 500}, {u"0"_qs, 0},
    };
    for (const auto& t : typed) {
        ScriptedModals user;
        user.Then(Type(t.typed));
        EXPECT_EQ(transistor.EditProperties(PERMIT_ALL), EDIT_ACCEPTED);
        EXPECT_EQ(transistor.Threshold(), t.level) << t.typed.toStdString();
    }

    // OK without a change keeps every threshold.
    for (int level = 0; level <= 500; ++level) {
        transistor.SetThreshold(level);
        ScriptedModals user;
        user.Answer(EDIT_ACCEPTED);
        transistor.EditProperties(PERMIT_ALL);
        ASSERT_EQ(transistor.Threshold(), level);
    }
}

TEST(MemoryPulsePropertiesTest, RelayTakesThresholdAndColoursBackOnlyOnOk)
{
    for (const int result : {EDIT_ACCEPTED, EDIT_CANCELLED}) {
        CRelais relay;
        ScriptedModals user;
        user.Then([result](QDialog& d) {
                Field(d).setText(u"2,5"_qs);
                Click(d, "button1097");
                return result;
            })
            .Then([](QDialog&) {
                EXPECT_EQ(QColorDialog::customColor(15), QColor(255, 0, 0));
                QColorDialog::setCustomColor(15, QColor(0, 0, 255));
                return int(QDialog::Accepted);
            });
        EXPECT_EQ(relay.EditProperties(PERMIT_ALL), result);
        const bool ok = result == EDIT_ACCEPTED;
        EXPECT_EQ(relay.Threshold(), ok ? 250 : 70);
        EXPECT_EQ(relay.m_colourTable[15], ok ? RGB(0, 0, 255) : RGB(255, 0, 0));
        EXPECT_EQ(relay.m_colourTable[0], RGB(255, 255, 255));
    }
}

TEST(MemoryPulsePropertiesTest, GeneratorAndCounterSettings)
{
    CPulsGenerator generator;
    {
        ScriptedModals user;
        user.Then(Type(u"7"_qs));
        EXPECT_EQ(generator.EditProperties(PERMIT_ALL), EDIT_ACCEPTED);
    }
    EXPECT_EQ(generator.Frequency(), 7);

    CPulsTeller counter;
    ScriptedModals user;
    user.Then([](QDialog& d) {
        Click(d, "radio1009");
        Click(d, "radio1007");
        return int(EDIT_ACCEPTED);
    });
    EXPECT_EQ(counter.EditProperties(PERMIT_ALL), EDIT_ACCEPTED);
    EXPECT_TRUE(counter.IsHexadecimal());
    EXPECT_EQ(counter.Digits(), 2);
}

// ---------------------------------------------------------------------------------
// Storing and loading

template <class T>
std::unique_ptr<T> RoundTrip(T& original, QByteArray* record = nullptr)
{
    RegisterClassOf<T>(original.GetClassName());
    QByteArray bytes;
    CArchive writer(bytes);
    writer.WriteObject(&original);
    if (record)
        *record = bytes;
    CArchive reader(bytes.constData(), std::size_t(bytes.size()));
    auto copy = reader.ReadObjectOf<T>();
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(reader.Remaining(), 0u);
    return copy;
}

TEST(MemoryPulseStorageTest, SettingsAndExtrasRoundTrip)
{
    CGeheugen cell;
    cell.SetBlackbox(true);
    cell.m_nParam2 = 500;
    cell.m_strBlackboxLabel = u"Doos 4"_qs;
    QByteArray cellBytes;
    auto cellCopy = RoundTrip(cell, &cellBytes);
    EXPECT_TRUE(cellCopy->IsBlackbox());
    EXPECT_EQ(cellCopy->State(), 500);
    EXPECT_EQ(cellCopy->m_strBlackboxLabel, u"Doos 4"_qs);
    EXPECT_TRUE(cellBytes.endsWith("\x06" "Doos 4")) << "the label closes the record";

    CRelais relay;
    relay.SetThreshold(250);
    for (int i = 0; i < 16; ++i)
        relay.m_colourTable[std::size_t(i)] = RGB(i, 2 * i, 3 * i);
    QByteArray relayBytes;
    auto relayCopy = RoundTrip(relay, &relayBytes);
    EXPECT_EQ(relayCopy->Threshold(), 250);
    EXPECT_EQ(relayCopy->m_colourTable, relay.m_colourTable);
    QByteArray colours;
    for (int i = 0; i < 16; ++i)
        colours.append(char(i)).append(char(2 * i)).append(char(3 * i)).append('\0');
    EXPECT_TRUE(relayBytes.endsWith(colours)) << "sixteen colours close the record";

    CTransistor transistor;
    transistor.SetThreshold(123);
    EXPECT_EQ(RoundTrip(transistor)->Threshold(), 123);

    CPulsGenerator generator;
    generator.SetFrequency(6);
    generator.m_nCorner = 4;
    auto generatorCopy = RoundTrip(generator);
    EXPECT_EQ(generatorCopy->Frequency(), 6);
    EXPECT_EQ(generatorCopy->Countdown(), 4);

    CPulsTeller counter;
    counter.m_nParam1 = 77;
    counter.SetDigits(1);
    counter.SetHexadecimal(true);
    auto counterCopy = RoundTrip(counter);
    EXPECT_EQ(counterCopy->Count(), 77);
    EXPECT_EQ(counterCopy->Digits(), 1);
    EXPECT_TRUE(counterCopy->IsHexadecimal());
}

TEST(MemoryPulseStorageTest, DamagedSettingsAreBroughtInRange)
{
    CGeheugen cell;
    cell.m_nParam2 = 12345;
    EXPECT_EQ(RoundTrip(cell)->State(), 500);

    const struct {
        int frequency, loaded;
    } frequencies[] = {{99, 10}, {-3, 0}};
    for (const auto& f : frequencies) {
        CPulsGenerator generator;
        generator.SetFrequency(f.frequency);
        EXPECT_EQ(RoundTrip(generator)->Frequency(), f.loaded) << f.frequency;
    }

    // A stored countdown longer than the longest period would silence the generator
    // for minutes, one at the int32 minimum would count down past it.
    const struct {
        int countdown, loaded;
    } countdowns[] = {{100000, 21}, {INT_MIN, 0}, {7, 7}};
    for (const auto& c : countdowns) {
        CPulsGenerator generator;
        generator.SetFrequency(10);
        generator.m_nCorner = c.countdown;
        auto loaded = RoundTrip(generator);
        EXPECT_EQ(loaded->Countdown(), c.loaded) << c.countdown;
        CTestBoard board(*loaded);
        int ticks = 0;
        while (ticks < 100 && board.Tick(0) == 0)
            ++ticks;
        EXPECT_LT(ticks, 21) << c.countdown << ": the 10 Hz generator pulses within a second";
    }

    // Thresholds outside the 0 to 5 V of their dialogs.
    for (const auto& [stored, loaded] : {std::pair(INT_MIN, 0), std::pair(501, 500), std::pair(250, 250)}) {
        CRelais relay;
        relay.SetThreshold(stored);
        EXPECT_EQ(RoundTrip(relay)->Threshold(), loaded) << stored;
        CTransistor transistor;
        transistor.SetThreshold(stored);
        EXPECT_EQ(RoundTrip(transistor)->Threshold(), loaded) << stored;
    }

    CPulsTeller counter;
    counter.m_nParam1 = -4;
    counter.SetDigits(7);
    counter.m_nCorner = 5;
    auto loaded = RoundTrip(counter);
    EXPECT_EQ(loaded->Count(), 0);
    EXPECT_EQ(loaded->Digits(), 2);
    EXPECT_TRUE(loaded->IsHexadecimal());
}

} // namespace
