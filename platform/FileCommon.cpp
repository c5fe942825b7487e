// The parts of platform/File.h that are the same on every system.
#include "platform/File.h"

#include "platform/Cp932.h"

#include <cerrno>
#include <cstring>

const char* const kNotRegularError = "not a regular file";

CFile::~CFile()
{
    Close();
}

bool CFile::Fail(const char* szWhat, int nErrno)
{
    m_strError = std::string(szWhat) + ": " + std::strerror(nErrno);
    return false;
}

bool CFile::RefuseNotRegular()
{
    m_bNotRegular = true;
    m_strError = std::string("open: ") + kNotRegularError;
    return false;
}

bool CFile::Write(std::string_view bytes)
{
    int nErrno = 0;
    if (!WriteAllToFd(m_fd, bytes, nErrno))
        return Fail("write", nErrno);
    return true;
}

CAtomicFile::~CAtomicFile()
{
    Discard();
}

bool CAtomicFile::Fail(const char* szWhat, int nErrno)
{
    m_strError = std::string(szWhat) + ": " + std::strerror(nErrno);
    Discard();
    return false;
}

bool CAtomicFile::RefuseNotRegular()
{
    m_bNotRegular = true;
    m_strError = std::string("replace: ") + kNotRegularError;
    Discard();
    return false;
}

bool CAtomicFile::Write(std::string_view bytes)
{
    if (m_fd < 0)
        return Fail("write", EBADF);
    int nErrno = 0;
    if (!WriteAllToFd(m_fd, bytes, nErrno))
        return Fail("write", nErrno);
    return true;
}

bool CAtomicFile::Commit()
{
    return Finish(true);
}

bool CAtomicFile::CommitNew()
{
    return Finish(false);
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* pError)
{
    CAtomicFile file;
    if (file.Open(path) && file.Write(bytes) && file.Commit())
        return true;
    if (pError)
        *pError = file.Error();
    return false;
}

bool CanCreateFilesIn(const std::filesystem::path& dir)
{
    CAtomicFile probe; // its temporary goes with it
    return probe.Open(dir / ".marelto-probe");
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
