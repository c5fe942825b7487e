// The answer history as the results window and the review read it: any bytes in
// marelto-history.tsv give rows whose texts lie inside those bytes, hold no tab or line end and
// come back when written and read again (a CR inside a field as a space); the file reader finds the
// same rows; the summary and the review schedule take any rows, and the wrong spellings the
// summary shows for a weak question were typed in rows judged wrong.
//
// Input: the history file's bytes. Its length also picks the day the review is asked for.

#include "learning/AnswerHistory.h"
#include "learning/ResultsSummary.h"
#include "learning/ReviewSchedule.h"

#include "FuzzSupport.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool Inside(std::string_view part, std::string_view whole)
{
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

bool Clean(std::string_view field)
{
    return field.find_first_of("\t\n") == std::string_view::npos;
}

// A field as a line keeps it: a CR inside becomes a space, as tabs and line ends do.
std::string Spaced(std::string_view field)
{
    std::string out(field);
    std::replace(out.begin(), out.end(), '\r', ' ');
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view data(reinterpret_cast<const char*>(pData), nSize);
    const std::vector<HistoryRow> rows = ParseHistory(data);
    FUZZ_CHECK(rows.size() <= static_cast<std::size_t>(std::count(data.begin(), data.end(), '\n')));
    for (const HistoryRow& row : rows) {
        for (std::string_view field :
             {row.strTime, row.strFile, row.strCode, row.strRound, row.strQuestion, row.strTyped}) {
            FUZZ_CHECK(Inside(field, data));
            FUZZ_CHECK(Clean(field));
        }
        const std::string line = FormatHistoryLine(row);
        FUZZ_CHECK(line.back() == '\n');
        const std::optional<HistoryRow> again =
            ParseHistoryLine(std::string_view(line).substr(0, line.size() - 1));
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(again->strTime == Spaced(row.strTime) && again->strFile == Spaced(row.strFile));
        FUZZ_CHECK(again->nRecord == row.nRecord && again->nFingerprint == row.nFingerprint);
        FUZZ_CHECK(again->strCode == Spaced(row.strCode) && again->result == row.result);
        FUZZ_CHECK(again->strRound == Spaced(row.strRound) &&
                   again->strQuestion == Spaced(row.strQuestion) &&
                   again->strTyped == Spaced(row.strTyped));
        FUZZ_CHECK(FormatHistoryLine(*again) == line);
    }

    const std::filesystem::path file = Fuzz::ScratchDir() / kHistoryFileName;
    Fuzz::WriteBytes(file, data);
    const HistoryLog log = ReadHistory(file);
    FUZZ_CHECK(!log.bNotRegular && *log.text == data && log.rows.size() == rows.size());

    const ResultsSummary sum = SummarizeHistory(log.rows, "sample0524.txt");
    FUZZ_CHECK(sum.weakest.size() <= rows.size());
    // Each wrong spelling shown is one typed in a row judged wrong, once.
    auto typedWrong = [&](std::string_view spelling) {
        return std::any_of(rows.begin(), rows.end(), [&](const HistoryRow& row) {
            return row.result != AnswerResult::Correct && row.strTyped == spelling;
        });
    };
    for (const WeakQuestion& weak : sum.weakest) {
        FUZZ_CHECK(weak.wrongTyped.size() <= WeakQuestion::kSpellings);
        for (std::size_t i = 0; i < weak.wrongTyped.size(); ++i) {
            FUZZ_CHECK(!weak.wrongTyped[i].empty() && typedWrong(weak.wrongTyped[i]));
            FUZZ_CHECK(std::count(weak.wrongTyped.begin(), weak.wrongTyped.end(),
                                  weak.wrongTyped[i]) == 1);
        }
    }
    const ReviewSchedule schedule(log.rows);
    const std::string due = schedule.DueRecords(data, static_cast<std::int64_t>(nSize % 40000));
    FUZZ_CHECK(due.size() <= data.size() && due.size() % 420 == 0);
    return 0;
}
