// The parts of platform/File.h that are the same on every system; the system calls under them
// are platform/FileCalls.h.
#include "platform/File.h"

#include "platform/Cp932.h"
#include "platform/FileCalls.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

const char* const kNotRegularError = "not a regular file";

namespace {

std::int64_t g_nWriteBudget = -1; // bytes left before writes fail; -1 = no fault

} // namespace

bool FileCalls::WriteAll(int fd, std::string_view bytes, int& nErrno, std::uint64_t* pWritten)
{
    if (pWritten)
        *pWritten = 0;
    while (!bytes.empty()) {
        std::size_t nChunk = bytes.size();
        if (g_nWriteBudget >= 0) {
            if (g_nWriteBudget == 0) {
                nErrno = ENOSPC;
                return false;
            }
            nChunk = std::min<std::size_t>(nChunk, static_cast<std::size_t>(g_nWriteBudget));
        }
        const std::int64_t n = FileCalls::Write(fd, bytes.data(), nChunk, nErrno);
        if (n < 0)
            return false;
        if (g_nWriteBudget >= 0)
            g_nWriteBudget -= n;
        if (pWritten)
            *pWritten += static_cast<std::uint64_t>(n);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
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

File::~File()
{
    Close();
}

bool File::Fail(const char* szWhat, int nErrno)
{
    m_nErrno = nErrno;
    m_strError = std::string(szWhat) + ": " + std::strerror(nErrno);
    return false;
}

bool File::RefuseNotRegular()
{
    m_bNotRegular = true;
    m_nErrno = 0;
    m_strError = std::string("open: ") + kNotRegularError;
    return false;
}

bool File::Open(const std::filesystem::path& path, unsigned nFlags)
{
    Close();
    m_path = path;
    m_strError.clear();
    m_nErrno = 0;
    m_bNotRegular = false;
    // Looked at first, so a device or FIFO is not even opened; the open file is checked again,
    // since something else may stand there by the time it opens.
    if (KindOf(path) == PathKind::Other)
        return RefuseNotRegular();
    // A link to a file is refused by the open itself (ELOOP); said here for every system.
    if ((nFlags & modeNoFollow) && IsLink(path))
        return Fail("open", ELOOP);
    int nErrno = 0;
    switch (FileCalls::Open(path, nFlags, m_fd, nErrno)) {
    case FileCalls::Opened::Yes:
        return true;
    case FileCalls::Opened::NotRegular:
        return RefuseNotRegular();
    case FileCalls::Opened::Failed:
        break;
    }
    // A socket, a FIFO opened for writing with no reader, a folder that appeared meanwhile: no
    // file opens there.
    if (KindOf(path) == PathKind::Other)
        return RefuseNotRegular();
    return Fail("open", nErrno);
}

void File::Close()
{
    if (m_fd >= 0)
        FileCalls::Close(m_fd);
    m_fd = -1;
}

std::optional<FileStamp> File::Stamp() const
{
    return m_fd < 0 ? std::nullopt : FileCalls::Stamp(m_fd);
}

std::uint64_t File::GetLength() const
{
    const std::optional<FileStamp> stamp = Stamp();
    return stamp ? stamp->nSize : 0;
}

bool File::Seek(std::uint64_t nOffset)
{
    const int nErrno = FileCalls::Seek(m_fd, nOffset);
    return nErrno == 0 || Fail("seek", nErrno);
}

bool File::SeekToEnd()
{
    const int nErrno = FileCalls::SeekToEnd(m_fd);
    return nErrno == 0 || Fail("seek", nErrno);
}

bool File::Read(std::string& out, std::size_t nCount)
{
    out.resize(nCount);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        int nErrno = 0;
        const std::int64_t n = FileCalls::Read(m_fd, out.data() + nDone, nCount - nDone, nErrno);
        if (n < 0) {
            out.resize(nDone);
            return Fail("read", nErrno);
        }
        if (n == 0)
            break;
        nDone += static_cast<std::size_t>(n);
    }
    out.resize(nDone);
    return true;
}

bool File::Write(std::string_view bytes)
{
    int nErrno = 0;
    return FileCalls::WriteAll(m_fd, bytes, nErrno, &m_nWritten) || Fail("write", nErrno);
}

bool File::Flush()
{
    const int nErrno = FileCalls::Flush(m_fd);
    return nErrno == 0 || Fail("flush", nErrno);
}

bool File::SetLength(std::uint64_t nLength)
{
    const int nErrno = FileCalls::SetLength(m_fd, nLength);
    return nErrno == 0 || Fail("truncate", nErrno);
}

bool IsPlainFileName(std::string_view utf8Name)
{
    return !utf8Name.empty() && utf8Name != "." && utf8Name != ".." &&
           utf8Name.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos;
}

std::string WriteErrorText(int nErrno)
{
    switch (nErrno) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "ディスクの空きがありません";
    case EACCES:
    case EPERM:
    case EROFS:
        return "書き込みが許可されていません";
    case ELOOP:
        return "リンクなので、その先へは書き込みません";
    default:
        return std::strerror(nErrno);
    }
}

std::filesystem::path PathFromCp932(std::string_view cp932)
{
    return PathFromUtf8(Cp932::ToUtf8(cp932));
}

std::optional<std::filesystem::path> PathInCurrentDir(std::string_view cp932Name)
{
    if (!Cp932::IsValid(cp932Name))
        return std::nullopt;
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::current_path(ec);
    if (ec || dir.empty())
        return std::nullopt;
    return PathFromUtf8(Utf8FromPath(dir) + "/" + Cp932::ToUtf8(cp932Name));
}
