#include "ProtectionDlg.h"

#include "DialogParts.h"
#include "PasswordDlg.h"
#include "SettingsDlg.h"
#include "document/Document.h"
#include "document/MessageBox.h"
#include "platform/FileDialogs.h"
#include "platform/ModalRunner.h"
#include "platform/Strings.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kBoardFilter =
    "Werkbladen (*.wks)|*.wks|Antwoordvellen (*.ant)|*.ant|Alle bestanden (*.*)|*.*||";
const char* const kHelpFilter = "HTML-bestanden (*.htm*)|*.htm*|Alle bestanden (*.*)|*.*||";

// The permission boxes: id and text, by permission bit.
const struct {
    int id;
    const char* text;
} kBoxes[8] = {
    {1050, "componenten toevoegen"},
    {1051, "componenten verwijderen"},
    {1052, "bedrading toevoegen"},
    {1053, "bedrading verwijderen"},
    {1056, "blackboxes identificeren"},
    {1054, "sondes gebruiken"},
    {1055, "teksten/tabellen/foto's wijzigen"},
    {1062, "eigenschappen componenten wijzigen"},
};

constexpr int kWarningCaption = 61612; // "Waarschuwing"

// The entries whose edits take a limited number of characters, with their labels.
struct LimitedEntry {
    QString CProtectionEntries::*entry;
    const char* label;
    int limit;
};
const LimitedEntry kLimitedEntries[] = {
    {&CProtectionEntries::password, "Password", CProtectionDlg::kPasswordLength},
    {&CProtectionEntries::retype, "Re-type", CProtectionDlg::kPasswordLength},
    {&CProtectionEntries::boardTitle, "Titel bord", CProtectionDlg::kTitleLength},
    {&CProtectionEntries::prevBoard, "Bestand vorig bord", CProtectionDlg::kBoardFileLength},
    {&CProtectionEntries::prevPassword, "Password om toegang te krijgen tot vorig bord",
     CProtectionDlg::kPasswordLength},
    {&CProtectionEntries::nextBoard, "Bestand volgend bord", CProtectionDlg::kBoardFileLength},
    {&CProtectionEntries::nextPassword, "Password om toegang te krijgen tot volgend bord",
     CProtectionDlg::kPasswordLength},
};

QLabel* Label(const char* text, QWidget* buddy)
{
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(buddy);
    return label;
}

} // namespace

const std::array<int, 8> CProtectionDlg::kPermissionBoxes = {1050, 1051, 1052, 1053,
                                                             1056, 1054, 1055, 1062};

