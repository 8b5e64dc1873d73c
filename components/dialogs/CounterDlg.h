#pragma once
// The pulse counter's dialog: the number base ("Decimaal", "Hexadecimaal") and the
// number of digits shown ("1", "2", "3"), each a group of radio buttons.

#include "PropertyDialog.h"

class QButtonGroup;

class CCounterDlg : public CPropertyDialog {
    Q_OBJECT
public:
    CCounterDlg(const QString& name, int permissions, QWidget* parent = nullptr);

    // Index of the checked button of each group; -1 checks none.
    int m_nNumberBase = -1; // 0 decimal, 1 hexadecimal
    int m_nDigits = -1;     // 0, 1, 2 for one, two, three digits

protected:
    void LoadControls() override;
    void SaveControls() override;

private:
    struct Choice {
        int id;
        const char* text;
        int x, y;
    };
    QButtonGroup* AddRadioGroup(const QString& title, QRect box,
                                std::initializer_list<Choice> choices);

    QButtonGroup* m_pNumberBase;
    QButtonGroup* m_pDigits;
};
