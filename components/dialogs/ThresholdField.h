#pragma once
// The property dialogs with a threshold voltage: "Drempelspanning (0,0-5,0):", an edit
// field of volts and "V.", checked for a number from 0 to 5 on OK.

#include "PropertyDialog.h"

class QLineEdit;

class CThresholdFieldDlg : public CPropertyDialog {
    Q_OBJECT
public:
    float m_fThreshold = 0.0f; // volts

    // Runs the dialog showing a level (hundredths of a volt) in volts; after OK the level
    // is the entered volts in hundredths, to the nearest. Returns the result.
    int RunForLevel(int& level);

protected:
    // Where the dialog template puts the three controls, in dialog units.
    struct Layout {
        int labelX, labelY;
        int editX, editY, editWidth, editHeight;
        int unitX, unitY;
    };

    CThresholdFieldDlg(int templateId, const Layout& layout, const QString& name,
                       int permissions, QWidget* parent);

    QLineEdit* ThresholdEdit() const { return m_pThreshold; }

    bool Validate() override;
    void LoadControls() override;
    void SaveControls() override;

private:
    QLineEdit* m_pThreshold;
};
