#pragma once

#include "platform/ProfileKeys.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One entry's new value (cp932), for a save of several at once.
struct ProfileWrite
{
    std::string_view section;
    std::string_view entry;
    std::string value;
};

// The settings file Parameter.INI, read and written the way Windows private-profile files are:
// nothing is cached, every read sees the file as it is now, and each caller brings its default.
// Names and values are cp932 bytes, matched without regard to ASCII case.
//
// Reading: CRLF or LF line ends; blanks around names and values are ignored; lines starting
// with ';' are comments; the first matching section and entry win; a value enclosed in a pair
// of matching quotes loses them. A missing file, section or entry gives the default; a present
// but empty value is an empty text.
// Integers: optional blanks, an optional sign, then the leading decimal digits; no digits give 0,
// an empty value gives the default, and overflow wraps round to 32 bits as on Windows.
// Writing: an existing entry is replaced in place, a new entry goes after the last line of its
// section, a new section at the end of the file; every other byte stays as it was, and the lines
// written end in CRLF. The file is replaced atomically; a failed write changes nothing.
class ProfileStore
{
  public:
    explicit ProfileStore(std::filesystem::path path) : m_path(std::move(path)) {}

    int GetProfileIntA(std::string_view section, std::string_view entry, int nDefault) const;
    std::string GetProfileStringA(std::string_view section, std::string_view entry,
                                  std::string_view strDefault) const;
    bool WriteProfileInt(std::string_view section, std::string_view entry, int nValue);
    bool WriteProfileStringA(std::string_view section, std::string_view entry,
                             std::string_view value);

    // The entries of the table (platform/ProfileKeys.h), each with its reader's default.
    int Get(const IntSetting& setting) const
    {
        return GetProfileIntA(setting.section, setting.entry, setting.nDefault);
    }
    std::string Get(const TextSetting& setting) const
    {
        return GetProfileStringA(setting.section, setting.entry, setting.strDefault);
    }
    // The stored text; nothing when the file, the section or the entry is absent.
    std::optional<std::string> Stored(const TextSetting& setting) const
    {
        return Find(setting.section, setting.entry);
    }
    std::optional<std::string> Stored(const IntSetting& setting) const
    {
        return Find(setting.section, setting.entry);
    }
    // A switch is on when it holds 1.
    bool IsOn(const IntSetting& setting) const { return Get(setting) == 1; }
    bool Write(const IntSetting& setting, int nValue)
    {
        return WriteProfileInt(setting.section, setting.entry, nValue);
    }
    bool Write(const TextSetting& setting, std::string_view value)
    {
        return WriteProfileStringA(setting.section, setting.entry, value);
    }

    // Writes every entry in one replacement of the file, merged onto the file as it is now, so
    // what another copy of the program saved since is kept where this save does not touch it.
    // False when the file cannot be written (nothing changes then); pErrno says why (0 when
    // the old file could not be read and so is kept as it is).
    bool WriteEntries(const std::vector<ProfileWrite>& entries, int* pErrno = nullptr);

    const std::filesystem::path& Path() const { return m_path; }

    // The integer rule above, on a value's text.
    static int ParseInt(std::string_view text);

  private:
    std::optional<std::string> Find(std::string_view section, std::string_view entry) const;

    std::filesystem::path m_path;
};
