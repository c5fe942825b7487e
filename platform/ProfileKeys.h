#pragma once

#include <string_view>

// An integer entry of Parameter.INI and the default its reader brings when it is absent.
struct IntSetting
{
    std::string_view section;
    std::string_view entry;
    int nDefault = 0;

    // The same entry as a reader with a default of its own sees it.
    constexpr IntSetting WithDefault(int n) const { return {section, entry, n}; }
};

// A text entry (cp932) and its reader's default.
struct TextSetting
{
    std::string_view section;
    std::string_view entry;
    std::string_view strDefault;
};

// Every entry of Parameter.INI that the program reads or writes: its section and entry names
// are written here and nowhere else. Each reader brings a default of its own, as the file has
// always been read; where the settings dialog's differ from the round's, it has rows of its own.
namespace ProfileKeys {

inline constexpr std::string_view kFileName = "Parameter.INI";

inline constexpr TextSetting kQuestionFile{"QUESTION", "1", "sample0524.txt"};
inline constexpr IntSetting kTimeLimit{"TIME_LIMIT", "1", 0};       // seconds per question
inline constexpr IntSetting kLife{"LIFE", "1", 0};                  // wrong answers allowed
inline constexpr IntSetting kQuestionCount{"QUESTION_CNT", "1", 3}; // questions per round
inline constexpr IntSetting kOrder{"SEQ", "1", 0};                  // 0 file order, else random

// Switches of the 設定 menu: stored 1 is on, any other value off.
inline constexpr IntSetting kSound{"SOUND", "SW", 1};
inline constexpr IntSetting kMap{"MAP", "SW", 0};
inline constexpr IntSetting kTyping{"INPUT", "SW", 0};

// Where the learner left the 地図 window: "x,y,cx,cy", its frame's top left and its size in
// pixels (platform/WindowPlacement.h); empty until it is first closed.
inline constexpr TextSetting kMapWindowRect{"MAP_WINDOW", "RECT", ""};

// The settings dialog shows 1 beside each slider whose value is absent.
inline constexpr IntSetting kShownTimeLimit = kTimeLimit.WithDefault(1);
inline constexpr IntSetting kShownLife = kLife.WithDefault(1);
inline constexpr IntSetting kShownQuestionCount = kQuestionCount.WithDefault(1);

} // namespace ProfileKeys
