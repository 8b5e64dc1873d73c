#include "PasswordDlg.h"

#include "DialogParts.h"
#include "platform/ModalRunner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPasswordDlg::CPasswordDlg(QWidget* parent)
    : CPasswordDlg(QStringLiteral("Beveiliging"), QStringLiteral("Password"), kMaxLength, true, parent)
{
}

CPasswordDlg::CPasswordDlg(const QString& caption, const QString& labelText, int maxLength,
                           bool storedText, QWidget* parent)
    : QDialog(parent), m_pEdit(MakeEdit(1021, maxLength, true, storedText))
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(labelText);
    label->setBuddy(m_pEdit);
    row->addWidget(label);
    row->addWidget(m_pEdit, 1);
    layout->addLayout(row);
    layout->addLayout(OkCancelRow(*this));
    FixDialogFrame(*this);
    m_pEdit->setFocus();
}

QString CPasswordDlg::Entry() const
{
    return m_pEdit->text();
}

bool CPasswordDlg::Ask(QString& entry, QWidget* parent)
{
    CPasswordDlg dialog(parent);
    const bool ok = RunModal(dialog) == QDialog::Accepted;
    entry = ok ? dialog.Entry() : QString();
    return ok;
}
