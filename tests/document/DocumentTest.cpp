#include "DocFixture.h"

#include <random>

namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;

using DocumentTest = DocFixture;

TEST_F(DocumentTest, CreateComponentNumbersSocketsFromTheBoardCounter)
{
    auto a = doc->CreateComponent(AND_GATE);
    auto b = doc->CreateComponent(INVERTER);
    EXPECT_EQ(a->GetBusRange(), std::make_pair(1, 3));
    EXPECT_EQ(b->GetBusRange(), std::make_pair(4, 5));
    EXPECT_EQ(doc->m_nLastBusId, 5);
    EXPECT_EQ(doc->CreateComponent(25), nullptr);
    EXPECT_EQ(doc->CreateComponent(-1), nullptr);
    EXPECT_FALSE(doc->IsModified()) << "not on the board until added";
    doc->AddComponent(std::move(a));
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocumentTest, ComponentAtPrefersTheSmallestOrTheFirst)
{
    Place(AND_GATE, 0, 0);  // 256 x 152
    Place(INVERTER, 0, 0);  // 256 x 150: smaller
    Place(AND_GATE, 0, 0);
    EXPECT_EQ(doc->ComponentAt(10, -10, false), 1);
    EXPECT_EQ(doc->ComponentAt(10, -10, true), 0);
    EXPECT_EQ(doc->ComponentAt(10, -10, true, 0), 1) << "starts after the start index";
    EXPECT_EQ(doc->ComponentAt(10, -152, false), 0) << "only the gates reach this low; first wins";
    EXPECT_EQ(doc->ComponentAt(900, -10, false), -1);
}

TEST_F(DocumentTest, FindBusByNumber)
{
    Place(AND_GATE, 0, 0);
    CComponent* inv = Place(INVERTER, 400, 0);
    EXPECT_EQ(doc->FindBus(5), &inv->Bus(1));
    EXPECT_EQ(doc->FindBus(6), nullptr);
    EXPECT_EQ(doc->FindBus(0), nullptr);
}

// The look-up by number follows the board through every change: adding, deleting,
// clearing probes, reading, and a list changed directly.
TEST_F(DocumentTest, FindBusFollowsEveryChangeOfTheBoard)
{
    CComponent* gate = Place(AND_GATE, 0, 0); // 1 2 3
    EXPECT_EQ(doc->FindBus(3), &gate->Bus(2));
    CComponent* inv = Place(INVERTER, 400, 0); // 4 5
    EXPECT_EQ(doc->FindBus(4), &inv->Bus(0)) << "added after a look-up";
    CComponent* probe = AddProbe(*doc, 5, 1); // 6
    EXPECT_EQ(doc->FindBus(6), &probe->Bus(0));

    doc->DeleteComponent(0);
    EXPECT_EQ(doc->FindBus(3), nullptr) << "deleted";
    EXPECT_EQ(doc->FindBus(5), &inv->Bus(1)) << "moved up in the list";

    ScriptedModals user;
    user.Answer(kYes);
    doc->OnClearProbes();
    EXPECT_EQ(doc->FindBus(6), nullptr);
    EXPECT_EQ(doc->FindBus(4), &inv->Bus(0));

    // Changed behind the document's back: taken out and put back in front of another.
    CComponent* later = Place(INVERTER, 800, 0); // 7 8
    auto kept = std::move(doc->m_components[0]);
    doc->m_components.erase(doc->m_components.begin());
    doc->m_components.push_back(std::move(kept));
    EXPECT_EQ(doc->FindBus(8), &later->Bus(1));
    EXPECT_EQ(doc->FindBus(4), &inv->Bus(0));
    doc->m_components.clear();
    EXPECT_EQ(doc->FindBus(4), nullptr);

    WriteFile(QStringLiteral("bord.wks"), [] {
        CVeldtrakDoc other;
        for (int i = 0; i < 3; ++i)
            other.AddComponent(other.CreateComponent(INVERTER));
        return WriteBoard(other);
    }());
    ASSERT_TRUE(doc->OnOpenDocument(Stored(QStringLiteral("bord.wks"))));
    ASSERT_EQ(doc->m_components.size(), 3u);
    EXPECT_EQ(doc->FindBus(6), &doc->m_components[2]->Bus(1)) << "read from the file";
    EXPECT_EQ(doc->FindBus(7), nullptr);
}

