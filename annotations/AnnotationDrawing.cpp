// Drawing of text fields, tables and pictures. Worksheets carry them already; their
// full rendering (rich text, cell layout, bitmaps) is still to come, so for now each
// shows where it lies with a light outline and its plain text.
#include "Picture.h"
#include "Table.h"
#include "TextField.h"

#include "platform/DrawContext.h"

#include <QRegularExpression>

namespace {

void DrawPlaceholder(CDC& dc, int x, int y, const QString& text)
{
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc.SetTextColor(RGB(96, 96, 96));
    dc.TextOut(x, y, text);
    dc.SetTextColor(oldColour);
    dc.SetBkMode(oldMode);
    dc.SetTextAlign(oldAlign);
}

// The readable lines of a stored rich text: tables of fonts and colours, control words
// and braces dropped, one line per paragraph.
QStringList PlainLines(const QString& rich)
{
    QString text = rich;
    text.remove(QRegularExpression(QStringLiteral(R"(\{\\(\*|fonttbl|colortbl|stylesheet)[^{}]*(\{[^{}]*\}[^{}]*)*\})")));
    text.replace(QRegularExpression(QStringLiteral(R"(\\par[d]?\b ?)")), QStringLiteral("\n"));
    text.remove(QRegularExpression(QStringLiteral(R"(\\[a-z]+-?\d* ?)")));
    text.remove(u'{');
    text.remove(u'}');
    QStringList lines;
    for (const QString& line : text.split(u'\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

} // namespace

void CTextField::Draw(CDC& dc)
{
    int y = m_rect.top;
    for (const QString& line : PlainLines(m_strText)) {
        DrawPlaceholder(dc, m_rect.left, y, line);
        y -= dc.GetTextExtent(line).cy;
    }
}

void CTabel::Draw(CDC& dc)
{
    DrawPlaceholder(dc, m_rect.left, m_rect.top, m_strData.section(m_strSeparator, 0, 0));
}

void CPlaatje::Draw(CDC& dc)
{
    DrawPlaceholder(dc, m_rect.left, m_rect.top, m_strFileName);
}
