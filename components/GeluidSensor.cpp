#include "GeluidSensor.h"

CGeluidSensor::CGeluidSensor() : CSensor(TYPE_GELUIDSENSOR, kWidth, kHeight, STATE_CTRL) {}