CProtectionDlg::CProtectionDlg(const QString& programFolder, QWidget* parent)
    : QDialog(parent), m_strFolderRoot(programFolder),
      m_pPassword(MakeEdit(1023, kPasswordLength, true)),
      m_pRetype(MakeEdit(1024, kPasswordLength, true)),
      m_pPrevBoard(MakeEdit(1021, kBoardFileLength)),
      m_pNextBoard(MakeEdit(1022, kBoardFileLength)), m_pHelpFile(MakeEdit(1025, 0)),
      m_pPrevPassword(MakeEdit(1026, kPasswordLength, true)),
      m_pNextPassword(MakeEdit(1027, kPasswordLength, true)), m_pTitle(MakeEdit(1028, kTitleLength))
{
    setWindowTitle(QStringLiteral("Beveiliging"));

    // What the pupil may do: the probe box before the black-box box, and the
    // properties box between them in the left column.
    auto* pupil = new QGroupBox(QStringLiteral(" De leerling mag "));
    auto* boxes = new QGridLayout(pupil);
    for (std::size_t bit = 0; bit < 8; ++bit) {
        m_boxes[bit] = new QCheckBox(QString::fromUtf8(kBoxes[bit].text));
        m_boxes[bit]->setObjectName(QStringLiteral("check%1").arg(kBoxes[bit].id));
    }
    const std::size_t left[] = {0, 1, 5, 7, 4};
    const std::size_t right[] = {2, 3, 6};
    int row = 0;
    for (std::size_t bit : left)
        boxes->addWidget(m_boxes[bit], row++, 0);
    row = 0;
    for (std::size_t bit : right)
        boxes->addWidget(m_boxes[bit], row++, 1);

    auto* board = new QGridLayout;
    QPushButton* browsePrev = MakeButton(ID_BROWSE_PREV, QStringLiteral("Blader"));
    QPushButton* browseNext = MakeButton(ID_BROWSE_NEXT, QStringLiteral("Blader"));
    QPushButton* browseHelp = MakeButton(ID_BROWSE_HELP, QStringLiteral("Blader"));
    // The teacher password first, then the board's own fields, one column of edits.
    auto* rule = new QLabel(
        QStringLiteral("Bovenstaand password moeten twee keer hetzelfde worden ingetikt."));
    rule->setTextFormat(Qt::PlainText);
    const struct {
        const char* label;
        QWidget* edit;
        QWidget* button;
    } rows[] = {
        {"Password", m_pPassword, nullptr},
        {"Re-type", m_pRetype, nullptr},
        {nullptr, rule, nullptr},
        {"Titel bord", m_pTitle, nullptr},
        {"Bestand vorig bord", m_pPrevBoard, browsePrev},
        {"Password om toegang te krijgen tot vorig bord", m_pPrevPassword, nullptr},
        {"Bestand volgend bord", m_pNextBoard, browseNext},
        {"Password om toegang te krijgen tot volgend bord", m_pNextPassword, nullptr},
        {"Helpfile", m_pHelpFile, browseHelp},
    };
    int line = 0;
    for (const auto& r : rows) {
        if (r.label) board->addWidget(Label(r.label, r.edit), line, 0);
        board->addWidget(r.edit, line, r.label ? 1 : 0, 1, r.label ? 1 : 3);
        if (r.button) board->addWidget(r.button, line, 2);
        ++line;
    }
    m_pPrevBoard->setMinimumWidth(fontMetrics().averageCharWidth() * 32);

    connect(browsePrev, &QPushButton::clicked, this, [this] { Browse(*m_pPrevBoard, false); });
    connect(browseNext, &QPushButton::clicked, this, [this] { Browse(*m_pNextBoard, false); });
    connect(browseHelp, &QPushButton::clicked, this, [this] { Browse(*m_pHelpFile, true); });

    QPushButton* extra = MakeButton(ID_EXTRA, QStringLiteral("Extra"));
    connect(extra, &QPushButton::clicked, this, [this] { done(ID_EXTRA); });
    QBoxLayout* buttons = OkCancelRow(*this);
    buttons->insertWidget(0, extra);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pupil);
    layout->addLayout(board);
    layout->addLayout(buttons);
    FixDialogFrame(*this);

    // Tab goes from the teacher password down the board's fields, then to the boxes.
    QWidget* order[] = {m_pPassword,     m_pRetype,       m_pTitle,     m_pPrevBoard,
                        browsePrev,      m_pPrevPassword, m_pNextBoard, browseNext,
                        m_pNextPassword, m_pHelpFile,     browseHelp};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    QWidget* previous = order[std::size(order) - 1];
    for (std::size_t bit : {0, 1, 5, 7, 4, 2, 3, 6}) {
        setTabOrder(previous, m_boxes[bit]);
        previous = m_boxes[bit];
    }
    setTabOrder(previous, extra);
}

void CProtectionDlg::SetEntries(const CProtectionEntries& e)
{
    for (std::size_t bit = 0; bit < 8; ++bit)
        m_boxes[bit]->setChecked((e.permissions >> bit) & 1);
    // A value from a file may be longer than what can be typed: the edit shows it
    // whole instead of cutting it, and OK says it is too long (LimitMessage).
    const auto show = [](QLineEdit& edit, int limit, const QString& text) {
        edit.setMaxLength(std::max<int>(limit, int(text.size())));
        edit.setText(text);
    };
    show(*m_pPassword, kPasswordLength, e.password);
    show(*m_pRetype, kPasswordLength, e.retype);
    show(*m_pPrevBoard, kBoardFileLength, e.prevBoard);
    show(*m_pNextBoard, kBoardFileLength, e.nextBoard);
    m_pHelpFile->setText(e.helpFile);
    show(*m_pPrevPassword, kPasswordLength, e.prevPassword);
    show(*m_pNextPassword, kPasswordLength, e.nextPassword);
    show(*m_pTitle, kTitleLength, e.boardTitle);
}

QString CProtectionDlg::LimitMessage(const CProtectionEntries& e)
{
    for (const LimitedEntry& limited : kLimitedEntries) {
        const qsizetype length = (e.*limited.entry).size();
        if (length > limited.limit)
            return QStringLiteral("\"%1\" mag hoogstens %2 tekens hebben, maar heeft er %3. "
                                  "Maak het korter.")
                .arg(QString::fromUtf8(limited.label))
                .arg(limited.limit)
                .arg(length);
    }
    return {};
}

