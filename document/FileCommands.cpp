// New, Open, Save and Save As; resolving, reading and writing board files, and the
// Dutch reports of what went wrong.
#include "Document.h"

#include "BoardArchive.h"
#include "FileErrors.h"
#include "TeacherSave.h"
#include "core/Archive.h"
#include "platform/FileDialogs.h"
#include "platform/FileIO.h"
#include "platform/ModalRunner.h"
#include "platform/Paths.h"
#include "platform/ShellOpen.h"
#include "platform/Strings.h"

#include <QDir>
#include <QFileInfo>

#include <new>

namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;

const char* const kBoardFilter =
    "Werkbladen (*.wks)|*.wks|Antwoordvellen (*.ant)|*.ant|Alle bestanden (*.*)|*.*||";

// The board file dialogs of Open and Save As.
QString RunBoardFileDialog(bool save, const QString& initialName)
{
    FileDialogOptions options;
    options.save = save;
    if (!save) // the save dialog has no filter: the default extension names the kind
        options.filter = QString::fromLatin1(kBoardFilter);
    options.defaultExtension = QStringLiteral("wks");
    options.initialName = initialName;
    return RunFileDialog(options);
}

QString FolderOf(const QString& path)
{
    return path.left(path.lastIndexOf(u'\\') + 1);
}

} // namespace

bool CVeldtrakDoc::SaveModified()
{
    if (!IsModified())
        return true;
    if (!m_components.empty() || !m_textFields.empty() || !m_tables.empty()) {
        const int answer = m_confirmBox.Ask(61665);
        if (answer == kYes) {
            if (!DoSaveAs())
                return false;
        } else if (answer != kNo) {
            return false; // closed with Escape: the pupil did not choose to lose the board
        }
    }
    SetModifiedFlag(false);
    NoteSavedState();
    return true;
}

void CVeldtrakDoc::OnFileNew()
{
    if (!SaveModified())
        return;
    DeleteContents();
    SetModifiedFlag(false);
    ResetUndoHistory();
    UpdateAllViews(HINT_OPENED, 0);
    if (m_bFirstNew) {
        m_bFirstNew = false; // the start-up sequence shows the start menu instead
        return;
    }
    const QString chosen = m_pickWorksheet ? m_pickWorksheet() : QString();
    if (!chosen.isEmpty())
        OnOpenDocument(chosen);
    UpdateAllViews(HINT_OPENED, 0);
}

void CVeldtrakDoc::OnFileOpen()
{
    if (!SaveModified())
        return;
    const QString path = RunBoardFileDialog(false, m_strTitle);
    if (!path.isEmpty())
        OnOpenDocument(path);
}

bool CVeldtrakDoc::OnFileSave()
{
    if (m_strPathName.isEmpty() || m_strPathName.endsWith(LoadString(61443)))
        return DoSaveAs();
    if (SavesWhereTeacherWants(*this)) // the file that was opened, wherever it lies
        return SaveExactlyAt(*this, m_strPathName);
    return OnSaveDocument(m_strPathName);
}

bool CVeldtrakDoc::OnFileSaveAs()
{
    return DoSaveAs();
}

bool CVeldtrakDoc::DoSaveAs()
{
    if (SavesWhereTeacherWants(*this)) {
        const QString path = AskTeacherSavePath(*this);
        return !path.isEmpty() && SaveExactlyAt(*this, path);
    }
    // With an output folder the pupil chooses only a name: every save lands there.
    if (!m_strFolderOutput.isEmpty() && m_askRestrictedSaveName) {
        const QString name = m_askRestrictedSaveName();
        return !name.isEmpty() && OnSaveDocument(name);
    }
    const QString path = RunBoardFileDialog(true, m_strTitle);
    if (path.isEmpty())
        return false;
    return OnSaveDocument(path);
}

QString CVeldtrakDoc::ResolveBoardFileName(const QString& name)
{
    QDir::setCurrent(FileSystemPath(m_strFolderRoot));
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return {};
    QStringList candidates{trimmed, m_strFolderRoot + trimmed, FolderOf(m_strPathName) + trimmed};
    for (qsizetype i = m_worksheetFolders.size(); i-- > 0;)
        candidates << m_worksheetFolders[i] + trimmed;
    for (QString candidate : candidates) {
        if (!NameExists(candidate))
            continue;
        // Relative names are relative to the program folder, which is current.
        if (!IsAbsoluteName(candidate))
            candidate = m_strFolderRoot + candidate;
        return candidate;
    }
    return {};
}

