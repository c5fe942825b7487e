// Parameter.INI from any bytes: every read returns the default or text that is in the file,
// and one write changes only the line it writes (or adds lines), after which it reads back.
//
// Input: FILE, or FILE \0 SECTION \0 ENTRY \0 VALUE (split at the last three NULs). Without
// the three parts the write uses one of the program's own settings.

#include "platform/ProfileStore.h"

#include "FuzzSupport.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

struct Key
{
    std::string_view section, entry;
};

// Every setting the program reads, and names that no file is likely to hold.
constexpr std::array<Key, 8> kProbes = {{{"QUESTION", "1"},
                                         {"LIFE", "1"},
                                         {"TIME_LIMIT", "1"},
                                         {"QUESTION_CNT", "1"},
                                         {"SEQ", "1"},
                                         {"SOUND", "SW"},
                                         {"question", "1"},
                                         {"NOWHERE", "X"}}};
constexpr std::string_view kDefault = "\x01"
                                      "default\x01";

std::string_view Trim(std::string_view s)
{
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool SameName(std::string_view a, std::string_view b)
{
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

bool HasLineEnd(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// What a written value must look like to read back unchanged: one line, no blanks at either
// end (reads trim them), not wrapped in a pair of quotes (reads drop them). Names must be
// names: a section without ']', an entry without '=' that reads neither as a comment nor as a
// section header.
bool RoundTrips(std::string_view section, std::string_view entry, std::string_view value)
{
    if (HasLineEnd(section) || HasLineEnd(entry) || HasLineEnd(value))
        return false;
    if (section.find(']') != std::string_view::npos || entry.find('=') != std::string_view::npos)
        return false;
    const std::string_view name = Trim(entry);
    if (!name.empty() && (name.front() == ';' || name.front() == '['))
        return false;
    if (Trim(value) != value)
        return false;
    const bool bQuoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                         value.back() == value.front();
    return !bQuoted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view data(reinterpret_cast<const char*>(pData), nSize);
    const std::vector<std::string_view> parts = Fuzz::SplitTail(data, '\0', 4);
    const std::string_view file = parts[0];
    Key key = kProbes[nSize % 6];
    std::string_view value = "sample0524.txt";
    if (parts.size() == 4) {
        key = {parts[1], parts[2]};
        value = parts[3];
    }

    const std::filesystem::path path = Fuzz::ScratchDir() / "Parameter.INI";
    Fuzz::WriteBytes(path, file);
    ProfileStore store(path);

    std::array<std::string, kProbes.size()> before;
    for (std::size_t i = 0; i < kProbes.size(); ++i) {
        before[i] = store.GetProfileStringA(kProbes[i].section, kProbes[i].entry, kDefault);
        // A read invents nothing: the default, or bytes the file holds.
        FUZZ_CHECK(before[i] == kDefault || file.find(before[i]) != std::string_view::npos);
        store.GetProfileIntA(kProbes[i].section, kProbes[i].entry, -1);
    }
    const std::string keyBefore = store.GetProfileStringA(key.section, key.entry, kDefault);
    FUZZ_CHECK(keyBefore == kDefault || file.find(keyBefore) != std::string_view::npos);

    if (!RoundTrips(key.section, key.entry, value))
        return 0;
    FUZZ_CHECK(store.WriteProfileStringA(key.section, key.entry, value));
    FUZZ_CHECK(store.GetProfileStringA(key.section, key.entry, kDefault) == value);

    // Every byte outside one line of the old file survives: the common head and tail of the two
    // files leave at most part of one line of the old file unaccounted for.
    const std::string after = Fuzz::ReadBytes(path);
    std::size_t nHead = 0;
    while (nHead < file.size() && nHead < after.size() && file[nHead] == after[nHead])
        ++nHead;
    std::size_t nTail = 0;
    while (nTail < file.size() - nHead && nTail < after.size() - nHead &&
           file[file.size() - 1 - nTail] == after[after.size() - 1 - nTail])
        ++nTail;
    const std::string_view replaced = file.substr(nHead, file.size() - nHead - nTail);
    FUZZ_CHECK(replaced.find('\n') == std::string_view::npos);

    // Other settings read as before.
    for (std::size_t i = 0; i < kProbes.size(); ++i) {
        if (SameName(kProbes[i].section, key.section) && SameName(kProbes[i].entry, key.entry))
            continue;
        FUZZ_CHECK(store.GetProfileStringA(kProbes[i].section, kProbes[i].entry, kDefault) ==
                   before[i]);
    }
    return 0;
}
