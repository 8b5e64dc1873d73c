#include "ThresholdField.h"

#include "ValidatedField.h"

#include <QLineEdit>

#include <cmath>

namespace {
constexpr float kMinVolts = 0.0f;
constexpr float kMaxVolts = 5.0f;
} // namespace

CThresholdFieldDlg::CThresholdFieldDlg(int templateId, const Layout& layout,
                                       const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(templateId, name, permissions, parent)
{
    AddStatic(QStringLiteral("Drempelspanning (0,0-5,0):"), layout.labelX, layout.labelY);
    m_pThreshold =
        AddEdit(1021, layout.editX, layout.editY, layout.editWidth, layout.editHeight);
    AddStatic(QStringLiteral("V."), layout.unitX, layout.unitY);
}

bool CThresholdFieldDlg::Validate()
{
    return CheckNumber(*m_pThreshold, kMinVolts, kMaxVolts);
}

void CThresholdFieldDlg::LoadControls()
{
    m_pThreshold->setText(NumberText(m_fThreshold));
}

void CThresholdFieldDlg::SaveControls()
{
    m_fThreshold = ParseNumber(m_pThreshold->text()).value_or(m_fThreshold);
}

int CThresholdFieldDlg::RunForLevel(int& level)
{
    m_fThreshold = float(level) * 0.01f;
    const int result = Run();
    // Rounded, not truncated: most hundredths have no exact float, and 2,12 V would
    // otherwise come back as 211 and lose another hundredth at every OK.
    if (result == ID_OK)
        level = int(std::lround(m_fThreshold * 100.0f));
    return result;
}
