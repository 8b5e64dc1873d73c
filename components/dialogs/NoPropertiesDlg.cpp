#include "NoPropertiesDlg.h"

CNoPropertiesDlg::CNoPropertiesDlg(const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(155, name, permissions, parent)
{
    AddStatic(QStringLiteral("Deze component heeft geen eigenschappen."), 7, 52, 144, 8);
}