// Numbers from a damaged file: far beyond the socket count, zero or negative, or used
// twice (the component latest in the list wins, as a search from the back finds it).
TEST_F(DocumentTest, FindBusWithDamagedNumbers)
{
    CComponent* a = Place(INVERTER, 0, 0);
    CComponent* b = Place(INVERTER, 400, 0);
    a->Bus(0).SetId(2000000000);
    a->Bus(1).SetId(-3);
    b->Bus(0).SetId(7);
    b->Bus(1).SetId(7);
    CComponent* c = Place(INVERTER, 800, 0);
    c->Bus(0).SetId(7);
    doc->ComponentsChanged();
    EXPECT_EQ(doc->FindBus(2000000000), &a->Bus(0));
    EXPECT_EQ(doc->FindBus(-3), nullptr);
    EXPECT_EQ(doc->FindBus(7), &c->Bus(0));
    EXPECT_EQ(doc->FindBus(1999999999), nullptr);
    c->Bus(0).SetId(9); // renumbered without a word: the stale entry is noticed
    ASSERT_NE(doc->FindBus(7), nullptr);
    EXPECT_EQ(doc->FindBus(7)->GetId(), 7);
    doc->ComponentsChanged(); // as a renumbering says
    EXPECT_EQ(doc->FindBus(9), &c->Bus(0));
}

// The look-up by number against a plain search from the back of the list, over random
// sequences of adding, deleting, renumbering and reading the board. Few sockets with
// numbers in the thousands keep many numbers beyond the index's plain table while the
// table grows under them, as after deleting most of a large board.
TEST_F(DocumentTest, FindBusAgreesWithAPlainSearchOverRandomEdits)
{
    const auto plainSearch = [this](int id) -> CBus* {
        for (std::size_t i = doc->m_components.size(); i-- > 0;) {
            CComponent& c = *doc->m_components[i];
            for (int b = 0; b < c.GetBusCount(); ++b)
                if (c.Bus(b).GetId() == id)
                    return &c.Bus(b);
        }
        return nullptr;
    };
    const int kinds[] = {INVERTER, AND_GATE, 13 /* pulse generator, 1 socket */,
                         14 /* counter, 8 */};
    for (unsigned seed = 1; seed <= 6; ++seed) {
        doc = std::make_unique<CVeldtrakDoc>();
        std::mt19937 random(seed);
        const auto pick = [&random](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        // From 1 up, or from far up: numbers beyond the table now, inside it later.
        const auto numberFrom = [&] { return pick(0, 3) == 0 ? pick(1, 6000) : pick(1, 400) * 10; };
        const auto renumber = [&](CComponent& c) {
            const int first = pick(0, 20) == 0 ? 2000000000 - pick(0, 1000) : numberFrom();
            for (int b = 0; b < c.GetBusCount(); ++b)
                c.Bus(b).SetId(first + b);
        };
        for (int step = 0; step < 600; ++step) {
            const int what = pick(0, 19);
            const std::size_t count = doc->m_components.size();
            if (what < 11 || count == 0) {
                auto c = doc->CreateComponent(kinds[pick(0, 3)]);
                if (pick(0, 1))
                    renumber(*c);
                doc->AddComponent(std::move(c));
            } else if (what < 16) {
                doc->DeleteComponent(pick(0, int(count) - 1));
            } else if (what < 19) {
                renumber(*doc->m_components[std::size_t(pick(0, int(count) - 1))]);
                doc->ComponentsChanged();
            } else {
                const QByteArray bytes = WriteBoard(*doc);
                doc->DeleteContents();
                ReadBoard(bytes, *doc); // a board with numbers used twice is refused part-way
            }
            std::vector<int> asked = {pick(1, 7000), pick(-5, 0), 2000000000 - pick(0, 1000)};
            for (int k = 0; k < 40 && !doc->m_components.empty(); ++k) {
                const CComponent& c =
                    *doc->m_components[std::size_t(pick(0, int(doc->m_components.size()) - 1))];
                asked.push_back(c.Bus(pick(0, c.GetBusCount() - 1)).GetId());
            }
            for (int id : asked)
                ASSERT_EQ(doc->FindBus(id), plainSearch(id))
                    << "seed " << seed << ", step " << step << ", socket " << id;
        }
    }
}

TEST_F(DocumentTest, AddWireRefusesDuplicatesEitherWay)
{
    Place(AND_GATE, 0, 0);
    Place(INVERTER, 400, 0);
    Wire(3, 4);
    auto reverse = std::make_unique<CDraad>();
    reverse->AddPoint({0, 0}, 4, 30);
    reverse->AddPoint({0, 0}, 3, 30);
    doc->SetModifiedFlag(false);
    EXPECT_EQ(doc->AddWire(std::move(reverse)), 0);
    EXPECT_EQ(doc->m_wires.size(), 1u);
    EXPECT_TRUE(doc->IsModified());
}

// The duplicate is found by its ends, however the list of wires changed before.
TEST_F(DocumentTest, AddWireFindsTheDuplicateAfterEveryChangeToTheWires)
{
    const auto add = [this](int a, int b) {
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, a, 30);
        wire->AddPoint({0, 0}, b, 30);
        return doc->AddWire(std::move(wire));
    };
    Wire(1, 2);
    Wire(3, 4);
    Wire(5, 6);
    EXPECT_EQ(add(6, 5), 2);
    doc->DeleteWire(0);
    EXPECT_EQ(add(5, 6), 1) << "moved up by the deletion";
    EXPECT_EQ(add(1, 2), -1) << "deleted, so added again";
    EXPECT_EQ(add(2, 1), 2);
    doc->m_wires.pop_back(); // as the view takes back a wire it was drawing
    EXPECT_EQ(add(1, 2), -1);
    auto direct = std::make_unique<CDraad>();
    direct->m_nBus1 = 8;
    direct->m_nBus2 = 7;
    doc->m_wires.push_back(std::move(direct)); // as a board generator does
    EXPECT_EQ(add(7, 8), 3);
    EXPECT_EQ(doc->m_wires.size(), 4u);
}

