#pragma once
// Draws the measurement chart with QPainter: lanes with their 0-5 V grid, labelled
// time lines, each probe's trace in its own colour and its name. Only what falls in
// the dirty rectangle is drawn, so a new tick costs a strip, not the chart.

#include <QColor>
#include <QRect>

class CChartLayout;
class CMeasurementLog;
class QPainter;

// The colour of the log's n-th trace (the same on screen, paper and in files).
QColor TraceColour(int trace);

// 'everySample' puts every tick into the trace as a point in tick and level units (for
// vector output); otherwise ticks that share a pixel column are drawn as their range.
void PaintChart(QPainter& painter, const CMeasurementLog& log, const CChartLayout& layout,
                const QRect& dirty, bool everySample = false);
