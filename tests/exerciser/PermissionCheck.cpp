#include "PermissionCheck.h"

#include "components/Sonde.h"
#include "core/Component.h"
#include "document/Document.h"

#include <algorithm>

CBoardShape::CBoardShape(const CVeldtrakDoc& doc)
{
    for (const auto& c : doc.m_components) {
        const bool probe = c->GetTypeId() == TYPE_SONDE;
        const auto [first, last] = c->GetBusRange();
        const Placed placed{c->GetTypeId(), c->m_rect.left, c->m_rect.top, probe ? c->m_nParam1 : 0, last};
        (probe ? m_probes : m_components)[first] = placed;
    }
    for (const auto& w : doc.m_wires)
        m_wires.emplace_back(w->m_nBus1, w->m_nBus2);
    std::sort(m_wires.begin(), m_wires.end());
}

QString CBoardShape::ForbiddenChangeTo(const CBoardShape& after, int permissions, Way way) const
{
    if (way == Way::Aligning && (permissions & PERMIT_CHANGE_PROPERTIES))
        permissions |= PERMIT_ADD_MOVE;
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
        } else if (!(was->second == placed) && !allowed(PERMIT_ADD_MOVE)) {
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
    std::vector<std::pair<int, int>> added, removed;
    std::set_difference(after.m_wires.begin(), after.m_wires.end(), m_wires.begin(), m_wires.end(),
                        std::back_inserter(added));
    std::set_difference(m_wires.begin(), m_wires.end(), after.m_wires.begin(), after.m_wires.end(),
                        std::back_inserter(removed));
    if (!added.empty() && !allowed(PERMIT_ADD_WIRES))
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
