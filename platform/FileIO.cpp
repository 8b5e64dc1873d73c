#include "FileIO.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int FileCauseFromErrno(int error)
{
    switch (error) {
    case ENOENT:
        return FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return FILE_BAD_PATH;
    case EMFILE:
    case ENFILE:
        return FILE_TOO_MANY_OPEN;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FILE_ACCESS_DENIED;
    case EBADF:
        return FILE_INVALID;
    case ESPIPE:
        return FILE_BAD_SEEK;
    case EIO:
        return FILE_HARD_IO;
    case ETXTBSY:
    case EBUSY:
        return FILE_SHARING_VIOLATION;
    case ENOLCK:
        return FILE_LOCK_VIOLATION;
    case ENOSPC:
    case EDQUOT:
        return FILE_DISK_FULL;
    default:
        return FILE_GENERIC;
    }
}

int ReadWholeFile(const QString& fileSystemPath, QByteArray& content)
{
    content.clear();
    const QByteArray path = QFile::encodeName(fileSystemPath);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileCauseFromErrno(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int cause = S_ISDIR(st.st_mode) ? FILE_ACCESS_DENIED : FileCauseFromErrno(errno);
        ::close(fd);
        return cause;
    }
    content.resize(qsizetype(st.st_size));
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n = ::read(fd, content.data() + done, std::size_t(content.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int cause = FileCauseFromErrno(errno);
            ::close(fd);
            content.clear();
            return cause;
        }
        if (n == 0) { // the file shrank while we read it
            content.resize(done);
            break;
        }
        done += n;
    }
    ::close(fd);
    return FILE_OK;
}

namespace {

// Writes all of the content to fd; FILE_OK or the cause.
int WriteAll(int fd, const QByteArray& content)
{
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + done, std::size_t(content.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? FileCauseFromErrno(errno) : FILE_DISK_FULL;
        done += n;
    }
    return FILE_OK;
}

// A file that no one may write is read-only, also for the administrator: the mode
// bits say so whoever asks, and access() says it for this user.
bool IsReadOnly(const QByteArray& path, const struct stat& st)
{
    return (st.st_mode & 0222) == 0 || ::access(path.constData(), W_OK) != 0;
}

// Overwrites an existing file where it stands: for a folder that does not let us make
// the temporary file, when the file itself may be written.
int WriteInPlace(const QByteArray& target, const QByteArray& content, bool* opened)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return FileCauseFromErrno(errno);
    if (opened)
        *opened = true;
    int cause = WriteAll(fd, content);
    if (cause == FILE_OK && ::ftruncate(fd, off_t(content.size())) != 0)
        cause = FileCauseFromErrno(errno);
    if (cause == FILE_OK && ::fsync(fd) != 0)
        cause = FileCauseFromErrno(errno);
    if (::close(fd) != 0 && cause == FILE_OK)
        cause = FileCauseFromErrno(errno);
    return cause;
}

} // namespace

int WriteWholeFile(const QString& fileSystemPath, const QByteArray& content, bool* opened)
{
    if (opened)
        *opened = false;
    const QByteArray target = QFile::encodeName(fileSystemPath);
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists && S_ISREG(st.st_mode) && IsReadOnly(target, st))
        return FILE_ACCESS_DENIED;

    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int error = errno;
        if (exists && S_ISREG(st.st_mode) && (error == EACCES || error == EPERM))
            return WriteInPlace(target, content, opened);
        return FileCauseFromErrno(error);
    }
    if (opened)
        *opened = true;
    // Keep the permissions of the file being replaced, else the usual ones.
    ::fchmod(fd, exists ? (st.st_mode & 07777) : 0644);

    int cause = WriteAll(fd, content);
    if (cause == FILE_OK && ::fsync(fd) != 0)
        cause = FileCauseFromErrno(errno);
    if (::close(fd) != 0 && cause == FILE_OK)
        cause = FileCauseFromErrno(errno);
    if (cause == FILE_OK && ::rename(temp.constData(), target.constData()) != 0) {
        // The content was written; what failed is replacing the file.
        cause = FileCauseFromErrno(errno);
        if (opened)
            *opened = false;
    }
    if (cause != FILE_OK)
        ::unlink(temp.constData());
    return cause;
}
