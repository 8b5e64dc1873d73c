#include "ChartImage.h"

#include "StripChart.h"
#include "document/MeasurementLog.h"
#include "platform/DrawContext.h"

#include <algorithm>

namespace {
// The pane's layout: the first frame this far in, each next chart this far below.
constexpr int kChartLeft = 60;
constexpr int kChartTop = 30;
constexpr int kChartPitch = 265;
constexpr int kRightMargin = 20;
} // namespace

QImage RenderStripCharts(const CMeasurementLog& log)
{
    if (!log.HasTraces())
        return {};
    // Probe widths outside the settings' range come from a damaged settings file.
    const int samples = std::clamp(log.ChartWidth(), 30, 300);
    std::vector<CStripChart> charts;
    charts.reserve(log.Traces().size());
    int top = -kChartTop;
    for (const CMeasurementLog::Trace& trace : log.Traces()) {
        CStripChart& chart = charts.emplace_back(samples);
        chart.Place(kChartLeft, top);
        chart.Attach(nullptr, trace.number);
        const std::size_t count = std::min(trace.levels.size(), std::size_t(samples));
        for (std::size_t i = trace.levels.size() - count; i < trace.levels.size(); ++i)
            chart.SampleLevel(trace.levels[i]);
        top -= kChartPitch;
    }

    const int widthUnits = kChartLeft + charts.front().Frame().Width() + kRightMargin;
    const int heightUnits = kChartTop + int(charts.size()) * kChartPitch;
    QImage image(widthUnits * kChartImageDpi / 254, heightUnits * kChartImageDpi / 254,
                 QImage::Format_RGB32);
    if (image.isNull())
        return {}; // too many charts for one picture
    image.fill(Qt::white);
    CDC dc(image, kChartImageDpi);
    for (CStripChart& chart : charts)
        chart.Paint(dc);
    return image;
}
