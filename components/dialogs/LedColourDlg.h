#pragma once
// The LED's dialog: its off colour (custom box 0) and on colour (box 15), edited in the
// colour chooser.

#include "PropertyDialog.h"

class CLedColourDlg : public CPropertyDialog {
    Q_OBJECT
public:
    CLedColourDlg(const QString& name, int permissions, QWidget* parent = nullptr);

    std::array<COLORREF, 16> m_colours{};
};
