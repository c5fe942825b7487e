// The Linux side of platform/Sound.h: the audio module, loaded on the first sound.
#include "platform/SoundSystem.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {

using PlayFn = void (*)(int);

// The audio module lives beside the program (build tree) or in its library folder (installed).
PlayFn LoadPlayer()
{
    static PlayFn pPlay = [] {
        const QString dir = QCoreApplication::applicationDirPath();
        for (const QString& candidate :
             {dir + QStringLiteral("/marelto-sound"), dir + QStringLiteral("/../marelto-sound"),
              QStringLiteral(MARELTO_SOUND_MODULE_DIR "/marelto-sound")}) {
            QLibrary lib(candidate);
            if (lib.load())
                return reinterpret_cast<PlayFn>(lib.resolve("MareltoPlayWave"));
        }
        return static_cast<PlayFn>(nullptr);
    }();
    return pPlay;
}

} // namespace

void PlaySystemWave(int nResourceId)
{
    if (PlayFn pPlay = LoadPlayer())
        pPlay(nResourceId);
}
