#include "facts/Kana.h"

namespace Kana {
namespace {

constexpr char32_t kInvalid = 0xFFFD;
constexpr char32_t kProlongedSound = 0x30FC; // ー

bool IsKatakana(char32_t c)
{
    return (c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE;
}

bool IsHiragana(char32_t c)
{
    return (c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E;
}

} // namespace

char32_t Next(std::string_view utf8, std::size_t& nPos)
{
    const auto lead = static_cast<unsigned char>(utf8[nPos]);
    const std::size_t nLength = lead < 0x80           ? 1
                                : (lead >> 5) == 0x06 ? 2
                                : (lead >> 4) == 0x0E ? 3
                                : (lead >> 3) == 0x1E ? 4
                                                      : 0;
    if (nLength == 1) {
        ++nPos;
        return lead;
    }
    if (nLength == 0 || nPos + nLength > utf8.size()) {
        ++nPos;
        return kInvalid;
    }
    char32_t c = lead & (0x7F >> nLength);
    for (std::size_t i = 1; i < nLength; ++i) {
        const auto next = static_cast<unsigned char>(utf8[nPos + i]);
        if ((next & 0xC0) != 0x80) {
            ++nPos;
            return kInvalid;
        }
        c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no characters either.
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[nLength] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        ++nPos;
        return kInvalid;
    }
    nPos += nLength;
    return c;
}

void Append(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsKanji(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3134F) || c == 0x3005;
}

bool HasKanji(std::string_view utf8)
{
    for (std::size_t nPos = 0; nPos < utf8.size();)
        if (IsKanji(Next(utf8, nPos)))
            return true;
    return false;
}

std::string ToHiragana(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t nPos = 0; nPos < utf8.size();) {
        const std::size_t nStart = nPos;
        const char32_t c = Next(utf8, nPos);
        if (IsKatakana(c))
            Append(out, c - 0x60);
        else
            out.append(utf8.substr(nStart, nPos - nStart));
    }
    return out;
}

bool IsReading(std::string_view utf8)
{
    for (std::size_t nPos = 0; nPos < utf8.size();) {
        const char32_t c = Next(utf8, nPos);
        if (!IsHiragana(c) && c != kProlongedSound)
            return false;
    }
    return !utf8.empty();
}

} // namespace Kana
