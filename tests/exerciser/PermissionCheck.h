#pragma once
// On a protected board the pupil changes only what its permission set allows: no
// component added or moved without permission 1, none deleted without 2, no wire added
// without 4 or deleted without 8, no probe placed, moved or taken away without 32.
// Compares the board before and after one action of the pupil on the same board.

#include <QString>

#include <map>
#include <utility>
#include <vector>

class CVeldtrakDoc;

class CBoardShape {
public:
    explicit CBoardShape(const CVeldtrakDoc& doc);
    // How the change was made: undoing or redoing a change needs what the change needed
    // (an undone addition is a deletion); aligning marked components moves them with
    // the permission to change component properties.
    enum class Way { Editing, Undoing, Aligning };
    // The first change that 'permissions' does not allow, or empty.
    QString ForbiddenChangeTo(const CBoardShape& after, int permissions, Way way) const;

private:
    struct Placed {
        unsigned type = 0;
        int left = 0, top = 0, attachedTo = 0, lastSocket = 0;
        bool operator==(const Placed&) const = default;
    };
    std::map<int, Placed> m_components; // by first socket number
    std::map<int, Placed> m_probes;
    std::vector<std::pair<int, int>> m_wires; // socket numbers of the ends, sorted
};
