#pragma once
// The strip chart of one probe during a measurement: the recent history of the probed
// socket's level, newest sample at the left. Drawn in board units (y upwards) through
// the pane's drawing context.

#include "platform/Geometry.h"

#include <vector>

class CBus;
class CDC;

class CStripChart {
public:
    static constexpr int kSampleSpacing = 8; // board units between two samples
    static constexpr int kFrameHeight = 160;

    explicit CStripChart(int sampleCount);

    // Puts the frame's upper-left corner at (x, y).
    void Place(int x, int y);
    // The room the chart takes: the frame and the margin below it.
    CSize Size() const { return CSize(m_frame.Width(), kFrameHeight + 5); }
    void Attach(CBus* bus, int number);
    void Clear();
    // A full draw paints the frame and its labels; both then take and draw a new sample.
    void Draw(CDC& dc, bool full);
    // Takes the socket's current level as the newest sample, without drawing.
    void Sample();
    // Takes this level (hundredths of a volt) as the newest sample, without drawing.
    void SampleLevel(int level);
    // Draws frame, labels and trace as they stand, taking no sample (a saved picture).
    void Paint(CDC& dc);

    const std::vector<int>& Samples() const { return m_samples; }
    int Maximum() const { return m_nMaximum; }
    double Scale() const { return m_dScale; }
    const CRect& Frame() const { return m_frame; }
    const CRect& PlotArea() const { return m_plot; }
    int Number() const { return m_nNumber; }
    const CBus* Socket() const { return m_pBus; }

private:
    void DrawFrame(CDC& dc);
    void DrawTicks(CDC& dc) const;
    void DrawTrace(CDC& dc) const;
    void DrawPlot(CDC& dc) const;
    void DrawParts(CDC& dc, bool frame, bool sample);
    int TickStep() const { return (kFrameHeight - 20) / 5; }

    std::vector<int> m_samples; // scaled levels, newest first
    int m_nMaximum = 0;
    double m_dScale;
    CRect m_frame;
    CRect m_plot;
    CBus* m_pBus = nullptr;
    int m_nNumber = 0;
};
