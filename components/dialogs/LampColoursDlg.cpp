#include "LampColoursDlg.h"

CLampColoursDlg::CLampColoursDlg(const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(153, name, permissions, parent)
{
    AddStatic(QStringLiteral("Om de kleuren te wijzigen, druk op:"), 7, 54, 118, 8);
    AddColourButton(129, 51, m_colours);
}
