#pragma once
#include "TwoInputGate.h"

// The XOF (XOR) gate.
class CXOFpoort : public CTwoInputGate {
public:
    CXOFpoort() : CTwoInputGate(TYPE_XOFPOORT) {}
    const char* GetClassName() const override { return "CXOFpoort"; }
    QString Symbol() const override { return QStringLiteral("< >"); }
    bool Output(bool a, bool b) const override { return a != b; }
};
