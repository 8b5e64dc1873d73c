#include "ModalRunner.h"

#include <QDialog>

namespace {
ModalHandler& CurrentHandler()
{
    static ModalHandler handler;
    return handler;
}
} // namespace

int RunModal(QDialog& dialog)
{
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
