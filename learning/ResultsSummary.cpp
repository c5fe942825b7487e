#include "learning/ResultsSummary.h"

#include "facts/Facts.h"
#include "platform/Cp932.h"
#include "quiz/QuestionRecord.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace {

struct QuestionStats
{
    std::size_t nFirstRow = 0;
    std::size_t nLastRow = 0;
    int nKind = kKindOther;
    std::size_t nContinent = kContinentOther;
    int nMissed = 0;
    int nAnswers = 0;
    std::vector<std::string_view> wrongTyped; // oldest first
};

struct RoundStats
{
    int nAnswers = 0;
    int nCorrect = 0;
};

void Count(Tally& tally, const HistoryRow& row)
{
    ++tally.nAnswers;
    tally.nCorrect += row.result == AnswerResult::Correct;
    tally.dSeconds += row.dSeconds;
}

std::size_t ContinentOf(std::string_view code)
{
    const Facts::Country* pCountry = Facts::FindCountry(code);
    return pCountry ? Facts::ContinentIndex(pCountry->continent) : kContinentOther;
}

std::string ToCp932(std::string_view utf8)
{
    return Cp932::FromUtf8(utf8).value_or(std::string());
}

std::string NameOf(std::string_view code)
{
    const Facts::Country* pCountry = Facts::FindCountry(code);
    return ToCp932(pCountry && !pCountry->names.empty() ? pCountry->names[0] : code);
}

// Each pair of asked and pointed-at countries once, with its count, the most often first.
template <class Pointed> std::vector<Confusion> Confusions(const std::vector<Pointed>& pointed)
{
    struct Pair
    {
        std::string_view asked, pointed;
        int nTimes;
    };
    std::vector<Pair> pairs;
    std::map<std::pair<std::string_view, std::string_view>, std::size_t> index;
    for (const Pointed& p : pointed) {
        const auto [it, bNew] = index.try_emplace({p.asked, p.pointed}, pairs.size());
        if (bNew)
            pairs.push_back({p.asked, p.pointed, 0});
        ++pairs[it->second].nTimes;
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair& a, const Pair& b) { return a.nTimes > b.nTimes; });
    std::vector<Confusion> out;
    for (std::size_t i = 0; i < std::min(pairs.size(), ResultsSummary::kConfusions); ++i)
        out.push_back({NameOf(pairs[i].asked), NameOf(pairs[i].pointed), pairs[i].nTimes});
    return out;
}

} // namespace

QuestionKind KindOfQuestion(std::string_view q, std::string_view typed)
{
    if (typed.starts_with(kPositionMark))
        return kKindPosition;
    auto has = [&](std::string_view word) { return q.find(word) != std::string_view::npos; };
    if (has("国旗はどれ")) // before 首都: "首都がブラジリアの国の国旗はどれ？"
        return kKindFlag;
    if (has("首都"))
        return kKindCapital;
    if (has("地域"))
        return kKindRegion;
    if (has("公用語"))
        return kKindLanguage;
    if (has("どの国") || has("国名"))
        return kKindCountry;
    return kKindOther;
}

ResultsSummary SummarizeHistory(const std::vector<HistoryRow>& rows,
                                std::string_view currentFileUtf8)
{
    ResultsSummary sum;
    std::unordered_map<std::uint64_t, QuestionStats> questions;
    std::unordered_map<std::string_view, std::size_t> roundIndex;
    std::vector<RoundStats> rounds;
    std::unordered_set<std::string_view> currentRounds;
    struct Pointed
    {
        std::string_view asked, pointed;
    };
    std::vector<Pointed> pointed;

    const std::vector<std::uint64_t> ids = QuestionIds(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const HistoryRow& row = rows[i];
        const bool bCorrect = row.result == AnswerResult::Correct;
        auto [itRound, bNewRound] = roundIndex.try_emplace(row.strRound, rounds.size());
        if (bNewRound)
            rounds.emplace_back();
        RoundStats& round = rounds[itRound->second];
        ++round.nAnswers;
        round.nCorrect += bCorrect;

        Count(sum.all, row);
        if (row.strFile == currentFileUtf8) {
            Count(sum.current, row);
            currentRounds.insert(row.strRound);
        }

        auto [itQuestion, bNewQuestion] = questions.try_emplace(ids[i]);
        QuestionStats& q = itQuestion->second;
        if (bNewQuestion) {
            q.nFirstRow = i;
            q.nKind = KindOfQuestion(row.strQuestion, row.strTyped);
            q.nContinent = ContinentOf(row.strCode);
        }
        q.nLastRow = i;
        ++q.nAnswers;
        q.nMissed += !bCorrect;
        if (q.nKind == kKindPosition) {
            if (!bCorrect && row.strTyped.size() > 1)
                pointed.push_back({row.strCode, row.strTyped.substr(1)});
        } else if (!bCorrect && !row.strTyped.empty()) {
            q.wrongTyped.push_back(row.strTyped);
        }
        Count(sum.kinds[static_cast<std::size_t>(q.nKind)], row);
        Count(sum.continents[q.nContinent], row);
    }
    sum.all.nRounds = static_cast<int>(rounds.size());
    sum.current.nRounds = static_cast<int>(currentRounds.size());

    const std::size_t nFirstRecent =
        rounds.size() - std::min(rounds.size(), ResultsSummary::kRecentRounds);
    for (std::size_t i = nFirstRecent; i < rounds.size(); ++i)
        sum.recentRates.push_back(100.0 * rounds[i].nCorrect / rounds[i].nAnswers);

    std::vector<const QuestionStats*> missed;
    for (const auto& [nId, q] : questions)
        if (q.nMissed > 0)
            missed.push_back(&q);
    auto weaker = [](const QuestionStats* a, const QuestionStats* b) {
        if (a->nMissed != b->nMissed)
            return a->nMissed > b->nMissed;
        if (a->nAnswers - a->nMissed != b->nAnswers - b->nMissed)
            return a->nAnswers - a->nMissed < b->nAnswers - b->nMissed;
        return a->nFirstRow < b->nFirstRow;
    };
    const std::size_t nWeak = std::min(missed.size(), ResultsSummary::kWeakest);
    std::partial_sort(missed.begin(), missed.begin() + static_cast<std::ptrdiff_t>(nWeak),
                      missed.end(), weaker);
    for (std::size_t i = 0; i < nWeak; ++i) {
        const HistoryRow& last = rows[missed[i]->nLastRow];
        const Facts::Country* pCountry = Facts::FindCountry(last.strCode);
        WeakQuestion& weak = sum.weakest.emplace_back(
            WeakQuestion{ToCp932(last.strQuestion),
                         ToCp932(pCountry ? pCountry->names[0] : last.strCode),
                         missed[i]->nMissed,
                         missed[i]->nAnswers,
                         {}});
        const std::vector<std::string_view>& typed = missed[i]->wrongTyped;
        for (auto it = typed.rbegin();
             it != typed.rend() && weak.wrongTyped.size() < WeakQuestion::kSpellings; ++it)
            if (std::find(weak.wrongTyped.begin(), weak.wrongTyped.end(), *it) ==
                weak.wrongTyped.end())
                weak.wrongTyped.emplace_back(*it);
    }
    sum.confusions = Confusions(pointed);
    return sum;
}
