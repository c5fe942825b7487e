#pragma once

#include "facts/FactsTable.h"
#include "tools/questions/BankGenerator.h"
#include "tools/questions/QuestionCheck.h"

#include <string_view>
#include <vector>

// The generator's questions in a question file held against the facts table: the marked answer
// must be the table's, and no other answer may be one that the table accepts for the country.
// Records with other question texts are the author's own and are not judged. A flag-choice record
// is always judged: its clue must name the country ("ブラジルの国旗はどれ？") or its capital
// ("首都がブラジリアの国の国旗はどれ？") in a form the table accepts; a position record's clue must
// name the country ("チャドはどこ？") or show its flag ("この国旗の国はどこ？").
namespace FactCheck {

std::vector<QuestionCheck::Problem> Check(const std::vector<BankGenerator::Country>& countries,
                                          std::string_view fileBytes);

// Every record as the typing mode judges it against the table (typing/TypedAnswerJudge.h): its
// marked answer typed as written must be right and its other answers wrong; for the generator's
// questions about a country the table knows, so must every form the table accepts for it, with
// readings (AnswerFold::AcceptedForms).
std::vector<QuestionCheck::Problem> CheckTyping(const Facts::Table& table,
                                                std::string_view fileBytes);

} // namespace FactCheck
