// Kana and readings over any bytes, as the typed answers and search text will reach them:
// katakana becomes hiragana in place (same length, nothing else touched, a second pass changes
// nothing), a reading holds no katakana, and the table parser takes any text as both files.
// The answer folding: a key folds to itself, and the text typed as a question's marked answer
// is right unless nothing of it is kept. Input: the text.

#include "facts/AnswerFold.h"
#include "facts/Facts.h"
#include "facts/Kana.h"
#include "typing/AnswerJudge.h"

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

    const std::string key = AnswerFold::Fold(text);
    FUZZ_CHECK(AnswerFold::Fold(key) == key);
    FUZZ_CHECK(key.find(' ') == std::string::npos);
    const Facts::Country* pCountry = Facts::FindCountry(text.substr(0, 3));
    const AnswerJudge::Verdict verdict = AnswerJudge::Judge(
        AnswerJudge::AcceptedAnswers(Facts::CompiledTable(), pCountry, text), text);
    FUZZ_CHECK(verdict ==
               (key.empty() ? AnswerJudge::Verdict::Empty : AnswerJudge::Verdict::Right));

    const Facts::Table table = Facts::Parse(text, text);
    for (const Facts::Country& c : table.countries)
        FUZZ_CHECK(!c.code.empty() && !c.names.empty() && !c.capitals.empty());
    for (const std::string& reading : Facts::ReadingsOf(table, text))
        FUZZ_CHECK(!Kana::HasKanji(reading));
    return 0;
}
