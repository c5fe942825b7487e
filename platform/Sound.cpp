// The part of platform/Sound.h that is the same on every system: the seam tests answer.
#include "platform/Sound.h"

#include "platform/SoundSystem.h"

namespace {

std::function<void(int)>& Handler()
{
    static std::function<void(int)> handler;
    return handler;
}

} // namespace

void SetSoundHandler(std::function<void(int)> handler)
{
    Handler() = std::move(handler);
}

void PlayWaveResource(int nResourceId)
{
    if (Handler())
        Handler()(nResourceId);
    else
        PlaySystemWave(nResourceId);
}
