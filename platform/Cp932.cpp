#include "platform/Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace Cp932 {
namespace {

// One iconv state per direction and thread; opening one costs far more than a conversion.
class Converter
{
  public:
    Converter(const char* szTo, const char* szFrom) : m_cd(iconv_open(szTo, szFrom)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns the bytes consumed. Stops at the first bad sequence.
    std::size_t Run(std::string_view in, std::string& out, int& nError)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* pIn = const_cast<char*>(in.data());
        std::size_t nInLeft = in.size();
        char buf[1024];
        nError = 0;
        while (nInLeft > 0) {
            char* pOut = buf;
            std::size_t nOutLeft = sizeof buf;
            std::size_t r = iconv(m_cd, &pIn, &nInLeft, &pOut, &nOutLeft);
            out.append(buf, sizeof buf - nOutLeft);
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                nError = errno;
                break;
            }
        }
        return in.size() - nInLeft;
    }

  private:
    iconv_t m_cd;
};

Converter& Decoder()
{
    thread_local Converter conv("UTF-8", "CP932");
    return conv;
}

Converter& Encoder()
{
    thread_local Converter conv("CP932", "UTF-8");
    return conv;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::u16string Utf8ToUtf16(std::string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        std::size_t n;
        if (c < 0x80) {
            cp = c;
            n = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            n = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            n = 3;
        } else {
            cp = c & 0x07;
            n = 4;
        }
        if (i + n > s.size()) {
            out.push_back(u'\uFFFD');
            break;
        }
        for (std::size_t k = 1; k < n; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += n;
    }
    return out;
}

std::optional<std::string> Utf16ToUtf8(std::u16string_view s)
{
    std::string out;
    out.reserve(s.size() * 3);
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF)
                return std::nullopt;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00);
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return std::nullopt;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace

std::string ToUtf8(std::string_view cp932)
{
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    Converter& conv = Decoder();
    while (!cp932.empty()) {
        int nError = 0;
        std::size_t nDone = conv.Ok() ? conv.Run(cp932, out, nError) : 0;
        cp932.remove_prefix(nDone);
        if (cp932.empty())
            break;
        // A bad byte, or a lead byte with nothing after it: one replacement, then go on.
        out.append(kReplacement);
        cp932.remove_prefix(1);
    }
    return out;
}

std::u16string ToUtf16(std::string_view cp932)
{
    return Utf8ToUtf16(ToUtf8(cp932));
}

std::optional<std::string> FromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    Converter& conv = Encoder();
    if (!conv.Ok())
        return std::nullopt;
    int nError = 0;
    std::size_t nDone = conv.Run(utf8, out, nError);
    if (nDone != utf8.size() || nError != 0)
        return std::nullopt;
    return out;
}

std::optional<std::string> FromUtf16(std::u16string_view utf16)
{
    std::optional<std::string> utf8 = Utf16ToUtf8(utf16);
    if (!utf8)
        return std::nullopt;
    return FromUtf8(*utf8);
}

bool IsValid(std::string_view cp932)
{
    std::string out;
    int nError = 0;
    Converter& conv = Decoder();
    return conv.Ok() && conv.Run(cp932, out, nError) == cp932.size() && nError == 0;
}

} // namespace Cp932
