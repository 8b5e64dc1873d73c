#pragma once
// The document tests' fixture: the shared board fixture, and the gates by creation index.

#include "support/BoardFixture.h"
#include "support/ScriptedModals.h"

using DocFixture = BoardFixture;

// Creation indexes of the gates.
enum { AND_GATE = 3, INVERTER = 6, NAND_GATE = 10, NOR_GATE = 11, OR_GATE = 12, XOR_GATE = 22 };
