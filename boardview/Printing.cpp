#include "Printing.h"

#include "BoardRender.h"
#include "BoardView.h"
#include "document/DrawnState.h"
#include "annotations/Annotation.h"
#include "platform/DrawContext.h"
#include "platform/ModalRunner.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace {

constexpr int kPageNumberLift = 100; // the page number's top lies 10 mm above the page's bottom
constexpr int kPrintLayoutDpi = 96;   // the resolution pictures are laid out in

bool Intersect(const CRect& a, const CRect& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

bool AnyAnnotationMeets(const ObjectList& list, const CRect& tile)
{
    for (const auto& object : list)
        if (const CRect* rect = AnnotationRect(*object);
            rect && Intersect(rect->Normalized(), tile))
            return true;
    return false;
}

// The pages of the job, found on its first page.
void PaginateOnce(CBoardView& view, const CRect& printable)
{
    std::vector<CPoint>& pages = view.PageOrigins();
    if (!pages.empty()) return;
    view.PrintableRect() = printable;
    pages = PaginateBoard(view.Document(), printable);
    if (!pages.empty()) view.Document().m_bPaginated = true;
}

// Page numbers and page frames: black on white with the label font, whatever the
// context was set to before; everything comes back afterwards.
class CPlainStrokes {
public:
    explicit CPlainStrokes(CDC& dc)
        : m_dc(dc), m_nMix(dc.SetROP2(R2_COPYPEN)), m_brush(dc.SelectObject(CBrush::Hollow())),
          m_pen(dc.SelectObject(CPen::Black())), m_font(dc.SelectObject(CFont::Label(44))),
          m_nAlign(dc.SetTextAlign(TA_LEFT | TA_TOP))
    {
    }
    ~CPlainStrokes()
    {
        m_dc.SetTextAlign(m_nAlign);
        m_dc.SelectObject(m_font);
        m_dc.SelectObject(m_pen);
        m_dc.SelectObject(m_brush);
        m_dc.SetROP2(m_nMix);
    }
    CPlainStrokes(const CPlainStrokes&) = delete;
    CPlainStrokes& operator=(const CPlainStrokes&) = delete;

private:
    CDC& m_dc;
    int m_nMix;
    CBrush m_brush;
    CPen m_pen;
    CFont m_font;
    unsigned m_nAlign;
};

void DrawPageNumber(CDC& dc, const CRect& page, int number)
{
    const CPlainStrokes plain(dc);
    dc.TextOut((page.left + page.right) / 2, page.bottom + kPageNumberLift,
               QString::number(number));
}

bool InPrintRange(const QPrinter& printer, int page)
{
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() <= 0) return true;
    return page >= printer.fromPage() && (printer.toPage() <= 0 || page <= printer.toPage());
}

// Paints every page of the job onto the printer, without ending the job.
int PaintBoardPages(CBoardView& view, QPrinter& printer)
{
    const int dpi = PrintDpi(view.Document(), PrintableRectOf(printer), printer.resolution());
    const CRect printable = PageArea(printer, dpi);
    PaginateOnce(view, printable);
    if (view.PageOrigins().empty()) return 0; // nothing on the board: no output at all

    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    int printed = 0;
    int runningNumber = 1;
    const int count = int(view.PageOrigins().size());
    for (int page = 1; page <= count; ++page) {
        if (!InPrintRange(printer, page)) continue;
        if (printed > 0) printer.newPage();
        CDC dc(painter, dpi, true);
        PrintBoardPage(view, dc, page, printable, runningNumber);
        ++printed;
    }
    painter.end();
    return printed;
}

// Shows the pages of the board on the screen in an open preview: another board
// brings its own. The preview repaints once the board has changed hands.
class CPreviewFollower : public QObject, public CDocView {
public:
    CPreviewFollower(QPrintPreviewDialog& preview, CVeldtrakDoc& doc)
        : QObject(&preview), m_preview(preview), m_doc(doc)
    {
        m_doc.AddView(this);
    }
    ~CPreviewFollower() override { m_doc.RemoveView(this); }
    CPreviewFollower(const CPreviewFollower&) = delete;
    CPreviewFollower& operator=(const CPreviewFollower&) = delete;

