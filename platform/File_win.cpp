// The Windows side of platform/File.h. Files are Win32 handles kept behind C runtime
// descriptors, so the header and every caller stay as they are; names are UTF-8 text.
#include "platform/File.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

std::int64_t g_nWriteBudget = -1; // bytes left before writes fail; -1 = no fault

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

// A new file beside target, named target.XXXXXX with a fresh suffix; its descriptor or -1.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp)
{
    static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static unsigned long long s_nSeed =
        ::GetTickCount64() ^ (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32);
    for (int nTry = 0; nTry < 100; ++nTry) {
        std::wstring suffix = L".";
        for (int i = 0; i < 6; ++i) {
            s_nSeed = s_nSeed * 6364136223846793005ULL + 1442695040888963407ULL;
            suffix += static_cast<wchar_t>(kDigits[(s_nSeed >> 33) % 36]);
        }
        temp = target;
        temp += suffix;
        HANDLE h = ::CreateFileW(temp.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            return Adopt(h, _O_RDWR);
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) {
            errno = LastErrno();
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

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

bool WriteAllToFd(int fd, std::string_view bytes, int& nErrno)
{
    const HANDLE h = HandleOf(fd);
    while (!bytes.empty()) {
        std::size_t nChunk = std::min<std::size_t>(bytes.size(), 1u << 30);
        if (g_nWriteBudget >= 0) {
            if (g_nWriteBudget == 0) {
                nErrno = ENOSPC;
                return false;
            }
            nChunk = std::min<std::size_t>(nChunk, static_cast<std::size_t>(g_nWriteBudget));
        }
        DWORD dwDone = 0;
        if (!::WriteFile(h, bytes.data(), static_cast<DWORD>(nChunk), &dwDone, nullptr)) {
            nErrno = LastErrno();
            return false;
        }
        if (g_nWriteBudget >= 0)
            g_nWriteBudget -= dwDone;
        bytes.remove_prefix(dwDone);
    }
    return true;
}

bool RenameNoReplace(const std::string& strFrom, const std::string& strTo)
{
    if (::MoveFileExW(PathFromUtf8(strFrom).c_str(), PathFromUtf8(strTo).c_str(),
                      MOVEFILE_WRITE_THROUGH))
        return true;
    errno = LastErrno();
    return false;
}

namespace FileFaults {
void FailWritesAfter(std::int64_t nBytes)
{
    g_nWriteBudget = nBytes;
}
void Reset()
{
    g_nWriteBudget = -1;
}
} // namespace FileFaults

bool CFile::Open(const std::filesystem::path& path, unsigned nFlags)
{
    Close();
    m_path = path;
    m_strError.clear();
    m_bNotRegular = false;
    DWORD dwAccess = GENERIC_READ;
    int nCrtFlags = _O_RDONLY;
    if (nFlags & modeReadWrite) {
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        nCrtFlags = _O_RDWR;
    } else if (nFlags & modeWrite) {
        dwAccess = GENERIC_WRITE;
        nCrtFlags = _O_WRONLY;
    }
    // Append data only: the system puts every write at the end, as one write.
    if (nFlags & modeAppend)
        dwAccess = (dwAccess & ~GENERIC_WRITE) | FILE_APPEND_DATA;
    dwAccess |= FILE_READ_ATTRIBUTES; // to tell a disk file from anything else
    DWORD dwCreate = OPEN_EXISTING;
    if (nFlags & modeCreate)
        dwCreate = (nFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    // Looked at first, so a device is not even opened for reading or writing; the handle is
    // checked again below, since something else may stand there by the time it opens.
    if (KindOf(path) == PathKind::Other)
        return RefuseNotRegular();
    HANDLE h = ::CreateFileW(path.c_str(), dwAccess, kShareAll, nullptr, dwCreate,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const int nErrno = LastErrno();
        // A folder that appeared meanwhile does not open as a file (access denied).
        if (KindOf(path) == PathKind::Other)
            return RefuseNotRegular();
        return Fail("open", nErrno);
    }
    if (!IsDiskFile(h)) {
        ::CloseHandle(h);
        return RefuseNotRegular();
    }
    m_fd = Adopt(h, nCrtFlags);
    if (m_fd < 0)
        return Fail("open", errno);
    return true;
}

void CFile::Close()
{
    if (m_fd >= 0)
        ::_close(m_fd);
    m_fd = -1;
}

std::optional<FileStamp> CFile::Stamp() const
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (m_fd < 0 || !::GetFileInformationByHandle(HandleOf(m_fd), &info))
        return std::nullopt;
    return FileStamp{info.dwVolumeSerialNumber,
                     (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
                     (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow};
}

std::uint64_t CFile::GetLength() const
{
    LARGE_INTEGER size{};
    if (m_fd < 0 || !::GetFileSizeEx(HandleOf(m_fd), &size))
        return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool CFile::Seek(std::uint64_t nOffset)
{
    LARGE_INTEGER pos{};
    pos.QuadPart = static_cast<LONGLONG>(nOffset);
    if (!::SetFilePointerEx(HandleOf(m_fd), pos, nullptr, FILE_BEGIN))
        return Fail("seek", LastErrno());
    return true;
}

bool CFile::SeekToEnd()
{
    if (!::SetFilePointerEx(HandleOf(m_fd), LARGE_INTEGER{}, nullptr, FILE_END))
        return Fail("seek", LastErrno());
    return true;
}

bool CFile::Read(std::string& out, std::size_t nCount)
{
    out.resize(nCount);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        const DWORD dwWant = static_cast<DWORD>(std::min<std::size_t>(nCount - nDone, 1u << 30));
        DWORD dwGot = 0;
        if (!::ReadFile(HandleOf(m_fd), out.data() + nDone, dwWant, &dwGot, nullptr)) {
            out.resize(nDone);
            return Fail("read", LastErrno());
        }
        if (dwGot == 0)
            break;
        nDone += dwGot;
    }
    out.resize(nDone);
    return true;
}

bool CFile::Flush()
{
    // Windows flushes only through a handle that may write. What is cached belongs to the file,
    // not to a handle, so a reader flushes it through a writing handle of its own.
    const HANDLE h = HandleOf(m_fd);
    if (::FlushFileBuffers(h))
        return true;
    if (::GetLastError() != ERROR_ACCESS_DENIED)
        return Fail("flush", LastErrno());
    const HANDLE hWriter = ::ReOpenFile(h, GENERIC_WRITE, kShareAll, 0);
    if (hWriter == INVALID_HANDLE_VALUE)
        return Fail("flush", LastErrno());
    const bool bFlushed = ::FlushFileBuffers(hWriter);
    const int nErrno = bFlushed ? 0 : LastErrno();
    ::CloseHandle(hWriter);
    return bFlushed || Fail("flush", nErrno);
}

bool CFile::SetLength(std::uint64_t nLength)
{
    // The file's end moves; the position stays where it was, as with ftruncate.
    const HANDLE h = HandleOf(m_fd);
    LARGE_INTEGER pos{}, end{};
    end.QuadPart = static_cast<LONGLONG>(nLength);
    if (!::SetFilePointerEx(h, LARGE_INTEGER{}, &pos, FILE_CURRENT) ||
        !::SetFilePointerEx(h, end, nullptr, FILE_BEGIN) || !::SetEndOfFile(h)) {
        const int nErrno = LastErrno();
        ::SetFilePointerEx(h, pos, nullptr, FILE_BEGIN);
        return Fail("truncate", nErrno);
    }
    ::SetFilePointerEx(h, pos, nullptr, FILE_BEGIN);
    return true;
}

void CAtomicFile::Discard()
{
    if (m_fd >= 0) {
        ::_close(m_fd);
        m_fd = -1;
    }
    if (!m_strTemp.empty()) {
        ::DeleteFileW(PathFromUtf8(m_strTemp).c_str());
        m_strTemp.clear();
    }
}

bool CAtomicFile::Open(const std::filesystem::path& target)
{
    Discard();
    m_target = target;
    m_strError.clear();
    m_bNotRegular = false;
    if (KindOf(target) == PathKind::Other)
        return RefuseNotRegular();
    std::filesystem::path temp;
    m_fd = CreateTemporary(target, temp);
    if (m_fd < 0)
        return Fail("create", errno);
    // A temporary named after a device (CON.xxxxxx is the console on older systems) is that
    // device: refused before a byte is written, and never deleted.
    if (!IsDiskFile(HandleOf(m_fd)))
        return RefuseNotRegular();
    m_strTemp = Utf8FromPath(temp);
    return true;
}

// Moves the temporary into place; without bReplace never over an existing file, so two writers
// choosing the same free name cannot overwrite each other. A replaced file hands its attributes
// and access rights on to the new one.
bool CAtomicFile::Finish(bool bReplace)
{
    m_bExisted = false;
    if (m_fd < 0)
        return Fail("write", EBADF);
    if (!::FlushFileBuffers(HandleOf(m_fd)))
        return Fail("flush", LastErrno());
    const int fd = m_fd;
    m_fd = -1;
    if (::_close(fd) != 0)
        return Fail("close", errno);
    if (KindOf(m_target) == PathKind::Other) // appeared since Open
        return RefuseNotRegular();
    const std::filesystem::path temp = PathFromUtf8(m_strTemp);
    if (bReplace) {
        if (!::ReplaceFileW(m_target.c_str(), temp.c_str(), nullptr,
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            // No file to replace yet (or one the system will not replace in place): a plain
            // move over it is just as whole.
            if (!::MoveFileExW(temp.c_str(), m_target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return Fail("rename", LastErrno());
        }
    } else if (!RenameNoReplace(m_strTemp, Utf8FromPath(m_target))) {
        const int nErrno = errno;
        m_bExisted = nErrno == EEXIST;
        return Fail("rename", nErrno);
    }
    m_strTemp.clear();
    return true;
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
