#include "PaletteView.h"

#include "platform/DrawContext.h"
#include "platform/ScreenScale.h"
#include "platform/Strings.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>
#include <cstdlib>

namespace {
constexpr int kTextLeft = 10;
constexpr int kBandMargin = 5;
constexpr int kChartHeight = 265; // board units per strip chart
constexpr int kChartTop = 30;     // the first chart's frame lies this far below the top
constexpr int kChartLeft = 60;
} // namespace

CVeldtrakView::CVeldtrakView(CVeldtrakDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    m_doc.AddView(this);
}

CVeldtrakView::~CVeldtrakView()
{
    m_doc.RemoveView(this);
}

void CVeldtrakView::OnInitialUpdate()
{
    if (m_nEntries >= 0) return; // the palette is filled once; new boards do not change it
    // Making a component numbers its sockets; the palette's samples leave no trace.
    const int lastBusId = m_doc.m_nLastBusId;
    int index = m_nEntries + 1;
    while (std::unique_ptr<CComponent> component = m_doc.CreateComponent(index)) {
        m_names << LoadString(int(component->GetTypeId()));
        ++index;
    }
    m_doc.m_nLastBusId = lastBusId;
    m_nEntries = index;
    SizePane();
    Redraw();
}

int CVeldtrakView::Dpi() const
{
    return std::max(1, viewport()->logicalDpiY()); // the same scale as the board pane
}

double CVeldtrakView::SurfaceScale() const
{
    return DevicePixelScale(*viewport());
}

QSize CVeldtrakView::SurfaceSize() const
{
    const double scale = SurfaceScale();
    const QSize size = viewport()->size();
    return QSize(int(std::ceil(size.width() * scale)), int(std::ceil(size.height() * scale)));
}

std::unique_ptr<CDC> CVeldtrakView::SurfaceDC()
{
    // The surface has the screen's device pixels, so the pane is sharp on any screen;
    // text is laid out at the pane's own resolution, as on an ordinary screen.
    const double scale = SurfaceScale();
    auto dc = std::make_unique<CDC>(m_surface, int(std::lround(Dpi() * scale)));
    dc->SetLayoutDpi(Dpi());
    dc->SetViewportOrg(-int(std::lround(horizontalScrollBar()->value() * scale)),
                       -int(std::lround(verticalScrollBar()->value() * scale)));
    return dc;
}

int CVeldtrakView::UnitsToPixels(int units) const
{
    return units * Dpi() / 254;
}

void CVeldtrakView::SizePane()
{
    const QSize client = viewport()->size();
    m_paneRect = CRect(0, 0, client.width() * 254 / Dpi(), -(client.height() * 254 / Dpi()));
    if (m_nPaneMode == PANE_CHARTS)
        SizeForCharts();
    else
        SizePalette();
}

void CVeldtrakView::SizePalette()
{
    if (m_nEntries <= 0) return;
    const QSize client = viewport()->size();
    m_nRowUnit = kRowUnit;
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setRange(0, 0);
    const int total = UnitsToPixels(2 * m_nRowUnit * m_nEntries);
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, total - client.height()));
    bar->setPageStep(UnitsToPixels(8 * m_nRowUnit));
    bar->setSingleStep(UnitsToPixels(2 * m_nRowUnit));
    bar->setValue(0);
}

void CVeldtrakView::SizeForCharts()
{
    const QSize client = viewport()->size();
    const int width = m_charts.empty() ? 0 : m_charts.front().Frame().Width() + kChartLeft;
    const int height = int(m_charts.size()) * kChartHeight - kChartTop;
    // Wide charts need the horizontal bar that the palette never shows.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QScrollBar* across = horizontalScrollBar();
    across->setRange(0, std::max(0, UnitsToPixels(width) - client.width()));
    across->setPageStep(std::max(1, client.width()));
    QScrollBar* down = verticalScrollBar();
    down->setRange(0, std::max(0, UnitsToPixels(height) - client.height()));
    down->setPageStep(UnitsToPixels(kChartHeight));
    down->setSingleStep(UnitsToPixels(kChartHeight));
}

CPoint CVeldtrakView::ClientToPane(QPoint client) const
{
    const int dpi = Dpi();
    auto toUnits = [dpi](int pixels) {
        return (pixels * 254 + (pixels >= 0 ? dpi : -dpi) / 2) / dpi;
    };
    return CPoint(toUnits(client.x() + horizontalScrollBar()->value()),
                  -toUnits(client.y() + verticalScrollBar()->value()));
}

void CVeldtrakView::Redraw()
{
    const QSize size = SurfaceSize();
    if (size.isEmpty()) return;
    if (m_surface.size() != size) m_surface = QImage(size, QImage::Format_RGB32);
    m_surface.fill(Qt::white);
    m_nHoveredRow = -1;
    const std::unique_ptr<CDC> surface = SurfaceDC();
    CDC& dc = *surface;
    if (m_nPaneMode == PANE_CHARTS) {
        DrawStripCharts(dc);
    } else {
        const CFont oldFont = dc.SelectObject(CFont::Label(m_nRowUnit));
        const int oldMode = dc.SetBkMode(TRANSPARENT);
        for (int i = 0; i < int(m_names.size()); ++i)
            dc.TextOut(kTextLeft, -2 * m_nRowUnit * i, m_names[i]);
        dc.SetBkMode(oldMode);
        dc.SelectObject(oldFont);
    }
    viewport()->update();
}

