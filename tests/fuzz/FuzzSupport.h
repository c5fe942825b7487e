#pragma once

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

// Shared by the fuzz targets: a scratch folder for the files the code under test insists on
// reading from disk, and a check that aborts so libFuzzer keeps the input that broke it.
namespace Fuzz {

[[noreturn]] inline void Fail(const char* szWhat, const char* szFile, int nLine)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", szFile, nLine, szWhat);
    std::abort();
}

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::Fuzz::Fail(#cond, __FILE__, __LINE__);                                               \
    } while (0)

// One folder per process, in memory where the system has /dev/shm, so the fsync of every
// atomic write costs nothing. libFuzzer ends without running exit handlers, so each process
// clears away the folders of processes that are gone instead.
inline const std::filesystem::path& ScratchDir()
{
    static const std::filesystem::path dir = [] {
        const char* szBase = std::getenv("MARELTO_FUZZ_TMP");
        const std::filesystem::path base = szBase ? szBase
                                           : std::filesystem::is_directory("/dev/shm")
                                               ? "/dev/shm"
                                               : std::filesystem::temp_directory_path();
        const std::string strPrefix = "marelto-fuzz-";
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(base, ec)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(strPrefix, 0) != 0)
                continue;
            const long nPid = std::strtol(name.c_str() + strPrefix.size(), nullptr, 10);
            if (nPid > 0 && ::kill(static_cast<pid_t>(nPid), 0) != 0 && errno == ESRCH)
                std::filesystem::remove_all(entry.path(), ec);
        }
        const std::filesystem::path mine = base / (strPrefix + std::to_string(::getpid()));
        std::filesystem::remove_all(mine, ec);
        if (!std::filesystem::create_directory(mine, ec))
            Fail("scratch folder", __FILE__, __LINE__);
        return mine;
    }();
    return dir;
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        Fail("write scratch file", __FILE__, __LINE__);
}

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Splits at the last (nParts - 1) occurrences of sep: the head keeps every earlier separator.
// Fewer separators give fewer parts.
inline std::vector<std::string_view> SplitTail(std::string_view data, char sep, std::size_t nParts)
{
    std::vector<std::string_view> tail;
    while (tail.size() + 1 < nParts) {
        std::size_t n = data.rfind(sep);
        if (n == std::string_view::npos)
            break;
        tail.insert(tail.begin(), data.substr(n + 1));
        data = data.substr(0, n);
    }
    tail.insert(tail.begin(), data);
    return tail;
}

} // namespace Fuzz
