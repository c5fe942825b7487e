#include "about/Help.h"

#include "platform/ShellOpen.h"

#include <QCoreApplication>
#include <QUrl>

#ifndef MARELTO_HELP_BASE
#define MARELTO_HELP_BASE ""
#endif

namespace {

constexpr char kPagePath[] = "/manual/download_support.html";

} // namespace

QString SupportPageUrlFor(const QString& strBase, const QString& strProgramDir)
{
    const QString strPath = QString::fromLatin1(kPagePath);
    if (strBase.isEmpty())
        return QUrl::fromLocalFile(strProgramDir + strPath).toString(QUrl::FullyEncoded);
    QString strHost = strBase;
    while (strHost.endsWith(QLatin1Char('/')))
        strHost.chop(1);
    return strHost + strPath;
}

QString SupportPageUrl()
{
    return SupportPageUrlFor(QStringLiteral(MARELTO_HELP_BASE),
                             QCoreApplication::applicationDirPath());
}

void OpenSupportPage()
{
    ShellExecuteOpen(SupportPageUrl());
}
