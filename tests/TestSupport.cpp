#include "TestSupport.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>

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
