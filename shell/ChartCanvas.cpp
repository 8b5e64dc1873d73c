#include "ChartCanvas.h"

#include "chart/ChartRender.h"
#include "document/MeasurementLog.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCursorStrip = 3;
const QColor kHoverColour(90, 90, 90);
const QColor kMarkColour(0, 0, 150);

} // namespace

CChartCanvas::CChartCanvas(CVeldtrakDoc& doc, const CMeasurementLog& log, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_log(log)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted
    setMinimumSize(320, 160);
    m_doc.AddView(this);
}

CChartCanvas::~CChartCanvas()
{
    m_doc.RemoveView(this);
}

double CChartCanvas::PixelsPerTick() const
{
    return std::ldexp(1.0, m_nZoom);
}

long long CChartCanvas::TicksPerColumn() const
{
    return m_nZoom < 0 ? 1LL << -m_nZoom : 1;
}

CChartLayout CChartCanvas::Layout() const
{
    CChartLayout layout(rect(), int(m_log.Traces().size()), m_bLanes);
    layout.SetTimeWindow(double(m_nFirst), PixelsPerTick());
    layout.SetTickCount(m_log.TickCount());
    return layout;
}

long long CChartCanvas::VisibleTicks() const
{
    const CChartLayout layout = Layout();
    return std::max(1LL, (long long)std::ceil(layout.Plot().width() / PixelsPerTick()));
}

long long CChartCanvas::Clamped(long long first) const
{
    const long long column = TicksPerColumn();
    // The newest tick may come as far left as the plot's right edge, no further.
    long long last = std::max(0LL, m_log.TickCount() - VisibleTicks());
    last = (last + column - 1) / column * column;
    first = std::clamp(first, 0LL, last);
    return first / column * column;
}

void CChartCanvas::OnUpdate(int hint, int)
{
    switch (hint) {
    case HINT_TICK:
        OnTick();
        break;
    case HINT_STARTED:
    case HINT_OPENED:
        Restart();
        break;
    case HINT_STOPPED:
        emit ViewChanged();
        break;
    default:
        break;
    }
}

void CChartCanvas::Restart()
{
    m_nFirst = 0;
    m_nLogFirst = 0;
    m_bFollow = true;
    m_hover.reset();
    m_marks = {};
    update();
    emit ViewChanged();
    emit CursorsChanged();
}

void CChartCanvas::FollowsDropOfOldest()
{
    const long long dropped = m_log.FirstTick() - m_nLogFirst;
    m_nLogFirst = m_log.FirstTick();
    const auto shift = [dropped](std::optional<long long>& tick) {
        if (tick && (*tick -= dropped) < 0)
            tick.reset();
    };
    shift(m_hover);
    shift(m_marks[0]);
    shift(m_marks[1]);
    if (!m_marks[0] && m_marks[1])
        std::swap(m_marks[0], m_marks[1]);
    m_nFirst = Clamped(m_nFirst - dropped);
    update();
    emit CursorsChanged();
}

void CChartCanvas::OnTick()
{
    if (m_log.FirstTick() != m_nLogFirst)
        FollowsDropOfOldest();
    if (!isVisible())
        return; // caught up when shown
    FollowNewestTick();
    emit ViewChanged();
}

void CChartCanvas::FollowNewestTick()
{
    const long long newest = m_log.TickCount() - 1;
    if (newest < 0 || !m_bFollow)
        return;
    if (newest == 0) {
        update(); // the first tick brings the lanes, their grid and names
        return;
    }
    const CChartLayout layout = Layout();
    const QRect plot = layout.Plot();
    if (layout.XOfTick(double(newest)) <= plot.right()) {
        UpdateNewestPiece(layout);
        return;
    }
    // Past the right edge: a quarter of the plot onwards at once and drawn anew, so that
    // the next ticks again cost a strip each. (The window system's scrolling of the
    // drawn pixels could lose a strip asked for in the same tick.)
    const long long column = TicksPerColumn();
    const long long lastShown = (long long)std::floor(layout.TickAtX(plot.right()));
    const long long shift = newest - lastShown + VisibleTicks() / 4;
    m_nFirst += (shift + column - 1) / column * column; // beyond where a scroll may go
    update();
}

void CChartCanvas::UpdateNewestPiece(const CChartLayout& layout)
{
    // Only the new piece of each trace: from the previous tick to this one.
    const long long newest = m_log.TickCount() - 1;
    const QRect plot = layout.Plot();
    const int left = std::max(plot.left(), int(std::floor(layout.XOfTick(double(newest - 1)))) - 2);
    const int right = std::min(plot.right(), int(std::ceil(layout.XOfTick(double(newest)))) + 2);
    if (left <= right)
        update(QRect(QPoint(left, plot.top()), QPoint(right, plot.bottom())));
}

void CChartCanvas::ZoomBy(int steps, std::optional<int> anchorX)
{
    const int zoom = std::clamp(m_nZoom + steps, kMinZoom, kMaxZoom);
    if (zoom == m_nZoom)
        return;
    const CChartLayout before = Layout();
    const int anchor = anchorX.value_or(before.Plot().center().x());
    const double tick = before.TickAtX(anchor);
    m_nZoom = zoom;
    const double first = tick - (anchor - before.Plot().left()) / PixelsPerTick();
    ScrollTo((long long)std::llround(first));
}

