// The board pane itself: construction, the update hints, mapping and scrolling, the
// surface and its painting, timers, keys, the mouse entry points and the size check.
#include "BoardView.h"

#include "annotations/AnnotationAuthoring.h"
#include "document/DrawnState.h"

#include "BoardSettingsDlg.h"
#include "Cursors.h"
#include "Printing.h"
#include "Sprites.h"
#include "SurfaceBands.h"
#include "ZoomSteps.h"
#include "platform/DrawContext.h"
#include "platform/ScreenScale.h"
#include "platform/Sound.h"
#include "platform/Strings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kMinimumScreenWidth = 800;
constexpr int kMinimumScreenHeight = 600;
constexpr int kPageOverlap = 100; // a vertical page step keeps 1 cm of the last page

} // namespace

CBoardView::CBoardView(CVeldtrakDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_nZoomStep(kTrueSizeZoomStep),
      m_pSprites(std::make_unique<CSpriteCache>())
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetCurrentCursor(CURSOR_PLAIN);

    m_screenSize = [this] {
        const QScreen* s = screen();
        return s ? s->size() : QSize();
    };
    m_quit = [](int exitCode) {
        // Posted, so that it also ends a program whose event loop has not started yet.
        QMetaObject::invokeMethod(
            qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
    };
    InstallAnnotationAuthoring(m_doc); // the teacher's dialogs for new text fields and tables
    m_doc.AddView(this);
}

CBoardView::~CBoardView()
{
    m_doc.RemoveView(this);
}

void CBoardView::OnUpdate(int hint, int argument)
{
    switch (hint) {
    case HINT_REFRESH:
        AbandonEditing(); // a deletion or a reload ends any drag or wire
        m_nMode = MODE_IDLE;
        InvalidateAll();
        break;
    case HINT_PLACE_COMPONENT:
        OnPlaceComponent(argument);
        break;
    case HINT_NEW_TEXTFIELD:
        OnNewTextField();
        break;
    case HINT_STARTED:
        AbandonEditing();
        OnMeasurementStarted();
        break;
    case HINT_STOPPED:
        AbandonEditing(); // Stop is offered while editing too, and goes back to idle
        OnMeasurementStopped();
        break;
    case HINT_RESET:
        AbandonEditing(); // the components go back to their start: a wire begun stays unfinished
        OnMeasurementReset();
        break;
    case HINT_TICK:
        break;
    case HINT_NEW_TABLE:
        OnNewTable();
        break;
    case HINT_NEW_PICTURE:
        OnNewPicture();
        break;
    case HINT_OPENED:
        AbandonEditing(); // what was being drawn belongs to the board that went
        ForgetPages(*this); // and so do the pages a print job found
        // The history starts from the board as the screen lays it out, not with the
        // sizes its file gave the texts and tables.
        LayOutAnnotations(m_doc, TrueDpi());
        m_doc.RebaseUndoHistory();
        if (argument == 0)
            ScrollToOrigin();
        InvalidateAll();
        break;
    case HINT_STARTUP_IMAGE:
        AbandonEditing();
        ForgetPages(*this);
        OnStartupImage(argument);
        break;
    case HINT_PAGE_FRAMES: {
        if (AbandonEditing()) { // what it drew goes with a whole repaint, frames included
            InvalidateAll();
            break;
        }
        FlushPendingPaint();
        CDC dc(m_surface, Dpi());
        PrepareDC(dc);
        DrawPageFrames(dc, *this);
        viewport()->update();
        break;
    }
    case HINT_STARTUP_STATUS:
        DrawStartupStatus(argument);
        break;
    default:
        AbandonEditing(); // no wire or drag goes on into the stored mode
        m_nMode = hint; // -16 among others
        InvalidateAll();
        break;
    }
}

// ---------------------------------------------------------------------------------
// Mapping and scrolling

int CBoardView::TrueDpi() const
{
    return std::max(1, viewport()->logicalDpiX());
}

int CBoardView::Dpi() const
{
    return ZoomedDpi(TrueDpi(), m_nZoomStep, SurfaceScale());
}

double CBoardView::SurfaceScale() const
{
    return DevicePixelScale(*viewport());
}

QSize CBoardView::SurfaceSizeFor(QSize viewportSize) const
{
    const double scale = SurfaceScale();
    return QSize(int(std::ceil(viewportSize.width() * scale)), int(std::ceil(viewportSize.height() * scale)))
        .expandedTo(QSize(1, 1));
}

QRect CBoardView::ViewportRectOf(const QRect& surfacePixels) const
{
    const double scale = SurfaceScale();
    if (scale == 1.0)
        return surfacePixels;
    const int left = int(std::floor(surfacePixels.left() / scale));
    const int top = int(std::floor(surfacePixels.top() / scale));
    const int right = int(std::ceil((surfacePixels.right() + 1) / scale));
    const int bottom = int(std::ceil((surfacePixels.bottom() + 1) / scale));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void CBoardView::PrepareDC(CDC& dc) const
{
    const double scale = SurfaceScale();
    dc.SetLayoutDpi(TrueDpi());
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(-int(std::lround(horizontalScrollBar()->value() * scale)),
                      -int(std::lround(verticalScrollBar()->value() * scale)));
}

std::unique_ptr<CSprite> CBoardView::MakeSprite(CComponent& component) const
{
    return std::make_unique<CSprite>(component, Dpi(), TrueDpi());
}

CPoint CBoardView::ClientToBoard(QPoint client) const
{
    QImage none;
    CDC dc(none, Dpi());
    PrepareDC(dc);
    const double scale = SurfaceScale();
    return dc.DPtoLP(CPoint(int(std::lround(client.x() * scale)), int(std::lround(client.y() * scale))));
}

QPoint CBoardView::BoardToClient(CPoint board) const
{
    QImage none;
    CDC dc(none, Dpi());
    PrepareDC(dc);
    const CPoint p = dc.LPtoDP(board);
    const double scale = SurfaceScale();
    return {int(std::lround(p.x / scale)), int(std::lround(p.y / scale))};
}

int CBoardView::ToPixels(int units) const
{
    QImage none;
    return int(std::lround(CDC(none, Dpi()).LengthToDevice(units) / SurfaceScale()));
}

void CBoardView::UpdateScrollSizes()
{
    const QSize board(ToPixels(kBoardWidth), ToPixels(kBoardHeight));
    const QSize view = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, board.width() - view.width()));
    h->setPageStep(std::max(1, view.width()));
    h->setSingleStep(std::max(1, view.width() / 2));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, board.height() - view.height()));
    v->setPageStep(std::max(1, view.height() - ToPixels(kPageOverlap)));
    v->setSingleStep(std::max(1, view.height() / 2));
}