CProtectionEntries CProtectionDlg::Entries() const
{
    CProtectionEntries e;
    e.permissions = 0;
    for (std::size_t bit = 0; bit < 8; ++bit)
        if (m_boxes[bit]->isChecked()) e.permissions |= 1 << bit;
    e.password = m_pPassword->text();
    e.retype = m_pRetype->text();
    e.prevBoard = m_pPrevBoard->text();
    e.nextBoard = m_pNextBoard->text();
    e.helpFile = m_pHelpFile->text();
    e.prevPassword = m_pPrevPassword->text();
    e.nextPassword = m_pNextPassword->text();
    e.boardTitle = m_pTitle->text();
    return e;
}

void CProtectionDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_pPassword->setFocus();
    m_pPassword->selectAll();
}

QString CProtectionDlg::ShortenedPath(const QString& path, const QString& programFolder)
{
    if (!programFolder.isEmpty() && path.startsWith(programFolder, Qt::CaseSensitive))
        return path.mid(programFolder.size());
    return path;
}

void CProtectionDlg::Browse(QLineEdit& edit, bool helpFile)
{
    FileDialogOptions options;
    options.filter = QString::fromLatin1(helpFile ? kHelpFilter : kBoardFilter);
    options.defaultExtension = QString::fromLatin1(helpFile ? "html" : "werkblad");
    options.initialName = QString::fromLatin1(helpFile ? "*.htm*" : "*.wks");
    const QString chosen = RunFileDialog(options);
    if (chosen.isEmpty()) return;
    const QString entered = ShortenedPath(chosen, m_strFolderRoot);
    const int limit = helpFile ? edit.maxLength() : kBoardFileLength;
    if (entered.size() > limit) {
        // Cut to the edit's length the link would lead nowhere.
        CMessageBox box(this);
        box.Show(QStringLiteral("Het pad van dit bestand heeft %1 tekens; hier passen er "
                                "hoogstens %2. Kies een bestand in of onder de programmamap, "
                                "of een kortere naam.")
                     .arg(entered.size())
                     .arg(limit),
                 LoadString(kWarningCaption));
        return;
    }
    edit.setText(entered);
}

CProtectionEntries ProtectionEntriesOf(const CVeldtrakDoc& doc)
{
    CProtectionEntries e;
    e.permissions = doc.m_nPermissions & 0xFF;
    e.password = doc.m_strPassword;
    e.retype = doc.m_strPassword;
    e.prevBoard = doc.m_strPrevBoard;
    e.nextBoard = doc.m_strNextBoard;
    e.helpFile = doc.m_strHelpFile;
    e.prevPassword = doc.m_strPrevPassword;
    e.nextPassword = doc.m_strNextPassword;
    e.boardTitle = doc.m_strBoardTitle;
    return e;
}

bool SetProtection(CVeldtrakDoc& doc)
{
    QWidget* parent = QApplication::activeWindow();
    if (!doc.m_bTeacherUnlock && !doc.m_strPassword.isEmpty()) {
        QString entry;
        if (!CPasswordDlg::Ask(entry, parent) || entry != doc.m_strPassword) return false;
    }
    doc.m_bTeacherUnlock = true;

    CProtectionEntries entries = ProtectionEntriesOf(doc);
    for (;;) {
        CProtectionDlg dialog(doc.m_strFolderRoot, parent);
        dialog.SetEntries(entries);
        const int result = RunModal(dialog);
        if (result == CProtectionDlg::ID_EXTRA) {
            entries = dialog.Entries(); // every entry comes back after the settings
            EditSettings(doc);
            continue;
        }
        if (result != QDialog::Accepted) return false; // the unlock stays
        entries = dialog.Entries();
        if (const QString tooLong = CProtectionDlg::LimitMessage(entries); !tooLong.isEmpty()) {
            doc.m_messageBox.Show(tooLong, LoadString(kWarningCaption));
            continue; // shown again as typed: nothing is stored cut short
        }
        if (entries.password == entries.retype)
            break; // different ones show the dialog again, as typed
    }

    doc.m_nPermissions = entries.permissions;
    doc.m_strPassword = entries.password;
    doc.m_strHelpFile = entries.helpFile;
    doc.m_strPrevBoard = entries.prevBoard;
    doc.m_strNextBoard = entries.nextBoard;
    doc.m_strPrevPassword = entries.prevPassword;
    doc.m_strNextPassword = entries.nextPassword;
    doc.m_strBoardTitle = entries.boardTitle;
    doc.SaveSettings();
    doc.ResolveLinks();
    doc.SetModifiedFlag();
    return true;
}
