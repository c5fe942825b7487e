// The Windows side of EnterPlayFolder (platform/PlayFolder.h): the program's own folder.
#include "platform/PlayFolder.h"

#include <string>

#include <windows.h>

bool EnterPlayFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return true; // stays where it was started
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t nSlash = path.find_last_of(L"\\/");
    if (nSlash != std::wstring::npos)
        ::SetCurrentDirectoryW(path.substr(0, nSlash + 1).c_str());
    return true;
}
