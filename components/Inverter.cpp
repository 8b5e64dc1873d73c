#include "Inverter.h"

#include "GateDrawing.h"
#include "dialogs/NoPropertiesDlg.h"
#include "platform/DrawContext.h"

void CInverter::Update(CDC&, CPoint, std::uint32_t*)
{
    Bus(1).m_nValue = IsHigh(Bus(0).ReadInput()) ? 0 : kLevelHigh;
}

int CInverter::EditProperties(int permissionMask)
{
    CNoPropertiesDlg dlg(m_strName, permissionMask);
    return dlg.Run();
}

void CInverter::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top, B = m_rect.bottom;
    const int r = Bus(0).GetRadius();
    const QString caption = m_strName.toLower();
    const int h = dc.GetTextExtent(caption).cy;

    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    CaptionOut(dc, (L + R) / 2, B + h, caption);

    const int y0 = T + (B + h - T) / 3;
    const CPen oldPen = dc.SelectObject(CPen::Black());
    Bus(0).SetPosition(L, y0, BUS_INPUT);
    Bus(0).Draw(dc);
    DrawLead(dc, L + 2 * r, y0 - r, L + 4 * r, y0 - r, false);
    Bus(1).SetPosition(R - 2 * r, y0, BUS_OUTPUT);
    Bus(1).Draw(dc);
    DrawLead(dc, R - 2 * r, y0 - r, R - 4 * r, y0 - r, true);
    DrawLead(dc, R - 3 * r, y0 - r, R - 4 * r, y0 - r + 10, true); // negation stroke
    dc.SelectObject(oldPen);

    DrawRaisedBox(dc, L + 4 * r, T, R - 4 * r, B + h);

    const QString symbol = QStringLiteral("1");
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut((L + R) / 2, (T + B + h) / 2 + dc.GetTextExtent(symbol).cy / 2, symbol);
    dc.SetBkMode(OPAQUE);
    dc.SetTextAlign(oldAlign);
}
