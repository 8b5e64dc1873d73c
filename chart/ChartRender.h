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

// Where the chart goes. The screen takes thin lines, which the rasteriser draws
// fastest; a picture and paper take smooth lines of two pixels; a vector file takes
// every tick as a point in tick and level units. Elsewhere ticks that share a pixel
// column are drawn as their range.
enum class ChartOutput { Screen, Picture, Vector };

void PaintChart(QPainter& painter, const CMeasurementLog& log, const CChartLayout& layout,
                const QRect& dirty, ChartOutput output);
