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
//   aim kind: 0 "Opslaan &Als..." (the restricted dialog, names with and without a
//     folder in them), 1 the next board and 2 the previous one (the link's password
//     offered beside wrong ones), 3 "&Nieuw" (the start dialog)
//   menu m k: Alt with the access key of menu m, then the access key of its item k
//     (Escape when k is -1)

#include "ExerciseAction.h"

#include <QString>

#include <array>

class CExerciseSession;

// The keys a 'key' action presses, by index.
const std::array<int, 9>& ExerciseKeys();

QString PlayAction(CExerciseSession& session, const CExerciseAction& action);
