// Whole-board figures: the measurement tick (compute only) and reading and writing
// board files.
#include "annotations/AnnotationClasses.h"
#include "components/ComponentFactory.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/DrawContext.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

constexpr int kGateIndexes[] = {3, 6, 10, 11, 12, 22}; // the six logic components

// A board of n gates in rows, each gate's first input wired to the previous output.
void FillBoard(CVeldtrakDoc& doc, int n)
{
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    doc.DeleteContents();
    int previousOutput = 0;
    for (int i = 0; i < n; ++i) {
        auto gate = doc.CreateComponent(kGateIndexes[i % 6]);
        gate->MoveTo(300 * (i % 25), -200 * (i / 25));
        const auto [first, last] = gate->GetBusRange();
        doc.AddComponent(std::move(gate));
        if (previousOutput) {
            auto wire = std::make_unique<CDraad>();
            wire->AddPoint({0, 0}, previousOutput, 30);
            wire->AddPoint({0, 0}, first, 30);
            doc.AddWire(std::move(wire));
        }
        previousOutput = last;
    }
    doc.LayOutSockets();
    doc.RouteWireEnds();
}

void BM_TickComputeOnly(benchmark::State& state)
{
    QTemporaryDir folder;
    CVeldtrakDoc doc;
    doc.m_bBusy = false;
    const int n = int(state.range(0));
    FillBoard(doc, n);
    CMemoryDC dc(8, 8);
    doc.Start();
    for (auto _ : state)
        doc.Tick(dc, CPoint(0, 0), 0);
    doc.Stop();
    doc.UnlinkAll();
    state.counters["ns_per_component"] = benchmark::Counter(
        double(state.iterations()) * n, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TickComputeOnly)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Start on the board of n gates with a probe on every output (numbers 1 to n), and the
// Stop after it: listing the probes, coupling and linking the wires.
void BM_StartWithProbes(benchmark::State& state)
{
    QTemporaryDir folder;
    CVeldtrakDoc doc;
    doc.m_bBusy = false;
    const int n = int(state.range(0));
    FillBoard(doc, n);
    for (int i = 0; i < n; ++i) {
        auto probe = doc.CreateComponent(24);
        probe->m_nParam1 = doc.m_components[std::size_t(i)]->GetBusRange().second;
        probe->m_nParam2 = i + 1;
        doc.AddComponent(std::move(probe));
    }
    for (auto _ : state) {
        doc.Start();
        benchmark::DoNotOptimize(doc.m_probeBuses.data());
        doc.Stop();
        doc.UnlinkAll();
    }
}
BENCHMARK(BM_StartWithProbes)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Marking the whole board of n gates and deleting the marked components.
void BM_DeleteMarked(benchmark::State& state)
{
    QTemporaryDir folder;
    CVeldtrakDoc doc;
    const int n = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        FillBoard(doc, n);
        std::vector<CComponent*> marked;
        for (const auto& c : doc.m_components)
            marked.push_back(c.get());
        state.ResumeTiming();
        doc.DeleteComponents(marked);
        benchmark::DoNotOptimize(doc.m_components.data());
    }
}
BENCHMARK(BM_DeleteMarked)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A wire drawn by hand on the board of n gates: one that is there already (the
// duplicate search alone), and a new one.
void BM_AddWireByHand(benchmark::State& state)
{
    QTemporaryDir folder;
    CVeldtrakDoc doc;
    const int n = int(state.range(0));
    const bool duplicate = state.range(1) != 0;
    FillBoard(doc, n);
    const auto [first, second] = doc.m_wires[doc.m_wires.size() / 2]->GetEnds();
    int next = doc.m_nLastBusId + 1;
    for (auto _ : state) {
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, duplicate ? second : next++, 30);
        wire->AddPoint({0, 0}, duplicate ? first : next++, 30);
        benchmark::DoNotOptimize(doc.AddWire(std::move(wire)));
    }
}
BENCHMARK(BM_AddWireByHand)
    ->ArgNames({"parts", "duplicate"})
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Unit(benchmark::kMicrosecond);

// One of every class (the probe included), repeated to n components, unwired.
void FillWithEveryClass(CVeldtrakDoc& doc, int n)
{
    RegisterBoardClasses();
    doc.DeleteContents();
    for (int i = 0; i < n; ++i) {
        auto c = doc.CreateComponent(i % kCreationIndexCount);
        c->MoveTo(700 * (i % 10), -500 * (i / 10));
        doc.AddComponent(std::move(c));
    }
    doc.LayOutSockets();
}

void BM_TickEveryClass(benchmark::State& state)
{
    CVeldtrakDoc doc;
    doc.m_bBusy = false;
    const int n = int(state.range(0));
    FillWithEveryClass(doc, n);
    CMemoryDC dc(8, 8);
    doc.Start();
    for (auto _ : state)
        doc.Tick(dc, CPoint(-1000, 1000), 0);
    doc.Stop();
    doc.UnlinkAll();
    state.counters["ns_per_component"] = benchmark::Counter(
        double(state.iterations()) * n, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TickEveryClass)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Undo and redo of one move on a board of n gates and their wires: reading the board of
// the step back in and laying out its sockets (the views are repainted after it).
void BM_UndoStep(benchmark::State& state)
{
    QTemporaryDir folder;
    CVeldtrakDoc doc;
    doc.m_bBusy = false;
    FillBoard(doc, int(state.range(0)));
    doc.ResetUndoHistory();
    doc.m_components.front()->MoveTo(4000, -5000);
    doc.CommitUndoStep();
    for (auto _ : state) {
        doc.OnEditUndo();
        doc.OnEditRedo();
    }
    state.SetItemsProcessed(state.iterations() * 2); // steps
    state.counters["step_bytes"] = double(doc.UndoHistory().Current().size());
}
BENCHMARK(BM_UndoStep)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// What every finished edit costs on a board of n gates: writing the board into memory
// and comparing it with the last step.
void BM_RecordStep(benchmark::State& state)
{
    QTemporaryDir folder;
    CVeldtrakDoc doc;
    doc.m_bBusy = false;
    FillBoard(doc, int(state.range(0)));
    doc.ResetUndoHistory();
    for (auto _ : state)
        doc.CommitUndoStep(); // unchanged: written and compared, no step
}
BENCHMARK(BM_RecordStep)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// About 1 MB: 13 000 gates and their wires.
void BM_WriteBoard(benchmark::State& state)
{
    CVeldtrakDoc doc;
    FillBoard(doc, 13000);
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray file = WriteBoard(doc);
        bytes += file.size();
        benchmark::DoNotOptimize(file.constData());
    }
    state.SetBytesProcessed(bytes);
    state.counters["file_bytes"] = double(WriteBoard(doc).size());
}
BENCHMARK(BM_WriteBoard)->Unit(benchmark::kMillisecond);

void BM_ReadBoard(benchmark::State& state)
{
    CVeldtrakDoc doc;
    FillBoard(doc, 13000);
    const QByteArray file = WriteBoard(doc);
    CVeldtrakDoc reader;
    qint64 bytes = 0;
    for (auto _ : state) {
        reader.DeleteContents();
        if (ReadBoard(file, reader) != 0)
            state.SkipWithError("read failed");
        bytes += file.size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ReadBoard)->Unit(benchmark::kMillisecond);

} // namespace
