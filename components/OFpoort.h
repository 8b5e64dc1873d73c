#pragma once
#include "TwoInputGate.h"

// The OF (OR) gate.
class COFpoort : public CTwoInputGate {
public:
    COFpoort() : CTwoInputGate(TYPE_OFPOORT) {}
    const char* GetClassName() const override { return "COFpoort"; }
    QString Symbol() const override { return QStringLiteral("*1"); }
    bool Output(bool a, bool b) const override { return a || b; }
};
