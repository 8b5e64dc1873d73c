#pragma once
// The sound service: a wave file played asynchronously and looping, stopping all
// sound, and the short beep. Silent and harmless where there is no audio device.

#include <QString>

class ISoundService {
public:
    virtual ~ISoundService() = default;
    // Starts the file looping unless a sound is already playing; never waits.
    virtual void PlayLooping(const QString& fileSystemPath) = 0;
    virtual void StopAll() = 0;
    virtual void Beep(int frequency, int milliseconds) = 0;
};

// The service in use (a silent one until the program installs its own).
ISoundService& SoundService();
// Installs a service (null restores the silent one); returns the previous one.
ISoundService* SetSoundService(ISoundService* service);
