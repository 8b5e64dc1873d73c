#include "Comparator.h"

#include "core/Archive.h"
#include "dialogs/VoltageDlg.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

#include <algorithm>

namespace {

constexpr int kStringSpanning = 61481;

} // namespace

void CComparator::Update(CDC& dc, CPoint cursor, std::uint32_t* pState)
{
    m_slider.Update(dc, cursor, *pState, m_rect, m_nParam1, VoltText);
    // High once the input reaches the reference.
    Bus(kOutput).m_nValue = Bus(kInput).ReadInput() < Setting() * 10 ? 0 : kLevelHigh;
}

void CComparator::SerializeExtra(CArchive& ar)
{
    // Nothing of its own is stored; a damaged file must not leave a reference that the
    // slider has no place for (the comparison multiplies it by ten).
    if (ar.IsLoading())
        m_nParam1 = std::clamp(m_nParam1, 0, kMaximum);
}

int CComparator::EditProperties(int permissionMask)
{
    return EditVoltageSetting(m_strName, permissionMask, m_nParam1);
}

void CComparator::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top, B = m_rect.bottom;
    const int r = Bus(0).GetRadius();
    const int right = R - 2 * r - 5; // output socket, end of the slider line and track
    const int k = (right - L - 2 * r) / 5;

    const QString caption = m_strName.toLower();
    const int h = dc.GetTextExtent(caption).cy;
    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    CaptionOut(dc, (L + R) / 2, B + h, caption);

    // The label and the value after it are centred together.
    const QString label = LoadString(kStringSpanning).toLower();
    const int joinedWidth = dc.GetTextExtent(label + QStringLiteral("0.0 V")).cx;
    const int x0 = L + (R - L - joinedWidth) / 2;
    const int y1 = B + int(1.8 * h);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(x0, y1, label);
    const CPoint valuePosition(x0 + dc.GetTextExtent(label).cx, y1);

    Bus(kInput).SetPosition(L, T, BUS_INPUT);
    Bus(kInput).Draw(dc);
    Bus(kOutput).SetPosition(right, T - 2 * r, BUS_OUTPUT);
    Bus(kOutput).Draw(dc);

    // The amplifier: plus input from the input socket, minus input from the slider,
    // apex to the output socket.
    const int xa = L + 2 * r + k;
    const int xp = L + 2 * r + 4 * k;
    dc.TextOut(xa + 5, T, QStringLiteral("+"));
    const CPen oldPen = dc.SelectObject(CPen::Black());
    dc.MoveTo(L + 2 * r, T - r);
    dc.LineTo(xa, T - r);
    dc.MoveTo(right, T - 3 * r);
    dc.LineTo(xp, T - 3 * r);
    dc.LineTo(xa, T);
    dc.LineTo(xa, T - 6 * r);
    dc.LineTo(xp, T - 3 * r);
    dc.MoveTo(xa + 9, T - 5 * r);
    dc.LineTo(xa + 20, T - 5 * r);

    const int lineY = T - 8 * r;
    dc.MoveTo(xa, T - 5 * r);
    dc.LineTo(L, T - 5 * r);
    dc.LineTo(L, lineY);
    dc.LineTo(right, lineY);
    dc.SelectObject(oldPen);
    dc.SetTextAlign(oldAlign);
    m_nParam2 = lineY;

    const int trackLeft = L + k;
    m_slider.Layout(CRect(trackLeft, T - int(6.5 * r), right, T - int(9.5 * r)),
                    float(right - trackLeft) / 54, lineY, valuePosition);

    std::uint32_t redraw = STATE_REDRAW;
    Update(dc, CPoint(0, 0), &redraw);
}
