#include "platform/CommandLine.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

#ifndef MARELTO_VERSION
#define MARELTO_VERSION ""
#endif

bool JapaneseLocale(const char* szLcAll, const char* szLcMessages, const char* szLang)
{
    for (const char* sz : {szLcAll, szLcMessages, szLang}) {
        if (sz && *sz)
            return std::string_view(sz).starts_with("ja");
    }
    return false;
}

bool JapaneseLocale()
{
    const char* szLcAll = std::getenv("LC_ALL");
    const char* szLcMessages = std::getenv("LC_MESSAGES");
    const char* szLang = std::getenv("LANG");
#ifdef _WIN32
    // Windows names no locale in the environment: its display language says it.
    if (!szLcAll && !szLcMessages && !szLang)
        return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE;
#endif
    return JapaneseLocale(szLcAll, szLcMessages, szLang);
}

std::string VersionText(std::string_view program)
{
    return std::string(program) + " " MARELTO_VERSION "\n";
}

std::string UnknownOptionText(std::string_view program, std::string_view option, bool bJapanese)
{
    const std::string strProgram(program);
    if (bJapanese)
        return strProgram + ": 知らないオプションです: " + std::string(option) + "（使い方は " +
               strProgram + " --help）\n";
    return strProgram + ": unknown option: " + std::string(option) + " (see " + strProgram +
           " --help)\n";
}
