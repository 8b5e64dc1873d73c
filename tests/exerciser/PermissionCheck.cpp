#include "PermissionCheck.h"

#include "annotations/Picture.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "components/ColourTable.h"
#include "components/Geheugen.h"
#include "components/Relais.h"
#include "components/Sonde.h"
#include "components/TwoInputGate.h"
#include "core/Component.h"
#include "document/Document.h"

#include <algorithm>

namespace {

QString ColoursText(const CColourTable& table)
{
    QString s;
    for (COLORREF colour : table)
        s += QStringLiteral(" %1").arg(colour, 0, 16);
    return s;
}

// What an annotation shows, besides where it lies.
QString ContentOf(const CBoardObject& o)
{
    if (const auto* text = dynamic_cast<const CTextField*>(&o))
        return QStringLiteral("%1 frame %2").arg(text->m_strText).arg(text->m_nFrame);
    if (const auto* table = dynamic_cast<const CTabel*>(&o))
        return QStringLiteral("%1 %2 %3 %4 %5 %6x%7")
            .arg(table->m_strData, table->m_strSeparator)
            .arg(table->m_bFixed)
            .arg(table->m_bRowHeader)
            .arg(table->m_bColumnHeader)
            .arg(table->m_nColumns)
            .arg(table->m_nRows);
    if (const auto* picture = dynamic_cast<const CPlaatje*>(&o))
        return picture->m_strFileName;
    return {};
}

} // namespace

CBoardShape::CBoardShape(const CVeldtrakDoc& doc)
{
    for (const auto& c : doc.m_components) {
        const bool probe = c->GetTypeId() == TYPE_SONDE;
        const auto [first, last] = c->GetBusRange();
        const Placed placed{c->GetTypeId(), c->m_rect.left, c->m_rect.top, probe ? c->m_nParam1 : 0, last};
        (probe ? m_probes : m_components)[first] = placed;
        // What each properties dialog sets; not what a measurement or a drawing keeps
        // (a count, a memory's state, a slider line, a countdown, a meter's level).
        Settings& settings = m_settings[first];
        settings.rest = c->m_strName;
        const auto add = [&settings](int value) { settings.rest += QStringLiteral(" %1").arg(value); };
        if (const auto* gate = dynamic_cast<const CTwoInputGate*>(c.get())) {
            settings.blackbox = gate->m_nParam1;
            settings.rest += u' ' + gate->m_strBlackboxLabel;
        } else if (const auto* cell = dynamic_cast<const CGeheugen*>(c.get())) {
            settings.blackbox = cell->m_nParam1;
            settings.rest += u' ' + cell->m_strBlackboxLabel;
        } else if (const auto* relay = dynamic_cast<const CRelais*>(c.get())) {
            add(relay->m_nParam1);
            settings.rest += ColoursText(relay->m_colourTable);
        } else if (const auto* light = dynamic_cast<const CColourLight*>(c.get())) {
            settings.rest += ColoursText(light->m_colourTable);
        } else {
            switch (c->GetTypeId()) {
            case TYPE_PULSGENERATOR: // frequency
            case TYPE_COMPARATOR:    // setting
            case TYPE_VARSPANNING:   // setting
                settings.slider = c->m_nParam1;
                break;
            case TYPE_TRANSISTOR:    // threshold
            case TYPE_LICHTSENSOR:   // sensitivity
            case TYPE_GELUIDSENSOR:
            case TYPE_WARMTESENSOR:
                add(c->m_nParam1);
                break;
            case TYPE_PULSTELLER: // digits and number base
            case TYPE_ZOEMER:     // sound and visual signal
                add(c->m_nParam2);
                add(c->m_nCorner);
                break;
            default:
                break;
            }
        }
    }
    for (const auto& w : doc.m_wires)
        m_wires.emplace_back(w->m_nBus1, w->m_nBus2);
    std::sort(m_wires.begin(), m_wires.end());
    for (const ObjectList* list : {&doc.m_textFields, &doc.m_tables, &doc.m_pictures})
        for (const auto& o : *list)
            if (const auto* a = dynamic_cast<const CAnnotation*>(o.get()))
                m_annotations.push_back({QString::fromLatin1(o->GetClassName()), a->m_rect.left, a->m_rect.top, ContentOf(*o)});
    std::sort(m_annotations.begin(), m_annotations.end());
}

