#include "Relais.h"

#include "GateDrawing.h"
#include "core/Archive.h"
#include "dialogs/RelayDlg.h"
#include "platform/DrawContext.h"

#include <algorithm>

namespace {
enum { COIL = 0, LAMP = 1 };
}

CRelais::CRelais() : CComponent(TYPE_RELAIS, kWidth, kHeight, 2)
{
    m_nParam1 = kDefaultThreshold;
    m_colourTable.fill(RGB(255, 255, 255));
    m_colourTable[kOnColour] = RGB(255, 0, 0);
}

void CRelais::Update(CDC& dc, CPoint, std::uint32_t* pState)
{
    const bool closed = Bus(COIL).ReadInput() >= Threshold() && !(*pState & STATE_RESET);
    m_nCorner = closed ? 1 : 0;
    if (m_nCorner != m_nParam2) {
        m_nParam2 = m_nCorner;
        DrawLever(dc, closed);
    }
    Bus(LAMP).DrawDisc(dc, m_colourTable[closed ? kOnColour : kOffColour]);
    Bus(LAMP).m_nValue = closed ? kLevelHigh : 0;
}

void CRelais::DrawLever(CDC& dc, bool closed) const
{
    // The white pen takes the other lever off the white board.
    const CPen oldPen = dc.SelectObject(closed ? CPen::White() : CPen::Black());
    DrawLead(dc, m_openEnd.x, m_openEnd.y, m_pivot.x, m_pivot.y, false);
    dc.SelectObject(closed ? CPen::Black() : CPen::White());
    DrawLead(dc, m_closedEnd.x, m_closedEnd.y, m_pivot.x, m_pivot.y, false);
    dc.SelectObject(oldPen);
}

void CRelais::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top, B = m_rect.bottom;
    const int r = Bus(COIL).GetRadius();
    const QString caption = m_strName.toLower();
    const int h = dc.GetTextExtent(caption).cy;
    const int w = (R - L) / 7;

    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    CaptionOut(dc, L + r / 2, B + h, caption);
    dc.SetTextAlign(oldAlign);

    Bus(COIL).SetPosition(L, T, BUS_INPUT);
    Bus(COIL).Draw(dc);

    const CPen oldPen = dc.SelectObject(CPen::Black());
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    dc.MoveTo(L + 2 * r, T - r);
    dc.LineTo(L + 3 * r, T - r);
    dc.LineTo(L + 3 * r, T - 4 * r);

    // The coil, and its earth below it
    dc.Rectangle(L + r, T - 4 * r, L + 5 * r, B + 5 * r);
    DrawLead(dc, L + 4 * r, T - 4 * r, L + 2 * r, B + 5 * r, false);
    const int yEarth = B + 5 * r - (T - B) / 6;
    DrawLead(dc, L + 3 * r, B + 5 * r, L + 3 * r, yEarth, false);
    DrawLead(dc, L + 2 * r, yEarth, L + 4 * r, yEarth, false);

    // The coil's link to the switch
    const int yLink = (T - 4 * r + B + 5 * r) / 2;
    DrawLead(dc, L + 5 * r, yLink, L + 5 * r + w / 4, yLink, false);
    DrawLead(dc, L + 5 * r + w / 2, yLink, L + 5 * r + w, yLink, false);

    // The switched circuit: from the pivot round the loop to the fixed contact
    const int x0 = L + 5 * r + w / 2;
    const int ym = T + (B - T) / 2 + 2 * r;
    const int xm = (x0 + R) / 2;
    m_pivot = CPoint(x0 + r, ym - 4 * r);
    m_closedEnd = CPoint(x0 + r, ym);
    m_openEnd = CPoint(x0 + 3 * r, ym);
    dc.MoveTo(m_pivot.x, m_pivot.y);
    dc.LineTo(x0 + r, B + r);
    dc.LineTo(R - r, B + r);
    dc.LineTo(R - r, T - r);
    dc.LineTo(x0 + r, T - r);
    dc.LineTo(m_closedEnd.x, m_closedEnd.y);

    // The battery in the top line
    const int yPlateEnd = T - (3 * r) / 2;
    dc.SelectObject(CPen::Null());
    dc.SelectObject(CBrush::White());
    dc.Rectangle(xm - 3, T, xm + 3, yPlateEnd);
    dc.SelectObject(CPen::Black());
    DrawLead(dc, xm - 3, T, xm - 3, T - 2 * r, false);
    DrawLead(dc, xm + 3, T - r / 2, xm + 3, yPlateEnd, false);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);

    // Terminals at the loop's corners: the lamp socket is drawn there before it takes
    // its own place.
    for (const CPoint corner : {CPoint(x0, T), CPoint(x0, B + 2 * r), CPoint(R - 2 * r, B + 2 * r),
                                CPoint(R - 2 * r, T)}) {
        Bus(LAMP).SetPosition(corner.x, corner.y, BUS_TERMINAL);
        Bus(LAMP).Draw(dc);
    }
    Bus(LAMP).SetPosition(R - 2 * r, T + (B - T) / 2 + r, BUS_LAMP);

    // The reset bit draws the open lever and the lamp off, whatever the coil carries.
    m_nParam2 = 1;
    std::uint32_t state = STATE_RESET;
    Update(dc, CPoint(0, 0), &state);
}

int CRelais::EditProperties(int permissionMask)
{
    CRelayDlg dlg(m_strName, permissionMask);
    dlg.m_colours = m_colourTable;
    const int result = dlg.RunForLevel(m_nParam1);
    if (result == EDIT_ACCEPTED)
        m_colourTable = dlg.m_colours;
    return result;
}

void CRelais::SerializeExtra(CArchive& ar)
{
    SerializeColourTable(ar, m_colourTable);
    // A damaged file must not leave a threshold outside the 0 to 5 V of the dialog.
    if (ar.IsLoading())
        m_nParam1 = std::clamp(m_nParam1, 0, kLevelHigh);
}
