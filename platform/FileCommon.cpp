// The parts of platform/File.h that are the same on every system.
#include "platform/File.h"

#include <cerrno>
#include <cstring>

CFile::~CFile()
{
    Close();
}

bool CFile::Fail(const char* szWhat, int nErrno)
{
    m_strError = std::string(szWhat) + ": " + std::strerror(nErrno);
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
