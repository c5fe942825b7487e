#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Kana and kanji in UTF-8 text, as far as the readings of the facts table need them.
namespace Kana {

// The character at nPos, moving nPos past it; a byte that starts no valid sequence reads as
// U+FFFD and is passed alone, so any bytes can be walked.
char32_t Next(std::string_view utf8, std::size_t& nPos);

// A CJK unified or compatibility ideograph, or 々.
bool IsKanji(char32_t c);

// c appended in UTF-8.
void Append(std::string& out, char32_t c);

bool HasKanji(std::string_view utf8);

// Katakana as hiragana (ブラジル: ぶらじる); everything else, ー and ・ among it, as it is.
std::string ToHiragana(std::string_view utf8);

// True for a non-empty text of hiragana and ー only: the form a reading is written in.
bool IsReading(std::string_view utf8);

} // namespace Kana
