#pragma once
// The pupil's outputs matched to the teacher's by kind and place, so that a lamp is
// compared with the lamp standing where the teacher's stands, whatever the pupil added.

#include "BoardCheck.h"

#include <vector>

// For each of the teacher's outputs, the pupil's output of the same kind nearest to its
// place (the nearest pairs are made first; equal distances in the order of the lists).
// False when one of the teacher's outputs is left without a partner, or when the pupil
// has more outputs of a kind than the teacher, except voltmeters: the pupil's extra
// voltmeters are instruments, left out of the comparison.
bool MatchOutputs(const std::vector<CheckPort>& reference, const std::vector<CheckPort>& answer,
                  std::vector<CheckPort>& matched);
