#pragma once

#include <optional>
#include <string>
#include <string_view>

// The one converter between the Windows Japanese code page and Unicode.
// Question files and Parameter.INI hold cp932 bytes; everything else speaks UTF-8.
namespace Cp932 {

// Never fails: an invalid byte, or a lead byte cut off at the end of a field, becomes U+FFFD.
std::string ToUtf8(std::string_view cp932);
std::u16string ToUtf16(std::string_view cp932);

// Empty when the text holds a character cp932 cannot represent (or is not valid UTF-8);
// such text is never turned silently into other bytes.
std::optional<std::string> FromUtf8(std::string_view utf8);
std::optional<std::string> FromUtf16(std::u16string_view utf16);

// True when every byte belongs to a whole cp932 character.
bool IsValid(std::string_view cp932);

// A byte that starts a two-byte character.
bool IsLeadByte(unsigned char c);

// Length in bytes of the longest prefix of at most nMax bytes that does not split a character.
std::size_t CharBoundary(std::string_view cp932, std::size_t nMax);

} // namespace Cp932
