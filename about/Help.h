#pragma once

#include <QString>

// The help command: the manual page with the list of the quiz's flags, in the user's browser.

// Where the page lies. The build fixes the base of the address; without one it is the copy of
// the manual installed beside the program, so help works offline.
QString SupportPageUrl();
// The rule behind it: base + "/manual/download_support.html", or with an empty base the file
// address of that path under the program's folder.
QString SupportPageUrlFor(const QString& strBase, const QString& strProgramDir);

// The folder whose manual/ the local address names: the program's own when the manual lies
// beside it (the build tree), otherwise the installed data folder.
QString ManualFolderFor(const QString& strProgramDir, const QString& strInstalledDir);

// Hands the address to the desktop and returns at once; reports nothing.
void OpenSupportPage();
