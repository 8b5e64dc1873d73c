#pragma once
// Boards damaged the way a changed byte or a hostile file damages them. Each case
// starts from the same valid board and puts a damaged value where the file keeps it;
// the board's own writer then gives the damaged file. Reading refuses some with
// "Ongeldig bestandsformaat"; the others it reads with the value brought in range.

#include "components/Sonde.h"
#include "core/Archive.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <climits>
#include <cstdint>
#include <iterator>
#include <functional>
#include <memory>
#include <vector>

namespace damaged {

// Creation indexes and list places of the sample board's components.
enum Index {
    GATE,        // AND gate, sockets 1-3
    INVERTER,    // sockets 4-5
    COMPARATOR,  // sockets 6-7
    RELAY,       // sockets 8-9
    TRANSISTOR,  // sockets 10-11
    PULSE,       // pulse generator, socket 12
    LAMP,        // sockets 13-14
    LIGHT,       // light sensor, sockets 15-16
    PROBE,       // socket 17, on socket 4 as probe 1
};

inline void AddComponent(CVeldtrakDoc& doc, int creationIndex, int x, int y)
{
    std::unique_ptr<CComponent> c = doc.CreateComponent(creationIndex);
    c->MoveTo(x, y);
    doc.AddComponent(std::move(c));
}

inline void AddWire(CVeldtrakDoc& doc, int from, int to)
{
    auto wire = std::make_unique<CDraad>();
    wire->AddPoint({0, 0}, from, 30);
    wire->AddPoint({50, -50}, 0, 30);
    wire->AddPoint({0, 0}, to, 30);
    doc.AddWire(std::move(wire));
}

// A gate fed by a pulse generator and feeding an inverter under a probe, a comparator,
// a relay, a transistor, and a lamp next to a light sensor.
inline void BuildSampleBoard(CVeldtrakDoc& doc)
{
    AddComponent(doc, 3, 100, -100);   // AND gate
    AddComponent(doc, 6, 600, -100);   // inverter
    AddComponent(doc, 1, 100, -500);   // comparator
    AddComponent(doc, 15, 600, -500);  // relay
    AddComponent(doc, 20, 1000, -500); // transistor
    AddComponent(doc, 13, 100, -900);  // pulse generator
    AddComponent(doc, 7, 600, -900);   // lamp
    AddComponent(doc, 9, 800, -900);   // light sensor
    auto probe = std::make_unique<CSonde>();
    doc.m_nLastBusId = probe->NumberBuses(doc.m_nLastBusId);
    probe->m_nParam1 = 4;
    probe->m_nParam2 = 1;
    doc.AddComponent(std::move(probe));
    AddWire(doc, 3, 4);
    AddWire(doc, 12, 1);
    doc.m_strBoardTitle = QStringLiteral("Proef");
}

inline void Number(CComponent& c, std::initializer_list<int> ids)
{
    int i = 0;
    for (int id : ids)
        c.Bus(i++).SetId(id);
}

// Coordinates beyond the limit, which the board's writer stores at the limit: a case
// puts Beyond(i) where the file keeps the coordinate, and Bytes() puts the value itself
// into the written bytes.
inline constexpr std::int32_t kBeyondLimit[] = {1 << 30, INT_MAX, INT_MIN};
inline int Beyond(int index)
{
    return 90001 + index;
}

inline QByteArray LittleEndian(std::int32_t v)
{
    const auto u = std::uint32_t(v);
    const char bytes[] = {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
    return QByteArray(bytes, 4);
}

struct Case {
    const char* name;
    std::function<void(CVeldtrakDoc&)> damage;
    bool refused;
    // For a board that is read: what reading made of the damaged value.
    std::function<void(const CVeldtrakDoc&)> check;
};

inline CComponent& At(CVeldtrakDoc& doc, Index i)
{
    return *doc.m_components[std::size_t(i)];
}
inline const CComponent& At(const CVeldtrakDoc& doc, Index i)
{
    return *doc.m_components[std::size_t(i)];
}

inline const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        // Socket numbers: wires and probes find a socket as "number - first".
        {"a gate's socket numbers with a gap (one byte changed)",
         [](CVeldtrakDoc& d) { At(d, GATE).Bus(2).SetId(3 + 256); }, true, nullptr},
        {"a lamp's first socket number lowered into the inverter's (one byte changed)",
         [](CVeldtrakDoc& d) { Number(At(d, LAMP), {1, 14}); }, true, nullptr},
        {"socket numbers counting down", [](CVeldtrakDoc& d) { Number(At(d, GATE), {3, 2, 1}); },
         true, nullptr},
        {"a socket number 0", [](CVeldtrakDoc& d) { Number(At(d, GATE), {0, 1, 2}); }, true, nullptr},
        {"negative socket numbers", [](CVeldtrakDoc& d) { Number(At(d, GATE), {-3, -2, -1}); }, true,
         nullptr},
        {"a socket number on two components",
         [](CVeldtrakDoc& d) { Number(At(d, INVERTER), {3, 4}); }, true, nullptr},
        {"the probe on the pulse generator's number",
         [](CVeldtrakDoc& d) { Number(At(d, PROBE), {12}); }, true, nullptr},
        {"socket numbers at the end of the range",
         [](CVeldtrakDoc& d) { Number(At(d, GATE), {INT_MAX - 2, INT_MAX - 1, INT_MAX}); }, true,
         nullptr},

        // Numbers that drive loops and arithmetic are brought in range.
        {"probe number 2 000 000 000", [](CVeldtrakDoc& d) { At(d, PROBE).m_nParam2 = 2000000000; },
         false,
         [](const CVeldtrakDoc& d) { EXPECT_EQ(At(d, PROBE).m_nParam2, CSonde::kMaxNumber); }},
        {"negative probe number", [](CVeldtrakDoc& d) { At(d, PROBE).m_nParam2 = -7; }, false,
         [](const CVeldtrakDoc& d) { EXPECT_EQ(At(d, PROBE).m_nParam2, 0); }},
        {"probe tip at corner 7", [](CVeldtrakDoc& d) { At(d, PROBE).m_nCorner = 7; }, false,
         [](const CVeldtrakDoc& d) { EXPECT_EQ(At(d, PROBE).m_nCorner, 0); }},
        {"probe on a socket no component has", [](CVeldtrakDoc& d) { At(d, PROBE).m_nParam1 = 1000; },
         false, [](const CVeldtrakDoc& d) { EXPECT_EQ(At(d, PROBE).m_nParam1, 1000); }},
        {"wire to a socket no component has",
         [](CVeldtrakDoc& d) { d.m_wires[0]->m_nBus2 = 999; }, false,
         [](const CVeldtrakDoc& d) { EXPECT_EQ(d.m_wires[0]->m_nBus2, 999); }},
        {"component at x = 2^30", [](CVeldtrakDoc& d) { At(d, GATE).m_rect.left = Beyond(0); }, false,
         [](const CVeldtrakDoc& d) {
             EXPECT_EQ(At(d, GATE).m_rect.left, kMaxStoredCoordinate);
         }},
        {"component at the int32 limits",
         [](CVeldtrakDoc& d) {
             At(d, INVERTER).m_rect.left = Beyond(1);
             At(d, INVERTER).m_rect.top = Beyond(2);
         },
         false,
         [](const CVeldtrakDoc& d) {
             EXPECT_EQ(At(d, INVERTER).GetTopLeft(),
                       CPoint(kMaxStoredCoordinate, -kMaxStoredCoordinate));
         }},
        {"wire bend at the int32 limits",
         [](CVeldtrakDoc& d) { d.m_wires[1]->m_points[1] = CPoint(Beyond(2), Beyond(1)); }, false,
         [](const CVeldtrakDoc& d) {
             EXPECT_EQ(d.m_wires[1]->m_points[1],
                       CPoint(-kMaxStoredCoordinate, kMaxStoredCoordinate));
         }},
        {"comparator set beyond 5 V", [](CVeldtrakDoc& d) { At(d, COMPARATOR).m_nParam1 = INT_MAX; },
         false, [](const CVeldtrakDoc& d) { EXPECT_EQ(At(d, COMPARATOR).m_nParam1, 50); }},
        {"comparator set below 0 V", [](CVeldtrakDoc& d) { At(d, COMPARATOR).m_nParam1 = INT_MIN; },
         false, [](const CVeldtrakDoc& d) { EXPECT_EQ(At(d, COMPARATOR).m_nParam1, 0); }},
        {"relay threshold below 0 V", [](CVeldtrakDoc& d) { At(d, RELAY).m_nParam1 = INT_MIN; },
         false, [](const CVeldtrakDoc& d) { EXPECT_EQ(At(d, RELAY).m_nParam1, 0); }},
        {"transistor threshold beyond 5 V",
         [](CVeldtrakDoc& d) { At(d, TRANSISTOR).m_nParam1 = INT_MAX; }, false,
         [](const CVeldtrakDoc& d) { EXPECT_EQ(At(d, TRANSISTOR).m_nParam1, 500); }},
        {"pulse countdown of 100 000 at 10 Hz",
         [](CVeldtrakDoc& d) {
             At(d, PULSE).m_nParam1 = 10;
             At(d, PULSE).m_nCorner = 100000;
         },
         false, [](const CVeldtrakDoc& d) { EXPECT_LE(At(d, PULSE).m_nCorner, 21); }},
        {"pulse countdown at the int32 minimum",
         [](CVeldtrakDoc& d) {
             At(d, PULSE).m_nParam1 = 10;
             At(d, PULSE).m_nCorner = INT_MIN;
         },
         false, [](const CVeldtrakDoc& d) { EXPECT_GE(At(d, PULSE).m_nCorner, 0); }},
        {"link passwords with \xC3\xBF (byte 255)",
         [](CVeldtrakDoc& d) {
             d.m_strNextPassword = QStringLiteral("ÿ");
             d.m_strPrevPassword = QStringLiteral("aÿÿÿÿÿÿb");
         },
         false,
         [](const CVeldtrakDoc& d) {
             EXPECT_EQ(d.m_strNextPassword, QStringLiteral("ÿ"));
             EXPECT_EQ(d.m_strPrevPassword, QStringLiteral("aÿÿÿÿÿÿb"));
         }},
    };
    return cases;
}

// The file of a damaged board.
inline QByteArray Bytes(const Case& c)
{
    CVeldtrakDoc doc;
    BuildSampleBoard(doc);
    c.damage(doc);
    QByteArray bytes = WriteBoard(doc);
    for (int i = 0; i < int(std::size(kBeyondLimit)); ++i)
        bytes.replace(LittleEndian(Beyond(i)), LittleEndian(kBeyondLimit[i]));
    return bytes;
}

} // namespace damaged
