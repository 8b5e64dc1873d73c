#pragma once
// The slider of the variable voltage source, the pulse generator and the comparator:
// a track with a knob, dragged with the left button or stepped with the arrow keys
// while the mouse is over the component.

#include "platform/Geometry.h"

#include <QString>

#include <cstdint>
#include <functional>

class CDC;

class CSlider {
public:
    explicit CSlider(int maximum) : m_nMaximum(maximum) {}

    // Where the track lies (top > bottom on the board), how many units one step of
    // the setting takes, the y of the slider line and where the value text goes.
    void Layout(const CRect& track, float scale, int lineY, CPoint valuePosition);

    // One tick: reads the mouse and keys, moves the knob, redraws knob and value text
    // as they change (or all of it with the redraw bit), and updates the setting.
    void Update(CDC& dc, CPoint cursor, std::uint32_t state, const CRect& componentRect,
                int& setting, const std::function<QString(int)>& valueText) const;

    void DrawKnob(CDC& dc, int setting) const;

    const CRect& Track() const { return m_track; }
    float Scale() const { return m_fScale; }
    int LineY() const { return m_nLineY; }
    CPoint ValuePosition() const { return m_valuePosition; }
    int Maximum() const { return m_nMaximum; }

private:
    void DrawValue(CDC& dc, const QString& text) const;

    int m_nMaximum;
    CRect m_track;
    float m_fScale = 1.0f;
    int m_nLineY = 0;
    CPoint m_valuePosition;
};

class CComponent;

// The body the variable voltage source and the pulse generator share: the caption, the
// label centred together with room for its value, the output socket (socket 0), the
// slider line and the track, laid out into the slider with 'trackSteps' steps across
// the track. Returns the y of the slider line.
int DrawSliderSource(CDC& dc, CComponent& component, CSlider& slider, const QString& label,
                     const QString& sampleValue, int trackSteps);

// "%2.1f V" of tenths of a volt with a decimal comma: 25 gives "2,5 V".
QString VoltText(int tenths);
