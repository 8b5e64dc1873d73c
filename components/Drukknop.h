#pragma once
// The push button: its output is high exactly while the left mouse button is held on
// its button.

#include "LeverSwitch.h"

class CDrukknop : public CLeverSwitch {
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 92;

    CDrukknop() : CLeverSwitch(TYPE_DRUKKNOP, kWidth, kHeight, 2, Action::Momentary) {}
    const char* GetClassName() const override { return "CDrukknop"; }
    void Draw(CDC& dc) override;
};
