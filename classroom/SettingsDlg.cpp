#include "SettingsDlg.h"

#include "DialogParts.h"
#include "document/Document.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/FolderName.h"
#include "platform/ModalRunner.h"
#include "platform/Paths.h"
#include "platform/Strings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kFolderBrowserTitle = 61624;
constexpr int kCreateQuestion = 61663;
constexpr int kCannotCreate = 61664;
constexpr int kBlinks = 4;
constexpr int kBlinkMilliseconds = 200;

const char* const kAnyFileFilter = "Alle bestanden (*.*)|*.*||";

bool DisplayOrder(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

QComboBox* MakeList(int id, const QStringList& items)
{
    auto* list = new QComboBox;
    list->setObjectName(QStringLiteral("combo%1").arg(id));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert); // the dialog adds typed text itself
    list->setCompleter(nullptr);                // a typed beginning stays as typed
    list->setMinimumContentsLength(28);
    list->addItems(SortedForDisplay(items));
    list->setCurrentIndex(-1);
    return list;
}

QString ExtensionOf(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(u'\\') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString ChooseAnyFile()
{
    FileDialogOptions options;
    options.filter = QString::fromLatin1(kAnyFileFilter);
    options.defaultExtension = QStringLiteral("alle");
    options.initialName = QStringLiteral("*.*");
    return RunFileDialog(options);
}

} // namespace

QStringList SortedForDisplay(QStringList items)
{
    std::stable_sort(items.begin(), items.end(), DisplayOrder);
    return items;
}

CSettingsDlg::CSettingsDlg(CVeldtrakDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_pFolders(MakeList(1077, doc.m_worksheetFolders)),
      m_pExtensions(MakeList(1078, doc.m_worksheetExtensions)), m_pOutput(MakeEdit(1021, 0)),
      m_pHelp(MakeEdit(1022, 0)), m_pBitmaps(MakeEdit(1023, 0)), m_pError(new QLabel),
      m_pRadios(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Settings"));
    m_pOutput->setText(doc.m_strFolderOutput);
    m_pHelp->setText(doc.m_strDefaultHelpFile);
    m_pBitmaps->setText(doc.m_strFolderBitmap);

    auto* fields = new QGridLayout;
    const struct {
        int id;
        const char* text;
        QWidget* control;
    } rows[] = {
        {ID_FOLDERS, "Werkblad subfolders", m_pFolders},
        {ID_EXTENSIONS, "Extensies van werkblad bestanden", m_pExtensions},
        {ID_OUTPUT, "Folder voor uitvoerbestanden", m_pOutput},
        {ID_HELP, "Standaard hulp-file", m_pHelp},
        {ID_BITMAPS, "Folder voor de bitmaps", m_pBitmaps},
    };
    int row = 0;
    for (const auto& r : rows) {
        auto* radio = new QRadioButton(QString::fromUtf8(r.text));
        radio->setObjectName(QStringLiteral("radio%1").arg(r.id));
        radio->setFocusPolicy(Qt::NoFocus); // chosen by entering its field
        m_pRadios->addButton(radio, r.id);
        fields->addWidget(radio, row, 0);
        fields->addWidget(r.control, row, 1);
        r.control->installEventFilter(this);
        if (auto* list = qobject_cast<QComboBox*>(r.control))
            list->lineEdit()->installEventFilter(this);
        ++row;
    }
    m_pError->setObjectName(QStringLiteral("static1087"));
    m_pError->setAlignment(Qt::AlignCenter);
    m_pError->setTextFormat(Qt::PlainText);
    fields->addWidget(m_pError, row, 0, 1, 2);

    QPushButton* browse = MakeButton(4, QStringLiteral("&Bladeren"));
    QPushButton* clear = MakeButton(172, QStringLiteral("&Wissen"));
    QPushButton* add = MakeButton(173, QStringLiteral("&Toevoegen"));
    add->setDefault(true);
    QPushButton* cancel = MakeButton(2, QStringLiteral("&Annuleer"));
    QPushButton* ok = MakeButton(1, QStringLiteral("OK"));
    connect(browse, &QPushButton::clicked, this, &CSettingsDlg::OnBrowse);
    connect(clear, &QPushButton::clicked, this, &CSettingsDlg::OnClear);
    connect(add, &QPushButton::clicked, this, &CSettingsDlg::OnAdd);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &CSettingsDlg::accept);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {browse, clear, add, cancel, ok})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    FixDialogFrame(*this);
    add->setFocus();
}

int CSettingsDlg::SelectedField() const
{
    return std::max(m_pRadios->checkedId(), 0);
}

void CSettingsDlg::SelectField(int id)
{
    if (QAbstractButton* radio = m_pRadios->button(id)) radio->setChecked(true);
}

QComboBox* CSettingsDlg::ListOf(int id) const
{
    return id == ID_FOLDERS ? m_pFolders : id == ID_EXTENSIONS ? m_pExtensions : nullptr;
}

QLineEdit* CSettingsDlg::EditOf(int id) const
{
    switch (id) {
    case ID_OUTPUT:
        return m_pOutput;
    case ID_HELP:
        return m_pHelp;
    case ID_BITMAPS:
        return m_pBitmaps;
    default:
        return nullptr;
    }
}

