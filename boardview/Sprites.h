#pragma once
// The sprite of a component: its picture, inverted, in a memory context of its own
// size. Copied onto white with the source-invert operation it shows the component;
// copied again at the same place it removes it. Overlapping components therefore
// combine by exclusive-or while the board is edited, and a component can be dragged
// without redrawing what lies under it.

#include "platform/DrawContext.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

class CComponent;

class CSprite {
public:
    // Draws the component into the sprite at the view's resolution, with its text laid
    // out as at the layout resolution (0: the same).
    CSprite(CComponent& component, int dpi, int layoutDpi = 0);
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    // Exclusive-or copy onto a context, with the component's top-left at 'topLeft'
    // (board units).
    void XorOnto(CDC& dc, CPoint topLeft);

    const QImage& Image() { return m_dc.Bitmap(); }

    // What drawing the sprite does to the component besides the pixels (its sockets
    // take their places), done without drawing any.
    static void PlaceSockets(CComponent& component, int layoutDpi);

private:
    // Draws the component into a context whose origin lies on its top-left corner, as
    // into a sprite.
    static void DrawAtOrigin(CComponent& component, CDC& dc);

    CSize m_size; // the component's size in board units (its rectangle inflated by 1)
    int m_nSpare;  // board units copied beyond that on every side
    int m_nMargin; // pixels of the picture beyond the component on every side
    CMemoryDC m_dc;
};

// The sprites of components whose picture a key settles (gates, for example): a board
// of many alike components is drawn from a handful of sprites. Kept by the board view
// between paints; a key names its picture completely, so nothing ever goes stale.
class CSpriteCache {
public:
    // The sprite of the component at this resolution, drawn once per key; null when
    // its picture has no key (its sprite must be drawn every time). A full cache is
    // emptied: the sprite lives on as long as the caller holds it.
    std::shared_ptr<CSprite> Find(CComponent& component, int dpi, int layoutDpi = 0);

private:
    static constexpr qsizetype kMaxSprites = 256;
    QHash<QString, std::shared_ptr<CSprite>> m_sprites;
};

// The sprites of the components one repaint shows, found or drawn once however many
// bands the repaint is drawn in, each with the place and rectangle of its component.
struct CSpriteLayer {
    struct Placed {
        std::shared_ptr<CSprite> sprite;
        CPoint topLeft;
        CRect rect; // normalized
    };
    std::vector<Placed> placed;
};