void CVeldtrakView::InvertRowBand(int row)
{
    if (row < 0 || m_surface.isNull()) return;
    const std::unique_ptr<CDC> surface = SurfaceDC();
    CDC& dc = *surface;
    const CFont oldFont = dc.SelectObject(CFont::Label(m_nRowUnit));
    const int textHeight = dc.GetTextExtent(QStringLiteral("Q")).cy;
    const int top = -2 * m_nRowUnit * row + kBandMargin;
    const int bottom = -2 * m_nRowUnit * row - textHeight - kBandMargin;
    const int oldMix = dc.SetROP2(R2_XORPEN);
    const CBrush oldBrush = dc.SelectObject(CBrush::White());
    const CPen oldPen = dc.SelectObject(CPen::White());
    dc.Rectangle(0, top, m_paneRect.right, bottom);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SetROP2(oldMix);
    dc.SelectObject(oldFont);
    viewport()->update();
}

void CVeldtrakView::HoverAt(QPoint client)
{
    if (m_nPaneMode != PANE_PALETTE || m_nRowUnit <= 0) return;
    const int row = ClientToPane(client).y / (-2 * m_nRowUnit);
    if (row == m_nHoveredRow) return;
    InvertRowBand(m_nHoveredRow);
    InvertRowBand(row);
    m_nHoveredRow = row;
}

void CVeldtrakView::OnUpdate(int hint, int argument)
{
    switch (hint) {
    case HINT_STARTED:
        m_nPaneMode = PANE_CHARTS;
        BuildStripCharts();
        Redraw();
        break;
    case HINT_STOPPED:
        DeleteStripCharts();
        m_nEntries = int(m_names.size());
        m_nPaneMode = PANE_PALETTE;
        SizePane();
        Redraw();
        break;
    case HINT_RESET:
        ClearStripCharts();
        break;
    case HINT_TICK:
        AdvanceStripCharts();
        break;
    case HINT_OPENED:
        verticalScrollBar()->setValue(0);
        if (m_nPaneMode != PANE_STARTUP) m_nPaneMode = PANE_PALETTE;
        Redraw();
        break;
    case HINT_STARTUP_IMAGE:
        m_nPaneMode = argument != 0 ? PANE_STARTUP : PANE_PALETTE;
        break;
    default:
        break;
    }
}

void CVeldtrakView::BuildStripCharts()
{
    m_charts.clear();
    // The document lists the highest number first; the lowest goes on top.
    int top = -kChartTop;
    for (auto it = m_doc.m_probeBuses.rbegin(); it != m_doc.m_probeBuses.rend(); ++it) {
        CStripChart& chart = m_charts.emplace_back(m_doc.m_nProbeWidth);
        chart.Place(kChartLeft, top);
        chart.Attach(*it, std::abs((*it)->m_nValue)); // Start left the number in the socket
        top -= kChartHeight;
    }
    SizePane();
    horizontalScrollBar()->setValue(0); // the first chart in view, whatever the palette showed
    verticalScrollBar()->setValue(0);
}

void CVeldtrakView::DeleteStripCharts()
{
    m_charts.clear();
}

void CVeldtrakView::ClearStripCharts()
{
    for (CStripChart& chart : m_charts)
        chart.Clear();
}

void CVeldtrakView::ClearStripChart(int index)
{
    if (index >= 0 && index < StripChartCount()) m_charts[std::size_t(index)].Clear();
}

void CVeldtrakView::DrawStripCharts(CDC& dc)
{
    for (auto it = m_charts.rbegin(); it != m_charts.rend(); ++it)
        it->Draw(dc, true);
}

void CVeldtrakView::AdvanceStripCharts()
{
    if (m_surface.isNull()) { // no room to draw: the traces still move on
        for (CStripChart& chart : m_charts)
            chart.Sample();
        return;
    }
    const std::unique_ptr<CDC> surface = SurfaceDC();
    for (CStripChart& chart : m_charts)
        chart.Draw(*surface, false);
    viewport()->update();
}

void CVeldtrakView::paintEvent(QPaintEvent* event)
{
    if (m_surface.size() != SurfaceSize()) Redraw(); // a new size, or a sharper screen
    QPainter painter(viewport());
    // Device pixel for device pixel: the surface already has the screen's resolution.
    const QRectF target(event->rect());
    const double scale = SurfaceScale();
    painter.drawImage(target, m_surface,
                      QRectF(target.left() * scale, target.top() * scale, target.width() * scale,
                             target.height() * scale));
}

void CVeldtrakView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    SizePane();
    Redraw();
}

void CVeldtrakView::scrollContentsBy(int, int)
{
    Redraw();
}

void CVeldtrakView::mouseMoveEvent(QMouseEvent* event)
{
    HoverAt(event->position().toPoint());
}

void CVeldtrakView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_nPaneMode != PANE_PALETTE) return;
    const QPoint client = event->position().toPoint();
    HoverAt(client); // the band follows the press even without a move before it
    if (m_nHoveredRow < 0 || m_nHoveredRow >= m_nEntries) return;
    if (m_activateBoardPane) m_activateBoardPane();
    m_doc.UpdateAllViews(HINT_PLACE_COMPONENT, m_nHoveredRow + client.y() * 65536);
}

void CVeldtrakView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton || m_nPaneMode != PANE_CHARTS || StripChartCount() == 0)
        return;
    const int index = -(ClientToPane(event->position().toPoint()).y + kChartTop) / kChartHeight;
    ClearStripChart(index);
}
