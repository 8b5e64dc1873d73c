#pragma once
// Every modal dialog of the program, message and confirm boxes included, runs through
// RunModal. Tests install a handler that plays the part of the user: it may fill in
// the dialog's controls, press its buttons, and returns the dialog's result.

#include <functional>

class QDialog;

using ModalHandler = std::function<int(QDialog&)>;

// Runs the dialog modally (exec) or hands it to the installed handler.
int RunModal(QDialog& dialog);

// Installs a handler (an empty one restores exec) and returns the previous one.
ModalHandler SetModalHandler(ModalHandler handler);
