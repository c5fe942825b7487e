#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// One text field of a question record written as a line-safe UTF-8 TSV field, and back.
//
// A cp932 character that converts to Unicode and back to the same bytes is written as UTF-8.
// Everything else is escaped, so any bytes survive the trip:
//   \\  a backslash (0x5C)      \t \n \r  tab, line feed, carriage return
//   \xHH  any other byte: control bytes, NUL, a lead byte without its trail (a field cut in the
//         middle of a character), bytes cp932 does not define, and the duplicate codes whose
//         Unicode character converts back to other bytes (for instance 0xED40).
namespace FieldText {

// Length of the character at nPos: 2 for a lead byte followed by a trail byte, otherwise 1.
std::size_t CharLength(std::string_view cp932, std::size_t nPos);

// True when the byte at nPos is a lead byte whose trail is missing (end of text or a non-trail).
bool IsLoneLead(std::string_view cp932, std::size_t nPos);

// The bytes without their right-hand space padding.
std::string_view TrimPadding(std::string_view bytes);

std::string Escape(std::string_view cp932);

// Escapes only the backslash, tab and line ends of text that is already UTF-8.
std::string EscapeUtf8(std::string_view utf8);

struct Decoded
{
    bool bOk = false;
    std::string strBytes; // cp932, when bOk
    std::string strError; // UTF-8 message naming the offending character or escape
};

// The inverse of Escape: UTF-8 with escapes to cp932 bytes. Fails on invalid UTF-8, an unknown
// escape, or a character cp932 cannot represent; nothing is replaced or dropped silently.
Decoded Unescape(std::string_view text);

} // namespace FieldText
