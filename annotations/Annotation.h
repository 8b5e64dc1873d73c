#pragma once
// What the board view asks of every text field, table and picture: where it lies,
// whether a point hits it, moving it while it is dragged, and its own dialog.

#include "core/BoardObject.h"
#include "platform/Geometry.h"

class CAnnotation : public CBoardObject {
public:
    // Inside the object's hit area, edges included.
    bool HitTest(CPoint p) const
    {
        const CRect r = HitArea();
        return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
    }
    // Moves the top-left corner to (x, y) while it is dragged, showing it on the way
    // (text fields snap to the left margin within 'textSnap'); off the board: ignored.
    virtual void PlaceAt(CDC& dc, int x, int y, int textSnap) = 0;
    // Its dialog: 1 (OK, taken over), 2 ("&Annuleer") or 172 ("&Wis").
    virtual int Edit() = 0;
    // What a press shows: text fields and tables draw their outline on and off.
    virtual void ShowPressed(CDC& dc) { (void)dc; }

    // Left and top as placed; right and bottom as last drawn.
    CRect m_rect;

protected:
    // The normalised area a point must lie in.
    virtual CRect HitArea() const = 0;
};
