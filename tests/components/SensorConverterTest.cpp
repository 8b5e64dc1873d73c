#include "components/ADOmzetter.h"
#include "components/Comparator.h"
#include "components/GeluidSensor.h"
#include "components/LichtSensor.h"
#include "components/WarmteSensor.h"
#include "core/Archive.h"
#include "core/ClassRegistry.h"
#include "platform/DrawContext.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

namespace {

using Factory = std::function<std::unique_ptr<CComponent>()>;

template <class T>
Factory Make()
{
    return [] { return std::make_unique<T>(); };
}

const struct SensorKind {
    const char* name;
    Factory make;
    std::uint32_t key;
} kSensors[] = {
    {"light", Make<CLichtSensor>(), STATE_SHIFT},
    {"sound", Make<CGeluidSensor>(), STATE_CTRL},
    {"heat", Make<CWarmteSensor>(), STATE_CAPSLOCK},
};

// One tick after the levels of the previous one were aged.
int Tick(CComponent& c, CDC& dc, CPoint cursor = {}, std::uint32_t state = 0)
{
    c.AgeBusValues();
    c.Update(dc, cursor, &state);
    return c.Bus(c.GetBusCount() - 1).m_nValue;
}

// Draws at 254 dpi: one pixel per board unit, board (x, y) at pixel (x, -y).
class BoardTest : public ::testing::Test {
protected:
    void Draw(CComponent& c, int x = 100, int y = -100)
    {
        c.MoveTo(x, y);
        const CFont old = m_dc.SelectObject(CFont::Label(44));
        c.Draw(m_dc);
        m_dc.SelectObject(old);
    }
    CMemoryDC m_dc{700, 500, 254};
};

TEST_F(BoardTest, SocketsSitWhereTheDrawingPutsThem)
{
    // All placed with the top-left corner at (100, -100); the socket radius is 20.
    const struct {
        const char* name;
        Factory make;
        std::vector<std::pair<CPoint, int>> sockets; // centre, kind
    } cases[] = {
        {"light", Make<CLichtSensor>(), {{{120, -120}, BUS_SENSING}, {{300, -120}, BUS_OUTPUT}}},
        {"sound", Make<CGeluidSensor>(), {{{120, -120}, BUS_SENSING}, {{340, -120}, BUS_OUTPUT}}},
        {"heat", Make<CWarmteSensor>(), {{{120, -120}, BUS_SENSING}, {{428, -120}, BUS_OUTPUT}}},
        {"AD: in, 8, 4, 2, 1 from the left, 90 apart",
         Make<CADOmzetter>(),
         {{{126, -120}, BUS_INPUT},
          {{216, -120}, BUS_OUTPUT},
          {{306, -120}, BUS_OUTPUT},
          {{396, -120}, BUS_OUTPUT},
          {{486, -120}, BUS_OUTPUT}}},
        {"comparator", Make<CComparator>(), {{{120, -120}, BUS_INPUT}, {{375, -160}, BUS_OUTPUT}}},
    };
    const COLORREF colour[] = {
        RGB(0, 255, 0), RGB(0, 0, 255), 0, 0, RGB(0, 255, 255)}; // by socket kind
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_dc.FillSolidRect(CRect(0, 0, 700, -500), RGB(255, 255, 255));
        auto component = c.make();
        Draw(*component);
        ASSERT_EQ(component->GetBusCount(), int(c.sockets.size()));
        for (int i = 0; i < component->GetBusCount(); ++i) {
            const auto [centre, kind] = c.sockets[std::size_t(i)];
            EXPECT_EQ(component->Bus(i).GetCenter(), centre) << "socket " << i;
            EXPECT_EQ(component->Bus(i).GetKind(), kind) << "socket " << i;
            EXPECT_EQ(m_dc.GetPixel(centre.x, centre.y), colour[kind]) << "socket " << i;
        }
    }
}

