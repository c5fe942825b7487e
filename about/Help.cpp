#include "about/Help.h"

#include "platform/ShellOpen.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

#ifndef MARELTO_HELP_BASE
#define MARELTO_HELP_BASE ""
#endif
#ifndef MARELTO_DATA_DIR
#define MARELTO_DATA_DIR ""
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

QString ManualFolderFor(const QString& strProgramDir, const QString& strInstalledDir)
{
    // Run from the build tree the manual lies beside the program; installed, in the data folder.
    if (QFileInfo::exists(strProgramDir + QString::fromLatin1(kPagePath)) ||
        strInstalledDir.isEmpty())
        return strProgramDir;
    return strInstalledDir;
}

QString SupportPageUrl()
{
    return SupportPageUrlFor(
        QStringLiteral(MARELTO_HELP_BASE),
        ManualFolderFor(QCoreApplication::applicationDirPath(), QStringLiteral(MARELTO_DATA_DIR)));
}

void OpenSupportPage()
{
    ShellExecuteOpen(SupportPageUrl());
}
