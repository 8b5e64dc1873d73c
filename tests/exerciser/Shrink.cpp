#include "Shrink.h"

#include <QRegularExpression>

#include <algorithm>

bool SameFault(const QString& a, const QString& b)
{
    // The words without their numbers, up to the first colon: "1 undo steps back" and
    // "3 undo steps back" are one kind, a dialog inside a drawing is one kind whatever
    // the dialog.
    static const QRegularExpression numbers(QStringLiteral("[0-9]+"));
    const auto kind = [](QString text) { return text.remove(numbers).section(u':', 0, 0).section(u'"', 0, 0); };
    return kind(a) == kind(b);
}

SessionResult Shrink(const SessionResult& failing, int replays)
{
    SessionResult best = failing;
    std::size_t chunk = std::max<std::size_t>(best.actions.size() / 2, 1);
    while (replays > 0) {
        bool dropped = false;
        for (std::size_t from = 0; from < best.actions.size() && replays > 0;) {
            ActionList shorter = best.actions;
            const std::size_t end = std::min(from + chunk, shorter.size());
            shorter.erase(shorter.begin() + std::ptrdiff_t(from), shorter.begin() + std::ptrdiff_t(end));
            --replays;
            SessionResult tried = RunScript(shorter, QStringLiteral("shrinking"));
            if (tried.Failed() && SameFault(tried.fault, failing.fault)) {
                best = tried; // its actions end at the fault
                dropped = true;
            } else {
                from += chunk;
            }
        }
        if (!dropped) {
            if (chunk == 1)
                break;
            chunk = std::max<std::size_t>(chunk / 2, 1);
        }
    }
    return best;
}
