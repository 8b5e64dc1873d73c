// Zooming the board view: one step of the table at a time, from the menu, its keys or
// Ctrl with the mouse wheel. Only the drawing resolution changes; board positions,
// hit tests and text layout stay those of true size.
#include "BoardView.h"

#include "Sprites.h"
#include "ZoomSteps.h"
#include "platform/DrawContext.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace {
constexpr int kWheelStep = 120; // one notch of a common mouse wheel
} // namespace

int CBoardView::ZoomPercent() const
{
    return kZoomSteps[std::size_t(m_nZoomStep)].percent;
}

bool CBoardView::CanZoomIn() const
{
    return m_nMode != MODE_STARTUP && m_nZoomStep < int(kZoomSteps.size()) - 1;
}

bool CBoardView::CanZoomOut() const
{
    return m_nMode != MODE_STARTUP && m_nZoomStep > 0;
}

void CBoardView::ZoomBy(int steps, std::optional<QPoint> anchor)
{
    // Clamped before adding: a hostile delta must not overflow the step.
    steps = std::clamp(steps, -int(kZoomSteps.size()), int(kZoomSteps.size()));
    ApplyZoomStep(ClampZoomStep(m_nZoomStep + steps), anchor.value_or(viewport()->rect().center()));
}

void CBoardView::ZoomToTrueSize()
{
    ApplyZoomStep(kTrueSizeZoomStep, viewport()->rect().center());
}

void CBoardView::ApplyZoomStep(int step, QPoint anchor)
{
    // The start-up pictures are placed in pixels; the board is zoomed once it shows.
    if (m_nMode == MODE_STARTUP || step == m_nZoomStep)
        return;
    const CPoint held = ClientToBoard(anchor);
    m_nZoomStep = step;
    // A component being dragged goes on moving as a sprite of the new size.
    if (m_nMode == MODE_DRAG_COMPONENT && m_pSprite)
        if (CComponent* c = Dragged())
            m_pSprite = MakeSprite(*c);
    UpdateScrollSizes();

    // Scroll so that the held board point lands under the anchor again.
    QImage none;
    CDC unscrolled(none, Dpi());
    const CPoint device = unscrolled.LPtoDP(held);
    const double scale = SurfaceScale();
    horizontalScrollBar()->setValue(int(std::lround(device.x / scale)) - anchor.x());
    verticalScrollBar()->setValue(int(std::lround(device.y / scale)) - anchor.y());
    InvalidateAll();
    if (m_zoomChanged)
        m_zoomChanged();
}

void CBoardView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        m_nWheelDelta = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    // Fine-grained wheels send parts of a notch: a step per whole notch.
    m_nWheelDelta = std::clamp(m_nWheelDelta + event->angleDelta().y(), -16 * kWheelStep, 16 * kWheelStep);
    const int steps = m_nWheelDelta / kWheelStep;
    m_nWheelDelta -= steps * kWheelStep;
    if (steps != 0)
        ZoomBy(steps, event->position().toPoint());
}
