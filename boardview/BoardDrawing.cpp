// Drawing the board: the paint decisions and the objects in their order. On screen
// components are exclusive-or'ed sprites and wires exclusive-or lines, so everything
// that overlaps combines and anything can be removed by drawing it again.
#include "BoardView.h"

#include "Printing.h"
#include "Sprites.h"
#include "SurfaceBands.h"
#include "platform/DrawContext.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

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
void AddAnnotations(std::vector<CBoardObject*>& chosen, ObjectList& list, Pred shouldDraw)
{
    for (std::size_t i = list.size(); i-- > 0;) {
        const CRect* rect = AnnotationRect(*list[i]);
        if (rect && shouldDraw(*rect))
            chosen.push_back(list[i].get());
    }
}

// Where an annotation's drawing may reach: its rectangle and a margin for the slant of
// italics or the last pixel of a frame (board units).
CRect AnnotationReach(const CRect& rect)
{
    constexpr int kOverhang = 50;
    CRect reach = rect.Normalized();
    reach.InflateRect(kOverhang);
    return reach;
}

// A text field not laid out yet has no size: drawing it lays it out.
bool SizeKnown(const CRect& rect)
{
    return rect.bottom != 0;
}

// The annotations that reach a band, in their order.
void DrawAnnotationsInBand(CDC& dc, const std::vector<CBoardObject*>& chosen, const CRect& band)
{
    for (CBoardObject* object : chosen) {
        const CRect& rect = *AnnotationRect(*object);
        if (!SizeKnown(rect) || Meets(AnnotationReach(rect), band))
            object->Draw(dc);
    }
}

// The rows of the surface each annotation reaches, for 'dc' drawing 'area': text is
// costly to draw, so each annotation is drawn in one band only.
std::vector<RowSpan> AnnotationRows(const CDC& dc, const std::vector<CBoardObject*>& chosen, const QRect& area)
{
    std::vector<RowSpan> rows;
    for (CBoardObject* object : chosen) {
        const CRect& rect = *AnnotationRect(*object);
        if (!SizeKnown(rect))
            return {{area.top(), area.bottom()}};
        const CRect reach = AnnotationReach(rect);
        const int a = dc.LPtoDP(CPoint(reach.left, reach.top)).y + area.top();
        const int b = dc.LPtoDP(CPoint(reach.right, reach.bottom)).y + area.top();
        rows.emplace_back(std::min(a, b), std::max(a, b));
    }
    return rows;
}

// The sprites of the layer whose components meet 'area', xor'ed in the board's order.
void XorSprites(CDC& dc, const CSpriteLayer& layer, const CRect& area)
{
    for (const CSpriteLayer::Placed& p : layer.placed)
        if (Meets(p.rect, area))
            p.sprite->XorOnto(dc, p.topLeft);
}

} // namespace

CBoardView::PaintKind CBoardView::BeginPaint()
{
    if (m_nMode == MODE_STARTUP)
        return PaintKind::StartImage;
    if (m_bFirstDraw) {
        // The start-up sequence runs from a timer, once the window has shown itself.
        m_bFirstDraw = false;
        SetTimer(kStartupTimer, 500);
        return PaintKind::Nothing;
    }
    if (m_nMode == MODE_MEASURING || m_doc.m_bRunning) { // the ticks draw directly too
        const bool all = std::exchange(m_bFullRedraw, false);
        return all ? PaintKind::MeasuringAll : PaintKind::Measuring;
    }
    m_bFullRedraw = true;
    return PaintKind::Editing;
}

void CBoardView::OnDraw(CDC& dc, const CRect& clip, PaintKind kind)
{
    switch (kind) {
    case PaintKind::StartImage:
        DrawStartImage(dc, m_nHoveredButton);
        break;
    case PaintKind::Nothing:
        break;
    case PaintKind::Editing:
        DrawBoard(dc, clip, false, false);
        break;
    case PaintKind::Measuring:
    case PaintKind::MeasuringAll:
        DrawBoard(dc, clip, true, kind == PaintKind::MeasuringAll);
        break;
    }
}

void CBoardView::DrawBoard(CDC& dc, const CRect& rect, bool direct, bool all)
{
    const CRect area = rect.Normalized();
    // Probes go back onto their sockets before anything is drawn: moved after the
    // components, a probe would show where it was.
    m_doc.SnapProbes();
    const std::vector<CBoardObject*> annotations = AnnotationsMeeting(area, all);
    if (direct) {
        for (CBoardObject* object : annotations)
            object->Draw(dc);
        DrawComponentsDirect(dc, area, all);
    } else {
        for (CBoardObject* object : annotations)
            object->Draw(dc);
        // One sprite at a time: a board of any size is drawn in little memory.
        for (std::size_t i = m_doc.m_components.size(); i-- > 0;) {
            CComponent& c = *m_doc.m_components[i];
            if (all || Meets(c.m_rect.Normalized(), area))
                SpriteOf(c, dc)->XorOnto(dc, c.GetTopLeft());
        }
    }
    DrawLines(dc, area, all);
}

