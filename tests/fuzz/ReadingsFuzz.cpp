// Kana and readings over any bytes, as the typed answers and search text will reach them:
// katakana becomes hiragana in place (same length, nothing else touched, a second pass changes
// nothing), a reading holds no katakana, and the table parser takes any text as both files.
// Input: the text.

#include "facts/Facts.h"
#include "facts/Kana.h"

#include "FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view text(reinterpret_cast<const char*>(pData), nSize);

    const std::string hiragana = Kana::ToHiragana(text);
    FUZZ_CHECK(hiragana.size() == text.size());
    FUZZ_CHECK(Kana::ToHiragana(hiragana) == hiragana);
    FUZZ_CHECK(Kana::HasKanji(hiragana) == Kana::HasKanji(text));
    if (Kana::IsReading(text))
        FUZZ_CHECK(hiragana == text && !Kana::HasKanji(text));

    for (const std::string& reading : Facts::Readings(text)) {
        FUZZ_CHECK(Kana::ToHiragana(reading) == reading);
        FUZZ_CHECK(!Kana::HasKanji(reading));
    }

    const Facts::Table table = Facts::Parse(text, text);
    for (const Facts::Country& c : table.countries)
        FUZZ_CHECK(!c.code.empty() && !c.names.empty() && !c.capitals.empty());
    for (const std::string& reading : Facts::ReadingsOf(table, text))
        FUZZ_CHECK(!Kana::HasKanji(reading));
    return 0;
}
