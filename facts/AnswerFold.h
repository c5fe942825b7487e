#pragma once

#include "facts/FactsTable.h"

#include <string>
#include <string_view>
#include <vector>

// How a learner's spelling of an answer is compared: two texts mean the same answer when their
// folded keys are equal. Shared by the typed answers of the quiz and by searches over the facts
// table, so both forgive the same things.
namespace AnswerFold {

// The key of a UTF-8 text:
// - width: full-width ASCII and the ideographic space as ASCII, half-width katakana and its
//   marks as full-width, a voicing mark (゛ ゜ ﾞ ﾟ or combining) joined to the kana before it;
// - ASCII letters in lower case, katakana as hiragana;
// - left out: spaces, long-vowel marks and dashes (ー ｰ - － ‐ ‑ ‒ – — ― −), middle dots and
//   full stops (・ ･ · . ．);
// - ヴ spellings as the usual ones: ヴァ バ, ヴィ ビ, ヴ ブ, ヴェ ベ, ヴォ ボ, ヴュ ビュ;
// - a 州 at the end after kana left out (アジア州 is アジア).
// Kanji and everything else stay as they are. Text that is only blanks, dashes and dots has
// the empty key. Bytes that are not UTF-8 count as U+FFFD each.
std::string Fold(std::string_view utf8);

// What a question about a country asks for.
enum class Kind
{
    Name,
    Capital,
    Region,   // its region, the other regions sources give, its 州 with and without 州
    Language, // each name of each official language
};

// Every text the table accepts for the country as the answer of that kind, as the table writes
// it (UTF-8, unfolded, each once): イギリス, 英国.
std::vector<std::string> Forms(const Facts::Country& country, Kind kind);

// A capital's name without the qualifier that sets it apart (ワシントンD.C. gives ワシントン), when
// the bare name is no country's name or capital in the table: typed, it names no other place.
std::vector<std::string> BareCapitals(const Facts::Table& table, const Facts::Country& country);

// Those, the bare capitals for a capital, and the readings of the ones written in kanji: 日本
// gives 日本, にほん, にっぽん.
std::vector<std::string> AcceptedForms(const Facts::Table& table, const Facts::Country& country,
                                       Kind kind);

} // namespace AnswerFold
