#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What an author should fix in a question file before the quiz or the editor meets it.
namespace QuestionCheck {

enum class Rule
{
    NoRecords,       // the file holds no whole record
    PartialTail,     // bytes after the last whole record
    NoMarker,        // no answer marked "*"
    SeveralMarkers,  // more than one "*"; the quiz takes the first
    OddMarker,       // a marker byte that is neither "*" nor a space
    UnknownCode,     // the first three bytes name no flag
    NulByte,         // the quiz's text ends at a NUL
    ControlByte,     // tab, line end or other control byte inside a record
    InvalidCp932,    // bytes that are no cp932 character
    CutCharacter,    // a text ends in the first byte of a two-byte character
    QuestionTooLong, // question byte 97 (record byte 100), which the quiz never shows
    AnswerTooLong,   // answer byte 79, which the editor's rewrite drops
    EmptyText,       // a question or answer that is only spaces
    SameAnswers,     // two answers with the same bytes
    NotTheFact,      // a generated question whose marked answer is not the facts table's
    WrongIsRight,    // a wrong answer that the facts table accepts for the country
    TypingMissed,    // a right answer that, typed, would be judged wrong
    TypingMatched,   // a wrong answer that, typed, would be judged right
    FlagNotAsked,    // a flag-choice question whose marked flag is not the record's country
    ClueNotFact,     // a flag-choice clue that names neither the country nor its capital
    PlaceNotAsked,   // a position question whose marked place is not the record's country
    PlaceNotCode,    // an answer "@..." beside others, that makes no position question
    ClueNotPlace,    // a position clue that neither names the country nor shows its flag
};

struct Problem
{
    Rule rule;
    std::int64_t nRecord;   // 1-based; 0 for the file as a whole
    std::string strMessage; // UTF-8, Japanese
};

std::vector<Problem> Check(std::string_view fileBytes);
// One whole record of 420 bytes, reported as record number nRecord.
std::vector<Problem> CheckRecord(std::string_view record, std::int64_t nRecord);

// "レコード 3: ..." or the message alone for the whole file.
std::string FormatProblem(const Problem& problem);

} // namespace QuestionCheck
