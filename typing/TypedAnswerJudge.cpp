#include "typing/TypedAnswerJudge.h"

#include "facts/Facts.h"
#include "platform/Cp932.h"
#include "quiz/QuestionRecord.h"
#include "typing/AnswerJudge.h"

#include <algorithm>

namespace {

struct Asked
{
    const Facts::Country* country = nullptr; // null when the table does not know the code
    std::string strStarred;                  // UTF-8
};

Asked AskedBy(const Facts::Table& table, std::string_view record)
{
    const QuestionRecord rec = SplitRecord(record);
    const std::string code = Cp932::ToUtf8(rec.strCode);
    const auto country = std::find_if(table.countries.begin(), table.countries.end(),
                                      [&](const Facts::Country& c) { return c.code == code; });
    return {country == table.countries.end() ? nullptr : &*country,
            Cp932::ToUtf8(rec.CorrectAnswer())};
}

} // namespace

const Facts::Table& TypedAnswerJudge::Table() const
{
    return m_pTable ? *m_pTable : Facts::CompiledTable();
}

TypedVerdict TypedAnswerJudge::Judge(std::string_view typed, std::string_view record)
{
    const Asked asked = AskedBy(Table(), record);
    const AnswerJudge::Accepted accepted =
        AnswerJudge::AcceptedAnswers(Table(), asked.country, asked.strStarred);
    switch (AnswerJudge::Judge(accepted, typed)) {
    case AnswerJudge::Verdict::Empty:
        return TypedVerdict::Empty;
    case AnswerJudge::Verdict::Right:
        return TypedVerdict::Right;
    case AnswerJudge::Verdict::Wrong:
        break;
    }
    return TypedVerdict::Wrong;
}

std::string TypedAnswerJudge::OtherForm(std::string_view typed, std::string_view record)
{
    const Asked asked = AskedBy(Table(), record);
    return Cp932::FromUtf8(AnswerJudge::OtherForm(Table(), asked.country, asked.strStarred, typed))
        .value_or(std::string());
}
