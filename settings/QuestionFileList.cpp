#include "settings/QuestionFileList.h"

#include "platform/Cp932.h"
#include "platform/File.h"
#include "quiz/QuestionRecord.h"
#include "quiz/RoundFile.h"

#include <algorithm>
#include <limits>

namespace QuestionFileList {
namespace {

unsigned char FoldAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

// Sort weight of one single-byte character: punctuation < digits < letters < everything else.
int Weight(unsigned char c)
{
    c = FoldAscii(c);
    if (c >= '0' && c <= '9')
        return 0x100 + c;
    if (c >= 'a' && c <= 'z')
        return 0x200 + c;
    if (c < 0x80)
        return c;
    return 0x300 + c; // half-width katakana and other non-ASCII single bytes
}

// Case-folded comparison that steps over cp932 characters, so a trail byte that happens to
// be an ASCII letter is compared as it is. Negative, zero or positive, like strcmp.
int CompareNoCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    while (i < a.size() && i < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        const bool bLeadA = Cp932::IsLeadByte(ca) && i + 1 < a.size();
        const bool bLeadB = Cp932::IsLeadByte(cb) && i + 1 < b.size();
        if (bLeadA != bLeadB)
            return bLeadA ? 1 : -1; // a double-byte character sorts after any single byte
        if (bLeadA) {
            const int nA = (ca << 8) | static_cast<unsigned char>(a[i + 1]);
            const int nB = (cb << 8) | static_cast<unsigned char>(b[i + 1]);
            if (nA != nB)
                return nA < nB ? -1 : 1;
            i += 2;
            continue;
        }
        const int nA = Weight(ca), nB = Weight(cb);
        if (nA != nB)
            return nA < nB ? -1 : 1;
        ++i;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool HasTxtExtension(std::string_view name)
{
    constexpr std::string_view kExt = ".txt";
    if (name.size() < kExt.size())
        return false;
    const std::string_view tail = name.substr(name.size() - kExt.size());
    return std::equal(tail.begin(), tail.end(), kExt.begin(), [](char x, char y) {
        return FoldAscii(static_cast<unsigned char>(x)) == static_cast<unsigned char>(y);
    });
}

} // namespace

std::vector<std::string> List(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string local = Utf8FromPath(it->path().filename());
        if (!HasTxtExtension(local))
            continue;
        // The type comes with the directory entry on most file systems: no extra status call.
        std::error_code ecType;
        if (it->is_directory(ecType))
            continue;
        std::optional<std::string> name = Cp932::FromUtf8(local);
        if (!name || *name == "ReadMe.txt")
            continue;
        names.push_back(std::move(*name));
    }
    Sort(names);
    return names;
}

bool ListBoxLess(std::string_view a, std::string_view b)
{
    const int n = CompareNoCase(a, b);
    return n != 0 ? n < 0 : a < b;
}

void Sort(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return ListBoxLess(a, b); });
}

std::optional<std::size_t> FindPrefix(const std::vector<std::string>& names,
                                      std::string_view prefix)
{
    if (prefix.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = names[i];
        if (name.size() >= prefix.size() &&
            CompareNoCase(name.substr(0, prefix.size()), prefix) == 0)
            return i;
    }
    return std::nullopt;
}

std::optional<std::int64_t> RecordsIn(const std::filesystem::path& file)
{
    std::uint64_t nSize = 0;
    if (KindOf(file, &nSize) != PathKind::Regular)
        return std::nullopt;
    return RecordCount(nSize);
}

std::string ProblemText(const std::filesystem::path& file)
{
    std::uint64_t nSize = 0;
    switch (KindOf(file, &nSize)) {
    case PathKind::Missing:
        break;
    case PathKind::Other:
        return NotRegularText();
    case PathKind::Regular:
        return LengthProblemText(CheckLength(nSize), nSize);
    }
    return {};
}

int CountSliderMax(std::optional<std::int64_t> records, int nStored)
{
    constexpr std::int64_t kMaxInt = std::numeric_limits<int>::max();
    if (records)
        return static_cast<int>(std::clamp<std::int64_t>(*records, 1, kMaxInt));
    return std::max(nStored, 1);
}

std::optional<int> CountToStore(int nPosition, std::optional<std::int64_t> records, int nStored,
                                bool bMoved)
{
    if (records && *records < 1)
        return std::nullopt;
    if (!bMoved)
        return nStored > nPosition ? std::nullopt : std::optional<int>(nPosition);
    if (!records)
        return nPosition;
    return static_cast<int>(std::min<std::int64_t>(nPosition, *records));
}

} // namespace QuestionFileList