bool CVeldtrakDoc::OnOpenDocument(const QString& path)
{
    if (!m_strDirOption.isEmpty() && path == m_strDirOption)
        return true;
    const QString resolved = ResolveBoardFileName(path);
    const QString shownPath = resolved.isEmpty() ? path.trimmed() : resolved;

    QByteArray bytes;
    const int fileCause =
        resolved.isEmpty() ? FILE_NOT_FOUND : ReadWholeFile(FileSystemPath(resolved), bytes);
    if (fileCause != FILE_OK) {
        ReportSaveLoadException(shownPath, true, fileCause, false, PROMPT_FAILED_OPEN);
        return false;
    }

    DeleteContents();
    SetModifiedFlag();
    int archiveCause = ARCHIVE_OK;
    try {
        if (!bytes.isEmpty())
            archiveCause = ReadBoard(bytes, *this);
    } catch (const std::bad_alloc&) {
        archiveCause = -1;
    }
    if (archiveCause != ARCHIVE_OK) {
        DeleteContents();
        if (!m_bScanning) { // the screen shows the empty board that is left
            ResetUndoHistory();
            UpdateAllViews(HINT_OPENED, 0);
        }
        ReportSaveLoadException(shownPath, false, archiveCause, false, PROMPT_FAILED_OPEN);
        return false;
    }
    SetModifiedFlag(false);

    if (!m_bScanning) {
        m_bTeacherUnlock = false;
        SetPathName(resolved);
        LayOutSockets();
        RouteWireEnds();
        for (std::size_t i = m_pictures.size(); i-- > 0;)
            m_pictures[i]->LoadFiles(m_strFolderBitmap);
        for (const auto& c : m_components)
            m_nLastBusId = std::max(m_nLastBusId, c->GetBusRange().second);
        ResolveLinks();
        ResetUndoHistory();
        // Only a chain step between boards of the same name keeps the scroll position.
        UpdateAllViews(HINT_OPENED, m_bNameDiffers ? 0 : -1);
    }
    return true;
}

bool CVeldtrakDoc::OnSaveDocument(const QString& name)
{
    const qsizetype cut = name.lastIndexOf(u'\\') + 1;
    QString folder = name.left(cut);
    QString base = name.mid(cut);
    if (!m_strFolderOutput.isEmpty())
        folder = m_strFolderOutput;
    if (!IsAbsoluteName(folder))
        folder = m_strFolderRoot + folder;
    const qsizetype dot = base.lastIndexOf(u'.');
    QString extension = dot >= 0 ? base.mid(dot).toLower() : QString();
    if (dot >= 0)
        base.truncate(dot);
    if (base.isEmpty())
        base = m_strTitle;
    if (!folder.endsWith(u'\\'))
        folder += u'\\';
    if (!extension.startsWith(u'.'))
        extension.prepend(u'.');
    const QString path = folder + base + extension;

    if (!NameExists(path)) {
        if (!FolderExists(folder) && !QDir().mkdir(FileSystemPath(folder)))
            m_messageBox.Show(LoadString(61664), LoadString(61612));
    } else if (m_confirmBox.Ask(61644) != kYes) {
        return false;
    }

    QByteArray bytes;
    try {
        bytes = WriteBoard(*this);
    } catch (const std::bad_alloc&) {
        ReportSaveLoadException(path, false, -1, true, PROMPT_FAILED_WRITE);
        return false;
    }
    bool opened = false;
    const int cause = WriteWholeFile(FileSystemPath(path), bytes, &opened);
    if (cause != FILE_OK) {
        ReportSaveLoadException(path, true, cause, true,
                                opened ? PROMPT_FAILED_WRITE : PROMPT_FAILED_SAVE);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    NoteSavedState();
    if (m_boardSaved)
        m_boardSaved(path);
    return true;
}

void CVeldtrakDoc::ReportSaveLoadException(const QString& path, bool fileError, int cause,
                                           bool saving, int prompt)
{
    QString kind = fileError ? QStringLiteral("F") : QStringLiteral("A");
    QString message = fileError ? FileErrorMessage(cause) : ArchiveErrorMessage(cause);
    if (message.isEmpty()) {
        // Anything else that went wrong is still said, in general terms.
        kind = QStringLiteral("F");
        message = FileErrorMessage(FILE_GENERIC);
    }
    // Names are shown as the user knows them: relative ones as given.
    const QString shown = IsAbsoluteName(path) ? FileSystemPath(path) : path;
    message.replace(QStringLiteral("%s"), shown);
    const QString title = LoadString(61493) + QStringLiteral(" (") + kind +
                          (saving ? u'S' : u'L') + QString::number(prompt) + u')';
    m_messageBox.Show(message + u'.', title);
}

void CVeldtrakDoc::OnHelp()
{
    QString file = m_strHelpFile.isEmpty() ? m_strDefaultHelpFile : m_strHelpFile;
    file = file.toLower().trimmed();
    // Without a browser, or without the file, the pupil is told rather than left waiting.
    const QString path = QFileInfo(FileSystemPath(file)).absoluteFilePath();
    if (!QFileInfo(path).isFile() || !ShellOpenFile(path))
        m_messageBox.Show(QStringLiteral("Het helpbestand '%1' kon niet worden geopend.").arg(path),
                          LoadString(61493));
}
