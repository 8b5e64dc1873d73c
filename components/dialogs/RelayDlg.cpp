#include "RelayDlg.h"

CRelayDlg::CRelayDlg(const QString& name, int permissions, QWidget* parent)
    : CThresholdFieldDlg(160, {7, 30, 94, 29, 20, 11, 117, 30}, name, permissions, parent)
{
    AddStatic(QStringLiteral("Om de kleur te wijzigen, druk op:"), 7, 54);
    AddColourButton(130, 51, m_colours);
}
