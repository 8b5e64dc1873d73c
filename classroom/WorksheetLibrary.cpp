#include "WorksheetLibrary.h"

#include "document/Document.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// The wait cursor for as long as the library is being built.
class CWaitCursor {
public:
    CWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// Every file (no folder, nothing below it) of the category folders that carries one
// of the worksheet extensions, as folder + file name. Folders and extensions are
// taken from the last to the first; names match their pattern ignoring case, as
// they do on the system the worksheets are made on.
QStringList FindWorksheetFiles(const CVeldtrakDoc& doc)
{
    QStringList paths;
    for (qsizetype f = doc.m_worksheetFolders.size(); f-- > 0;) {
        const QString& folder = doc.m_worksheetFolders[f];
        const QDir dir(
            FileSystemPath(IsAbsoluteName(folder) ? folder : doc.m_strFolderRoot + folder));
        if (!dir.exists()) continue;
        for (qsizetype e = doc.m_worksheetExtensions.size(); e-- > 0;) {
            const QStringList pattern{QStringLiteral("*.") + doc.m_worksheetExtensions[e]};
            const QStringList names =
                dir.entryList(pattern, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
            for (const QString& name : names)
                paths << folder + name;
        }
    }
    return paths;
}

// The category of a library path (relative ones lie below the program folder).
QString CategoryOf(const CVeldtrakDoc& doc, const QString& libraryPath)
{
    return WorksheetCategory(IsAbsoluteName(libraryPath) ? libraryPath
                                                         : doc.m_strFolderRoot + libraryPath);
}

// The folder a stored folder name means, as the file system knows it; empty when it
// does not exist.
QString CanonicalFolder(const CVeldtrakDoc& doc, const QString& folder)
{
    return QFileInfo(FileSystemPath(IsAbsoluteName(folder) ? folder : doc.m_strFolderRoot + folder))
        .canonicalFilePath();
}

// Opens every path for its title. A path that cannot be read (the open has told the
// user) leaves the list, so paths and entries stay parallel.
void ReadTitles(CVeldtrakDoc& doc)
{
    doc.m_bScanning = true;
    for (qsizetype i = 0; i < doc.m_libraryPaths.size();) {
        // The status line names the file being read; after a removal the next file
        // has taken this index.
        doc.UpdateAllViews(HINT_STARTUP_STATUS, int(i));
        const QString path = doc.m_libraryPaths[i];
        const QString category = CategoryOf(doc, path);
        if (doc.OnOpenDocument(path)) {
            doc.m_libraryEntries << category + u'#' + doc.m_strBoardTitle;
            ++i;
        } else {
            doc.m_libraryPaths.removeAt(i);
        }
        doc.DeleteContents();
    }
    doc.m_bScanning = false;
}

// Both lists in ascending order of the titles' stored bytes; equal titles keep their
// order.
void SortByTitle(CVeldtrakDoc& doc)
{
    std::vector<QByteArray> keys;
    keys.reserve(std::size_t(doc.m_libraryEntries.size()));
    for (const QString& entry : doc.m_libraryEntries)
        keys.push_back(ToCp1252(EntryTitle(entry)));
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) {
        return keys[std::size_t(a)] < keys[std::size_t(b)];
    });
    QStringList paths;
    QStringList entries;
    for (qsizetype i : order) {
        paths << doc.m_libraryPaths[i];
        entries << doc.m_libraryEntries[i];
    }
    doc.m_libraryPaths = paths;
    doc.m_libraryEntries = entries;
}

} // namespace

void BuildWorksheetLibrary(CVeldtrakDoc& doc)
{
    const CWaitCursor wait;
    doc.UpdateAllViews(HINT_STARTUP_IMAGE, 1);
    Pause(750);
    doc.m_libraryPaths = FindWorksheetFiles(doc);
    doc.UpdateAllViews(HINT_STARTUP_IMAGE, 2);
    Pause(750);
    doc.m_libraryEntries.clear();
    doc.UpdateAllViews(HINT_STARTUP_IMAGE, 3);
    Pause(1500);
    if (!doc.m_libraryPaths.isEmpty()) ReadTitles(doc);
    SortByTitle(doc);
}

void NoteSavedWorksheet(CVeldtrakDoc& doc, const QString& path)
{
    const qsizetype cut = path.lastIndexOf(u'\\') + 1;
    const QString name = path.mid(cut);
    // As the scan's patterns match: "*.wks" takes "les.WKS" too.
    const bool worksheet = std::any_of(
        doc.m_worksheetExtensions.cbegin(), doc.m_worksheetExtensions.cend(),
        [&name](const QString& e) { return name.endsWith(u'.' + e, Qt::CaseInsensitive); });
    if (!worksheet) return;
    const QString savedIn = CanonicalFolder(doc, path.left(cut));
    for (qsizetype f = doc.m_worksheetFolders.size(); f-- > 0;) {
        const QString& folder = doc.m_worksheetFolders[f];
        if (savedIn.isEmpty() || CanonicalFolder(doc, folder) != savedIn) continue;
        const QString libraryPath = folder + name;
        const QString entry = CategoryOf(doc, libraryPath) + u'#' + doc.m_strBoardTitle;
        if (const qsizetype known = doc.m_libraryPaths.indexOf(libraryPath); known >= 0) {
            doc.m_libraryEntries[known] = entry;
        } else {
            doc.m_libraryPaths << libraryPath;
            doc.m_libraryEntries << entry;
        }
        SortByTitle(doc);
        return;
    }
}

QString WorksheetCategory(const QString& path)
{
    const qsizetype end = path.lastIndexOf(u'\\');
    if (end < 0) return {};
    const qsizetype start = end > 0 ? path.lastIndexOf(u'\\', end - 1) + 1 : 0;
    const QString folder = path.mid(start, end - start);
    return folder.left(1).toUpper() + folder.mid(1).toLower();
}

QString EntryCategory(const QString& entry)
{
    return entry.section(u'#', 0, 0);
}

QString EntryTitle(const QString& entry)
{
    const qsizetype hash = entry.indexOf(u'#');
    return hash < 0 ? QString() : entry.mid(hash + 1);
}
