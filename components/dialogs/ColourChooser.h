#pragma once
// The colour chooser behind "&Kies kleur". Components keep their colours in the
// chooser's sixteen custom colour boxes, so the user edits the boxes, not the colour
// that is chosen.

#include "platform/Geometry.h"

#include <array>

class QWidget;

// Opens the chooser with white chosen and `colours` in the custom boxes 0 to 15. However
// it is closed, the boxes as the user left them are copied back into `colours`.
// Returns whether it was closed with OK.
bool EditCustomColours(QWidget* parent, std::array<COLORREF, 16>& colours);
