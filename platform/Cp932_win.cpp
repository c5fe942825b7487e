// The Windows side of platform/Cp932.h: the system's own code page 932 tables.
#include "platform/Cp932.h"

#include <windows.h>

namespace Cp932 {
namespace {

constexpr UINT kCp932 = 932;

// Single bytes some tables give a character (U+0080, private-use ones) but code page 932 as
// the question files know it leaves undefined: the same on every system.
bool HasUndefinedByte(std::string_view cp932)
{
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto c = static_cast<unsigned char>(cp932[i]);
        if (IsLeadByte(c) && i + 1 < cp932.size())
            ++i;
        else if (c == 0x80 || c == 0xA0 || c >= 0xFD)
            return true;
    }
    return false;
}

// Wide text from bytes in a code page; false when any byte sequence is invalid there.
bool Decode(UINT nCodePage, std::string_view in, std::wstring& out)
{
    out.clear();
    if (nCodePage == kCp932 && HasUndefinedByte(in))
        return false;
    if (in.empty())
        return true;
    const int nIn = static_cast<int>(in.size());
    const int nOut =
        ::MultiByteToWideChar(nCodePage, MB_ERR_INVALID_CHARS, in.data(), nIn, nullptr, 0);
    if (nOut <= 0)
        return false;
    out.resize(static_cast<std::size_t>(nOut));
    return ::MultiByteToWideChar(nCodePage, MB_ERR_INVALID_CHARS, in.data(), nIn, out.data(),
                                 nOut) == nOut;
}

std::string EncodeUtf8(std::wstring_view in)
{
    std::string out;
    if (in.empty())
        return out;
    const int nIn = static_cast<int>(in.size());
    const int nOut =
        ::WideCharToMultiByte(CP_UTF8, 0, in.data(), nIn, nullptr, 0, nullptr, nullptr);
    if (nOut <= 0)
        return out;
    out.resize(static_cast<std::size_t>(nOut));
    ::WideCharToMultiByte(CP_UTF8, 0, in.data(), nIn, out.data(), nOut, nullptr, nullptr);
    return out;
}

// Whole text decodes in one call; otherwise character by character, each bad byte (or a lead
// byte cut off at the end) becoming one U+FFFD before going on with the next byte.
std::wstring DecodeLenient(std::string_view cp932)
{
    std::wstring out;
    if (Decode(kCp932, cp932, out))
        return out;
    out.clear();
    std::wstring unit;
    for (std::size_t i = 0; i < cp932.size();) {
        const std::size_t n =
            IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
        if (Decode(kCp932, cp932.substr(i, n), unit) && !unit.empty()) {
            out += unit;
            i += n;
        } else {
            out += L'\xFFFD';
            ++i;
        }
    }
    return out;
}

std::optional<std::string> EncodeExact(std::wstring_view wide)
{
    std::string out;
    if (wide.empty())
        return out;
    const int nIn = static_cast<int>(wide.size());
    BOOL bDefault = FALSE;
    const int nOut = ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), nIn, nullptr,
                                           0, nullptr, &bDefault);
    if (nOut <= 0 || bDefault)
        return std::nullopt;
    out.resize(static_cast<std::size_t>(nOut));
    if (::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), nIn, out.data(), nOut,
                              nullptr, &bDefault) != nOut ||
        bDefault)
        return std::nullopt;
    // Only bytes that read back as the same text: no character is turned into another.
    std::wstring back; // (Decode also refuses bytes left undefined)
    if (!Decode(kCp932, out, back) || back != wide)
        return std::nullopt;
    return out;
}

} // namespace

std::string ToUtf8(std::string_view cp932)
{
    return EncodeUtf8(DecodeLenient(cp932));
}

std::u16string ToUtf16(std::string_view cp932)
{
    const std::wstring wide = DecodeLenient(cp932);
    return std::u16string(wide.begin(), wide.end());
}

std::optional<std::string> FromUtf8(std::string_view utf8)
{
    std::wstring wide;
    if (!Decode(CP_UTF8, utf8, wide))
        return std::nullopt;
    return EncodeExact(wide);
}

std::optional<std::string> FromUtf16(std::u16string_view utf16)
{
    const std::wstring wide(utf16.begin(), utf16.end());
    // Lone surrogates are no text; the system would pass them on unchanged.
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() &&
            wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF)
            ++i;
        else if (wide[i] >= 0xD800 && wide[i] <= 0xDFFF)
            return std::nullopt;
    }
    return EncodeExact(wide);
}

bool IsValid(std::string_view cp932)
{
    std::wstring ignored;
    return Decode(kCp932, cp932, ignored);
}

} // namespace Cp932
