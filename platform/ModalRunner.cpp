#include "ModalRunner.h"

#include "DialogGuard.h"

#include <QDialog>
#include <QtGlobal>

namespace {
ModalHandler& CurrentHandler()
{
    static ModalHandler handler;
    return handler;
}

DialogRefusalHandler& RefusalHandler()
{
    static DialogRefusalHandler handler;
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
    if (OpenDrawingContexts() > 0) {
        // Rejected: message boxes are not answered and every question counts as "no".
        if (RefusalHandler())
            RefusalHandler()(dialog);
        else
            qWarning("Dialog \"%s\" refused: a drawing context is open", qUtf8Printable(dialog.windowTitle()));
        return QDialog::Rejected;
    }
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

DialogRefusalHandler SetDialogRefusalHandler(DialogRefusalHandler handler)
{
    DialogRefusalHandler previous = std::move(RefusalHandler());
    RefusalHandler() = std::move(handler);
    return previous;
}
