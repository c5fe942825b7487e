#pragma once

#include "quiz/ITypedAnswerJudge.h"

#include <string>

namespace Facts {
struct Table;
}

// Typed answers judged against the facts table (typing/AnswerJudge.h): for a record about a
// country the table knows, every form the table accepts for what the marked answer names, with
// readings; for any other record, the marked answer alone. All compared after AnswerFold::Fold.
class TypedAnswerJudge : public ITypedAnswerJudge
{
  public:
    // Null: the table compiled into the program, parsed at the first judgement and no sooner.
    explicit TypedAnswerJudge(const Facts::Table* pTable = nullptr) : m_pTable(pTable) {}

    TypedVerdict Judge(std::string_view typed, std::string_view record) override;
    std::string OtherForm(std::string_view typed, std::string_view record) override;

  private:
    const Facts::Table& Table() const;

    const Facts::Table* m_pTable;
};
