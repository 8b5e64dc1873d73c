// Figures at every board size, as a user meets them: opening a board, ticks per
// second, the editing repaint of a screenful, and the peak memory of a measurement.
//
//   bench_sizes [--sizes 100,1000,10000,100000] [--shapes keten,rooster] [--repeat 3]
//
// Boards come from the generator (a chain of inverters, a layered grid of gates).
// Times are CPU time of this process (or of the child process), the median of the
// repeats: the machine is shared, and CPU time is what the work itself costs.
#include "annotations/AnnotationClasses.h"
#include "boardview/BoardView.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/DrawContext.h"
#include "platform/FileIO.h"
#include "platform/Paths.h"
#include "tool/BoardGenerator.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec * 1e-9;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The CPU seconds of one call, median over the repeats.
double MeasureCpu(int repeat, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < repeat; ++i) {
        const double begin = CpuSeconds();
        work();
        times.push_back(CpuSeconds() - begin);
    }
    return Median(times);
}

struct ChildFigures {
    double cpuSeconds = 0;
    long peakKilobytes = 0;
    bool ok = false;
};

// Runs a program with its output thrown away; its CPU time and peak resident memory.
ChildFigures SpawnAndWait(const std::vector<QByteArray>& arguments)
{
    std::vector<char*> argv;
    for (const QByteArray& a : arguments)
        argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ChildFigures figures;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid) {
            figures.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                                 (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
            figures.peakKilobytes = usage.ru_maxrss;
            figures.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return figures;
}

// A child's peak memory counts the memory of the process that started it (it shares
// that until it loads its program), so children are started by a small helper process
// forked before this one grew: arguments go down one pipe, figures come up another.
class CSpawner {
public:
    CSpawner()
    {
        int down[2], up[2];
        if (pipe(down) != 0 || pipe(up) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            close(down[1]);
            close(up[0]);
            Serve(down[0], up[1]);
            _exit(0);
        }
        close(down[0]);
        close(up[1]);
        m_down = down[1];
        m_up = up[0];
    }
    ~CSpawner()
    {
        if (m_pid > 0) {
            close(m_down);
            close(m_up);
            waitpid(m_pid, nullptr, 0);
        }
    }
    ChildFigures Run(const std::vector<QByteArray>& arguments)
    {
        ChildFigures figures;
        QByteArray request;
        for (const QByteArray& a : arguments)
            request += a + '\0';
        const quint32 size = quint32(request.size());
        if (m_pid <= 0 || !WriteAll(m_down, &size, sizeof size) ||
            !WriteAll(m_down, request.constData(), size) ||
            !ReadAll(m_up, &figures, sizeof figures))
            return {};
        return figures;
    }

private:
    static bool WriteAll(int fd, const void* data, std::size_t n)
    {
        const char* p = static_cast<const char*>(data);
        while (n > 0) {
            const ssize_t w = write(fd, p, n);
            if (w <= 0)
                return false;
            p += w;
            n -= std::size_t(w);
        }
        return true;
    }
    static bool ReadAll(int fd, void* data, std::size_t n)
    {
        char* p = static_cast<char*>(data);
        while (n > 0) {
            const ssize_t r = read(fd, p, n);
            if (r <= 0)
                return false;
            p += r;
            n -= std::size_t(r);
        }
        return true;
    }
    static void Serve(int in, int out)
    {
        quint32 size = 0;
        while (ReadAll(in, &size, sizeof size) && size < (1u << 20)) {
            QByteArray request(qsizetype(size), Qt::Uninitialized);
            if (!ReadAll(in, request.data(), size))
                return;
            const QList<QByteArray> parts = request.split('\0');
            std::vector<QByteArray> arguments(parts.begin(), parts.end());
            if (!arguments.empty() && arguments.back().isEmpty())
                arguments.pop_back();
            const ChildFigures figures = SpawnAndWait(arguments);
            if (!WriteAll(out, &figures, sizeof figures))
                return;
        }
    }

    pid_t m_pid = -1;
    int m_down = -1;
    int m_up = -1;
};

CSpawner* g_spawner = nullptr;

ChildFigures RunChild(const std::vector<QByteArray>& arguments)
{
    return g_spawner ? g_spawner->Run(arguments) : SpawnAndWait(arguments);
}

ChildFigures MedianChild(int repeat, const std::vector<QByteArray>& arguments)
{
    std::vector<double> cpu;
    ChildFigures figures;
    for (int i = 0; i < repeat; ++i) {
        const ChildFigures f = RunChild(arguments);
        cpu.push_back(f.cpuSeconds);
        figures.peakKilobytes = std::max(figures.peakKilobytes, f.peakKilobytes);
        figures.ok = f.ok;
    }
    figures.cpuSeconds = Median(cpu);
    return figures;
}

// The editing repaint of the top-left screenful (1920 x 1080 at 96 dpi), as the view
// draws it when the whole pane was invalidated.
double RepaintSeconds(CVeldtrakDoc& doc, int repeat)
{
    constexpr int kDpi = 96;
    CBoardView view(doc);
    QImage surface(1920, 1080, QImage::Format_RGB32);
    const CRect visible(0, 0, 1920 * 254 / kDpi, -1080 * 254 / kDpi);
    return MeasureCpu(repeat, [&] {
        surface.fill(Qt::white);
        CDC dc(surface, kDpi);
        view.DrawBoard(dc, visible, false, false);
    });
}

struct Options {
    std::vector<int> sizes{100, 1000, 10000, 100000};
    std::vector<BoardShape> shapes{BoardShape::Chain, BoardShape::Grid};
    int repeat = 3;
};

bool ParseOptions(const QStringList& arguments, Options& options)
{
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        const QString& key = arguments[i];
        const QStringList values = arguments[i + 1].split(u',');
        if (key == u"--sizes") {
            options.sizes.clear();
            for (const QString& v : values) {
                bool ok = false;
                const int n = v.toInt(&ok);
                if (!ok || n < 1 || n > 1000000)
                    return false;
                options.sizes.push_back(n);
            }
        } else if (key == u"--shapes") {
            options.shapes.clear();
            for (const QString& v : values) {
                BoardShape shape{};
                if (!ParseBoardShape(v, shape))
                    return false;
                options.shapes.push_back(shape);
            }
        } else if (key == u"--repeat") {
            bool ok = false;
            options.repeat = values.value(0).toInt(&ok);
            if (!ok || options.repeat < 1 || options.repeat > 100)
                return false;
        } else {
            return false;
        }
    }
    return arguments.size() % 2 == 1;
}

} // namespace

