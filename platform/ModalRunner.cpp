#include "ModalRunner.h"

#include <QDialog>

namespace {
ModalHandler& CurrentHandler()
{
    static ModalHandler handler;
    return handler;
}
} // namespace

// Without the customise flag the window manager adds minimise and maximise.
void ShowOnlyCloseButton(QDialog& dialog)
{
    const Qt::WindowFlags flags =
        (dialog.windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)) |
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (flags != dialog.windowFlags())
        dialog.setWindowFlags(flags);
}

int RunModal(QDialog& dialog)
{
    ShowOnlyCloseButton(dialog);
    if (ModalHandler& handler = CurrentHandler()) {
        // The handler sees the dialog as the user would: shown, with its texts filled in.
        dialog.setModal(true);
        dialog.show();
        const int result = handler(dialog);
        dialog.hide();
        return result;
    }
    return dialog.exec();
}

ModalHandler SetModalHandler(ModalHandler handler)
{
    ModalHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}
