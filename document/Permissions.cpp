// The permission check every gated edit asks before it happens.
#include "Document.h"

#include "platform/Strings.h"

namespace {

struct PermissionWords {
    int permission;
    int objectWords;
    int actionWords;
};

constexpr PermissionWords kWords[] = {
    {PERMIT_ADD_MOVE, 61601, 61602},
    {PERMIT_DELETE_COMPONENTS, 61601, 61603},
    {PERMIT_ADD_WIRES, 61604, 61602},
    {PERMIT_DELETE_WIRES, 61604, 61603},
    {PERMIT_IDENTIFY_BLACKBOXES, 61605, 61606},
    {PERMIT_PROBES, 61607, 61608},
    {PERMIT_CHANGE_TEXTS, 61609, 61610},
    {PERMIT_CHANGE_PROPERTIES, 61601, 61610},
};

} // namespace

bool CVeldtrakDoc::CheckPermission(int permission, bool warn)
{
    if (m_bTeacherUnlock || (m_nPermissions & permission) != 0) {
        if (warn) // an edit follows: its undo step will need the same
            m_nStepPermissions |= permission & PERMIT_ALL;
        return true;
    }
    if (!warn)
        return false;
    for (const PermissionWords& words : kWords) {
        if (words.permission != permission)
            continue;
        QString text = LoadString(61600) + u' ' + LoadString(words.objectWords) + u' ' +
                       LoadString(words.actionWords);
        if (permission == PERMIT_CHANGE_PROPERTIES)
            text += LoadString(61611);
        m_messageBox.Show(text, LoadString(61612));
        break;
    }
    return false;
}
