#include "Sprites.h"

#include "core/Component.h"

namespace {

// Pixels for a length of board units, with one to spare for the rounding of the
// destination, which the blit may widen by a pixel.
int Pixels(int units, int dpi)
{
    return units * dpi / 254 + 2;
}

} // namespace

CSprite::CSprite(CComponent& component, int dpi, int layoutDpi)
    : m_size(component.GetSize()),
      m_dc(Pixels(m_size.cx, dpi), Pixels(m_size.cy, dpi), dpi)
{
    m_dc.SetLayoutDpi(layoutDpi);
    // The memory bitmap starts white.
    DrawAtOrigin(component, m_dc);
    // Invert all of it, as an exclusive-or of white over the whole bitmap would: white
    // becomes black, which leaves the board alone when the sprite is xor'ed onto it.
    m_dc.Bitmap().invertPixels();
}

void CSprite::DrawAtOrigin(CComponent& component, CDC& dc)
{
    const CPoint place = component.GetTopLeft();
    component.MoveTo(0, 0);
    const CFont oldFont = dc.SelectObject(CFont::Label(44));
    const int oldBkMode = dc.SetBkMode(TRANSPARENT);
    component.m_rect.InflateRect(1);
    component.Draw(dc);
    component.m_rect.InflateRect(-1);
    dc.SetBkMode(oldBkMode);
    dc.SelectObject(oldFont);
    component.MoveTo(place.x, place.y);
}

void CSprite::PlaceSockets(CComponent& component, int layoutDpi)
{
    CMemoryDC measuring(0, 0); // measures text, draws nothing
    measuring.SetLayoutDpi(layoutDpi);
    DrawAtOrigin(component, measuring);
}

std::shared_ptr<CSprite> CSpriteCache::Find(CComponent& component, int dpi, int layoutDpi)
{
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
    // Map the sprite so that the component's corner falls on the sprite's first pixel
    // and both rectangles round to the same pixels: the blit is then pixel for pixel.
    const CPoint corner = dc.LPtoDP(topLeft);
    const CPoint origin = dc.GetViewportOrg();
    m_dc.SetWindowOrg(dc.GetWindowOrg().x, dc.GetWindowOrg().y);
    m_dc.SetViewportOrg(origin.x - corner.x, origin.y - corner.y);
    dc.BitBlt(topLeft.x, topLeft.y, m_size.cx, -m_size.cy, m_dc, topLeft.x, topLeft.y, SRCINVERT);
}
