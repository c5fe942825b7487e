#pragma once

#include "facts/FactsTable.h"
#include "learning/AnswerHistory.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// What the results window shows, gathered from the history in one pass.
struct Tally
{
    int nRounds = 0;
    int nAnswers = 0;
    int nCorrect = 0;
    double dSeconds = 0;

    double Rate() const { return nAnswers ? 100.0 * nCorrect / nAnswers : 0; }
    double AverageSeconds() const { return nAnswers ? dSeconds / nAnswers : 0; }
};

// 国名, 首都, 地域, 公用語 by what the question asks, 国旗 for a flag-choice question ("…の国旗は
// どれ？", whatever its clue names), 位置 for a position question (its history line's typed
// column starts with '@'); その他 for anything else.
enum QuestionKind
{
    kKindCountry,
    kKindCapital,
    kKindRegion,
    kKindLanguage,
    kKindFlag,
    kKindPosition,
    kKindOther,
    kKindCount
};
QuestionKind KindOfQuestion(std::string_view utf8Question, std::string_view utf8Typed = {});

// By 州 (Facts::kContinents), then the codes the facts table does not know.
inline constexpr std::size_t kContinentOther = Facts::kContinents.size();

struct WeakQuestion
{
    std::string strQuestion; // cp932
    std::string strCountry;  // cp932: the country's name, or its code when the table lacks it
    int nMissed = 0;
    int nAnswers = 0;
    // What was typed for it when it was wrong, the latest first, each spelling once, at most
    // kSpellings. UTF-8: typed text may hold characters cp932 lacks.
    std::vector<std::string> wrongTyped;
    static constexpr std::size_t kSpellings = 5;
};

// A country pointed at for another, in the pointing mode: 「チャド → ニジェール 3回」.
struct Confusion
{
    std::string strAsked; // cp932 names, or codes the facts table lacks
    std::string strPointed;
    int nTimes = 0;
};

struct ResultsSummary
{
    static constexpr std::size_t kRecentRounds = 30;
    static constexpr std::size_t kWeakest = 20;
    static constexpr std::size_t kConfusions = 20;

    Tally current; // the current question file
    Tally all;
    std::array<Tally, kKindCount> kinds;
    std::array<Tally, kContinentOther + 1> continents;
    std::vector<double> recentRates; // percent per round, oldest first
    // Most missed first; then fewer right answers; then the earlier answered.
    std::vector<WeakQuestion> weakest;
    // Most often first; then the earlier.
    std::vector<Confusion> confusions;
};

ResultsSummary SummarizeHistory(const std::vector<HistoryRow>& rows,
                                std::string_view currentFileUtf8);
