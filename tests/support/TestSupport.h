#pragma once

#include "platform/ProfileStore.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder under the system's temporary directory, removed with the object.
class TempDir
{
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // name is UTF-8, as every name in the program.
    std::filesystem::path operator/(std::string_view name) const;

  private:
    std::filesystem::path m_path;
};

// Changes the current directory for a scope, as the program's files live there.
class ScopedCurrentDir
{
  public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir);
    ~ScopedCurrentDir();

  private:
    std::filesystem::path m_old;
};

// A play folder for one test: a fresh folder, the current one while the object lives, with the
// settings store on its Parameter.INI, as the program finds its files beside it.
class PlayFolder : public TempDir
{
  public:
    PlayFolder();

    ProfileStore& Store() { return m_store; }
    // Parameter.INI's bytes; empty when there is none.
    std::string Ini() const;
    void WriteIni(std::string_view bytes) const;
    // Puts the bundled file of that name (data/) here; returns its bytes.
    std::string PutBundled(std::string_view name) const;
    // A question file of flag questions, one a code, all asking the same and answered by a, b,
    // c, d with the first right; returns its records.
    std::vector<std::string> WriteFlagQuestions(std::initializer_list<const char*> codes,
                                                std::string_view name = "sample0524.txt") const;

  private:
    ScopedCurrentDir m_cd;
    ProfileStore m_store;
};

// The bytes of a bundled file (data/), by its UTF-8 name.
std::string BundledBytes(std::string_view name);

// nCount flag questions, each asking for 日本 among 日本, 中国, 韓国 and タイ, the first right.
std::string JapanQuestions(int nCount);

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);
// UTF-8 source text as cp932 bytes, for fixtures.
std::string Sjis(std::string_view utf8);

// Sets the TZ variable for a scope; local times in tests then do not depend on the machine.
class ScopedTimeZone
{
  public:
    explicit ScopedTimeZone(const char* szZone);
    ~ScopedTimeZone();

  private:
    std::string m_strOld;
    bool m_bHadOld;
};

// What can stand in a file's place and is no regular file.
enum class OddFile
{
    Fifo,
    Socket,
    Folder,
    DeviceLink, // a link to /dev/zero: endless to read, no size
};
#ifdef _WIN32
inline constexpr OddFile kOddFiles[] = {OddFile::Folder};
#else
inline constexpr OddFile kOddFiles[] = {OddFile::Fifo, OddFile::Socket, OddFile::Folder,
                                        OddFile::DeviceLink};
#endif
const char* OddFileName(OddFile kind);
void MakeOddFile(const std::filesystem::path& path, OddFile kind);
// The type of what stands at path, links not followed; 0 when nothing does.
unsigned FileTypeAt(const std::filesystem::path& path);
