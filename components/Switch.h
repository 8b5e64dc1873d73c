#pragma once
// The changeover switch: one of its two outputs is high, and each press of its button
// changes over to the other.

#include "LeverSwitch.h"

class CSwitch : public CLeverSwitch {
public:
    static constexpr int kWidth = 192;
    static constexpr int kHeight = 144;

    CSwitch() : CLeverSwitch(TYPE_SWITCH, kWidth, kHeight, 3, Action::Latching) {}
    const char* GetClassName() const override { return "CSwitch"; }
    void Draw(CDC& dc) override;

protected:
    void WriteOutputs() override;
};
