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
    IoError,
    NotWritable,   // readable, but the file or folder may not be written (nErrno says why)
    OutsideFolder, // the name leaves the folder (a directory part, ".."): never written
};

struct EditResult
{
    EditStatus status = EditStatus::Ok;
    std::string strError;      // the system's reason, on IoError
    std::int64_t nCount = 0;   // whole records in the file afterwards
    std::string strRecord;     // the bytes Read found
    std::uint64_t nLength = 0; // the file's length afterwards, on Count
    int nErrno = 0;            // the system's reason, on NotWritable and IoError

    bool Ok() const { return status == EditStatus::Ok; }
};

namespace QuestionFile {

// Browsing only reads, so a read-only file can be looked through.
EditResult Count(const std::filesystem::path& path);
// Up to 420 bytes: fewer when the record runs past the end of the file.
EditResult Read(const std::filesystem::path& path, std::int64_t nNumber);
// The writers refuse a link (never written through) and a file that may not be written, then
// stream the new contents through a temporary beside the file that replaces it only once it is
// complete and on disk: a crash or a full disk leaves the old file or the new, never a mix.
// Append adds the record after whatever the file holds, a partial tail included.
EditResult Append(const std::filesystem::path& path, std::string_view record);
// Record nNumber (from 1) replaced; every other byte kept. A number no longer in the file is an
// IoError and nothing is written.
EditResult Overwrite(const std::filesystem::path& path, std::int64_t nNumber,
                     std::string_view record);
// Every whole record but one, in order; a partial tail is left out.
EditResult Remove(const std::filesystem::path& path, std::int64_t nIndex);
// Appends three template records, creating the file when it is missing; a write that fails
// part-way is taken back. Never through a link.
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
