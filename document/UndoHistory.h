#pragma once
// The board's undo history: the board as it stood after each change, in the bytes of
// its file, oldest first. One of them is the board on the screen; the ones before it
// can be undone to, the ones after it redone. Whole boards rather than differences:
// a board is small, and restoring one is the same reading that opening a file does.

#include <QByteArray>

#include <deque>

class CUndoHistory {
public:
    // The most steps kept; older ones are forgotten first.
    static constexpr int kMaxSteps = 100;

    // Starts again from this board, with nothing to undo or redo; 'saved' says the
    // board is the one in its file.
    void Reset(QByteArray board, bool saved);
    bool IsEmpty() const { return m_states.empty(); }

    // The board after a change: when it differs from the current one it becomes a new
    // step (dropping what could be redone) and true is returned. 'permissions' are
    // those the change asked for.
    bool Record(QByteArray board, int permissions);
    // The current board has changed in a way that is no change of the pupil's (a
    // measurement moved its switches): it is taken as it is now, without a step.
    void Rebase(QByteArray board);

    bool CanUndo() const { return m_nCurrent > 0; }
    bool CanRedo() const { return m_nCurrent + 1 < int(m_states.size()); }
    // The permissions the change that an undo or a redo would take back or make again
    // asked for.
    int UndoPermissions() const;
    int RedoPermissions() const;
    // Moves one step back or forward and returns the board to show there.
    const QByteArray& Undo();
    const QByteArray& Redo();
    // The current board is the one in its file (saved, opened or its changes answered).
    void MarkSaved() { m_nSaved = m_nCurrent; }
    bool IsAtSaved() const { return m_nSaved == m_nCurrent; }

    const QByteArray& Current() const { return m_states[std::size_t(m_nCurrent)].board; }
    int StepCount() const { return int(m_states.size()) - 1; }
    qsizetype ByteCount() const;

private:
    struct State {
        QByteArray board;
        int permissions = 0; // those of the change that led here
    };
    std::deque<State> m_states;
    int m_nCurrent = -1;
    int m_nSaved = -1; // -1: no state in the history is the file's
};