void CBoardView::ScrollToOrigin()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CBoardView::SetScrollBarsEnabled(bool enabled)
{
    horizontalScrollBar()->setEnabled(enabled);
    verticalScrollBar()->setEnabled(enabled);
}

void CBoardView::scrollContentsBy(int, int)
{
    // The surface holds only what the viewport shows: a scroll redraws it.
    InvalidateAll();
}

bool CBoardView::OnScrollKey(int key)
{
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    switch (key) {
    case Qt::Key_PageUp:
        v->triggerAction(QAbstractSlider::SliderPageStepSub);
        return true;
    case Qt::Key_PageDown:
        v->triggerAction(QAbstractSlider::SliderPageStepAdd);
        return true;
    case Qt::Key_Home:
        h->triggerAction(QAbstractSlider::SliderToMinimum);
        v->triggerAction(QAbstractSlider::SliderToMinimum);
        return true;
    case Qt::Key_End:
        h->triggerAction(QAbstractSlider::SliderToMaximum);
        v->triggerAction(QAbstractSlider::SliderToMaximum);
        return true;
    case Qt::Key_Left:
        h->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_Right:
        h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Up:
        v->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_Down:
        v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------
// The surface

void CBoardView::InvalidateAll()
{
    Invalidate(m_surface.rect());
}

void CBoardView::Invalidate(const QRect& pixels)
{
    m_pendingPaint |= pixels & m_surface.rect();
    ShowSurface(pixels);
}

void CBoardView::ShowSurface(const QRect& pixels)
{
    viewport()->update(ViewportRectOf(pixels));
}

void CBoardView::FlushPendingPaint()
{
    // A probe that goes back onto its socket leaves one place and takes another, both
    // perhaps outside the area asked for.
    if (m_doc.SnapProbes())
        InvalidateAll();
    const QRect area = m_pendingPaint & m_surface.rect();
    m_pendingPaint = QRect();
    if (area.isEmpty())
        return;
    // As a window's background is erased before it paints: white under the drawing.
    // The area is drawn through an image of its own over the surface's pixels, which
    // clips it: exclusive-or drawing outside the area must not touch the rest.
    const auto prepare = [this](CDC& dc) { PrepareDC(dc); };
    const CDrawnStateKept kept(m_doc, !ChangeGoingOn());
    const PaintKind kind = BeginPaint();
    if (kind == PaintKind::Editing)
        PaintEditingBoard(m_surface, area, Dpi(), prepare);
    QImage part = SurfaceArea(m_surface, area);
    if (kind != PaintKind::Editing)
        part.fill(Qt::white);
    CDC dc(part, Dpi());
    prepare(dc);
    const CRect clip = ShiftToBand(dc, area);
    if (kind != PaintKind::Editing)
        OnDraw(dc, clip, kind);
    DrawEditingOverlays(dc);
}

void CBoardView::paintEvent(QPaintEvent* event)
{
    if (m_surface.size() != SurfaceSizeFor(viewport()->size())) { // moved to a sharper screen
        m_surface = QImage(SurfaceSizeFor(viewport()->size()), QImage::Format_RGB32);
        UpdateScrollSizes();
        InvalidateAll();
    }
    FlushPendingPaint();
    QPainter painter(viewport());
    // Device pixel for device pixel: the surface already has the screen's resolution.
    const QRectF target(event->rect());
    const double scale = SurfaceScale();
    const QRectF source(target.left() * scale, target.top() * scale, target.width() * scale,
                        target.height() * scale);
    painter.drawImage(target, m_surface, source);
}

void CBoardView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const QSize size = SurfaceSizeFor(viewport()->size());
    if (m_surface.size() != size) {
        m_surface = QImage(size, QImage::Format_RGB32);
        m_surface.fill(Qt::white);
    }
    UpdateScrollSizes();
    InvalidateAll();
    CheckScreenSize();
}

// ---------------------------------------------------------------------------------
// Timers

void CBoardView::SetTimer(int timerId, int milliseconds)
{
    KillTimer(timerId);
    int& id = timerId == kStartupTimer ? m_nStartupTimer : m_nMeasureTimer;
    id = startTimer(milliseconds, Qt::PreciseTimer);
}

void CBoardView::KillTimer(int timerId)
{
    int& id = timerId == kStartupTimer ? m_nStartupTimer : m_nMeasureTimer;
    if (id != 0)
        killTimer(id);
    id = 0;
}

bool CBoardView::IsTimerActive(int timerId) const
{
    return (timerId == kStartupTimer ? m_nStartupTimer : m_nMeasureTimer) != 0;
}

void CBoardView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_nStartupTimer)
        OnTimer(kStartupTimer);
    else if (event->timerId() == m_nMeasureTimer)
        OnTimer(kMeasureTimer);
    else
        QAbstractScrollArea::timerEvent(event);
}

