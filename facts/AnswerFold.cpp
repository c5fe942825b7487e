#include "facts/AnswerFold.h"

#include "facts/Kana.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace AnswerFold {
namespace {

constexpr char32_t kVoiced = 0x3099;     // combining ゛
constexpr char32_t kSemiVoiced = 0x309A; // combining ゜
constexpr char32_t kHiraganaVu = 0x3094; // ゔ
constexpr char32_t kState = 0x5DDE;      // 州

// Half-width katakana U+FF66 to U+FF9D as NFKC writes them.
constexpr std::u16string_view kHalfWidthKana =
    u"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
    u"ヤユヨラリルレロワン";

// NFKC for the characters a Japanese keyboard gives in two widths.
char32_t Narrow(char32_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E)
        return c - 0xFEE0;
    if (c >= 0xFF66 && c <= 0xFF9D)
        return kHalfWidthKana[c - 0xFF66];
    switch (c) {
    case 0x3000:
        return U' ';
    case 0xFF61:
        return 0x3002; // 。
    case 0xFF62:
        return 0x300C; // 「
    case 0xFF63:
        return 0x300D; // 」
    case 0xFF64:
        return 0x3001; // 、
    case 0xFF65:
        return 0x30FB; // ・
    case 0xFF9E:
    case 0x309B:
        return kVoiced;
    case 0xFF9F:
    case 0x309C:
        return kSemiVoiced;
    default:
        return c;
    }
}

bool IsHiragana(char32_t c)
{
    return c >= 0x3041 && c <= 0x3096;
}

// Katakana as hiragana; the voiced ワ row has none, so it reads as the ヴ spelling it stands for.
char32_t ToHiragana(char32_t c)
{
    if (c >= 0x30A1 && c <= 0x30F6)
        return c - 0x60;
    switch (c) {
    case 0x30F7:
        return U'ば'; // ヷ
    case 0x30F8:
        return U'び'; // ヸ
    case 0x30F9:
        return U'べ'; // ヹ
    case 0x30FA:
        return U'ぼ'; // ヺ
    case 0x30FD:
        return U'ゝ';
    case 0x30FE:
        return U'ゞ';
    default:
        return c;
    }
}

bool IsLeftOut(char32_t c)
{
    switch (c) {
    case U' ':
    case U'\t':
    case U'\r':
    case U'\n':
    case U'-':
    case U'.':
    case 0x00B7: // ·
    case 0x2010: // ‐ ‑ ‒ – — ―
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212: // −
    case 0x30FB: // ・
    case 0x30FC: // ー
        return true;
    default:
        return false;
    }
}

// The kana with its voicing mark, or 0 when the two do not join.
char32_t Join(char32_t base, char32_t mark)
{
    const bool bRowKS = base >= U'か' && base <= U'ぢ' && (base - U'か') % 2 == 0;
    const bool bRowT = base == U'つ' || base == U'て' || base == U'と';
    const bool bRowH = base >= U'は' && base <= U'ほ' && (base - U'は') % 3 == 0;
    if (mark == kSemiVoiced)
        return bRowH ? base + 2 : 0;
    if (bRowKS || bRowT || bRowH)
        return base + 1;
    switch (base) {
    case U'う':
        return kHiraganaVu;
    case U'わ':
        return U'ば';
    case U'ゐ':
        return U'び';
    case U'ゑ':
        return U'べ';
    case U'を':
        return U'ぼ';
    case U'ゝ':
        return U'ゞ';
    default:
        return 0;
    }
}

// ゔ and the small vowel after it as the spelling without ゔ.
void FoldVu(std::u32string& text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != kHiraganaVu) {
            out += text[i];
            continue;
        }
        // ゔぁ ゔぃ ゔぇ ゔぉ: ば び べ ぼ, the small vowel taken along.
        constexpr std::pair<char32_t, char32_t> kWithVowel[] = {
            {U'ぁ', U'ば'}, {U'ぃ', U'び'}, {U'ぇ', U'べ'}, {U'ぉ', U'ぼ'}};
        const char32_t next = i + 1 < text.size() ? text[i + 1] : 0;
        const auto* pPair = std::find_if(std::begin(kWithVowel), std::end(kWithVowel),
                                         [next](const auto& p) { return p.first == next; });
        if (pPair != std::end(kWithVowel)) {
            out += pPair->second;
            ++i;
        } else {
            out += next == U'ゅ' ? U'び' : U'ぶ'; // ゔゅ びゅ: the ゅ stays
        }
    }
    text = std::move(out);
}

