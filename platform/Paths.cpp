#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString& ProgramFolderOverride()
{
    static QString folder;
    return folder;
}

bool HasDrive(const QString& name)
{
    return name.size() >= 2 && name[1] == u':' && name[0].isLetter();
}

// Finds the entry of 'folder' whose name equals 'part' ignoring case; empty if none.
QString MatchIgnoringCase(const QString& folder, const QString& part)
{
    const QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(part, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

// Copies the installed data into the per-user program folder, without overwriting.
void FillFrom(const QString& source, const QString& target)
{
    QDir().mkpath(target);
    const QDir src(source);
    for (const QFileInfo& info : src.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString to = target + u'/' + info.fileName();
        if (info.isDir())
            FillFrom(info.filePath(), to);
        else if (!QFileInfo::exists(to) && QFile::copy(info.filePath(), to))
            // The installed file may be read-only; the pupil's copy is not.
            QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner | QFile::WriteUser);
    }
}

bool IsWritableFolder(const QString& folder)
{
    return QFileInfo(folder).isWritable();
}

QString DefaultProgramFolder()
{
    return ProgramFolderFor(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                QStringLiteral("/veldtrak"),
                            &IsWritableFolder);
}

} // namespace

QString WindowsName(const QString& fileSystemPath)
{
    QString name = fileSystemPath;
    name.replace(u'/', u'\\');
    return name;
}

bool IsAbsoluteName(const QString& name)
{
    return name.startsWith(u'\\') || name.startsWith(u'/') || HasDrive(name);
}

QString FileSystemPath(const QString& name)
{
    if (name.isEmpty())
        return {};
    QString path = name;
    path.replace(u'\\', u'/');
    if (HasDrive(name))
        return path; // cannot exist here
    if (!path.startsWith(u'/'))
        path = QDir::currentPath() + u'/' + path;
    if (QFileInfo::exists(path))
        return path;

    // Walk the components; keep the exact name where it exists, else the
    // case-insensitive match, else the rest as given.
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    QString resolved;
    bool found = true;
    for (const QString& part : parts) {
        if (found && !QFileInfo::exists(resolved + u'/' + part)) {
            const QString match = MatchIgnoringCase(resolved, part);
            if (match.isEmpty()) {
                found = false;
                resolved += u'/' + part;
            } else {
                resolved += u'/' + match;
            }
        } else {
            resolved += u'/' + part;
        }
    }
    if (path.endsWith(u'/'))
        resolved += u'/';
    return resolved;
}

bool NameExists(const QString& name)
{
    return !name.isEmpty() && QFileInfo::exists(FileSystemPath(name));
}

bool FolderExists(const QString& name)
{
    return !name.isEmpty() && QFileInfo(FileSystemPath(name)).isDir();
}

QString ProgramFolder()
{
    QString folder = ProgramFolderOverride();
    if (folder.isEmpty())
        folder = DefaultProgramFolder();
    folder = WindowsName(QDir::cleanPath(folder));
    if (!folder.endsWith(u'\\'))
        folder += u'\\';
    return folder;
}

void SetProgramFolder(const QString& fileSystemFolder)
{
    ProgramFolderOverride() = fileSystemFolder;
}

QString ProgramFolderFor(const QString& exeFolder, const QString& userFolder,
                         bool (*isWritable)(const QString& folder))
{
    const QString installed = QDir::cleanPath(exeFolder + QStringLiteral("/../share/veldtrak"));
    if (!QFileInfo(installed).isDir())
        return isWritable(exeFolder) ? exeFolder : userFolder;
    if (isWritable(installed))
        return installed;
    FillFrom(installed, userFolder);
    return userFolder;
}
