#pragma once
// The toggle: each press of its button turns its output on or off, and it stays so.

#include "LeverSwitch.h"

class CToggle : public CLeverSwitch {
public:
    static constexpr int kWidth = 192;
    static constexpr int kHeight = 80;

    CToggle() : CLeverSwitch(TYPE_TOGGLE, kWidth, kHeight, 2, Action::Latching) {}
    const char* GetClassName() const override { return "CToggle"; }
    void Draw(CDC& dc) override;
};
