#include "learning/ReviewFile.h"

#include "learning/LocalTime.h"
#include "learning/ReviewSchedule.h"
#include "platform/Cp932.h"
#include "platform/File.h"

#include <cerrno>
#include <cstring>

namespace {

const std::string kReviewPrefix = "\x95\x9c\x8f\x4b-"; // 復習- in cp932
constexpr int kMaxSuffix = 1000;

ReviewOutcome Failed(const char* szWhat, int nErrno)
{
    return {ReviewStatus::Failed, {}, std::string(szWhat) + ": " + std::strerror(nErrno)};
}

} // namespace

ReviewOutcome WriteReviewFile(const std::filesystem::path& folder, std::string_view questionFile,
                              const ReviewSchedule& schedule, std::time_t now)
{
    const std::string bytes = schedule.DueRecords(questionFile, LocalDay(now));
    if (bytes.empty())
        return {};

    const std::string strStem = kReviewPrefix + FormatStamp(now);
    for (int n = 1; n <= kMaxSuffix; ++n) {
        const std::string strName =
            strStem + (n == 1 ? std::string() : "-" + std::to_string(n)) + ".txt";
        // Only to a free name: a file made under it meanwhile is never replaced.
        CAtomicFile file;
        if (file.Open(folder / PathFromUtf8(Cp932::ToUtf8(strName))) && file.Write(bytes) &&
            file.CommitNew())
            return {ReviewStatus::Written, strName, {}};
        if (!file.TargetExisted())
            return {ReviewStatus::Failed, {}, file.Error()};
    }
    return Failed("rename", EEXIST);
}
