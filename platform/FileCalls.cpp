// The POSIX side of platform/File.h: the system calls of platform/FileCalls.h and the calls on
// paths.
#include "platform/FileCalls.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A read or write that a signal may break off, made again until it is not.
template <class Call> std::int64_t Restarted(Call call, int& nErrno)
{
    for (;;) {
        const ssize_t n = call();
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            nErrno = errno;
            return -1;
        }
    }
}

} // namespace

PathKind KindOf(const std::filesystem::path& path, std::uint64_t* pSize)
{
    struct stat st
    {
    };
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return PathKind::Missing;
    if (!S_ISREG(st.st_mode))
        return PathKind::Other;
    if (pSize)
        *pSize = static_cast<std::uint64_t>(st.st_size);
    return PathKind::Regular;
}

bool IsLink(const std::filesystem::path& path)
{
    struct stat st
    {
    };
    return !path.empty() && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the flag: a hard link fails just as surely on an existing name.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

bool RemoveFile(const std::filesystem::path& path, std::string* pError)
{
    if (::unlink(path.c_str()) == 0)
        return true;
    if (pError)
        *pError = std::string("remove: ") + std::strerror(errno);
    return false;
}

std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::string(utf8));
}

std::string Utf8FromPath(const std::filesystem::path& path)
{
    return path.string();
}

namespace FileCalls {

Opened Open(const std::filesystem::path& path, unsigned nFlags, int& fd, int& nErrno)
{
    int nMode = O_RDONLY;
    if (nFlags & File::modeReadWrite)
        nMode = O_RDWR;
    else if (nFlags & File::modeWrite)
        nMode = O_WRONLY;
    if (nFlags & File::modeCreate) {
        nMode |= O_CREAT;
        if (!(nFlags & File::modeNoTruncate))
            nMode |= O_TRUNC;
    }
    if (nFlags & File::modeAppend)
        nMode |= O_APPEND;
    if (nFlags & File::modeNoFollow)
        nMode |= O_NOFOLLOW;
    // O_NONBLOCK: opening a FIFO that slipped in meanwhile returns at once instead of waiting.
    fd = ::open(path.c_str(), nMode | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
    if (fd < 0) {
        nErrno = errno;
        return Opened::Failed;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fd = -1;
        return Opened::NotRegular;
    }
    // A regular file never blocks; clear the flag so reads and writes behave as usual.
    const int nStatus = ::fcntl(fd, F_GETFL);
    if (nStatus < 0 || ::fcntl(fd, F_SETFL, nStatus & ~O_NONBLOCK) != 0) {
        nErrno = errno;
        ::close(fd);
        fd = -1;
        return Opened::Failed;
    }
    return Opened::Yes;
}

int Close(int fd)
{
    return ::close(fd) == 0 ? 0 : errno;
}

std::int64_t Read(int fd, char* pData, std::size_t nCount, int& nErrno)
{
    return Restarted([&] { return ::read(fd, pData, nCount); }, nErrno);
}

std::int64_t Write(int fd, const char* pData, std::size_t nCount, int& nErrno)
{
    return Restarted([&] { return ::write(fd, pData, nCount); }, nErrno);
}

int Seek(int fd, std::uint64_t nOffset)
{
    return ::lseek(fd, static_cast<off_t>(nOffset), SEEK_SET) < 0 ? errno : 0;
}

int SeekToEnd(int fd)
{
    return ::lseek(fd, 0, SEEK_END) < 0 ? errno : 0;
}

std::optional<FileStamp> Stamp(int fd)
{
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::uint64_t>(st.st_size)};
}

int Flush(int fd)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

int SetLength(int fd, std::uint64_t nLength)
{
    return ::ftruncate(fd, static_cast<off_t>(nLength)) == 0 ? 0 : errno;
}

// A temporary is locked while it is written. One that a cleaner removed between its making and
// its lock is made again.
Opened CreateTemporary(const std::filesystem::path& target, int& fd, std::filesystem::path& temp,
                       int& nErrno)
{
    std::string strTemp;
    for (int nTry = 0;; ++nTry) {
        strTemp = target.string() + ".XXXXXX";
        fd = ::mkostemp(strTemp.data(), O_CLOEXEC);
        if (fd < 0) {
            nErrno = errno;
            return Opened::Failed;
        }
        struct stat opened
        {
        }, named{};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0 &&
            ::lstat(strTemp.c_str(), &named) == 0 && opened.st_ino == named.st_ino &&
            opened.st_dev == named.st_dev)
            break;
        ::close(fd);
        if (nTry == 8) {
            nErrno = EAGAIN;
            return Opened::Failed;
        }
    }
    temp = strTemp;
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat st
    {
    };
    ::fchmod(fd, ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    return Opened::Yes;
}

bool RemoveIfUnused(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st
    {
    };
    const bool bRemoved = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                          ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0;
    ::close(fd);
    return bRemoved;
}

int Replace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// The rename lasts only once the folder is on disk too; failing that is no error of the file,
// which is already whole.
void SyncFolder(const std::filesystem::path& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace FileCalls
