#pragma once
// Plays one action on the running program as the user does it: mouse and keys through
// Qt's events, commands through the frame's command path, measurement ticks through
// the board's timer handler. Returns a fault the action itself shows (a disabled
// command that did something), or empty.
//
// Verbs and their arguments (x, y: pixels of the board pane; button 1 left, 2 right;
// mods: 1 Shift, 2 Ctrl):
//   press x y button mods      release x y button mods      move x y mods
//   click x y button mods      drag x1 y1 x2 y2 mods        wheel x y delta mods
//   palette row x y            key index mods               command id
//   tick count                 resize width height          restart how
//   startmenu button           idle                         closepreview
//   undowalk (every undo step back to the board as opened, then forward: a check too)

#include "ExerciseAction.h"

#include <QString>

#include <array>

class CExerciseSession;

// The keys a 'key' action presses, by index.
const std::array<int, 9>& ExerciseKeys();

QString PlayAction(CExerciseSession& session, const CExerciseAction& action);
