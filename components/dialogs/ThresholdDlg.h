#pragma once
// The transistor's dialog: its switching threshold in volts.

#include "ThresholdField.h"

class CThresholdDlg : public CThresholdFieldDlg {
    Q_OBJECT
public:
    CThresholdDlg(const QString& name, int permissions, QWidget* parent = nullptr);
};
