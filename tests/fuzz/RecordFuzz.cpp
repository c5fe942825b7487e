// Question records: splitting any bytes of any length reads only those bytes (AddressSanitizer
// sees the input's exact allocation) and takes each field where the format puts it; composing
// then splitting gives back what the writers keep of each text.
//
// Input: the bytes to split; the same bytes split at tabs give the question and four answers
// to compose, and the input's length picks the correct answer (0-3, or 4 and 5 for none).

#include "quiz/FlagCatalog.h"
#include "quiz/QuestionRecord.h"

#include "FuzzSupport.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

// A field as the format defines it: the text ends at the end of the record, of the bytes
// given, or at the first NUL.
std::string_view Expected(std::string_view text, std::size_t nOffset, std::size_t nWidth)
{
    return nOffset < text.size() ? text.substr(nOffset, nWidth) : std::string_view();
}

void CheckSplit(std::string_view bytes)
{
    const QuestionRecord rec = SplitRecord(bytes);
    std::string_view text = bytes.substr(0, std::min(bytes.size(), kRecordSize));
    text = text.substr(0, text.find('\0'));

    FUZZ_CHECK(rec.strCode == Expected(text, 0, kCodeSize));
    FUZZ_CHECK(rec.strBlock == Expected(text, 0, kQuestionBlockSize));
    FUZZ_CHECK(rec.strQuizQuestion == Expected(text, kQuizQuestionOffset, kQuizQuestionSize));
    std::optional<int> nFirstMarked;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t nMarker = kMarkerOffsets[i];
        FUZZ_CHECK(rec.markers[i] == (nMarker < text.size() ? text[nMarker] : '\0'));
        FUZZ_CHECK(rec.answers[i] == Expected(text, nMarker + 1, kAnswerSize));
        if (!nFirstMarked && rec.markers[i] == kCorrectMarker)
            nFirstMarked = static_cast<int>(i);
    }
    FUZZ_CHECK(rec.CorrectIndex() == nFirstMarked);

    // A flag choice exactly when every answer is a whole field: a catalogue code, then blanks.
    bool bAllCodes = true;
    for (const std::string& answer : rec.answers)
        bAllCodes = bAllCodes && answer.size() == kAnswerSize &&
                    LookupFlagBitmap(answer.substr(0, kCodeSize)) &&
                    answer.find_first_not_of(' ', kCodeSize) == std::string::npos;
    const std::optional<std::array<std::string, 4>> codes = FlagChoiceCodes(rec);
    FUZZ_CHECK(codes.has_value() == bAllCodes);
    for (std::size_t i = 0; codes && i < 4; ++i)
        FUZZ_CHECK(rec.answers[i].substr(0, kCodeSize) == (*codes)[i]);
}

std::string Padded(std::string_view text, std::size_t nKeep, std::size_t nWidth)
{
    std::string out(text.substr(0, nKeep));
    out.resize(nWidth, ' ');
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view data(reinterpret_cast<const char*>(pData), nSize);
    CheckSplit(data);
    for (std::size_t nOffset = kRecordSize; nOffset < data.size(); nOffset += kRecordSize)
        CheckSplit(data.substr(nOffset));

    const std::vector<std::string_view> parts = Fuzz::SplitTail(data, '\t', 5);
    std::string_view question = parts[0];
    std::array<std::string, 4> answers;
    for (std::size_t i = 1; i < parts.size(); ++i)
        answers[i - 1] = std::string(parts[i]);
    const int nCorrect = static_cast<int>(nSize % 6);

    const std::string record = ComposeRecord(question, answers, nCorrect);
    FUZZ_CHECK(record.size() == kRecordSize);
    CheckSplit(record);
    for (std::size_t i = 0; i < 4; ++i)
        FUZZ_CHECK(record[kMarkerOffsets[i]] == (static_cast<int>(i) == nCorrect ? '*' : ' '));
    // A writer never leaves a NUL of its own; texts that bring one are cut there on reading.
    if (data.find('\0') != std::string_view::npos)
        return 0;
    const QuestionRecord rec = SplitRecord(record);
    FUZZ_CHECK(rec.strBlock == Padded(question, kQuestionBlockSize, kQuestionBlockSize));
    FUZZ_CHECK(rec.strCode == rec.strBlock.substr(0, kCodeSize));
    for (std::size_t i = 0; i < 4; ++i) {
        // The marker takes one of the block's 80 bytes and the last stays a space: 78 are kept.
        FUZZ_CHECK(rec.answers[i] == Padded(answers[i], kAnswerSize - 1, kAnswerSize));
        FUZZ_CHECK(record[kMarkerOffsets[i] + kAnswerSize] == ' ');
    }
    FUZZ_CHECK(rec.CorrectIndex() == (nCorrect < 4 ? std::optional<int>(nCorrect) : std::nullopt));
    return 0;
}
