#pragma once

#include <string>

// The correct-rate text: "%4.1f" of correct / answered * 100 and "%", or "%" alone while
// nothing was right (so the division never sees zero questions).
std::string FormatRate(int nCorrect, int nAnswered);
