// Measuring and drawing a table: cells sized with the table font, a grey grid with
// thick lines after the headers, each cell's lines centred in its column.
#include "Table.h"

#include "AnnotationOutline.h"
#include "TableCells.h"
#include "TableDlg.h"
#include "platform/DrawContext.h"

#include <algorithm>

namespace {

constexpr int kFontHeight = 56;
constexpr int kTextDrop = 5; // a cell's first line starts this far below the row's top
constexpr COLORREF kGridGrey = RGB(128, 128, 128);
constexpr int kThickLine = 6;
constexpr int kThinLine = 1;

CFont TableFont()
{
    return CFont::Label(kFontHeight);
}

} // namespace

CTabel::CTabel() = default;
CTabel::~CTabel() = default;

void CTabel::SetContents(const CTableContents& c)
{
    m_strData = c.data;
    m_strSeparator = c.separator;
    m_bFixed = c.fixed;
    m_bRowHeader = c.rowHeader;
    m_bColumnHeader = c.columnHeader;
    m_nColumns = std::clamp(c.columns, 1, kMaxColumns);
    m_nRows = std::clamp(c.rows, 1, kMaxRows);
}

CTableContents CTabel::Contents() const
{
    return {m_strData, m_strSeparator, m_bFixed, m_bRowHeader, m_bColumnHeader, m_nColumns, m_nRows};
}

int CTabel::Edit()
{
    if (!m_pDialog)
        m_pDialog = std::make_unique<CTableDlg>(); // owned here, so no parent window
    m_pDialog->m_contents = Contents();
    const int result = m_pDialog->Run();
    if (result == CTableDlg::ID_OK)
        SetContents(m_pDialog->m_contents);
    return result;
}

void CTabel::PlaceAt(CDC& dc, int x, int y, int)
{
    if (x <= 0 || y >= 0)
        return;
    DrawOutline(dc, false);
    m_rect = CRect(x, y, x + m_rect.right - m_rect.left, y + m_rect.bottom - m_rect.top);
    DrawOutline(dc, false);
}

CRect CTabel::HitArea() const
{
    return GrownArea(m_rect);
}

void CTabel::ShowPressed(CDC& dc)
{
    DrawOutline(dc, false);
    DrawOutline(dc, false);
}

void CTabel::DrawOutline(CDC& dc, bool erase)
{
    DrawOutlineOrErase(dc, m_rect, erase);
}

void CTabel::Measure(CDC& dc)
{
    m_rowHeights.fill(0);
    m_columnWidths.fill(0);
    const CFont oldFont = dc.SelectObject(TableFont());
    const int rows = std::clamp(m_nRows, 1, kMaxRows);
    const int columns = std::clamp(m_nColumns, 1, kMaxColumns);
    const std::vector<QString> cells = PrepareCells(m_strData, m_strSeparator, rows, columns);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const std::size_t r = k / std::size_t(columns);
        const std::size_t c = k % std::size_t(columns);
        int height = 0;
        int width = 0;
        for (const QString& line : CellLines(cells[k])) {
            const CSize extent = dc.GetTextExtent(line);
            height += extent.cy;
            width = std::max(width, extent.cx);
        }
        m_rowHeights[r] = std::max(m_rowHeights[r], height);
        m_columnWidths[c] = std::max(m_columnWidths[c], width);
    }
    const int highest = *std::max_element(m_rowHeights.begin(), m_rowHeights.end());
    const int widest = *std::max_element(m_columnWidths.begin(), m_columnWidths.end());
    const CSize q = dc.GetTextExtent(QStringLiteral("Q"));
    const int padX = int(q.cx * 1.1);
    const int padY = int(q.cy * 1.1);
    for (std::size_t k = 0; k < m_rowHeights.size(); ++k) {
        if (m_bFixed) {
            if (m_rowHeights[k] != 0)
                m_rowHeights[k] = highest;
            if (m_columnWidths[k] != 0)
                m_columnWidths[k] = widest;
        }
        if (m_rowHeights[k] != 0)
            m_rowHeights[k] += padY;
        if (m_columnWidths[k] != 0)
            m_columnWidths[k] += padX;
    }
    int width = 0;
    int height = 0;
    for (std::size_t k = 0; k < m_rowHeights.size(); ++k) {
        width += m_columnWidths[k];
        height += m_rowHeights[k];
    }
    m_rect.right = m_rect.left + width;
    m_rect.bottom = m_rect.top - height;
    dc.SelectObject(oldFont);
}

void CTabel::Draw(CDC& dc)
{
    Measure(dc);
    const int rows = std::clamp(m_nRows, 1, kMaxRows);
    const int columns = std::clamp(m_nColumns, 1, kMaxColumns);

    const CFont oldFont = dc.SelectObject(TableFont());
    const int oldBkMode = dc.SetBkMode(TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(TA_TOP | TA_CENTER);
    const int oldMix = dc.SetROP2(R2_COPYPEN);
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    const CPen oldPen = dc.GetCurrentPen();

    // The border: the dragging outline on screen, a black line on paper.
    DrawOutline(dc, false);

    const CPen thick = CPen::Solid(kThickLine, kGridGrey);
    const CPen thin = CPen::Solid(kThinLine, kGridGrey);
    std::array<int, kMaxColumns> x{};
    std::array<int, kMaxRows> y{};
    int sum = m_rect.left;
    for (int i = 0; i < columns; ++i)
        x[std::size_t(i)] = sum += m_columnWidths[std::size_t(i)];
    sum = m_rect.top;
    for (int i = 0; i < rows; ++i)
        y[std::size_t(i)] = sum -= m_rowHeights[std::size_t(i)];

    for (int i = 0; i + 1 < columns; ++i) {
        const CPen& pen = (i == 0 && m_bRowHeader) ? thick : thin;
        dc.SelectObject(pen);
        dc.MoveTo(x[std::size_t(i)], m_rect.top);
        dc.LineTo(x[std::size_t(i)], m_rect.bottom + pen.width);
    }
    for (int i = 0; i + 1 < rows; ++i) {
        const CPen& pen = (i == 0 && m_bColumnHeader) ? thick : thin;
        dc.SelectObject(pen);
        dc.MoveTo(m_rect.left, y[std::size_t(i)]);
        dc.LineTo(m_rect.right - pen.width, y[std::size_t(i)]);
    }

    const int halfQ = dc.GetTextExtent(QStringLiteral("Q")).cy / 2;
    const std::vector<QString> cells = PrepareCells(m_strData, m_strSeparator, rows, columns);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const int r = int(k) / columns;
        const int c = int(k) % columns;
        const int cl = c == 0 ? m_rect.left : x[std::size_t(c - 1)];
        const int cr = x[std::size_t(c)];
        int top = (r == 0 ? m_rect.top : y[std::size_t(r - 1)]) - kTextDrop;
        // The lines before each break of the cell plus a final line feed.
        const QString text = cells[k] + u'\n';
        qsizetype from = 0;
        while (text.size() - from > 1) {
            qsizetype cut = from;
            while (cut < text.size() && text[cut] != u'\r' && text[cut] != u'\n')
                ++cut;
            if (cut >= text.size())
                break;
            const QString line = text.mid(from, cut - from);
            dc.TextOut((cl + cr) / 2, top - halfQ, line);
            top -= dc.GetTextExtent(line).cy;
            from = cut + 1;
        }
    }

    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SetROP2(oldMix);
    dc.SetTextAlign(oldAlign);
    dc.SetBkMode(oldBkMode);
    dc.SelectObject(oldFont);
}
