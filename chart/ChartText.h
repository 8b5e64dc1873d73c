#pragma once
// The chart's numbers as a Dutch reader writes them: decimal comma, unit after a space.

#include <QString>

// Seconds per measurement tick.
constexpr double kSecondsPerTick = 0.05;

// Hundredths as volts: 250 gives "2,50 V".
QString LevelText(int hundredths);
// A tick (counted from the measurement's first) as seconds: 27 gives "1,35 s".
QString TickTimeText(long long tick);
// A time label of the axis, with only the decimals the step needs ("1,5 s", "60 s").
QString AxisTimeText(long long tick, long long stepTicks);
// The name a probe has on the board: "Sonde 3".
QString ProbeName(int number);
