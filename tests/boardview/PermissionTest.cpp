// Every mouse edit that a permission gates: refused with the exact warning when the
// pupil lacks it, done when the teacher has unlocked the board.
#include "BoardViewFixture.h"
#include "annotations/TextField.h"
#include "support/ScriptedModals.h"

#include <QAbstractButton>

#include <functional>

namespace {

constexpr int PROBE = 24;

class PermissionTest : public BoardViewFixture {
public:
    // The table's steps drive the board from outside the test bodies.
    using BoardViewFixture::Click;
    using BoardViewFixture::doc;
    using BoardViewFixture::Drag;
    using BoardViewFixture::MoveMouse;
    using BoardViewFixture::Press;
    using BoardViewFixture::Release;
    using BoardViewFixture::view;

    void SetUp() override
    {
        BoardViewFixture::SetUp();
        ShowBoard();
        a = Place(INVERTER, 100, -100);
        b = Place(INVERTER, 900, -600);
        Refresh();
    }
    CPoint Out(CComponent* g) { return SocketCentre(g, 1); }
    CPoint In(CComponent* g) { return SocketCentre(g, 0); }
    void AddProbe() { probe = Place(PROBE, 1200, -1000); }

    CComponent* a = nullptr;
    CComponent* b = nullptr;
    CComponent* probe = nullptr;
};

using Step = std::function<void(PermissionTest&)>;
using Check = std::function<bool(PermissionTest&)>;

struct GatedCase {
    const char* name;
    int permission;
    Step prepare;     // before the operation, with every permission
    std::vector<int> dialogs; // answers to the dialogs the operation opens first
    Step operate;
    Check happened;
    const char* refusal;
    int warnings = 1; // each socket click asks for wiring, the first one too
};

void PrintTo(const GatedCase& c, std::ostream* os)
{
    *os << c.name;
}

const GatedCase kCases[] = {
    {"PlaceComponent", PERMIT_ADD_MOVE, nullptr, {},
     [](PermissionTest& t) {
         t.doc->UpdateAllViews(HINT_PLACE_COMPONENT, INVERTER | (40 << 16));
         t.Release(CPoint(500, -1000));
     },
     [](PermissionTest& t) { return t.doc->m_components.size() == 3; },
     "Geen toestemming om componenten toe te voegen of|verplaatsen."},
    {"DragComponent", PERMIT_ADD_MOVE, nullptr, {},
     [](PermissionTest& t) { t.Drag(CPoint(150, -150), CPoint(500, -1000)); },
     [](PermissionTest& t) { return t.a->GetTopLeft() != CPoint(100, -100); },
     "Geen toestemming om componenten toe te voegen of|verplaatsen."},
    {"DeleteFromProperties", PERMIT_DELETE_COMPONENTS, nullptr, {EDIT_DELETE},
     [](PermissionTest& t) { t.Click(CPoint(150, -150), Qt::RightButton); },
     [](PermissionTest& t) { return t.doc->m_components.size() == 1; },
     "Geen toestemming om componenten te wissen."},
    {"DeleteMarked", PERMIT_DELETE_COMPONENTS, nullptr, {1103},
     [](PermissionTest& t) {
         t.Press(CPoint(50, -50));
         t.MoveMouse(CPoint(300, -300));
         t.Release(CPoint(300, -300));
     },
     [](PermissionTest& t) { return t.doc->m_components.size() == 1; },
     "Geen toestemming om componenten te wissen."},
    {"CompleteWire", PERMIT_ADD_WIRES, nullptr, {},
     [](PermissionTest& t) {
         t.Click(t.Out(t.a));
         t.Click(t.In(t.b));
     },
     [](PermissionTest& t) { return t.doc->m_wires.size() == 1; },
     "Geen toestemming om bedrading toe te voegen of|verplaatsen.", 2},
    {"DeleteWire", PERMIT_DELETE_WIRES,
     [](PermissionTest& t) {
         t.Click(t.Out(t.a));
         t.Click(t.In(t.b));
     },
     {},
     [](PermissionTest& t) {
         const CPoint p = t.doc->m_wires[0]->GetPoint(0), q = t.doc->m_wires[0]->GetPointFromEnd(0);
         t.Click(CPoint((p.x + q.x) / 2, (p.y + q.y) / 2 - 10), Qt::RightButton);
     },
     [](PermissionTest& t) { return t.doc->m_wires.empty(); },
     "Geen toestemming om bedrading te wissen."},
    {"PlaceProbe", PERMIT_PROBES, nullptr, {},
     [](PermissionTest& t) {
         t.doc->UpdateAllViews(HINT_PLACE_COMPONENT, PROBE | (40 << 16));
         t.Release(CPoint(500, -1000));
     },
     [](PermissionTest& t) { return t.doc->m_components.size() == 3; },
     "Geen toestemming om sondes te gebruiken."},
    {"DragProbe", PERMIT_PROBES, [](PermissionTest& t) { t.AddProbe(); }, {},
     [](PermissionTest& t) { t.Drag(CPoint(1240, -1040), CPoint(500, -1000)); },
     [](PermissionTest& t) { return t.probe->GetTopLeft() != CPoint(1200, -1000); },
     "Geen toestemming om sondes te gebruiken."},
    {"PressTextField", PERMIT_CHANGE_TEXTS,
     [](PermissionTest& t) {
         // A field is as large as its text once drawn.
         auto text = std::make_unique<CTextField>();
         text->SetText(u"{\\rtf1{\\colortbl ;}\r\n\\plain Opdracht\\par \r\n\r\n}"_qs, 1);
         text->m_rect = CRect(1200, -100, 1500, -300);
         t.doc->AddTextField(std::move(text));
     },
     {}, [](PermissionTest& t) { t.Press(CPoint(1250, -120)); },
     [](PermissionTest& t) { return t.view->Mode() == MODE_DRAG_TEXTFIELD; },
     "Geen toestemming om teksten, tabellen of foto's|te wijzigen."},
    {"OpenMarkedDialog", PERMIT_CHANGE_PROPERTIES, nullptr, {},
     [](PermissionTest& t) {
         t.Press(CPoint(50, -50));
         t.MoveMouse(CPoint(300, -300));
         t.Release(CPoint(300, -300));
     },
     nullptr, // the dialog opening is what happens: counted by the script
     "Geen toestemming om componenten te wijzigen.|Wijzigingen zullen worden genegeerd."},
};

class GatedOperationTest : public PermissionTest, public ::testing::WithParamInterface<GatedCase> {};

TEST_P(GatedOperationTest, RefusedWithItsWarningWithoutThePermission)
{
    const GatedCase& c = GetParam();
    if (c.prepare)
        c.prepare(*this);
    Refresh();
    doc->m_nPermissions = PERMIT_ALL & ~c.permission;
    ScriptedModals user;
    for (int answer : c.dialogs)
        user.Answer(answer);
    for (int i = 0; i < c.warnings; ++i)
        user.Answer(1);
    c.operate(*this);
    if (c.happened) {
        EXPECT_FALSE(c.happened(*this));
    }
    ASSERT_EQ(user.Opened(), int(c.dialogs.size()) + c.warnings);
    EXPECT_EQ(user.Titles().last(), QStringLiteral("Waarschuwing"));
    EXPECT_EQ(user.Texts().last().join(u'|'), QString::fromUtf8(c.refusal));
    EXPECT_NE(view->Mode(), MODE_DRAG_COMPONENT);
}

TEST_P(GatedOperationTest, DoneWhenTheTeacherHasUnlockedTheBoard)
{
    const GatedCase& c = GetParam();
    if (c.prepare)
        c.prepare(*this);
    Refresh();
    doc->m_nPermissions = 0;
    doc->m_bTeacherUnlock = true;
    ScriptedModals user;
    for (int answer : c.dialogs)
        user.Answer(answer);
    if (!c.happened)
        user.Answer(2);
    c.operate(*this);
    if (c.happened) {
        EXPECT_TRUE(c.happened(*this));
    }
    for (const QString& title : user.Titles())
        EXPECT_NE(title, QStringLiteral("Waarschuwing"));
}

INSTANTIATE_TEST_SUITE_P(Table, GatedOperationTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PermissionTest, WithoutMovingASocketPressOnlyWiresAndSaysNothing)
{
    doc->m_nPermissions = PERMIT_ALL & ~PERMIT_ADD_MOVE;
    ScriptedModals user; // no message may show
    Press(Out(a));
    EXPECT_EQ(view->Mode(), MODE_WIRE_ONLY_CLICK);
    Release(Out(a));
    Click(In(b));
    EXPECT_EQ(a->GetTopLeft(), CPoint(100, -100));
    EXPECT_EQ(doc->m_wires.size(), 1u);
}

TEST_F(PermissionTest, TheRightClickPassesTheBoardsPermissionsOrAllOfThem)
{
    doc->m_nPermissions = PERMIT_ALL & ~PERMIT_CHANGE_PROPERTIES;
    for (bool unlocked : {false, true}) {
        doc->m_bTeacherUnlock = unlocked;
        ScriptedModals user;
        bool okEnabled = false;
        user.Then([&](QDialog& d) {
            for (auto* button : d.findChildren<QAbstractButton*>())
                if (button->text() == QStringLiteral("OK"))
                    okEnabled = button->isEnabled();
            return 2;
        });
        Click(CPoint(150, -150), Qt::RightButton);
        EXPECT_EQ(okEnabled, unlocked);
    }
}

} // namespace
