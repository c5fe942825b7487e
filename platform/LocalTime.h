#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// Times in the history: local time in ISO 8601 with its UTC offset, "2026-12-08T19:03:11+09:00",
// so a line says both when it happened for the learner and which instant that was.
struct LocalTime
{
    std::int64_t nUtc = 0; // seconds since 1970 UTC
    std::int64_t nDay = 0; // the local calendar date, in days since 1970-01-01
};

std::string FormatLocalTime(std::time_t t);
// Empty when the text is no time in the form above.
std::optional<LocalTime> ParseLocalTime(std::string_view text);
// The local calendar date of an instant, in days since 1970-01-01.
std::int64_t LocalDay(std::time_t t);
// "YYYYMMDD-HHMM" in local time, for file names.
std::string FormatStamp(std::time_t t);