    void OnUpdate(int hint, int) override
    {
        if ((hint != HINT_OPENED && hint != HINT_STARTUP_IMAGE) || !m_preview.isVisible())
            return;
        QPrintPreviewWidget* pages = m_preview.findChild<QPrintPreviewWidget*>();
        if (!pages)
            return;
        // Once every view has taken the new board in.
        QPrintPreviewDialog* preview = &m_preview;
        const auto repaint = [pages, preview] {
            if (preview->isVisible())
                pages->updatePreview();
        };
        QMetaObject::invokeMethod(pages, repaint, Qt::QueuedConnection);
    }

private:
    QPrintPreviewDialog& m_preview;
    CVeldtrakDoc& m_doc;
};

} // namespace

const CRect* AnnotationRect(const CBoardObject& object)
{
    const auto* annotation = dynamic_cast<const CAnnotation*>(&object);
    return annotation ? &annotation->m_rect : nullptr;
}

int PageColumnCount(int printableWidth)
{
    if (printableWidth <= 0) return 0;
    return 2 + (CBoardView::kBoardWidth - printableWidth) / printableWidth;
}

int PageRowCount(int printableBottom)
{
    if (printableBottom >= 0) return 0;
    return 2 - (printableBottom + CBoardView::kBoardHeight) / printableBottom;
}

bool TileHasContent(const CVeldtrakDoc& doc, const CRect& tile)
{
    const CRect area = tile.Normalized();
    for (const auto& component : doc.m_components)
        if (Intersect(component->m_rect.Normalized(), area)) return true;
    if (AnyAnnotationMeets(doc.m_textFields, area) || AnyAnnotationMeets(doc.m_tables, area) ||
        AnyAnnotationMeets(doc.m_pictures, area))
        return true;
    // Wires count by their corner points only: a segment merely crossing a tile does not.
    for (const auto& wire : doc.m_wires)
        for (const CPoint& point : wire->m_points)
            if (area.PtInRect(point)) return true;
    return false;
}

std::vector<CPoint> PaginateBoard(const CVeldtrakDoc& doc, const CRect& printable)
{
    const int width = printable.right;
    const int height = printable.bottom;
    std::vector<CPoint> pages;
    const int columns = PageColumnCount(width);
    const int rows = PageRowCount(height);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            CRect tile = printable;
            tile.OffsetRect(c * width, r * height);
            if (TileHasContent(doc, tile)) pages.push_back(tile.TopLeft());
        }
    }
    return pages;
}

CRect PrintableRectOf(const QPrinter& printer)
{
    const int dpi = printer.resolution();
    const QRect paint = printer.pageLayout().paintRectPixels(dpi);
    return CRect(0, 0, paint.width() * 254 / dpi, -(paint.height() * 254 / dpi));
}

int PrintDpi(const CVeldtrakDoc& doc, const CRect& paper, int printerDpi)
{
    if (printerDpi <= 0 || paper.right <= 0) return printerDpi;
    // Measured from the board's left edge, where the pages start, to the right edge of
    // what is on it (with its margin).
    const int width = OccupiedArea(doc).right;
    if (width <= paper.right) return printerDpi;
    return std::max(1, int(qint64(printerDpi) * paper.right / width));
}

CRect PageArea(const QPrinter& printer, int dpi)
{
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const int scaled = std::max(1, dpi);
    return CRect(0, 0, int(qint64(paint.width()) * 254 / scaled), -int(qint64(paint.height()) * 254 / scaled));
}

int PrintScalePercent(const CVeldtrakDoc& doc, const QPrinter& printer)
{
    const int dpi = printer.resolution();
    if (dpi <= 0) return 100;
    return int(qint64(PrintDpi(doc, PrintableRectOf(printer), dpi)) * 100 / dpi);
}

QString PrintScaleNote(const CVeldtrakDoc& doc, const QPrinter& printer)
{
    const int percent = PrintScalePercent(doc, printer);
    if (percent >= 100) return {};
    return QStringLiteral("Het bord is breder dan het papier en is verkleind tot %1% afgedrukt.").arg(percent);
}

