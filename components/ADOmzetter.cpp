#include "ADOmzetter.h"

#include "dialogs/NoPropertiesDlg.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

#include <cmath>

namespace {

constexpr int kStringIn = 61479;
constexpr int kStringUit = 61480;

} // namespace

int CADOmzetter::Code(int level)
{
    // 10/313: one code step per 0.313 V; equal to (10 * level) / 313 for 0 to 5 V.
    return int(std::trunc(level * 0.03194888178913738));
}

void CADOmzetter::Update(CDC&, CPoint, std::uint32_t*)
{
    const int code = Code(Bus(kInput).ReadInput());
    for (int socket = 1; socket <= kOutputCount; ++socket)
        Bus(socket).m_nValue = (code & Weight(socket)) ? kLevelHigh : 0;
}

int CADOmzetter::EditProperties(int permissionMask)
{
    CNoPropertiesDlg dlg(m_strName, permissionMask);
    return dlg.Run();
}

void CADOmzetter::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top, B = m_rect.bottom;
    const int r = Bus(0).GetRadius();
    const int step = int(4.5 * r);

    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    CaptionOut(dc, (L + R) / 2, B + dc.GetTextExtent(m_strName).cy, m_strName);

    // One row along the top, from the right: weights 1, 2, 4, 8, then the input.
    int x = R - 2 * r;
    for (int socket = kOutputCount; socket >= 1; --socket, x -= step) {
        Bus(socket).SetPosition(x, T, BUS_OUTPUT);
        Bus(socket).Draw(dc);
        dc.TextOut(x - r, T, QString::asprintf("%d", Weight(socket)));
    }
    Bus(kInput).SetPosition(x, T, BUS_INPUT);
    Bus(kInput).Draw(dc);

    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const int outputsCentre = (Bus(1).GetCenter().x + Bus(kOutputCount).GetCenter().x) / 2;
    dc.TextOut(outputsCentre, T - 2 * r, LoadString(kStringUit));
    dc.TextOut(x + r, T - 2 * r, LoadString(kStringIn));
    dc.SetBkMode(oldMode);
    dc.SetTextAlign(oldAlign);
}
