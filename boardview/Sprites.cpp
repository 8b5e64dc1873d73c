#include "Sprites.h"

#include "core/Component.h"

#include <algorithm>

namespace {

// Pixels for a length of board units, with one to spare for the rounding of the
// destination, which the blit may widen by a pixel.
int Pixels(int units, int dpi)
{
    return units * dpi / 254 + 2;
}

// Board units that cover at least two pixels at this resolution.
int SpareUnits(int dpi)
{
    return 2 * 254 / std::max(1, dpi) + 2;
}

} // namespace

// The component is drawn inside its rectangle enlarged by a unit, so its left and top
// edges lie a unit before its corner: where a unit is more than half a pixel that is
// a pixel before it. The picture therefore gets a margin of its own, and the copy
// spans the margin too (white in it inverts to black, which changes nothing).
CSprite::CSprite(CComponent& component, int dpi, int layoutDpi)
    : m_size(component.GetSize()), m_nSpare(SpareUnits(dpi)),
      m_nMargin(Pixels(m_nSpare + 1, dpi)),
      m_dc(Pixels(m_size.cx, dpi) + 2 * m_nMargin, Pixels(m_size.cy, dpi) + 2 * m_nMargin, dpi)
{
    m_dc.SetLayoutDpi(layoutDpi);
    m_dc.SetViewportOrg(m_nMargin, m_nMargin);
    // The memory bitmap starts white.
    DrawAtOrigin(component, m_dc);
    // Invert all of it, as an exclusive-or of white over the whole bitmap would: white
    // becomes black, which leaves the board alone when the sprite is xor'ed onto it.
    m_dc.Bitmap().invertPixels();
}

void CSprite::DrawAtOrigin(CComponent& component, CDC& dc)
{
    // The component stays where it stands and the context's origin moves onto its
    // corner: what Draw keeps of its geometry (the slider line's y is stored with the
    // board) is then the board's, whichever way the component was last drawn.
    const CPoint place = component.GetTopLeft();
    const CPoint oldOrigin = dc.GetWindowOrg();
    dc.SetWindowOrg(oldOrigin.x + place.x, oldOrigin.y + place.y);
    const CFont oldFont = dc.SelectObject(CFont::Label(44));
    const int oldBkMode = dc.SetBkMode(TRANSPARENT);
    component.m_rect.InflateRect(1);
    component.Draw(dc);
    component.m_rect.InflateRect(-1);
    dc.SetBkMode(oldBkMode);
    dc.SelectObject(oldFont);
    dc.SetWindowOrg(oldOrigin.x, oldOrigin.y);
}

void CSprite::PlaceSockets(CComponent& component, int layoutDpi)
{
    CMemoryDC measuring(0, 0, layoutDpi); // measures text at this resolution, draws nothing
    DrawAtOrigin(component, measuring);
}

std::shared_ptr<CSprite> CSpriteCache::Find(CComponent& component, int dpi, int layoutDpi)
{
    if (layoutDpi <= 0)
        layoutDpi = dpi;
    const QString picture = component.PictureKey();
    if (picture.isEmpty())
        return nullptr;
    const CSize size = component.GetSize();
    const QString key =
        QStringLiteral("%1 %2 %3 %4 ").arg(size.cx).arg(size.cy).arg(dpi).arg(layoutDpi) + picture;
    auto found = m_sprites.find(key);
    if (found != m_sprites.end()) {
        CSprite::PlaceSockets(component, layoutDpi);
        return *found;
    }
    if (m_sprites.size() >= kMaxSprites)
        m_sprites.clear();
    return *m_sprites.insert(key, std::make_shared<CSprite>(component, dpi, layoutDpi));
}

void CSprite::XorOnto(CDC& dc, CPoint topLeft)
{
    // Map the sprite so that the component's corner falls on the pixel it was drawn at
    // and both rectangles round to the same pixels: the blit is then pixel for pixel.
    const CPoint corner = dc.LPtoDP(topLeft);
    const CPoint origin = dc.GetViewportOrg();
    m_dc.SetWindowOrg(dc.GetWindowOrg().x, dc.GetWindowOrg().y);
    m_dc.SetViewportOrg(origin.x - corner.x + m_nMargin, origin.y - corner.y + m_nMargin);
    const int x = topLeft.x - 1 - m_nSpare;
    const int y = topLeft.y + 1 + m_nSpare;
    dc.BitBlt(x, y, m_size.cx + 2 * m_nSpare, -(m_size.cy + 2 * m_nSpare), m_dc, x, y, SRCINVERT);
}
