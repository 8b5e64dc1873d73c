#include "SurfaceBands.h"

#include "platform/DrawContext.h"

#include <algorithm>

namespace {
// Bytes of a band: room in the second-level cache beside the sprites being copied.
constexpr int kBandBytes = 256 * 1024;
constexpr int kMinBandRows = 8; // fewer rows would draw each component too many times
} // namespace

int BandRows(int width)
{
    return std::max(kMinBandRows, kBandBytes / (std::max(1, width) * 4));
}

QImage SurfaceArea(QImage& surface, const QRect& wanted)
{
    const QRect area = wanted & surface.rect();
    if (area.isEmpty() || surface.depth() != 32)
        return {};
    uchar* bits = surface.bits(); // detaches now, if it must, before the view is made
    return QImage(bits + area.top() * surface.bytesPerLine() + qsizetype(area.left()) * 4, area.width(),
                  area.height(), surface.bytesPerLine(), surface.format());
}

void PaintInBands(QImage& surface, const QRect& wanted, std::vector<RowSpan> whole, const BandPainter& paint)
{
    const QRect area = wanted & surface.rect();
    if (area.isEmpty())
        return;
    std::sort(whole.begin(), whole.end());
    const int rows = BandRows(area.width());
    std::size_t next = 0; // the first span that starts at or after 'top'
    for (int top = area.top(); top <= area.bottom();) {
        int bottom = std::min(top + rows - 1, area.bottom());
        // A span that starts in this band widens it to its end, and so on for the
        // spans that start within the widened band.
        while (next < whole.size() && whole[next].first <= bottom) {
            bottom = std::min(std::max(bottom, whole[next].second), area.bottom());
            ++next;
        }
        QImage band = SurfaceArea(surface, QRect(area.left(), top, area.width(), bottom + 1 - top));
        band.fill(Qt::white);
        paint(band, QRect(area.left(), top, area.width(), bottom + 1 - top));
        top = bottom + 1;
    }
}

CRect ShiftToBand(CDC& dc, const QRect& bandArea)
{
    const CPoint origin = dc.GetViewportOrg();
    dc.SetViewportOrg(origin.x - bandArea.left(), origin.y - bandArea.top());
    constexpr int kSlack = 2; // pixels
    const CPoint a = dc.DPtoLP(CPoint(-kSlack, -kSlack));
    const CPoint b = dc.DPtoLP(CPoint(bandArea.width() + kSlack, bandArea.height() + kSlack));
    return CRect(a.x, a.y, b.x, b.y);
}
