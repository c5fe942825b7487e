// The audio half of the sound effects, loaded on first use so start-up never pays for it.
#include <QCoreApplication>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include <map>

extern "C" Q_DECL_EXPORT void MareltoPlayWave(int nResourceId)
{
    // The effects belong to the application object, so they go with it, while Qt Multimedia
    // still stands; left to static destruction they would outlive it and crash the exit.
    static std::map<int, QPointer<QSoundEffect>> effects;
    for (auto& [nId, pEffect] : effects)
        if (nId != nResourceId && pEffect)
            pEffect->stop();
    QPointer<QSoundEffect>& pEffect = effects[nResourceId];
    if (!pEffect) {
        pEffect = new QSoundEffect(QCoreApplication::instance());
        pEffect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(nResourceId)));
    }
    pEffect->stop();
    pEffect->play();
}
