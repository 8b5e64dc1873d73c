#include "ChartRender.h"

#include "ChartLayout.h"
#include "ChartText.h"
#include "document/MeasurementLog.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QColor kGrid(222, 222, 222);
const QColor kFrame(96, 96, 96);
const QColor kLabel(48, 48, 48);
// A name at the top left of its lane, or a legend entry, takes at most this width.
constexpr int kNameWidth = CChartLayout::kLegendItemWidth;

QFont LabelFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(CChartLayout::kFontPixels);
    return font;
}

// The ticks (log indices) a horizontal range needs, one beyond each side so that the
// line into the range is drawn as well.
std::pair<long long, long long> TicksIn(const CChartLayout& layout, int left, int right, long long count)
{
    const long long first = (long long)std::floor(layout.TickAtX(left)) - 1;
    const long long last = (long long)std::ceil(layout.TickAtX(right + 1)) + 1;
    return {std::max(0LL, first), std::min(count - 1, last)};
}

void PaintLaneGrid(QPainter& p, const CChartLayout& layout, int lane, const QRect& dirty)
{
    const QRect r = layout.Lane(lane);
    if (!r.adjusted(-CChartLayout::kLeftMargin, -8, 0, 8).intersects(dirty))
        return;
    p.setPen(QPen(kGrid, 0));
    for (int volt = 1; volt < 5; ++volt) {
        const double y = std::round(layout.YOfLevel(lane, volt * 100));
        p.drawLine(QPointF(std::max(r.left(), dirty.left()), y), QPointF(std::min(r.right(), dirty.right()), y));
    }
    const long long step = layout.TimeStep();
    const long long from = std::max(0LL, (long long)std::floor(layout.TickAtX(dirty.left()) / double(step)));
    for (long long t = from * step; layout.XOfTick(double(t)) <= std::min(r.right(), dirty.right()); t += step) {
        const double x = std::round(layout.XOfTick(double(t)));
        if (x > r.left())
            p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
    p.setPen(QPen(kFrame, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));

    // Volt labels: every volt where the lane is tall enough, else 0 and 5 V.
    if (dirty.left() >= r.left())
        return; // a strip of the plot: text is the dearest thing to draw
    p.setPen(kLabel);
    const int every = r.height() >= 6 * CChartLayout::kFontPixels ? 1 : r.height() >= 2 * CChartLayout::kFontPixels ? 5 : 0;
    // 5 V hangs below its line and 0 V stands on its own, so that neighbouring lanes'
    // labels do not meet.
    const int f = CChartLayout::kFontPixels;
    for (int volt = 0; every > 0 && volt <= 5; volt += every) {
        const double y = layout.YOfLevel(lane, volt * 100);
        const double top = volt == 5 ? y - 2 : volt == 0 ? y - 2 * f + 2 : y - f;
        const QRectF box(layout.Area().left(), top, CChartLayout::kLeftMargin - 5, 2 * f);
        const Qt::Alignment vertical = volt == 5 ? Qt::AlignTop : volt == 0 ? Qt::AlignBottom : Qt::AlignVCenter;
        p.drawText(box, Qt::AlignRight | vertical, QStringLiteral("%1 V").arg(volt));
    }
}

void PaintTimeLabels(QPainter& p, const CMeasurementLog& log, const CChartLayout& layout, const QRect& dirty)
{
    const QRect plot = layout.Plot();
    const int top = plot.bottom() + 3;
    if (dirty.bottom() < top)
        return;
    const long long step = layout.TimeStep();
    const int halfWidth = int(step * layout.PixelsPerTick() / 2);
    const long long from = std::max(0LL, (long long)std::floor(layout.TickAtX(dirty.left() - halfWidth) / double(step)));
    p.setPen(kLabel);
    p.save();
    p.setClipRect(QRect(plot.left() - halfWidth, top, plot.width() + 2 * halfWidth, CChartLayout::kBottomMargin)
                      .intersected(dirty));
    for (long long t = from * step; layout.XOfTick(double(t)) - halfWidth <= dirty.right(); t += step) {
        const double x = layout.XOfTick(double(t));
        if (x > plot.right() + 1)
            break;
        const QRectF box(x - halfWidth, top, 2 * halfWidth, CChartLayout::kFontPixels + 4);
        p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, AxisTimeText(log.FirstTick() + t, step));
    }
    p.restore();
}

void PaintNames(QPainter& p, const CMeasurementLog& log, const CChartLayout& layout, const QRect& dirty)
{
    const auto& traces = log.Traces();
    for (int i = 0; i < int(traces.size()); ++i) {
        const QRect place = layout.Lanes() ? layout.Lane(i) : layout.LegendItem(i);
        const QRect nameArea(place.left(), place.top(), kNameWidth, CChartLayout::kLegendRowHeight + 2);
        if (!nameArea.intersects(dirty))
            continue;
        const QString name = ProbeName(traces[std::size_t(i)].number);
        if (layout.Lanes()) {
            const QRect lane = layout.Lane(i);
            if (lane.height() < CChartLayout::kFontPixels + 4)
                continue; // too many lanes to name them all: the legend colours still tell
            const QRect box(lane.left() + 4, lane.top() + 2, p.fontMetrics().horizontalAdvance(name) + 6,
                            CChartLayout::kFontPixels + 3);
            p.fillRect(box, Qt::white);
            p.setPen(TraceColour(i));
            p.drawText(box, Qt::AlignCenter, name);
        } else {
            const QRect item = layout.LegendItem(i);
            const int y = item.center().y();
            p.setPen(QPen(TraceColour(i), 2));
            p.drawLine(item.left(), y, item.left() + 14, y);
            p.setPen(kLabel);
            p.drawText(item.adjusted(18, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, name);
        }
    }
}

// Every tick a point. For vector output the points are in tick and level units and
// the painter maps them, so the file holds the measured numbers themselves.
void PaintEverySample(QPainter& p, const std::vector<std::int16_t>& levels, const CChartLayout& layout, int lane,
                      long long first, long long last, bool vector, bool smooth)
{
    const QRect r = layout.Lane(lane);
    const double yScale = (r.height() - 1) / double(CChartLayout::kMaxLevel);
    QPolygonF points;
    points.reserve(qsizetype(last - first + 1));
    for (long long t = first; t <= last; ++t)
        points.append(vector ? QPointF(double(t), levels[std::size_t(t)])
                             : QPointF(layout.XOfTick(double(t)), layout.YOfLevel(lane, levels[std::size_t(t)])));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, smooth);
    if (vector) {
        p.translate(layout.XOfTick(0), r.top() + CChartLayout::kMaxLevel * yScale);
        p.scale(layout.PixelsPerTick(), -yScale);
    }
    if (points.size() == 1)
        p.drawPoint(points.front());
    else
        p.drawPolyline(points);
    p.restore();
}

