#pragma once
#include "Sensor.h"

// The sound sensor; the mouse is a source of sound (Ctrl).
class CGeluidSensor : public CSensor {
public:
    static constexpr int kWidth = 260;
    static constexpr int kHeight = 80;

    CGeluidSensor();
    const char* GetClassName() const override { return "CGeluidSensor"; }
};
