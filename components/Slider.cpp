#include "Slider.h"

#include "core/Component.h"
#include "platform/DrawContext.h"

#include <cmath>

void CSlider::Layout(const CRect& track, float scale, int lineY, CPoint valuePosition)
{
    m_track = track;
    m_fScale = scale;
    m_nLineY = lineY;
    m_valuePosition = valuePosition;
}

void CSlider::DrawKnob(CDC& dc, int setting) const
{
    const int radius = 20;
    const int k = m_track.left + int(std::trunc(float(setting) * m_fScale)) - radius;
    const bool printing = dc.IsPrinting();
    // On screen the knob is xor-drawn, so drawing it again at the same place removes it.
    const int oldMix = dc.SetROP2(printing ? R2_COPYPEN : R2_XORPEN);
    const CPen oldPen = dc.SelectObject(printing ? CPen::Black() : CPen::White());
    const CBrush oldBrush = dc.SelectObject(printing ? CBrush::LightGray() : CBrush::DarkGray());
    dc.Rectangle(k, m_track.top, k + 2 * radius, m_track.bottom);
    dc.MoveTo(k, m_nLineY);
    dc.LineTo(k + 2 * radius, m_nLineY);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    dc.SetROP2(oldMix);
}

void CSlider::DrawValue(CDC& dc, const QString& text) const
{
    const CFont oldFont = dc.SelectObject(CFont::Label(44));
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    const int oldMode = dc.SetBkMode(OPAQUE);
    dc.TextOut(m_valuePosition.x, m_valuePosition.y, text);
    dc.SetBkMode(oldMode);
    dc.SetTextAlign(oldAlign);
    dc.SelectObject(oldFont);
}

void CSlider::Update(CDC& dc, CPoint cursor, std::uint32_t state, const CRect& componentRect,
                     int& setting, const std::function<QString(int)>& valueText) const
{
    const bool leftDown = state & STATE_LEFT_BUTTON;
    const bool redraw = state & STATE_REDRAW;
    const bool reset = state & STATE_RESET;
    const bool overTrack = cursor.x >= m_track.left && cursor.x <= m_track.right &&
                           cursor.y >= m_track.bottom && cursor.y <= m_track.top;
    const bool dragging = leftDown && overTrack;
    if (!dragging && !(state & (STATE_REDRAW | STATE_UP_RIGHT | STATE_LEFT_DOWN)))
        return;

    int f = setting;
    if (dragging) {
        f = int(std::trunc(float(cursor.x - m_track.left) / m_fScale));
    } else if (componentRect.Normalized().PtInRect(cursor)) {
        if (state & STATE_UP_RIGHT)
            ++f;
        if (state & STATE_LEFT_DOWN)
            --f;
    }
    if (f > m_nMaximum)
        f = reset ? 0 : m_nMaximum;
    else if (f < 0 || reset)
        f = 0;

    if (f == setting && !redraw)
        return;
    if (!redraw)
        DrawKnob(dc, setting); // takes the old knob away
    else if (!reset)
        f = setting; // a redraw keeps the value
    setting = reset ? 0 : f;
    DrawKnob(dc, setting);
    DrawValue(dc, valueText(setting));
}

int DrawSliderSource(CDC& dc, CComponent& component, CSlider& slider, const QString& label,
                     const QString& sampleValue, int trackSteps)
{
    const CRect& rc = component.m_rect;
    const int L = rc.left, R = rc.right, T = rc.top, B = rc.bottom;
    CBus& output = component.Bus(0);
    const int r = output.GetRadius();

    const QString caption = component.m_strName.toLower();
    const int h = dc.GetTextExtent(caption).cy;
    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    component.CaptionOut(dc, (L + R) / 2, B + h, caption);

    // Label and value are centred together, the value filled in by the slider.
    const int joinedWidth = dc.GetTextExtent(label + sampleValue).cx;
    const int x0 = L + (R - joinedWidth - L) / 2;
    const int y1 = B + (18 * h) / 10;
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(x0, y1, label);
    dc.SetTextAlign(oldAlign);

    output.SetPosition(R - 2 * r, T - r / 2, BUS_OUTPUT);
    output.Draw(dc);

    const int lineY = T - r / 2 - r;
    const CPen oldPen = dc.SelectObject(CPen::Black());
    dc.MoveTo(L, lineY);
    dc.LineTo(R - 3 * r, lineY);
    dc.SelectObject(oldPen);

    slider.Layout(CRect(L + r, T, R - 4 * r, T - 3 * r), float(R - L - 5 * r) / float(trackSteps),
                  lineY, CPoint(x0 + dc.GetTextExtent(label).cx, y1));
    return lineY;
}

QString VoltText(int tenths)
{
    return QString::asprintf("%2.1f V", tenths * 0.1).replace(u'.', u',');
}
