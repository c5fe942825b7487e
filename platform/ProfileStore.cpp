#include "platform/ProfileStore.h"

#include "platform/AtomicFile.h"
#include "platform/File.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s)
{
    std::size_t b = s.find_first_not_of(kBlanks);
    if (b == std::string_view::npos)
        return {};
    std::size_t e = s.find_last_not_of(kBlanks);
    return s.substr(b, e - b + 1);
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

// One physical line: [begin, contentEnd) is the text, [contentEnd, end) its line end.
struct Line
{
    std::size_t nBegin, nContentEnd, nEnd;
};

std::vector<Line> SplitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t nl = text.find('\n', i);
        std::size_t end = nl == std::string_view::npos ? text.size() : nl + 1;
        std::size_t content = nl == std::string_view::npos ? text.size() : nl;
        if (content > i && text[content - 1] == '\r')
            --content;
        lines.push_back({i, content, end});
        i = end;
    }
    return lines;
}

std::optional<std::string_view> SectionName(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    std::size_t close = line.find(']');
    return Trim(
        line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct Located
{
    std::optional<std::size_t> section; // index of the section header line
    std::size_t nLastInSection = 0;     // last non-blank line of that section
    std::optional<std::size_t> entry;   // index of the entry line
    std::string_view value;
};

Located Locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
               std::string_view entry)
{
    Located found;
    bool bInside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line =
            text.substr(lines[i].nBegin, lines[i].nContentEnd - lines[i].nBegin);
        if (i == 0 && line.substr(0, kBom.size()) == kBom)
            line.remove_prefix(kBom.size());
        if (auto name = SectionName(line)) {
            if (bInside)
                break; // the first matching section wins
            bInside = EqualNoCase(*name, Trim(section));
            if (bInside) {
                found.section = i;
                found.nLastInSection = i;
            }
            continue;
        }
        if (!bInside)
            continue;
        std::string_view trimmed = Trim(line);
        if (!trimmed.empty())
            found.nLastInSection = i;
        if (trimmed.empty() || trimmed.front() == ';')
            continue;
        std::size_t eq = trimmed.find('=');
        if (eq == std::string_view::npos)
            continue;
        if (!found.entry && EqualNoCase(Trim(trimmed.substr(0, eq)), Trim(entry))) {
            found.entry = i;
            found.value = Trim(trimmed.substr(eq + 1));
        }
    }
    return found;
}

// What completes the file's last line before a line goes after it: nothing after a line end, a
// LF after a lone CR (a CR before a CRLF would become part of that line's value).
std::string_view MissingLineEnd(std::string_view text)
{
    if (text.empty() || text.back() == '\n')
        return {};
    return text.back() == '\r' ? "\n" : "\r\n";
}

std::optional<std::string> ReadWhole(const std::filesystem::path& path)
{
    if (path.empty())
        return std::nullopt;
    File file;
    std::string text;
    if (!file.Open(path, File::modeRead) || !file.Read(text, file.GetLength()))
        return std::nullopt;
    return text;
}

} // namespace

int ProfileStore::ParseInt(std::string_view text)
{
    text = Trim(text);
    bool bNegative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        bNegative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint32_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        n = n * 10u + static_cast<std::uint32_t>(c - '0');
    }
    if (bNegative)
        n = 0u - n;
    return static_cast<std::int32_t>(n);
}

std::optional<std::string> ProfileStore::Find(std::string_view section,
                                              std::string_view entry) const
{
    std::optional<std::string> text = ReadWhole(m_path);
    if (!text)
        return std::nullopt;
    Located found = Locate(*text, SplitLines(*text), section, entry);
    if (!found.entry)
        return std::nullopt;
    std::string_view value = found.value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string ProfileStore::GetProfileStringA(std::string_view section, std::string_view entry,
                                            std::string_view strDefault) const
{
    return Find(section, entry).value_or(std::string(strDefault));
}

int ProfileStore::GetProfileIntA(std::string_view section, std::string_view entry,
                                 int nDefault) const
{
    std::string value = GetProfileStringA(section, entry, {});
    if (value.empty())
        return nDefault;
    return ParseInt(value);
}

bool ProfileStore::WriteProfileInt(std::string_view section, std::string_view entry, int nValue)
{
    return WriteProfileStringA(section, entry, std::to_string(nValue));
}

namespace {

// Puts the entry into the file's text by the writing rules above.
void SetEntry(std::string& text, std::string_view section, std::string_view entry,
              std::string_view value)
{
    std::vector<Line> lines = SplitLines(text);
    Located found = Locate(text, lines, section, entry);
    std::string strEntryLine = std::string(Trim(entry)) + "=" + std::string(value);

    if (found.entry) {
        const Line& line = lines[*found.entry];
        std::string_view raw =
            std::string_view(text).substr(line.nBegin, line.nContentEnd - line.nBegin);
        // Keep the stored spelling of the name (and a byte-order mark before it).
        std::size_t nameBegin = raw.find_first_not_of(kBlanks);
        if (*found.entry == 0 && raw.substr(0, kBom.size()) == kBom)
            nameBegin = kBom.size() + raw.substr(kBom.size()).find_first_not_of(kBlanks);
        std::string_view name = Trim(raw.substr(nameBegin, raw.find('=') - nameBegin));
        std::string strNew =
            std::string(raw.substr(0, nameBegin)) + std::string(name) + "=" + std::string(value);
        text.replace(line.nBegin, line.nContentEnd - line.nBegin, strNew);
    } else if (found.section) {
        const Line& last = lines[found.nLastInSection];
        std::string strInsert(MissingLineEnd(std::string_view(text).substr(0, last.nEnd)));
        strInsert += strEntryLine + "\r\n";
        text.insert(last.nEnd, strInsert);
    } else {
        text += MissingLineEnd(text);
        text += '[';
        text += Trim(section);
        text += "]\r\n" + strEntryLine + "\r\n";
    }
}

} // namespace

bool ProfileStore::WriteProfileStringA(std::string_view section, std::string_view entry,
                                       std::string_view value)
{
    // A failed write leaves the old file; the callers that ask why use WriteEntries.
    return WriteEntries({{section, entry, std::string(value)}});
}

bool ProfileStore::WriteEntries(const std::vector<ProfileWrite>& entries, int* pErrno)
{
    if (pErrno)
        *pErrno = 0;
    if (m_path.empty())
        return false;
    std::error_code ec;
    std::string text;
    if (std::filesystem::exists(m_path, ec)) {
        std::optional<std::string> old = ReadWhole(m_path);
        if (!old)
            return false; // unreadable: never replace what cannot be kept
        text = std::move(*old);
    }
    for (const ProfileWrite& write : entries)
        SetEntry(text, write.section, write.entry, write.value);
    return WriteFileAtomically(m_path, text, nullptr, pErrno);
}
