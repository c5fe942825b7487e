// Preloaded into the program where the harness may not mount a small file system: writes to
// files in the current folder succeed for MARELTO_DISK_FREE bytes in all, then fail with ENOSPC,
// a write that crosses the limit cut short, as on a full disk.
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <limits.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using WriteCall = ssize_t (*)(int, const void*, size_t);

std::atomic<long long> g_nFree{-2}; // -2: not read yet; -1: no limit

long long FreeBytes()
{
    long long n = g_nFree.load();
    if (n == -2) {
        const char* sz = std::getenv("MARELTO_DISK_FREE");
        n = sz ? std::atoll(sz) : -1;
        g_nFree.store(n);
    }
    return n;
}

// A regular file directly in the current folder.
bool InCurrentFolder(int fd)
{
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    char szPath[PATH_MAX], szDir[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), szPath, sizeof szPath - 1);
    if (n <= 0 || !::getcwd(szDir, sizeof szDir))
        return false;
    const std::string path(szPath, static_cast<std::size_t>(n));
    const std::string dir = std::string(szDir) + "/";
    return path.compare(0, dir.size(), dir) == 0 && path.find('/', dir.size()) == std::string::npos;
}

} // namespace

extern "C" ssize_t write(int fd, const void* pData, size_t nCount)
{
    static const auto realWrite = reinterpret_cast<WriteCall>(::dlsym(RTLD_NEXT, "write"));
    const long long nFree = FreeBytes();
    if (nFree < 0 || nCount == 0 || !InCurrentFolder(fd))
        return realWrite(fd, pData, nCount);
    if (nFree == 0) {
        errno = ENOSPC;
        return -1;
    }
    const size_t nAllowed =
        nCount < static_cast<size_t>(nFree) ? nCount : static_cast<size_t>(nFree);
    const ssize_t nDone = realWrite(fd, pData, nAllowed);
    if (nDone > 0)
        g_nFree -= nDone;
    return nDone;
}
