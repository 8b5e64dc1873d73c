#include "AnnotationOutline.h"

#include "platform/DrawContext.h"

CRect GrownArea(const CRect& rect)
{
    CRect r = rect.Normalized();
    r.InflateRect(1);
    return r;
}

void DrawOutlineOrErase(CDC& dc, const CRect& rect, bool erase)
{
    // Paper has no exclusive-or: a white outline would copy white onto white.
    const bool onPaper = dc.IsPrinting() && !erase;
    const CPen oldPen = dc.SelectObject(onPaper ? CPen::Black() : CPen::White());
    const CBrush oldBrush = dc.SelectObject(erase ? CBrush::White() : CBrush::Hollow());
    const int oldMix = dc.SetROP2(erase || onPaper ? R2_COPYPEN : R2_XORPEN);
    dc.Rectangle(rect);
    dc.SetROP2(oldMix);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}
