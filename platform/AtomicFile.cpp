// The replacement of a file: its temporary, the commit's order, on platform/FileCalls.h.
#include "platform/AtomicFile.h"

#include "platform/FileCalls.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

constexpr std::string_view kProbeName = ".marelto-probe";

} // namespace

AtomicFile::~AtomicFile()
{
    Discard();
}

bool AtomicFile::Fail(const char* szWhat, int nErrno)
{
    m_nErrno = nErrno;
    m_strError = std::string(szWhat) + ": " + std::strerror(nErrno);
    Discard();
    return false;
}

bool AtomicFile::RefuseNotRegular()
{
    m_bNotRegular = true;
    m_nErrno = 0;
    m_strError = std::string("replace: ") + kNotRegularError;
    Discard();
    return false;
}

void AtomicFile::Discard()
{
    if (m_fd >= 0)
        FileCalls::Close(std::exchange(m_fd, -1));
    if (!m_temp.empty()) {
        RemoveFile(m_temp);
        m_temp.clear();
    }
}

bool AtomicFile::Open(const std::filesystem::path& target)
{
    Discard();
    m_target = target;
    m_strError.clear();
    m_nErrno = 0;
    m_bNotRegular = false;
    if (KindOf(target) == PathKind::Other)
        return RefuseNotRegular();
    // Replacing a link would put a file where the user keeps a pointer to one elsewhere.
    if (IsLink(target))
        return Fail("replace", ELOOP);
    int nErrno = 0;
    switch (FileCalls::CreateTemporary(target, m_fd, m_temp, nErrno)) {
    case FileCalls::Opened::Yes:
        return true;
    case FileCalls::Opened::NotRegular: // a name that stands for a device: never written
        return RefuseNotRegular();
    case FileCalls::Opened::Failed:
        break;
    }
    return Fail("create", nErrno);
}

bool AtomicFile::Write(std::string_view bytes)
{
    if (m_fd < 0)
        return Fail("write", EBADF);
    int nErrno = 0;
    return FileCalls::WriteAll(m_fd, bytes, nErrno) || Fail("write", nErrno);
}

bool AtomicFile::Commit()
{
    return Finish(true);
}

bool AtomicFile::CommitNew()
{
    return Finish(false);
}

// Moves the temporary into place; without bReplace never over an existing file, so two writers
// choosing the same free name cannot overwrite each other.
bool AtomicFile::Finish(bool bReplace)
{
    m_bExisted = false;
    if (m_fd < 0)
        return Fail("write", EBADF);
    if (const int nErrno = FileCalls::Flush(m_fd))
        return Fail("flush", nErrno);
    if (const int nErrno = FileCalls::Close(std::exchange(m_fd, -1)))
        return Fail("close", nErrno);
    if (KindOf(m_target) == PathKind::Other) // appeared since Open
        return RefuseNotRegular();
    if (bReplace) {
        if (const int nErrno = FileCalls::Replace(m_temp, m_target))
            return Fail("rename", nErrno);
    } else if (!RenameNoReplace(m_temp, m_target)) {
        const int nErrno = errno;
        m_bExisted = nErrno == EEXIST;
        return Fail("rename", nErrno);
    }
    m_temp.clear();
    FileCalls::SyncFolder(m_target.has_parent_path() ? m_target.parent_path() : ".");
    return true;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* pError, int* pErrno)
{
    AtomicFile file;
    if (file.Open(path) && file.Write(bytes) && file.Commit())
        return true;
    if (pError)
        *pError = file.Error();
    if (pErrno)
        *pErrno = file.Errno();
    return false;
}

bool IsTemporaryName(std::string_view utf8Name)
{
    constexpr std::size_t kSuffix = 7; // ".XXXXXX"
    if (utf8Name.size() <= kSuffix || utf8Name[utf8Name.size() - kSuffix] != '.')
        return false;
    for (char c : utf8Name.substr(utf8Name.size() - kSuffix + 1))
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    const std::string_view target = utf8Name.substr(0, utf8Name.size() - kSuffix);
    if (target == kProbeName)
        return true;
    if (target.size() <= 4)
        return false;
    std::string ext(target.substr(target.size() - 4));
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".txt" || ext == ".ini";
}

int RemoveStaleTemporaries(const std::filesystem::path& dir)
{
    int nRemoved = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsTemporaryName(Utf8FromPath(it->path().filename())) &&
            FileCalls::RemoveIfUnused(it->path()))
            ++nRemoved;
    }
    return nRemoved;
}

bool CanCreateFilesIn(const std::filesystem::path& dir)
{
    AtomicFile probe; // its temporary goes with it
    return probe.Open(dir / PathFromUtf8(kProbeName));
}