void CBoardView::OnTimer(int timerId)
{
    if (timerId == kStartupTimer)
        RunStartupSequence();
    else
        MeasurementTick();
}

// ---------------------------------------------------------------------------------
// Keys and mouse

unsigned CBoardView::HeldKeyOf(int key)
{
    switch (key) {
    case Qt::Key_CapsLock:
        return HELD_CAPSLOCK;
    case Qt::Key_Up:
        return HELD_UP;
    case Qt::Key_Right:
        return HELD_RIGHT;
    case Qt::Key_Left:
        return HELD_LEFT;
    case Qt::Key_Down:
        return HELD_DOWN;
    default:
        return 0;
    }
}

void CBoardView::keyPressEvent(QKeyEvent* event)
{
    m_nHeldKeys |= HeldKeyOf(event->key());
    OnGuideKeyEvent(*event, true);
    if (event->key() == Qt::Key_Escape && m_nMode == MODE_WIRE && !EditingLocked()) {
        AbandonWire(m_ptLast); // as a right click where the rubber band ends
        return;
    }
    if (m_nMode == MODE_IDLE && !EditingLocked() && OnScrollKey(event->key()))
        return;
    // Not the scroll area's own key handling: arrows are inputs while measuring.
    QWidget::keyPressEvent(event);
}

