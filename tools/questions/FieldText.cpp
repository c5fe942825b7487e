#include "tools/questions/FieldText.h"

#include "platform/Cp932.h"

#include <cstdio>
#include <optional>

namespace FieldText {
namespace {

bool IsTrailByte(unsigned char c)
{
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

void AppendHex(std::string& out, unsigned char c)
{
    char buf[5];
    std::snprintf(buf, sizeof buf, "\\x%02X", c);
    out += buf;
}

// The UTF-8 of a character when it comes back to the same bytes; empty otherwise.
std::optional<std::string> RoundTrip(std::string_view unit)
{
    std::string utf8 = Cp932::ToUtf8(unit);
    std::optional<std::string> back = Cp932::FromUtf8(utf8);
    if (!back || *back != unit)
        return std::nullopt;
    return utf8;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Length of the UTF-8 sequence at nPos, 0 when it is malformed.
std::size_t Utf8Length(std::string_view s, std::size_t nPos)
{
    auto c = static_cast<unsigned char>(s[nPos]);
    std::size_t n = c < 0x80             ? 1
                    : (c & 0xE0) == 0xC0 ? 2
                    : (c & 0xF0) == 0xE0 ? 3
                    : (c & 0xF8) == 0xF0 ? 4
                                         : 0;
    if (n == 0 || nPos + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[nPos + k]) & 0xC0) != 0x80)
            return 0;
    return n;
}

std::string CodePointName(std::string_view utf8)
{
    char32_t cp = static_cast<unsigned char>(utf8[0]);
    if (utf8.size() > 1) {
        cp &= 0xFF >> (utf8.size() + 1);
        for (std::size_t k = 1; k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3F);
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

// Converts a run of plain UTF-8; on failure names the first character that does not convert.
bool AppendPlain(std::string_view run, Decoded& result)
{
    if (run.empty())
        return true;
    if (std::optional<std::string> bytes = Cp932::FromUtf8(run)) {
        result.strBytes += *bytes;
        return true;
    }
    for (std::size_t i = 0; i < run.size();) {
        std::size_t n = Utf8Length(run, i);
        if (n == 0) {
            result.strError = "UTF-8 として正しくないバイト列があります";
            return false;
        }
        std::string_view ch = run.substr(i, n);
        if (!Cp932::FromUtf8(ch)) {
            result.strError =
                "「" + std::string(ch) + "」(" + CodePointName(ch) + ") は cp932 で表せません";
            return false;
        }
        i += n;
    }
    result.strError = "cp932 に変換できません";
    return false;
}

} // namespace

std::size_t CharLength(std::string_view cp932, std::size_t nPos)
{
    if (nPos + 1 < cp932.size() && Cp932::IsLeadByte(static_cast<unsigned char>(cp932[nPos])) &&
        IsTrailByte(static_cast<unsigned char>(cp932[nPos + 1])))
        return 2;
    return 1;
}

bool IsLoneLead(std::string_view cp932, std::size_t nPos)
{
    return Cp932::IsLeadByte(static_cast<unsigned char>(cp932[nPos])) &&
           CharLength(cp932, nPos) == 1;
}

std::string_view TrimPadding(std::string_view bytes)
{
    std::size_t n = bytes.find_last_not_of(' ');
    return n == std::string_view::npos ? std::string_view() : bytes.substr(0, n + 1);
}

namespace {

// The escapes both directions share: backslash, tab, line feed and carriage return.
bool AppendNamedEscape(std::string& out, char c)
{
    switch (c) {
    case '\\':
        out += "\\\\";
        return true;
    case '\t':
        out += "\\t";
        return true;
    case '\n':
        out += "\\n";
        return true;
    case '\r':
        out += "\\r";
        return true;
    default:
        return false;
    }
}

} // namespace

std::string Escape(std::string_view cp932)
{
    std::string out;
    for (std::size_t i = 0; i < cp932.size();) {
        std::size_t n = CharLength(cp932, i);
        std::string_view unit = cp932.substr(i, n);
        auto c = static_cast<unsigned char>(unit[0]);
        i += n;
        if (AppendNamedEscape(out, unit[0]))
            continue;
        if (c < 0x20 || c == 0x7F)
            AppendHex(out, c);
        else if (c < 0x80)
            out += static_cast<char>(c);
        else if (std::optional<std::string> utf8 = RoundTrip(unit))
            out += *utf8;
        else
            for (char b : unit)
                AppendHex(out, static_cast<unsigned char>(b));
    }
    return out;
}

std::string EscapeUtf8(std::string_view utf8)
{
    std::string out;
    for (char c : utf8)
        if (!AppendNamedEscape(out, c))
            out += c;
    return out;
}

Decoded Unescape(std::string_view text)
{
    Decoded result;
    std::size_t nRun = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '\\') {
            ++i;
            continue;
        }
        if (!AppendPlain(text.substr(nRun, i - nRun), result))
            return result;
        char e = i + 1 < text.size() ? text[i + 1] : '\0';
        std::size_t nUsed = 2;
        if (e == '\\')
            result.strBytes += '\\';
        else if (e == 't')
            result.strBytes += '\t';
        else if (e == 'n')
            result.strBytes += '\n';
        else if (e == 'r')
            result.strBytes += '\r';
        else if (e == 'x' && i + 3 < text.size() && HexValue(text[i + 2]) >= 0 &&
                 HexValue(text[i + 3]) >= 0) {
            result.strBytes +=
                static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
            nUsed = 4;
        } else {
            result.strError = "不明なエスケープ「" + std::string(text.substr(i, 2)) +
                              "」です（使えるのは \\\\ \\t \\n \\r \\xHH）";
            return result;
        }
        i += nUsed;
        nRun = i;
    }
    if (!AppendPlain(text.substr(nRun), result))
        return result;
    result.bOk = true;
    return result;
}

} // namespace FieldText
