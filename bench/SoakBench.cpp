// One lesson hour of measuring: 72 000 ticks (50 ms each) of a board of 1 000
// components of every class, wired, with probes whose strip charts run in the left
// pane, in the program's own window offscreen. Prints the memory the hour added and
// the slowest tick (tick and repaint together).
//   bench_soak [TICKS]
#include "annotations/AnnotationClasses.h"
#include "boardview/BoardView.h"
#include "components/Sonde.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"

#include <QApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int kClasses = 24; // creation indexes 0..23; 24 is the probe
constexpr int kPerClass = 40;
constexpr int kProbes = 1000 - kClasses * kPerClass;

// This thread's processor time in ms: on a busy machine the wall clock also counts
// the time other programs had the processor.
double ThreadCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

long ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

CBus* FirstOfKind(CComponent& c, int kind)
{
    for (int b = 0; b < c.GetBusCount(); ++b)
        if (c.Bus(b).GetKind() == kind)
            return &c.Bus(b);
    return nullptr;
}

void BuildBoard(CVeldtrakDoc& doc)
{
    for (int i = 0; i < kClasses * kPerClass; ++i) {
        std::unique_ptr<CComponent> c = doc.CreateComponent(i % kClasses);
        c->MoveTo(100 + (i % 20) * 390, -100 - (i / 20) * 230);
        doc.AddComponent(std::move(c));
    }
    doc.LayOutSockets();
    std::vector<CBus*> outputs;
    for (std::size_t i = 0; i + 1 < doc.m_components.size(); ++i) {
        CBus* out = FirstOfKind(*doc.m_components[i], BUS_OUTPUT);
        CBus* in = FirstOfKind(*doc.m_components[i + 1], BUS_INPUT);
        if (out)
            outputs.push_back(out);
        if (!out || !in)
            continue;
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint(out->GetCenter(), out->GetId(), 30);
        wire->AddPoint(in->GetCenter(), in->GetId(), 30);
        doc.AddWire(std::move(wire));
    }
    for (int p = 0; p < kProbes; ++p) {
        auto probe = std::make_unique<CSonde>();
        doc.m_nLastBusId = probe->NumberBuses(doc.m_nLastBusId);
        const CBus* on = outputs[std::size_t(p) * outputs.size() / kProbes];
        probe->m_nParam1 = on->GetId();
        probe->m_nParam2 = p + 1;
        probe->MoveTo(on->GetCenter().x, on->GetCenter().y);
        doc.AddComponent(std::move(probe));
    }
    doc.SnapProbes();
    doc.RouteWireEnds();
}

// The loop below gives the ticks; the view's own 50 ms timer would add more of them.
class CSwallowTimers : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Timer; }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long ticks = argc > 1 ? std::atol(argv[1]) : 72000;
    RegisterBoardClasses();
    RegisterAnnotationClasses();

    CVeldtrakDoc doc;
    CMainFrame frame(doc);
    frame.resize(1280, 1024);
    frame.show();
    doc.m_bBusy = false;
    doc.UpdateAllViews(HINT_STARTUP_IMAGE, 0);
    BuildBoard(doc);
    doc.UpdateAllViews(HINT_REFRESH);
    QApplication::processEvents();

    frame.OnCommand(ID_MEASURE_START);
    CBoardView& board = frame.BoardPane();
    CSwallowTimers swallow;
    board.installEventFilter(&swallow);
    using Clock = std::chrono::steady_clock;
    const long warmUp = std::min(ticks, 1000L);
    long before = 0;
    double slowest = 0, slowestCpu = 0;
    double total = 0, totalCpu = 0;
    for (long i = 0; i < ticks; ++i) {
        if (i == warmUp)
            before = ResidentKilobytes();
        const auto begin = Clock::now();
        const double beginCpu = ThreadCpuMs();
        board.OnTimer(CBoardView::kMeasureTimer);
        QApplication::processEvents(); // the repaints the tick asked for
        const double cpu = ThreadCpuMs() - beginCpu;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
        total += ms;
        totalCpu += cpu;
        if (i >= warmUp) {
            slowest = std::max(slowest, ms);
            slowestCpu = std::max(slowestCpu, cpu);
        }
    }
    const long after = ResidentKilobytes();
    frame.OnCommand(ID_MEASURE_STOP);

    std::printf("components: %zu (probes %d), wires: %zu, ticks: %ld\n", doc.m_components.size(),
                kProbes, doc.m_wires.size(), ticks);
    std::printf("wall clock: mean tick %.3f ms, slowest after warm-up %.3f ms\n", total / double(ticks), slowest);
    std::printf("processor:  mean tick %.3f ms, slowest after warm-up %.3f ms\n", totalCpu / double(ticks),
                slowestCpu);
    std::printf("memory after %ld warm-up ticks: %ld kB, at the end: %ld kB, growth: %ld kB\n", warmUp,
                before, after, after - before);
    return 0;
}
