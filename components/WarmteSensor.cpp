#include "WarmteSensor.h"

CWarmteSensor::CWarmteSensor() : CSensor(TYPE_WARMTESENSOR, kWidth, kHeight, STATE_CAPSLOCK) {}
