#include "SignalDlg.h"

#include <QCheckBox>

CSignalDlg::CSignalDlg(const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(169, name, permissions, parent)
{
    m_pSoundSignal = AddCheckBox(1050, QStringLiteral("Geluidssignaal"), 30, 33, 61, 8);
    m_pVisualSignal = AddCheckBox(1051, QStringLiteral("Visueel signaal"), 30, 54, 63, 8);
}

void CSignalDlg::LoadControls()
{
    m_pSoundSignal->setChecked(m_bSoundSignal);
    m_pVisualSignal->setChecked(m_bVisualSignal);
}

void CSignalDlg::SaveControls()
{
    m_bSoundSignal = m_pSoundSignal->isChecked();
    m_bVisualSignal = m_pVisualSignal->isChecked();
}
