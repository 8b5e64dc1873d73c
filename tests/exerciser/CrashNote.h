#pragma once
// What the exerciser is doing, kept where a crash handler can print it: a crash gives
// no chance to report in the ordinary way, so the seed and the action go out from the
// signal handler itself.

#include <QString>

// Installs the handlers once; later calls do nothing.
void InstallCrashNote();
// The action about to be played ("seed 7, action 12: click 10 20 1 0 @5").
void SetCrashNote(const QString& note);
