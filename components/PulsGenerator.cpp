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
    // A reset stops the pulses; the countdown runs on from where it was once a
    // frequency is chosen again.
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
    m_nParam2 = DrawSliderSource(dc, *this, m_slider, LoadString(STR_FREQUENCY_LABEL).toLower(),
                                 LoadString(STR_FREQUENCY_SAMPLE), kMaxFrequency + 1);
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
    // period table and the slider do not have, nor a countdown longer than the longest
    // period (a larger one would silence the generator for minutes).
    if (ar.IsLoading()) {
        m_nParam1 = std::clamp(m_nParam1, 0, kMaxFrequency);
        m_nCorner = std::clamp(m_nCorner, 0, kPulseTable[1]);
    }
}