void CBoardView::PaintEditingBoard(QImage& surface, const QRect& area, int dpi,
                                   const std::function<void(CDC&)>& prepare)
{
    QImage none; // the sprites need only the resolutions
    CDC measuring(none, dpi);
    prepare(measuring);
    const CRect clip = ShiftToBand(measuring, area).Normalized();
    const std::optional<CSpriteLayer> layer = SpritesMeeting(measuring, clip);
    const std::vector<CBoardObject*> annotations = AnnotationsMeeting(clip, false);
    // Without a layer (more sprites than may be held at once) the area is one band,
    // drawn one sprite after the other.
    const std::vector<RowSpan> heldTogether =
        layer ? AnnotationRows(measuring, annotations, area) : std::vector<RowSpan>{{area.top(), area.bottom()}};
    PaintInBands(surface, area, heldTogether, [&](QImage& band, const QRect& bandArea) {
        CDC dc(band, dpi);
        prepare(dc);
        const CRect bandClip = ShiftToBand(dc, bandArea).Normalized();
        if (!layer) {
            DrawBoard(dc, bandClip, false, false);
            return;
        }
        DrawAnnotationsInBand(dc, annotations, bandClip);
        XorSprites(dc, *layer, bandClip);
    });
    if (!layer)
        return;
    // The lines colour few pixels: once over the whole area, after every band, which
    // keeps them over what the bands drew.
    QImage areaImage = SurfaceArea(surface, area);
    CDC dc(areaImage, dpi);
    prepare(dc);
    ShiftToBand(dc, area);
    DrawLines(dc, clip, false);
}

std::vector<CBoardObject*> CBoardView::AnnotationsMeeting(const CRect& area, bool all)
{
    const auto meets = [&](const CRect& r) { return all || Meets(r.Normalized(), area); };
    std::vector<CBoardObject*> chosen;
    AddAnnotations(chosen, m_doc.m_textFields, [&](const CRect& r) { return !SizeKnown(r) || meets(r); });
    AddAnnotations(chosen, m_doc.m_tables, meets);
    AddAnnotations(chosen, m_doc.m_pictures, meets); // printed too, in their own colours
    return chosen;
}

void CBoardView::DrawComponentsDirect(CDC& dc, const CRect& area, bool all)
{
    const CFont oldFont = dc.SelectObject(CFont::Label(44));
    for (std::size_t i = m_doc.m_components.size(); i-- > 0;) {
        CComponent& c = *m_doc.m_components[i];
        if (!all && !Meets(c.m_rect.Normalized(), area))
            continue;
        c.m_rect.InflateRect(1);
        dc.SetBkMode(TRANSPARENT);
        c.Draw(dc);
        dc.SetBkMode(OPAQUE);
        c.m_rect.InflateRect(-1);
    }
    dc.SelectObject(oldFont);
}

std::shared_ptr<CSprite> CBoardView::SpriteOf(CComponent& c, const CDC& dc)
{
    if (std::shared_ptr<CSprite> kept = m_pSprites->Find(c, dc.Dpi(), dc.LayoutDpi()))
        return kept;
    return std::make_shared<CSprite>(c, dc.Dpi(), dc.LayoutDpi()); // a picture without a key
}

std::optional<CSpriteLayer> CBoardView::SpritesMeeting(const CDC& dc, const CRect& area)
{
    // What a layer may hold (bytes): a heap of thousands of lamps on one spot of a
    // hostile board must not take the memory.
    constexpr qsizetype kMaxBytes = 64 * 1024 * 1024;
    CSpriteLayer layer;
    std::unordered_set<const CSprite*> held;
    qsizetype bytes = 0;
    for (std::size_t i = m_doc.m_components.size(); i-- > 0;) {
        CComponent& c = *m_doc.m_components[i];
        const CRect rect = c.m_rect.Normalized();
        if (!Meets(rect, area))
            continue;
        std::shared_ptr<CSprite> sprite = SpriteOf(c, dc);
        if (held.insert(sprite.get()).second && (bytes += sprite->Image().sizeInBytes()) > kMaxBytes)
            return std::nullopt;
        layer.placed.push_back({std::move(sprite), c.GetTopLeft(), rect});
    }
    return layer;
}

void CBoardView::DrawLines(CDC& dc, const CRect& area, bool all)
{
    m_doc.SnapProbes();
    m_doc.RouteWireEnds();

    for (std::size_t i = m_doc.m_wires.size(); i-- > 0;) {
        CDraad& wire = *m_doc.m_wires[i];
        if (!wire.IsEmpty() && (all || Meets(WireBounds(wire).Normalized(), area)))
            wire.Draw(dc);
    }

    // Printing adds the page number itself, after the board.
    if (!dc.IsPrinting() && m_doc.m_bShowPages)
        DrawPageFrames(dc, *this);
}
