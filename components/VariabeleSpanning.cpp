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
    m_nParam2 = DrawSliderSource(dc, *this, m_slider, LoadString(kLabelId).toLower(),
                                 LoadString(kValuePlaceholderId), kTrackSteps);
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
