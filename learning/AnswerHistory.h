#pragma once

#include "quiz/IAnswerObserver.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The answer history, marelto-history.tsv in the current folder: UTF-8, tab-separated, one
// line per judged question after a header line naming the columns:
//   time      local time of the verdict, ISO 8601 with offset
//   file      the question file's name
//   record    the record's number in that file, from 1 as the editor counts
//   fingerprint  64-bit FNV-1a of the record's 420 bytes, 16 hex digits: an edited or moved
//                record is another question, a copied one (a review file's) the same
//   code      the country code, the record's first three bytes
//   result    正解, 誤り or 時間切れ
//   seconds   from the question's appearance to the verdict, one decimal
//   round     the time the round started; the lines of one round share it
//   question  the question text, so the results need no question file
//   typed     what the learner typed in the typing mode; empty for a chosen answer and a
//             time-out. A position question's is '@' and the code of the country pointed at
//             ("@ner"), '@' alone for a chosen answer, a time-out and a click on the sea. Lines
//             written before this column existed end with question and read as nothing typed.
//   key       what the question asks, 16 hex digits (QuestionKey): the same question keeps its
//             record when its wrong choices, padding or place in the file change. Lines written
//             before this column existed have none and stand for their exact record, or for the
//             question a keyed line with the same fingerprint names (QuestionIds).
// Tabs and line ends inside a field become spaces. Lines are only ever appended whole; a last
// line without its line end was cut short and is skipped, as is any line that does not parse.
inline constexpr const char* kHistoryFileName = "marelto-history.tsv";
extern const char* const kHistoryHeader; // with its line end

// The texts point into the line the row was read from or is made for.
struct HistoryRow
{
    std::string_view strTime;
    std::string_view strFile; // UTF-8
    int nRecord = 0;
    std::uint64_t nFingerprint = 0;
    std::string_view strCode;
    AnswerResult result = AnswerResult::Wrong;
    double dSeconds = 0;
    std::string_view strRound;
    std::string_view strQuestion; // UTF-8
    std::string_view strTyped;    // UTF-8
    std::uint64_t nKey = 0;       // 0 in a line written before the key column
};

// The rows of a history file, with the bytes their texts point into.
struct HistoryLog
{
    std::shared_ptr<const std::string> text;
    std::vector<HistoryRow> rows;
    bool bNotRegular = false; // a FIFO, device or folder stands in the file's place
};

std::uint64_t RecordFingerprint(std::string_view bytes);
// What a record asks: its code, its question text as the quiz shows it and its right answer,
// blanks around each left out. Wrong choices, padding and the right answer's place do not count.
std::uint64_t QuestionKey(std::string_view record);
// The question each row answered: its key; for a line written before keys, the key of a keyed
// line with the same fingerprint (the same record played since), else the fingerprint itself.
std::vector<std::uint64_t> QuestionIds(const std::vector<HistoryRow>& rows);

// One line with its line end.
// The result column's text (UTF-8): 正解, 誤り or 時間切れ, as the windows show it too.
std::string_view ResultText(AnswerResult result);

std::string FormatHistoryLine(const HistoryRow& row);
// A line without its line end; empty for the header and for anything that is not a whole row.
std::optional<HistoryRow> ParseHistoryLine(std::string_view line);
// The rows point into text.
std::vector<HistoryRow> ParseHistory(std::string_view text);
// No file reads as no rows; so does anything but a regular file, which is never waited on.
HistoryLog ReadHistory(const std::filesystem::path& path);

// Appends the line in one write, the header first when the file is new; a torn line left at
// the end by a crash gets its line end first, so the new line stays whole. False on failure,
// with the errno: a write cut short (a full disk) is taken back, and a link is never written
// through.
bool AppendHistoryRow(const std::filesystem::path& path, const HistoryRow& row,
                      int* pErrno = nullptr);
// Puts what was appended on the disk.
bool SyncHistory(const std::filesystem::path& path);