void CBoardView::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat()) {
        m_nHeldKeys &= ~HeldKeyOf(event->key());
        OnGuideKeyEvent(*event, false);
    }
    QWidget::keyReleaseEvent(event);
}

void CBoardView::OnGuideKeyEvent(const QKeyEvent& event, bool down)
{
    // The guide keys are those whose virtual-key code has bit 0 or 4 set; Shift (0x10)
    // and Ctrl (0x11) are the ones meant. Letters and digits keep their codes.
    int code = 0;
    if (event.key() == Qt::Key_Shift)
        code = 0x10;
    else if (event.key() == Qt::Key_Control)
        code = 0x11;
    else if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_Z)
        code = event.key();
    if ((code & 0x11) == 0)
        return;
    // Noted in every mode: a key held before the press shows its guides once dragging.
    const unsigned bit = code == 0x10 ? 1u : code == 0x11 ? 2u : 4u;
    m_nGuideKeys = down ? m_nGuideKeys | bit : m_nGuideKeys & ~bit;
    if (m_nMode == MODE_DRAG_COMPONENT)
        OnGuideKey(down);
}

void CBoardView::FollowWithGuides(const QMouseEvent& event)
{
    if (m_nMode != MODE_DRAG_COMPONENT)
        return;
    // The event's modifiers also cover a key pressed while another pane had the focus
    // (placing from the palette).
    const bool held = m_nGuideKeys != 0 || (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    if (held)
        OnGuideKey(true); // redraws only when the component moved
    else if (m_bGuidesShown)
        OnGuideKey(false);
}

// The buttons are noted for the measurement's state word in every mode; the start menu
// and the measurement take the mouse before the editing does. Whether a measurement
// runs is the document's to say: other hints may have changed the view's mode meanwhile.
bool CBoardView::EditingLocked() const
{
    return m_nMode == MODE_MEASURING || m_doc.m_bRunning;
}

void CBoardView::mousePressEvent(QMouseEvent* event)
{
    m_buttons = event->buttons();
    m_bPressAbandoned = false;
    m_pressedSinceTick |= event->button();
    if (event->button() == Qt::LeftButton)
        m_ptLeftPress = viewport()->mapFromGlobal(event->globalPosition().toPoint());
    if (EditingLocked() || m_nMode == MODE_STARTUP)
        return;
    if (event->button() == Qt::LeftButton)
        OnLeftButtonDown(BoardPoint(*event));
    else if (event->button() == Qt::RightButton)
        OnRightButtonDown(BoardPoint(*event));
    CommitUndoStep(); // a right click's dialogs and deletions end here
}

void CBoardView::mouseReleaseEvent(QMouseEvent* event)
{
    m_buttons = event->buttons();
    if (m_nMode == MODE_STARTUP && event->button() == Qt::LeftButton)
        OnStartMenuRelease(event->position().toPoint());
    else if (!EditingLocked() && event->button() == Qt::LeftButton &&
             !std::exchange(m_bPressAbandoned, false))
        OnLeftButtonUp(BoardPoint(*event));
    CommitUndoStep();
}

bool CBoardView::IsDragging() const
{
    return m_nMode == MODE_DRAG_COMPONENT || m_nMode == MODE_DRAG_TEXTFIELD ||
           m_nMode == MODE_DRAG_TABLE || m_nMode == MODE_DRAG_PICTURE;
}

bool CBoardView::ChangeGoingOn() const
{
    return IsDragging() || m_nMode == MODE_MARKING || m_nMode == MODE_STARTUP;
}

void CBoardView::CommitUndoStep()
{
    // A change still going on becomes one step when it ends.
    if (ChangeGoingOn())
        return;
    // Each step holds the board as the screen lays it out (an edited text takes its
    // size when it is drawn): a repaint after an undo or a redo then changes nothing.
    if (!m_doc.m_bRunning)
        LayOutAnnotations(m_doc, TrueDpi());
    m_doc.CommitUndoStep();
}

void CBoardView::mouseMoveEvent(QMouseEvent* event)
{
    viewport()->setCursor(GetBoardCursor(BoardCursor(m_nCursor)));
    if (m_nMode == MODE_STARTUP)
        OnStartMenuMove(event->position().toPoint());
    else if (!EditingLocked()) {
        OnEditingMove(BoardPoint(*event));
        FollowWithGuides(*event);
    }
}

CPoint CBoardView::BoardPoint(const QMouseEvent& event) const
{
    // Captured moves arrive in the coordinates of the widget holding the grab.
    const QPoint global = event.globalPosition().toPoint();
    return ClientToBoard(viewport()->mapFromGlobal(global));
}

void CBoardView::DrawDirect(const std::function<void(CDC&)>& draw)
{
    FlushPendingPaint();
    {
        CDC dc(m_surface, Dpi());
        PrepareDC(dc);
        draw(dc);
    }
    viewport()->update();
    // A message box's event loop may resize the surface: it may run only now.
    for (auto& report : std::exchange(m_reports, {}))
        report();
}

void CBoardView::ReportAfterDrawing(std::function<void()> report)
{
    m_reports.push_back(std::move(report));
}

void CBoardView::XorLine(CDC& dc, CPoint from, CPoint to)
{
    const CPen oldPen = dc.SelectObject(CPen::White());
    const int oldMix = dc.SetROP2(R2_XORPEN);
    dc.MoveTo(from.x, from.y);
    dc.LineTo(to.x, to.y);
    dc.SetROP2(oldMix);
    dc.SelectObject(oldPen);
}

void CBoardView::ErrorBeep()
{
    // High, a pause, low; the service plays one tone at a time, so the second waits
    // (and goes with the view).
    SoundService().Beep(500, 50);
    QTimer::singleShot(100, this, [] { SoundService().Beep(200, 50); });
}

// ---------------------------------------------------------------------------------
// Screen size

void CBoardView::CheckScreenSize()
{
    if (m_bQuitting || !m_screenSize)
        return;
    const QSize screen = m_screenSize();
    if (screen.isEmpty() ||
        (screen.width() >= kMinimumScreenWidth && screen.height() >= kMinimumScreenHeight))
        return;
    m_bQuitting = true; // once: the resizes while the program ends ask nothing more
    m_doc.m_messageBox.Show(
        QStringLiteral("Dit programma werkt niet resoluties minder dan 800 x 600 (SVGA)."),
        LoadString(61612));
    if (m_quit)
        m_quit(-2);
}
