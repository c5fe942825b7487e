#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Where cp932 bytes meet a widget. Conversion happens here and nowhere else.
QString ToQString(std::string_view cp932);
// Empty when the text holds a character cp932 cannot represent.
std::optional<std::string> FromQString(const QString& text);
