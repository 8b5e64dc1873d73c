#pragma once
// Files are written only where the user saved or in the program's own folders: the
// shipped worksheets, the pool of boards and the folder the program was started from
// stay as they were.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <map>
#include <utility>

class CFileWatch {
public:
    // Watches these folders, everything below them.
    explicit CFileWatch(QStringList folders);
    // The first file written, created or removed since the last call, or empty.
    QString ChangedFile();

private:
    using Listing = std::map<QString, std::pair<qint64, QDateTime>>;
    Listing List() const;

    QStringList m_folders;
    Listing m_last;
};
