#include "Switch.h"

#include "platform/DrawContext.h"

void CSwitch::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top;
    const int r = Bus(0).GetRadius();
    DrawCaption(dc, L, TA_LEFT);
    PlaceBus(dc, 0, L, T - 2 * r, BUS_BUTTON);
    PlaceBus(dc, 1, R - 2 * r, T, BUS_OUTPUT);
    PlaceBus(dc, 2, R - 2 * r, T - 4 * r, BUS_OUTPUT);

    const int d = (R - L - 4 * r) / 3;
    const CPoint upperEnd(R - 2 * r - d, T - r);
    const CPoint pivot(L + 2 * r + d, T - 3 * r);
    const CPoint lowerEnd(R - 2 * r - d, T - 5 * r);
    DrawLine(dc, {L + 2 * r, T - 3 * r}, pivot);
    DrawLine(dc, {R - 2 * r, T - r}, upperEnd);
    DrawLine(dc, lowerEnd, {R - 2 * r, T - 5 * r});
    FinishDraw(dc, upperEnd, pivot, lowerEnd);
}

void CSwitch::WriteOutputs()
{
    Bus(1).m_nValue = ContactState() == 0 ? kLevelHigh : 0;
    Bus(2).m_nValue = ContactState() == 1 ? kLevelHigh : 0;
}
