// From the first paint to the start menu: the settings, the worksheet library with
// its start-up images and progress line, then the menu or the board named on the
// command line.
#include "BoardView.h"

#include "StartupImages.h"
#include "classroom/WorksheetLibrary.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"

#include <QPainter>

#include <cmath>

namespace {

const char* const kStatusPrefix = "Bezig met het lezen van :  ";
constexpr int kStatusIndent = 220; // board units from the image's left edge

// A rectangle of viewport pixels as board units through a prepared context whose
// device has 'scale' pixels per viewport pixel.
CRect ToBoard(const CDC& dc, const CRect& pixels, double scale)
{
    const auto device = [scale](int v) { return int(std::lround(v * scale)); };
    const CPoint a = dc.DPtoLP(CPoint(device(pixels.left), device(pixels.top)));
    const CPoint b = dc.DPtoLP(CPoint(device(pixels.right), device(pixels.bottom)));
    return {a.x, a.y, b.x, b.y};
}

// An image's size on a device of 'scale' pixels per viewport pixel.
QSize DeviceSize(const QImage& image, double scale)
{
    return QSize(int(std::lround(image.width() * scale)), int(std::lround(image.height() * scale)));
}

CRect Moved(CRect r, CPoint by)
{
    r.OffsetRect(by.x, by.y);
    return r;
}

} // namespace

void CBoardView::RunStartupSequence()
{
    KillTimer(kStartupTimer);
    m_doc.LoadSettings();
    BuildWorksheetLibrary(m_doc);
    m_doc.UpdateAllViews(HINT_STARTUP_IMAGE, kStartMenuImage);

    // A name from the command line takes the form of every other board name, so the
    // window title shows its file name only.
    const QString file = WindowsName(m_doc.GetCommandLineOption(QStringLiteral("file")));
    if (!file.isEmpty()) {
        m_doc.OnOpenDocument(file);
        // Straight to the board: every pane leaves the start-up state.
        m_doc.UpdateAllViews(HINT_STARTUP_IMAGE, 0);
    }
    // The commands stay disabled while the start menu shows; leaving it ends start-up.
}

void CBoardView::OnStartupImage(int number)
{
    ScrollToOrigin();
    if (number > 0)
        ShowStartImage(number);
    else
        LeaveStartup();
}

void CBoardView::ShowStartImage(int number)
{
    // Without any worksheet titles the menu has nothing to offer but an empty board.
    if (number == kStartMenuImage && m_doc.m_libraryEntries.isEmpty()) {
        m_doc.UpdateAllViews(HINT_STARTUP_IMAGE, 0);
        return;
    }
    m_nStartImage = number;
    m_nMode = MODE_STARTUP;
    m_doc.m_bStartImagesShown = true;
    m_doc.m_bBusy = true; // no command may load a board behind the pictures
    ScrollToOrigin();
    SetScrollBarsEnabled(false);

    // The image centres a third of the way into the pane's window rectangle on screen,
    // those numbers taken as positions in the pane.
    const QPoint screenTopLeft = mapToGlobal(QPoint(0, 0));
    const int cx = (2 * screenTopLeft.x() + width()) / 3;
    const int cy = (2 * screenTopLeft.y() + height()) / 3;
    const QImage& image = StartupImage(number);
    const int left = cx - image.width() / 2;
    const int top = cy - image.height() / 2;
    const CPoint corner(left, top);

    QImage none;
    CDC dc(none, Dpi());
    PrepareDC(dc);
    const double scale = SurfaceScale();
    m_rects[0] = ToBoard(dc, CRect(left, top, left + image.width(), top + image.height()), scale);
    for (int b = 0; b < kStartMenuButtonCount; ++b) {
        m_rects[std::size_t(1 + b)] =
            ToBoard(dc, Moved(kStartMenuHotAreas[std::size_t(b)], corner), scale).Normalized();
        m_rects[std::size_t(5 + b)] =
            ToBoard(dc, Moved(kStartMenuPressedAreas[std::size_t(b)], corner), scale);
    }
    InvalidateAll();
}

void CBoardView::DrawStartImage(CDC& dc, int pressedButton)
{
    const QImage& image = StartupImage(m_nStartImage);
    if (image.isNull())
        return;
    // On a sharper screen the pictures keep their size on screen, pixels doubled.
    const double scale = SurfaceScale();
    const CPoint corner = dc.LPtoDP(m_rects[0].TopLeft());
    const QSize size = DeviceSize(image, scale);
    QPainter& painter = dc.Painter();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QRect(QPoint(corner.x, corner.y), size), image);
    const QImage& pressed = PressedButtonImage(pressedButton);
    if (!pressed.isNull()) {
        const CPoint at = dc.LPtoDP(m_rects[std::size_t(4 + pressedButton)].TopLeft());
        painter.drawImage(QRect(QPoint(at.x, at.y), DeviceSize(pressed, scale)), pressed);
    }

    // A thin black frame just outside the image.
    const CPoint a = dc.DPtoLP(CPoint(corner.x - 1, corner.y - 1));
    const CPoint b = dc.DPtoLP(CPoint(corner.x + size.width() + 1, corner.y + size.height() + 1));
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    const CPen oldPen = dc.SelectObject(CPen::Black());
    dc.Rectangle(a.x, a.y, b.x, b.y);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void CBoardView::LeaveStartup()
{
    m_nMode = MODE_IDLE;
    m_nHoveredButton = -1;
    m_doc.m_bStartImagesShown = false;
    m_doc.m_bBusy = false;
    SetScrollBarsEnabled(true);
    InvalidateAll();
}

void CBoardView::DrawStartupStatus(int fileIndex)
{
    if (fileIndex < 0 || fileIndex >= m_doc.m_libraryPaths.size())
        return;
    FlushPendingPaint();
    {
        CDC dc(m_surface, Dpi());
        PrepareDC(dc);
        const CFont oldFont = dc.SelectObject(CFont::Label(36));
        const int x = m_rects[0].left + kStatusIndent;
        const int bottom = m_rects[0].bottom;
        const int y = bottom + dc.GetTextExtent(QStringLiteral("X")).cy + 10;

        // Blank the previous line, then write this one.
        const CPen oldPen = dc.SelectObject(CPen::Null());
        dc.Rectangle(x, bottom, x + m_nStatusWidth, y);
        const QString& path = m_doc.m_libraryPaths[fileIndex];
        const QString text = QString::fromLatin1(kStatusPrefix) + path.mid(path.lastIndexOf(u'\\') + 1);
        m_nStatusWidth = dc.GetTextExtent(text).cx + 10;
        dc.SelectObject(CPen::Black());
        dc.TextOut(x, y, text + u' ');
        dc.SelectObject(oldPen);
        dc.SelectObject(oldFont);
    }
    // The files are read one after another without a pause: show each line at once.
    viewport()->repaint();
}
