#pragma once
// The sound service of the running program, on Qt Multimedia: the wave file loops in a
// sound effect, the beep is a tone made in memory. Without an audio device both stay
// silent; nothing here waits for the device.

#include "Sound.h"

#include <memory>

std::unique_ptr<ISoundService> CreateQtSoundService();