void AddOnce(std::vector<std::string>& forms, std::string_view form)
{
    if (std::find(forms.begin(), forms.end(), form) == forms.end())
        forms.emplace_back(form);
}

} // namespace

std::string Fold(std::string_view utf8)
{
    std::u32string text;
    text.reserve(utf8.size());
    for (std::size_t nPos = 0; nPos < utf8.size();) {
        char32_t c = Narrow(Kana::Next(utf8, nPos));
        if (c == kVoiced || c == kSemiVoiced) {
            if (const char32_t joined = text.empty() ? 0 : Join(text.back(), c)) {
                text.back() = joined;
                continue;
            }
        }
        if (c >= U'A' && c <= U'Z')
            c += U'a' - U'A';
        c = ToHiragana(c);
        if (!IsLeftOut(c))
            text += c;
    }
    FoldVu(text);
    if (text.size() >= 2 && text.back() == kState && IsHiragana(text[text.size() - 2]))
        text.pop_back();
    std::string key;
    key.reserve(text.size() * 3);
    for (char32_t c : text)
        Kana::Append(key, c);
    return key;
}

std::vector<std::string> Forms(const Facts::Country& country, Kind kind)
{
    std::vector<std::string> forms;
    auto add = [&](std::string_view text) { AddOnce(forms, text); };
    switch (kind) {
    case Kind::Name:
        std::for_each(country.names.begin(), country.names.end(), add);
        break;
    case Kind::Capital:
        std::for_each(country.capitals.begin(), country.capitals.end(), add);
        break;
    case Kind::Region:
        add(country.region);
        std::for_each(country.regionAlso.begin(), country.regionAlso.end(), add);
        add(country.continent);
        add(std::string(country.continent) + "州");
        break;
    case Kind::Language:
        for (const Facts::Language& language : country.languages)
            std::for_each(language.names.begin(), language.names.end(), add);
        break;
    }
    return forms;
}

std::vector<std::string> BareCapitals(const Facts::Table& table, const Facts::Country& country)
{
    constexpr std::array<std::string_view, 3> kQualifiers = {"D.C.", "シティ", "市"};
    std::vector<std::string> bare;
    for (std::string_view capital : country.capitals) {
        for (std::string_view qualifier : kQualifiers) {
            if (capital.size() <= qualifier.size() || !capital.ends_with(qualifier))
                continue;
            const std::string_view name = capital.substr(0, capital.size() - qualifier.size());
            const std::string key = Fold(name);
            const bool bTaken =
                std::any_of(table.countries.begin(), table.countries.end(), [&](auto& c) {
                    auto same = [&](std::string_view form) { return Fold(form) == key; };
                    return std::any_of(c.names.begin(), c.names.end(), same) ||
                           std::any_of(c.capitals.begin(), c.capitals.end(), same);
                });
            if (!key.empty() && !bTaken)
                AddOnce(bare, name);
        }
    }
    return bare;
}

std::vector<std::string> AcceptedForms(const Facts::Table& table, const Facts::Country& country,
                                       Kind kind)
{
    std::vector<std::string> forms = Forms(country, kind);
    if (kind == Kind::Capital)
        for (const std::string& bare : BareCapitals(table, country))
            AddOnce(forms, bare);
    for (std::size_t i = 0, n = forms.size(); i < n; ++i) {
        if (!Kana::HasKanji(forms[i]))
            continue;
        // The table's own readings for names and capitals, else word by word.
        const auto own = std::find_if(country.readings.begin(), country.readings.end(),
                                      [&](const Facts::Reading& r) { return r.text == forms[i]; });
        if (own != country.readings.end())
            std::for_each(own->kana.begin(), own->kana.end(),
                          [&](std::string_view kana) { AddOnce(forms, kana); });
        else
            for (const std::string& reading : Facts::ReadingsOf(table, forms[i]))
                AddOnce(forms, reading);
    }
    return forms;
}

} // namespace AnswerFold
