// The exerciser in the suite: every kept script replays without a fault, and a fixed
// set of seeds plays short random sessions. By hand (scripts/exercise.sh) it plays
// sessions for as long as asked, and shrinks and keeps every fault it finds.
// scripts/ holds the scripts of faults found and fixed; open/ those found and not fixed
// yet (a fix moves its script to scripts/).
#include "ExerciseRunner.h"
#include "Shrink.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {

QString Report(const SessionResult& r)
{
    return QStringLiteral("action %1 (%2): %3\n%4")
        .arg(r.failedAt)
        .arg(r.failedAt >= 0 ? r.actions.back().ToLine() : QStringLiteral("start-up"))
        .arg(r.fault)
        .arg(ScriptText(r.actions));
}

TEST(Exerciser, KeptScriptsReplayWithoutFault)
{
    const QDir folder(QStringLiteral(VT_EXERCISE_SCRIPTS));
    const QStringList scripts = folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString& name : scripts) {
        const auto actions = ReadScript(folder.filePath(name));
        ASSERT_TRUE(actions.has_value()) << name.toStdString();
        const SessionResult r = RunScript(*actions, name);
        EXPECT_FALSE(r.Failed()) << name.toStdString() << ", " << Report(r).toStdString();
    }
}

TEST(Exerciser, FixedSeedsHold)
{
    for (std::uint32_t seed : {2u, 4u, 8u, 9u, 201u, 202u, 203u, 204u, 205u, 206u, 207u, 208u}) {
        const SessionResult r = RunSeed(seed, 120);
        EXPECT_FALSE(r.Failed()) << "seed " << seed << ", " << Report(r).toStdString();
    }
}

// VT_EXERCISE_SECONDS (how long), VT_EXERCISE_SEED (the first seed), VT_EXERCISE_ACTIONS
// (actions a session), VT_EXERCISE_SEEDS (at most this many sessions), VT_EXERCISE_OUT (where shrunk scripts go), VT_EXERCISE_REPLAY
// (a script to replay instead).
TEST(DISABLED_ByHand, Exercise)
{
    const QString replay = qEnvironmentVariable("VT_EXERCISE_REPLAY");
    if (!replay.isEmpty()) {
        const auto actions = ReadScript(replay);
        ASSERT_TRUE(actions.has_value()) << "cannot read " << replay.toStdString();
        const SessionResult r = RunScript(*actions, replay);
        std::printf("%s\n", r.Failed() ? qPrintable(Report(r)) : "no fault");
        EXPECT_FALSE(r.Failed());
        return;
    }
    const int seconds = std::max(qEnvironmentVariableIntValue("VT_EXERCISE_SECONDS"), 1);
    const std::uint32_t firstSeed = std::uint32_t(qEnvironmentVariableIntValue("VT_EXERCISE_SEED"));
    int perSession = qEnvironmentVariableIntValue("VT_EXERCISE_ACTIONS");
    if (perSession <= 0)
        perSession = 400;
    QString out = qEnvironmentVariable("VT_EXERCISE_OUT");
    if (out.isEmpty())
        out = QDir::currentPath();
    QDir().mkpath(out);

    QElapsedTimer clock;
    clock.start();
    const auto timeUp = [&] { return clock.elapsed() >= qint64(seconds) * 1000; };
    long long actions = 0;
    int faults = 0, sessions = 0;
    qint64 shrinking = 0;  // milliseconds spent shrinking, left out of the speed
    QStringList kinds;     // one shrunk script for each kind of fault
    std::map<QString, int> reached;
    const int seeds = qEnvironmentVariableIntValue("VT_EXERCISE_SEEDS"); // 0: as many as time allows
    for (std::uint32_t seed = firstSeed; !timeUp() && (seeds <= 0 || sessions < seeds); ++seed) {
        SessionResult r = RunSeed(seed, perSession, timeUp);
        ++sessions;
        actions += qsizetype(r.actions.size());
        for (const auto& [what, count] : r.reached)
            reached[what] += count;
        if (!r.Failed())
            continue;
        ++faults;
        std::printf("seed %u: fault at %s\n", seed, qPrintable(Report(r).section(u'\n', 0, 0)));
        std::fflush(stdout);
        if (std::any_of(kinds.begin(), kinds.end(), [&r](const QString& k) { return SameFault(k, r.fault); }))
            continue;
        kinds << r.fault;
        QElapsedTimer shrinkClock;
        shrinkClock.start();
        const SessionResult shrunk = Shrink(r);
        shrinking += shrinkClock.elapsed();
        const QString path = QStringLiteral("%1/seed%2.txt").arg(out).arg(seed);
        WriteScript(path, shrunk.actions,
                    {QStringLiteral("seed %1, action %2, shrunk to %3 actions").arg(seed).arg(r.failedAt).arg(shrunk.actions.size()),
                     shrunk.fault.section(u'\n', 0, 0)});
        std::printf("  shrunk to %zu actions: %s\n", shrunk.actions.size(), qPrintable(path));
        std::fflush(stdout);
    }
    const double elapsed = std::max(clock.elapsed() - shrinking, qint64(1)) / 1000.0;
    std::printf("%lld actions in %d sessions, %.1f s (without shrinking): %.1f actions per second; "
                "%d faults found, of %lld kinds\n",
                actions, sessions, elapsed, double(actions) / elapsed, faults, qsizetype(kinds.size()));
    std::printf("reached:");
    for (const auto& [what, count] : reached)
        std::printf(" %s %d;", qPrintable(what), count);
    std::printf("\n");
    EXPECT_EQ(faults, 0);
}

} // namespace
