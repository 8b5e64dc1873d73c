#include "ThresholdDlg.h"

CThresholdDlg::CThresholdDlg(const QString& name, int permissions, QWidget* parent)
    : CThresholdFieldDlg(165, {7, 53, 94, 51, 17, 12, 115, 53}, name, permissions, parent)
{
    SetInitialFocus(ThresholdEdit());
}
