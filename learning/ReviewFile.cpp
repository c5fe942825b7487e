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

StampedFile Failed(const char* szWhat, int nErrno)
{
    return {false, {}, std::string(szWhat) + ": " + std::strerror(nErrno)};
}

} // namespace

StampedFile WriteStampedFile(const std::filesystem::path& folder, std::string_view cp932Prefix,
                             std::string_view bytes, std::time_t now)
{
    const std::string strStem = std::string(cp932Prefix) + FormatStamp(now);
    for (int n = 1; n <= kMaxSuffix; ++n) {
        const std::string strName =
            strStem + (n == 1 ? std::string() : "-" + std::to_string(n)) + ".txt";
        // Only to a free name: a file made under it meanwhile is never replaced.
        CAtomicFile file;
        if (file.Open(folder / PathFromUtf8(Cp932::ToUtf8(strName))) && file.Write(bytes) &&
            file.CommitNew())
            return {true, strName, {}};
        if (!file.TargetExisted())
            return {false, {}, file.Error()};
    }
    return Failed("rename", EEXIST);
}

ReviewOutcome WriteReviewFile(const std::filesystem::path& folder, std::string_view questionFile,
                              const ReviewSchedule& schedule, std::time_t now)
{
    const std::string bytes = schedule.DueRecords(questionFile, LocalDay(now));
    if (bytes.empty())
        return {};
    StampedFile file = WriteStampedFile(folder, kReviewPrefix, bytes, now);
    if (!file.bWritten)
        return {ReviewStatus::Failed, {}, std::move(file.strError)};
    return {ReviewStatus::Written, std::move(file.strName), {}};
}
