#include "zukan/LearnerRecord.h"

#include "learning/ReviewSchedule.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unordered_set>

namespace {

constexpr const char* kNeverAsked = "未出題";

bool Asked(const LearnerRecord* pRecord)
{
    return pRecord && pRecord->nAsked > 0;
}

std::string DateText(std::int64_t nDay)
{
    const std::chrono::year_month_day date{
        std::chrono::sys_days{std::chrono::days{static_cast<int>(nDay)}}};
    char sz[16];
    std::snprintf(sz, sizeof sz, "%04d/%02u/%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return sz;
}

} // namespace

std::unordered_map<std::string, LearnerRecord> LearnerRecords(const std::vector<HistoryRow>& rows)
{
    std::unordered_map<std::string, LearnerRecord> records;
    std::unordered_map<std::string, std::unordered_set<std::uint64_t>> questions;
    const std::vector<std::uint64_t> ids = QuestionIds(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const HistoryRow& row = rows[i];
        LearnerRecord& record = records[std::string(row.strCode)];
        ++record.nAsked;
        record.nCorrect += row.result == AnswerResult::Correct;
        record.strLastTime = row.strTime;
        record.lastResult = row.result;
        questions[std::string(row.strCode)].insert(ids[i]);
    }
    const ReviewSchedule schedule(rows);
    for (auto& [code, record] : records)
        for (std::uint64_t nId : questions[code])
            if (const auto card = schedule.CardOf(nId)) {
                const std::int64_t nDue = card->nLastDay + ReviewSchedule::DueAfterDays(card->nBox);
                record.nDueDay = std::min(record.nDueDay.value_or(nDue), nDue);
            }
    return records;
}

std::string AskedText(const LearnerRecord* pRecord)
{
    return Asked(pRecord) ? std::to_string(pRecord->nAsked) + "回" : kNeverAsked;
}

std::string RateText(const LearnerRecord* pRecord)
{
    if (!Asked(pRecord))
        return kNeverAsked;
    char sz[16];
    std::snprintf(sz, sizeof sz, "%.1f%%", 100.0 * pRecord->nCorrect / pRecord->nAsked);
    return sz + ("（" + std::to_string(pRecord->nCorrect) + "問正解）");
}

std::string LastAnswerText(const LearnerRecord* pRecord)
{
    if (!Asked(pRecord))
        return kNeverAsked;
    // "2026-12-08T19:03:11+09:00": the learner's own clock, to the minute.
    std::string strWhen = pRecord->strLastTime.substr(0, 16);
    std::replace(strWhen.begin(), strWhen.end(), '-', '/');
    std::replace(strWhen.begin(), strWhen.end(), 'T', ' ');
    return strWhen + " " + std::string(ResultText(pRecord->lastResult));
}

std::string DueText(const LearnerRecord* pRecord, std::int64_t nToday)
{
    if (!Asked(pRecord))
        return kNeverAsked;
    if (!pRecord->nDueDay)
        return "不明";
    if (*pRecord->nDueDay == nToday)
        return "今日（復習の時期です）";
    if (*pRecord->nDueDay < nToday)
        return DateText(*pRecord->nDueDay) + "から（復習の時期です）";
    return DateText(*pRecord->nDueDay);
}
