#include "TestSupport.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

TempDir::TempDir()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "marelto-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = tmpl;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

ScopedCurrentDir::ScopedCurrentDir(const std::filesystem::path& dir)
    : m_old(std::filesystem::current_path())
{
    std::filesystem::current_path(dir);
}

ScopedCurrentDir::~ScopedCurrentDir()
{
    std::error_code ec;
    std::filesystem::current_path(m_old, ec);
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Sjis(std::string_view utf8)
{
    std::optional<std::string> bytes = Cp932::FromUtf8(utf8);
    if (!bytes)
        throw std::invalid_argument("not representable in cp932");
    return *bytes;
}

ScopedTimeZone::ScopedTimeZone(const char* szZone)
    : m_strOld(std::getenv("TZ") ? std::getenv("TZ") : ""), m_bHadOld(std::getenv("TZ"))
{
    ::setenv("TZ", szZone, 1);
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    m_bHadOld ? ::setenv("TZ", m_strOld.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
}

const char* OddFileName(OddFile kind)
{
    switch (kind) {
    case OddFile::Fifo:
        return "Fifo";
    case OddFile::Socket:
        return "Socket";
    case OddFile::Folder:
        return "Folder";
    case OddFile::DeviceLink:
        return "DeviceLink";
    }
    return "?";
}

void MakeOddFile(const std::filesystem::path& path, OddFile kind)
{
    switch (kind) {
    case OddFile::Fifo:
        if (::mkfifo(path.c_str(), 0644) != 0)
            throw std::runtime_error("mkfifo failed");
        return;
    case OddFile::Socket: {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        if (path.string().size() >= sizeof addr.sun_path)
            throw std::runtime_error("socket path too long");
        std::strcpy(addr.sun_path, path.c_str());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bBound =
            fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        if (fd >= 0)
            ::close(fd); // the socket file stays; nobody answers on it
        if (!bBound)
            throw std::runtime_error("bind failed");
        return;
    }
    case OddFile::Folder:
        std::filesystem::create_directory(path);
        return;
    case OddFile::DeviceLink:
        std::filesystem::create_symlink("/dev/zero", path);
        return;
    }
}

unsigned FileTypeAt(const std::filesystem::path& path)
{
    struct stat st
    {
    };
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}
