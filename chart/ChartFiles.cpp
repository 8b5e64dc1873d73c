#include "ChartFiles.h"

#include "ChartLayout.h"
#include "ChartRender.h"
#include "document/MeasurementLog.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>

namespace {

constexpr int kPictureWidth = 1200;
constexpr int kLaneHeight = 110;
constexpr int kOverlaidHeight = 420;
constexpr int kHeaderHeight = 40; // title and date above a printed chart
// More lanes than this would make a picture no one can open.
constexpr int kMaxPictureHeight = 16000;
// An SVG holds every tick as a point up to this many points in all (some 50 MB of text,
// over three hours of 40 probes); a longer measurement is drawn as the screen draws it.
constexpr long long kMaxSvgPoints = 4'000'000;

// The whole measurement across the plot.
CChartLayout WholeMeasurement(const QRect& area, const CMeasurementLog& log, bool lanes, long long ticks = -1)
{
    CChartLayout layout(area, int(log.Traces().size()), lanes);
    const long long count = ticks < 0 ? log.TickCount() : std::min(ticks, log.TickCount());
    layout.SetTickCount(count);
    layout.SetTimeWindow(0, (layout.Plot().width() - 1) / double(std::max(1LL, count - 1)));
    return layout;
}

QByteArray Png(const CMeasurementLog& log, const QRect& area, bool lanes, long long ticks)
{
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    {
        QPainter painter(&image);
        PaintChart(painter, log, WholeMeasurement(area, log, lanes, ticks), area, ChartOutput::Picture);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

QByteArray Svg(const CMeasurementLog& log, const QRect& area, const QString& title, bool lanes, long long ticks)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(area.size());
    svg.setResolution(96);
    svg.setViewBox(area);
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Meetgrafiek: per sonde de spanning (V) per tik van 0,05 s"));
    {
        QPainter painter;
        if (!painter.begin(&svg))
            return {};
        const CChartLayout layout = WholeMeasurement(area, log, lanes, ticks);
        const long long points = layout.TickCount() * qsizetype(log.Traces().size());
        PaintChart(painter, log, layout, area, points <= kMaxSvgPoints ? ChartOutput::Vector : ChartOutput::Picture);
    }
    return bytes;
}

} // namespace

ChartFormat ChartFormatOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"png")
        return ChartFormat::Png;
    if (suffix == u"svg")
        return ChartFormat::Svg;
    return ChartFormat::Unknown;
}

QRect ChartPictureArea(const CMeasurementLog& log, bool lanes)
{
    const int traces = int(log.Traces().size());
    const int plotHeight = lanes ? traces * kLaneHeight + (traces - 1) * CChartLayout::kLaneGap : kOverlaidHeight;
    const int top = CChartLayout::TopMargin(kPictureWidth, traces, lanes);
    return QRect(0, 0, kPictureWidth, std::min(kMaxPictureHeight, top + plotHeight + CChartLayout::kBottomMargin));
}

QByteArray ChartPicture(const CMeasurementLog& log, ChartFormat format, const QString& title, bool lanes,
                        long long ticks)
{
    if (!log.HasTraces() || ticks == 0)
        return {};
    const QRect area = ChartPictureArea(log, lanes);
    switch (format) {
    case ChartFormat::Png:
        return Png(log, area, lanes, ticks);
    case ChartFormat::Svg:
        return Svg(log, area, title, lanes, ticks);
    case ChartFormat::Unknown:
        break;
    }
    return {};
}

void PaintChartPage(QPainter& painter, const QRect& page, const CMeasurementLog& log, const QString& title,
                    const QDateTime& when, bool lanes)
{
    // The page is laid out as the picture is, in picture pixels, then scaled to the paper.
    const int width = kPictureWidth;
    const int height = std::max(kHeaderHeight + 200, int(double(page.height()) * width / std::max(1, page.width())));
    painter.save();
    painter.translate(page.topLeft());
    painter.scale(double(page.width()) / width, double(page.width()) / width);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect header(0, 0, width, kHeaderHeight);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, title);
    font.setBold(false);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, when.toString(QStringLiteral("d-M-yyyy HH:mm")));
    const QRect area(0, kHeaderHeight, width, height - kHeaderHeight);
    PaintChart(painter, log, WholeMeasurement(area, log, lanes), area, ChartOutput::Picture);
    painter.restore();
}