bool PrintBoardPage(CBoardView& view, CDC& dc, int pageNumber, const CRect& printable,
                    int& runningNumber)
{
    if (!dc.IsPrinting()) return false;
    PaginateOnce(view, printable);
    const std::vector<CPoint>& pages = view.PageOrigins();
    if (pageNumber < 1 || pageNumber > int(pages.size())) return false;
    const bool more = pageNumber < int(pages.size());

    const CPoint origin = pages[std::size_t(pageNumber - 1)];
    CRect page = view.PrintableRect();
    page.OffsetRect(origin.x, origin.y);

    // The page's origin falls on the printer's; whatever reaches past the page stays off it.
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    const CPoint device = dc.LPtoDP(origin);
    dc.SetViewportOrg(-device.x, -device.y);
    dc.Painter().setClipRect(
        QRect(0, 0, dc.LengthToDevice(page.Width()), dc.LengthToDevice(page.Height())));

    const int oldMix = dc.SetROP2(R2_COPYPEN);
    const CPen oldPen = dc.SelectObject(CPen::Black());
    // Pictures take the size they have on the screen at true size.
    dc.SetLayoutDpi(kPrintLayoutDpi);
    const CDrawnStateKept kept(view.Document(), !view.ChangeGoingOn());
    view.DrawBoard(dc, page, true, false);
    dc.SelectObject(oldPen);
    dc.SetROP2(oldMix);

    DrawPageNumber(dc, page, runningNumber++);
    return more;
}

int PrintBoard(CBoardView& view, QPrinter& printer)
{
    // A job of its own: the pages an open preview found may no longer be the board's.
    std::vector<CPoint> previewPages = std::exchange(view.PageOrigins(), {});
    const CRect previewPrintable = view.PrintableRect();
    const int printed = PaintBoardPages(view, printer);
    EndBoardPrinting(view);
    if (!previewPages.empty()) { // the preview stays open with its frames
        view.PageOrigins() = std::move(previewPages);
        view.PrintableRect() = previewPrintable;
        view.Document().m_bPaginated = true;
    }
    return printed;
}

void EndBoardPrinting(CBoardView& view)
{
    if (view.m_activatePane) view.m_activatePane();
    ForgetPages(view);
}

bool PrintBoardWithDialog(CBoardView& view, QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (RunModal(dialog) != QDialog::Accepted) return false;
    PrintBoard(view, printer);
    return true;
}

void ForgetPages(CBoardView& view)
{
    view.PageOrigins().clear();
    view.Document().m_bPaginated = false;
}

QPrintPreviewDialog* OpenPrintPreview(CBoardView& view, QPrinter& printer, QWidget* parent)
{
    auto* preview = new QPrintPreviewDialog(&printer, parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    ShowOnlyCloseButton(*preview);
    // Every repaint of the preview is a fresh layout (the paper may have changed); the
    // pages stay known until the preview closes.
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, &view, [&view](QPrinter* p) {
        const std::vector<CPoint> shownPages = view.PageOrigins();
        ForgetPages(view);
        PaintBoardPages(view, *p);
        // Page frames on the board show these pages: other pages, other frames.
        if (view.Document().m_bShowPages && view.PageOrigins() != shownPages)
            view.InvalidateAll();
    });
    new CPreviewFollower(*preview, view.Document());
    QObject::connect(preview, &QDialog::finished, &view, [&view] {
        const bool framesShown = view.Document().m_bShowPages && !view.PageOrigins().empty();
        EndBoardPrinting(view);
        // Takes the frames of the closed job off the board; the view stays as it was
        // (the start menu, a measurement, a wire being drawn).
        if (framesShown)
            view.InvalidateAll();
    });
    preview->show();
    return preview;
}

void DrawPageFrames(CDC& dc, CBoardView& view)
{
    const std::vector<CPoint>& pages = view.PageOrigins();
    const CPlainStrokes plain(dc);
    for (std::size_t i = pages.size(); i-- > 0;) {
        CRect frame = view.PrintableRect();
        frame.OffsetRect(pages[i].x, pages[i].y);
        dc.Rectangle(frame);
        dc.TextOut(frame.left, frame.top, QStringLiteral(" p.%1").arg(i + 1));
    }
}

bool CanTogglePageFrames(const CVeldtrakDoc& doc)
{
    return !doc.m_bStartImagesShown && doc.m_bPaginated;
}

void TogglePageFrames(CVeldtrakDoc& doc)
{
    doc.m_bShowPages = !doc.m_bShowPages;
    doc.UpdateAllViews(doc.m_bShowPages ? HINT_PAGE_FRAMES : -HINT_PAGE_FRAMES);
}
