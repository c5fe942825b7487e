#include "zukan/DrillFile.h"

#include "quiz/QuestionRecord.h"

namespace {

const std::string kDrillPrefix = "\x90\x7d\x8a\xd3-"; // 図鑑- in cp932

} // namespace

std::string RecordsAbout(std::string_view questionFile, const std::set<std::string>& codes)
{
    std::string records;
    const std::int64_t nRecords = RecordCount(questionFile.size());
    for (std::int64_t i = 0; i < nRecords; ++i) {
        const std::string_view record = questionFile.substr(RecordOffset(i), kRecordSize);
        if (codes.contains(std::string(record.substr(0, kCodeSize))))
            records += record;
    }
    return records;
}

NewQuestionFile WriteDrillFile(ProfileStore& profile, const std::filesystem::path& folder,
                               std::string_view records, std::time_t now)
{
    return AdoptNewQuestionFile(profile, folder, kDrillPrefix, records, now);
}
