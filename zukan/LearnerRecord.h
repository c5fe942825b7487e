#pragma once

#include "learning/AnswerHistory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// A learner's record of one country, from the answer history: every question asked about it,
// whatever the file or the kind of question.
struct LearnerRecord
{
    int nAsked = 0;
    int nCorrect = 0;
    std::string strLastTime; // the last verdict's time as the history gives it
    AnswerResult lastResult = AnswerResult::Wrong;
    // The first local date (days since 1970-01-01) on which one of its questions is due again
    // (learning/ReviewSchedule.h); empty when no answer has a readable time.
    std::optional<std::int64_t> nDueDay;
};

// By country code, from the rows in the history's order.
std::unordered_map<std::string, LearnerRecord> LearnerRecords(const std::vector<HistoryRow>& rows);

// The texts the 図鑑 shows, UTF-8. A record that is absent or has nothing asked reads 未出題
// in each of them.
std::string AskedText(const LearnerRecord* pRecord);      // "5回"
std::string RateText(const LearnerRecord* pRecord);       // "60.0%（3問正解）"
std::string LastAnswerText(const LearnerRecord* pRecord); // "2026/12/08 19:03 正解"
// As of the local date nToday: "2026/12/10", "今日（復習の時期です）" or, when it was due before,
// "2026/12/07から（復習の時期です）"; "不明" when no answer had a readable time.
std::string DueText(const LearnerRecord* pRecord, std::int64_t nToday);
