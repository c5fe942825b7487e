#include "TestSupport.h"

#include "platform/Cp932.h"
#include "platform/File.h"
#include "quiz/QuestionRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <cstdio>
#include <ctime>
#else
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
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

PlayFolder::PlayFolder() : m_cd(Path()), m_store(Path() / "Parameter.INI") {}

std::string PlayFolder::Ini() const
{
    return ReadFileBytes(Path() / "Parameter.INI");
}

void PlayFolder::WriteIni(std::string_view bytes) const
{
    WriteFileBytes(Path() / "Parameter.INI", bytes);
}

std::string PlayFolder::PutBundled(std::string_view name) const
{
    std::string bytes = BundledBytes(name);
    WriteFileBytes(*this / name, bytes);
    return bytes;
}

std::vector<std::string> PlayFolder::WriteFlagQuestions(std::initializer_list<const char*> codes,
                                                        std::string_view name) const
{
    std::vector<std::string> records;
    std::string bytes;
    for (const char* szCode : codes) {
        records.push_back(
            ComposeRecord(szCode + Sjis("この国旗はどの国の国旗？"), {"a", "b", "c", "d"}, 0));
        bytes += records.back();
    }
    WriteFileBytes(*this / name, bytes);
    return records;
}

std::string BundledBytes(std::string_view name)
{
    return ReadFileBytes(std::filesystem::path(MARELTO_SOURCE_DIR) / "data" / PathFromUtf8(name));
}

std::string JapanQuestions(int nCount)
{
    std::string bytes;
    for (int i = 0; i < nCount; ++i)
        bytes += ComposeRecord("jpn" + Sjis("この国旗の国はどこ?"),
                               {Sjis("日本"), Sjis("中国"), Sjis("韓国"), Sjis("タイ")}, 0);
    return bytes;
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

#ifdef _WIN32
// A test can make only a folder in a file's place on Windows: no FIFO or socket files there,
// and devices are reached by name (see FileTest) since Wine makes no links.
void MakeOddFile(const std::filesystem::path& path, OddFile kind)
{
    if (kind != OddFile::Folder)
        throw std::runtime_error("only a folder can stand in a file's place here");
    std::filesystem::create_directory(path);
}

unsigned FileTypeAt(const std::filesystem::path& path)
{
    std::error_code ec;
    switch (std::filesystem::symlink_status(path, ec).type()) {
    case std::filesystem::file_type::regular:
        return S_IFREG;
    case std::filesystem::file_type::directory:
        return S_IFDIR;
    case std::filesystem::file_type::not_found:
    case std::filesystem::file_type::none:
        return 0;
    default:
        return S_IFCHR;
    }
}
#else
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
#endif
