// Drawing a text field: the display string of its stored text, segment by segment,
// with the fonts its codes ask for; then the rectangle's finish.
#include "TextField.h"

#include "AnnotationOutline.h"
#include "RichTextReader.h"
#include "TextDlg.h"
#include "platform/DrawContext.h"

namespace {

constexpr int kTitleLeft = 125;
constexpr int kTitleRight = 1900;
constexpr int kItalicShift = 14;
constexpr int kBoldShift = 5;
constexpr int kThin = 100;
constexpr int kBold = 700;

// The reader's weights are 100 (plain) and 700 (bold). The face the texts were made
// for has no thin cut and shows 100 as its regular weight; ours has one, so plain
// text asks for the regular weight.
CFont SegmentFont(int weight, bool italic, bool underline)
{
    CFont font = CFont::Label(CTextField::kLineHeight);
    font.weight = weight == kThin ? 400 : weight;
    font.italic = italic;
    font.underline = underline;
    return font;
}

} // namespace

CTextField::CTextField() = default;
CTextField::~CTextField() = default;

void CTextField::SetText(const QString& text, int frame)
{
    m_strText = text;
    m_nFrame = frame;
}

int CTextField::Edit()
{
    if (!m_pDialog)
        m_pDialog = std::make_unique<CTextDlg>(); // owned here, so no parent window
    m_pDialog->m_strText = m_strText;
    m_pDialog->m_nFrame = m_nFrame;
    const int result = m_pDialog->Run();
    if (result == CTextDlg::ID_OK)
        SetText(m_pDialog->m_strText, m_pDialog->m_nFrame);
    return result;
}

void CTextField::PlaceAt(CDC& dc, int x, int y, int snap)
{
    if (x <= 0 || y >= 0)
        return;
    DrawOutline(dc, false);
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    m_rect = CRect(x, y, x + width, y + height);
    if (kLeftMargin - snap < m_rect.left && m_rect.left < kLeftMargin + snap) {
        m_rect.right += kLeftMargin - m_rect.left;
        m_rect.left = kLeftMargin;
    }
    DrawOutline(dc, false);
}

CRect CTextField::HitArea() const
{
    return GrownArea(m_rect);
}

void CTextField::ShowPressed(CDC& dc)
{
    DrawOutline(dc, false);
    DrawOutline(dc, false);
}

void CTextField::DrawOutline(CDC& dc, bool erase)
{
    DrawOutlineOrErase(dc, m_rect, erase);
}

void CTextField::Draw(CDC& dc)
{
    DecodeHighCharacters(m_strText);
    const QString display = DisplayString(TextBody(m_strText));
    m_nLineHeight = kLineHeight;

    int x = m_rect.left;
    int y = m_rect.top;
    int widest = 0;
    int weight = kThin;
    bool italic = false;
    bool underline = false;
    bool fontChange = false;
    bool lineBreak = false;

    const int oldBkMode = dc.SetBkMode(TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    CFont start;
    start.height = kLineHeight;
    const CFont oldFont = dc.SelectObject(start);

    // The next backslash and line feed are kept, not searched anew for every segment,
    // so that a long text is read once.
    const qsizetype length = display.size();
    qsizetype pos = 0;
    qsizetype backslash = display.indexOf(u'\\');
    qsizetype lineFeed = display.indexOf(u'\n');
    while (pos < length) {
        if (backslash >= 0 && backslash < pos)
            backslash = display.indexOf(u'\\', pos);
        if (lineFeed >= 0 && lineFeed < pos)
            lineFeed = display.indexOf(u'\n', pos);

        QString segment;
        if (backslash < 0 || (lineFeed >= 0 && lineFeed < backslash)) {
            if (lineFeed < 0) {
                segment = display.mid(pos);
                pos = length;
            } else {
                segment = display.mid(pos, lineFeed - pos);
                pos = lineFeed + 1;
                if (length - pos > 1 && display[pos] == u' ')
                    ++pos;
                lineBreak = true;
            }
        } else if (backslash > pos) {
            segment = display.mid(pos, backslash - pos);
            pos = backslash;
        } else {
            fontChange = true;
            const QChar code = pos + 1 < length ? display[pos + 1] : QChar();
            if (code == u'b') {
                weight = kBold;
            } else if (code == u'i') {
                italic = true;
            } else if (code == u'u') {
                underline = true;
            } else if (code == u'p') {
                if (italic)
                    x += kItalicShift;
                if (weight != kThin)
                    x += kBoldShift;
                weight = kThin;
                italic = false;
                underline = false;
            } else if (code == u'\\') {
                fontChange = false;
            }
            pos = std::min(pos + 2, length);
            continue;
        }

        if (fontChange) {
            dc.SelectObject(SegmentFont(weight, italic, underline));
            fontChange = false;
        }
        dc.TextOut(x, y, segment);
        x += dc.GetTextExtent(segment).cx;
        widest = std::max(widest, x);
        if (lineBreak) {
            lineBreak = false;
            x = m_rect.left;
            y -= kLineStep;
        }
    }

    if (m_nFrame == -1) {
        m_rect.left = kTitleLeft;
        m_rect.right = kTitleRight;
        if (m_rect.bottom - m_rect.top == -kLineStep)
            m_rect.bottom -= 2 * kLineStep;
        const CPen oldPen = dc.SelectObject(CPen::Black());
        const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
        const int oldMix = dc.SetROP2(R2_COPYPEN);
        dc.Rectangle(m_rect);
        dc.SetROP2(oldMix);
        dc.SelectObject(oldBrush);
        dc.SelectObject(oldPen);
        m_rect.left = kLeftMargin;
    } else {
        m_rect.right = widest;
        m_rect.bottom = y;
        if (m_nFrame != 0)
            DrawOutline(dc, false);
    }

    dc.SelectObject(oldFont);
    dc.SetTextAlign(oldAlign);
    dc.SetBkMode(oldBkMode);
}
