#pragma once
// Timings of the running program for the benchmarks that start it (bench_startup).
// Only environment variables that the benchmark sets switch them on; without them the
// program is untouched.
//
//   VT_PROBE_STARTUP=1  once the first start-up image has been painted, prints
//                       "probe first-paint-ms P timer-ms T image-ms I" (milliseconds
//                       since the probe was installed) and ends the program.
//   VT_PROBE_TICKS=S    once the board named by /file: is open, starts the measurement,
//                       notes every tick for S seconds, prints
//                       "probe ticks N mean-ms M late-ms L" and ends the program.

class CBoardView;
class CVeldtrakDoc;

void InstallTimingProbes(CVeldtrakDoc& doc, CBoardView& view);
