#pragma once
#include "TwoInputGate.h"

// The EN (AND) gate.
class CENpoort : public CTwoInputGate {
public:
    CENpoort() : CTwoInputGate(TYPE_ENPOORT) {}
    const char* GetClassName() const override { return "CENpoort"; }
    QString Symbol() const override { return QStringLiteral("&"); }
    bool Output(bool a, bool b) const override { return a && b; }
};