TEST_F(DocumentTest, WireAtFindsTheNearestWithinTheEraseMargin)
{
    Wire(1, 2);
    doc->m_wires[0]->m_points = {{0, 0}, {1000, 0}};
    Wire(3, 4);
    doc->m_wires[1]->m_points = {{0, -20}, {1000, -20}};
    EXPECT_EQ(doc->WireAt(500, -5).index, 0);
    EXPECT_EQ(doc->WireAt(500, -15).index, 1);
    EXPECT_EQ(doc->WireAt(500, 30).index, -1) << "30 is not below the margin";
    const auto hit = doc->WireAt(500, 29);
    EXPECT_EQ(hit.index, 0);
    EXPECT_EQ(hit.nearest, CPoint(500, 0));
}

TEST_F(DocumentTest, DeletingAComponentTakesItsWiresAndProbes)
{
    Place(AND_GATE, 0, 0);          // 1 2 3
    Place(INVERTER, 400, 0);        // 4 5
    Place(INVERTER, 800, 0);        // 6 7
    Wire(3, 4);
    Wire(5, 6);
    AddProbe(*doc, 5, 1);
    AddProbe(*doc, 7, 2);
    doc->DeleteComponent(1);
    ASSERT_EQ(doc->m_wires.size(), 0u);
    ASSERT_EQ(doc->m_components.size(), 3u);
    EXPECT_EQ(doc->m_components[1]->GetBusRange().first, 6);
    EXPECT_EQ(doc->m_components[2]->m_nParam1, 7) << "the other probe stays";
}

