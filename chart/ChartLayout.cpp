#include "ChartLayout.h"

#include <algorithm>
#include <array>

namespace {
constexpr int kLegendTop = 4;
constexpr int kTopWithoutLegend = 10;
constexpr int kMinTimeLabelPixels = 64;
} // namespace

int CChartLayout::LegendRows(int width, int traceCount, bool lanes)
{
    if (lanes || traceCount <= 0)
        return 0;
    const int columns = std::max(1, (width - kLeftMargin - kRightMargin) / kLegendItemWidth);
    return (traceCount + columns - 1) / columns;
}

int CChartLayout::TopMargin(int width, int traceCount, bool lanes)
{
    const int rows = LegendRows(width, traceCount, lanes);
    return rows > 0 ? kLegendTop + rows * kLegendRowHeight + 4 : kTopWithoutLegend;
}

CChartLayout::CChartLayout(const QRect& area, int traceCount, bool lanes)
    : m_area(area), m_nTraces(std::max(0, traceCount)), m_bLanes(lanes)
{
    m_nLegendColumns = std::max(1, (area.width() - kLeftMargin - kRightMargin) / kLegendItemWidth);
    const int top = TopMargin(area.width(), m_nTraces, lanes);
    m_plot = QRect(area.left() + kLeftMargin, area.top() + top,
                   std::max(1, area.width() - kLeftMargin - kRightMargin),
                   std::max(1, area.height() - top - kBottomMargin));
}

QRect CChartLayout::Lane(int lane) const
{
    const int lanes = LaneCount();
    if (lanes <= 1)
        return m_plot;
    // Equal lanes with a gap between them; the last one takes the rounding.
    const int gaps = (lanes - 1) * kLaneGap;
    const int height = std::max(1, (m_plot.height() - gaps) / lanes);
    const int top = m_plot.top() + lane * (height + kLaneGap);
    const int bottom = lane == lanes - 1 ? m_plot.bottom() : top + height - 1;
    return QRect(QPoint(m_plot.left(), top), QPoint(m_plot.right(), std::max(top, bottom)));
}

QRect CChartLayout::LegendItem(int trace) const
{
    const int row = trace / m_nLegendColumns;
    const int column = trace % m_nLegendColumns;
    return QRect(m_plot.left() + column * kLegendItemWidth, m_area.top() + kLegendTop + row * kLegendRowHeight,
                 kLegendItemWidth, kLegendRowHeight);
}

void CChartLayout::SetTimeWindow(double firstTick, double pixelsPerTick)
{
    m_dFirstTick = firstTick;
    m_dPixelsPerTick = pixelsPerTick > 0 ? pixelsPerTick : 1;
}

double CChartLayout::YOfLevel(int lane, double hundredths) const
{
    const QRect r = Lane(lane);
    // A lane of h pixels runs from its top row (5 V) to its bottom row (0 V).
    return r.top() + (kMaxLevel - hundredths) * (r.height() - 1) / double(kMaxLevel);
}

long long CChartLayout::TimeStep() const
{
    // 0,05 s up to 20 minutes between lines.
    static constexpr std::array<long long, 17> kSteps = {1,   2,   4,    10,   20,   40,    100,   200,  400,
                                                          600, 1200, 2400, 6000, 12000, 24000, 36000, 72000};
    for (long long step : kSteps)
        if (step * m_dPixelsPerTick >= kMinTimeLabelPixels)
            return step;
    return kSteps.back() * std::max(1LL, (long long)(kMinTimeLabelPixels / (kSteps.back() * m_dPixelsPerTick)) + 1);
}
