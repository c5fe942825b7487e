// The Windows side of platform/Sound.h: the system's own sound call plays the compiled-in wave
// bytes, so no audio library is loaded at all.
#include "platform/SoundSystem.h"

#include "platform/Resources.h"

#include <QByteArray>

#include <map>

#include <windows.h>

void PlaySystemWave(int nResourceId)
{
    // The bytes must outlive the asynchronous playing: each sound is kept once loaded.
    static std::map<int, QByteArray> waves;
    QByteArray& wave = waves[nResourceId];
    if (wave.isEmpty())
        wave = LoadWave(nResourceId);
    if (wave.isEmpty())
        return;
    // A new sound stops the one still playing; without an audio device nothing happens.
    ::PlaySoundW(reinterpret_cast<LPCWSTR>(wave.constData()), nullptr,
                 SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}
