#include "BusIndex.h"

#include <algorithm>

namespace {

// How far beyond the socket count the plain table may reach.
std::size_t TableLimit(std::size_t sockets)
{
    return 4 * sockets + 1024;
}

} // namespace

CBus* CBusIndex::Find(const Components& components, int busId)
{
    if (busId <= 0)
        return nullptr;
    if (!m_bValid || m_nComponents != components.size())
        Rebuild(components);
    Entry entry = Lookup(busId);
    if (entry.component >= 0 && !Names(components, entry, busId)) {
        Rebuild(components);
        entry = Lookup(busId);
    }
    if (entry.component < 0)
        return nullptr;
    return &components[std::size_t(entry.component)]->Bus(entry.bus);
}

void CBusIndex::Appended(const Components& components, std::size_t position)
{
    if (!m_bValid || position != m_nComponents || position >= components.size()) {
        m_bValid = false;
        return;
    }
    const CComponent& c = *components[position];
    m_nSockets += std::size_t(c.GetBusCount());
    for (int b = c.GetBusCount(); b-- > 0;)
        Enter(c.Bus(b).GetId(), {std::int32_t(position), b});
    m_nComponents = position + 1;
}

void CBusIndex::Rebuild(const Components& components)
{
    m_table.clear();
    m_far.clear();
    m_nSockets = 0;
    for (const auto& c : components)
        m_nSockets += std::size_t(c->GetBusCount());
    m_table.reserve(m_nSockets + 1);
    // First to last, so that a later component overwrites an earlier one's number.
    for (std::size_t i = 0; i < components.size(); ++i) {
        const CComponent& c = *components[i];
        for (int b = c.GetBusCount(); b-- > 0;)
            Enter(c.Bus(b).GetId(), {std::int32_t(i), b});
    }
    m_nComponents = components.size();
    m_bValid = true;
}

void CBusIndex::Enter(int busId, Entry entry)
{
    if (busId <= 0)
        return; // no socket is numbered so: such a number is never found
    const auto slot = std::size_t(busId);
    if (slot >= m_table.size() && slot <= TableLimit(m_nSockets)) {
        m_table.resize(std::max(slot + 1, m_table.size() + m_table.size() / 2));
        // Numbers kept aside while the table was shorter may fall inside it now: they
        // move in, since a number the table reaches is looked for in the table alone.
        for (auto it = m_far.begin(); it != m_far.end();) {
            if (std::size_t(it->first) < m_table.size()) {
                m_table[std::size_t(it->first)] = it->second;
                it = m_far.erase(it);
            } else {
                ++it;
            }
        }
    }
    if (slot < m_table.size())
        m_table[slot] = entry;
    else
        m_far[busId] = entry;
}

CBusIndex::Entry CBusIndex::Lookup(int busId) const
{
    const auto slot = std::size_t(busId);
    if (slot < m_table.size())
        return m_table[slot];
    const auto found = m_far.find(busId);
    return found == m_far.end() ? Entry{} : found->second;
}

bool CBusIndex::Names(const Components& components, Entry entry, int busId) const
{
    if (std::size_t(entry.component) >= components.size())
        return false;
    const CComponent& c = *components[std::size_t(entry.component)];
    return entry.bus < c.GetBusCount() && c.Bus(entry.bus).GetId() == busId;
}
