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

// Writes the due records of a question file to a new file "復習-YYYYMMDD-HHMM.txt" in the
// folder, or "復習-YYYYMMDD-HHMM-2.txt" and so on when the name is taken: written beside it
// first and moved into place only under a name nobody holds, so no file is ever overwritten or
// left half-written. Nothing due: nothing written.
ReviewOutcome WriteReviewFile(const std::filesystem::path& folder, std::string_view questionFile,
                              const ReviewSchedule& schedule, std::time_t now);
