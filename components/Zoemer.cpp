#include "Zoemer.h"

#include "dialogs/SignalDlg.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "platform/Strings.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kSoundFileString = 61645; // "zoemer.wav" in the program folder

QString SoundFile()
{
    return FileSystemPath(ProgramFolder() + LoadString(kSoundFileString));
}

} // namespace

CZoemer::CZoemer() : CComponent(TYPE_ZOEMER, kWidth, kHeight, 2)
{
    SetVisualSignal(true);
}

int CZoemer::EditProperties(int permissionMask)
{
    CSignalDlg dlg(m_strName, permissionMask);
    dlg.m_bSoundSignal = SoundSignal();
    dlg.m_bVisualSignal = VisualSignal();
    const int result = dlg.Run();
    if (result == EDIT_ACCEPTED) {
        SetSoundSignal(dlg.m_bSoundSignal);
        SetVisualSignal(dlg.m_bVisualSignal);
    }
    return result;
}

void CZoemer::DrawWave(CDC& dc) const
{
    // A phase read from a file may be anything; only 1 to 3 name an arc.
    if (m_nParam1 < 1 || m_nParam1 > int(m_arcs.size()))
        return;
    const CRect& rc = m_arcs[std::size_t(m_nParam1 - 1)];
    const int r = Bus(0).GetRadius();
    // From the bottom round the right-hand side to the top: a wave moving to the right.
    dc.Arc(rc.left, rc.top, rc.right, rc.bottom, rc.left + r, rc.bottom, rc.left + r, rc.top);
}

void CZoemer::Update(CDC& dc, CPoint, std::uint32_t* pState)
{
    const int level = Bus(0).ReadInput();
    dc.SetROP2(R2_XORPEN);
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    const CPen oldPen = dc.SelectObject(CPen::White());

    DrawWave(dc); // removes the arc shown
    if ((*pState & STATE_RESET) || !IsHigh(level)) {
        m_nParam1 = 0;
        // One sound channel serves every buzzer, so this silences them all.
        if (SoundSignal())
            SoundService().StopAll();
    } else {
        Bus(1).m_nValue = level;
        if (SoundSignal())
            SoundService().PlayLooping(SoundFile()); // goes on if already playing
        m_nParam1 = VisualSignal() ? m_nParam1 % 3 + 1 : 0;
        DrawWave(dc);
    }

    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SetROP2(R2_COPYPEN);
}

void CZoemer::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top, B = m_rect.bottom;
    const int r = Bus(0).GetRadius();
    const QString caption = m_strName.toLower();
    const int h = dc.GetTextExtent(caption).cy;
    const int bottom = B + h; // the drawing stands on the caption

    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    CaptionOut(dc, (L + R) / 2, bottom, caption);
    dc.SetTextAlign(oldAlign);

    const int ym = T + r + (bottom - T) / 2;
    Bus(0).SetPosition(L, ym, BUS_INPUT);
    Bus(0).Draw(dc);
    // The loudspeaker's socket only carries the sound; it is never drawn.
    Bus(1).SetPosition(R - 2 * r, ym, BUS_TERMINAL);

    const CPen oldPen = dc.SelectObject(CPen::Black());
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    const int d = std::abs(int(std::trunc((bottom - ym) * 0.5555556)));
    const CRect body(L + d, T - d, R - d, bottom + d);
    dc.Rectangle(body);
    const int g = body.Width() / 5;
    dc.SelectObject(CBrush::LightGray());
    dc.Rectangle(body.right - 2 * g, body.top + g, body.right - g, body.bottom - g);
    // The cone opens from the body to the component's right edge.
    dc.MoveTo(body.right, body.top);
    dc.LineTo(R - 2, T);
    dc.LineTo(R - 2, bottom);
    dc.LineTo(body.right, body.bottom);
    dc.SetPixel(body.right, body.bottom, RGB(0, 0, 0));
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);

    const int q = (bottom - T) / 4; // negative: a quarter of the height, downwards
    const int x1 = R - 2;
    const int m = T + q;
    m_arcs[0] = CRect(x1, T + q, x1 + 2 * g, T + 3 * q);
    m_arcs[1] = CRect(x1 + 3 * g, m + g, x1 + 6 * g, m + 2 * q - g);
    m_arcs[2] = CRect(x1 + 6 * g, m + 2 * g, x1 + 10 * g, m + 2 * (q - g));
    m_nParam1 = 0; // a fresh drawing shows no arc
}
