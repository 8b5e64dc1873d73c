#pragma once
// The sprite of a component: its picture, inverted, in a memory context of its own
// size. Copied onto white with the source-invert operation it shows the component;
// copied again at the same place it removes it. Overlapping components therefore
// combine by exclusive-or while the board is edited, and a component can be dragged
// without redrawing what lies under it.

#include "platform/DrawContext.h"

class CComponent;

class CSprite {
public:
    // Draws the component into the sprite at the screen's resolution.
    CSprite(CComponent& component, int dpi);
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    // Exclusive-or copy onto a context, with the component's top-left at 'topLeft'
    // (board units).
    void XorOnto(CDC& dc, CPoint topLeft);

    const QImage& Image() { return m_dc.Bitmap(); }

private:
    CSize m_size; // the component's size in board units (its rectangle inflated by 1)
    CMemoryDC m_dc;
};
