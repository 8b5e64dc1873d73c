#include "FileWatch.h"

#include <QDirIterator>
#include <QFileInfo>

CFileWatch::CFileWatch(QStringList folders) : m_folders(std::move(folders)), m_last(List()) {}

CFileWatch::Listing CFileWatch::List() const
{
    Listing listing;
    for (const QString& folder : m_folders) {
        QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            listing[info.filePath()] = {info.isDir() ? -1 : info.size(), info.lastModified()};
        }
    }
    return listing;
}

QString CFileWatch::ChangedFile()
{
    Listing now = List();
    QString changed;
    for (const auto& [path, stamp] : now) {
        const auto was = m_last.find(path);
        if (was == m_last.end())
            changed = QStringLiteral("a file was created: ") + path;
        else if (was->second != stamp && stamp.first >= 0)
            changed = QStringLiteral("a file was written: ") + path;
        if (!changed.isEmpty())
            break;
    }
    if (changed.isEmpty())
        for (const auto& [path, stamp] : m_last)
            if (!now.count(path)) {
                changed = QStringLiteral("a file was removed: ") + path;
                break;
            }
    m_last = std::move(now);
    return changed;
}
