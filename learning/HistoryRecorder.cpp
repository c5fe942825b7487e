#include "learning/HistoryRecorder.h"

#include "learning/AnswerHistory.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "quiz/QuestionRecord.h"

#include <algorithm>
#include <cerrno>

namespace {

std::optional<std::filesystem::path> HistoryPath()
{
    return PathInCurrentDir(kHistoryFileName);
}

std::string TrimRight(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace

HistoryRecorder::HistoryRecorder(WallClock wallClock, SteadyClock steadyClock)
    : m_wallClock(std::move(wallClock)), m_steadyClock(std::move(steadyClock))
{
}

void HistoryRecorder::OnRoundStarted()
{
    m_bFullSaid = false;
    m_strRound = FormatLocalTime(m_wallClock());
}

void HistoryRecorder::OnQuestionShown()
{
    m_dShownAt = m_steadyClock();
}

void HistoryRecorder::OnJudged(const JudgedAnswer& answer)
{
    const QuestionRecord rec = SplitRecord(answer.strRecord);
    const std::string strTime = FormatLocalTime(m_wallClock());
    const std::string strFile = Cp932::ToUtf8(answer.strFile);
    const std::string strCode = Cp932::ToUtf8(rec.strCode);
    const std::string strQuestion = Cp932::ToUtf8(TrimRight(rec.strQuizQuestion));
    HistoryRow row;
    row.strTime = strTime;
    row.strFile = strFile;
    row.nRecord = answer.nRecord + 1;
    row.nFingerprint = RecordFingerprint(answer.strRecord);
    row.strCode = strCode;
    row.result = answer.result;
    row.dSeconds = std::max(0.0, m_steadyClock() - m_dShownAt);
    row.strRound = m_strRound;
    row.strQuestion = strQuestion;
    // A position question is marked as its answers are: '@' and the code pointed at, if any.
    const std::string strTyped =
        PositionCodes(rec) ? kPositionMark + answer.strTyped : answer.strTyped;
    row.strTyped = strTyped;
    row.nKey = QuestionKey(answer.strRecord);
    const std::optional<std::filesystem::path> path = HistoryPath();
    int nErrno = 0;
    if (path && AppendHistoryRow(*path, row, &nErrno))
        return;
    m_bWriteFailed = true;
    if (WriteErrorText(nErrno) == WriteErrorText(ENOSPC) && !m_bFullSaid) {
        m_bFullSaid = true;
        m_strNotice =
            Cp932::FromUtf8("解答の記録を保存できません（" + WriteErrorText(nErrno) + "）")
                .value_or(std::string());
    }
}

void HistoryRecorder::OnRoundEnded()
{
    // The lines are already with the system; a failed sync loses nothing a crash would not.
    if (const std::optional<std::filesystem::path> path = HistoryPath())
        SyncHistory(*path);
}
