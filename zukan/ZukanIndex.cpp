#include "zukan/ZukanIndex.h"

#include "facts/AnswerFold.h"
#include "facts/FactsTable.h"
#include "facts/Kana.h"

#include <algorithm>

namespace {

// The name as the list sorts it: the first reading of a name written in kanji.
std::string SortKey(const Facts::Country& country)
{
    const std::string_view name = country.names.empty() ? country.code : country.names.front();
    for (const Facts::Reading& reading : country.readings)
        if (reading.text == name && !reading.kana.empty())
            return std::string(reading.kana.front());
    return Kana::ToHiragana(name);
}

std::vector<std::string> SearchKeys(const Facts::Country& country)
{
    std::vector<std::string> keys;
    for (std::string_view name : country.names)
        keys.push_back(AnswerFold::Fold(name));
    for (std::string_view capital : country.capitals)
        keys.push_back(AnswerFold::Fold(capital));
    for (std::string_view capital : country.capitalAlso) // a former capital finds its country
        keys.push_back(AnswerFold::Fold(capital));
    for (const Facts::Reading& reading : country.readings)
        for (std::string_view kana : reading.kana)
            keys.push_back(AnswerFold::Fold(kana));
    return keys;
}

} // namespace

ZukanIndex::ZukanIndex(std::span<const Facts::Country> countries)
    : m_groups(Facts::kContinents.begin(), Facts::kContinents.end())
{
    std::vector<std::pair<std::string, Entry>> sorted;
    for (const Facts::Country& country : countries) {
        auto it = std::find(m_groups.begin(), m_groups.end(), country.continent);
        if (it == m_groups.end())
            it = m_groups.insert(m_groups.end(), country.continent);
        sorted.push_back({SortKey(country), {&country, static_cast<int>(it - m_groups.begin())}});
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.second.nGroup != b.second.nGroup ? a.second.nGroup < b.second.nGroup
                                                  : a.first < b.first;
    });
    for (const auto& [key, entry] : sorted) {
        m_entries.push_back(entry);
        m_keys.push_back(SearchKeys(*entry.pCountry));
    }
}

std::vector<int> ZukanIndex::Find(std::string_view utf8Query) const
{
    const std::string query = AnswerFold::Fold(utf8Query);
    std::vector<int> found;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const auto& keys = m_keys[i];
        const bool bFound = query.empty() ||
                            AnswerFold::Fold(m_entries[i].pCountry->code).starts_with(query) ||
                            std::any_of(keys.begin(), keys.end(), [&](const std::string& key) {
                                return key.find(query) != std::string::npos;
                            });
        if (bFound)
            found.push_back(static_cast<int>(i));
    }
    return found;
}
