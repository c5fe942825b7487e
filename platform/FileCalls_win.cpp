// The Windows side of platform/File.h: the system calls of platform/FileCalls.h and the calls
// on paths. Files are Win32 handles kept behind C runtime descriptors, so the header and every
// caller stay as they are; names are UTF-8 text.
#include "platform/FileCalls.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

// The most one ReadFile or WriteFile moves.
constexpr std::size_t kMaxTransfer = 1u << 30;

HANDLE HandleOf(int fd)
{
    return fd < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// The errno that tells the same story as a Win32 error, so messages and callers read alike.
int ErrnoOf(DWORD dwError)
{
    switch (dwError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_DIRECTORY:
        return EISDIR;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    default:
        return EIO;
    }
}

int LastErrno()
{
    return ErrnoOf(::GetLastError());
}

// Only a file on a disk is a file: a console, pipe, device or folder is refused without a
// single read or write, so nothing ever waits on one. Needs FILE_READ_ATTRIBUTES.
bool IsDiskFile(HANDLE h)
{
    if (::GetFileType(h) != FILE_TYPE_DISK)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileInformationByHandle(h, &info) &&
           !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Wraps an open handle in a descriptor; -1 (handle closed, errno set) when that fails.
int Adopt(HANDLE h, int nCrtFlags)
{
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), nCrtFlags | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(h);
        errno = EMFILE;
    }
    return fd;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

} // namespace

PathKind KindOf(const std::filesystem::path& path, std::uint64_t* pSize)
{
    if (path.empty())
        return PathKind::Missing;
    // Opened to look at its attributes only: a pipe or device answers at once, nothing is read,
    // and a folder opens too (backup semantics) so it can be told apart.
    HANDLE h = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return PathKind::Missing;
    const bool bRegular = IsDiskFile(h);
    LARGE_INTEGER size{};
    if (bRegular && pSize && ::GetFileSizeEx(h, &size))
        *pSize = static_cast<std::uint64_t>(size.QuadPart);
    ::CloseHandle(h);
    return bRegular ? PathKind::Regular : PathKind::Other;
}

bool IsLink(const std::filesystem::path& path)
{
    const DWORD dwAttributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(path.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        return true;
    errno = LastErrno();
    return false;
}

bool RemoveFile(const std::filesystem::path& path, std::string* pError)
{
    if (::DeleteFileW(path.c_str()))
        return true;
    if (pError)
        *pError = std::string("remove: ") + std::strerror(LastErrno());
    return false;
}

std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    const auto* p = reinterpret_cast<const char8_t*>(utf8.data());
    return std::filesystem::path(std::u8string(p, p + utf8.size()));
}

std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

