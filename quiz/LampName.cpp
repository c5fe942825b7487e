#include "quiz/LampName.h"

#include "quiz/QuizRound.h"

namespace {

const std::string kLamp = "\x8c\xeb\x93\x9a\x83\x89\x83\x93\x83\x76"; // 誤答ランプ
const std::string kLit = "\x93\x5f\x93\x94";                          // 点灯
const std::string kUsed = "\x8e\x67\x97\x70\x8d\xcf\x82\xdd";         // 使用済み
const std::string kOff = "\x8f\xc1\x93\x94";                          // 消灯

} // namespace

std::string LampName(int nLamp, std::optional<std::uint32_t> nColor)
{
    const std::string& strState = nColor == kLampRed ? kLit : nColor == kLampWhite ? kUsed : kOff;
    return kLamp + std::to_string(nLamp) + " " + strState;
}