void CChartCanvas::ShowAll()
{
    const CChartLayout layout = Layout();
    const long long span = std::max(1LL, m_log.TickCount() - 1);
    int zoom = kMaxZoom;
    while (zoom > kMinZoom && span * std::ldexp(1.0, zoom) > layout.Plot().width() - 1)
        --zoom;
    m_nZoom = zoom;
    ScrollTo(0);
}

void CChartCanvas::ScrollTo(long long firstTick)
{
    m_nFirst = Clamped(firstTick);
    const long long lastShown = m_nFirst + VisibleTicks() - 1;
    m_bFollow = lastShown >= m_log.TickCount() - 1;
    update();
    emit ViewChanged();
}

void CChartCanvas::SetLanes(bool lanes)
{
    if (lanes == m_bLanes)
        return;
    m_bLanes = lanes;
    m_nFirst = Clamped(m_nFirst); // the plot may have another width
    update();
    emit ViewChanged();
}

std::optional<long long> CChartCanvas::TickAtColumn(int x) const
{
    const CChartLayout layout = Layout();
    if (m_log.TickCount() == 0 || x < layout.Plot().left() || x > layout.Plot().right())
        return std::nullopt;
    // A column of several ticks is read at its first, as the trace enters it there.
    const double at = layout.TickAtX(x);
    const long long tick = m_nZoom < 0 ? (long long)std::ceil(at) : (long long)std::llround(at);
    if (tick < 0 || tick >= m_log.TickCount())
        return std::nullopt;
    return tick;
}

void CChartCanvas::UpdateCursorLine(const std::optional<long long>& tick)
{
    if (!tick)
        return;
    const CChartLayout layout = Layout();
    const int x = int(std::floor(layout.XOfTick(double(*tick))));
    update(QRect(x - kCursorStrip, 0, 2 * kCursorStrip + 1, height()));
}

void CChartCanvas::PaintCursors(QPainter& p, const CChartLayout& layout, const QRect& dirty) const
{
    const QRect plot = layout.Plot();
    const auto line = [&](long long tick, const QColor& colour, Qt::PenStyle style, const QString& name) {
        const int x = int(std::floor(layout.XOfTick(double(tick))));
        if (x < plot.left() || x > plot.right() || x < dirty.left() - kCursorStrip || x > dirty.right() + kCursorStrip)
            return;
        p.setPen(QPen(colour, 1, style));
        p.drawLine(x, plot.top(), x, plot.bottom());
        if (!name.isEmpty()) {
            p.fillRect(QRect(x + 1, plot.top(), 11, 13), colour);
            p.setPen(Qt::white);
            p.drawText(QRect(x + 1, plot.top(), 11, 13), Qt::AlignCenter, name);
        }
    };
    if (m_marks[0])
        line(*m_marks[0], kMarkColour, Qt::SolidLine, QStringLiteral("A"));
    if (m_marks[1])
        line(*m_marks[1], kMarkColour, Qt::SolidLine, QStringLiteral("B"));
    if (m_hover)
        line(*m_hover, kHoverColour, Qt::DashLine, QString());
}

void CChartCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const CChartLayout layout = Layout();
    PaintChart(painter, m_log, layout, event->rect(), ChartOutput::Screen);
    PaintCursors(painter, layout, event->rect());
}

void CChartCanvas::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_bFollow)
        m_nFirst = Clamped(m_log.TickCount()); // the newest tick at the right edge
    emit ViewChanged();
}

void CChartCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_nFirst = Clamped(m_nFirst);
    emit ViewChanged();
}

void CChartCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const std::optional<long long> tick = TickAtColumn(event->position().toPoint().x());
    if (tick == m_hover)
        return;
    UpdateCursorLine(m_hover);
    m_hover = tick;
    UpdateCursorLine(m_hover);
    emit CursorsChanged();
}

void CChartCanvas::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    UpdateCursorLine(m_hover);
    m_hover.reset();
    emit CursorsChanged();
}

void CChartCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        m_marks = {};
    } else if (event->button() == Qt::LeftButton) {
        const std::optional<long long> tick = TickAtColumn(event->position().toPoint().x());
        if (!tick)
            return;
        // A first click places A, the second B, the third starts over with A.
        if (!m_marks[0] || m_marks[1])
            m_marks = {tick, std::nullopt};
        else
            m_marks[1] = tick;
    } else {
        return;
    }
    update();
    emit CursorsChanged();
}

void CChartCanvas::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const bool scrolls = (event->modifiers() & Qt::ShiftModifier) || delta.x() != 0;
    const int amount = delta.x() != 0 ? delta.x() : delta.y();
    if (amount == 0)
        return;
    const int steps = amount / 120 != 0 ? amount / 120 : (amount > 0 ? 1 : -1);
    if (scrolls)
        ScrollTo(m_nFirst - steps * std::max(TicksPerColumn(), VisibleTicks() / 8));
    else
        ZoomBy(steps, event->position().toPoint().x());
    event->accept();
}
