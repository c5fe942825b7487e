#include "typing/TypedAnswerJudge.h"

#include "facts/Facts.h"
#include "platform/Cp932.h"
#include "quiz/QuestionRecord.h"
#include "typing/AnswerJudge.h"

#include <algorithm>

TypedVerdict TypedAnswerJudge::Judge(std::string_view typed, std::string_view record)
{
    const Facts::Table& table = m_pTable ? *m_pTable : Facts::CompiledTable();
    const QuestionRecord rec = SplitRecord(record);
    const std::string code = Cp932::ToUtf8(rec.strCode);
    const auto country = std::find_if(table.countries.begin(), table.countries.end(),
                                      [&](const Facts::Country& c) { return c.code == code; });
    const AnswerJudge::Accepted accepted =
        AnswerJudge::AcceptedAnswers(table, country == table.countries.end() ? nullptr : &*country,
                                     Cp932::ToUtf8(rec.CorrectAnswer()));
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
