#pragma once
// The dialog of a component without settings: it only tells so, and offers "&Wis".

#include "PropertyDialog.h"

class CNoPropertiesDlg : public CPropertyDialog {
    Q_OBJECT
public:
    CNoPropertiesDlg(const QString& name, int permissions, QWidget* parent = nullptr);
};
