#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Facts {
struct Country;
}

// The 図鑑's list and search, without a window: every country of the facts table grouped by
// 州 (アジア, ヨーロッパ, アフリカ, 北アメリカ, 南アメリカ, オセアニア, then any other 州 the table
// names, in the order it first names them), within a 州 in the order of the names' readings.
// Texts are UTF-8, as the facts table holds them.
class ZukanIndex
{
  public:
    struct Entry
    {
        const Facts::Country* pCountry = nullptr;
        int nGroup = 0; // index into Groups()
    };

    explicit ZukanIndex(std::span<const Facts::Country> countries);

    // The 州 without 州, in list order.
    const std::vector<std::string_view>& Groups() const { return m_groups; }
    const std::vector<Entry>& Entries() const { return m_entries; }

    // Indices into Entries(), in list order, of the countries a search text finds: any part of
    // a name or capital, in katakana, hiragana or kanji; any part of the reading of a name or
    // capital written in kanji; the start of the three-letter code. Both sides are compared
    // folded as typed answers are (facts/AnswerFold.h): widths, kana, long vowels, dots and
    // spaces do not matter. Blank finds all.
    std::vector<int> Find(std::string_view utf8Query) const;

  private:
    std::vector<std::string_view> m_groups;
    std::vector<Entry> m_entries;
    std::vector<std::vector<std::string>> m_keys; // per entry, folded
};
