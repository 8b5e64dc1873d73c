#pragma once
// What every fuzz target shares: a headless application, the stored classes, a
// program folder of its own, and dialogs that close themselves (a damaged file is
// reported, nobody reads the report).

#include <QString>

class CVeldtrakDoc;

// Sets everything up once; safe to call from every target's first input.
void InitFuzzing();

// The program folder the targets work in (a file-system path).
QString FuzzFolder();

// Ends the run as a crash when the condition fails: the fuzzer keeps the input.
void FuzzCheck(bool condition, const char* what);
