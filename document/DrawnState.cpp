#include "DrawnState.h"

#include "BoardArchive.h"
#include "Document.h"

#include <new>

CDrawnStateKept::CDrawnStateKept(CVeldtrakDoc& doc, bool atRest) : m_doc(doc)
{
    // A measurement's drawing is taken in when it stops; a change still going on takes
    // what drawing kept into its own step.
    if (!atRest || doc.m_bRunning || doc.m_bScanning || doc.m_bBusy || doc.UndoHistory().IsEmpty())
        return;
    try {
        m_bAtStep = WriteBoard(doc) == doc.UndoHistory().Current();
    } catch (const std::bad_alloc&) {
        m_bAtStep = false;
    }
}

CDrawnStateKept::~CDrawnStateKept()
{
    if (m_bAtStep)
        m_doc.RebaseUndoHistory();
}
