#include "learning/ReviewFile.h"

#include "learning/ReviewSchedule.h"
#include "platform/LocalTime.h"

namespace {

const std::string kReviewPrefix = "\x95\x9c\x8f\x4b-"; // 復習- in cp932

} // namespace

std::optional<NewQuestionFile> WriteReviewFile(ProfileStore& profile,
                                               const std::filesystem::path& folder,
                                               std::string_view questionFile,
                                               const ReviewSchedule& schedule, std::time_t now)
{
    const std::string bytes = schedule.DueRecords(questionFile, LocalDay(now));
    if (bytes.empty())
        return std::nullopt;
    return AdoptNewQuestionFile(profile, folder, kReviewPrefix, bytes, now);
}
