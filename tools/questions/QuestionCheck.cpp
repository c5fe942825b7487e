#include "tools/questions/QuestionCheck.h"

#include "platform/Cp932.h"
#include "quiz/FlagCatalog.h"
#include "quiz/QuestionRecord.h"
#include "tools/questions/FieldText.h"

#include <algorithm>
#include <cstdio>

namespace QuestionCheck {
namespace {

std::string Hex(unsigned char c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", c);
    return buf;
}

std::string AnswerName(std::size_t i)
{
    return "解答" + std::to_string(i + 1);
}

struct TextField
{
    std::string strName;
    std::size_t nOffset; // in the record
    std::size_t nWidth;
};

std::vector<TextField> TextFields()
{
    std::vector<TextField> fields = {{"問題文", 0, kQuestionBlockSize}};
    for (std::size_t i = 0; i < 4; ++i)
        fields.push_back({AnswerName(i), kMarkerOffsets[i] + 1, kAnswerSize});
    return fields;
}

class RecordChecker
{
  public:
    RecordChecker(std::string_view record, std::int64_t nRecord, std::vector<Problem>& problems)
        : m_record(record), m_nRecord(nRecord), m_problems(problems)
    {
    }

    void Run()
    {
        Bytes();
        Code();
        Markers();
        for (const TextField& field : TextFields())
            Encoding(field);
        Widths();
        Texts();
        FlagChoice();
        Position();
    }

  private:
    void Add(Rule rule, std::string strMessage)
    {
        m_problems.push_back({rule, m_nRecord, std::move(strMessage)});
    }
    std::string Position(std::size_t nOffset)
    {
        return "（レコードの " + std::to_string(nOffset + 1) + " バイト目）";
    }

    void Bytes();
    void Code();
    void Markers();
    void Encoding(const TextField& field);
    void Widths();
    void Texts();
    void FlagChoice();
    void Position();

    std::string_view m_record;
    std::int64_t m_nRecord;
    std::vector<Problem>& m_problems;
};

void RecordChecker::Bytes()
{
    if (std::size_t n = m_record.find('\0'); n != std::string_view::npos)
        Add(Rule::NulByte, "NUL バイトがあり、クイズはそこから後の文字を読みません" + Position(n));
    for (std::size_t i = 0; i < m_record.size(); ++i) {
        auto c = static_cast<unsigned char>(m_record[i]);
        if ((c > 0 && c < 0x20) || c == 0x7F) {
            Add(Rule::ControlByte, "制御文字 " + Hex(c) + " があります" + Position(i));
            break;
        }
    }
}

void RecordChecker::Code()
{
    std::string_view code = m_record.substr(0, kCodeSize);
    if (!LookupFlagBitmap(code))
        Add(Rule::UnknownCode, "国コード「" + FieldText::Escape(code) +
                                   "」は国旗の一覧にないため、国旗が表示されません");
}

void RecordChecker::Markers()
{
    std::vector<std::size_t> marked;
    for (std::size_t i = 0; i < 4; ++i) {
        char c = m_record[kMarkerOffsets[i]];
        if (c == kCorrectMarker)
            marked.push_back(i);
        else if (c != ' ')
            Add(Rule::OddMarker, AnswerName(i) + " の印の位置が「*」でも空白でもなく " +
                                     Hex(static_cast<unsigned char>(c)) + " です" +
                                     Position(kMarkerOffsets[i]));
    }
    if (marked.empty()) {
        Add(Rule::NoMarker, "正解の印「*」がどの解答にもありません");
    } else if (marked.size() > 1) {
        std::string list;
        for (std::size_t i : marked)
            list += (list.empty() ? "" : "、") + AnswerName(i);
        Add(Rule::SeveralMarkers, "正解の印「*」が " + list + " にあり、クイズは最初の " +
                                      AnswerName(marked[0]) + " だけを正解にします");
    }
}

void RecordChecker::Encoding(const TextField& field)
{
    std::string_view text = m_record.substr(field.nOffset, field.nWidth);
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = FieldText::CharLength(text, i);
        if (FieldText::IsLoneLead(text, i) &&
            text.find_first_not_of(' ', i + 1) == std::string_view::npos) {
            Add(Rule::CutCharacter, field.strName + " が 2 バイト文字の途中で切れています" +
                                        Position(field.nOffset + i));
            return;
        }
        if (!Cp932::IsValid(text.substr(i, n))) {
            Add(Rule::InvalidCp932, field.strName + " に cp932 の文字でないバイト " +
                                        Hex(static_cast<unsigned char>(text[i])) + " があります" +
                                        Position(field.nOffset + i));
            return;
        }
        i += n;
    }
}

void RecordChecker::Widths()
{
    if (m_record[kQuestionBlockSize - 1] != ' ')
        Add(Rule::QuestionTooLong, "問題文が 97 バイト目まであり、最後の 1 バイトはクイズに"
                                   "表示されません（表示は 96 バイトまで）");
    for (std::size_t i = 0; i < 4; ++i)
        if (m_record[kMarkerOffsets[i] + kAnswerSize] != ' ')
            Add(Rule::AnswerTooLong, AnswerName(i) +
                                         " が 79 バイト目まであり、編集画面で書き直す"
                                         "と最後の 1 バイトが失われます（78 バイトまで）");
}

void RecordChecker::Texts()
{
    std::string_view question = m_record.substr(kQuizQuestionOffset, kQuizQuestionSize);
    if (FieldText::TrimPadding(question).empty())
        Add(Rule::EmptyText, "問題文が空です");
    std::vector<std::string_view> answers;
    for (std::size_t i = 0; i < 4; ++i) {
        answers.push_back(m_record.substr(kMarkerOffsets[i] + 1, kAnswerSize));
        if (FieldText::TrimPadding(answers[i]).empty())
            Add(Rule::EmptyText, AnswerName(i) + " が空です");
    }
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = i + 1; j < 4; ++j)
            if (answers[i] == answers[j] && !FieldText::TrimPadding(answers[i]).empty())
                Add(Rule::SameAnswers, AnswerName(i) + " と " + AnswerName(j) + " が同じです");
}

