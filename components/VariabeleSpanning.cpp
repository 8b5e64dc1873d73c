#include "VariabeleSpanning.h"

#include "core/Archive.h"
#include "dialogs/VoltageDlg.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

#include <algorithm>

namespace {

constexpr int kLabelId = 61481;            // "spanning: "
constexpr int kValuePlaceholderId = 61482; // " 0.0 V": the room the value text takes
constexpr int kTrackSteps = 54;            // the track is wider than the 50 steps it sets

} // namespace

void CVariabeleSpanning::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top, B = m_rect.bottom;
    const int r = Bus(0).GetRadius();

    const QString caption = m_strName.toLower();
    const int h = dc.GetTextExtent(caption).cy;
    unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.TextOut((L + R) / 2, B + h, caption);

    // Label and value are centred together, the value filled in by the slider.
    const QString label = LoadString(kLabelId).toLower();
    const int joinedWidth = dc.GetTextExtent(label + LoadString(kValuePlaceholderId)).cx;
    const int x0 = L + (R - joinedWidth - L) / 2;
    const int y1 = B + int(1.8 * h);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(x0, y1, label);
    dc.SetTextAlign(oldAlign);

    Bus(0).SetPosition(R - 2 * r, T - r / 2, BUS_OUTPUT);
    Bus(0).Draw(dc);

    const int lineY = T - r / 2 - r;
    const CPen oldPen = dc.SelectObject(CPen::Black());
    dc.MoveTo(L, lineY);
    dc.LineTo(R - 3 * r, lineY);
    dc.SelectObject(oldPen);
    m_nParam2 = lineY;

    m_slider.Layout(CRect(L + r, T, R - 4 * r, T - 3 * r),
                    float(R - L - 5 * r) / float(kTrackSteps), lineY,
                    CPoint(x0 + dc.GetTextExtent(label).cx, y1));
    std::uint32_t state = STATE_REDRAW;
    Update(dc, CPoint(0, 0), &state);
}

void CVariabeleSpanning::Update(CDC& dc, CPoint cursor, std::uint32_t* pState)
{
    m_slider.Update(dc, cursor, *pState, m_rect, m_nParam1, VoltText);
    Bus(0).m_nValue = m_nParam1 * 10;
}

int CVariabeleSpanning::EditProperties(int permissionMask)
{
    return EditVoltageSetting(m_strName, permissionMask, m_nParam1);
}

void CVariabeleSpanning::SerializeExtra(CArchive& ar)
{
    // Nothing of its own is stored; a damaged file must not make the source drive more
    // than 5 V into the circuit.
    if (ar.IsLoading())
        m_nParam1 = std::clamp(m_nParam1, 0, kMaxSetting);
}
