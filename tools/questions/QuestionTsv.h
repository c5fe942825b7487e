#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Question files as UTF-8 tab-separated text, one record per line, for authors who prefer a
// spreadsheet or a text editor. Export then import gives back every whole record byte for byte.
//
// The first line is the header below; then seven fields per record, escaped as FieldText says:
//   code      the record's bytes 0-2 when they are three printable ASCII characters; otherwise
//             empty, and the question field holds the whole 100-byte block (bytes 0-99)
//   question  bytes 3-99 (or 0-99 without a code)
//   answer1-4 the 79 bytes after each marker
//   correct   0 when no marker is "*", else the numbers of the answers marked "*" ("2", or "24"
//             for a record marked twice); when a marker byte is neither "*" nor a space, "=" and
//             the four marker bytes, each escaped, a space as \x20
// Trailing spaces are padding: export drops them and import pads again. Import takes LF or CRLF
// line ends, skips blank lines, any line whose first field is "code", and a UTF-8 byte order mark.
namespace QuestionTsv {

inline constexpr std::string_view kHeader =
    "code\tquestion\tanswer1\tanswer2\tanswer3\tanswer4\tcorrect";

struct ExportResult
{
    std::string strTsv; // header and one line per whole record, LF line ends
    std::size_t nRecords = 0;
    std::size_t nTailBytes = 0; // a partial record at the end, which has no line
};

ExportResult Export(std::string_view fileBytes);
std::string ExportRecord(std::string_view record); // 420 bytes, no line end

struct Diagnostic
{
    int nLine = 0;        // 1-based line of the TSV, 0 for the whole text
    std::string strField; // 国コード, 問題文, 解答1-4, 正解, or empty
    std::string strMessage;
    bool bError = true; // false: a warning, the record is still written
};

// "12 行目 解答3: ..." with "警告: " in front of a warning.
std::string FormatDiagnostic(const Diagnostic& diag);

struct ImportOptions
{
    // Cut text that is too long at a character boundary to the width the program keeps
    // (question 96 bytes, answers 78) with a warning, instead of failing.
    bool bCut = false;
};

struct ImportResult
{
    bool bOk = false; // no errors; strBytes is the question file
    std::string strBytes;
    std::size_t nRecords = 0;
    std::vector<Diagnostic> diagnostics;
};

// Text cp932 cannot hold, or longer than its field (question 97 bytes after a code or 100 as a
// whole block, answers 79), is an error naming line and field. Text that fits the field but not
// what the program shows or keeps (question byte 97, answer byte 79) is kept with a warning.
ImportResult Import(std::string_view tsv, const ImportOptions& options = {});

} // namespace QuestionTsv
