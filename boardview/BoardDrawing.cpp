// Drawing the board: the paint decisions and the objects in their order. On screen
// components are exclusive-or'ed sprites and wires exclusive-or lines, so everything
// that overlaps combines and anything can be removed by drawing it again.
#include "BoardView.h"

#include "Printing.h"
#include "Sprites.h"
#include "platform/DrawContext.h"

#include <algorithm>

namespace {

// Touching counts: what lies on the rectangle's edge may still colour its pixels.
bool Meets(const CRect& a, const CRect& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

CRect WireBounds(const CDraad& wire)
{
    CRect r(wire.m_points.front().x, wire.m_points.front().y, wire.m_points.front().x,
            wire.m_points.front().y);
    for (const CPoint& p : wire.m_points) {
        r.left = std::min(r.left, p.x);
        r.right = std::max(r.right, p.x);
        r.top = std::min(r.top, p.y);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

// Text fields, tables or pictures, last first.
template <class Pred>
void DrawAnnotations(CDC& dc, ObjectList& list, Pred shouldDraw)
{
    for (std::size_t i = list.size(); i-- > 0;) {
        const CRect* rect = AnnotationRect(*list[i]);
        if (rect && shouldDraw(*rect))
            list[i]->Draw(dc);
    }
}

} // namespace

void CBoardView::OnDraw(CDC& dc, const CRect& clip)
{
    if (m_nMode == MODE_STARTUP) {
        DrawStartImage(dc, m_nHoveredButton);
        return;
    }
    if (m_bFirstDraw) {
        // The start-up sequence runs from a timer, once the window has shown itself.
        m_bFirstDraw = false;
        SetTimer(kStartupTimer, 500);
        return;
    }
    if (m_nMode == MODE_MEASURING || m_doc.m_bRunning) { // the ticks draw directly too
        DrawBoard(dc, clip, true, m_bFullRedraw);
        m_bFullRedraw = false;
    } else {
        DrawBoard(dc, clip, false, false);
        m_bFullRedraw = true;
    }
}

void CBoardView::DrawBoard(CDC& dc, const CRect& rect, bool direct, bool all)
{
    const CRect area = rect.Normalized();
    const auto meets = [&](const CRect& r) { return all || Meets(r.Normalized(), area); };

    // A text field whose bottom is still 0 has not been laid out yet: its size is unknown.
    DrawAnnotations(dc, m_doc.m_textFields, [&](const CRect& r) { return r.bottom == 0 || meets(r); });
    DrawAnnotations(dc, m_doc.m_tables, meets);
    if (!dc.IsPrinting())
        DrawAnnotations(dc, m_doc.m_pictures, meets);

    if (direct) {
        const CFont oldFont = dc.SelectObject(CFont::Label(44));
        for (std::size_t i = m_doc.m_components.size(); i-- > 0;) {
            CComponent& c = *m_doc.m_components[i];
            if (!meets(c.m_rect))
                continue;
            c.m_rect.InflateRect(1);
            dc.SetBkMode(TRANSPARENT);
            c.Draw(dc);
            dc.SetBkMode(OPAQUE);
            c.m_rect.InflateRect(-1);
        }
        dc.SelectObject(oldFont);
    } else {
        for (std::size_t i = m_doc.m_components.size(); i-- > 0;) {
            CComponent& c = *m_doc.m_components[i];
            if (!meets(c.m_rect))
                continue;
            if (CSprite* kept = m_pSprites->Find(c, dc.Dpi(), dc.LayoutDpi())) {
                kept->XorOnto(dc, c.GetTopLeft());
                continue;
            }
            CSprite sprite(c, dc.Dpi(), dc.LayoutDpi());
            sprite.XorOnto(dc, c.GetTopLeft());
        }
    }

    m_doc.SnapProbes();
    m_doc.RouteWireEnds();

    for (std::size_t i = m_doc.m_wires.size(); i-- > 0;) {
        CDraad& wire = *m_doc.m_wires[i];
        if (!wire.IsEmpty() && meets(WireBounds(wire)))
            wire.Draw(dc);
    }

    // Printing adds the page number itself, after the board.
    if (!dc.IsPrinting() && m_doc.m_bShowPages)
        DrawPageFrames(dc, *this);
}
