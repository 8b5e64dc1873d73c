// Which of the document's commands are enabled, and dispatching them by identifier.
#include "Document.h"

#include <algorithm>

bool CVeldtrakDoc::IsCommandEnabled(int id) const
{
    const bool idle = !m_bBusy && !m_bRunning;
    auto allowed = [this](int permission) {
        return m_bTeacherUnlock || (m_nPermissions & permission) != 0;
    };
    if (id >= ID_FILE_NEW && id <= 57609)
        return idle;
    switch (id) {
    case ID_EDIT_CLEAR_ALL:
        return idle && HasContents();
    case ID_EDIT_CLEAR_WIRES:
        return idle && !m_wires.empty() && allowed(PERMIT_DELETE_WIRES);
    case ID_EDIT_CLEAR_PROBES:
        return idle && HasProbes() && allowed(PERMIT_PROBES);
    case ID_EDIT_CLEAR_TEXTS:
        return idle && !m_textFields.empty() && allowed(PERMIT_CHANGE_TEXTS);
    case ID_EDIT_CLEAR_TABLES:
        return idle && !m_tables.empty() && allowed(PERMIT_CHANGE_TEXTS);
    case ID_EDIT_CLEAR_PICTURES:
        return idle && !m_pictures.empty() && allowed(PERMIT_CHANGE_TEXTS);
    case ID_INSERT_TEXTFIELD:
    case ID_INSERT_TABLE:
    case ID_INSERT_PICTURE:
        // The teacher's own commands: only in teacher mode with the board unlocked, so a
        // pupil's program keeps them disabled.
        return idle && m_bTeacherMode && m_bTeacherUnlock;
    case ID_EDIT_UNDO:
        return CanStepThroughHistory() && m_undo.CanUndo();
    case ID_EDIT_REDO:
        return CanStepThroughHistory() && m_undo.CanRedo();
    case ID_HELP:
        return true;
    case ID_SETTINGS:
        return !m_bBusy && m_bTeacherUnlock;
    case ID_MEASURE_RESET:
    case ID_MEASURE_STOP:
        return !m_bBusy;
    case ID_MEASURE_START:
        return !m_bBusy && !m_bRunning;
    default:
        return false;
    }
}

bool CVeldtrakDoc::OnCommand(int id)
{
    switch (id) {
    case ID_FILE_NEW:
        OnFileNew();
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case ID_FILE_SAVE:
        OnFileSave();
        return true;
    case ID_FILE_SAVE_AS:
        OnFileSaveAs();
        return true;
    case ID_EDIT_CLEAR_ALL:
        OnClearAll();
        return true;
    case ID_EDIT_CLEAR_WIRES:
        OnClearWires();
        return true;
    case ID_EDIT_CLEAR_PROBES:
        OnClearProbes();
        return true;
    case ID_EDIT_CLEAR_TEXTS:
        OnClearTextFields();
        return true;
    case ID_EDIT_CLEAR_TABLES:
        OnClearTables();
        return true;
    case ID_EDIT_CLEAR_PICTURES:
        OnClearPictures();
        return true;
    case ID_INSERT_TEXTFIELD:
        if (m_pAuthoring && m_pAuthoring->EditNewTextField())
            UpdateAllViews(HINT_NEW_TEXTFIELD);
        return true;
    case ID_INSERT_TABLE:
        if (m_pAuthoring && m_pAuthoring->EditNewTable())
            UpdateAllViews(HINT_NEW_TABLE);
        return true;
    case ID_INSERT_PICTURE:
        UpdateAllViews(HINT_NEW_PICTURE);
        return true;
    case ID_EDIT_UNDO:
        OnEditUndo();
        return true;
    case ID_EDIT_REDO:
        OnEditRedo();
        return true;
    case ID_HELP:
        OnHelp();
        return true;
    case ID_MEASURE_START:
        Start();
        return true;
    case ID_MEASURE_STOP:
        Stop();
        return true;
    case ID_MEASURE_RESET:
        Reset();
        return true;
    default:
        return false;
    }
}
