#include "tools/questions/FactCheck.h"

#include "facts/AnswerFold.h"
#include "platform/Cp932.h"
#include "quiz/QuestionRecord.h"
#include "tools/questions/FieldText.h"
#include "typing/TypedAnswerJudge.h"

#include <algorithm>
#include <optional>
#include <regex>

namespace FactCheck {
namespace {

using BankGenerator::AcceptedAnswers;
using BankGenerator::Country;
using BankGenerator::Kind;
using QuestionCheck::Problem;
using QuestionCheck::Rule;

constexpr std::array<Kind, 4> kKinds = {Kind::Country, Kind::Capital, Kind::Region, Kind::Language};
// The same kinds as the typing mode's folding names them, in the order above.
constexpr std::array<AnswerFold::Kind, 4> kFoldKinds = {
    AnswerFold::Kind::Name, AnswerFold::Kind::Capital, AnswerFold::Kind::Region,
    AnswerFold::Kind::Language};

std::optional<Kind> KindOf(std::string_view questionUtf8)
{
    for (Kind kind : kKinds)
        if (questionUtf8 == BankGenerator::QuestionText(kind))
            return kind;
    return std::nullopt;
}

// The language names an answer gives: "英語、フランス語" or "英語、…など12言語".
std::vector<std::string> LanguageNames(const std::string& answer)
{
    static const std::regex kCount("など[0-9]+言語$");
    const std::string list = std::regex_replace(answer, kCount, "");
    std::vector<std::string> names;
    const std::string_view separator = Facts::kLanguageSeparator;
    for (std::size_t nStart = 0;;) {
        std::size_t n = list.find(separator, nStart);
        names.push_back(list.substr(nStart, n - nStart));
        if (n == std::string::npos)
            return names;
        nStart = n + separator.size();
    }
}

bool Has(const std::vector<std::string>& accepted, const std::string& text)
{
    return std::find(accepted.begin(), accepted.end(), text) != accepted.end();
}

// What an answer names: each language of a language answer, else the answer itself.
std::vector<std::string> Named(const std::string& answer, Kind kind)
{
    return kind == Kind::Language ? LanguageNames(answer) : std::vector<std::string>{answer};
}

// A wrong answer must name nothing accepted; a right one only what is accepted.
bool AnyAccepted(const std::vector<std::string>& accepted, const std::string& answer, Kind kind)
{
    const std::vector<std::string> names = Named(answer, kind);
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& name) { return Has(accepted, name); });
}

bool AllAccepted(const std::vector<std::string>& accepted, const std::string& answer, Kind kind)
{
    const std::vector<std::string> names = Named(answer, kind);
    return std::all_of(names.begin(), names.end(),
                       [&](const std::string& name) { return Has(accepted, name); });
}

void CheckRecord(const Country& c, Kind kind, const QuestionRecord& record, std::int64_t nRecord,
                 std::vector<Problem>& problems)
{
    const std::vector<std::string> accepted = BankGenerator::AcceptedAnswers(c, kind);
    const std::optional<int> nCorrect = record.CorrectIndex();
    for (int i = 0; i < 4; ++i) {
        const std::string answer =
            Cp932::ToUtf8(FieldText::TrimPadding(record.answers[static_cast<std::size_t>(i)]));
        const std::string strName = "解答" + std::to_string(i + 1) + "「" + answer + "」";
        if (nCorrect == i && !AllAccepted(accepted, answer, kind))
            problems.push_back(
                {Rule::NotTheFact, nRecord,
                 strName + " が正解ですが、事実表の " + c.strName + " の答えではありません"});
        if (nCorrect != i && AnyAccepted(accepted, answer, kind))
            problems.push_back(
                {Rule::WrongIsRight, nRecord,
                 strName + " は誤答ですが、事実表では " + c.strName + " の正しい答えです"});
    }
}

// A flag-choice clue names the country or its capital, in any form the table accepts.
void CheckClue(const Country& c, const std::string& question, std::int64_t nRecord,
               std::vector<Problem>& problems)
{
    std::vector<std::string> clues;
    for (const std::string& name : AcceptedAnswers(c, Kind::Country))
        clues.push_back(BankGenerator::FlagQuestion(name));
    for (const std::string& capital : AcceptedAnswers(c, Kind::Capital))
        clues.push_back(BankGenerator::FlagQuestionByCapital(capital));
    if (!Has(clues, question))
        problems.push_back({Rule::ClueNotFact, nRecord,
                            "問題文「" + question + "」は国旗を選ぶ問題ですが、事実表の " +
                                c.strName + " の国名も首都も「" +
                                BankGenerator::FlagQuestion(c.strName) + "」「" +
                                BankGenerator::FlagQuestionByCapital(c.strCapital) +
                                "」の形で名指ししていません"});
}

