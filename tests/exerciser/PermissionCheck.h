#pragma once
// On a protected board the pupil changes only what its permission set allows: no
// component added or moved without permission 1, none deleted without 2, no wire added
// without 4 or deleted without 8, no black box identified without 16, no probe placed,
// moved or taken away without 32, no text field or table added, changed, moved or
// deleted and no picture changed, moved or deleted without 64 (placing a picture is
// free), and no component setting (a frequency, a threshold, colours, a black-box flag
// or label) changed without 128.
// Compares the board before and after one action of the pupil on the same board.

#include <QString>

#include <map>
#include <tuple>
#include <utility>
#include <vector>

class CVeldtrakDoc;

class CBoardShape {
public:
    explicit CBoardShape(const CVeldtrakDoc& doc);
    // How the change was made: undoing or redoing a change needs what the change needed
    // (an undone addition is a deletion, an undone identification a black box again);
    // aligning marked components (their dialog) moves them with the permission to change
    // component properties; identifying black boxes clears their flags with 16 alone; a
    // measurement (Start, Stop, Reset, ticks, the sliders while it runs) changes settings
    // without asking.
    enum class Way { Editing, Undoing, Aligning, Identifying, Measuring };
    // The first change that 'permissions' does not allow, or empty.
    QString ForbiddenChangeTo(const CBoardShape& after, int permissions, Way way) const;

private:
    struct Placed {
        unsigned type = 0;
        int left = 0, top = 0, attachedTo = 0, lastSocket = 0;
        bool operator==(const Placed&) const = default;
    };
    // What a component's properties dialog sets.
    struct Settings {
        int blackbox = 0; // the black-box flag
        int slider = 0;   // a slider's setting, which a measurement changes too
        QString rest;     // every other setting, written out
        bool operator==(const Settings&) const = default;
    };
    // A text field, table or picture: its kind, where it was placed and what it shows.
    struct Annotation {
        QString kind;
        int left = 0, top = 0;
        QString content;
        bool operator==(const Annotation&) const = default;
        bool operator<(const Annotation& o) const
        {
            return std::tie(kind, left, top, content) < std::tie(o.kind, o.left, o.top, o.content);
        }
    };

    QString ForbiddenComponentChange(const CBoardShape& after, int permissions, Way way) const;
    QString ForbiddenSettingsChange(const CBoardShape& after, int permissions, Way way) const;
    QString ForbiddenAnnotationChange(const CBoardShape& after, int permissions, Way way) const;

    std::map<int, Placed> m_components; // by first socket number
    std::map<int, Placed> m_probes;
    std::map<int, Settings> m_settings; // of the components, by first socket number
    std::vector<std::pair<int, int>> m_wires; // socket numbers of the ends, sorted
    std::vector<Annotation> m_annotations;    // sorted
};
