#pragma once
// Where the chart's parts stand: the legend on top, the voltage labels on the left,
// the time labels below, and the plot with one lane per trace or one lane for all.
// Screen, paper, PNG and SVG all take their geometry from here, so a cursor and a
// saved picture agree with what was drawn.

#include <QRect>

class CChartLayout {
public:
    static constexpr int kMaxLevel = 500; // hundredths of a volt at the top of a lane
    static constexpr int kLeftMargin = 48;
    static constexpr int kRightMargin = 14;
    static constexpr int kBottomMargin = 26;
    static constexpr int kLegendItemWidth = 78;
    static constexpr int kLegendRowHeight = 16;
    static constexpr int kLaneGap = 6;
    static constexpr int kFontPixels = 11;

    // 'area' is the whole chart; traceCount may be 0 (an empty chart).
    CChartLayout(const QRect& area, int traceCount, bool lanes);

    QRect Area() const { return m_area; }
    QRect Plot() const { return m_plot; }
    bool Lanes() const { return m_bLanes; }
    int TraceCount() const { return m_nTraces; }
    int LaneCount() const { return m_bLanes ? m_nTraces : 1; }
    int LaneOfTrace(int trace) const { return m_bLanes ? trace : 0; }
    QRect Lane(int lane) const;
    // Where a legend entry stands (overlaid traces only: lanes carry their own names).
    QRect LegendItem(int trace) const;

    // The time window: the tick at the plot's left edge and the horizontal scale.
    void SetTimeWindow(double firstTick, double pixelsPerTick);
    double FirstTick() const { return m_dFirstTick; }
    // How many ticks of the log are drawn, from its first (a saved file stops at the
    // tick the command was chosen, the screen shows all).
    void SetTickCount(long long ticks) { m_nTickCount = ticks; }
    long long TickCount() const { return m_nTickCount; }
    double PixelsPerTick() const { return m_dPixelsPerTick; }
    double XOfTick(double tick) const { return m_plot.left() + (tick - m_dFirstTick) * m_dPixelsPerTick; }
    double TickAtX(double x) const { return m_dFirstTick + (x - m_plot.left()) / m_dPixelsPerTick; }
    // The y of a level (hundredths) in a lane.
    double YOfLevel(int lane, double hundredths) const;
    // Ticks between labelled time lines: a round number of seconds or tenths, wide
    // enough apart for their labels.
    long long TimeStep() const;
    // Legend rows above the plot for this many traces in this width (0 for lanes).
    static int LegendRows(int width, int traceCount, bool lanes);
    // The plot's distance from the top of the chart: the legend, or a small margin.
    static int TopMargin(int width, int traceCount, bool lanes);

private:
    QRect m_area;
    QRect m_plot;
    int m_nTraces;
    bool m_bLanes;
    int m_nLegendColumns = 1;
    double m_dFirstTick = 0;
    double m_dPixelsPerTick = 1;
    long long m_nTickCount = 0;
};
