#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What a screen reader says for lamp nLamp (1-3, top to bottom) showing nColor, as cp932:
// "誤答ランプ1 点灯" while red, "... 使用済み" once white, "... 消灯" before the first round.
std::string LampName(int nLamp, std::optional<std::uint32_t> nColor);
