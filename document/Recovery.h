#pragma once
// The recovery copy: while a board is modified, a copy of it is kept in the per-user
// data folder, so that a program that ends abnormally (a fault, a pulled plug, a
// killed process) costs the pupil at most half a minute of work. The copy is written
// at most every 30 s and after each measurement stop, atomically and away from the
// user-interface thread; a normal save, a new or opened board and a normal end of
// the program remove it. At the next start the copies of programs that are gone are
// offered back.
//
// Each running program keeps its own pair of files: "herstel-<pid>.wks" (the board)
// and "herstel-<pid>.naam" (the board's name, written last: a copy counts once it is
// there).

#include "Document.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <thread>
#include <vector>

class CRecoveryKeeper : public QObject, public CDocView {
public:
    static constexpr int kIntervalMs = 30000; // the most often a copy is written
    static constexpr int kPollMs = 1000;

    explicit CRecoveryKeeper(CVeldtrakDoc& doc);
    ~CRecoveryKeeper() override; // waits for a copy being written; keeps the copy

    void OnUpdate(int hint, int argument) override;

    // Writes the copy when the board is modified and the last copy is due; removes it
    // when the board is no longer modified. Runs from the timer.
    void Poll();
    // Writes the copy now when the board is modified and differs from the last copy.
    void WriteNow();
    // The program ends normally: the copy goes.
    void Discard();
    // Waits until a copy being written is on the disk (tests, the end of the program).
    void Wait();

    // The folder of the copies: $VT_RECOVERY_DIR when set, else the per-user data folder.
    static QString Folder();
    QString BoardFile() const;
    QString NameFile() const;

private:
    void Write(const QByteArray& board, const QByteArray& name);
    void Remove();

    CVeldtrakDoc& m_doc;
    QTimer m_timer;
    QElapsedTimer m_sinceWrite; // invalid until the first copy
    QByteArray m_lastBoard;     // what the copy on disk holds
    QByteArray m_lastName;
    bool m_bCopyExists = false;
    bool m_bPending = false;    // a copy was due while the last one was still being written
    std::thread m_writer;
    std::atomic<bool> m_bWriting{false};
};

// A copy left by a program that has ended without removing it.
struct CRecoveredBoard {
    QString boardFile; // file-system paths
    QString nameFile;
    QString boardName; // the board's stored name when the copy was made
    QDateTime savedAt;
};

// The copies of programs that are no longer running, the newest first.
std::vector<CRecoveredBoard> FindRecoveredBoards();
// Opens the copy as a modified board under its own name; false (reported) when it
// cannot be read.
bool RestoreRecoveredBoard(CVeldtrakDoc& doc, const CRecoveredBoard& copy);
void RemoveRecoveredBoard(const CRecoveredBoard& copy);
