#include "Sonde.h"

#include "dialogs/NoPropertiesDlg.h"
#include "platform/DrawContext.h"

int CSonde::EditProperties(int permissionMask)
{
    CNoPropertiesDlg dlg(m_strName, permissionMask);
    return dlg.Run();
}

CPoint CSonde::TipTarget(const CBus& bus) const
{
    const CPoint c = bus.GetCenter();
    return CornerOffset(c.x, c.y, bus.GetRadius());
}

void CSonde::Draw(CDC& dc)
{
    // The probe's own socket is parked at the origin as a terminal: never wired.
    CBus& own = Bus(0);
    const int b = own.GetRadius();
    own.SetPosition(0, 0, BUS_TERMINAL);

    CRect circle = m_rect.Normalized();
    circle.InflateRect(-(b / 2));
    const CPoint centre = m_rect.CenterPoint();
    const CPoint tip = TipPoint();

    const int oldMix = dc.SetROP2(R2_COPYPEN);
    const CPen oldPen = dc.SelectObject(CPen::Black());
    dc.MoveTo(centre.x, centre.y);
    dc.LineTo(tip.x, tip.y);
    // The white disc covers the inner part of the line: it shows from the edge to the tip.
    const CBrush oldBrush = dc.SelectObject(CBrush::White());
    dc.Ellipse(circle);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    dc.SetROP2(oldMix);

    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    dc.TextOut(centre.x, centre.y + b, QString::number(m_nParam2));
    dc.SetBkMode(oldMode);
    dc.SetTextAlign(oldAlign);
}
