#include "TeacherSave.h"

#include "Document.h"
#include "platform/FileDialogs.h"
#include "platform/Paths.h"

#include <utility>

namespace {

const char* const kBoardFilter =
    "Werkbladen (*.wks)|*.wks|Antwoordvellen (*.ant)|*.ant|Alle bestanden (*.*)|*.*||";

// A board without protection: every permission granted and no link behind a password.
bool HasNoProtection(const CVeldtrakDoc& doc)
{
    return doc.m_nPermissions == PERMIT_ALL && doc.m_strPrevPassword.isEmpty() &&
           doc.m_strNextPassword.isEmpty();
}

} // namespace

bool SavesWhereTeacherWants(const CVeldtrakDoc& doc)
{
    return doc.IsTeacherMode() && (doc.m_bTeacherUnlock || HasNoProtection(doc));
}

QString AskTeacherSavePath(const CVeldtrakDoc& doc)
{
    const QString& path = doc.GetPathName();
    const qsizetype cut = path.lastIndexOf(u'\\') + 1;
    const QString extension = path.mid(path.lastIndexOf(u'.') + 1).toLower();
    FileDialogOptions options;
    options.save = true;
    options.filter = QString::fromLatin1(kBoardFilter);
    options.defaultExtension = extension == u"ant" ? extension : QStringLiteral("wks");
    options.suffixFollowsFilter = true;
    options.initialName = doc.GetTitle();
    options.folder = cut > 0 && NameExists(path) ? path.left(cut) : doc.m_strFolderRoot;
    return RunFileDialog(options);
}

bool SaveExactlyAt(CVeldtrakDoc& doc, const QString& path)
{
    // The document's save puts every file into the output folder when one is set.
    const QString output = std::exchange(doc.m_strFolderOutput, QString());
    const bool saved = doc.OnSaveDocument(path);
    doc.m_strFolderOutput = output;
    return saved;
}
