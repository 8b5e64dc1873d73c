#include "SensitivityDlg.h"

#include "ValidatedField.h"

#include <QLineEdit>

CSensitivityDlg::CSensitivityDlg(const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(162, name, permissions, parent)
{
    AddStatic(QStringLiteral("Gevoeligheid"), 7, 43);
    m_pSensitivity = AddEdit(1021, 55, 41, 17, 12);
    AddStatic(QStringLiteral("%"), 76, 43);
    SetInitialFocus(m_pSensitivity);
}

bool CSensitivityDlg::Validate()
{
    return CheckInteger(*m_pSensitivity, kMinimum, kMaximum);
}

void CSensitivityDlg::LoadControls()
{
    m_pSensitivity->setText(QString::number(m_nSensitivity));
}

void CSensitivityDlg::SaveControls()
{
    // Validate has accepted the text, so it holds a number.
    m_nSensitivity = ParseInteger(m_pSensitivity->text()).value_or(m_nSensitivity);
}
