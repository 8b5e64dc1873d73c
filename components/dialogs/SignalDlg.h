#pragma once
// The buzzer's dialog: whether it sounds and whether it shows sound waves.

#include "PropertyDialog.h"

class QCheckBox;

class CSignalDlg : public CPropertyDialog {
    Q_OBJECT
public:
    CSignalDlg(const QString& name, int permissions, QWidget* parent = nullptr);

    bool m_bSoundSignal = false;  // "Geluidssignaal"
    bool m_bVisualSignal = false; // "Visueel signaal"

protected:
    void LoadControls() override;
    void SaveControls() override;

private:
    QCheckBox* m_pSoundSignal;
    QCheckBox* m_pVisualSignal;
};
