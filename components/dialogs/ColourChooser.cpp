#include "ColourChooser.h"

#include "platform/ModalRunner.h"

#include <QColorDialog>

namespace {

QColor ToQColor(COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF ToColorref(const QColor& colour)
{
    return RGB(colour.red(), colour.green(), colour.blue());
}

} // namespace

bool EditCustomColours(QWidget* parent, std::array<COLORREF, 16>& colours)
{
    Q_ASSERT(QColorDialog::customCount() == int(colours.size()));
    // Qt's own dialog always shows the custom boxes, and runs the same everywhere.
    QColorDialog chooser(Qt::white, parent);
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    for (int i = 0; i < int(colours.size()); ++i)
        QColorDialog::setCustomColor(i, ToQColor(colours[i]));

    const bool bAccepted = RunModal(chooser) == QDialog::Accepted;

    for (int i = 0; i < int(colours.size()); ++i)
        colours[i] = ToColorref(QColorDialog::customColor(i));
    return bAccepted;
}
