#pragma once
// Every modal dialog of the program, message and confirm boxes included, runs through
// RunModal. Tests install a handler that plays the part of the user: it may fill in
// the dialog's controls, press its buttons, and returns the dialog's result.

#include <functional>

class QDialog;

using ModalHandler = std::function<int(QDialog&)>;

// Runs the dialog modally (exec) or hands it to the installed handler.
int RunModal(QDialog& dialog);

// A dialog's title bar gets only a close button; RunModal does this itself, a dialog
// shown beside the window (the print preview) calls it before it is shown.
void ShowOnlyCloseButton(QDialog& dialog);

// Installs a handler (an empty one restores exec) and returns the previous one.
ModalHandler SetModalHandler(ModalHandler handler);