bool CSettingsDlg::eventFilter(QObject* watched, QEvent* event)
{
    QComboBox* list = watched == m_pFolders || watched == m_pFolders->lineEdit() ? m_pFolders
                      : watched == m_pExtensions || watched == m_pExtensions->lineEdit()
                          ? m_pExtensions
                          : nullptr;
    if (event->type() == QEvent::FocusIn) {
        const int id = list == m_pFolders      ? ID_FOLDERS
                       : list == m_pExtensions ? ID_EXTENSIONS
                       : watched == m_pOutput  ? ID_OUTPUT
                       : watched == m_pHelp    ? ID_HELP
                       : watched == m_pBitmaps ? ID_BITMAPS
                                               : 0;
        SelectField(id);
    } else if (event->type() == QEvent::FocusOut && list &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        TakeTypedText(*list);
    }
    return QDialog::eventFilter(watched, event);
}

void CSettingsDlg::AddToList(QComboBox& list, const QString& text)
{
    int at = 0;
    while (at < list.count() && !DisplayOrder(text, list.itemText(at)))
        ++at;
    list.insertItem(at, text);
}

void CSettingsDlg::TakeTypedText(QComboBox& list)
{
    const QString text = list.currentText();
    if (text.isEmpty()) return;
    bool begun = false;
    for (int i = 0; i < list.count() && !begun; ++i)
        begun = list.itemText(i).startsWith(text, Qt::CaseInsensitive);
    if (!begun) AddToList(list, text);
    list.setCurrentIndex(list.findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

void CSettingsDlg::OnAdd()
{
    // The default button: Enter in a list adds what was typed there.
    if (QComboBox* list = ListOf(SelectedField())) TakeTypedText(*list);
}

void CSettingsDlg::OnBrowse()
{
    const int field = SelectedField();
    const QString title = LoadString(kFolderBrowserTitle);
    QString chosen;
    switch (field) {
    case ID_FOLDERS:
        chosen = RunFolderBrowser(title, QString());
        if (!chosen.isEmpty()) {
            m_pFolders->setEditText(chosen);
            TakeTypedText(*m_pFolders);
        }
        break;
    case ID_EXTENSIONS:
        chosen = ExtensionOf(ChooseAnyFile());
        if (!chosen.isEmpty()) {
            m_pExtensions->setEditText(chosen);
            TakeTypedText(*m_pExtensions);
        }
        break;
    case ID_OUTPUT:
    case ID_BITMAPS:
        QDir::setCurrent(FileSystemPath(m_doc.m_strFolderRoot)); // relative to the program
        chosen = RunFolderBrowser(title, EditOf(field)->text());
        if (!chosen.isEmpty()) EditOf(field)->setText(chosen);
        break;
    case ID_HELP:
        chosen = ChooseAnyFile();
        if (!chosen.isEmpty()) m_pHelp->setText(chosen);
        break;
    default:
        break; // no field chosen yet
    }
}

void CSettingsDlg::OnClear()
{
    const int field = SelectedField();
    if (QComboBox* list = ListOf(field)) {
        if (list->currentIndex() >= 0) list->removeItem(list->currentIndex());
        list->setCurrentIndex(-1);
        list->setEditText(QString());
    } else if (QLineEdit* edit = EditOf(field)) {
        edit->clear();
    }
}

bool CSettingsDlg::MakeOutputFolder(const QString& folder)
{
    return !folder.trimmed().isEmpty() && QDir().mkpath(FileSystemPath(folder));
}

void CSettingsDlg::BlinkError()
{
    const QString message = LoadString(kCannotCreate);
    for (int i = 0; i < kBlinks; ++i) {
        m_pError->clear();
        m_pError->repaint();
        Pause(kBlinkMilliseconds);
        m_pError->setText(message);
        m_pError->repaint();
        Pause(kBlinkMilliseconds);
    }
}

void CSettingsDlg::accept()
{
    // Typed text still in a list counts, as when the list lost the focus.
    TakeTypedText(*m_pFolders);
    TakeTypedText(*m_pExtensions);

    const QString root = FileSystemPath(m_doc.m_strFolderRoot);
    const QString output = m_pOutput->text();
    QDir::setCurrent(root);
    const bool exists = !output.isEmpty() && QDir::setCurrent(FileSystemPath(output));
    QDir::setCurrent(root);
    if (!exists) {
        if (m_doc.m_confirmBox.Ask(kCreateQuestion) != CConfirmBox::kJa) return;
        if (!MakeOutputFolder(output)) {
            BlinkError();
            return;
        }
    }
    QDir::setCurrent(root);

    // Read from the last shown item to the first: each list is kept in the reverse of
    // the order it is shown in.
    auto reversed = [](const QComboBox& list, QString (*stored)(const QString&)) {
        QStringList items;
        for (int i = list.count(); i-- > 0;)
            items << stored(list.itemText(i));
        return items;
    };
    const auto asTyped = [](const QString& text) { return text; };
    // Folders are stored with their closing backslash, however they were typed.
    m_doc.m_worksheetFolders = reversed(*m_pFolders, FolderName);
    m_doc.m_worksheetExtensions = reversed(*m_pExtensions, asTyped);
    m_doc.m_strFolderOutput = FolderName(output);
    m_doc.m_strDefaultHelpFile = m_pHelp->text();
    m_doc.m_strFolderBitmap = FolderName(m_pBitmaps->text());
    QDialog::accept();
}

bool EditSettings(CVeldtrakDoc& doc)
{
    CSettingsDlg dialog(doc, QApplication::activeWindow());
    if (RunModal(dialog) != QDialog::Accepted) return false;
    doc.m_strHelpFile.clear(); // the board falls back on the default help file
    doc.SaveSettings();
    return true;
}
