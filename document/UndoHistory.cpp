#include "UndoHistory.h"

#include <utility>

void CUndoHistory::Reset(QByteArray board, bool saved)
{
    m_states.clear();
    m_states.push_back({std::move(board), 0});
    m_nCurrent = 0;
    m_nSaved = saved ? 0 : -1;
}

bool CUndoHistory::Record(QByteArray board, int permissions)
{
    if (m_states.empty()) {
        Reset(std::move(board), false);
        return false;
    }
    if (board == Current())
        return false;
    m_states.resize(std::size_t(m_nCurrent) + 1); // what was undone cannot come back now
    if (m_nSaved > m_nCurrent)
        m_nSaved = -1;
    m_states.push_back({std::move(board), permissions});
    ++m_nCurrent;
    while (StepCount() > kMaxSteps) {
        m_states.pop_front();
        --m_nCurrent;
        m_nSaved = m_nSaved > 0 ? m_nSaved - 1 : -1;
    }
    return true;
}

void CUndoHistory::Rebase(QByteArray board)
{
    if (m_states.empty())
        Reset(std::move(board), false);
    else
        m_states[std::size_t(m_nCurrent)].board = std::move(board);
}

int CUndoHistory::UndoPermissions() const
{
    return CanUndo() ? m_states[std::size_t(m_nCurrent)].permissions : 0;
}

int CUndoHistory::RedoPermissions() const
{
    return CanRedo() ? m_states[std::size_t(m_nCurrent) + 1].permissions : 0;
}

const QByteArray& CUndoHistory::Undo()
{
    if (CanUndo())
        --m_nCurrent;
    return Current();
}

const QByteArray& CUndoHistory::Redo()
{
    if (CanRedo())
        ++m_nCurrent;
    return Current();
}

qsizetype CUndoHistory::ByteCount() const
{
    qsizetype total = 0;
    for (const State& state : m_states)
        total += state.board.size();
    return total;
}
