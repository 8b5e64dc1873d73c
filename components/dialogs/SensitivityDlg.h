#pragma once
// The dialog of the light, sound and temperature sensors: how strongly the sensor
// passes on what it receives, as a whole percentage.

#include "PropertyDialog.h"

class QLineEdit;

class CSensitivityDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 100;

    CSensitivityDlg(const QString& name, int permissions, QWidget* parent = nullptr);

    int m_nSensitivity = 0; // "Gevoeligheid", percent

protected:
    bool Validate() override;
    void LoadControls() override;
    void SaveControls() override;

private:
    QLineEdit* m_pSensitivity;
};
