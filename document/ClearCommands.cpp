// The clear commands of the board menu, each behind its question.
#include "Document.h"

#include <algorithm>

namespace {
constexpr int kYes = 6;
}

void CVeldtrakDoc::OnClearWires()
{
    if (m_wires.empty() || m_confirmBox.Ask(61490) != kYes)
        return;
    while (!m_wires.empty())
        m_wires.pop_back();
    NoteStepPermission(PERMIT_DELETE_WIRES);
    m_wireIndex.Invalidate();
    SetModifiedFlag();
    UpdateAllViews(HINT_REFRESH);
}

void CVeldtrakDoc::OnClearProbes()
{
    if (!HasProbes() || m_confirmBox.Ask(61491) != kYes)
        return;
    ReleaseTickPlan();
    std::erase_if(m_components, [](const auto& c) { return c->GetTypeId() == TYPE_SONDE; });
    ComponentsChanged();
    NoteStepPermission(PERMIT_PROBES);
    SetModifiedFlag();
    UpdateAllViews(HINT_REFRESH);
}

void CVeldtrakDoc::ClearList(ObjectList& list, int questionId)
{
    if (list.empty() || m_confirmBox.Ask(questionId) != kYes)
        return;
    while (!list.empty())
        list.pop_back();
    NoteStepPermission(PERMIT_CHANGE_TEXTS);
    SetModifiedFlag();
    UpdateAllViews(HINT_REFRESH);
}

void CVeldtrakDoc::OnClearTextFields()
{
    ClearList(m_textFields, 61492);
}

void CVeldtrakDoc::OnClearTables()
{
    ClearList(m_tables, 61497);
}

void CVeldtrakDoc::OnClearPictures()
{
    ClearList(m_pictures, 61498);
}

void CVeldtrakDoc::OnClearAll()
{
    if (!HasContents())
        return;
    if (IsModified() && m_confirmBox.Ask(61489) != kYes)
        return;
    DeleteContents();
    SetModifiedFlag();
    UpdateAllViews(HINT_REFRESH);
}
