#include "BlackboxDlg.h"

#include <QCheckBox>
#include <QLineEdit>

CBlackboxDlg::CBlackboxDlg(const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(158, name, permissions, parent)
{
    m_pBlackbox = AddCheckBox(1050, QStringLiteral("Gebruik als blackbox"), 7, 17, 86, 8);
    AddStatic(QStringLiteral("Standaard opdruk"), 7, 36);
    m_pStandard = AddEdit(1021, 70, 34, 47, 12);
    AddStatic(QStringLiteral("Blackbox opdruk"), 7, 55);
    m_pBlackboxLabel = AddEdit(1022, 70, 53, 47, 12);
    SetInitialFocus(m_pStandard);
}

void CBlackboxDlg::LoadControls()
{
    m_pBlackbox->setChecked(m_bBlackbox);
    m_pStandard->setText(m_strStandard);
    m_pBlackboxLabel->setText(m_strBlackbox);
}

void CBlackboxDlg::SaveControls()
{
    m_bBlackbox = m_pBlackbox->isChecked();
    m_strStandard = m_pStandard->text();
    m_strBlackbox = m_pBlackboxLabel->text();
}
