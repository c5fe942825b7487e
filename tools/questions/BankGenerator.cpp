#include "tools/questions/BankGenerator.h"

#include "facts/FactsTable.h"
#include "platform/Cp932.h"
#include "quiz/QuestionRecord.h"
#include "tools/questions/FieldText.h"
#include "tools/questions/FlagLikeness.h"
#include "tools/questions/Neighbours.h"
#include "tools/questions/Prng.h"
#include "tools/questions/QuestionTsv.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <set>
#include <tuple>

namespace BankGenerator {
namespace {

constexpr std::array<const char*, 4> kQuestionTexts = {
    "この国旗はどの国の国旗？",
    "この国旗の国の首都はどこ？",
    "この国旗の国は世界のどの地域にある？",
    "この国旗の国の公用語は？",
};
constexpr std::array<const char*, kKindCount> kKindNames = {"国名",   "首都", "地域",
                                                            "公用語", "国旗", "位置"};
constexpr std::size_t kMaxLanguagesShown = 4;
// Each country's questions stand this many places apart in the drill order, country name
// first, so that a flag is met again while it is still fresh.
constexpr std::size_t kLag = 3;

std::size_t Cp932Size(const std::string& utf8)
{
    std::optional<std::string> bytes = Cp932::FromUtf8(utf8);
    return bytes ? bytes->size() : std::string::npos;
}

std::string Join(const std::vector<Language>& languages, std::size_t nCount)
{
    std::string out;
    for (std::size_t i = 0; i < nCount; ++i)
        out += (i ? std::string(Facts::kLanguageSeparator) : "") + languages[i].names[0];
    return out;
}

// A possible answer; answers that share a key cannot stand beside each other.
struct Option
{
    std::string strText;
    std::vector<std::string> keys;
};

bool Compatible(const Option& a, const Option& b)
{
    if (a.strText == b.strText)
        return false;
    for (const std::string& key : a.keys)
        if (std::find(b.keys.begin(), b.keys.end(), key) != b.keys.end())
            return false;
    return true;
}

// The answer as a wrong choice for another country.
Option OptionFor(const Country& c, Kind kind)
{
    switch (kind) {
    case Kind::Country:
        return {c.strName, {c.strName}};
    case Kind::Capital:
        return {c.strCapital, {c.strCapital}};
    case Kind::Region:
        return {c.strRegion, {c.strRegion}};
    case Kind::Flag:
        return {c.strCode, {c.strCode}};
    case Kind::Position:
        return {PositionAnswer(c.strCode), {PositionAnswer(c.strCode)}};
    case Kind::Language:
        break;
    }
    Option option{LanguageAnswer(c), {}};
    for (const Language& language : c.languages)
        option.keys.insert(option.keys.end(), language.names.begin(), language.names.end());
    return option;
}

// True when the last three characters agree, as in 南アメリカ and 北アメリカ.
bool SameEnding(std::string_view a, std::string_view b)
{
    constexpr std::size_t kBytes = 9; // three kana in UTF-8
    return a.size() >= kBytes && b.size() >= kBytes &&
           a.substr(a.size() - kBytes) == b.substr(b.size() - kBytes);
}

// FNV-1a over the bytes given, continuing from nHash.
std::uint64_t Hash(std::uint64_t nHash, std::string_view bytes)
{
    for (char c : bytes) {
        nHash ^= static_cast<unsigned char>(c);
        nHash *= 0x100000001B3ULL;
    }
    return nHash;
}

// The start of one question's stream: nothing but the seed, the code and the kind goes in.
std::uint64_t QuestionStream(std::uint64_t nSeed, std::string_view code, Kind kind)
{
    std::string key(reinterpret_cast<const char*>(&nSeed), sizeof nSeed);
    key += code;
    key += static_cast<char>(kind);
    return Hash(0xCBF29CE484222325ULL, key);
}

// A tier: options of one kind, by their place in that kind's list.
using Tier = std::vector<std::size_t>;

// Orders a tier by each option's own draw from the question's stream, so that adding or
// removing a candidate moves no other.
void RankByDraw(Tier& tier, const std::vector<Option>& options, std::uint64_t nStream)
{
    std::vector<std::pair<std::uint64_t, std::size_t>> ranked;
    ranked.reserve(tier.size());
    for (std::size_t nOption : tier)
        ranked.emplace_back(Prng(Hash(nStream, options[nOption].strText)).Next(), nOption);
    std::sort(ranked.begin(), ranked.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first
                                  : options[a.second].strText < options[b.second].strText;
    });
    for (std::size_t i = 0; i < tier.size(); ++i)
        tier[i] = ranked[i].second;
}

class Builder
{
  public:
    Builder(const std::vector<Country>& countries, std::uint64_t nSeed,
            std::string_view strContinent)
        : m_countries(countries), m_nSeed(nSeed), m_strContinent(strContinent)
    {
    }

