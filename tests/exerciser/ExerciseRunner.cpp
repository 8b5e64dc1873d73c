#include "ExerciseRunner.h"

#include "ActionChooser.h"
#include "CrashNote.h"
#include "ExerciseSession.h"

#include <random>

namespace {

SessionResult Run(const QString& name, int count, const std::function<CExerciseAction(CExerciseSession&, int)>& next,
                  const std::function<bool()>& stop)
{
    InstallCrashNote();
    SessionResult result;
    CExerciseSession session;
    SetCrashNote(name + QStringLiteral(", start-up"));
    if (!session.Begin()) {
        result.fault = QStringLiteral("the program did not start");
        return result;
    }
    for (int i = 0; i < count && !(stop && stop()); ++i) {
        result.actions.push_back(next(session, i));
        SetCrashNote(QStringLiteral("%1, action %2: %3").arg(name).arg(i).arg(result.actions.back().ToLine()));
        const CExerciseAction& action = result.actions.back();
        result.fault = session.Play(action);
        for (const QString& title : session.Invariants().Dialogs())
            ++result.reached[QStringLiteral("dialog \"%1\"").arg(title)];
        if (action.verb == u"aim" || action.verb == u"menu")
            ++result.reached[action.verb + u' ' + QString::number(action.Arg(0))];
        if (action.verb == u"aim" && (action.Arg(0) == 1 || action.Arg(0) == 2) && session.Invariants().OpenedDuringAction())
            ++result.reached[QStringLiteral("chain step taken")];
        if (result.Failed()) {
            result.failedAt = i;
            break;
        }
    }
    SetCrashNote(name + QStringLiteral(", closing"));
    return result;
}

} // namespace

SessionResult RunSeed(std::uint32_t seed, int count, const std::function<bool()>& stop)
{
    std::mt19937 rng(seed);
    return Run(QStringLiteral("seed %1").arg(seed), count,
               [&rng](CExerciseSession& s, int) { return ChooseAction(s, rng); }, stop);
}

SessionResult RunScript(const ActionList& actions, const QString& name)
{
    return Run(name.isEmpty() ? QStringLiteral("script") : name, int(actions.size()),
               [&actions](CExerciseSession&, int i) { return actions[std::size_t(i)]; }, {});
}
