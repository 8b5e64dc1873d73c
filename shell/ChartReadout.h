#pragma once
// What the chart's cursors read, as the line under the chart shows it.

#include <QString>

#include <optional>

class CMeasurementLog;

// The time of a tick (log index) and every trace's level there:
// "t = 1,35 s  Sonde 1: 2,50 V  Sonde 2: 0,00 V".
QString CursorReadout(const CMeasurementLog& log, long long tick);

// Cursor A alone, or A and B with their difference in time and each trace's
// difference in voltage (B minus A): "A: t = 1,00 s  B: t = 1,50 s  Δt = 0,50 s  Sonde 1: ΔU = -5,00 V".
QString MarksReadout(const CMeasurementLog& log, const std::optional<long long>& a,
                     const std::optional<long long>& b);