    BankResult Run();

  private:
    std::optional<Question> Make(std::size_t nCountry, Kind kind);
    const std::vector<Option>& Options(Kind kind);
    std::vector<Tier> Tiers(std::size_t nCountry, Kind kind);
    std::vector<Tier> RegionTiers(const Country& self);
    std::vector<Tier> FlagTiers(const Country& self);
    Tier NeighbourTier(const Country& self);

    const std::vector<Country>& m_countries;
    // Each country's answer of a kind as a wrong choice, made once a bank rather than once a
    // question.
    std::array<std::vector<Option>, kKindCount> m_options;
    std::uint64_t m_nSeed;
    std::string_view m_strContinent;
    std::string m_strError;
};

// The table's look-alikes, then every other flag; each tier most alike first, the code breaking
// ties. A flag the features table lacks goes last.
std::vector<Tier> Builder::FlagTiers(const Country& self)
{
    std::vector<std::vector<std::tuple<double, std::string_view, std::size_t>>> ranked(2);
    for (std::size_t i = 0; i < m_countries.size(); ++i) {
        const Country& c = m_countries[i];
        if (c.strCode == self.strCode)
            continue;
        const bool bLookAlike = std::find(self.similarFlags.begin(), self.similarFlags.end(),
                                          c.strCode) != self.similarFlags.end();
        ranked[bLookAlike ? 0 : 1].emplace_back(
            FlagLikeness::Distance(self.strCode, c.strCode)
                .value_or(std::numeric_limits<double>::infinity()),
            c.strCode, i);
    }
    std::vector<Tier> tiers;
    for (auto& tier : ranked) {
        std::sort(tier.begin(), tier.end());
        tiers.emplace_back();
        for (const auto& [dDistance, code, nCountry] : tier)
            tiers.back().push_back(nCountry);
    }
    return tiers;
}

// The neighbours the table lists that are among the countries given, borders first, in the
// table's order.
Tier Builder::NeighbourTier(const Country& self)
{
    Tier tier;
    const Neighbours::Entry* pEntry = Neighbours::Find(self.strCode);
    if (!pEntry)
        return tier;
    std::vector<std::string> listed = pEntry->borders;
    listed.insert(listed.end(), pEntry->nearest.begin(), pEntry->nearest.end());
    for (const std::string& code : listed) {
        auto it = std::find_if(m_countries.begin(), m_countries.end(),
                               [&](const Country& c) { return c.strCode == code; });
        if (it != m_countries.end())
            tier.push_back(static_cast<std::size_t>(it - m_countries.begin()));
    }
    return tier;
}

std::vector<Tier> Builder::RegionTiers(const Country& self)
{
    std::vector<Tier> tiers(3);
    std::set<std::string> seen = {self.strRegion};
    seen.insert(self.regionAlso.begin(), self.regionAlso.end());
    for (std::size_t i = 0; i < m_countries.size(); ++i) {
        const Country& c = m_countries[i];
        if (!seen.insert(c.strRegion).second)
            continue;
        std::size_t nTier = c.strContinent == self.strContinent ? 0
                            : SameEnding(c.strRegion, self.strRegion) ||
                                    SameEnding(c.strContinent, self.strContinent)
                                ? 1
                                : 2;
        tiers[nTier].push_back(i);
    }
    return tiers;
}

// Wrong answers from other countries, the most plausible first: look-alike flags for the
// country name, neighbours for the place, then the same region, then the same continent, then
// anywhere.
std::vector<Tier> Builder::Tiers(std::size_t nCountry, Kind kind)
{
    const Country& self = m_countries[nCountry];
    if (kind == Kind::Region)
        return RegionTiers(self);
    if (kind == Kind::Flag)
        return FlagTiers(self);
    std::vector<std::function<bool(const Country&)>> tests;
    if (kind == Kind::Country)
        tests.push_back([&](const Country& c) {
            return std::find(self.similarFlags.begin(), self.similarFlags.end(), c.strCode) !=
                   self.similarFlags.end();
        });
    tests.push_back([&](const Country& c) { return c.strRegion == self.strRegion; });
    tests.push_back([&](const Country& c) { return c.strContinent == self.strContinent; });
    tests.push_back([](const Country&) { return true; });

    std::vector<Tier> tiers(tests.size());
    if (kind == Kind::Position)
        tiers.insert(tiers.begin(), NeighbourTier(self));
    for (std::size_t i = 0; i < m_countries.size(); ++i) {
        if (i == nCountry)
            continue;
        for (std::size_t t = 0; t < tests.size(); ++t) {
            if (tests[t](m_countries[i])) {
                tiers[t].push_back(i);
                break;
            }
        }
    }
    return tiers;
}

std::optional<Question> Builder::Make(std::size_t nCountry, Kind kind)
{
    const Country& self = m_countries[nCountry];
    const std::uint64_t nStream = QuestionStream(m_nSeed, self.strCode, kind);
    Option correct = OptionFor(self, kind);
    correct.keys = AcceptedAnswers(self, kind);
    const std::vector<Option>& options = Options(kind);
    std::vector<const Option*> chosen = {&correct};
    std::vector<Tier> tiers = Tiers(nCountry, kind);
    for (std::size_t t = 0; t < tiers.size() && chosen.size() < 4; ++t) {
        Tier& tier = tiers[t];
        // Flags come ranked by likeness, neighbours by the border they share.
        if (kind != Kind::Flag && !(kind == Kind::Position && t == 0))
            RankByDraw(tier, options, nStream);
        for (std::size_t nOption : tier) {
            const Option& option = options[nOption];
            if (chosen.size() < 4 &&
                std::all_of(chosen.begin(), chosen.end(),
                            [&](const Option* o) { return Compatible(option, *o); }))
                chosen.push_back(&option);
        }
    }
    const std::string strWhere =
        self.strCode + " の" + kKindNames[static_cast<std::size_t>(kind)] + "の問題: ";
    if (chosen.size() < 4) {
        m_strError = strWhere + "誤答を 3 つ選べません（事実表の国が足りません）";
        return std::nullopt;
    }
    Question q{self.strCode,
               kind,
               kind == Kind::Flag ? FlagQuestion(self.strName)
               : kind == Kind::Position
                   ? PositionQuestion(self.strName)
                   : std::string(kQuestionTexts[static_cast<std::size_t>(kind)]),
               {},
               0};
    q.nCorrect = static_cast<int>(Prng(nStream).Below(4));
    std::size_t nWrong = 1;
    for (std::size_t i = 0; i < 4; ++i)
        q.answers[i] =
            static_cast<int>(i) == q.nCorrect ? correct.strText : chosen[nWrong++]->strText;
    if (Cp932Size(q.strQuestion) > kQuizQuestionSize) {
        m_strError =
            strWhere + "問題文「" + q.strQuestion + "」は cp932 で 96 バイトを超えるか表せません";
        return std::nullopt;
    }
    for (const std::string& answer : q.answers) {
        if (Cp932Size(answer) > kAnswerSize - 1) {
            m_strError =
                strWhere + "解答「" + answer + "」は cp932 で 78 バイトを超えるか表せません";
            return std::nullopt;
        }
    }
    return q;
}

const std::vector<Option>& Builder::Options(Kind kind)
{
    std::vector<Option>& options = m_options[static_cast<std::size_t>(kind)];
    if (options.empty())
        for (const Country& c : m_countries)
            options.push_back(OptionFor(c, kind));
    return options;
}

BankResult Builder::Run()
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < m_countries.size(); ++i)
        if (m_strContinent.empty() || m_countries[i].strContinent == m_strContinent)
            order.push_back(i);
    Prng(m_nSeed).Shuffle(order);

    // Slot of the k-th question of the p-th country in the drill: p + kLag * k. Within a slot the
    // kinds take turns leading, so no kind runs long. The order is no part of a question: the
    // history knows a question by its record's bytes alone.
    struct Placed
    {
        std::size_t nSlot;
        std::size_t nTurn;
        Question question;
    };
    std::vector<Placed> placed;
    for (std::size_t p = 0; p < order.size(); ++p) {
        for (std::size_t k = 0; k < kKindCount; ++k) {
            std::optional<Question> q = Make(order[p], static_cast<Kind>(k));
            if (!q)
                return {false, {}, m_strError};
            std::size_t nSlot = p + kLag * k;
            placed.push_back(
                {nSlot, (k + kKindCount - nSlot % kKindCount) % kKindCount, std::move(*q)});
        }
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.nSlot != b.nSlot ? a.nSlot < b.nSlot : a.nTurn < b.nTurn;
    });
    BankResult result{true, {}, {}};
    for (Placed& p : placed)
        result.questions.push_back(std::move(p.question));
    return result;
}

} // namespace

