#include "components/Drukknop.h"
#include "components/Switch.h"
#include "components/Toggle.h"
#include "components/VariabeleSpanning.h"
#include "core/Archive.h"
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

using Maker = std::function<std::unique_ptr<CComponent>()>;

template <class T>
Maker MakerOf()
{
    return [] { return std::make_unique<T>(); };
}

constexpr int L = 40;  // where the fixture places every component
constexpr int T = -40;

constexpr COLORREF kBlack = RGB(0, 0, 0);
// The button's top edge: dark as drawn, which is its pressed look; xor-inverted at rest.
constexpr COLORREF kPressedEdge = RGB(92, 92, 92);
constexpr COLORREF kRestingEdge = RGB(163, 163, 163);

// Draws at 254 dpi, one pixel per board unit, in the board's label font.
class ManualInputTest : public ::testing::Test {
protected:
    ManualInputTest() { m_dc.SelectObject(CFont::Label(44)); }

    void Place(CComponent& c)
    {
        m_dc.FillSolidRect(CRect(0, 0, 800, -400), RGB(255, 255, 255));
        c.MoveTo(L, T);
        c.Draw(m_dc);
    }
    void Tick(CComponent& c, CPoint cursor, std::uint32_t state, int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i)
            c.Update(m_dc, cursor, &state);
    }
    // Some black within one unit of the point (a slanted line may pass beside it).
    bool Inked(CPoint p) const
    {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (m_dc.GetPixel(p.x + dx, p.y + dy) == kBlack)
                    return true;
        return false;
    }
    COLORREF ButtonEdge(const CComponent& c) const
    {
        const CRect& button = c.Bus(0).GetRect();
        return m_dc.GetPixel(button.left + 10, button.top);
    }

    CMemoryDC m_dc{800, 400, 254};
};

