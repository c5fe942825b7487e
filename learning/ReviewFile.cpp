#include "learning/ReviewFile.h"

#include "learning/LocalTime.h"
#include "learning/ReviewSchedule.h"
#include "platform/Cp932.h"
#include "platform/File.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    std::string strTemp = (folder / ".marelto-new-XXXXXX").string();
    const int fd = ::mkstemp(strTemp.data());
    if (fd < 0)
        return Failed("create", errno);
    int nErrno = 0;
    bool bWritten = WriteAllToFd(fd, bytes, nErrno);
    if (bWritten && ::fsync(fd) != 0) {
        bWritten = false;
        nErrno = errno;
    }
    ::fchmod(fd, 0644);
    ::close(fd);
    if (!bWritten) {
        ::unlink(strTemp.c_str());
        return Failed("write", nErrno);
    }

    const std::string strStem = std::string(cp932Prefix) + FormatStamp(now);
    for (int n = 1; n <= kMaxSuffix; ++n) {
        const std::string strName =
            strStem + (n == 1 ? std::string() : "-" + std::to_string(n)) + ".txt";
        const std::string strTarget = (folder / Cp932::ToUtf8(strName)).string();
        // Only to a free name: a file made under it meanwhile is never replaced.
        if (RenameNoReplace(strTemp, strTarget))
            return {true, strName, {}};
        if (errno != EEXIST) {
            const int nRenameErrno = errno;
            ::unlink(strTemp.c_str());
            return Failed("rename", nRenameErrno);
        }
    }
    ::unlink(strTemp.c_str());
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
