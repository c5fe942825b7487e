// The cp932 codec: decoding any bytes succeeds and yields valid UTF-8 (with U+FFFD for what is
// no character); encoding the decoding of valid cp932 gives the same bytes, except for the
// duplicate codes, which come back as the one code Windows also writes for their character.
//
// The duplicates (glibc's CP932, like Windows, decodes both codes of a pair to one character
// and encodes it to the first):
//   0x8790-0x879C  NEC row 13 symbols that JIS row 2 also has (≒ ≡ ∫ ∮ √ ⊥ ∠ ∵ ∩ ∪)
//   0xED40-0xEEFC  NEC-selected IBM extensions, encoded as the IBM extensions 0xFA40-0xFC4B
//   0xFA40-0xFC4B  IBM extensions that NEC row 13 or JIS row 2 also has (ⅰ-ⅹ are kept;
//                  Ⅰ-Ⅹ ¬ ∵ № ℡ ㈱ become 0x8754-0x875D, 0x81CA, 0x81E6, 0x8782, 0x8784, 0x878A)
// Input: the bytes to decode; its first byte, when there is one, is also a cut position.

#include "platform/Cp932.h"

#include "FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool IsLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsValidUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n;
        char32_t cp, nMin;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 2, cp = c & 0x1F, nMin = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            n = 3, cp = c & 0x0F, nMin = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            n = 4, cp = c & 0x07, nMin = 0x10000;
        } else {
            return false;
        }
        if (i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if (cp < nMin || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n;
    }
    return true;
}

bool IsDuplicateCode(unsigned nCode)
{
    return (nCode >= 0x8790 && nCode <= 0x879C) || (nCode >= 0xED40 && nCode <= 0xEEFC) ||
           (nCode >= 0xFA40 && nCode <= 0xFC4B);
}

// Walks two valid cp932 texts character by character: equal, or x has a duplicate code where
// they differ.
bool SameUpToDuplicates(std::string_view x, std::string_view y)
{
    std::size_t i = 0, j = 0;
    while (i < x.size() && j < y.size()) {
        const std::size_t nx = IsLead(static_cast<unsigned char>(x[i])) ? 2 : 1;
        const std::size_t ny = IsLead(static_cast<unsigned char>(y[j])) ? 2 : 1;
        if (x.substr(i, nx) != y.substr(j, ny)) {
            if (nx != 2)
                return false;
            const unsigned nCode =
                static_cast<unsigned char>(x[i]) << 8 | static_cast<unsigned char>(x[i + 1]);
            if (!IsDuplicateCode(nCode))
                return false;
        }
        i += nx;
        j += ny;
    }
    return i == x.size() && j == y.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view x(reinterpret_cast<const char*>(pData), nSize);
    const std::string utf8 = Cp932::ToUtf8(x);
    FUZZ_CHECK(IsValidUtf8(utf8));
    FUZZ_CHECK(x.empty() == utf8.empty());
    // The widget side sees the same text whichever way it asks.
    FUZZ_CHECK(Cp932::FromUtf16(Cp932::ToUtf16(x)) == Cp932::FromUtf8(utf8));

    const bool bValid = Cp932::IsValid(x);
    if (!bValid)
        FUZZ_CHECK(utf8.find("\xEF\xBF\xBD") != std::string::npos);

    // A cut never ends in half a character; a text that fits is kept whole, even when it ends
    // in a lone lead byte of its own.
    const std::size_t nMax = nSize ? pData[0] : 0;
    const std::size_t nCut = Cp932::CharBoundary(x, nMax);
    FUZZ_CHECK(nCut <= nMax && nCut <= x.size());
    FUZZ_CHECK(nMax < x.size() || nCut == x.size());
    FUZZ_CHECK(nCut == x.size() || Cp932::CharBoundary(x, nCut) == nCut);
    if (bValid) {
        FUZZ_CHECK(Cp932::IsValid(x.substr(0, nCut)));
        FUZZ_CHECK(nMax < x.size() ? nCut + 1 >= nMax : nCut == x.size());
    }

    if (!bValid)
        return 0;
    const std::optional<std::string> back = Cp932::FromUtf8(utf8);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(Cp932::ToUtf8(*back) == utf8);
    FUZZ_CHECK(SameUpToDuplicates(x, *back));
    // What comes back is the form that stays: a second trip changes nothing.
    FUZZ_CHECK(Cp932::FromUtf8(Cp932::ToUtf8(*back)) == back);
    return 0;
}