namespace FileCalls {
namespace {

// A handle just opened, as a descriptor when it is a file on a disk; closed otherwise.
Opened AdoptDiskFile(HANDLE h, int nCrtFlags, int& fd, int& nErrno)
{
    if (!IsDiskFile(h)) {
        ::CloseHandle(h);
        return Opened::NotRegular;
    }
    fd = Adopt(h, nCrtFlags);
    if (fd < 0) {
        nErrno = errno;
        return Opened::Failed;
    }
    return Opened::Yes;
}

} // namespace

Opened Open(const std::filesystem::path& path, unsigned nFlags, int& fd, int& nErrno)
{
    fd = -1;
    DWORD dwAccess = GENERIC_READ;
    int nCrtFlags = _O_RDONLY;
    if (nFlags & File::modeReadWrite) {
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        nCrtFlags = _O_RDWR;
    } else if (nFlags & File::modeWrite) {
        dwAccess = GENERIC_WRITE;
        nCrtFlags = _O_WRONLY;
    }
    // Append data only: the system puts every write at the end, as one write.
    if (nFlags & File::modeAppend)
        dwAccess = (dwAccess & ~GENERIC_WRITE) | FILE_APPEND_DATA;
    dwAccess |= FILE_READ_ATTRIBUTES; // to tell a disk file from anything else
    DWORD dwCreate = OPEN_EXISTING;
    if (nFlags & File::modeCreate)
        dwCreate = (nFlags & File::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    // Not followed, a link opens as itself and is refused here rather than written through.
    const DWORD dwFlags =
        FILE_ATTRIBUTE_NORMAL | ((nFlags & File::modeNoFollow) ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    HANDLE h =
        ::CreateFileW(path.c_str(), dwAccess, kShareAll, nullptr, dwCreate, dwFlags, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        nErrno = LastErrno();
        return Opened::Failed;
    }
    if (nFlags & File::modeNoFollow) {
        FILE_ATTRIBUTE_TAG_INFO tag{};
        if (::GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag) &&
            (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            ::CloseHandle(h);
            nErrno = ELOOP;
            return Opened::Failed;
        }
    }
    return AdoptDiskFile(h, nCrtFlags, fd, nErrno);
}

int Close(int fd)
{
    return ::_close(fd) == 0 ? 0 : errno;
}

std::int64_t Read(int fd, char* pData, std::size_t nCount, int& nErrno)
{
    DWORD dwGot = 0;
    if (!::ReadFile(HandleOf(fd), pData, static_cast<DWORD>(std::min(nCount, kMaxTransfer)), &dwGot,
                    nullptr)) {
        nErrno = LastErrno();
        return -1;
    }
    return dwGot;
}

std::int64_t Write(int fd, const char* pData, std::size_t nCount, int& nErrno)
{
    DWORD dwDone = 0;
    if (!::WriteFile(HandleOf(fd), pData, static_cast<DWORD>(std::min(nCount, kMaxTransfer)),
                     &dwDone, nullptr)) {
        nErrno = LastErrno();
        return -1;
    }
    return dwDone;
}

int Seek(int fd, std::uint64_t nOffset)
{
    LARGE_INTEGER pos{};
    pos.QuadPart = static_cast<LONGLONG>(nOffset);
    return ::SetFilePointerEx(HandleOf(fd), pos, nullptr, FILE_BEGIN) ? 0 : LastErrno();
}

int SeekToEnd(int fd)
{
    return ::SetFilePointerEx(HandleOf(fd), LARGE_INTEGER{}, nullptr, FILE_END) ? 0 : LastErrno();
}

std::optional<FileStamp> Stamp(int fd)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(HandleOf(fd), &info))
        return std::nullopt;
    return FileStamp{info.dwVolumeSerialNumber,
                     (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
                     (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow};
}

int Flush(int fd)
{
    // Windows flushes only through a handle that may write. What is cached belongs to the file,
    // not to a handle, so a reader flushes it through a writing handle of its own.
    const HANDLE h = HandleOf(fd);
    if (::FlushFileBuffers(h))
        return 0;
    if (::GetLastError() != ERROR_ACCESS_DENIED)
        return LastErrno();
    const HANDLE hWriter = ::ReOpenFile(h, GENERIC_WRITE, kShareAll, 0);
    if (hWriter == INVALID_HANDLE_VALUE)
        return LastErrno();
    const int nErrno = ::FlushFileBuffers(hWriter) ? 0 : LastErrno();
    ::CloseHandle(hWriter);
    return nErrno;
}

int SetLength(int fd, std::uint64_t nLength)
{
    // The file's end moves; the position stays where it was, as with ftruncate.
    const HANDLE h = HandleOf(fd);
    LARGE_INTEGER pos{}, end{};
    end.QuadPart = static_cast<LONGLONG>(nLength);
    int nErrno = 0;
    if (!::SetFilePointerEx(h, LARGE_INTEGER{}, &pos, FILE_CURRENT) ||
        !::SetFilePointerEx(h, end, nullptr, FILE_BEGIN) || !::SetEndOfFile(h))
        nErrno = LastErrno();
    ::SetFilePointerEx(h, pos, nullptr, FILE_BEGIN);
    return nErrno;
}

// Named target.XXXXXX with a fresh suffix. A name that stands for a device (CON.xxxxxx is the
// console on older systems) is that device: closed before a byte is written, and never
// deleted.
Opened CreateTemporary(const std::filesystem::path& target, int& fd, std::filesystem::path& temp,
                       int& nErrno)
{
    static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static unsigned long long s_nSeed =
        ::GetTickCount64() ^ (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32);
    fd = -1;
    for (int nTry = 0; nTry < 100; ++nTry) {
        std::wstring suffix = L".";
        for (int i = 0; i < 6; ++i) {
            s_nSeed = s_nSeed * 6364136223846793005ULL + 1442695040888963407ULL;
            suffix += static_cast<wchar_t>(kDigits[(s_nSeed >> 33) % 36]);
        }
        std::filesystem::path name = target;
        name += suffix;
        // Not shared for deletion: while it is written, no cleaner can remove it.
        HANDLE h = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (::GetLastError() == ERROR_FILE_EXISTS || ::GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            nErrno = LastErrno();
            return Opened::Failed;
        }
        const Opened opened = AdoptDiskFile(h, _O_RDWR, fd, nErrno);
        if (opened == Opened::Yes)
            temp = std::move(name);
        return opened;
    }
    nErrno = EEXIST;
    return Opened::Failed;
}

// A temporary still being written is open without delete sharing, so the removal fails.
bool RemoveIfUnused(const std::filesystem::path& path)
{
    const DWORD dwAttributes = ::GetFileAttributesW(path.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES &&
           !(dwAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
           ::DeleteFileW(path.c_str());
}

// A replaced file hands its attributes and access rights on to the new one.
int Replace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                       nullptr))
        return 0;
    // No file to replace yet (or one the system will not replace in place): a plain move over
    // it is just as whole.
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return LastErrno();
}

// A move with MOVEFILE_WRITE_THROUGH is on the disk when it returns.
void SyncFolder(const std::filesystem::path&) {}

} // namespace FileCalls
