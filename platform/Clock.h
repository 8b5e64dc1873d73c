#pragma once
// Waiting, through one seam: the start-up pauses of the program. The program keeps
// its window alive while it waits; tests skip the waiting.

#include <functional>

// Waits the given time while the window keeps painting.
void Pause(int milliseconds);

// Installs a handler that is called instead of waiting (tests record or skip the
// pauses); an empty handler restores real waiting. Returns the previous handler.
std::function<void(int)> SetPauseHandler(std::function<void(int)> handler);
