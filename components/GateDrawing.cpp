#include "GateDrawing.h"

#include "core/Component.h"
#include "platform/DrawContext.h"

void DrawLead(CDC& dc, int x0, int y0, int x1, int y1, bool blackEnd)
{
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
    if (blackEnd)
        dc.SetPixel(x1, y1, RGB(0, 0, 0));
}

void DrawBottomCaption(CDC& dc, const CComponent& component, const QString& caption)
{
    const CRect& rc = component.m_rect;
    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    component.CaptionOut(dc, (rc.left + rc.right) / 2, rc.bottom + dc.GetTextExtent(caption).cy, caption);
    dc.SetTextAlign(oldAlign);
}

void DrawRaisedBox(CDC& dc, int left, int top, int right, int bottom)
{
    const CPen oldPen = dc.SelectObject(CPen::Black());
    const CBrush oldBrush = dc.SelectObject(CBrush::LightGray());
    dc.Rectangle(left, top, right, bottom);
    if (!dc.IsPrinting()) {
        dc.SelectObject(CPen::White());
        dc.MoveTo(right, top);
        dc.LineTo(left, top);
        dc.LineTo(left, bottom);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

namespace {

void PlaceBus(CDC& dc, CBus& bus, int x, int y, int kind)
{
    bus.SetPosition(x, y, kind);
    bus.Draw(dc);
}

void DrawSymbol(CDC& dc, const QString& symbol, int xc, int ys)
{
    const qsizetype star = symbol.indexOf(u'*');
    if (star < 0) {
        const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
        dc.TextOut(xc, ys, symbol);
        dc.SetTextAlign(oldAlign);
        return;
    }
    // "*" is a greater-or-equal sign made of "_" and ">" drawn over each other.
    const QString before = symbol.left(star);
    const QString after = symbol.mid(star + 1);
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    const int x0 = xc - dc.GetTextExtent(symbol).cx / 2;
    const int wBefore = dc.GetTextExtent(before).cx;
    dc.TextOut(x0, ys, before);
    dc.TextOut(x0 + wBefore + 3, ys + 5, QStringLiteral("_"));
    dc.TextOut(x0 + wBefore + 3, ys + 5, QStringLiteral(">"));
    dc.TextOut(x0 + wBefore + dc.GetTextExtent(QStringLiteral("_")).cx + 9, ys, after);
    dc.SetTextAlign(oldAlign);
}

} // namespace

void DrawGateBody(CDC& dc, CComponent& component, const QString& caption, const QString& symbol)
{
    const CRect& rc = component.m_rect;
    const int L = rc.left, R = rc.right, T = rc.top;
    const int r = component.Bus(0).GetRadius();

    DrawBottomCaption(dc, component, caption);

    const CPen oldPen = dc.SelectObject(CPen::Black());
    PlaceBus(dc, component.Bus(0), L, T, BUS_INPUT);
    DrawLead(dc, L + 2 * r, T - r, L + 3 * r, T - r, false);
    PlaceBus(dc, component.Bus(1), L, T - 3 * r, BUS_INPUT);
    DrawLead(dc, L + 2 * r, T - 4 * r, L + 3 * r, T - 4 * r, false);
    PlaceBus(dc, component.Bus(2), R - 2 * r, T - (3 * r) / 2, BUS_OUTPUT);
    DrawLead(dc, R - 2 * r, T - (5 * r) / 2, R - 3 * r, T - (5 * r) / 2, true);
    dc.SelectObject(oldPen);

    DrawRaisedBox(dc, L + 3 * r, T, R - 3 * r, T - 5 * r);

    if (!symbol.isEmpty()) {
        dc.SetBkMode(TRANSPARENT);
        const int ys = T - (5 * r - dc.GetTextExtent(symbol).cy) / 2;
        DrawSymbol(dc, symbol, (L + R) / 2, ys);
        dc.SetBkMode(OPAQUE);
    }
}
