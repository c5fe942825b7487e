#include "questionfile/QuestionFileCheck.h"

#include "quiz/QuestionRecord.h"

#include <algorithm>

QuestionFileCheck CheckQuestionBytes(std::string_view bytes)
{
    QuestionFileCheck check;
    check.nLength = bytes.size();
    check.nRecords = RecordCount(bytes.size());
    if (check.nRecords == 0)
        check.problem = QuestionFileProblem::NoRecord;
    else if (bytes.size() % kRecordSize != 0)
        check.problem = QuestionFileProblem::PartialRecord;
    if (check.problem != QuestionFileProblem::None)
        return check;

    for (std::int64_t i = 0; i < check.nRecords; ++i) {
        const std::string_view record = bytes.substr(RecordOffset(i), kRecordSize);
        const auto nMarked =
            std::count_if(kMarkerOffsets.begin(), kMarkerOffsets.end(),
                          [&](std::size_t n) { return record[n] == kCorrectMarker; });
        if (nMarked != 1) {
            check.problem = QuestionFileProblem::Marker;
            check.nBadRecord = i + 1;
            break;
        }
    }
    return check;
}
