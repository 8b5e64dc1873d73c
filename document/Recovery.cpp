#include "Recovery.h"

#include "BoardArchive.h"
#include "platform/FileIO.h"
#include "platform/Paths.h"
#include "platform/Strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <new>

#include <unistd.h>

namespace {

const char* const kPrefix = "herstel-";

bool ProcessIsRunning(qint64 pid)
{
    return pid > 0 && pid <= 0x7FFFFFFF && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

CRecoveryKeeper::CRecoveryKeeper(CVeldtrakDoc& doc) : m_doc(doc)
{
    m_doc.AddView(this);
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryKeeper::Poll);
    m_timer.start();
}

CRecoveryKeeper::~CRecoveryKeeper()
{
    m_doc.RemoveView(this);
    Wait();
}

QString CRecoveryKeeper::Folder()
{
    const QString overridden = qEnvironmentVariable("VT_RECOVERY_DIR");
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString CRecoveryKeeper::BoardFile() const
{
    return Folder() + u'/' + QLatin1String(kPrefix) + QString::number(::getpid()) + QStringLiteral(".wks");
}

QString CRecoveryKeeper::NameFile() const
{
    return Folder() + u'/' + QLatin1String(kPrefix) + QString::number(::getpid()) + QStringLiteral(".naam");
}

void CRecoveryKeeper::OnUpdate(int hint, int)
{
    if (hint == HINT_STOPPED)
        WriteNow();
}

void CRecoveryKeeper::Poll()
{
    if (!m_doc.IsModified()) {
        if (m_bCopyExists)
            Remove();
        return;
    }
    if (m_bPending || !m_sinceWrite.isValid() || m_sinceWrite.elapsed() >= kIntervalMs)
        WriteNow();
}

void CRecoveryKeeper::WriteNow()
{
    if (!m_doc.IsModified())
        return;
    if (m_bWriting) {
        m_bPending = true; // the next poll writes it; waiting here could delay a tick
        return;
    }
    m_bPending = false;
    QByteArray board;
    try {
        board = WriteBoard(m_doc);
    } catch (const std::bad_alloc&) {
        return; // no copy this time; the board itself is untouched
    }
    const QByteArray name = m_doc.GetPathName().toUtf8();
    m_sinceWrite.start();
    if (m_bCopyExists && board == m_lastBoard && name == m_lastName)
        return;
    Write(board, name);
}

void CRecoveryKeeper::Write(const QByteArray& board, const QByteArray& name)
{
    Wait();
    m_lastBoard = board;
    m_lastName = name;
    m_bCopyExists = true;
    m_bWriting = true;
    const QString folder = Folder();
    const QString boardFile = BoardFile();
    const QString nameFile = NameFile();
    // The disk may take its time (fsync); the measurement's ticks must not wait for it.
    m_writer = std::thread([this, folder, boardFile, nameFile, board, name] {
        QDir().mkpath(folder);
        if (WriteWholeFile(boardFile, board) == FILE_OK)
            WriteWholeFile(nameFile, name);
        m_bWriting = false;
    });
}

void CRecoveryKeeper::Wait()
{
    if (m_writer.joinable())
        m_writer.join();
}

void CRecoveryKeeper::Remove()
{
    Wait();
    QFile::remove(NameFile()); // first: without it the board file is no copy
    QFile::remove(BoardFile());
    m_bCopyExists = false;
    m_lastBoard.clear();
    m_lastName.clear();
    m_sinceWrite.invalidate();
}

void CRecoveryKeeper::Discard()
{
    m_timer.stop();
    Remove();
}

std::vector<CRecoveredBoard> FindRecoveredBoards()
{
    std::vector<CRecoveredBoard> found;
    const QDir folder(CRecoveryKeeper::Folder());
    const QString prefix = QLatin1String(kPrefix);
    for (const QFileInfo& info : folder.entryInfoList({prefix + QStringLiteral("*.naam")}, QDir::Files)) {
        bool isNumber = false;
        const qint64 pid = info.completeBaseName().mid(prefix.size()).toLongLong(&isNumber);
        if (!isNumber || ProcessIsRunning(pid))
            continue; // another program's board, still being worked on
        const QString boardFile = folder.filePath(info.completeBaseName() + QStringLiteral(".wks"));
        QByteArray name;
        if (!QFileInfo::exists(boardFile) || ReadWholeFile(info.filePath(), name) != FILE_OK)
            continue;
        found.push_back({boardFile, info.filePath(), QString::fromUtf8(name), QFileInfo(boardFile).lastModified()});
    }
    std::sort(found.begin(), found.end(),
              [](const CRecoveredBoard& a, const CRecoveredBoard& b) { return a.savedAt > b.savedAt; });
    return found;
}

bool RestoreRecoveredBoard(CVeldtrakDoc& doc, const CRecoveredBoard& copy)
{
    if (!doc.OnOpenDocument(WindowsName(copy.boardFile)))
        return false;
    // Never the copy's own name: a save would land in the recovery folder.
    doc.SetPathName(copy.boardName.isEmpty() ? doc.m_strFolderRoot + LoadString(61443) : copy.boardName);
    doc.SetModifiedFlag();
    doc.ResetUndoHistory(); // a copy is no saved board: undoing back to it stays modified
    return true;
}

void RemoveRecoveredBoard(const CRecoveredBoard& copy)
{
    QFile::remove(copy.nameFile);
    QFile::remove(copy.boardFile);
}
