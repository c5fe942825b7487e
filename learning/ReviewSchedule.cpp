#include "learning/ReviewSchedule.h"

#include "platform/LocalTime.h"
#include "quiz/QuestionRecord.h"

#include <algorithm>
#include <array>
#include <unordered_set>

ReviewSchedule::ReviewSchedule(const std::vector<HistoryRow>& rows)
{
    const std::vector<std::uint64_t> ids = QuestionIds(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const HistoryRow& row = rows[i];
        const std::optional<LocalTime> when = ParseLocalTime(row.strTime);
        if (!when)
            continue;
        auto [it, bNew] = m_cards.try_emplace(ids[i]);
        Card& card = it->second;
        card.nBox = row.result == AnswerResult::Correct ? std::min(card.nBox + 1, kTopBox) : 1;
        card.nLastUtc = when->nUtc;
        card.nLastDay = when->nDay;
    }
}

int ReviewSchedule::DueAfterDays(int nBox)
{
    static constexpr std::array<int, kTopBox> kDays = {0, 1, 3, 7, 14};
    return kDays[static_cast<std::size_t>(std::clamp(nBox, 1, kTopBox) - 1)];
}

std::optional<ReviewSchedule::Card> ReviewSchedule::CardOf(std::uint64_t nId) const
{
    const auto it = m_cards.find(nId);
    if (it == m_cards.end())
        return std::nullopt;
    return it->second;
}

bool ReviewSchedule::IsDue(std::uint64_t nId, std::int64_t nToday) const
{
    const std::optional<Card> card = CardOf(nId);
    return card && nToday - card->nLastDay >= DueAfterDays(card->nBox);
}

std::uint64_t ReviewSchedule::IdOf(std::string_view record) const
{
    const std::uint64_t nKey = QuestionKey(record);
    return m_cards.count(nKey) ? nKey : RecordFingerprint(record);
}

std::string ReviewSchedule::DueRecords(std::string_view questionFile, std::int64_t nToday) const
{
    struct Due
    {
        std::string_view bytes;
        Card card;
    };
    std::vector<Due> due;
    std::unordered_set<std::uint64_t> seen;
    const std::int64_t nRecords = RecordCount(questionFile.size());
    for (std::int64_t i = 0; i < nRecords; ++i) {
        const std::string_view bytes = questionFile.substr(RecordOffset(i), kRecordSize);
        const std::uint64_t nId = IdOf(bytes);
        if (IsDue(nId, nToday) && seen.insert(nId).second)
            due.push_back({bytes, *CardOf(nId)});
    }
    std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) {
        if ((a.card.nBox == 1) != (b.card.nBox == 1))
            return a.card.nBox == 1;
        return a.card.nLastUtc < b.card.nLastUtc;
    });
    std::string out;
    out.reserve(due.size() * kRecordSize);
    for (const Due& d : due)
        out += d.bytes;
    return out;
}
