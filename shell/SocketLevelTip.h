#pragma once
// A socket's level at a glance: during a measurement and after Stop, resting the mouse
// on a socket of the board shows its level as a tool tip ("2,50 V"). Clicks and the
// board's cursors are left as they are. It reads what a probe would, so a board whose
// pupils may not use probes shows no levels either.

class CBoardView;

void InstallSocketLevelTip(CBoardView& board);
