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
