// The Windows side of platform/ShellOpen.h: the shell opens the address with its usual program.
#include "platform/ShellOpen.h"

#include <windows.h>

#include <shellapi.h>

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
    // The shell starts the browser on its own; whether it managed to is not our concern.
    const std::wstring wide = url.toStdWString();
    ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
