#pragma once
#include "TwoInputGate.h"

// The NOF (NOR) gate.
class CNOFpoort : public CTwoInputGate {
public:
    CNOFpoort() : CTwoInputGate(TYPE_NOFPOORT) {}
    const char* GetClassName() const override { return "CNOFpoort"; }
    QString Symbol() const override { return QStringLiteral("N*1"); }
    bool Output(bool a, bool b) const override { return !(a || b); }
};
