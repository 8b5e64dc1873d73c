#include "ChartReadout.h"

#include "chart/ChartText.h"
#include "document/MeasurementLog.h"

namespace {

const QString kGap = QStringLiteral("  ");

bool Within(const CMeasurementLog& log, long long tick)
{
    return tick >= 0 && tick < log.TickCount();
}

QString TimeOf(const CMeasurementLog& log, long long tick)
{
    return QStringLiteral("t = ") + TickTimeText(log.FirstTick() + tick);
}

} // namespace

QString CursorReadout(const CMeasurementLog& log, long long tick)
{
    if (!Within(log, tick))
        return {};
    QString text = TimeOf(log, tick);
    for (const CMeasurementLog::Trace& trace : log.Traces())
        text += kGap + ProbeName(trace.number) + QStringLiteral(": ") + LevelText(trace.levels[std::size_t(tick)]);
    return text;
}

QString MarksReadout(const CMeasurementLog& log, const std::optional<long long>& a,
                     const std::optional<long long>& b)
{
    if (!a || !Within(log, *a))
        return {};
    QString text = QStringLiteral("A: ") + TimeOf(log, *a);
    if (!b || !Within(log, *b))
        return text + kGap + QStringLiteral("(klik nog eens voor cursor B)");
    text += kGap + QStringLiteral("B: ") + TimeOf(log, *b);
    text += kGap + QStringLiteral("Δt = ") + TickTimeText(*b - *a);
    for (const CMeasurementLog::Trace& trace : log.Traces()) {
        const int difference = trace.levels[std::size_t(*b)] - trace.levels[std::size_t(*a)];
        text += kGap + ProbeName(trace.number) + QStringLiteral(": ΔU = ") + LevelText(difference);
    }
    return text;
}
