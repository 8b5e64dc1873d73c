#include "RandomUser.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <array>
#include <utility>

namespace {

// Typed values: in range, out of range, not numbers, passwords right and wrong.
const std::array<const char*, 16> kTyped = {
    "",      "0",     "1",  "5",     "12",  "-3",     "99999999999", "2,5",
    "abc",   "1e9",   " 7", "geheim", "docent", "juf", "wachtwoord",  "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
};

constexpr int kDeepest = 4; // dialogs opened from dialogs, at most

} // namespace

CRandomUser::CRandomUser(QString programFolder, std::function<bool()> drawing)
    : m_strFolder(std::move(programFolder)), m_drawing(std::move(drawing))
{
    QDir().mkpath(SaveFolder());
    m_previous = SetModalHandler([this](QDialog& dialog) { return Answer(dialog); });
    // The program refuses a dialog asked for while a drawing context is open: asking is
    // the fault, whether or not the dialog then runs.
    m_previousRefusal = SetDialogRefusalHandler([this](QDialog& dialog) {
        if (m_strFault.isEmpty())
            m_strFault = QStringLiteral("the dialog \"%1\" was asked for while a drawing context was open")
                             .arg(dialog.windowTitle());
    });
}

CRandomUser::~CRandomUser()
{
    SetDialogRefusalHandler(std::move(m_previousRefusal));
    SetModalHandler(std::move(m_previous));
}

QString CRandomUser::SaveFolder() const
{
    return m_strFolder + QStringLiteral("/opslag");
}

QString CRandomUser::TakeFault()
{
    return std::exchange(m_strFault, QString());
}

QStringList CRandomUser::TakeTitles()
{
    return std::exchange(m_titles, QStringList());
}

int CRandomUser::Answer(QDialog& dialog)
{
    m_titles << dialog.windowTitle();
    if (m_drawing() && m_strFault.isEmpty())
        m_strFault = QStringLiteral("the dialog \"%1\" opened while a drawing context was open")
                         .arg(dialog.windowTitle());
    if (m_nDepth >= kDeepest)
        return QDialog::Rejected;
    ++m_nDepth;
    int result = QDialog::Rejected;
    if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        result = AnswerFileDialog(*files);
    } else if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(SaveFolder() + QStringLiteral("/afdruk.pdf"));
        result = Chance(60) ? QDialog::Accepted : QDialog::Rejected;
    } else if (qobject_cast<QPageSetupDialog*>(&dialog)) {
        result = Chance(50) ? QDialog::Accepted : QDialog::Rejected;
    } else if (auto* colours = qobject_cast<QColorDialog*>(&dialog)) {
        colours->setCurrentColor(QColor::fromRgb(std::uint32_t(m_rng()) | 0xFF000000u));
        result = Chance(60) ? QDialog::Accepted : QDialog::Rejected;
    } else {
        result = AnswerGeneric(dialog);
    }
    --m_nDepth;
    return result;
}

int CRandomUser::AnswerFileDialog(QFileDialog& dialog)
{
    if (Chance(15))
        return QDialog::Rejected;
    if (dialog.fileMode() == QFileDialog::Directory) {
        const QStringList folders = {SaveFolder(), m_strFolder + QStringLiteral("/uitvoer")};
        QDir().mkpath(folders.back());
        dialog.selectFile(folders[Pick(int(folders.size()))]);
        return QDialog::Accepted;
    }
    if (dialog.acceptMode() == QFileDialog::AcceptSave) { // a new name or one saved before
        dialog.selectFile(SaveFolder() + QStringLiteral("/bord%1.wks").arg(Pick(4)));
        return QDialog::Accepted;
    }
    // Every board the session knows, in a fixed order.
    QStringList boards;
    QDirIterator it(m_strFolder, {QStringLiteral("*.wks"), QStringLiteral("*.ant")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        if (const QString path = it.next(); !path.contains(QStringLiteral("/pool/beveiligd/")))
            boards << path;
    boards.sort();
    if (boards.isEmpty())
        return QDialog::Rejected;
    dialog.selectFile(boards[Pick(int(boards.size()))]);
    return QDialog::Accepted;
}

void CRandomUser::FillIn(QDialog& dialog)
{
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (!edit->isEnabled() || edit->isReadOnly())
            continue;
        if (!m_offered.isEmpty() && Chance(70))
            edit->setText(m_offered[Pick(int(m_offered.size()))]);
        else if (!m_offered.isEmpty() || Chance(40))
            edit->setText(QString::fromUtf8(kTyped[std::size_t(Pick(int(kTyped.size())))]));
    }
    for (QSpinBox* spin : dialog.findChildren<QSpinBox*>())
        if (spin->isEnabled() && Chance(30))
            spin->setValue(spin->minimum() + Pick(spin->maximum() - spin->minimum() + 1));
    for (QComboBox* combo : dialog.findChildren<QComboBox*>())
        if (combo->isEnabled() && combo->count() > 0 && Chance(30))
            combo->setCurrentIndex(Pick(combo->count()));
    for (QAbstractButton* box : dialog.findChildren<QAbstractButton*>())
        if ((qobject_cast<QCheckBox*>(box) || qobject_cast<QRadioButton*>(box)) &&
            box->isEnabled() && Chance(25))
            box->click();
}

int CRandomUser::AnswerGeneric(QDialog& dialog)
{
    bool finished = false;
    const auto connection =
        QObject::connect(&dialog, &QDialog::finished, &dialog, [&finished] { finished = true; });
    dialog.setResult(QDialog::Rejected);
    // A few tries: a wrong value keeps the dialog open with a message, the user then
    // types again or gives up.
    for (int attempt = 0; attempt < 3 && !finished; ++attempt) {
        FillIn(dialog);
        QList<QPushButton*> buttons;
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->isEnabled() && b->isVisibleTo(&dialog))
                buttons << b;
        if (buttons.isEmpty())
            break;
        buttons[Pick(int(buttons.size()))]->click();
    }
    QObject::disconnect(connection);
    if (!finished) {
        dialog.reject(); // the close button
        return QDialog::Rejected;
    }
    return dialog.result();
}
