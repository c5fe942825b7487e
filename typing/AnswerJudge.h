#pragma once

#include "facts/FactsTable.h"

#include <string>
#include <string_view>
#include <vector>

// Judging an answer typed for a question: what the question accepts, folded once, and the
// verdict on a typed text (AnswerFold::Fold on both sides). Texts are UTF-8.
namespace AnswerJudge {

struct Accepted
{
    std::vector<std::string> keys; // folded whole answers
    // Folded answers that may also be typed several at a time, 、 or , between: the official
    // languages of a language question.
    std::vector<std::string> listItems;
};

// For a question whose marked answer is starred (as the file writes it, padding trimmed) about
// country (null when the table does not know the record's code): the marked answer, and every
// answer of each kind whose accepted forms hold it (AnswerFold::AcceptedForms). An answer that
// lists languages, "英語、フランス語" or "英語、…など12言語", makes it a language question when the
// table has each of them. A marked answer with the empty key accepts nothing.
Accepted AcceptedAnswers(const Facts::Table& table, const Facts::Country* country,
                         std::string_view starred);

enum class Verdict
{
    Empty, // nothing a folding keeps: blanks, dashes, dots
    Right,
    Wrong
};

Verdict Judge(const Accepted& accepted, std::string_view typed);

// The table's form that a right typed answer names when it is not the marked answer: 北ヨーロッパ
// (or きたよーろっぱ) typed for 西ヨーロッパ, ワシントン for ワシントンD.C., えいこく for イギリス
// gives 英国. Empty for the marked answer and its readings, a language of a list, a wrong answer,
// and a country the table does not know.
std::string OtherForm(const Facts::Table& table, const Facts::Country* country,
                      std::string_view starred, std::string_view typed);

} // namespace AnswerJudge
