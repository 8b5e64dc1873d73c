// New objects that reach the board through update hints: a component from the palette,
// a text field or table from their dialogs, a picture from a bitmap file. Placing them
// with the mouse belongs to the board editing; what is here asks for the bitmap file.
#include "BoardView.h"

#include "platform/ModalRunner.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileDialog>

void CBoardView::OnPlaceComponent(int)
{
    // Placing a component from the palette comes with the mouse editing.
}

void CBoardView::OnNewTextField()
{
    // Placing a new text field comes with the text field editing.
}

void CBoardView::OnNewTable()
{
    // Placing a new table comes with the table editing.
}

void CBoardView::OnNewPicture()
{
    const QString path = AskBitmapFile();
    if (!path.isEmpty())
        PlaceNewPicture(path);
}

QString CBoardView::AskBitmapFile()
{
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("Alle bestanden (*.*)")});
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    dialog.setDirectory(QDir::current());
    dialog.selectFile(QStringLiteral("*.bmp"));
    dialog.setOption(QFileDialog::ReadOnly);
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return WindowsName(dialog.selectedFiles().constFirst());
}

void CBoardView::PlaceNewPicture(const QString&)
{
    // Creating the picture from the file and placing it comes with the picture editing.
}