// Ticks that share a pixel column: the line enters at the first, spans their lowest to
// highest level and leaves at the last.
void PaintColumns(QPainter& p, const std::vector<std::int16_t>& levels, const CChartLayout& layout, int lane,
                  long long first, long long last)
{
    const int left = std::max(layout.Plot().left(), (int)std::floor(layout.XOfTick(double(first))));
    const int right = std::min(layout.Plot().right(), (int)std::ceil(layout.XOfTick(double(last))));
    QPolygonF points;
    points.reserve(4 * qsizetype(right - left + 1));
    for (int x = left; x <= right; ++x) {
        const long long begin = std::max(first, (long long)std::ceil(layout.TickAtX(x)));
        const long long end = std::min(last + 1, (long long)std::ceil(layout.TickAtX(x + 1)));
        if (begin >= end)
            continue;
        int low = levels[std::size_t(begin)], high = low;
        for (long long t = begin + 1; t < end; ++t) {
            low = std::min<int>(low, levels[std::size_t(t)]);
            high = std::max<int>(high, levels[std::size_t(t)]);
        }
        const double px = x + 0.5;
        points.append(QPointF(px, layout.YOfLevel(lane, levels[std::size_t(begin)])));
        points.append(QPointF(px, layout.YOfLevel(lane, low)));
        points.append(QPointF(px, layout.YOfLevel(lane, high)));
        points.append(QPointF(px, layout.YOfLevel(lane, levels[std::size_t(end - 1)])));
    }
    if (!points.isEmpty())
        p.drawPolyline(points);
}

void PaintTraces(QPainter& p, const CMeasurementLog& log, const CChartLayout& layout, const QRect& dirty,
                 ChartOutput output)
{
    const QRect plot = layout.Plot();
    const QRect area = plot.intersected(dirty);
    if (area.isEmpty())
        return;
    const long long count = std::min(layout.TickCount(), log.TickCount());
    const auto [first, last] = TicksIn(layout, area.left(), area.right(), count);
    if (first > last)
        return;
    const bool vector = output == ChartOutput::Vector;
    const bool columns = !vector && layout.PixelsPerTick() < 1.0;
    const bool smooth = output != ChartOutput::Screen && !columns;
    const auto& traces = log.Traces();
    for (int i = 0; i < int(traces.size()); ++i) {
        const int lane = layout.LaneOfTrace(i);
        p.save();
        p.setClipRect(layout.Lane(lane).adjusted(0, -1, 0, 1).intersected(area));
        QPen pen(TraceColour(i), smooth || vector ? 2 : 1);
        pen.setCosmetic(true);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        const auto& levels = traces[std::size_t(i)].levels;
        if (columns)
            PaintColumns(p, levels, layout, lane, first, last);
        else
            PaintEverySample(p, levels, layout, lane, first, last, vector, smooth || vector);
        p.restore();
    }
}

} // namespace

QColor TraceColour(int trace)
{
    static const std::array<QColor, 10> kColours = {
        QColor(214, 0, 0),   QColor(0, 80, 220),  QColor(0, 140, 0),    QColor(230, 120, 0), QColor(140, 0, 170),
        QColor(0, 150, 150), QColor(130, 80, 30), QColor(220, 0, 140),  QColor(110, 120, 0), QColor(70, 70, 70),
    };
    return kColours[std::size_t(std::max(0, trace)) % kColours.size()];
}

void PaintChart(QPainter& p, const CMeasurementLog& log, const CChartLayout& layout, const QRect& dirty,
                ChartOutput output)
{
    p.save();
    p.setClipRect(dirty);
    p.fillRect(dirty.intersected(layout.Area()), Qt::white);
    p.setFont(LabelFont());
    if (!log.HasTraces() || layout.TraceCount() == 0) {
        p.setPen(kFrame);
        p.drawRect(layout.Plot().adjusted(0, 0, -1, -1));
        p.setPen(kLabel);
        p.drawText(layout.Plot(), Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("Nog geen meting: zet sondes op het bord en kies Start."));
        p.restore();
        return;
    }
    for (int lane = 0; lane < layout.LaneCount(); ++lane)
        PaintLaneGrid(p, layout, lane, dirty);
    PaintTimeLabels(p, log, layout, dirty);
    PaintTraces(p, log, layout, dirty, output);
    PaintNames(p, log, layout, dirty);
    p.restore();
}
