#pragma once
// The LED: on from the logic threshold up, showing its on colour (entry 15) and giving
// off its input voltage as light; below it, the off colour (entry 0) and no light.

#include "ColourTable.h"

class CLed : public CColourLight {
public:
    static constexpr int kHeight = 80;
    static constexpr int kOff = 0;
    static constexpr int kOn = 15;

    CLed();
    const char* GetClassName() const override { return "CLed"; }
    unsigned GetTypeId() const override { return TYPE_LED; }
    int EditProperties(int permissionMask) override;

    // Entries 0 to 7 white, 8 to 15 red.
    static CColourTable DefaultColours();

protected:
    int ColourIndex(int level) const override { return IsHigh(level) ? kOn : kOff; }
    int EmittedLevel(int level) const override { return IsHigh(level) ? level : 0; }
};
