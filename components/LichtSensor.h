#pragma once
#include "Sensor.h"

// The light sensor; the mouse is a source of light (Shift).
class CLichtSensor : public CSensor {
public:
    static constexpr int kWidth = 220;
    static constexpr int kHeight = 92;

    CLichtSensor();
    const char* GetClassName() const override { return "CLichtSensor"; }
};
