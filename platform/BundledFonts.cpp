#include "platform/BundledFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

void LoadBundledFonts()
{
    const QDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(dir.filePath(name));
}