// A position clue names the country in a form the table accepts, or shows its flag.
void CheckPlaceClue(const Country& c, const std::string& question, std::int64_t nRecord,
                    std::vector<Problem>& problems)
{
    std::vector<std::string> clues = {std::string(BankGenerator::kPositionQuestionByFlag)};
    for (const std::string& name : AcceptedAnswers(c, Kind::Country))
        clues.push_back(BankGenerator::PositionQuestion(name));
    if (!Has(clues, question))
        problems.push_back(
            {Rule::ClueNotPlace, nRecord,
             "問題文「" + question + "」は位置の問題ですが、事実表の " + c.strName + " を「" +
                 BankGenerator::PositionQuestion(c.strName) + "」の形で名指しせず、「" +
                 std::string(BankGenerator::kPositionQuestionByFlag) + "」でもありません"});
}

std::string Quoted(std::string_view text)
{
    return "「" + std::string(text) + "」";
}

void CheckTypedRecord(const Facts::Table& table, const QuestionRecord& record,
                      std::string_view bytes, std::int64_t nRecord, std::vector<Problem>& problems)
{
    if (FlagChoiceCodes(record) || PositionCodes(record))
        return; // chosen or pointed at, never typed
    TypedAnswerJudge judge(&table);
    auto right = [&](std::string_view typed) {
        return judge.Judge(typed, bytes) == TypedVerdict::Right;
    };
    const std::optional<int> nCorrect = record.CorrectIndex();
    for (int i = 0; i < 4; ++i) {
        const std::string answer =
            Cp932::ToUtf8(FieldText::TrimPadding(record.answers[static_cast<std::size_t>(i)]));
        const std::string strName = "解答" + std::to_string(i + 1) + Quoted(answer);
        if (nCorrect == i && !right(answer))
            problems.push_back({Rule::TypingMissed, nRecord,
                                strName + " が正解ですが、入力して答えると正解になりません"});
        if (nCorrect != i && !answer.empty() && right(answer))
            problems.push_back({Rule::TypingMatched, nRecord,
                                strName + " は誤答ですが、入力して答えると正解になります"});
    }
    const std::optional<Kind> kind =
        KindOf(Cp932::ToUtf8(FieldText::TrimPadding(record.strQuizQuestion)));
    const std::string code = Cp932::ToUtf8(record.strCode);
    const auto country = std::find_if(table.countries.begin(), table.countries.end(),
                                      [&](const Facts::Country& c) { return c.code == code; });
    if (!nCorrect || !kind || country == table.countries.end())
        return;
    for (const std::string& form :
         AnswerFold::AcceptedForms(table, *country, kFoldKinds[static_cast<std::size_t>(*kind)]))
        if (!right(form))
            problems.push_back({Rule::TypingMissed, nRecord,
                                "事実表の" + Quoted(form) +
                                    " は正しい答えですが、入力して答えると正解になりません"});
}

} // namespace

std::vector<Problem> CheckTyping(const Facts::Table& table, std::string_view fileBytes)
{
    std::vector<Problem> problems;
    const std::int64_t nRecords = RecordCount(fileBytes.size());
    for (std::int64_t k = 0; k < nRecords; ++k) {
        const std::string_view bytes = fileBytes.substr(RecordOffset(k), kRecordSize);
        CheckTypedRecord(table, SplitRecord(bytes), bytes, k + 1, problems);
    }
    return problems;
}

std::vector<Problem> Check(const std::vector<Country>& countries, std::string_view fileBytes)
{
    std::vector<Problem> problems;
    const std::int64_t nRecords = RecordCount(fileBytes.size());
    for (std::int64_t k = 0; k < nRecords; ++k) {
        const QuestionRecord record = SplitRecord(fileBytes.substr(RecordOffset(k), kRecordSize));
        const std::string question = Cp932::ToUtf8(FieldText::TrimPadding(record.strQuizQuestion));
        const bool bFlagChoice = FlagChoiceCodes(record).has_value();
        const bool bPlace = PositionCodes(record).has_value();
        const std::optional<Kind> kind = bFlagChoice ? Kind::Flag
                                         : bPlace    ? Kind::Position
                                                     : KindOf(question);
        if (!kind)
            continue;
        auto it = std::find_if(countries.begin(), countries.end(),
                               [&](const Country& c) { return c.strCode == record.strCode; });
        if (it == countries.end())
            problems.push_back(
                {Rule::NotTheFact, k + 1,
                 "国コード「" + FieldText::Escape(record.strCode) + "」の国は事実表にありません"});
        else if (bFlagChoice)
            CheckClue(*it, question, k + 1, problems); // the marked flag: QuestionCheck
        else if (bPlace)
            CheckPlaceClue(*it, question, k + 1, problems); // the marked place: QuestionCheck
        else
            CheckRecord(*it, *kind, record, k + 1, problems);
    }
    return problems;
}

} // namespace FactCheck
