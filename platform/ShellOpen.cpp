#include "platform/ShellOpen.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#else
#include <QDesktopServices>
#include <QUrl>
#endif

namespace {

UrlOpener& Opener()
{
    static UrlOpener opener;
    return opener;
}

} // namespace

void SetUrlOpener(UrlOpener opener)
{
    Opener() = std::move(opener);
}

void ShellExecuteOpen(const QString& url)
{
    if (Opener()) {
        Opener()(url);
        return;
    }
    // The desktop starts the browser detached; whether it managed to is not our concern.
#ifdef _WIN32
    ::ShellExecuteW(nullptr, L"open", url.toStdWString().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
#else
    QDesktopServices::openUrl(QUrl(url));
#endif
}