TEST_F(BoardTest, SensorsTakeTheMouseAsASourceOnlyWithTheirKey)
{
    // The source sits the cursor symbol's offset right of and below the cursor.
    constexpr int dx = CSensor::kSourceOffsetX, dy = CSensor::kSourceOffsetY;
    const struct {
        int dpi;
        CPoint source; // relative to the sensing socket's centre, board units
        CPoint cursorFromSource;
        int level;
    } cases[] = {
        {254, {0, 0}, {-dx, dy}, 500},
        {127, {0, 0}, {-2 * dx, 2 * dy}, 500},
        {254, {35, 0}, {-dx, dy}, 250},
        {254, {0, 140}, {-dx, dy}, 100},
        {254, {-21, -28}, {-dx, dy}, 250}, // 35 away on a slant
    };
    for (const SensorKind& s : kSensors) {
        auto sensor = s.make();
        Draw(*sensor);
        const CPoint centre = sensor->Bus(0).GetCenter();
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << s.name << " dpi " << c.dpi << " source at "
                                            << c.source.x << "," << c.source.y);
            CMemoryDC dc(4, 4, c.dpi);
            const CPoint cursor(centre.x + c.source.x + c.cursorFromSource.x,
                                centre.y + c.source.y + c.cursorFromSource.y);
            for (const std::uint32_t key : {STATE_SHIFT, STATE_CTRL, STATE_CAPSLOCK}) {
                const int expected = key == s.key ? c.level : 0;
                EXPECT_EQ(Tick(*sensor, dc, cursor, key), expected) << "key " << key;
                EXPECT_EQ(Tick(*sensor, dc, cursor, key | STATE_LEFT_BUTTON | STATE_REDRAW),
                          expected)
                    << "other bits do not matter, key " << key;
            }
            EXPECT_EQ(Tick(*sensor, dc, cursor, 0), 0) << "released: no memory";
        }
    }
}

TEST(SensorTest, CoupledSourcesAreDividedThenScaledBySensitivity)
{
    const struct {
        int sensitivity;
        std::vector<std::pair<int, unsigned>> sources; // level, divisor
        int level;
    } cases[] = {
        {100, {{500, 1}}, 500},
        {100, {{500, 2}}, 250},
        {100, {{-500, 2}}, 250}, // last tick's level
        {60, {{500, 1}}, 300},
        {12, {{500, 1}}, 59}, // divided by 100/12, not multiplied by 0.12
        {60, {{250, 1}}, 150},
        {0, {{500, 1}}, 0},
        {100, {{500, 6}, {200, 1}}, 200}, // the stronger one, not the sum
        {100, {}, 0},
        {-5, {{500, 1}}, 0},     // a damaged file cannot make the level negative
        {250, {{500, 2}}, 250},  // nor more than passed on undivided
    };
    CMemoryDC dc(4, 4);
    for (const SensorKind& s : kSensors) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << s.name << " at " << c.sensitivity << "%");
            auto sensor = s.make();
            sensor->m_nParam1 = c.sensitivity;
            std::vector<CBus> emitters(c.sources.size());
            for (std::size_t i = 0; i < c.sources.size(); ++i) {
                emitters[i].m_nValue = c.sources[i].first;
                sensor->Bus(0).AddSource(&emitters[i], c.sources[i].second);
            }
            EXPECT_EQ(Tick(*sensor, dc), c.level);
        }
    }
}

TEST_F(BoardTest, HandHeldSourceIgnoresSensitivityAndOnlyAddsToTheCoupledLevel)
{
    CLichtSensor sensor;
    Draw(sensor);
    const CPoint centre = sensor.Bus(0).GetCenter();
    const CPoint onSocket(centre.x - CSensor::kSourceOffsetX, centre.y + CSensor::kSourceOffsetY);
    const CPoint farAway(centre.x + 1000, onSocket.y); // gives 16
    CBus lamp;
    sensor.Bus(0).AddSource(&lamp, 1);

    sensor.SetSensitivity(0);
    lamp.m_nValue = 500;
    EXPECT_EQ(Tick(sensor, m_dc, onSocket, STATE_SHIFT), 500);
    sensor.SetSensitivity(100);
    lamp.m_nValue = 100;
    EXPECT_EQ(Tick(sensor, m_dc, farAway, STATE_SHIFT), 100) << "lamp is brighter";
    lamp.m_nValue = 10;
    EXPECT_EQ(Tick(sensor, m_dc, farAway, STATE_SHIFT), 16) << "hand is brighter";
}

