#include "SpanningsMeter.h"

#include "dialogs/NoPropertiesDlg.h"
#include "platform/DrawContext.h"

QString CSpanningsMeter::DisplayText(int level)
{
    return QString::asprintf(" %3.2f V", level * 0.01).replace(u'.', u',');
}

int CSpanningsMeter::EditProperties(int permissionMask)
{
    CNoPropertiesDlg dlg(m_strName, permissionMask);
    return dlg.Run();
}

void CSpanningsMeter::Update(CDC& dc, CPoint, std::uint32_t* pState)
{
    const int level = Bus(0).ReadInput();
    if (level == m_nParam1 && !(*pState & STATE_REDRAW))
        return;
    m_nParam1 = level;
    if (m_display == CRect())
        return; // not drawn yet: there is no display to show it in

    // Digits as tall as the display, on an opaque background that covers the old value.
    const CFont oldFont = dc.SelectObject(CFont::Label(m_display.top - m_display.bottom));
    const COLORREF oldColour = dc.SetTextColor(kDigitColour);
    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    const int oldMode = dc.SetBkMode(OPAQUE);
    dc.TextOut((m_display.left + m_display.right) / 2, m_display.top, DisplayText(level));
    dc.SetBkMode(oldMode);
    dc.SetTextAlign(oldAlign);
    dc.SetTextColor(oldColour);
    dc.SelectObject(oldFont);

    const CPen oldPen = dc.SelectObject(CPen::Black());
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    dc.Rectangle(m_display);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CSpanningsMeter::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top, B = m_rect.bottom;
    const int r = Bus(0).GetRadius();
    const QString caption = m_strName.toLower();
    const int h = dc.GetTextExtent(caption).cy;

    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    CaptionOut(dc, L + 3 * r, B + h, caption);
    dc.SetTextAlign(oldAlign);

    Bus(0).SetPosition(L, T - r, BUS_INPUT);
    Bus(0).Draw(dc);
    m_display = CRect(L + 3 * r, T, R, B + h);

    std::uint32_t state = STATE_REDRAW;
    Update(dc, CPoint(0, 0), &state);
}