// The marked components go at once: the wires on their sockets, wires between them,
// probes on them; what is not marked stays, in its order.
TEST_F(DocumentTest, DeletingManyComponentsTakesTheirWiresAndProbesAtOnce)
{
    CComponent* gate = Place(AND_GATE, 0, 0);       // 1 2 3
    CComponent* kept = Place(INVERTER, 400, 0);     // 4 5
    CComponent* inverter = Place(INVERTER, 800, 0); // 6 7
    CComponent* last = Place(INVERTER, 1200, 0);    // 8 9
    Wire(3, 6); // between two that go
    Wire(5, 8); // between two that stay
    Wire(7, 4); // from one that goes to one that stays
    AddProbe(*doc, 2, 1); // on the gate: goes with it
    CComponent* onKept = AddProbe(*doc, 9, 2);
    doc->SetModifiedFlag(false);
    doc->DeleteComponents({inverter, gate});
    ASSERT_EQ(doc->m_components.size(), 3u);
    EXPECT_EQ(doc->m_components[0].get(), kept);
    EXPECT_EQ(doc->m_components[1].get(), last);
    EXPECT_EQ(doc->m_components[2].get(), onKept);
    ASSERT_EQ(doc->m_wires.size(), 1u);
    EXPECT_EQ(doc->m_wires[0]->GetEnds(), std::make_pair(5, 8));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->FindBus(3), nullptr);
    EXPECT_EQ(doc->FindBus(9), &last->Bus(1));

    // Without permission: one warning for the lot, nothing goes.
    doc->m_nPermissions = PERMIT_ALL & ~PERMIT_DELETE_COMPONENTS;
    ScriptedModals user;
    user.Answer(1);
    doc->DeleteComponents({kept, last});
    EXPECT_EQ(doc->m_components.size(), 3u);
    EXPECT_EQ(user.Texts().size(), 1);
}

TEST_F(DocumentTest, DeletingNeedsPermissionAndSaysWhy)
{
    Place(AND_GATE, 0, 0);
    Wire(3, 9);
    doc->m_nPermissions = PERMIT_ALL & ~(PERMIT_DELETE_COMPONENTS | PERMIT_DELETE_WIRES);
    ScriptedModals user;
    user.Answer(1).Answer(1);
    doc->DeleteComponent(0);
    doc->DeleteWire(0);
    EXPECT_EQ(doc->m_components.size(), 1u);
    EXPECT_EQ(doc->m_wires.size(), 1u);
    ASSERT_EQ(user.Texts().size(), 2);
    EXPECT_EQ(user.Titles()[0], QStringLiteral("Waarschuwing"));
    EXPECT_EQ(user.Texts()[0].join(u'|'), QStringLiteral("Geen toestemming om componenten te wissen."));
    EXPECT_EQ(user.Texts()[1].join(u'|'), QStringLiteral("Geen toestemming om bedrading te wissen."));

    doc->m_bTeacherUnlock = true;
    doc->DeleteWire(0);
    EXPECT_TRUE(doc->m_wires.empty()) << "the teacher may do anything";
}

TEST_F(DocumentTest, RefusalTexts)
{
    const struct {
        int permission;
        const char* text;
    } cases[] = {
        {PERMIT_ADD_MOVE, "Geen toestemming om componenten toe te voegen of|verplaatsen."},
        {PERMIT_ADD_WIRES, "Geen toestemming om bedrading toe te voegen of|verplaatsen."},
        {PERMIT_IDENTIFY_BLACKBOXES, "Geen toestemming om blackboxes te identificeren."},
        {PERMIT_PROBES, "Geen toestemming om sondes te gebruiken."},
        {PERMIT_CHANGE_TEXTS, "Geen toestemming om teksten, tabellen of foto's|te wijzigen."},
        {PERMIT_CHANGE_PROPERTIES,
         "Geen toestemming om componenten te wijzigen.|Wijzigingen zullen worden genegeerd."},
    };
    doc->m_nPermissions = 0;
    for (const auto& c : cases) {
        ScriptedModals user;
        user.Answer(1);
        EXPECT_FALSE(doc->CheckPermission(c.permission, true));
        ASSERT_EQ(user.Texts().size(), 1);
        EXPECT_EQ(user.Texts()[0].join(u'|'), QString::fromUtf8(c.text));
    }
    ScriptedModals silent;
    EXPECT_FALSE(doc->CheckPermission(PERMIT_PROBES, false));
    EXPECT_FALSE(doc->CheckPermission(3, true)) << "not a permission: refused without a word";
}

