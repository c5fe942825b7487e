#pragma once

#include <string>
#include <string_view>

// What every command answers before it does anything else: --help, --version, and one line for
// an option it does not know. Texts are UTF-8.

// Exit status for a command line the command cannot follow.
constexpr int kUsageError = 2;

// Japanese where the locale for messages is Japanese: the first of LC_ALL, LC_MESSAGES and LANG
// that is set and not empty, as the C library picks it.
bool JapaneseLocale(const char* szLcAll, const char* szLcMessages, const char* szLang);
bool JapaneseLocale();

// "PROGRAM VERSION", one line.
std::string VersionText(std::string_view program);

// One line: the option not known, and where to read how the command is used.
std::string UnknownOptionText(std::string_view program, std::string_view option, bool bJapanese);
