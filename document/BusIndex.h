#pragma once
// Sockets by number: wire ends, probes and the links of a measurement name sockets by
// their number, and the board looks them up in constant time here instead of walking
// every component.
//
// The index is built from the document's component list and kept with it: appending
// a component adds its sockets, anything else (deleting, loading, renumbering) marks
// the index stale and it is rebuilt at the next look-up. A look-up also checks that the
// entry it found still names a socket of that number in the list, and rebuilds when it
// does not, so a list changed behind the index's back gives right answers too.

#include "core/Component.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CBusIndex {
public:
    using Components = std::vector<std::unique_ptr<CComponent>>;

    // The socket with this number, or null. With a number used twice (a damaged file),
    // the component latest in the list wins, as when searching from the back.
    CBus* Find(const Components& components, int busId);

    // The component at 'position' (the list's last) was appended.
    void Appended(const Components& components, std::size_t position);
    // Components were removed, reordered, read or renumbered.
    void Invalidate() { m_bValid = false; }

private:
    struct Entry {
        std::int32_t component = -1; // position in the list
        std::int32_t bus = 0;        // socket within the component
    };
    void Rebuild(const Components& components);
    void Enter(int busId, Entry entry);
    Entry Lookup(int busId) const;
    bool Names(const Components& components, Entry entry, int busId) const;

    // Numbers up to a few times the socket count are kept in a plain table; others (a
    // hostile file may number a socket 2 000 000 000) in a hash table.
    std::vector<Entry> m_table;
    std::unordered_map<int, Entry> m_far;
    std::size_t m_nComponents = 0;
    std::size_t m_nSockets = 0;
    bool m_bValid = false;
};
