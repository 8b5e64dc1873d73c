// What is particular to probes while editing: their numbers, attaching one to the
// socket under its tip when it is dropped, and turning it while it is dragged.
#include "BoardView.h"

#include "Sprites.h"
#include "components/Sonde.h"
#include "platform/DrawContext.h"

#include <set>

int CBoardView::NextProbeNumber() const
{
    std::set<int> taken;
    for (const auto& c : m_doc.m_components)
        if (c->GetTypeId() == TYPE_SONDE)
            taken.insert(c->m_nParam2);
    int number = 1;
    while (taken.count(number))
        ++number;
    return number;
}

void CBoardView::AttachProbe(CSonde& probe)
{
    // Looks through other probes to the component underneath the tip.
    const CPoint tip = probe.TipPoint();
    int index = m_doc.ComponentAt(tip.x, tip.y, true);
    while (index >= 0 && m_doc.m_components[std::size_t(index)]->GetTypeId() == TYPE_SONDE)
        index = m_doc.ComponentAt(tip.x, tip.y, true, index);
    if (index < 0)
        return;
    const CBus* bus = m_doc.m_components[std::size_t(index)]->BusAt(tip.x, tip.y);
    if (bus && (bus->GetKind() == BUS_OUTPUT || bus->GetKind() == BUS_INPUT))
        probe.m_nParam1 = bus->GetId();
}

void CBoardView::TurnProbe(CPoint point)
{
    if (!m_doc.CheckPermission(PERMIT_PROBES, true))
        return;
    auto& probe = static_cast<CSonde&>(*Dragged()); // the caller found a dragged probe
    m_doc.SetModifiedFlag();
    const CPoint position = probe.GetTopLeft();
    DrawDirect([&](CDC& dc) {
        if (m_pSprite)
            m_pSprite->XorOnto(dc, position);
        probe.Turn();
        m_pSprite = MakeSprite(probe);
        m_ptOffset = CPoint(point.x - position.x, point.y - position.y);
        m_bMoved = false;
        m_pSprite->XorOnto(dc, position);
    });
}
