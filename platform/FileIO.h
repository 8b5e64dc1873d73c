#pragma once
// Whole-file reading and writing with the causes the error reports name.

#include <QByteArray>
#include <QString>

// Causes of file errors, numbered as the error reports show them.
enum FileCause : int {
    FILE_OK = 0,
    FILE_GENERIC = 1,
    FILE_NOT_FOUND = 2,
    FILE_BAD_PATH = 3,
    FILE_TOO_MANY_OPEN = 4,
    FILE_ACCESS_DENIED = 5,
    FILE_INVALID = 6,
    FILE_REMOVE_CURRENT = 7,
    FILE_DIRECTORY_FULL = 8,
    FILE_BAD_SEEK = 9,
    FILE_HARD_IO = 10,
    FILE_SHARING_VIOLATION = 11,
    FILE_LOCK_VIOLATION = 12,
    FILE_DISK_FULL = 13,
    FILE_END_OF_FILE = 14,
};

int FileCauseFromErrno(int error);

// Opens a file for reading (fd, with blocking reads; size, when asked, its length) and
// returns FILE_OK, or the cause of the failure. Only a regular file is opened: a named
// pipe or a device (a name from a worksheet such as "\dev\stdin") would wait for a
// writer or never end; it is refused as access denied without waiting.
int OpenRegularFile(const QString& fileSystemPath, int& fd, qint64* size = nullptr);

// Reads the whole (regular) file; returns FILE_OK or the cause of the failure.
int ReadWholeFile(const QString& fileSystemPath, QByteArray& content);

// Replaces the file with the content, or leaves the old file untouched: the content
// goes to a temporary file in the same folder, which is renamed over the target only
// when it was written completely. A read-only target is refused (access denied); an
// existing file that may be written in a folder that takes no new files is written in
// place. 'opened' tells whether the failure lies in writing the content; it stays
// false when the file could not be created or opened, or not be replaced.
int WriteWholeFile(const QString& fileSystemPath, const QByteArray& content, bool* opened = nullptr);
