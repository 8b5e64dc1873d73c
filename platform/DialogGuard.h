#pragma once
// No modal dialog runs while a drawing context is open on a surface that others own
// (the window's image, a printer): the dialog's event loop may resize, repaint or
// replace that very surface under the painter. Drawing code draws first and reports
// afterwards; RunModal refuses a dialog asked for in between.

#include <functional>

class QDialog;

// The drawing contexts open on a window surface, a caller's image or a printer. Memory
// contexts (sprites, measuring) paint on an image of their own and do not count.
int OpenDrawingContexts();

// Told of every dialog refused because a drawing context was open; tests install one
// that fails the test. Without one the refusal is logged. Returns the previous one.
using DialogRefusalHandler = std::function<void(QDialog&)>;
DialogRefusalHandler SetDialogRefusalHandler(DialogRefusalHandler handler);
