#pragma once

#include "learning/AnswerHistory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Leitner boxes per question (by QuestionIds, whatever file it was played from), replayed from
// the history in its order. A question starts in box 1; a wrong answer or a time-out puts it in
// box 1, a right one moves it up one box, to 5 at most. It is due again 0, 1, 3, 7 or 14 days
// (boxes 1 to 5) after the date of its last answer. Never answered: never due.
class ReviewSchedule
{
  public:
    static constexpr int kTopBox = 5;

    struct Card
    {
        int nBox = 1;
        std::int64_t nLastUtc = 0; // the last answer's instant
        std::int64_t nLastDay = 0; // and its local date
    };

    explicit ReviewSchedule(const std::vector<HistoryRow>& rows);

    static int DueAfterDays(int nBox);
    // By a question id (QuestionIds).
    std::optional<Card> CardOf(std::uint64_t nId) const;
    bool IsDue(std::uint64_t nId, std::int64_t nToday) const;
    // The id a record of a question file has here: its key once a keyed line answered it, else
    // its fingerprint (only lines written before keys answered it, or none).
    std::uint64_t IdOf(std::string_view record) const;

    // The due records of a question file, byte for byte, each question once: box 1 first,
    // then the longest unanswered; ties in file order. Empty when nothing is due.
    std::string DueRecords(std::string_view questionFile, std::int64_t nToday) const;

  private:
    std::unordered_map<std::uint64_t, Card> m_cards;
};
