#include "FrequencyDlg.h"

#include "ValidatedField.h"

#include <QLineEdit>

namespace {
constexpr unsigned kMaxHertz = 10;
}

CFrequencyDlg::CFrequencyDlg(const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(200, name, permissions, parent)
{
    AddStatic(QStringLiteral("Frequentie (0 - 10):"), 7, 53);
    m_pFrequency = AddEdit(1021, 70, 51, 17, 12);
    AddStatic(QStringLiteral("Hertz"), 92, 53);
    SetInitialFocus(m_pFrequency);
}

bool CFrequencyDlg::Validate()
{
    return CheckUnsigned(*m_pFrequency, 0, kMaxHertz);
}

void CFrequencyDlg::LoadControls()
{
    m_pFrequency->setText(QString::number(m_nFrequency));
}

void CFrequencyDlg::SaveControls()
{
    m_nFrequency = ParseUnsigned(m_pFrequency->text()).value_or(m_nFrequency);
}
