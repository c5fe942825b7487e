#include "platform/Translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void LoadQtJapaneseTranslations()
{
    static QTranslator* pTranslator = nullptr;
    if (pTranslator)
        return;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    pTranslator = new QTranslator(qApp);
    // A missing translation leaves Qt's English texts; nothing else depends on it.
    if (pTranslator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(pTranslator);
}
