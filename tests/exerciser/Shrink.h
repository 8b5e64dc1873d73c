#pragma once
// Shrinks a failing session to a shorter script that still fails the same way: drops
// runs of actions, long ones first, as long as the fault stays.

#include "ExerciseRunner.h"

// 'failing' is a failed session; at most 'replays' replays are spent.
SessionResult Shrink(const SessionResult& failing, int replays = 200);

// Two faults of the same kind: their words, without numbers and names.
bool SameFault(const QString& a, const QString& b);
