#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The question editor's work on question files. Every call opens the file, does its work and
// closes it again, so no handle outlives one user action. Record numbers count from 1, as the
// editor lists them; indexes from 0.

enum class EditStatus
{
    Ok,
    OpenError,
    NotRegular, // a FIFO, device or folder in the file's place: never opened for the editor
    IoError
};

struct EditResult
{
    EditStatus status = EditStatus::Ok;
    std::string strError;      // the system's reason, on IoError
    std::int64_t nCount = 0;   // whole records in the file afterwards
    std::string strRecord;     // the bytes Read found
    std::uint64_t nLength = 0; // the file's length afterwards, on Count

    bool Ok() const { return status == EditStatus::Ok; }
};

namespace QuestionFile {

// Every operation on the configured file opens it for reading and writing without truncation,
// so a file that cannot be written cannot be browsed either.
EditResult Count(const std::filesystem::path& path);
// Up to 420 bytes: fewer when the record runs past the end of the file.
EditResult Read(const std::filesystem::path& path, std::int64_t nNumber);
// Appends after whatever the file holds, a partial tail included. A write that fails part-way
// is taken back, so a failed Add never leaves a broken record behind.
EditResult Append(const std::filesystem::path& path, std::string_view record);
EditResult Overwrite(const std::filesystem::path& path, std::int64_t nNumber,
                     std::string_view record);
// Rewrites the file with every whole record but one, in order, streaming through a temporary
// beside it that replaces the file only once it is complete and on disk.
EditResult Remove(const std::filesystem::path& path, std::int64_t nIndex);
// Appends three template records, creating the file when it is missing (taken back on failure
// like Append).
EditResult Create(const std::filesystem::path& path);

// Delete file refuses the configured question file and "ReadMe.txt": the chosen file's name
// without its extension, plus ".txt", compared byte for byte in cp932.
bool IsProtected(const std::filesystem::path& chosen, std::string_view configuredName);

} // namespace QuestionFile

// What the editor's fields hold, as cp932 bytes: as loaded from a record, as saved from the
// widgets, or as set back after a write.
struct EditMembers
{
    std::string strQuestion; // the question block, country code included
    std::array<std::string, 4> answers;
    int nCorrectAnswer = -1; // 0-3 answer 1-4; 4 the fifth, unused row; -1 none
};

// A chosen record: fields taken unchanged (a NUL ends the text); a record with no '*' keeps the
// correct answer from before.
void LoadMembers(EditMembers& members, std::string_view record);

// The record Add and Update write. Each answer is then set back to bytes 1-79 of its block, as
// written; the question stays as typed.
std::string WriteMembers(EditMembers& members);

// The bytes a field saves: its member's own bytes while the widget still shows what they read
// as (so a lone lead byte at a field's end survives), otherwise the shown text in cp932; empty
// when the text holds a character cp932 cannot represent.
std::optional<std::string> SavedFieldBytes(std::string_view member, std::string_view shownUtf8);
