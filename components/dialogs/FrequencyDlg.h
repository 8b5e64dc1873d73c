#pragma once
// The pulse generator's dialog: its frequency, a whole number of hertz from 0 to 10.

#include "PropertyDialog.h"

class QLineEdit;

class CFrequencyDlg : public CPropertyDialog {
    Q_OBJECT
public:
    CFrequencyDlg(const QString& name, int permissions, QWidget* parent = nullptr);

    unsigned m_nFrequency = 0;

protected:
    bool Validate() override;
    void LoadControls() override;
    void SaveControls() override;

private:
    QLineEdit* m_pFrequency;
};
