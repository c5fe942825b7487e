#include "platform/File.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

std::int64_t g_nWriteBudget = -1; // bytes left before writes fail; -1 = no fault

} // namespace

bool WriteAllToFd(int fd, std::string_view bytes, int& nErrno)
{
    while (!bytes.empty()) {
        std::size_t nChunk = bytes.size();
        if (g_nWriteBudget >= 0) {
            if (g_nWriteBudget == 0) {
                nErrno = ENOSPC;
                return false;
            }
            nChunk = std::min<std::size_t>(nChunk, static_cast<std::size_t>(g_nWriteBudget));
        }
        ssize_t n = ::write(fd, bytes.data(), nChunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            nErrno = errno;
            return false;
        }
        if (g_nWriteBudget >= 0)
            g_nWriteBudget -= n;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool RenameNoReplace(const std::string& strFrom, const std::string& strTo)
{
    if (::renameat2(AT_FDCWD, strFrom.c_str(), AT_FDCWD, strTo.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the flag: a hard link fails just as surely on an existing name.
    if (::link(strFrom.c_str(), strTo.c_str()) != 0)
        return false;
    ::unlink(strFrom.c_str());
    return true;
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
    int nMode = O_RDONLY;
    if (nFlags & modeReadWrite)
        nMode = O_RDWR;
    else if (nFlags & modeWrite)
        nMode = O_WRONLY;
    if (nFlags & modeCreate) {
        nMode |= O_CREAT;
        if (!(nFlags & modeNoTruncate))
            nMode |= O_TRUNC;
    }
    if (nFlags & modeAppend)
        nMode |= O_APPEND;
    // Looked at first, so a device or FIFO is not even opened; the descriptor is checked again
    // below, since something else may stand there by the time it opens.
    if (KindOf(path) == PathKind::Other)
        return RefuseNotRegular();
    // O_NONBLOCK: opening a FIFO that slipped in meanwhile returns at once instead of waiting.
    m_fd = ::open(path.c_str(), nMode | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
    if (m_fd < 0) {
        const int nErrno = errno;
        // A socket, or a FIFO opened for writing with no reader, fails to open (ENXIO).
        if (KindOf(path) == PathKind::Other)
            return RefuseNotRegular();
        return Fail("open", nErrno);
    }
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        Close();
        return RefuseNotRegular();
    }
    // A regular file never blocks; clear the flag so reads and writes behave as usual.
    const int nStatus = ::fcntl(m_fd, F_GETFL);
    if (nStatus < 0 || ::fcntl(m_fd, F_SETFL, nStatus & ~O_NONBLOCK) != 0) {
        const int nErrno = errno;
        Close();
        return Fail("open", nErrno);
    }
    return true;
}

void CFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

std::optional<FileStamp> CFile::Stamp() const
{
    struct stat st
    {
    };
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::uint64_t>(st.st_size)};
}

std::uint64_t CFile::GetLength() const
{
    struct stat st
    {
    };
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

bool CFile::Seek(std::uint64_t nOffset)
{
    if (::lseek(m_fd, static_cast<off_t>(nOffset), SEEK_SET) < 0)
        return Fail("seek", errno);
    return true;
}

bool CFile::SeekToEnd()
{
    if (::lseek(m_fd, 0, SEEK_END) < 0)
        return Fail("seek", errno);
    return true;
}

bool CFile::Read(std::string& out, std::size_t nCount)
{
    out.resize(nCount);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        ssize_t n = ::read(m_fd, out.data() + nDone, nCount - nDone);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            out.resize(nDone);
            return Fail("read", errno);
        }
        if (n == 0)
            break;
        nDone += static_cast<std::size_t>(n);
    }
    out.resize(nDone);
    return true;
}

bool CFile::Flush()
{
    if (::fsync(m_fd) != 0)
        return Fail("flush", errno);
    return true;
}

bool CFile::SetLength(std::uint64_t nLength)
{
    if (::ftruncate(m_fd, static_cast<off_t>(nLength)) != 0)
        return Fail("truncate", errno);
    return true;
}

void CAtomicFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_strTemp.empty()) {
        ::unlink(m_strTemp.c_str());
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
    std::string strTemp = target.string() + ".XXXXXX";
    m_fd = ::mkstemp(strTemp.data());
    if (m_fd < 0)
        return Fail("create", errno);
    m_strTemp = std::move(strTemp);
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat st
    {
    };
    mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    ::fchmod(m_fd, mode);
    return true;
}

// Moves the temporary into place; without bReplace never over an existing file, so two writers
// choosing the same free name cannot overwrite each other.
bool CAtomicFile::Finish(bool bReplace)
{
    m_bExisted = false;
    if (m_fd < 0)
        return Fail("write", EBADF);
    if (::fsync(m_fd) != 0)
        return Fail("flush", errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return Fail("close", errno);
    if (KindOf(m_target) == PathKind::Other) // appeared since Open
        return RefuseNotRegular();
    if (bReplace) {
        if (::rename(m_strTemp.c_str(), m_target.c_str()) != 0)
            return Fail("rename", errno);
    } else if (!RenameNoReplace(m_strTemp, m_target.string())) {
        const int nErrno = errno;
        m_bExisted = nErrno == EEXIST;
        return Fail("rename", nErrno);
    }
    m_strTemp.clear();
    // The rename itself lasts only once the folder is on disk too; failing that is no error of
    // the file, which is already whole.
    const std::filesystem::path dir = m_target.has_parent_path() ? m_target.parent_path() : ".";
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
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
