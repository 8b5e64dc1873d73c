#pragma once
// The whole measurement as a picture: PNG for the screen, SVG for worksheets and
// tests (every tick a point of its trace, up to some hours of many probes), and the
// page that is printed.

#include <QByteArray>
#include <QDateTime>
#include <QRect>
#include <QString>

class CMeasurementLog;
class QPainter;

enum class ChartFormat { Png, Svg, Unknown };

// By the file name's extension (either case).
ChartFormat ChartFormatOf(const QString& fileName);

// The picture's size in pixels: a fixed width, a lane of fixed height per trace.
QRect ChartPictureArea(const CMeasurementLog& log, bool lanes);

// Empty when nothing was measured or the picture cannot be made. 'ticks' limits the
// picture to the first ticks of the log (all when negative).
QByteArray ChartPicture(const CMeasurementLog& log, ChartFormat format, const QString& title, bool lanes = true,
                        long long ticks = -1);

// One page: the board's title and the date above the whole measurement, the chart
// filling the rest of 'page' (painter units).
void PaintChartPage(QPainter& painter, const QRect& page, const CMeasurementLog& log, const QString& title,
                    const QDateTime& when, bool lanes);
