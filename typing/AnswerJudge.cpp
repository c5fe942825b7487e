#include "typing/AnswerJudge.h"

#include "facts/AnswerFold.h"
#include "facts/Kana.h"

#include <algorithm>
#include <array>

namespace AnswerJudge {
namespace {

using AnswerFold::Kind;

constexpr std::array<Kind, 3> kWholeKinds = {Kind::Name, Kind::Capital, Kind::Region};
constexpr std::string_view kListSeparator = "、";
constexpr std::string_view kEtc = "など";
constexpr std::string_view kLanguages = "言語";

bool Has(const std::vector<std::string>& keys, std::string_view key)
{
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::vector<std::string> Keys(const std::vector<std::string>& forms)
{
    std::vector<std::string> keys;
    for (const std::string& form : forms)
        if (std::string key = AnswerFold::Fold(form); !key.empty() && !Has(keys, key))
            keys.push_back(std::move(key));
    return keys;
}

// The parts between separators, empty ones left out.
std::vector<std::string_view> Split(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> parts;
    std::size_t nStart = 0;
    for (std::size_t n = 0; (n = text.find(separator, nStart)) != std::string_view::npos;
         nStart = n + separator.size())
        if (n > nStart)
            parts.push_back(text.substr(nStart, n - nStart));
    if (nStart < text.size())
        parts.push_back(text.substr(nStart));
    return parts;
}

// The language names of an answer: "英語、フランス語", or the first ones and a count,
// "英語、アフリカーンス語、ズールー語など12言語".
std::vector<std::string_view> LanguageNames(std::string_view answer)
{
    std::vector<std::string_view> names = Split(answer, kListSeparator);
    if (names.empty())
        return names;
    std::string_view& last = names.back();
    const std::size_t nEtc = last.rfind(kEtc);
    if (nEtc == std::string_view::npos || !last.ends_with(kLanguages))
        return names;
    std::string_view count = last.substr(nEtc + kEtc.size());
    count.remove_suffix(kLanguages.size());
    if (!count.empty() &&
        std::all_of(count.begin(), count.end(), [](char c) { return c >= '0' && c <= '9'; }))
        last = last.substr(0, nEtc);
    return names;
}

void AddAll(std::vector<std::string>& to, const std::vector<std::string>& keys)
{
    for (const std::string& key : keys)
        if (!Has(to, key))
            to.push_back(key);
}

} // namespace

Accepted AcceptedAnswers(const Facts::Table& table, const Facts::Country* country,
                         std::string_view starred)
{
    Accepted accepted;
    const std::string starredKey = AnswerFold::Fold(starred);
    if (starredKey.empty())
        return accepted;
    accepted.keys.push_back(starredKey);
    if (!country)
        return accepted;
    // The kinds are told by the forms as written; only a kind found is read.
    for (Kind kind : kWholeKinds)
        if (Has(Keys(AnswerFold::Forms(*country, kind)), starredKey))
            AddAll(accepted.keys, Keys(AnswerFold::AcceptedForms(table, *country, kind)));
    const std::vector<std::string> languages = Keys(AnswerFold::Forms(*country, Kind::Language));
    const std::vector<std::string_view> names = LanguageNames(starred);
    if (!names.empty() && std::all_of(names.begin(), names.end(), [&](std::string_view name) {
            return Has(languages, AnswerFold::Fold(name));
        })) {
        accepted.listItems = Keys(AnswerFold::AcceptedForms(table, *country, Kind::Language));
        AddAll(accepted.keys, accepted.listItems);
    }
    return accepted;
}

Verdict Judge(const Accepted& accepted, std::string_view typed)
{
    const std::string key = AnswerFold::Fold(typed);
    if (key.empty())
        return Verdict::Empty;
    if (Has(accepted.keys, key))
        return Verdict::Right;
    if (accepted.listItems.empty())
        return Verdict::Wrong;
    std::vector<std::string_view> items;
    for (std::string_view part : Split(key, kListSeparator))
        for (std::string_view item : Split(part, ","))
            items.push_back(item);
    const bool bAllListed = std::all_of(items.begin(), items.end(), [&](std::string_view item) {
        return Has(accepted.listItems, item);
    });
    return !items.empty() && bAllListed ? Verdict::Right : Verdict::Wrong;
}

std::string OtherForm(const Facts::Table& table, const Facts::Country* country,
                      std::string_view starred, std::string_view typed)
{
    const std::string key = AnswerFold::Fold(typed);
    const std::string starredKey = AnswerFold::Fold(starred);
    if (!country || key.empty() || key == starredKey)
        return {};
    // A form's keys: its own and those of its readings, the table's for names and capitals.
    auto names = [&](const std::string& form) {
        if (AnswerFold::Fold(form) == key)
            return true;
        if (!Kana::HasKanji(form))
            return false;
        std::vector<std::string> readings;
        const auto own = std::find_if(country->readings.begin(), country->readings.end(),
                                      [&](const Facts::Reading& r) { return r.text == form; });
        if (own != country->readings.end())
            readings.assign(own->kana.begin(), own->kana.end());
        else
            readings = Facts::ReadingsOf(table, form);
        return std::any_of(readings.begin(), readings.end(),
                           [&](const std::string& r) { return AnswerFold::Fold(r) == key; });
    };
    for (Kind kind : kWholeKinds) {
        std::vector<std::string> forms = AnswerFold::Forms(*country, kind);
        if (!Has(Keys(forms), starredKey))
            continue;
        if (kind == Kind::Capital)
            for (std::string& bare : AnswerFold::BareCapitals(table, *country))
                forms.push_back(std::move(bare));
        for (const std::string& form : forms)
            if (AnswerFold::Fold(form) != starredKey && names(form))
                return form;
    }
    return {};
}

} // namespace AnswerJudge
