#include "PulsGenerator.h"

#include "core/Archive.h"
#include "dialogs/FrequencyDlg.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

#include <algorithm>
#include <array>

namespace {

enum { OUTPUT = 0 };
enum { STR_FREQUENCY_LABEL = 61483, STR_FREQUENCY_SAMPLE = 61484 };

// The period in ticks of 50 ms, by frequency; at 0 Hz there are no pulses.
constexpr std::array<int, 11> kPulseTable = {0, 21, 11, 9, 8, 7, 6, 5, 4, 3, 2};

QString HertzText(int hertz)
{
    return QString::asprintf("%2d Hz ", hertz);
}

int PeriodTicks(int frequency)
{
    Q_ASSERT(frequency >= 1 && frequency < int(kPulseTable.size()));
    return kPulseTable[std::size_t(frequency)];
}

} // namespace

void CPulsGenerator::Update(CDC& dc, CPoint cursor, std::uint32_t* pState)
{
    const std::uint32_t state = *pState;
    if (state & STATE_RESET)
        m_nParam1 = 0;
    m_slider.Update(dc, cursor, state, m_rect, m_nParam1, HertzText);

    int level = 0;
    if (Frequency() > 0 && --m_nCorner < 1) {
        m_nCorner = PeriodTicks(Frequency());
        level = kLevelHigh;
    }
    Bus(OUTPUT).m_nValue = level;
}

void CPulsGenerator::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top, B = m_rect.bottom;
    const int r = Bus(OUTPUT).GetRadius();
    const QString caption = m_strName.toLower();
    const int h = dc.GetTextExtent(caption).cy;

    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.TextOut((L + R) / 2, B + h, caption);

    // The label with room for the value after it, centred as a whole.
    const QString label = LoadString(STR_FREQUENCY_LABEL).toLower();
    const int joinedWidth = dc.GetTextExtent(label + LoadString(STR_FREQUENCY_SAMPLE)).cx;
    const int x0 = L + (R - joinedWidth - L) / 2;
    const int y1 = B + (18 * h) / 10;
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(x0, y1, label);
    const CPoint valuePosition(x0 + dc.GetTextExtent(label).cx, y1);
    dc.SetTextAlign(oldAlign);

    Bus(OUTPUT).SetPosition(R - 2 * r, T - r / 2, BUS_OUTPUT);
    Bus(OUTPUT).Draw(dc);

    m_nParam2 = T - r / 2 - r;
    const CPen oldPen = dc.SelectObject(CPen::Black());
    dc.MoveTo(L, m_nParam2);
    dc.LineTo(R - 3 * r, m_nParam2);
    dc.SelectObject(oldPen);

    const CRect track(L + r, T, R - 4 * r, T - 3 * r);
    m_slider.Layout(track, float(R - L - 5 * r) / float(kMaxFrequency + 1), m_nParam2,
                    valuePosition);

    std::uint32_t state = STATE_REDRAW;
    Update(dc, CPoint(0, 0), &state);
}

int CPulsGenerator::EditProperties(int permissionMask)
{
    CFrequencyDlg dlg(m_strName, permissionMask);
    dlg.m_nFrequency = unsigned(Frequency());
    const int result = dlg.Run();
    if (result == EDIT_ACCEPTED)
        m_nParam1 = int(dlg.m_nFrequency);
    return result;
}

void CPulsGenerator::SerializeExtra(CArchive& ar)
{
    // Nothing of its own is stored; a damaged file must not leave a frequency that the
    // period table and the slider do not have.
    if (ar.IsLoading())
        m_nParam1 = std::clamp(m_nParam1, 0, kMaxFrequency);
}