int main(int argc, char** argv)
{
    CSpawner spawner; // first, while this process is small
    g_spawner = &spawner;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options options;
    if (!ParseOptions(QCoreApplication::arguments(), options)) {
        std::fprintf(stderr, "Gebruik: bench_sizes [--sizes 100,1000] [--shapes keten,rooster] "
                             "[--repeat 3]\n");
        return 2;
    }
    const QByteArray tool = (QCoreApplication::applicationDirPath() + "/veldtrak-tool").toLocal8Bit();
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    QTemporaryDir folder;
    SetProgramFolder(folder.path());

    std::printf("CPU time, median of %d; 'tool' columns are veldtrak-tool as a process.\n",
                options.repeat);
    std::printf("%-8s %7s %9s %11s %10s %9s %11s %11s %9s\n", "shape", "parts", "open ms",
                "tool info ms", "tick ns/c", "ticks/s", "repaint ms", "tool run ms", "peak MB");
    for (BoardShape shape : options.shapes) {
        for (int n : options.sizes) {
            const QString name = folder.path() + QStringLiteral("/bord%1.wks").arg(n);
            {
                CVeldtrakDoc doc;
                GenerateBoard(doc, shape, n);
                WriteWholeFile(name, WriteBoard(doc));
            }
            CVeldtrakDoc doc;
            doc.m_bBusy = false;
            const QString stored = WindowsName(name);
            const double open = MeasureCpu(options.repeat, [&] { doc.OnOpenDocument(stored); });

            // Ticks: enough for a tenth of a second or so at every size.
            const int ticks = std::max(20, 20000000 / n);
            CMemoryDC dc(8, 8);
            doc.Start();
            const double tickSeconds =
                MeasureCpu(options.repeat, [&] {
                    for (int t = 0; t < ticks; ++t)
                        doc.Tick(dc, CPoint(0, 0), 0);
                }) / ticks;
            doc.Stop();
            doc.UnlinkAll();

            const double repaint = RepaintSeconds(doc, options.repeat);
            const QByteArray file = name.toLocal8Bit();
            const ChildFigures info = MedianChild(options.repeat, {tool, "info", file});
            const ChildFigures run = MedianChild(options.repeat, {tool, "run", file, "--ticks", "100"});
            std::printf("%-8s %7d %9.2f %11.1f %10.2f %9.0f %11.2f %11.1f %9.1f%s\n",
                        shape == BoardShape::Chain ? "keten" : "rooster", n, open * 1e3,
                        info.cpuSeconds * 1e3, tickSeconds * 1e9 / n, 1.0 / tickSeconds,
                        repaint * 1e3, run.cpuSeconds * 1e3, run.peakKilobytes / 1024.0,
                        info.ok && run.ok ? "" : "  (tool failed)");
            std::fflush(stdout);
        }
    }
    SetProgramFolder(QString());
    return 0;
}