CPoint Mid(CPoint a, CPoint b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

TEST_F(ManualInputTest, SizesAndSocketsFollowTheGeometry)
{
    struct Socket {
        int kind;
        CPoint centre;
    };
    struct Case {
        const char* name;
        Maker make;
        int width, height;
        std::vector<Socket> sockets;
    };
    const std::vector<Case> cases = {
        {"push button", MakerOf<CDrukknop>(), 300, 92,
         {{BUS_BUTTON, {L + 20, T - 20}}, {BUS_OUTPUT, {L + 280, T - 20}}}},
        {"switch", MakerOf<CSwitch>(), 192, 144,
         {{BUS_BUTTON, {L + 20, T - 60}},
          {BUS_OUTPUT, {L + 172, T - 20}},
          {BUS_OUTPUT, {L + 172, T - 100}}}},
        {"toggle", MakerOf<CToggle>(), 192, 80,
         {{BUS_BUTTON, {L + 20, T - 20}}, {BUS_OUTPUT, {L + 172, T - 20}}}},
        {"voltage source", MakerOf<CVariabeleSpanning>(), 326, 154,
         {{BUS_OUTPUT, {L + 306, T - 30}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto component = c.make();
        Place(*component);
        EXPECT_EQ(component->m_rect, CRect(L, T, L + c.width, T - c.height));
        ASSERT_EQ(component->GetBusCount(), int(c.sockets.size()));
        for (int i = 0; i < component->GetBusCount(); ++i) {
            const CBus& bus = component->Bus(i);
            EXPECT_EQ(bus.GetKind(), c.sockets[std::size_t(i)].kind) << i;
            EXPECT_EQ(bus.GetCenter(), c.sockets[std::size_t(i)].centre) << i;
            const COLORREF fill =
                bus.GetKind() == BUS_BUTTON ? RGB(192, 192, 192) : RGB(0, 255, 0);
            EXPECT_EQ(m_dc.GetPixel(bus.GetCenter().x, bus.GetCenter().y), fill) << i;
        }
    }
}

TEST_F(ManualInputTest, PushButtonConductsOnlyWhileHeldOnItsButton)
{
    CDrukknop button;
    Place(button);
    const CPoint on = button.Bus(0).GetCenter();
    const CPoint off(L + 150, T - 60);
    const struct {
        CPoint cursor;
        std::uint32_t state;
        int output;
    } ticks[] = {
        {off, STATE_LEFT_BUTTON, 0},  // pressed beside the button...
        {on, STATE_LEFT_BUTTON, 500}, // ...and slid onto it
        {on, STATE_LEFT_BUTTON, 500},
        {on, 0, 0},
        {on, STATE_RIGHT_BUTTON, 0},
        {on, STATE_LEFT_BUTTON | STATE_SHIFT, 500},
        {off, STATE_LEFT_BUTTON, 0}, // slid off while held
    };
    int n = 0;
    for (const auto& t : ticks) {
        Tick(button, t.cursor, t.state);
        EXPECT_EQ(button.Bus(1).m_nValue, t.output) << "tick " << n;
        EXPECT_EQ(button.ContactState(), t.output ? 1 : 0) << "tick " << n++;
    }
    Tick(button, on, STATE_LEFT_BUTTON);
    button.Reset(m_dc);
    EXPECT_EQ(button.Bus(1).m_nValue, 0);
}

TEST_F(ManualInputTest, SwitchAndToggleChangeOverOncePerPress)
{
    struct Case {
        const char* name;
        Maker make;
        std::vector<int> (*outputs)(int contact);
    };
    const std::vector<Case> cases = {
        {"switch", MakerOf<CSwitch>(),
         [](int contact) { return std::vector<int>{contact ? 0 : 500, contact ? 500 : 0}; }},
        {"toggle", MakerOf<CToggle>(),
         [](int contact) { return std::vector<int>{contact ? 500 : 0}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto component = c.make();
        Place(*component);
        const CPoint on = component->Bus(0).GetCenter();
        const CPoint off(on.x + 60, on.y);
        const struct {
            CPoint cursor;
            std::uint32_t state;
            int ticks;
            int contact;
        } steps[] = {
            {on, 0, 1, 0},
            {off, STATE_LEFT_BUTTON, 2, 0},
            {on, STATE_LEFT_BUTTON, 1, 1}, // slid on: flips at that tick
            {on, STATE_LEFT_BUTTON, 7, 1},
            {on, 0, 3, 1},
            {on, STATE_LEFT_BUTTON, 4, 0},
            {off, STATE_LEFT_BUTTON, 1, 0}, // slid off and on again is a new press
            {on, STATE_LEFT_BUTTON, 1, 1},
        };
        int n = 0;
        for (const auto& s : steps) {
            Tick(*component, s.cursor, s.state, s.ticks);
            EXPECT_EQ(component->m_nParam2, s.contact) << "step " << n;
            std::vector<int> levels;
            for (int i = 1; i < component->GetBusCount(); ++i)
                levels.push_back(component->Bus(i).m_nValue);
            EXPECT_EQ(levels, c.outputs(s.contact)) << "step " << n++;
        }
        component->Reset(m_dc);
        EXPECT_EQ(component->m_nParam2, 0);
        std::vector<int> levels;
        for (int i = 1; i < component->GetBusCount(); ++i)
            levels.push_back(component->Bus(i).m_nValue);
        EXPECT_EQ(levels, c.outputs(0)) << "after reset";
    }
}

// The lever points of each class, as drawn at (L, T).
struct LeverCase {
    const char* name;
    Maker make;
    CPoint end0, pivot, end1;
    bool bLatching;
};

const std::vector<LeverCase>& LeverCases()
{
    static const std::vector<LeverCase> cases = {
        {"push button", MakerOf<CDrukknop>(), {L + 187, T}, {L + 113, T - 20},
         {L + 187, T - 20}, false},
        {"switch", MakerOf<CSwitch>(), {L + 115, T - 20}, {L + 77, T - 60}, {L + 115, T - 100},
         true},
        {"toggle", MakerOf<CToggle>(), {L + 124, T}, {L + 68, T - 20}, {L + 124, T - 20}, true},
    };
    return cases;
}

TEST_F(ManualInputTest, LeverAndButtonShowTheContactAndThePress)
{
    for (const LeverCase& c : LeverCases()) {
        SCOPED_TRACE(c.name);
        auto component = c.make();
        const CPoint lever0 = Mid(c.end0, c.pivot);
        const CPoint lever1 = Mid(c.end1, c.pivot);
        auto expectPicture = [&](int contact, COLORREF edge, const char* when) {
            EXPECT_EQ(Inked(lever0), contact == 0) << when;
            EXPECT_EQ(Inked(lever1), contact == 1) << when;
            EXPECT_EQ(ButtonEdge(*component), edge) << when;
        };
        Place(*component);
        expectPicture(0, kRestingEdge, "drawn");
        const CPoint on = component->Bus(0).GetCenter();
        Tick(*component, on, STATE_LEFT_BUTTON, 2);
        expectPicture(1, kPressedEdge, "held");
        Tick(*component, on, 0);
        expectPicture(c.bLatching ? 1 : 0, kRestingEdge, "released");
        // A latching switch left on must come back on, and at rest, when the board is
        // painted again.
        Place(*component);
        expectPicture(c.bLatching ? 1 : 0, kRestingEdge, "painted again");
        Tick(*component, on, STATE_LEFT_BUTTON);
        expectPicture(c.bLatching ? 0 : 1, kPressedEdge, "pressed again");
        component->Reset(m_dc);
        expectPicture(0, kRestingEdge, "reset");
    }
}

TEST_F(ManualInputTest, VoltageSliderDragsAndSteps)
{
    // Track from x = L + 20 to L + 246, y = T to T - 60; one step is 226 / 54 units.
    const CPoint track(L + 20, T - 30);
    const CPoint below(L + 100, T - 120); // over the component, off the track
    const CPoint outside(L + 400, T - 30);
    struct Case {
        const char* name;
        int start;
        CPoint cursor;
        std::uint32_t state;
        int ticks;
        int setting;
    };
    const std::vector<Case> cases = {
        {"dragged to the far right", 0, {L + 246, T - 30}, STATE_LEFT_BUTTON, 1, 50},
        {"dragged to the left end", 30, track, STATE_LEFT_BUTTON, 1, 0},
        {"dragged on the bottom edge", 0, {L + 120, T - 60}, STATE_LEFT_BUTTON, 1, 23},
        {"left button off the track", 20, below, STATE_LEFT_BUTTON, 1, 20},
        {"dragging needs the button", 20, {L + 246, T - 30}, 0, 1, 20},
        {"Up at 4.9 V", 49, below, STATE_UP_RIGHT, 1, 50},
        {"Up held at the top", 49, below, STATE_UP_RIGHT, 5, 50},
        {"Down steps down", 25, below, STATE_LEFT_DOWN, 3, 22},
        {"Down held at the bottom", 1, below, STATE_LEFT_DOWN, 4, 0},
        {"Up and Down together", 25, below, STATE_UP_RIGHT | STATE_LEFT_DOWN, 1, 25},
        {"arrow with the mouse elsewhere", 25, outside, STATE_UP_RIGHT, 1, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVariabeleSpanning source;
        source.m_nParam1 = c.start;
        Place(source);
        Tick(source, c.cursor, c.state, c.ticks);
        EXPECT_EQ(source.Setting(), c.setting);
        EXPECT_EQ(source.Bus(0).m_nValue, c.setting * 10);
    }
}

TEST_F(ManualInputTest, VoltageSliderRedrawsKnobAndValueWhereAFreshDrawingWould)
{
    auto picture = [this] { return m_dc.Bitmap().copy(L, -T, 326, 154); };
    CVariabeleSpanning fresh, moved;
    fresh.m_nParam1 = 31;
    Place(fresh);
    const QImage at31 = picture();

    Place(moved);
    Tick(moved, {L + 20 + 126, T - 30}, STATE_LEFT_BUTTON); // 126 units: step 30
    Tick(moved, {L + 100, T - 120}, STATE_UP_RIGHT);
    ASSERT_EQ(moved.Setting(), 31);
    EXPECT_EQ(picture(), at31) << "old knob or old value left behind";
    moved.Reset(m_dc);
    EXPECT_EQ(moved.Setting(), 0);
    EXPECT_EQ(moved.Bus(0).m_nValue, 0);
}

// The user's part in the voltage dialog: retype edit 1021 and press a button.
std::function<int(QDialog&)> TypeVoltage(const QString& text, const char* button = "button1")
{
    return [text, button](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("edit1021"));
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        return d.result();
    };
}

TEST(VoltageDlgTest, TypedVoltageBecomesTheSettingOnlyWithinRange)
{
    struct Case {
        QString typed;
        int setting; // starting from 12
    };
    const std::vector<Case> cases = {
        {u"5,00"_qs, 50}, {u"5.00"_qs, 50}, {u"5,5"_qs, 12}, {u"-1"_qs, 12}, {u"2,55"_qs, 25},
        {u"abc"_qs, 0},   {u"0,7"_qs, 7},   {u"3V"_qs, 30},  {u"5,09"_qs, 50}, {u""_qs, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        CVariabeleSpanning source;
        source.m_nParam1 = 12;
        ScriptedModals user;
        user.Then([&](QDialog& d) {
            auto* edit = d.findChild<QLineEdit*>(QStringLiteral("edit1021"));
            EXPECT_EQ(edit->text(), u"1.20"_qs);
            EXPECT_EQ(edit->selectedText(), u"1.20"_qs);
            return TypeVoltage(c.typed)(d);
        });
        EXPECT_EQ(source.EditProperties(PERMIT_ALL), EDIT_ACCEPTED);
        EXPECT_EQ(source.Setting(), c.setting);
        EXPECT_EQ(user.Titles().at(0), u"Var.spanning"_qs);
        EXPECT_EQ(user.Texts().at(0), (QStringList{u"Spanning (0,00 - 5,00):"_qs, u"Volt"_qs}));
    }
}

TEST(VoltageDlgTest, CancelAndWisKeepTheSetting)
{
    for (const auto& [button, result] : {std::pair{"button2", EDIT_CANCELLED},
                                         std::pair{"button172", EDIT_DELETE}}) {
        SCOPED_TRACE(button);
        CVariabeleSpanning source;
        source.m_nParam1 = 25;
        ScriptedModals user;
        user.Then(TypeVoltage(u"4,00"_qs, button));
        EXPECT_EQ(source.EditProperties(PERMIT_ALL), result);
        EXPECT_EQ(source.Setting(), 25);
    }
}

TEST(VoltageDlgTest, MoreThanFourCharactersAreRefusedAndTheDialogStaysOpen)
{
    CVariabeleSpanning source;
    ScriptedModals user;
    user.Then([](QDialog& d) {
            TypeVoltage(u"2,500"_qs)(d);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.result(), 0);
            return TypeVoltage(u"2,5"_qs)(d);
        })
        .Then([](QDialog& message) {
            QTest::mouseClick(message.findChild<QPushButton*>(QStringLiteral("button1")),
                              Qt::LeftButton);
            return message.result();
        });
    EXPECT_EQ(source.EditProperties(PERMIT_ALL), EDIT_ACCEPTED);
    EXPECT_EQ(source.Setting(), 25);
    ASSERT_EQ(user.Opened(), 2);
    EXPECT_EQ(user.Texts().at(1), QStringList{u"Please enter no more than 4 characters."_qs});
}

TEST(ManualInputPropertiesTest, SwitchesHaveNoProperties)
{
    for (const LeverCase& c : LeverCases()) {
        SCOPED_TRACE(c.name);
        auto component = c.make();
        ScriptedModals user;
        user.Answer(EDIT_DELETE);
        EXPECT_EQ(component->EditProperties(PERMIT_ALL), EDIT_DELETE);
        EXPECT_EQ(user.Titles().at(0), component->m_strName);
        EXPECT_EQ(user.Texts().at(0), QStringList{u"Deze component heeft geen eigenschappen."_qs});
    }
}

TEST(ManualInputStorageTest, ContactAndSettingSurviveStoreAndLoad)
{
    struct Case {
        const char* name;
        Maker make;
        int param1, param2;
        int loaded1, loaded2;
    };
    const std::vector<Case> cases = {
        {"push button", MakerOf<CDrukknop>(), 1, 1, 1, 1},
        {"switch on the lower contact", MakerOf<CSwitch>(), 1, 1, 1, 1},
        {"switch on the upper contact", MakerOf<CSwitch>(), 0, 0, 0, 0},
        {"toggle on", MakerOf<CToggle>(), 1, 1, 1, 1},
        {"toggle with a damaged state", MakerOf<CToggle>(), 1, 7, 1, 1},
        {"voltage source", MakerOf<CVariabeleSpanning>(), 37, -70, 37, -70},
        {"voltage above 5 V", MakerOf<CVariabeleSpanning>(), 900, 0, 50, 0},
        {"negative voltage", MakerOf<CVariabeleSpanning>(), -3, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto stored = c.make();
        stored->MoveTo(L, T);
        stored->NumberBuses(40);
        stored->m_nParam1 = c.param1;
        stored->m_nParam2 = c.param2;
        QByteArray bytes;
        CArchive writer(bytes);
        stored->Serialize(writer);

        auto loaded = c.make();
        CArchive reader(bytes.constData(), std::size_t(bytes.size()));
        loaded->Serialize(reader);
        EXPECT_FALSE(reader.Failed());
        EXPECT_EQ(reader.Remaining(), 0u) << "nothing beyond the base record";
        EXPECT_EQ(loaded->m_nParam1, c.loaded1);
        EXPECT_EQ(loaded->m_nParam2, c.loaded2);
        EXPECT_EQ(loaded->m_rect, stored->m_rect);
        EXPECT_EQ(loaded->GetBusRange(), stored->GetBusRange());
    }
}

} // namespace
