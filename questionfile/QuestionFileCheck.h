#pragma once

#include <cstdint>
#include <string_view>

// Why a file cannot become the question file. The quiz and the editor read whatever bytes they
// find; these are the files on which they would show broken questions or none at all.
enum class QuestionFileProblem
{
    None,
    Unreadable,      // missing or not readable
    NotRegular,      // a FIFO, socket, device or folder: never opened
    NoRecord,        // shorter than one 420-byte record
    PartialRecord,   // a length that is not a whole number of records
    Marker,          // a record whose four markers hold no "*" or more than one
    NotTxt,          // a name without the ".txt" the question file lists look for
    ReservedName,    // "ReadMe.txt", which those lists leave out
    NameNotStorable, // a name Parameter.INI cannot hold as it stands (see ChooseQuestionFile)
    WriteFailed,     // the copy or Parameter.INI could not be written
};

struct QuestionFileCheck
{
    QuestionFileProblem problem = QuestionFileProblem::None;
    std::uint64_t nLength = 0;   // bytes, once the file was read
    std::int64_t nRecords = 0;   // whole records
    std::int64_t nBadRecord = 0; // 1-based number of the first record with a Marker problem
};

// The length and every record's four marker bytes: exactly one "*" each.
QuestionFileCheck CheckQuestionBytes(std::string_view bytes);