TEST(SensorTest, DefaultsAndNames)
{
    const struct {
        Factory make;
        unsigned type;
        const char* name;
        CSize size;
    } cases[] = {
        {Make<CLichtSensor>(), TYPE_LICHTSENSOR, "Lichtsensor", {220, 92}},
        {Make<CGeluidSensor>(), TYPE_GELUIDSENSOR, "Geluidsensor", {260, 80}},
        {Make<CWarmteSensor>(), TYPE_WARMTESENSOR, "Temperatuursensor", {348, 84}},
    };
    for (const auto& c : cases) {
        auto sensor = c.make();
        EXPECT_EQ(sensor->GetTypeId(), c.type);
        EXPECT_EQ(sensor->m_strName, QString::fromLatin1(c.name));
        EXPECT_EQ(sensor->m_nParam1, 60) << c.name;
        EXPECT_EQ(sensor->m_rect, CRect(0, 0, c.size.cx, c.size.cy)) << c.name;
    }
}

TEST(ADOmzetterTest, CodeTableAtEveryStep)
{
    // The level at which each code starts.
    const int from[16] = {0, 32, 63, 94, 126, 157, 188, 220, 251, 282, 313, 345, 376, 407, 439, 470};
    CADOmzetter ad;
    CBus source;
    ad.Bus(0).AddSource(&source, 1);
    CMemoryDC dc(4, 4);
    auto outputs = [&](int level) {
        source.m_nValue = level;
        ad.Bus(0).m_nValue = 0;
        std::uint32_t state = 0;
        ad.Update(dc, {}, &state);
        int code = 0;
        for (int socket = 1; socket <= 4; ++socket) {
            const int v = ad.Bus(socket).m_nValue;
            EXPECT_TRUE(v == 0 || v == 500) << level;
            code = code * 2 + (v == 500); // socket 1 carries weight 8
        }
        return code;
    };
    for (int code = 0; code < 16; ++code) {
        EXPECT_EQ(outputs(from[code]), code) << "level " << from[code];
        if (code > 0) {
            EXPECT_EQ(outputs(from[code] - 1), code - 1) << "level " << from[code] - 1;
        }
    }
    EXPECT_EQ(outputs(500), 15);
    EXPECT_EQ(outputs(313), 0b1010) << "3.13 V: weights 8 and 2";
    for (int level = 0; level <= 500; ++level)
        ASSERT_EQ(CADOmzetter::Code(level), 10 * level / 313) << level;
}

TEST(ComparatorTest, OutputGoesHighWhenTheInputReachesTheReference)
{
    const struct {
        int setting;
        int input; // -1: unconnected
        int output;
    } cases[] = {
        {25, 249, 0}, {25, 250, 500}, {25, 500, 500}, {50, 499, 0},
        {50, 500, 500}, {0, 0, 500},  {0, -1, 500},   {1, -1, 0},
    };
    CMemoryDC dc(4, 4);
    for (const auto& c : cases) {
        CComparator comparator;
        comparator.SetSetting(c.setting);
        CBus source;
        source.m_nValue = c.input;
        if (c.input >= 0)
            comparator.Bus(0).AddSource(&source, 1);
        EXPECT_EQ(Tick(comparator, dc), c.output) << c.setting << " / " << c.input;
    }
}

