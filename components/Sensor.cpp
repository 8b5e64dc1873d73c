#include "Sensor.h"

#include "GateDrawing.h"
#include "dialogs/SensitivityDlg.h"
#include "platform/DrawContext.h"

#include <algorithm>
#include <cmath>

namespace {

// A hand-held source gives half its level at this distance (board units).
constexpr double kHalfLevelDistance = 35.0;

} // namespace

CSensor::CSensor(unsigned typeId, int width, int height, std::uint32_t sourceKey)
    : CComponent(typeId, width, height, 2), m_nTypeId(typeId), m_nSourceKey(sourceKey)
{
    m_nParam1 = kDefaultSensitivity;
}

CPoint CSensor::SourcePoint(const CDC& dc, CPoint cursor)
{
    const CPoint device = dc.LPtoDP(cursor);
    return dc.DPtoLP(CPoint(device.x + kSourceOffsetX, device.y + kSourceOffsetY));
}

int CSensor::HandHeldLevel(double distance)
{
    return int(std::trunc(kLevelHigh / (distance * (1.0 / kHalfLevelDistance) + 1)));
}

int CSensor::ScaledLevel(int level, int sensitivity)
{
    // A stored sensitivity outside the dialog's range must not turn a level negative
    // (negative levels mean "last tick's").
    sensitivity = std::clamp(sensitivity, CSensitivityDlg::kMinimum, CSensitivityDlg::kMaximum);
    if (sensitivity == 0)
        return 0;
    // Dividing by 100 / sensitivity, not multiplying: 500 at 12 % gives 59.
    return int(std::trunc(level / (100.0 / sensitivity)));
}

void CSensor::Update(CDC& dc, CPoint cursor, std::uint32_t* pState)
{
    // Like the mouse's, a held source passes the sensitivity by.
    int level = std::max(ScaledLevel(Bus(0).ReadInput(), Sensitivity()), m_nHeldLevel);
    if (*pState & m_nSourceKey) {
        const CPoint centre = Bus(0).GetCenter();
        const CPoint source = SourcePoint(dc, cursor);
        const long long dx = source.x - centre.x;
        const long long dy = source.y - centre.y;
        level = std::max(level, HandHeldLevel(std::sqrt(double(dx * dx + dy * dy))));
    }
    Bus(1).m_nValue = level;
}

void CSensor::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top;
    const int r = Bus(0).GetRadius();
    const QString caption = m_strName.toLower();

    DrawBottomCaption(dc, *this, caption);

    Bus(0).SetPosition(L, T, BUS_SENSING);
    Bus(0).Draw(dc);
    Bus(1).SetPosition(R - 2 * r, T, BUS_OUTPUT);
    Bus(1).Draw(dc);
}

int CSensor::EditProperties(int permissionMask)
{
    CSensitivityDlg dlg(m_strName, permissionMask);
    dlg.m_nSensitivity = Sensitivity();
    const int result = dlg.Run();
    if (result == EDIT_ACCEPTED)
        SetSensitivity(dlg.m_nSensitivity);
    return result;
}
