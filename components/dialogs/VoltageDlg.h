#pragma once
// The dialog of a component with a voltage setting (variable voltage source,
// comparator): the voltage typed as text of at most four characters.

#include "PropertyDialog.h"

#include <optional>

class QLineEdit;

class CVoltageDlg : public CPropertyDialog {
    Q_OBJECT
public:
    CVoltageDlg(const QString& name, int permissions, QWidget* parent = nullptr);

    QString m_strVoltage; // "Spanning (0,00 - 5,00):"

protected:
    bool Validate() override;
    void LoadControls() override;
    void SaveControls() override;

private:
    QLineEdit* m_pVoltage;
};

// The setting in tenths of a volt that a typed voltage gives: a decimal comma or point,
// the number read up to the first character that does not belong to it (no number is
// 0 V), truncated to tenths. Nothing when it lies outside 0 to 50.
std::optional<int> SettingFromVoltageText(const QString& text);

// Shows the dialog for a setting in tenths of a volt and, after OK, takes a typed
// voltage within 0.00 to 5.00 V back into it; anything else leaves it as it was.
// Returns the dialog's result.
int EditVoltageSetting(const QString& name, int permissions, int& setting);
