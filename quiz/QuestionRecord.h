#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A question file is an unbroken run of 420-byte records of cp932 text, space-padded,
// with no header and no line ends. Every width here counts bytes.
inline constexpr std::size_t kRecordSize = 420;
inline constexpr std::size_t kCodeSize = 3;
inline constexpr std::size_t kQuestionBlockSize = 100;
inline constexpr std::size_t kQuizQuestionOffset = 3;
inline constexpr std::size_t kQuizQuestionSize = 96; // the quiz never shows byte 99
inline constexpr std::size_t kAnswerBlockSize = 80;
inline constexpr std::size_t kAnswerSize = 79;
inline constexpr std::array<std::size_t, 4> kMarkerOffsets = {100, 180, 260, 340};
inline constexpr char kCorrectMarker = '*';

// Whole records in a file of the given length; bytes after the last one belong to none.
std::int64_t RecordCount(std::uint64_t nFileLength);
std::uint64_t RecordOffset(std::int64_t nIndex);

// A file no question can come from whole: no record at all, or a tail that is no record.
enum class LengthProblem
{
    None,
    NoRecord,
    PartialRecord,
};
LengthProblem CheckLength(std::uint64_t nFileLength);

struct QuestionRecord
{
    std::string strCode;         // bytes 0-2
    std::string strBlock;        // bytes 0-99, as the editor shows it
    std::string strQuizQuestion; // bytes 3-98, as the quiz shows it
    std::array<char, 4> markers{' ', ' ', ' ', ' '};
    std::array<std::string, 4> answers; // 79 bytes each after the marker

    // 0-3: the first stored answer marked '*'; empty when none is.
    std::optional<int> CorrectIndex() const;
    // That answer without its blank padding; empty when none is marked.
    std::string CorrectAnswer() const;
};

// Splits up to 420 bytes. The text ends at a NUL or at the end of the bytes given: fields past
// that come out short or empty, never filled with bytes that were not there.
QuestionRecord SplitRecord(std::string_view bytes);

// The writers' blocks: the question cut to 100 bytes and space-padded; the marker and answer
// cut together to 79 bytes and padded to 80, so an answer keeps at most 78 bytes.
std::string ComposeQuestionBlock(std::string_view question);
std::string ComposeAnswerBlock(std::string_view answer, bool bCorrect);
// nCorrect 0-3 marks that answer; any other value marks none.
std::string ComposeRecord(std::string_view question, const std::array<std::string, 4>& answers,
                          int nCorrect);

// A record is a flag-choice question exactly when each of its four answer fields is a code of
// the flag catalogue: three lower-case ASCII letters the catalogue knows, then blanks to the
// field's end. The codes in stored order then; empty for a text question, as every other record
// is (one unknown code, a short record or one letter more makes it text).
std::optional<std::array<std::string, 4>> FlagChoiceCodes(const QuestionRecord& record);

// A record is a position question, answered on the map, exactly when each of its four answer
// fields is '@' and a code of the flag catalogue, then blanks to the field's end. The codes
// (without '@') in stored order then; empty for every other record.
inline constexpr char kPositionMark = '@';
std::optional<std::array<std::string, 4>> PositionCodes(const QuestionRecord& record);

// One record of a new question file: "テスト問題" and 解答1-4, the first marked correct.
std::string TemplateRecord();
