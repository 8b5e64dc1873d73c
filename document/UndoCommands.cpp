// Undo and redo: the board is recorded, in the bytes of its file, after every change
// the pupil finishes, and an undo reads the board of the step before back in. Opening
// a board, a new board and a step in the chain start the history again.
#include "Document.h"

#include "BoardArchive.h"
#include "core/Archive.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

// What a board file holds, taken out of the document while another board is read in,
// so that it can go back when that fails.
struct BoardContents {
    ComponentList components;
    WireList wires;
    ObjectList textFields, tables, pictures;
    QString prevBoard, nextBoard, helpFile, boardTitle, prevPassword, nextPassword;
    int permissions = PERMIT_ALL;
};

void Exchange(CVeldtrakDoc& doc, BoardContents& contents)
{
    std::swap(doc.m_components, contents.components);
    std::swap(doc.m_wires, contents.wires);
    std::swap(doc.m_textFields, contents.textFields);
    std::swap(doc.m_tables, contents.tables);
    std::swap(doc.m_pictures, contents.pictures);
    std::swap(doc.m_strPrevBoard, contents.prevBoard);
    std::swap(doc.m_strNextBoard, contents.nextBoard);
    std::swap(doc.m_strHelpFile, contents.helpFile);
    std::swap(doc.m_strBoardTitle, contents.boardTitle);
    std::swap(doc.m_strPrevPassword, contents.prevPassword);
    std::swap(doc.m_strNextPassword, contents.nextPassword);
    std::swap(doc.m_nPermissions, contents.permissions);
    doc.ComponentsChanged();
}

} // namespace

void CVeldtrakDoc::ResetUndoHistory()
{
    m_nStepPermissions = 0;
    try {
        m_undo.Reset(WriteBoard(*this), !m_bModified);
    } catch (const std::bad_alloc&) {
        m_undo = CUndoHistory(); // the next change starts it again
    }
}

void CVeldtrakDoc::CommitUndoStep()
{
    if (m_bRunning || m_bScanning || m_bBusy)
        return;
    const int permissions = std::exchange(m_nStepPermissions, 0);
    try {
        m_undo.Record(WriteBoard(*this), permissions);
    } catch (const std::bad_alloc&) {
        // Without room for the step the change stays, only not undoable.
    }
}

void CVeldtrakDoc::NoteSavedState()
{
    CommitUndoStep();
    m_undo.MarkSaved();
}

void CVeldtrakDoc::RebaseUndoHistory()
{
    if (m_bScanning)
        return;
    try {
        m_undo.Rebase(WriteBoard(*this));
    } catch (const std::bad_alloc&) {
        m_undo = CUndoHistory();
    }
}

bool CVeldtrakDoc::CanStepThroughHistory() const
{
    return !m_bBusy && !m_bRunning && !m_bStartImagesShown;
}

void CVeldtrakDoc::OnEditUndo()
{
    StepThroughHistory(true);
}

void CVeldtrakDoc::OnEditRedo()
{
    StepThroughHistory(false);
}

void CVeldtrakDoc::StepThroughHistory(bool back)
{
    if (!CanStepThroughHistory())
        return;
    // A change still going on (a drag) becomes a step of its own before an undo takes
    // it back. A redo goes to the step after the one shown and leaves the unfinished
    // change behind: made a step, it would throw away what can be redone.
    if (back)
        CommitUndoStep();
    if (back ? !m_undo.CanUndo() : !m_undo.CanRedo())
        return;
    // Taking a change back, or making it again, needs what the change itself needed.
    const int needed = back ? m_undo.UndoPermissions() : m_undo.RedoPermissions();
    for (int permission = 1; permission <= PERMIT_ALL; permission <<= 1)
        if ((needed & permission) != 0 && !CheckPermission(permission, true))
            return;
    const QByteArray board = back ? m_undo.Undo() : m_undo.Redo();
    if (!RestoreBoard(board)) {
        back ? m_undo.Redo() : m_undo.Undo(); // the board on the screen stays
        return;
    }
    // Laying the sockets out draws the components, and what drawing keeps (a pulse
    // generator's countdown) is no change of the pupil's: the step is the board as shown.
    RebaseUndoHistory();
    m_nStepPermissions = 0; // the checks above belong to no change of the pupil's
    SetModifiedFlag(!m_undo.IsAtSaved());
    UpdateAllViews(HINT_REFRESH);
}

bool CVeldtrakDoc::RestoreBoard(const QByteArray& board)
{
    m_probeBuses.clear();
    BoardContents shown;
    Exchange(*this, shown);
    int cause = ARCHIVE_OK;
    try {
        cause = ReadBoard(board, *this);
    } catch (const std::bad_alloc&) {
        cause = -1;
    }
    if (cause != ARCHIVE_OK) {
        BoardContents unread;
        Exchange(*this, unread);
        Exchange(*this, shown);
        return false;
    }
    // As after opening a file, except that the wires are where the board had them.
    LayOutSockets();
    for (std::size_t i = m_pictures.size(); i-- > 0;)
        m_pictures[i]->LoadFiles(m_strFolderBitmap);
    for (const auto& c : m_components) // socket numbers are never given twice
        m_nLastBusId = std::max(m_nLastBusId, c->GetBusRange().second);
    ResolveLinks();
    return true;
}
