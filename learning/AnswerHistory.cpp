#include "learning/AnswerHistory.h"

#include "platform/File.h"
#include "platform/Tsv.h"

#include <charconv>
#include <cstdio>

const char* const kHistoryHeader =
    "time\tfile\trecord\tfingerprint\tcode\tresult\tseconds\tround\tquestion\ttyped\n";

namespace {

constexpr std::size_t kColumns = 10;
constexpr std::size_t kOldColumns = 9; // before typed
constexpr std::string_view kResultTexts[] = {"正解", "誤り", "時間切れ"};

std::string Field(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return out;
}

template <typename T, typename... Base>
bool ToNumber(std::string_view text, T& value, Base... nBase)
{
    const char* pEnd = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), pEnd, value, nBase...);
    return ec == std::errc() && p == pEnd && !text.empty();
}

} // namespace

std::uint64_t RecordFingerprint(std::string_view bytes)
{
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

std::string FormatHistoryLine(const HistoryRow& row)
{
    char fp[17];
    std::snprintf(fp, sizeof fp, "%016llx", static_cast<unsigned long long>(row.nFingerprint));
    char sec[320]; // "%.1f" of the largest double: a sign, 309 digits and ".0"
    std::snprintf(sec, sizeof sec, "%.1f", row.dSeconds);
    return Field(row.strTime) + '\t' + Field(row.strFile) + '\t' + std::to_string(row.nRecord) +
           '\t' + fp + '\t' + Field(row.strCode) + '\t' +
           std::string(kResultTexts[static_cast<int>(row.result)]) + '\t' + sec + '\t' +
           Field(row.strRound) + '\t' + Field(row.strQuestion) + '\t' + Field(row.strTyped) + '\n';
}

std::optional<HistoryRow> ParseHistoryLine(std::string_view line)
{
    std::string_view parts[kColumns + 1]; // typed is empty in a line of nine
    std::size_t n = 0;
    Tsv::ForEachField(line, [&](std::string_view field) {
        parts[n++] = field;
        return n <= kColumns; // one field too many is enough to refuse the line
    });
    if (n != kColumns && n != kOldColumns)
        return std::nullopt;
    HistoryRow row;
    int nResult = 0;
    while (nResult < 3 && parts[5] != kResultTexts[nResult])
        ++nResult;
    if (nResult == 3 || !ToNumber(parts[2], row.nRecord) ||
        !ToNumber(parts[3], row.nFingerprint, 16) || !ToNumber(parts[6], row.dSeconds))
        return std::nullopt;
    row.result = static_cast<AnswerResult>(nResult);
    row.strTime = parts[0];
    row.strFile = parts[1];
    row.strCode = parts[4];
    row.strRound = parts[7];
    row.strQuestion = parts[8];
    row.strTyped = parts[9];
    return row;
}

std::vector<HistoryRow> ParseHistory(std::string_view text)
{
    std::vector<HistoryRow> rows;
    rows.reserve(text.size() / 120);
    Tsv::LineReader lines(text);
    // A last line without its line end was cut short.
    for (std::string_view line; lines.Next(line) && lines.Ended();)
        if (std::optional<HistoryRow> row = ParseHistoryLine(line))
            rows.push_back(*row);
    return rows;
}

HistoryLog ReadHistory(const std::filesystem::path& path)
{
    auto text = std::make_shared<std::string>();
    File file;
    bool bNotRegular = false;
    if (file.Open(path, File::modeRead))
        file.Read(*text, file.GetLength()); // what a failed read got is still whole lines
    else
        bNotRegular = file.NotRegular();
    std::vector<HistoryRow> rows = ParseHistory(*text);
    return {std::move(text), std::move(rows), bNotRegular};
}

bool AppendHistoryRow(const std::filesystem::path& path, const HistoryRow& row, int* pErrno)
{
    File file;
    auto failed = [&] {
        if (pErrno)
            *pErrno = file.Errno();
        return false;
    };
    if (!file.Open(path, File::modeReadWrite | File::modeCreate | File::modeNoTruncate |
                             File::modeAppend | File::modeNoFollow))
        return failed();
    std::string text;
    const std::uint64_t nLength = file.GetLength();
    if (nLength == 0) {
        text = kHistoryHeader;
    } else {
        std::string last;
        if (file.Seek(nLength - 1) && file.Read(last, 1) && last != "\n")
            text = "\n";
    }
    text += FormatHistoryLine(row);
    if (file.Write(text))
        return true;
    // What went out is the file's end (appends go there): cut it off again, so no torn line
    // stays behind once there is space again.
    if (const std::uint64_t nWritten = file.Written(); nWritten > 0) {
        const int nErrno = file.Errno();
        if (const std::uint64_t nLength = file.GetLength(); nLength >= nWritten)
            file.SetLength(nLength - nWritten);
        if (pErrno)
            *pErrno = nErrno;
        return false;
    }
    return failed();
}

bool SyncHistory(const std::filesystem::path& path)
{
    File file;
    return file.Open(path, File::modeRead) && file.Flush();
}
