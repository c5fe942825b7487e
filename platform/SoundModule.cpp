// The audio half of the sound effects, loaded on first use so start-up never pays for it.
#include <QSoundEffect>
#include <QUrl>

#include <map>
#include <memory>

extern "C" Q_DECL_EXPORT void MareltoPlayWave(int nResourceId)
{
    static std::map<int, std::unique_ptr<QSoundEffect>> effects;
    for (auto& [nId, pEffect] : effects)
        if (nId != nResourceId)
            pEffect->stop();
    std::unique_ptr<QSoundEffect>& pEffect = effects[nResourceId];
    if (!pEffect) {
        pEffect = std::make_unique<QSoundEffect>();
        pEffect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(nResourceId)));
    }
    pEffect->stop();
    pEffect->play();
}
