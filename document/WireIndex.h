#pragma once
// Wires by the two sockets they join: a wire drawn by hand must not repeat one that is
// there already, and the board answers that from here instead of comparing every wire.
//
// Kept like the socket index: AddWire enters its wire, a removal marks the index stale
// and it is rebuilt at the next question. A list that grew, shrank or got another last
// wire behind the index's back is noticed too, and a found entry is checked against
// the wire it names.

#include "core/Wire.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CWireIndex {
public:
    using Wires = std::vector<std::unique_ptr<CDraad>>;

    // The position of the first wire joining these sockets (either way round), or -1.
    int Find(const Wires& wires, int a, int b);
    // The list's last wire was just added.
    void Appended(const Wires& wires);
    void Invalidate() { m_bValid = false; }

private:
    static std::uint64_t Key(int a, int b);
    bool Covers(const Wires& wires) const;
    void Rebuild(const Wires& wires);

    std::unordered_map<std::uint64_t, std::int32_t> m_first;
    std::size_t m_nWires = 0;
    const CDraad* m_pLast = nullptr;
    bool m_bValid = false;
};
