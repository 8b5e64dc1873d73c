#include "BlackboxCommand.h"

#include "document/Document.h"

bool CanBeBlackbox(const CComponent& component)
{
    switch (component.GetTypeId()) {
    case TYPE_ENPOORT:
    case TYPE_NENPOORT:
    case TYPE_OFPOORT:
    case TYPE_NOFPOORT:
    case TYPE_XOFPOORT:
    case TYPE_GEHEUGEN:
        return true;
    default:
        return false;
    }
}

bool CanIdentifyBlackboxes(const CVeldtrakDoc& doc)
{
    if (doc.m_bBusy || doc.m_bRunning || (doc.m_nPermissions & PERMIT_IDENTIFY_BLACKBOXES) == 0)
        return false;
    for (const auto& component : doc.m_components)
        if (CanBeBlackbox(*component) && component->m_nParam1 != 0) return true;
    return false;
}

void IdentifyBlackboxes(CVeldtrakDoc& doc)
{
    bool anySet = false;
    for (auto it = doc.m_components.rbegin(); it != doc.m_components.rend(); ++it) {
        CComponent& component = **it;
        if (!CanBeBlackbox(component)) continue;
        anySet = anySet || component.m_nParam1 != 0;
        component.m_nParam1 = 0;
    }
    if (anySet) {
        doc.NoteStepPermission(PERMIT_IDENTIFY_BLACKBOXES);
        doc.SetModifiedFlag();
        doc.UpdateAllViews(HINT_REFRESH);
    }
}
