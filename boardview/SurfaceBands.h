#pragma once
// Repainting an area of the view's surface a band of rows at a time. Each band is
// erased to white and drawn while it is still in the processor's cache, so a large
// surface (a zoomed board on a big or sharp screen) crosses the memory once instead of
// once for the erasing and again for every exclusive-or'ed sprite.

#include <QImage>
#include <QRect>

#include <functional>
#include <utility>
#include <vector>

class CDC;
struct CRect;

// Draws into 'band', an image over the surface's own pixels of 'bandArea' (surface
// pixels), already white. Drawing outside the band is clipped by the band's image.
using BandPainter = std::function<void(QImage& band, const QRect& bandArea)>;

// The rows of a band for a surface 'width' pixels wide: as many as fit the cache.
int BandRows(int width);

// An image over the surface's own pixels of 'area' (clipped to the surface), which
// clips what is drawn on it; null when nothing of the area is on the surface. The
// surface must outlive it and keep its buffer meanwhile.
QImage SurfaceArea(QImage& surface, const QRect& area);

// Rows [first, last] of the surface that one band must hold whole, because what is
// drawn across them is drawn once.
using RowSpan = std::pair<int, int>;

// Erases 'area' of the surface and has 'paint' draw it, band after band; each of the
// row spans (in any order, overlapping or not) lies within one band.
void PaintInBands(QImage& surface, const QRect& area, std::vector<RowSpan> whole, const BandPainter& paint);

// Moves a context made on a band's image so that it draws the band's part of the
// surface, and returns that part in board units, with a little room for objects whose
// edge only touches it.
CRect ShiftToBand(CDC& dc, const QRect& bandArea);
