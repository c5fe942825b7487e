#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

class ReviewSchedule;

enum class ReviewStatus
{
    NothingDue,
    Written,
    Failed
};

struct ReviewOutcome
{
    ReviewStatus status = ReviewStatus::NothingDue;
    std::string strName;  // cp932, as the settings store it; set when written
    std::string strError; // set when failed
};

struct StampedFile
{
    bool bWritten = false;
    std::string strName;  // cp932, as the settings store it; set when written
    std::string strError; // set when not written
};

// Writes bytes to a new file prefix + "YYYYMMDD-HHMM.txt" (local time) in the folder, or
// prefix + "YYYYMMDD-HHMM-2.txt" and so on when the name is taken: written beside it first and
// moved into place only under a name nobody holds, so no file is ever overwritten or left
// half-written. cp932Prefix ends with its "-".
StampedFile WriteStampedFile(const std::filesystem::path& folder, std::string_view cp932Prefix,
                             std::string_view bytes, std::time_t now);

// Writes the due records of a question file to a new file "復習-YYYYMMDD-HHMM.txt" in the
// folder as WriteStampedFile does. Nothing due: nothing written.
ReviewOutcome WriteReviewFile(const std::filesystem::path& folder, std::string_view questionFile,
                              const ReviewSchedule& schedule, std::time_t now);
