#pragma once
// The lamp: glows in sixteen brightness steps of its input voltage and gives that
// voltage off as light.

#include "ColourTable.h"

class CLamp : public CColourLight {
public:
    static constexpr int kHeight = 86;

    CLamp();
    const char* GetClassName() const override { return "CLamp"; }
    unsigned GetTypeId() const override { return TYPE_LAMP; }
    int EditProperties(int permissionMask) override;

    // Entry i: white (i = 0) warming towards yellow (i = 15).
    static CColourTable DefaultColours();

protected:
    int ColourIndex(int level) const override;
    int EmittedLevel(int level) const override { return level; }
};
