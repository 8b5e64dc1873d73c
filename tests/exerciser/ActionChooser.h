#pragma once
// Draws the next action of a random session from what is on the board now: clicks
// and drags aim at sockets, components, wires and annotations as often as at empty
// board, commands come from every menu and toolbar (disabled ones too).

#include "ExerciseAction.h"

#include <random>

class CExerciseSession;

CExerciseAction ChooseAction(CExerciseSession& session, std::mt19937& rng);
