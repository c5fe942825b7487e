#include "TestSupport.h"

#include "platform/Cp932.h"
#include "platform/File.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>

#ifdef _WIN32
#include <cstdio>
#include <cstring>
#include <ctime>
#endif

#ifdef _WIN32
// The C library of Windows has neither mkdtemp nor setenv.
namespace {
char* mkdtemp(char* szTemplate)
{
    static unsigned s_nNext = static_cast<unsigned>(std::time(nullptr));
    const std::size_t n = std::strlen(szTemplate);
    for (int nTry = 0; nTry < 100; ++nTry) {
        std::snprintf(szTemplate + n - 6, 7, "%06u", s_nNext++ % 1000000);
        std::error_code ec;
        if (std::filesystem::create_directory(szTemplate, ec))
            return szTemplate;
    }
    return nullptr;
}
int setenv(const char* szName, const char* szValue, int)
{
    return ::_putenv_s(szName, szValue);
}
int unsetenv(const char* szName)
{
    return ::_putenv_s(szName, "");
}
} // namespace
#endif

TempDir::TempDir()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "marelto-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = tmpl;
}

std::filesystem::path TempDir::operator/(std::string_view name) const
{
    return m_path / PathFromUtf8(name);
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
    setenv("TZ", szZone, 1);
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    m_bHadOld ? setenv("TZ", m_strOld.c_str(), 1) : unsetenv("TZ");
    ::tzset();
}
