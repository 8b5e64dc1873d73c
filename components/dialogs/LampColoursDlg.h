#pragma once
// The lamp's dialog: its sixteen brightness colours, edited in the colour chooser.

#include "PropertyDialog.h"

class CLampColoursDlg : public CPropertyDialog {
    Q_OBJECT
public:
    CLampColoursDlg(const QString& name, int permissions, QWidget* parent = nullptr);

    std::array<COLORREF, 16> m_colours{};
};
