#pragma once
// A board filled with components in rows, shared by tests and benchmarks: n components
// cycling through a list of kinds (creation indexes), each component's output wired to
// the next one's first input where both have one. Uses nothing of the test framework.

#include "components/ComponentFactory.h"
#include "document/Document.h"

#include <functional>
#include <memory>
#include <vector>

struct RowLayout {
    CPoint origin; // top-left of the first component
    CSize pitch;
    int perRow = 1;
};

// The first socket of a kind, 0 when the component has none.
inline int SocketOfKind(const CComponent& c, int kind)
{
    for (int i = 0; i < c.GetBusCount(); ++i)
        if (c.Bus(i).GetKind() == kind)
            return c.Bus(i).GetId();
    return 0;
}

// Every creation index that makes a component (the probe's too), in creation order.
inline std::vector<int> EveryKind()
{
    std::vector<int> kinds;
    for (int index = 0; index < kCreationIndexCount; ++index)
        if (CreateComponentByIndex(index))
            kinds.push_back(index);
    return kinds;
}

// 'n' components are made; those 'keep' refuses are left off the board, the socket
// numbers they took stay taken.
inline void FillInRows(CVeldtrakDoc& doc, int n, const std::vector<int>& kinds, const RowLayout& layout,
                       const std::function<bool(const CComponent&)>& keep = {})
{
    doc.DeleteContents();
    int slot = 0;
    for (int i = 0; i < n; ++i) {
        std::unique_ptr<CComponent> c = doc.CreateComponent(kinds[std::size_t(i) % kinds.size()]);
        if (!c || (keep && !keep(*c)))
            continue;
        c->MoveTo(layout.origin.x + layout.pitch.cx * (slot % layout.perRow),
                  layout.origin.y - layout.pitch.cy * (slot / layout.perRow));
        ++slot;
        doc.AddComponent(std::move(c));
    }
    // The kinds of the sockets are known once each component has drawn.
    doc.LayOutSockets();
    for (std::size_t i = 0; i + 1 < doc.m_components.size(); ++i) {
        const int out = SocketOfKind(*doc.m_components[i], BUS_OUTPUT);
        const int in = SocketOfKind(*doc.m_components[i + 1], BUS_INPUT);
        if (!out || !in)
            continue;
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, out, 30);
        wire->AddPoint({0, 0}, in, 30);
        doc.AddWire(std::move(wire));
    }
    doc.RouteWireEnds();
}
