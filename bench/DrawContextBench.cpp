// Figures for the drawing context's hot paths: what every component does per paint.

#include "platform/DrawContext.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

// Fonts need an application object; benchmark_main has none of its own.
void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_drawcontext";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

void BM_CaptionText(benchmark::State& state) {
    EnsureApplication();
    CMemoryDC dc(1024, 1024, 96);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    const QString caption = QStringLiteral("EN-poort");
    for (auto _ : state) {
        const CFont old = dc.SelectObject(CFont::Label(44));
        const CSize s = dc.GetTextExtent(caption);
        dc.TextOut(300, -300 + s.cy, caption);
        dc.SelectObject(old);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_CaptionText);

void BM_SocketDisc(benchmark::State& state) {
    EnsureApplication();
    CMemoryDC dc(1024, 1024, 96);
    for (auto _ : state) {
        const CPen oldPen = dc.SelectObject(CPen::Black());
        const CBrush oldBrush = dc.SelectObject(CBrush::Solid(RGB(0, 255, 0)));
        dc.Ellipse(100, -100, 140, -140);
        dc.SelectObject(oldBrush);
        dc.SelectObject(oldPen);
    }
    benchmark::DoNotOptimize(dc.Bitmap().constBits());
}
BENCHMARK(BM_SocketDisc);

void BM_XorWire(benchmark::State& state) {
    EnsureApplication();
    CMemoryDC dc(1024, 1024, 96);
    const CPoint wire[] = {{150, -150}, {900, -150}, {900, -700}, {1800, -1300}};
    dc.SetROP2(R2_XORPEN);
    for (auto _ : state) {
        const CPen old = dc.SelectObject(CPen::Solid(0, RGB(255, 255, 255)));
        dc.MoveTo(wire[0].x, wire[0].y);
        for (int i = 1; i < 4; ++i)
            dc.LineTo(wire[i].x, wire[i].y);
        dc.SelectObject(old);
    }
    benchmark::DoNotOptimize(dc.Bitmap().constBits());
}
BENCHMARK(BM_XorWire);

void BM_ContextPerPass(benchmark::State& state) {
    // A drawing pass creates its context on the view's image.
    EnsureApplication();
    QImage image(1024, 1024, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto _ : state) {
        CDC dc(image, 96);
        benchmark::DoNotOptimize(&dc);
    }
}
BENCHMARK(BM_ContextPerPass);

} // namespace