QString CBoardShape::ForbiddenChangeTo(const CBoardShape& after, int permissions, Way way) const
{
    QString fault = ForbiddenComponentChange(after, permissions, way);
    if (fault.isEmpty())
        fault = ForbiddenSettingsChange(after, permissions, way);
    if (fault.isEmpty())
        fault = ForbiddenAnnotationChange(after, permissions, way);
    return fault;
}

QString CBoardShape::ForbiddenComponentChange(const CBoardShape& after, int permissions, Way way) const
{
    // Aligning moves with 128, and so does taking an alignment back.
    const bool mayMove = (permissions & PERMIT_ADD_MOVE) ||
                         ((way == Way::Aligning || way == Way::Undoing) && (permissions & PERMIT_CHANGE_PROPERTIES));
    if (way == Way::Undoing) {
        for (int pair : {PERMIT_ADD_MOVE | PERMIT_DELETE_COMPONENTS, PERMIT_ADD_WIRES | PERMIT_DELETE_WIRES})
            if (permissions & pair)
                permissions |= pair;
    }
    const auto allowed = [permissions](int bit) { return (permissions & bit) != 0; };
    for (const auto& [socket, placed] : after.m_components) {
        const auto was = m_components.find(socket);
        if (was == m_components.end() || was->second.type != placed.type) {
            if (!allowed(PERMIT_ADD_MOVE))
                return QStringLiteral("a component (type %1) was added without permission 1").arg(placed.type);
        } else if (!(was->second == placed) && !mayMove && !allowed(PERMIT_ADD_MOVE)) {
            return QStringLiteral("a component (type %1) moved without permission 1: from %2,%3 to %4,%5")
                .arg(placed.type)
                .arg(was->second.left)
                .arg(was->second.top)
                .arg(placed.left)
                .arg(placed.top);
        }
    }
    // A deleted component takes its wires and probes with it.
    std::vector<std::pair<int, int>> deletedSockets;
    for (const auto& [socket, placed] : m_components)
        if (!after.m_components.count(socket)) {
            if (!allowed(PERMIT_DELETE_COMPONENTS))
                return QStringLiteral("a component (type %1) was deleted without permission 2").arg(placed.type);
            deletedSockets.emplace_back(socket, placed.lastSocket);
        }
    const auto onDeleted = [&deletedSockets](int socket) {
        return std::any_of(deletedSockets.begin(), deletedSockets.end(),
                           [socket](const auto& range) { return range.first <= socket && socket <= range.second; });
    };
    // Undoing a delete brings the component back with its wires.
    std::vector<std::pair<int, int>> restoredSockets;
    if (way == Way::Undoing)
        for (const auto& [socket, placed] : after.m_components)
            if (!m_components.count(socket))
                restoredSockets.emplace_back(socket, placed.lastSocket);
    const auto onRestored = [&restoredSockets](int socket) {
        return std::any_of(restoredSockets.begin(), restoredSockets.end(),
                           [socket](const auto& range) { return range.first <= socket && socket <= range.second; });
    };
    std::vector<std::pair<int, int>> added, removed;
    std::set_difference(after.m_wires.begin(), after.m_wires.end(), m_wires.begin(), m_wires.end(),
                        std::back_inserter(added));
    std::set_difference(m_wires.begin(), m_wires.end(), after.m_wires.begin(), after.m_wires.end(),
                        std::back_inserter(removed));
    for (const auto& [from, to] : added)
        if (!allowed(PERMIT_ADD_WIRES) && !onRestored(from) && !onRestored(to))
            return QStringLiteral("a wire was added without permission 4");
    for (const auto& [from, to] : removed)
        if (!allowed(PERMIT_DELETE_WIRES) && !onDeleted(from) && !onDeleted(to))
            return QStringLiteral("a wire was deleted without permission 8");
    if (!allowed(PERMIT_PROBES)) {
        for (const auto& [socket, placed] : after.m_probes) {
            const auto was = m_probes.find(socket);
            if (was == m_probes.end() || !(was->second == placed))
                return QStringLiteral("a probe was placed or moved without permission 32");
        }
        for (const auto& [socket, placed] : m_probes)
            if (!after.m_probes.count(socket) && !onDeleted(placed.attachedTo))
                return QStringLiteral("a probe was taken away without permission 32");
    }
    return {};
}

