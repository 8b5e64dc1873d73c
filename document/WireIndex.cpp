#include "WireIndex.h"

#include <algorithm>

std::uint64_t CWireIndex::Key(int a, int b)
{
    const auto low = std::uint32_t(std::min(a, b));
    const auto high = std::uint32_t(std::max(a, b));
    return (std::uint64_t(high) << 32) | low;
}

bool CWireIndex::Covers(const Wires& wires) const
{
    return m_bValid && m_nWires == wires.size() &&
           (wires.empty() ? m_pLast == nullptr : wires.back().get() == m_pLast);
}

void CWireIndex::Rebuild(const Wires& wires)
{
    m_first.clear();
    m_first.reserve(wires.size());
    for (std::size_t i = 0; i < wires.size(); ++i)
        m_first.emplace(Key(wires[i]->m_nBus1, wires[i]->m_nBus2), std::int32_t(i));
    m_nWires = wires.size();
    m_pLast = wires.empty() ? nullptr : wires.back().get();
    m_bValid = true;
}

int CWireIndex::Find(const Wires& wires, int a, int b)
{
    if (!Covers(wires))
        Rebuild(wires);
    const auto joins = [&](std::size_t i) {
        return i < wires.size() && Key(wires[i]->m_nBus1, wires[i]->m_nBus2) == Key(a, b);
    };
    auto found = m_first.find(Key(a, b));
    if (found != m_first.end() && !joins(std::size_t(found->second))) {
        Rebuild(wires);
        found = m_first.find(Key(a, b));
    }
    return found == m_first.end() ? -1 : int(found->second);
}

void CWireIndex::Appended(const Wires& wires)
{
    if (!m_bValid || wires.empty() || m_nWires + 1 != wires.size()) {
        m_bValid = false;
        return;
    }
    const CDraad& wire = *wires.back();
    m_first.emplace(Key(wire.m_nBus1, wire.m_nBus2), std::int32_t(wires.size() - 1));
    m_nWires = wires.size();
    m_pLast = &wire;
}