TEST_F(BoardTest, ComparatorSliderDragsStepsAndResets)
{
    CComparator comparator;
    comparator.SetSetting(25);
    Draw(comparator); // L 100, T -100, R 400: k = 43, track from 143 to 355
    const CSlider& slider = comparator.Slider();
    EXPECT_EQ(slider.Track(), CRect(143, -230, 355, -290));
    EXPECT_FLOAT_EQ(slider.Scale(), 212.0f / 54);
    EXPECT_EQ(comparator.m_nParam2, -260) << "slider line";
    EXPECT_EQ(m_dc.GetPixel(241, -240), RGB(191, 191, 191)) << "knob xor-drawn at 2,5 V";

    const std::uint32_t left = STATE_LEFT_BUTTON;
    const struct {
        const char* name;
        CPoint cursor;
        std::uint32_t state;
        int setting;
    } steps[] = {
        {"drag on the track", {143 + 40, -260}, left, 10},
        {"drag at the left end", {143, -230}, left, 0},
        {"drag past the far end", {355, -290}, left, 50},
        {"button held beside the track", {360, -260}, left, 50},
        {"Down over the component", {120, -300}, STATE_LEFT_DOWN, 49},
        {"Up over the component", {390, -370}, STATE_UP_RIGHT, 50},
        {"Up at the top", {390, -370}, STATE_UP_RIGHT, 50},
        {"both arrows", {200, -200}, STATE_UP_RIGHT | STATE_LEFT_DOWN, 50},
        {"Down outside the component", {401, -200}, STATE_LEFT_DOWN, 50},
        {"Down to 4,9 V", {200, -200}, STATE_LEFT_DOWN, 49},
    };
    CBus input;
    input.m_nValue = 495;
    comparator.Bus(0).AddSource(&input, 1);
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        const int output = Tick(comparator, m_dc, s.cursor, s.state);
        EXPECT_EQ(comparator.Setting(), s.setting);
        EXPECT_EQ(output, 495 >= s.setting * 10 ? 500 : 0);
    }
    comparator.Reset(m_dc);
    EXPECT_EQ(comparator.Setting(), 0);
}

TEST_F(BoardTest, ComparatorKnobMovesWithoutLeavingATrail)
{
    CComparator comparator;
    Draw(comparator);
    const QImage before = m_dc.Bitmap().copy(100, 100, 300, 280);
    Tick(comparator, m_dc, {143 + 100, -260}, STATE_LEFT_BUTTON);
    EXPECT_NE(m_dc.Bitmap().copy(100, 100, 300, 280), before);
    Tick(comparator, m_dc, {143, -260}, STATE_LEFT_BUTTON);
    // The value text is drawn on an opaque background, so the picture is as it was.
    EXPECT_EQ(m_dc.Bitmap().copy(100, 100, 300, 280), before);
}

TEST(ComparatorTest, VoltageDialogSetsTheReferenceOnlyWithinRange)
{
    const struct {
        int setting;
        QString shown;
        QString typed;
        int result;
        int after;
    } cases[] = {
        {25, u"2.50"_qs, u"4,7"_qs, 1, 47},
        {25, u"2.50"_qs, u"5,5"_qs, 1, 25}, // out of range: unchanged
        {0, u"0.00"_qs, u"4,7"_qs, 2, 0},   // cancelled
        {7, u"0.70"_qs, u"4,7"_qs, 172, 7}, // deleted
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        CComparator comparator;
        comparator.SetSetting(c.setting);
        ScriptedModals user;
        user.Then([&c](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>(u"edit1021"_qs);
            EXPECT_EQ(edit->text(), c.shown);
            edit->setText(c.typed);
            return c.result;
        });
        EXPECT_EQ(comparator.EditProperties(PERMIT_ALL), c.result);
        EXPECT_EQ(comparator.Setting(), c.after);
        EXPECT_EQ(user.Titles().value(0), u"Comparator"_qs);
    }
}

// The user at the sensitivity dialog: types into the field and presses a button.
void TypeAndPress(QDialog& dialog, const QString& text, const char* button)
{
    auto* edit = dialog.findChild<QLineEdit*>(u"edit1021"_qs);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)),
                      Qt::LeftButton);
}

