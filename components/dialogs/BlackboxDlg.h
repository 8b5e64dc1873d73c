#pragma once
// The dialog of a gate or memory cell: its name, and whether it hides its function
// behind a black-box label.

#include "PropertyDialog.h"

class QCheckBox;
class QLineEdit;

class CBlackboxDlg : public CPropertyDialog {
    Q_OBJECT
public:
    CBlackboxDlg(const QString& name, int permissions, QWidget* parent = nullptr);

    bool m_bBlackbox = false; // "Gebruik als blackbox"
    QString m_strStandard;    // "Standaard opdruk"
    QString m_strBlackbox;    // "Blackbox opdruk"

protected:
    void LoadControls() override;
    void SaveControls() override;

private:
    QCheckBox* m_pBlackbox;
    QLineEdit* m_pStandard;
    QLineEdit* m_pBlackboxLabel;
};
