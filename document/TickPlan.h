#pragma once
// The measurement tick laid out for speed. Built at Start, once the links are made, it
// holds in flat arrays what every tick touches: the order in which the components run,
// for gates and inverters their truth table and the levels their inputs read, and the
// levels to age at the end. Components of other kinds run their own Update in their
// turn, so the order and every level stay exactly as a walk over the component list
// gives them.
//
// A gate's sockets are aged in its own turn, while they are at hand, instead of in the
// pass at the end: the output is written aged at once, since everyone reads other
// sockets' levels by their magnitude only, and an input once it has been read, unless
// another socket reads it (then its sign still matters this tick, and it waits for the
// pass at the end like every socket of the other components).
//
// The levels of the gates' own sockets live in one array of the plan while it runs, so
// the tick reads and writes neighbouring memory instead of a socket object per level.
// A socket that a component of another kind reads, or that a probe watches, keeps its
// level in the socket itself. The others are copied back by Publish (at Stop, before
// the list changes, and whenever all levels are looked at), and copied in by Reload
// after something outside the tick set them (Reset).

#include "core/Component.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class CTickPlan {
public:
    using Components = std::vector<std::unique_ptr<CComponent>>;

    // Lays out the tick of these components with their current links; 'watched' are
    // sockets read between ticks (the probes'), whose levels stay in the socket.
    void Build(const Components& components, const std::vector<CBus*>& watched);
    // Forgets the plan without touching a socket (the components may be gone).
    void Clear();
    // The levels held in the plan into their sockets, and back.
    void Publish() const;
    void Reload();
    // Built, and for a list of this length (a list changed since is not run from it).
    bool IsFor(const Components& components) const
    {
        return m_bBuilt && m_nComponents == components.size();
    }

    // Every component in its turn, last in the list first, then the ageing of every
    // level.
    void Run(CDC& dc, CPoint cursor, std::uint32_t* pState);

private:
    struct Source {
        const int* level;
        std::uint32_t divisor;
    };
    struct Input {
        int* value;          // the input socket's own level: the running maximum
        std::uint32_t first; // its sources in m_sources, read from the last
        std::uint32_t count;
    };
    struct Step {
        CComponent* component; // runs its own Update when 'inputs' is 0
        int* output;
        std::uint8_t inputs;
        std::uint8_t table;
        std::uint8_t ageInputs; // bit k: input k is aged in this step
        Input in[2];
    };
    int Read(const Input& input) const;
    // Where the tick keeps this socket's level: in the plan's array or in the socket.
    int* LevelOf(CBus& bus);

    std::vector<Step> m_steps;
    std::vector<Source> m_sources;
    std::vector<int*> m_levels;
    std::vector<int> m_values;     // the levels held in the plan
    std::vector<CBus*> m_holders;  // the socket of each of them
    // The sockets whose level is held in the plan, by address: an index into m_values.
    std::vector<std::pair<const CBus*, std::uint32_t>> m_slots;
    std::size_t m_nComponents = 0;
    bool m_bBuilt = false;
};
