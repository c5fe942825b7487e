#include "quiz/QuestionRecord.h"

#include "quiz/FlagCatalog.h"

#include <algorithm>

namespace {

std::string PadRight(std::string_view text, std::size_t nWidth)
{
    std::string out(text.substr(0, nWidth));
    out.resize(nWidth, ' ');
    return out;
}

// The field [nOffset, nOffset + nWidth) of a text that ends at its first NUL.
std::string Field(std::string_view text, std::size_t nOffset, std::size_t nWidth)
{
    if (nOffset >= text.size())
        return {};
    return std::string(text.substr(nOffset, nWidth));
}

} // namespace

std::int64_t RecordCount(std::uint64_t nFileLength)
{
    return static_cast<std::int64_t>(nFileLength / kRecordSize);
}

std::uint64_t RecordOffset(std::int64_t nIndex)
{
    return static_cast<std::uint64_t>(nIndex) * kRecordSize;
}

LengthProblem CheckLength(std::uint64_t nFileLength)
{
    if (nFileLength < kRecordSize)
        return LengthProblem::NoRecord;
    return nFileLength % kRecordSize == 0 ? LengthProblem::None : LengthProblem::PartialRecord;
}

std::optional<int> QuestionRecord::CorrectIndex() const
{
    for (int i = 0; i < 4; ++i)
        if (markers[static_cast<std::size_t>(i)] == kCorrectMarker)
            return i;
    return std::nullopt;
}

std::string QuestionRecord::CorrectAnswer() const
{
    const std::optional<int> nCorrect = CorrectIndex();
    if (!nCorrect)
        return {};
    const std::string& answer = answers[static_cast<std::size_t>(*nCorrect)];
    return answer.substr(0, answer.find_last_not_of(' ') + 1); // no trail byte is a blank
}

QuestionRecord SplitRecord(std::string_view bytes)
{
    std::string_view text = bytes.substr(0, std::min(bytes.size(), kRecordSize));
    text = text.substr(0, text.find('\0'));

    QuestionRecord rec;
    rec.strCode = Field(text, 0, kCodeSize);
    rec.strBlock = Field(text, 0, kQuestionBlockSize);
    rec.strQuizQuestion = Field(text, kQuizQuestionOffset, kQuizQuestionSize);
    for (std::size_t i = 0; i < 4; ++i) {
        std::size_t nMarker = kMarkerOffsets[i];
        rec.markers[i] = nMarker < text.size() ? text[nMarker] : '\0';
        rec.answers[i] = Field(text, nMarker + 1, kAnswerSize);
    }
    return rec;
}

std::string ComposeQuestionBlock(std::string_view question)
{
    return PadRight(question, kQuestionBlockSize);
}

std::string ComposeAnswerBlock(std::string_view answer, bool bCorrect)
{
    std::string marked(1, bCorrect ? kCorrectMarker : ' ');
    marked.append(answer.substr(0, kAnswerSize - 1));
    return PadRight(marked, kAnswerBlockSize);
}

std::string ComposeRecord(std::string_view question, const std::array<std::string, 4>& answers,
                          int nCorrect)
{
    std::string out = ComposeQuestionBlock(question);
    for (int i = 0; i < 4; ++i)
        out += ComposeAnswerBlock(answers[static_cast<std::size_t>(i)], i == nCorrect);
    return out;
}

namespace {

// The four answers' codes when each field is the prefix, a catalogue code and blanks only.
std::optional<std::array<std::string, 4>> AnswerCodes(const QuestionRecord& record,
                                                      std::string_view prefix)
{
    std::array<std::string, 4> codes;
    for (std::size_t i = 0; i < 4; ++i) {
        std::string_view field = record.answers[i];
        if (field.size() != kAnswerSize || !field.starts_with(prefix))
            return std::nullopt;
        field.remove_prefix(prefix.size());
        std::string_view code = field.substr(0, kCodeSize);
        // Every catalogue code is three lower-case letters, so the look-up checks those too.
        if (field.find_first_not_of(' ', kCodeSize) != field.npos || !LookupFlagBitmap(code))
            return std::nullopt;
        codes[i] = code;
    }
    return codes;
}

} // namespace

std::optional<std::array<std::string, 4>> FlagChoiceCodes(const QuestionRecord& record)
{
    return AnswerCodes(record, {});
}

std::optional<std::array<std::string, 4>> PositionCodes(const QuestionRecord& record)
{
    return AnswerCodes(record, std::string_view(&kPositionMark, 1));
}

std::string TemplateRecord()
{
    // cp932 bytes of テスト問題 and 解答1..4
    const std::string strAnswer = "\x89\xf0\x93\x9a";
    return ComposeRecord("\x83\x65\x83\x58\x83\x67\x96\xe2\x91\xe8",
                         {strAnswer + "1", strAnswer + "2", strAnswer + "3", strAnswer + "4"}, 0);
}
