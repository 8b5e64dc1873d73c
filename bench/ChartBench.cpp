// The measurement chart: what a tick costs with the chart open at any length of
// measurement, the traces' memory for a lesson hour, and redrawing that hour zoomed
// and scrolled.
#include "annotations/AnnotationClasses.h"
#include "chart/ChartLayout.h"
#include "components/ComponentFactory.h"
#include "document/Document.h"
#include "document/MeasurementLog.h"
#include "platform/DrawContext.h"
#include "shell/ChartCanvas.h"
#include "support/BoardFixture.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <chrono>

namespace {

constexpr int kProbes = 40;
constexpr long long kLessonHour = 72000; // ticks of 50 ms
constexpr int kPulseIndex = 13;

// Forty pulse generators of 1 to 10 Hz, each with a probe on its output: traces that
// change often, the hardest to draw.
void FillPulseBoard(CVeldtrakDoc& doc)
{
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    doc.DeleteContents();
    for (int i = 0; i < kProbes; ++i) {
        auto pulse = doc.CreateComponent(kPulseIndex);
        pulse->MoveTo(400 * (i % 8), -200 * (i / 8));
        pulse->m_nParam1 = 1 + i % 10;
        const int output = pulse->GetBusRange().first;
        doc.AddComponent(std::move(pulse));
        AddProbe(doc, output, i + 1);
    }
    doc.LayOutSockets();
}

// A measurement of so many ticks with the chart beside it, shown offscreen.
struct MeasuredChart {
    explicit MeasuredChart(long long ticks, bool withChart = true) : log(doc), dc(8, 8)
    {
        doc.m_bBusy = false;
        FillPulseBoard(doc);
        if (withChart) {
            canvas = std::make_unique<CChartCanvas>(doc, log);
            canvas->resize(900, 600);
            canvas->show();
            QCoreApplication::processEvents();
        }
        doc.Start();
        Run(ticks);
    }
    ~MeasuredChart()
    {
        doc.Stop();
        doc.UnlinkAll();
    }
    void Run(long long ticks)
    {
        for (long long i = 0; i < ticks; ++i)
            doc.Tick(dc, CPoint(0, 0), 0);
        QCoreApplication::processEvents();
    }

    QTemporaryDir folder;
    CVeldtrakDoc doc;
    CMeasurementLog log;
    CMemoryDC dc;
    std::unique_ptr<CChartCanvas> canvas;
};

// One tick and the paint it asks for, after 'range(0)' ticks already measured; the
// same board without a chart (range(1) = 0) gives the tick's own cost to subtract.
void BM_ChartTickAppend(benchmark::State& state)
{
    MeasuredChart chart(state.range(0), state.range(1) != 0);
    double slowest = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        chart.doc.Tick(chart.dc, CPoint(0, 0), 0);
        QCoreApplication::processEvents(); // the paint of the strip (or the scroll)
        slowest = std::max(slowest, std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count());
    }
    state.counters["slowest_us"] = slowest;
}
BENCHMARK(BM_ChartTickAppend)
    ->Args({0, 0})->Args({kLessonHour, 0})
    ->Args({0, 1})->Args({kLessonHour / 4, 1})->Args({kLessonHour, 1})
    ->Iterations(2000)->Unit(benchmark::kMicrosecond);

// The traces' memory after a lesson hour of 40 probes (bytes reserved by the log).
void BM_ChartHourMemory(benchmark::State& state)
{
    MeasuredChart chart(kLessonHour, false);
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const CMeasurementLog::Trace& trace : chart.log.Traces())
            bytes += trace.levels.capacity() * sizeof(trace.levels.front()) + sizeof(trace);
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["trace_MB"] = double(bytes) / (1024.0 * 1024.0);
    state.counters["ticks"] = double(chart.log.TickCount());
}
BENCHMARK(BM_ChartHourMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// A whole repaint of the chart over a lesson hour: zoomed out to the whole hour
// (range -7), at one pixel a tick (0) and zoomed in (3), scrolled a page each time.
void BM_ChartHourRedraw(benchmark::State& state)
{
    static MeasuredChart* chart = new MeasuredChart(kLessonHour); // one hour for all zooms
    CChartCanvas& canvas = *chart->canvas;
    canvas.ShowAll();
    canvas.ZoomBy(int(state.range(0)) - canvas.Zoom());
    long long first = 0;
    for (auto _ : state) {
        canvas.ScrollTo(first);
        canvas.repaint();
        first = (canvas.FirstTick() + canvas.VisibleTicks()) % kLessonHour;
    }
    state.counters["zoom"] = canvas.Zoom();
    state.counters["visible_ticks"] = double(canvas.VisibleTicks());
}
BENCHMARK(BM_ChartHourRedraw)->Arg(-7)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace
