#include "Sound.h"

namespace {

class CSilentSound : public ISoundService {
public:
    void PlayLooping(const QString&) override {}
    void StopAll() override {}
    void Beep(int, int) override {}
};

CSilentSound g_silent;
ISoundService* g_service = &g_silent;

} // namespace

ISoundService& SoundService()
{
    return *g_service;
}

ISoundService* SetSoundService(ISoundService* service)
{
    ISoundService* previous = g_service;
    g_service = service ? service : &g_silent;
    return previous == &g_silent ? nullptr : previous;
}
