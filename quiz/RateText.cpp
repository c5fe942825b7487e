#include "quiz/RateText.h"

#include <cstdio>

std::string FormatRate(int nCorrect, int nAnswered)
{
    if (nCorrect == 0 || nAnswered == 0)
        return "%";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%4.1f%%",
                  static_cast<double>(nCorrect) / static_cast<double>(nAnswered) * 100.0);
    return buf;
}
