// Starts the real program and measures, from outside:
//  - the time from starting the process to the first painted start-up image, without
//    the start-up sequence's own 500 ms timer (the program reports when that timer
//    fired relative to its first paint);
//  - the measurement timer's regularity in the real window on a board of 500
//    components: the mean tick period and the latest tick over 10 seconds.
//
//   bench_startup [--repeat 5] [--tick-seconds 10]
//
// Runs in the window system when DISPLAY is set (xvfb-run -a build/bench_startup),
// else on Qt's offscreen platform.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double wallMs = 0; // from the start of the process to its report
    double cpuMs = 0;  // the whole process, to its end
    std::string report;
};

// Starts the program with these extra environment variables and waits for its report.
Run StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& variables)
{
    std::vector<std::string> env(variables);
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    if (!getenv("DISPLAY") && !getenv("QT_QPA_PLATFORM"))
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char*> envp, argv{const_cast<char*>(program.c_str())};
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args(arguments);
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    Run run;
    if (pipe(out) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto begin = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (!started) {
        close(out[0]);
        return run;
    }
    char buffer[512];
    ssize_t n = 0;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0) {
        if (run.report.empty())
            run.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        run.report.append(buffer, std::size_t(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.cpuMs = (double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6 +
                 double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec)) / 1e3;
    return run;
}

double Field(const std::string& report, const std::string& name)
{
    const std::size_t at = report.find(name + ' ');
    return at == std::string::npos ? -1 : std::atof(report.c_str() + at + name.size() + 1);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    int repeat = 5;
    int tickSeconds = 10;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (key == "--repeat" && value >= 1 && value <= 100)
            repeat = value;
        else if (key == "--tick-seconds" && value >= 0 && value <= 600)
            tickSeconds = value;
        else {
            std::fprintf(stderr, "Gebruik: bench_startup [--repeat 5] [--tick-seconds 10]\n");
            return 2;
        }
    }
    QCoreApplication app(argc, argv);
    const std::string program = (QCoreApplication::applicationDirPath() + "/veldtrak").toStdString();

    std::vector<double> wall, beforePauses, cpu;
    for (int i = 0; i < repeat; ++i) {
        const Run run = StartProgram(program, {}, {"VT_PROBE_STARTUP=1"});
        const double firstPaint = Field(run.report, "first-paint-ms");
        const double timer = Field(run.report, "timer-ms");
        if (run.report.empty() || firstPaint < 0 || timer < 0) {
            std::fprintf(stderr, "the program gave no report: %s\n", run.report.c_str());
            return 1;
        }
        wall.push_back(run.wallMs);
        beforePauses.push_back(run.wallMs - (timer - firstPaint));
        cpu.push_back(run.cpuMs);
    }
    std::printf("start-up to the first painted image, median of %d (%s):\n", repeat,
                getenv("DISPLAY") ? "window system" : "offscreen");
    std::printf("  wall %.0f ms, without the 500 ms start-up timer %.0f ms, CPU %.0f ms\n",
                Median(wall), Median(beforePauses), Median(cpu));
    std::fflush(stdout);

    if (tickSeconds > 0) {
        QTemporaryDir folder;
        const QString board = folder.path() + QStringLiteral("/vijfhonderd.wks");
        const std::string maker = (QCoreApplication::applicationDirPath() + "/vt-make-board").toStdString();
        StartProgram(maker, {"rooster", "500", board.toStdString()}, {});
        const Run run = StartProgram(program, {board.toStdString()},
                                     {"VT_PROBE_TICKS=" + std::to_string(tickSeconds)});
        std::printf("measurement timer, %d s on a board of %.0f components: %.0f ticks, mean period "
                    "%.3f ms, latest tick %.1f ms late\n",
                    tickSeconds, Field(run.report, "components"), Field(run.report, "ticks"),
                    Field(run.report, "mean-ms"), Field(run.report, "late-ms"));
    }
    return 0;
}
