#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Where cp932 bytes meet a widget. Conversion happens here and nowhere else.
QString ToQString(std::string_view cp932);
// Empty when the text holds a character cp932 cannot represent.
std::optional<std::string> FromQString(const QString& text);

// A file name from a file dialog as a path, and back, in the system's own encoding of names.
std::filesystem::path ToPath(const QString& fileName);
QString FromPath(const std::filesystem::path& path);
