// Figures of the board view: a full repaint while editing (every component an
// exclusive-or'ed sprite), and a measurement tick that draws onto the window surface.
#include "annotations/AnnotationClasses.h"
#include "boardview/BoardView.h"
#include "components/ComponentFactory.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"
#include "support/BoardInRows.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kDpi = 96;
constexpr int kGateIndexes[] = {3, 6, 10, 11, 12, 22}; // the six logic components
constexpr CSize kGatePitch(262, 158);                   // gates of 256 x 152 side by side

// n components from the creation indexes, in rows of 'perRow' at the given pitch,
// each output wired to the next component's input where both exist.
void FillBoard(CVeldtrakDoc& doc, int n, const std::vector<int>& indexes, int perRow, CSize pitch)
{
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    FillInRows(doc, n, indexes, {{40, -40}, pitch, perRow});
}

// 500 gates and 500 wires between them.
void FillGateBoard(CVeldtrakDoc& doc)
{
    doc.m_bBusy = false;
    FillBoard(doc, 500, {std::begin(kGateIndexes), std::end(kGateIndexes)}, 25, kGatePitch);
    doc.m_wires.resize(std::min<std::size_t>(doc.m_wires.size(), 500));
    while (doc.m_wires.size() < 500) { // close the chain so there are 500 wires
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, SocketOfKind(*doc.m_components.back(), BUS_OUTPUT), 30);
        wire->AddPoint({0, 0}, SocketOfKind(*doc.m_components.front(), BUS_INPUT), 30);
        doc.AddWire(std::move(wire));
    }
}

// The whole repaint of a pane as the view does it: band after band, white background,
// then the board objects that meet the band, at 'dpi' with text laid out at true size.
void RepaintPane(benchmark::State& state, CBoardView& view, CVeldtrakDoc& doc, QImage& surface, int dpi)
{
    CRect clip;
    {
        CDC dc(surface, dpi);
        const CPoint corner = dc.DPtoLP(CPoint(surface.width(), surface.height()));
        clip = CRect(0, 0, corner.x, corner.y);
    }
    for (auto _ : state) {
        view.PaintEditingBoard(surface, surface.rect(), dpi, [](CDC& dc) { dc.SetLayoutDpi(kDpi); });
        benchmark::DoNotOptimize(surface.constBits());
    }
    int shown = 0;
    for (const auto& c : doc.m_components)
        shown += c->m_rect.left < clip.right && c->m_rect.top > clip.bottom;
    state.counters["components"] = double(doc.m_components.size());
    state.counters["in_view"] = double(shown);
    state.counters["wires"] = double(doc.m_wires.size());
    state.counters["surface_px"] = double(surface.width()) * surface.height();
}

// Pixels of the pane that shows all 500 gates at true size (2476 x 1194, a large screen).
QSize WholeGateBoardPixels(int dpi)
{
    return {(80 + 25 * kGatePitch.cx) * dpi / 254, (80 + 20 * kGatePitch.cy) * dpi / 254};
}

// 500 gates and their wires, all in view: every component an exclusive-or'ed sprite.
void BM_RepaintEditing(benchmark::State& state)
{
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    CVeldtrakDoc doc;
    FillGateBoard(doc);
    CBoardView view(doc);
    QImage surface(WholeGateBoardPixels(kDpi), QImage::Format_RGB32);
    RepaintPane(state, view, doc, surface, kDpi);
    SetProgramFolder(QString());
}
BENCHMARK(BM_RepaintEditing)->Unit(benchmark::kMillisecond);

// The same board zoomed to a percentage: in the same pane (Arg 1 = 0; the view draws
// what the pane shows) or on a surface large enough to show all 500 (Arg 1 = 1).
void BM_RepaintEditingZoomed(benchmark::State& state)
{
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    CVeldtrakDoc doc;
    FillGateBoard(doc);
    CBoardView view(doc);
    const int dpi = kDpi * int(state.range(0)) / 100;
    QImage surface(WholeGateBoardPixels(state.range(1) ? dpi : kDpi), QImage::Format_RGB32);
    RepaintPane(state, view, doc, surface, dpi);
    SetProgramFolder(QString());
}
BENCHMARK(BM_RepaintEditingZoomed)
    ->Args({200, 0})
    ->Args({200, 1})
    ->Args({50, 0})
    ->Unit(benchmark::kMillisecond);