// Four distinct codes are checked as any four answers are; here, that the marked one is asked.
void RecordChecker::FlagChoice()
{
    const QuestionRecord rec = SplitRecord(m_record);
    const std::optional<std::array<std::string, 4>> codes = FlagChoiceCodes(rec);
    const std::optional<int> nCorrect = rec.CorrectIndex();
    if (!codes || !nCorrect)
        return;
    const std::string& marked = (*codes)[static_cast<std::size_t>(*nCorrect)];
    if (marked != rec.strCode)
        Add(Rule::FlagNotAsked, AnswerName(static_cast<std::size_t>(*nCorrect)) + "「" + marked +
                                    "」が正解ですが、問われている国コード「" +
                                    FieldText::Escape(rec.strCode) + "」の国旗ではありません");
}

// An answer field that names a place: '@', a catalogue code, then blanks.
bool IsPlace(std::string_view field)
{
    return field.size() == kAnswerSize && field[0] == kPositionMark &&
           LookupFlagBitmap(field.substr(1, kCodeSize)) &&
           field.find_first_not_of(' ', 1 + kCodeSize) == std::string_view::npos;
}

// A position question: its marked place is the one asked. A record with some answers "@..."
// but not all four places is a text question, which the author seldom means.
void RecordChecker::Position()
{
    const QuestionRecord rec = SplitRecord(m_record);
    const std::optional<std::array<std::string, 4>> codes = PositionCodes(rec);
    const std::optional<int> nCorrect = rec.CorrectIndex();
    if (codes && nCorrect) {
        const std::string& marked = (*codes)[static_cast<std::size_t>(*nCorrect)];
        if (marked != rec.strCode)
            Add(Rule::PlaceNotAsked, AnswerName(static_cast<std::size_t>(*nCorrect)) + "「" +
                                         std::string(1, kPositionMark) + marked +
                                         "」が正解ですが、問われている国コード「" +
                                         FieldText::Escape(rec.strCode) + "」の位置ではありません");
        return;
    }
    if (std::none_of(rec.answers.begin(), rec.answers.end(),
                     [](const std::string& a) { return a.starts_with(kPositionMark); }))
        return;
    for (std::size_t i = 0; i < 4; ++i)
        if (!IsPlace(rec.answers[i]))
            Add(Rule::PlaceNotCode,
                AnswerName(i) + "「" + FieldText::Escape(FieldText::TrimPadding(rec.answers[i])) +
                    "」は「@」と国旗の一覧の国コード（例: @tcd）ではありません。4 つの解答が"
                    "すべてその形でないと位置の問題にならず、文字の解答として出題されます");
}

} // namespace

std::vector<Problem> CheckRecord(std::string_view record, std::int64_t nRecord)
{
    std::vector<Problem> problems;
    RecordChecker(record.substr(0, kRecordSize), nRecord, problems).Run();
    return problems;
}

std::vector<Problem> Check(std::string_view fileBytes)
{
    std::vector<Problem> problems;
    const std::int64_t nRecords = RecordCount(fileBytes.size());
    if (nRecords == 0)
        problems.push_back({Rule::NoRecords, 0, "レコードが 1 件もありません"});
    for (std::int64_t k = 0; k < nRecords; ++k) {
        std::vector<Problem> found =
            CheckRecord(fileBytes.substr(RecordOffset(k), kRecordSize), k + 1);
        problems.insert(problems.end(), found.begin(), found.end());
    }
    if (std::size_t nTail = fileBytes.size() % kRecordSize; nTail != 0)
        problems.push_back({Rule::PartialTail, 0,
                            "末尾の " + std::to_string(nTail) +
                                " バイトは 420 バイトに満たず、どのレコードにもなりません"});
    return problems;
}

std::string FormatProblem(const Problem& problem)
{
    if (problem.nRecord == 0)
        return problem.strMessage;
    return "レコード " + std::to_string(problem.nRecord) + ": " + problem.strMessage;
}

} // namespace QuestionCheck
