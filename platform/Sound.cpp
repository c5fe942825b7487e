#include "platform/Sound.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {

std::function<void(int)>& Handler()
{
    static std::function<void(int)> handler;
    return handler;
}

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

void SetSoundHandler(std::function<void(int)> handler)
{
    Handler() = std::move(handler);
}

void PlayWaveResource(int nResourceId)
{
    if (Handler()) {
        Handler()(nResourceId);
        return;
    }
    if (PlayFn pPlay = LoadPlayer())
        pPlay(nResourceId);
}
