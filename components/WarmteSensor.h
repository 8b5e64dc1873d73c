#pragma once
#include "Sensor.h"

// The temperature sensor; the mouse is a source of heat (Caps Lock).
class CWarmteSensor : public CSensor {
public:
    static constexpr int kWidth = 348;
    static constexpr int kHeight = 84;

    CWarmteSensor();
    const char* GetClassName() const override { return "CWarmteSensor"; }
};