std::string_view QuestionText(Kind kind)
{
    return kind == Kind::Flag || kind == Kind::Position
               ? std::string_view()
               : kQuestionTexts[static_cast<std::size_t>(kind)];
}

std::string FlagQuestion(std::string_view strName)
{
    return std::string(strName) + "の国旗はどれ？";
}

std::string FlagQuestionByCapital(std::string_view strCapital)
{
    return "首都が" + std::string(strCapital) + "の国の国旗はどれ？";
}

std::string PositionQuestion(std::string_view strName)
{
    return std::string(strName) + "はどこ？";
}

std::string PositionAnswer(std::string_view strCode)
{
    return kPositionMark + std::string(strCode);
}

std::vector<std::string> AcceptedAnswers(const Country& c, Kind kind)
{
    std::vector<std::string> accepted;
    switch (kind) {
    case Kind::Country:
        accepted = {c.strName};
        accepted.insert(accepted.end(), c.otherNames.begin(), c.otherNames.end());
        break;
    case Kind::Capital:
        accepted = {c.strCapital};
        accepted.insert(accepted.end(), c.otherCapitals.begin(), c.otherCapitals.end());
        accepted.insert(accepted.end(), c.capitalAlso.begin(), c.capitalAlso.end());
        break;
    case Kind::Region:
        accepted = {c.strRegion, c.strContinent};
        accepted.insert(accepted.end(), c.regionAlso.begin(), c.regionAlso.end());
        break;
    case Kind::Language:
        for (const Language& language : c.languages)
            accepted.insert(accepted.end(), language.names.begin(), language.names.end());
        accepted.insert(accepted.end(), c.languagesAlso.begin(), c.languagesAlso.end());
        break;
    case Kind::Flag:
        accepted = {c.strCode};
        break;
    case Kind::Position:
        accepted = {PositionAnswer(c.strCode)};
        break;
    }
    return accepted;
}

std::string LanguageAnswer(const Country& country)
{
    const std::size_t n = country.languages.size();
    std::string all = Join(country.languages, n);
    if (n <= kMaxLanguagesShown && Cp932Size(all) <= kAnswerSize - 1)
        return all;
    return Join(country.languages, std::min<std::size_t>(n, 3)) + "など" + std::to_string(n) +
           "言語";
}

BankResult Generate(const std::vector<Country>& countries, std::uint64_t nSeed,
                    std::string_view strContinent)
{
    return Builder(countries, nSeed, strContinent).Run();
}

std::string ToImportTsv(const std::vector<Question>& questions)
{
    std::string out = std::string(QuestionTsv::kHeader) + "\n";
    for (const Question& q : questions) {
        out += q.strCode + "\t" + FieldText::EscapeUtf8(q.strQuestion);
        for (const std::string& answer : q.answers)
            out += "\t" + FieldText::EscapeUtf8(answer);
        out += "\t" + std::to_string(q.nCorrect + 1) + "\n";
    }
    return out;
}

} // namespace BankGenerator
