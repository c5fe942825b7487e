#pragma once

#include <string>
#include <string_view>

enum class TypedVerdict
{
    Empty, // nothing to judge: blanks, dashes, dots
    Right,
    Wrong
};

// Judges an answer typed for a text question. The quiz knows records, not facts about
// countries: the application supplies a judge built on the facts table.
class ITypedAnswerJudge
{
  public:
    virtual ~ITypedAnswerJudge() = default;
    // typed: what the learner typed, UTF-8 (typed text may hold characters cp932 lacks, ゔ among
    // them). record: the question's record as the file holds it, cp932.
    virtual TypedVerdict Judge(std::string_view typed, std::string_view record) = 0;
    // For a right answer that names the answer otherwise than the record writes it, that other
    // form as the popup shows it beside the record's (cp932); empty otherwise.
    virtual std::string OtherForm(std::string_view /*typed*/, std::string_view /*record*/)
    {
        return {};
    }
};
