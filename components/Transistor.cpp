#include "Transistor.h"

#include "GateDrawing.h"
#include "core/Archive.h"
#include "dialogs/ThresholdDlg.h"
#include "platform/DrawContext.h"

#include <algorithm>

namespace {
enum { BASE = 0, COLLECTOR = 1 };
}

void CTransistor::Update(CDC&, CPoint, std::uint32_t*)
{
    Bus(COLLECTOR).m_nValue = Bus(BASE).ReadInput() < Threshold() ? kLevelHigh : 0;
}

int CTransistor::EditProperties(int permissionMask)
{
    CThresholdDlg dlg(m_strName, permissionMask);
    return dlg.RunForLevel(m_nParam1);
}

void CTransistor::SerializeExtra(CArchive& ar)
{
    // Nothing of its own is stored; a damaged file must not leave a threshold outside
    // the 0 to 5 V that the dialog offers.
    if (ar.IsLoading())
        m_nParam1 = std::clamp(m_nParam1, 0, kLevelHigh);
}

void CTransistor::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top, B = m_rect.bottom;
    const int r = Bus(BASE).GetRadius();
    const QString caption = m_strName.toLower();
    const int h = dc.GetTextExtent(caption).cy;

    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    CaptionOut(dc, (L + R) / 2, B + h, caption);
    dc.SetTextAlign(TA_LEFT | TA_TOP);

    const int q = (T - B - h) / 8;
    const int yc = T + h + (B - T) / 2;
    const int y1 = yc + 2 * r;
    const int xb = L + r + 2 * q; // the base bar
    const int xc = xb + 3 * r;    // collector and emitter ends
    const int yb = yc - (3 * q) / 2;

    Bus(BASE).SetPosition(L, y1, BUS_INPUT);
    Bus(BASE).Draw(dc);
    Bus(COLLECTOR).SetPosition(R - 2 * r, y1, BUS_OUTPUT);
    Bus(COLLECTOR).Draw(dc);

    const CPen oldPen = dc.SelectObject(CPen::Black());
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    const int yTop = y1 - (18 * r) / 10;
    dc.Ellipse(L + r + q, yTop, L + 7 * r + q, yTop - 6 * r);

    // Base
    dc.MoveTo(L + r, yc);
    dc.LineTo(L + r, yb);
    dc.LineTo(xb, yb);
    DrawLead(dc, xb, yb - q, xb, yb + q, false);

    // Collector, its resistor and the supply
    const int yk = yb + q - (3 * q) / 4;
    dc.MoveTo(xb, yk);
    dc.LineTo(xc, yk + 3 * r);
    dc.LineTo(R - 2 * r, y1 - r);
    const int yr = yk + 3 * r + q;
    DrawLead(dc, xc, yk + 3 * r, xc, yr, false);
    dc.Rectangle(xc - q / 2, yr, xc + q / 2, yr + q);
    const int ys = yr + q + q / 2;
    DrawLead(dc, xc, yr + q, xc, ys, false);
    DrawLead(dc, xc - q / 2, ys, xc + q / 2, ys, false);
    const QString supply = QStringLiteral("+5V");
    dc.TextOut(xc - dc.GetTextExtent(supply).cx - q, ys, supply);

    // Emitter and earth
    const int ye = yb - q + (3 * q) / 4;
    const int yg = ye - 3 * r - q / 2;
    dc.MoveTo(xb, ye);
    dc.LineTo(xc, ye - 3 * r);
    dc.LineTo(xc, yg);
    DrawLead(dc, xc - q / 2, yg, xc + q - q / 2, yg, false);
    const int xe = xc + q % 2;
    DrawLead(dc, xe, yg, xe, yg - q / 4, false);
    DrawLead(dc, xe - q / 4, yg - q / 4, xe + q / 2 - q / 4, yg - q / 4, false);

    // The emitter's arrow
    const int xa = xb + (3 * r) / 2, ya = ye - (3 * r) / 2;
    DrawLead(dc, xa, ya, xa - q / 2, ya, false);
    DrawLead(dc, xa, ya, xa, ya + q / 2, false);

    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    dc.SetTextAlign(oldAlign);
}
