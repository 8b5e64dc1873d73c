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

int OpenRegularFile(const QString& fileSystemPath, int& fd, qint64* size)
{
    fd = -1;
    const QByteArray path = QFile::encodeName(fileSystemPath);
    // Without O_NONBLOCK, opening a named pipe waits until someone writes to it.
    const int opened = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (opened < 0)
        return FileCauseFromErrno(errno);
    struct stat st {};
    int cause = FILE_OK;
    if (::fstat(opened, &st) != 0)
        cause = FileCauseFromErrno(errno);
    else if (!S_ISREG(st.st_mode))
        cause = FILE_ACCESS_DENIED;
    else if (const int flags = ::fcntl(opened, F_GETFL);
             flags < 0 || ::fcntl(opened, F_SETFL, flags & ~O_NONBLOCK) < 0)
        cause = FileCauseFromErrno(errno);
    if (cause != FILE_OK) {
        ::close(opened);
        return cause;
    }
    if (size)
        *size = qint64(st.st_size);
    fd = opened;
    return FILE_OK;
}

int ReadWholeFile(const QString& fileSystemPath, QByteArray& content)
{
    content.clear();
    int fd = -1;
    qint64 size = 0;
    if (const int cause = OpenRegularFile(fileSystemPath, fd, &size); cause != FILE_OK)
        return cause;
    content.resize(qsizetype(size));
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
