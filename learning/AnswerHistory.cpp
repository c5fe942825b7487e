#include "learning/AnswerHistory.h"

#include "platform/File.h"
#include "platform/Tsv.h"
#include "quiz/QuestionRecord.h"

#include <charconv>
#include <cstdio>
#include <unordered_map>

const char* const kHistoryHeader =
    "time\tfile\trecord\tfingerprint\tcode\tresult\tseconds\tround\tquestion\ttyped\tkey\n";

namespace {

constexpr std::size_t kColumns = 11;
constexpr std::size_t kUnkeyedColumns = 10; // before key
constexpr std::size_t kOldColumns = 9;      // before typed
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

constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;

std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t h = kFnvOffset)
{
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

std::string_view TrimBlanks(std::string_view text)
{
    const std::size_t nFirst = text.find_first_not_of(' ');
    if (nFirst == std::string_view::npos)
        return {};
    return text.substr(nFirst, text.find_last_not_of(' ') - nFirst + 1); // no trail byte is a blank
}

std::string Hex(std::uint64_t n)
{
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(n));
    return buf;
}

} // namespace

std::uint64_t RecordFingerprint(std::string_view bytes)
{
    return Fnv1a(bytes);
}

std::uint64_t QuestionKey(std::string_view record)
{
    const QuestionRecord rec = SplitRecord(record);
    // Each part ends with a NUL, which no part holds (a record's text ends at its first NUL).
    // The right answer is held here: a temporary inside the loop's list would die before the loop.
    const std::string strCorrect(rec.CorrectAnswer());
    std::uint64_t h = Fnv1a("question key");
    for (std::string_view part :
         {std::string_view(rec.strCode), TrimBlanks(rec.strQuizQuestion), TrimBlanks(strCorrect)})
        h = Fnv1a(std::string_view("\0", 1), Fnv1a(part, h));
    return h;
}

std::vector<std::uint64_t> QuestionIds(const std::vector<HistoryRow>& rows)
{
    std::unordered_map<std::uint64_t, std::uint64_t> keyOf; // fingerprint to key
    for (const HistoryRow& row : rows)
        if (row.nKey != 0)
            keyOf[row.nFingerprint] = row.nKey;
    std::vector<std::uint64_t> ids;
    ids.reserve(rows.size());
    for (const HistoryRow& row : rows) {
        const auto it = row.nKey != 0 ? keyOf.end() : keyOf.find(row.nFingerprint);
        ids.push_back(row.nKey != 0 ? row.nKey : it != keyOf.end() ? it->second : row.nFingerprint);
    }
    return ids;
}

std::string_view ResultText(AnswerResult result)
{
    return kResultTexts[static_cast<int>(result)];
}

std::string FormatHistoryLine(const HistoryRow& row)
{
    char sec[320]; // "%.1f" of the largest double: a sign, 309 digits and ".0"
    std::snprintf(sec, sizeof sec, "%.1f", row.dSeconds);
    return Field(row.strTime) + '\t' + Field(row.strFile) + '\t' + std::to_string(row.nRecord) +
           '\t' + Hex(row.nFingerprint) + '\t' + Field(row.strCode) + '\t' +
           std::string(ResultText(row.result)) + '\t' + sec + '\t' + Field(row.strRound) + '\t' +
           Field(row.strQuestion) + '\t' + Field(row.strTyped) + '\t' + Hex(row.nKey) + '\n';
}

std::optional<HistoryRow> ParseHistoryLine(std::string_view line)
{
    std::string_view parts[kColumns + 1]; // typed is empty in a line of nine, key in one of ten
    std::size_t n = 0;
    Tsv::ForEachField(line, [&](std::string_view field) {
        parts[n++] = field;
        return n <= kColumns; // one field too many is enough to refuse the line
    });
    if (n != kColumns && n != kUnkeyedColumns && n != kOldColumns)
        return std::nullopt;
    HistoryRow row;
    int nResult = 0;
    while (nResult < 3 && parts[5] != kResultTexts[nResult])
        ++nResult;
    if (nResult == 3 || !ToNumber(parts[2], row.nRecord) ||
        !ToNumber(parts[3], row.nFingerprint, 16) || !ToNumber(parts[6], row.dSeconds) ||
        (n == kColumns && !ToNumber(parts[10], row.nKey, 16)))
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
