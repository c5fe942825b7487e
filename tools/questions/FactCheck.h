#pragma once

#include "tools/questions/BankGenerator.h"
#include "tools/questions/QuestionCheck.h"

#include <string_view>
#include <vector>

// The generator's questions in a question file held against the facts table: the marked answer
// must be the table's, and no other answer may be one that the table accepts for the country.
// Records with other question texts are the author's own and are not judged. A flag-choice record
// is always judged: its clue must name the country ("ブラジルの国旗はどれ？") or its capital
// ("首都がブラジリアの国の国旗はどれ？") in a form the table accepts.
namespace FactCheck {

std::vector<QuestionCheck::Problem> Check(const std::vector<BankGenerator::Country>& countries,
                                          std::string_view fileBytes);

} // namespace FactCheck
