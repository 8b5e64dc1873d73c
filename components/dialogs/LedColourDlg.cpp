#include "LedColourDlg.h"

CLedColourDlg::CLedColourDlg(const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(154, name, permissions, parent)
{
    AddStatic(QStringLiteral("Om de kleur te wijzigen, druk op:"), 7, 54, 104, 8);
    AddColourButton(129, 51, m_colours);
}
