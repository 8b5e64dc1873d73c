#include "BoardChain.h"

#include "PasswordDlg.h"
#include "document/Document.h"

#include <QApplication>

#include <algorithm>

namespace {

constexpr int kStartMenuImage = 4;

struct LinkFields {
    const QString& file;
    const QString& password;
    const QString& resolved;
    bool found;
};

LinkFields Fields(const CVeldtrakDoc& doc, ChainLink link)
{
    if (link == ChainLink::Next)
        return {doc.m_strNextBoard, doc.m_strNextPassword, doc.m_strNextResolved,
                doc.m_bNextResolved};
    return {doc.m_strPrevBoard, doc.m_strPrevPassword, doc.m_strPrevResolved, doc.m_bPrevResolved};
}

} // namespace

QString ChainFileName(const QString& path)
{
    // A name that reached the document in its file-system form has "/" separators.
    QString name = path.mid(std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/')) + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0) name.truncate(dot);
    return name;
}

bool CanFollowBoardLink(const CVeldtrakDoc& doc, ChainLink link)
{
    if (doc.m_bBusy || doc.m_bStartImagesShown || doc.m_bRunning) return false;
    const LinkFields fields = Fields(doc, link);
    if (fields.found) return true;
    return fields.file.isEmpty() && !doc.m_libraryPaths.isEmpty();
}

QString FollowBoardLink(CVeldtrakDoc& doc, ChainLink link)
{
    // The pupil's work is kept before anything else happens, even when the password
    // turns out to be wrong.
    QString saved;
    if (doc.IsModified()) {
        if (!doc.OnSaveDocument(doc.GetPathName())) return {};
        saved = doc.GetPathName();
    }

    // Copies: opening the next board replaces the fields.
    const LinkFields fields = Fields(doc, link);
    const QString password = fields.password;
    const QString target = fields.resolved;
    if (fields.file.isEmpty()) {
        doc.DeleteContents();
        doc.ResetUndoHistory();
        doc.UpdateAllViews(HINT_STARTUP_IMAGE, kStartMenuImage);
        return saved;
    }
    if (!fields.found || target.isEmpty()) return saved;
    if (!password.isEmpty()) {
        QString entry;
        if (!CPasswordDlg::Ask(entry, QApplication::activeWindow()) || entry != password)
            return saved;
    }

    const bool wasNameDiffers = doc.m_bNameDiffers;
    const bool wasBusy = doc.m_bBusy;
    doc.m_bBusy = true;
    doc.m_bNameDiffers = ChainFileName(doc.GetPathName()) != ChainFileName(target);
    if (!doc.OnOpenDocument(target)) { // resolves the name once more
        doc.DeleteContents();
        doc.ResetUndoHistory();
        doc.UpdateAllViews(HINT_OPENED, 0);
    }
    doc.m_bNameDiffers = wasNameDiffers;
    doc.m_bBusy = wasBusy;
    return saved;
}
