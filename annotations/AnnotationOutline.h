#pragma once
// What text fields and tables share on the board: the hit test and the outline that
// is drawn while they are dragged.

#include "platform/Geometry.h"

class CDC;

// The normalised rectangle grown by one unit on every side.
CRect GrownArea(const CRect& rect);

// With 'erase' the rectangle is filled white (copy); without it only its outline is
// inverted (a white pen with the exclusive-or mix), so a second outline removes it.
// When printing the outline is a black line.
void DrawOutlineOrErase(CDC& dc, const CRect& rect, bool erase);