// Undo of a move on 1000 gates and their wires in a view, with the whole repaint that
// follows it (a pane showing all of them, 2476 x 2388 pixels), as the pupil waits for it.
void BM_UndoAndRepaint(benchmark::State& state)
{
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    CVeldtrakDoc doc;
    doc.m_bBusy = false;
    FillBoard(doc, 1000, {std::begin(kGateIndexes), std::end(kGateIndexes)}, 25, kGatePitch);
    CBoardView view(doc);
    doc.ResetUndoHistory();
    doc.m_components.front()->MoveTo(4000, -5000);
    doc.CommitUndoStep();
    QImage surface((80 + 25 * kGatePitch.cx) * kDpi / 254, (80 + 40 * kGatePitch.cy) * kDpi / 254,
                   QImage::Format_RGB32);
    const CRect clip(0, 0, 8100, -11300);
    bool back = true;
    for (auto _ : state) {
        back ? doc.OnEditUndo() : doc.OnEditRedo();
        back = !back;
        surface.fill(Qt::white);
        CDC dc(surface, kDpi);
        view.DrawBoard(dc, clip, false, false);
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.counters["components"] = double(doc.m_components.size());
    SetProgramFolder(QString());
}
BENCHMARK(BM_UndoAndRepaint)->Unit(benchmark::kMillisecond);

// Pixels that differ between two surfaces of one size.
qsizetype ChangedPixels(const QImage& a, const QImage& b)
{
    qsizetype changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    return changed;
}

// A view shown offscreen with a measurement running on the document.
struct RunningView {
    explicit RunningView(CVeldtrakDoc& doc) : view(doc)
    {
        view.resize(1280, 1024);
        view.show();
        QCoreApplication::processEvents();
        doc.Start();
        QCoreApplication::processEvents();
    }
    CBoardView view;
};

// One measurement tick through the view's timer on 1000 components of every kind:
// state word, cursor, every component's update drawing what changed, the ageing. A
// board at rest: little changes from tick to tick.
void BM_MeasurementTick(benchmark::State& state)
{
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    CVeldtrakDoc doc;
    doc.m_bBusy = false;
    FillBoard(doc, 1000, EveryKind(), 20, {400, 450});
    RunningView running(doc);
    for (auto _ : state)
        running.view.OnTimer(CBoardView::kMeasureTimer);
    doc.Stop();
    state.counters["components"] = double(doc.m_components.size());
    state.counters["kinds"] = double(EveryKind().size());
    SetProgramFolder(QString());
}
BENCHMARK(BM_MeasurementTick)->Unit(benchmark::kMillisecond);

// The same with drawing on every tick: 500 inverters in a ring, which flips at every
// tick, each lighting an LED, so that all 500 LEDs redraw each time.
void BM_MeasurementTickBlinking(benchmark::State& state)
{
    constexpr int kInverter = 6, kLed = 8;
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    CVeldtrakDoc doc;
    doc.m_bBusy = false;
    FillBoard(doc, 1000, {kInverter, kLed}, 20, {350, 250});
    // FillBoard wired inverter to LED to nothing: rewire into the ring and the lights.
    doc.m_wires.clear();
    const auto wire = [&doc](int from, int to) {
        auto w = std::make_unique<CDraad>();
        w->AddPoint({0, 0}, from, 30);
        w->AddPoint({0, 0}, to, 30);
        doc.AddWire(std::move(w));
    };
    const int n = int(doc.m_components.size());
    for (int i = 0; i < n; i += 2) {
        const int out = SocketOfKind(*doc.m_components[std::size_t(i)], BUS_OUTPUT);
        wire(out, SocketOfKind(*doc.m_components[std::size_t(i + 1)], BUS_INPUT));
        wire(out, SocketOfKind(*doc.m_components[std::size_t((i + 2) % n)], BUS_INPUT));
    }
    doc.RouteWireEnds();
    RunningView running(doc);
    // What one tick changes on the surface (its visible part, 1280 x 1024).
    running.view.OnTimer(CBoardView::kMeasureTimer);
    const QImage before = running.view.Surface().copy();
    running.view.OnTimer(CBoardView::kMeasureTimer);
    state.counters["changed_px_per_tick"] = double(ChangedPixels(before, running.view.Surface()));
    for (auto _ : state)
        running.view.OnTimer(CBoardView::kMeasureTimer);
    doc.Stop();
    state.counters["components"] = double(n);
    SetProgramFolder(QString());
}
BENCHMARK(BM_MeasurementTickBlinking)->Unit(benchmark::kMillisecond);

} // namespace
