#include "Sonde.h"

#include "core/Archive.h"
#include "dialogs/NoPropertiesDlg.h"
#include "platform/DrawContext.h"

#include <algorithm>

int CSonde::EditProperties(int permissionMask)
{
    CNoPropertiesDlg dlg(m_strName, permissionMask);
    return dlg.Run();
}

void CSonde::SerializeExtra(CArchive& ar)
{
    // Nothing of its own is stored. A damaged number must not reach the measurement
    // (it stands in the probed socket as a level) and a corner outside 0 to 3 is the
    // corner 0 it is drawn at anyway.
    if (ar.IsLoading()) {
        m_nParam2 = std::clamp(m_nParam2, 0, kMaxNumber);
        if (m_nCorner < 0 || m_nCorner > 3)
            m_nCorner = 0;
    }
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
