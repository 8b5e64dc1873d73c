// Replacing a file so that whatever happens, the old file or the complete new one is
// there, and nothing else: the content is written into an unnamed file in the
// target's folder, made durable, given a temporary name and renamed over the target.
// A process ended at any moment leaves at most that temporary name, for the length of
// one rename; the next save of the same file removes it.
#include "FileIO.h"
#include "FileWriteSeam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileWriteFunction& WriteFunction()
{
    static FileWriteFunction function;
    return function;
}

WriteStageHook& StageHook()
{
    static WriteStageHook hook;
    return hook;
}

void Reached(WriteStage stage)
{
    if (StageHook())
        StageHook()(stage);
}

ssize_t WriteSome(int fd, const char* data, std::size_t size)
{
    return WriteFunction() ? WriteFunction()(fd, data, size) : ::write(fd, data, size);
}

// Writes the bytes to fd; FILE_OK or the cause.
int WriteAll(int fd, const char* data, qsizetype size)
{
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = WriteSome(fd, data + done, std::size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? FileCauseFromErrno(errno) : FILE_DISK_FULL;
        done += n;
    }
    return FILE_OK;
}

// The content in two halves, so that a test can stop the writer in between.
int WriteContent(int fd, const QByteArray& content)
{
    const qsizetype half = content.size() / 2;
    int cause = WriteAll(fd, content.constData(), half);
    if (cause != FILE_OK)
        return cause;
    Reached(WriteStage::HalfWritten);
    cause = WriteAll(fd, content.constData() + half, content.size() - half);
    if (cause == FILE_OK)
        Reached(WriteStage::Written);
    return cause;
}

// Saving into a folder that is not there names a bad path, not a missing file.
int SaveCause(int error)
{
    return error == ENOENT ? FILE_BAD_PATH : FileCauseFromErrno(error);
}

// A file that no one may write is read-only, also for the administrator: the mode
// bits say so whoever asks, and access() says it for this user.
bool IsReadOnly(const QByteArray& path, const struct stat& st)
{
    return (st.st_mode & 0222) == 0 || ::access(path.constData(), W_OK) != 0;
}

// Overwrites an existing file where it stands: for a folder that does not let us make
// the new file, when the file itself may be written.
int WriteInPlace(const QByteArray& target, const QByteArray& content, bool* opened)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return SaveCause(errno);
    if (opened)
        *opened = true;
    Reached(WriteStage::Opened);
    int cause = WriteContent(fd, content);
    if (cause == FILE_OK && ::ftruncate(fd, off_t(content.size())) != 0)
        cause = FileCauseFromErrno(errno);
    if (cause == FILE_OK && ::fsync(fd) != 0)
        cause = FileCauseFromErrno(errno);
    if (::close(fd) != 0 && cause == FILE_OK)
        cause = FileCauseFromErrno(errno);
    return cause;
}

// The temporary name of a target while this process replaces it.
QByteArray TemporaryName(const QByteArray& target)
{
    return target + ".~vt" + QByteArray::number(qint64(::getpid()));
}

// Removes temporary names beside the target left by writers that were ended in the
// middle of a save (their process is gone).
void RemoveStaleTemporaries(const QString& target)
{
    const QFileInfo info(target);
    const QString prefix = info.fileName() + QStringLiteral(".~vt");
    const QDir folder = info.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.startsWith(prefix))
            continue;
        bool isNumber = false;
        const qint64 pid = name.mid(prefix.size()).toLongLong(&isNumber);
        if (!isNumber || pid <= 0 || pid > 0x7FFFFFFF)
            continue;
        if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QFile::remove(folder.filePath(name));
    }
}

// A new file for the content beside the target: unnamed where the file system allows
// it, else under the temporary name. -1 with errno set on failure.
int OpenNewFile(const QByteArray& folder, const QByteArray& temporary, mode_t mode, bool* named)
{
    *named = false;
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return fd;
    ::unlink(temporary.constData());
    *named = true;
    return ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}

void SyncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileWriteFunction SetFileWriteFunction(FileWriteFunction function)
{
    FileWriteFunction previous = std::move(WriteFunction());
    WriteFunction() = std::move(function);
    return previous;
}

WriteStageHook SetWriteStageHook(WriteStageHook hook)
{
    WriteStageHook previous = std::move(StageHook());
    StageHook() = std::move(hook);
    return previous;
}

int WriteWholeFile(const QString& fileSystemPath, const QByteArray& content, bool* opened)
{
    if (opened)
        *opened = false;
    const QByteArray target = QFile::encodeName(fileSystemPath);
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists && S_ISREG(st.st_mode) && IsReadOnly(target, st))
        return FILE_ACCESS_DENIED;
    RemoveStaleTemporaries(fileSystemPath);

    const QByteArray folder = QFile::encodeName(QFileInfo(fileSystemPath).absolutePath());
    const QByteArray temporary = TemporaryName(target);
    // Keep the permissions of the file being replaced, else the usual ones.
    const mode_t mode = exists ? (st.st_mode & 07777) : 0644;
    bool named = false;
    const int fd = OpenNewFile(folder, temporary, mode, &named);
    if (fd < 0) {
        const int error = errno;
        if (exists && S_ISREG(st.st_mode) && (error == EACCES || error == EPERM))
            return WriteInPlace(target, content, opened);
        return SaveCause(error);
    }
    if (opened)
        *opened = true;
    Reached(WriteStage::Opened);
    ::fchmod(fd, mode); // the process's mask has narrowed the mode given to open

    int cause = WriteContent(fd, content);
    if (cause == FILE_OK && ::fsync(fd) != 0)
        cause = FileCauseFromErrno(errno);
    if (cause == FILE_OK)
        Reached(WriteStage::Synced);
    if (cause == FILE_OK && !named) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temporary.constData(), AT_SYMLINK_FOLLOW) == 0)
            named = true;
        else
            cause = SaveCause(errno);
    }
    if (::close(fd) != 0 && cause == FILE_OK)
        cause = FileCauseFromErrno(errno);
    if (cause == FILE_OK) {
        Reached(WriteStage::Named);
        if (::rename(temporary.constData(), target.constData()) != 0) {
            // The content was written; what failed is replacing the file.
            cause = FileCauseFromErrno(errno);
            if (opened)
                *opened = false;
        }
    }
    if (cause != FILE_OK) {
        if (named)
            ::unlink(temporary.constData());
        return cause;
    }
    Reached(WriteStage::Replaced);
    SyncFolder(folder);
    return FILE_OK;
}
