#include "LichtSensor.h"

CLichtSensor::CLichtSensor() : CSensor(TYPE_LICHTSENSOR, kWidth, kHeight, STATE_SHIFT) {}