TEST_F(DocumentTest, ClearCommandsAskFirst)
{
    Place(AND_GATE, 0, 0);
    Place(INVERTER, 400, 0);
    Wire(3, 4);
    AddProbe(*doc, 4, 1);
    {
        ScriptedModals user;
        user.Answer(kNo).Answer(2).Answer(kYes).Answer(kYes);
        doc->OnClearWires();
        doc->OnClearWires();
        EXPECT_EQ(doc->m_wires.size(), 1u) << "Nee and Escape keep the wires";
        doc->OnClearWires();
        EXPECT_TRUE(doc->m_wires.empty());
        doc->OnClearProbes();
        EXPECT_EQ(doc->m_components.size(), 2u);
        EXPECT_EQ(user.Texts()[0].join(u'|'), QStringLiteral("Bedrading echt wissen?"));
        EXPECT_EQ(user.Titles()[0], QStringLiteral("Bevestig"));
        EXPECT_EQ(user.Texts()[3].join(u'|'), QStringLiteral("Sondes echt wissen?"));
    }
    ScriptedModals none; // nothing left to clear: no question
    doc->OnClearWires();
    doc->OnClearProbes();
    doc->OnClearTextFields();
    doc->OnClearTables();
    doc->OnClearPictures();
}

TEST_F(DocumentTest, ClearAllAsksOnlyForAModifiedBoard)
{
    Place(AND_GATE, 0, 0);
    doc->SetModifiedFlag(false);
    doc->m_nPermissions = 3;
    {
        ScriptedModals none;
        doc->OnClearAll();
    }
    EXPECT_TRUE(doc->m_components.empty());
    EXPECT_TRUE(doc->IsModified()) << "a cleared board counts as changed";
    EXPECT_EQ(doc->m_nPermissions, 255) << "and allows everything again";

    Place(AND_GATE, 0, 0);
    ScriptedModals user;
    user.Answer(kNo);
    doc->OnClearAll();
    EXPECT_EQ(doc->m_components.size(), 1u);
    EXPECT_EQ(user.Texts()[0].join(u'|'), QStringLiteral("Bord echt wissen?"));
}

TEST_F(DocumentTest, CommandEnabling)
{
    EXPECT_TRUE(doc->IsCommandEnabled(ID_FILE_OPEN));
    EXPECT_FALSE(doc->IsCommandEnabled(ID_EDIT_CLEAR_ALL)) << "nothing on the board";
    Place(AND_GATE, 0, 0);
    Wire(3, 7);
    EXPECT_TRUE(doc->IsCommandEnabled(ID_EDIT_CLEAR_ALL));
    EXPECT_TRUE(doc->IsCommandEnabled(ID_EDIT_CLEAR_WIRES));
    doc->m_nPermissions = PERMIT_ALL & ~PERMIT_DELETE_WIRES;
    EXPECT_FALSE(doc->IsCommandEnabled(ID_EDIT_CLEAR_WIRES));
    doc->m_bTeacherUnlock = true;
    EXPECT_TRUE(doc->IsCommandEnabled(ID_EDIT_CLEAR_WIRES));
    EXPECT_FALSE(doc->IsCommandEnabled(ID_INSERT_TEXTFIELD));
    doc->m_bRunning = true;
    EXPECT_FALSE(doc->IsCommandEnabled(ID_FILE_SAVE));
    EXPECT_FALSE(doc->IsCommandEnabled(ID_MEASURE_START));
    EXPECT_TRUE(doc->IsCommandEnabled(ID_MEASURE_STOP));
    doc->m_bBusy = true;
    EXPECT_FALSE(doc->IsCommandEnabled(ID_MEASURE_RESET));
    EXPECT_TRUE(doc->IsCommandEnabled(ID_HELP));
}

} // namespace

namespace {

TEST_F(DocumentTest, ProbesReturnToTheirSockets)
{
    CComponent* gate = Place(AND_GATE, 400, -400); // output socket 3
    CComponent* probe = AddProbe(*doc, 3, 1);
    doc->LayOutSockets();
    const CPoint socket = gate->Bus(2).GetCenter();
    for (int corner = 0; corner < 4; ++corner) {
        probe->m_nCorner = corner;
        probe->MoveTo(2000, -2000); // dropped on empty board
        EXPECT_TRUE(doc->SnapProbes());
        const CPoint tip = static_cast<CSonde*>(probe)->TipPoint();
        EXPECT_LE(std::abs(tip.x - socket.x), 10) << corner;
        EXPECT_LE(std::abs(tip.y - socket.y), 10) << corner;
        EXPECT_FALSE(doc->SnapProbes()) << "already in place";
    }
    CComponent* loose = AddProbe(*doc, 0, 2);
    loose->MoveTo(100, -100);
    doc->SnapProbes();
    EXPECT_EQ(loose->GetTopLeft(), CPoint(100, -100)) << "never attached: stays where dropped";
}

} // namespace
