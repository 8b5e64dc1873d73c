#pragma once
#include "TwoInputGate.h"

// The NEN (NAND) gate.
class CNENpoort : public CTwoInputGate {
public:
    CNENpoort() : CTwoInputGate(TYPE_NENPOORT) {}
    const char* GetClassName() const override { return "CNENpoort"; }
    QString Symbol() const override { return QStringLiteral("N&"); }
    bool Output(bool a, bool b) const override { return !(a && b); }
};