TEST(SensitivityDlgTest, RefusesWhatIsNoWholePercentAndStaysOpen)
{
    const struct {
        QString typed;
        QString message;
    } cases[] = {
        {u"101"_qs, u"Please enter an integer between 0 and 100."_qs},
        {u"-1"_qs, u"Please enter an integer between 0 and 100."_qs},
        {u"abc"_qs, u"Please enter an integer."_qs},
        {u"4,5"_qs, u"Please enter an integer."_qs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        CGeluidSensor sensor;
        ScriptedModals user;
        user.Then([&c](QDialog& dialog) {
                auto* edit = dialog.findChild<QLineEdit*>(u"edit1021"_qs);
                EXPECT_EQ(dialog.focusWidget(), edit);
                EXPECT_EQ(edit->selectedText(), u"60"_qs);
                TypeAndPress(dialog, c.typed, "button1");
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(dialog.focusWidget(), edit);
                TypeAndPress(dialog, u"100"_qs, "button1");
                return dialog.result();
            })
            .Answer(1); // the message
        EXPECT_EQ(sensor.EditProperties(PERMIT_ALL), 1);
        EXPECT_EQ(sensor.Sensitivity(), 100);
        ASSERT_EQ(user.Opened(), 2);
        EXPECT_EQ(user.Titles().at(0), u"Geluidsensor"_qs);
        EXPECT_EQ(user.Texts().at(1), QStringList{c.message});
    }
}

TEST(SensitivityDlgTest, PermissionsGreyOkAndWisAndNothingIsTakenBackWithoutOk)
{
    const struct {
        int permissions;
        bool bOk;
        bool bWis;
    } cases[] = {
        {PERMIT_ALL, true, true},
        {PERMIT_ALL & ~PERMIT_CHANGE_PROPERTIES, false, true},
        {PERMIT_ALL & ~PERMIT_DELETE_COMPONENTS, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.permissions);
        CWarmteSensor sensor;
        ScriptedModals user;
        user.Then([&c](QDialog& dialog) {
            auto button = [&](const char* name) {
                return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
            };
            EXPECT_EQ(button("button1")->isEnabled(), c.bOk);
            EXPECT_EQ(button("button172")->isEnabled(), c.bWis);
            TypeAndPress(dialog, u"abc"_qs, "button172"); // no validation
            if (c.bWis)
                return dialog.result();
            TypeAndPress(dialog, u"30"_qs, "button2");
            return dialog.result();
        });
        EXPECT_EQ(sensor.EditProperties(c.permissions), c.bWis ? 172 : 2);
        EXPECT_EQ(sensor.Sensitivity(), 60);
    }
}

TEST(SensorConverterStoreTest, StoredFieldsSurviveARoundTrip)
{
    RegisterClassOf<CLichtSensor>("CLichtSensor");
    RegisterClassOf<CGeluidSensor>("CGeluidSensor");
    RegisterClassOf<CWarmteSensor>("CWarmteSensor");
    RegisterClassOf<CADOmzetter>("CADOmzetter");
    RegisterClassOf<CComparator>("CComparator");
    const struct {
        Factory make;
        int param1;
    } cases[] = {
        {Make<CLichtSensor>(), 37},  {Make<CGeluidSensor>(), 0}, {Make<CWarmteSensor>(), 100},
        {Make<CADOmzetter>(), 0},    {Make<CComparator>(), 42},
    };
    for (const auto& c : cases) {
        auto original = c.make();
        SCOPED_TRACE(original->GetClassName());
        original->MoveTo(250, -1300);
        original->m_strName = u"Sensor één"_qs;
        original->m_nParam1 = c.param1;
        original->m_nParam2 = -140;
        original->m_nCorner = 2;
        original->NumberBuses(40);

        QByteArray bytes;
        CArchive writer(bytes);
        writer.WriteObject(original.get());
        CArchive reader(bytes.constData(), std::size_t(bytes.size()));
        std::unique_ptr<CComponent> copy = reader.ReadObjectOf<CComponent>();
        ASSERT_NE(copy, nullptr);
        EXPECT_FALSE(reader.Failed());
        EXPECT_EQ(reader.Remaining(), 0u) << "nothing stored beyond the base record";
        EXPECT_STREQ(copy->GetClassName(), original->GetClassName());
        EXPECT_EQ(copy->m_rect, original->m_rect);
        EXPECT_EQ(copy->m_strName, original->m_strName);
        EXPECT_EQ(copy->GetBusRange(), original->GetBusRange());
        EXPECT_EQ(copy->m_nParam1, c.param1);
        EXPECT_EQ(copy->m_nParam2, -140);
        EXPECT_EQ(copy->m_nCorner, 2);
    }
}

} // namespace
