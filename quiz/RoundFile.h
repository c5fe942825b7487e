#pragma once

#include "platform/File.h"
#include "quiz/QuestionRecord.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Why a draw found no whole record to show.
enum class DrawProblem
{
    None,
    OpenFailed,    // missing, not permitted, an unusable name
    NotRegular,    // a FIFO, socket, device or folder in the file's place
    NoRecord,      // shorter than one record
    PartialRecord, // a length that is not a whole number of records
    Changed,       // shortened, replaced, removed or unreadable since the round's last draw
    PastEnd,       // the record asked for is not in the file
};

// The question file as a round draws from it: opened for each draw, for reading only (a
// read-only file, a shared folder or a disc, plays), checked, one record read whole, closed. It
// remembers the file as the round last saw it, so a file changed under a running round is noticed
// at the next draw instead of giving blank questions. A file that grows (records appended) is the
// same file.
class RoundFile
{
  public:
    // A new round: the next Open takes whatever file it finds as the round's.
    void Reset()
    {
        m_seen.reset();
        m_bTailNoticed = false;
    }
    DrawProblem Open(const std::filesystem::path& path);
    // Whole records in the file Open accepted.
    std::int64_t Records() const { return RecordCount(m_nLength); }
    // The record at nIndex, all of its bytes, or why not; closes the file.
    DrawProblem Read(std::int64_t nIndex, std::string& record);
    // cp932: the open error the program always showed, then the file's name and the reason.
    std::string Message(DrawProblem problem, std::string_view cp932Name) const;
    // cp932: once a round, after an Open that found whole records followed by a few bytes that
    // make none, the notice that those bytes are left out; empty otherwise.
    std::string TakeTailNotice(std::string_view cp932Name);

  private:
    DrawProblem Refuse(DrawProblem problem);

    File m_file;
    std::optional<FileStamp> m_seen; // set once a draw of this round found the file usable
    std::filesystem::path m_seenPath;
    std::uint64_t m_nLength = 0;
    std::int64_t m_nIndex = 0;
    bool m_bTailNoticed = false;
};

// Texts every window shows about a question file, cp932.
std::string NotRegularText();
std::string LengthProblemText(LengthProblem problem, std::uint64_t nLength);
// A file name cut for a message box: at most about 200 bytes, on a character boundary.
std::string ShortName(std::string_view cp932Name);
