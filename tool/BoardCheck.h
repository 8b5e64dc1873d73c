#pragma once
// Checking a pupil's board against the teacher's: both boards get the same patterns on
// their inputs and must show the same on every output a pupil reads.
//
// Inputs, in this order: push buttons, switches, toggles, variable voltage sources,
// light sensors, sound sensors, temperature sensors; within a kind from the top of the
// board down, then from left to right. A push button, switch or toggle takes 0 or 1
// (released/pressed, upper/lower contact, off/on); a voltage source takes 0,0 to 5,0 V
// in steps of 0,5 V; a sensor gets a hand-held source that it receives at 0,0 to 5,0 V
// in steps of 0,5 V (0 V: no source, only what lamps and buzzers nearby give it).
// Outputs, in this order and arranged the same way: lamps (brightness step 0-15), LEDs
// (on/off), buzzers (sounding or not), voltmeters (the value shown) and pulse counters
// (the count shown). The pupil's outputs are matched to the teacher's by kind and
// place (the nearest of the kind first); voltmeters the pupil added beyond the
// teacher's are left out, as probes are: a pupil who may not delete cannot remove them.
// Patterns: every combination while there are at most 1024; beyond that the same fixed
// pseudo-random sample of 1024. Each pattern is held for a number of ticks (one more
// than the larger board has components, at least 10 and at most 200), once after a
// Reset of its own (every level back to 0), then all of them once more in order after
// one Reset, each followed by every input at 0, so that what a circuit remembers
// counts as well. Outputs are compared at the end of each. A board of more than 500
// components is not run at all.

#include "platform/Geometry.h"

#include <QString>
#include <QStringList>

#include <vector>

class CVeldtrakDoc;

struct CheckPort {
    int component; // place in the component list
    unsigned type;
    QString label; // "drukschakelaar 1"
    CPoint place;  // the component's top left corner
};

// The inputs and outputs of a board in the order above.
std::vector<CheckPort> CheckInputs(const CVeldtrakDoc& doc);
std::vector<CheckPort> CheckOutputs(const CVeldtrakDoc& doc);

struct CheckPlan {
    std::vector<std::vector<int>> patterns; // per pattern one value index per input
    bool everyCombination = true;
    int ticksPerPattern = 10;
};

constexpr int kMaxCheckPatterns = 1024;
constexpr int kMaxCheckedComponents = 500;

CheckPlan MakeCheckPlan(const std::vector<CheckPort>& inputs, int largestComponentCount);

enum class CheckVerdict { Same, Differs, OtherInputs, OtherOutputs, TooLarge, Unreadable };

// "goed", "fout", "andere invoer", "andere uitvoer", "te groot", "onleesbaar".
QString VerdictText(CheckVerdict verdict);

struct OutputVerdict {
    QString label;
    bool same = true;
};

struct CheckReport {
    CheckVerdict verdict = CheckVerdict::Same;
    QString detail; // the first difference, or why the boards cannot be compared
    std::vector<OutputVerdict> outputs;
    int patternCount = 0;
    bool everyCombination = true;
};

// Runs both boards (as opened for the screen) and compares them; the boards are left
// stopped, with levels of the last pattern.
CheckReport CheckBoard(CVeldtrakDoc& answer, CVeldtrakDoc& reference);

// "drukschakelaar 1, lamp 1" for a list of ports; "geen" when empty.
QString PortList(const std::vector<CheckPort>& ports);
