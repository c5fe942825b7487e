#include "platform/LocalTime.h"

#include <cstdio>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::tm Local(std::time_t t)
{
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}

bool Digits(std::string_view text, std::size_t nPos, std::size_t nCount, int& nValue)
{
    nValue = 0;
    for (std::size_t i = nPos; i < nPos + nCount; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        nValue = nValue * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

std::string FormatLocalTime(std::time_t t)
{
    const std::tm tm = Local(t);
    // Local minus universal time, from the broken-down time itself (not every C library has
    // tm_gmtoff).
    const std::int64_t nLocalSeconds =
        DaysFromCivil(tm.tm_year + 1900, static_cast<unsigned>(tm.tm_mon + 1),
                      static_cast<unsigned>(tm.tm_mday)) *
            86400 +
        tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec;
    const int nOffset = static_cast<int>((nLocalSeconds - static_cast<std::int64_t>(t)) / 60);
    const int nAbs = nOffset < 0 ? -nOffset : nOffset;
    char buf[80];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", tm.tm_year + 1900,
                  tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                  nOffset < 0 ? '-' : '+', nAbs / 60, nAbs % 60);
    return buf;
}

std::optional<LocalTime> ParseLocalTime(std::string_view text)
{
    // 2026-12-08T19:03:11+09:00
    if (text.size() != 25 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || (text[19] != '+' && text[19] != '-') ||
        text[22] != ':')
        return std::nullopt;
    int y, mo, d, h, mi, s, oh, om;
    if (!Digits(text, 0, 4, y) || !Digits(text, 5, 2, mo) || !Digits(text, 8, 2, d) ||
        !Digits(text, 11, 2, h) || !Digits(text, 14, 2, mi) || !Digits(text, 17, 2, s) ||
        !Digits(text, 20, 2, oh) || !Digits(text, 23, 2, om))
        return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60)
        return std::nullopt;
    const std::int64_t nDay = DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d));
    const int nOffset = (text[19] == '-' ? -1 : 1) * (oh * 3600 + om * 60);
    return LocalTime{nDay * 86400 + h * 3600 + mi * 60 + s - nOffset, nDay};
}

std::int64_t LocalDay(std::time_t t)
{
    const std::tm tm = Local(t);
    return DaysFromCivil(tm.tm_year + 1900, static_cast<unsigned>(tm.tm_mon + 1),
                         static_cast<unsigned>(tm.tm_mday));
}

std::string FormatStamp(std::time_t t)
{
    const std::tm tm = Local(t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min);
    return buf;
}