QString CBoardShape::ForbiddenSettingsChange(const CBoardShape& after, int permissions, Way way) const
{
    if (way == Way::Measuring)
        return {};
    const bool identify = permissions & PERMIT_IDENTIFY_BLACKBOXES, change = permissions & PERMIT_CHANGE_PROPERTIES;
    for (const auto& [socket, was] : m_settings) {
        const auto now = after.m_settings.find(socket);
        if (now == after.m_settings.end() || m_components.count(socket) != after.m_components.count(socket) ||
            (m_components.count(socket) && m_components.at(socket).type != after.m_components.at(socket).type))
            continue; // another component, or none: added or deleted
        const Settings& is = now->second;
        if (was.blackbox != is.blackbox) {
            // Identifying clears flags with 16; the dialog shows a black box's
            // properties with 16 and takes a change with 128; undoing takes either back.
            const bool cleared = was.blackbox != 0 && is.blackbox == 0;
            const bool fine = way == Way::Undoing       ? identify || change
                              : way == Way::Identifying ? cleared && identify
                              : cleared                 ? identify && change
                                                        : change;
            if (!fine)
                return cleared ? QStringLiteral("a black box was identified without permission 16 (and 128 in its dialog)")
                               : QStringLiteral("a component became a black box without permission 128");
        }
        // A measurement moves sliders (and Reset sets a frequency to 0) without a step of
        // its own, so undoing the step before it brings the setting back.
        if (was.slider != is.slider && !change && way != Way::Undoing)
            return QStringLiteral("a slider's setting changed without permission 128: %1 became %2")
                .arg(was.slider)
                .arg(is.slider);
        if (was.rest != is.rest && !change)
            return QStringLiteral("a component's settings changed without permission 128: \"%1\" became \"%2\"")
                .arg(was.rest, is.rest);
    }
    return {};
}

QString CBoardShape::ForbiddenAnnotationChange(const CBoardShape& after, int permissions, Way way) const
{
    if (permissions & PERMIT_CHANGE_TEXTS)
        return {};
    std::vector<Annotation> added, removed;
    std::set_difference(after.m_annotations.begin(), after.m_annotations.end(), m_annotations.begin(),
                        m_annotations.end(), std::back_inserter(added));
    std::set_difference(m_annotations.begin(), m_annotations.end(), after.m_annotations.begin(),
                        after.m_annotations.end(), std::back_inserter(removed));
    // Placing a picture asks nothing, and neither does taking that placing back.
    const auto free = [way, &added](const Annotation& a, bool placed) {
        return a.kind == u"CPlaatje" &&
               (placed ? true : way == Way::Undoing && std::none_of(added.begin(), added.end(), [&a](const Annotation& b) {
                   return b.kind == a.kind && b.content == a.content;
               }));
    };
    for (const Annotation& a : added)
        if (!free(a, true))
            return QStringLiteral("a %1 was added, changed or moved without permission 64").arg(a.kind);
    for (const Annotation& a : removed)
        if (!free(a, false))
            return QStringLiteral("a %1 was changed, moved or deleted without permission 64").arg(a.kind);
    return {};
}
