#include "quiz/QuestionRecord.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string SampleRecord()
{
    return ComposeRecord("jpn" + Sjis("この国旗の国はどこ?"),
                         {Sjis("日本"), Sjis("中国"), Sjis("韓国"), Sjis("タイ")}, 1);
}

} // namespace

TEST(QuestionRecordLayout, CountsWholeRecordsOnly)
{
    EXPECT_EQ(RecordCount(3 * 420), 3);
    EXPECT_EQ(RecordCount(2 * 420 + 160), 2);
    EXPECT_EQ(RecordCount(419), 0);
    EXPECT_EQ(RecordCount(0), 0);
    EXPECT_EQ(RecordOffset(2), 840u);
    EXPECT_EQ(RecordOffset(100000), 42000000u);
}

TEST(QuestionRecordSplit, TakesEveryFieldByOffsetWithItsPadding)
{
    const std::string bytes = SampleRecord();
    ASSERT_EQ(bytes.size(), kRecordSize);
    QuestionRecord rec = SplitRecord(bytes);
    EXPECT_EQ(rec.strCode, "jpn");
    EXPECT_EQ(rec.strBlock, bytes.substr(0, 100));
    EXPECT_EQ(rec.strQuizQuestion, bytes.substr(3, 96));
    EXPECT_EQ(rec.strQuizQuestion.size(), 96u);
    EXPECT_EQ(rec.answers[0], Sjis("日本") + std::string(75, ' '));
    EXPECT_EQ(rec.answers[3].size(), 79u);
    EXPECT_EQ(rec.markers, (std::array<char, 4>{' ', '*', ' ', ' '}));
    EXPECT_EQ(rec.CorrectIndex(), 1);
}

TEST(QuestionRecordSplit, FirstStarWinsAndNoStarNamesNone)
{
    std::string bytes(420, ' ');
    bytes[180] = '*';
    bytes[340] = '*';
    EXPECT_EQ(SplitRecord(bytes).CorrectIndex(), 1);
    bytes[180] = '+';
    bytes[340] = 'x';
    EXPECT_FALSE(SplitRecord(bytes).CorrectIndex());
}

TEST(QuestionRecordSplit, TextEndsAtANulAndAtTheEndOfTheBytes)
{
    std::string bytes = SampleRecord();
    bytes[150] = '\0';
    QuestionRecord rec = SplitRecord(bytes);
    EXPECT_EQ(rec.answers[0], bytes.substr(101, 49));
    EXPECT_EQ(rec.answers[1], "");
    EXPECT_FALSE(rec.CorrectIndex());

    QuestionRecord shortRec = SplitRecord(std::string_view(SampleRecord()).substr(0, 200));
    EXPECT_EQ(shortRec.answers[1], SampleRecord().substr(181, 19));
    EXPECT_EQ(shortRec.answers[2], "");
    EXPECT_EQ(shortRec.markers[3], '\0');

    QuestionRecord empty = SplitRecord("");
    EXPECT_EQ(empty.strCode, "");
    EXPECT_EQ(empty.strQuizQuestion, "");
    EXPECT_FALSE(empty.CorrectIndex());

    QuestionRecord two = SplitRecord("jp");
    EXPECT_EQ(two.strCode, "jp");
}

TEST(QuestionRecordCompose, CutsByBytesAndPads)
{
    // An 80-byte answer keeps 78 bytes and reads back with one space.
    const std::string answer80(80, 'A');
    const std::string block = ComposeAnswerBlock(answer80, true);
    ASSERT_EQ(block.size(), 80u);
    EXPECT_EQ(block, "*" + std::string(78, 'A') + " ");

    const std::string longQuestion = std::string(99, 'q') + Sjis("日");
    const std::string qblock = ComposeQuestionBlock(longQuestion);
    ASSERT_EQ(qblock.size(), 100u);
    EXPECT_EQ(qblock.back(), '\x93'); // a two-byte character cut in half stays cut
    EXPECT_EQ(ComposeQuestionBlock(""), std::string(100, ' '));

    const std::string record = ComposeRecord("", {"", "", "", ""}, 4);
    EXPECT_EQ(record, std::string(420, ' '));
    const std::string rec = ComposeRecord("x", {"a", "b", "c", "d"}, 2);
    for (std::size_t off : {179u, 259u, 339u, 419u})
        EXPECT_EQ(rec[off], ' ');
    EXPECT_EQ(SplitRecord(rec).CorrectIndex(), 2);
}

TEST(QuestionRecordCompose, QuizHidesTheLastByteOfAFullQuestionBlock)
{
    const std::string full = "jpn" + std::string(96, 'x') + "Z";
    QuestionRecord rec = SplitRecord(ComposeRecord(full, {"a", "b", "c", "d"}, 0));
    EXPECT_EQ(rec.strQuizQuestion, std::string(96, 'x'));
    EXPECT_EQ(rec.strBlock.back(), 'Z');
}

TEST(QuestionRecordTemplate, IsTheNewFileRecord)
{
    const std::string rec = TemplateRecord();
    ASSERT_EQ(rec.size(), 420u);
    EXPECT_EQ(rec.substr(0, 100), Sjis("テスト問題") + std::string(90, ' '));
    EXPECT_EQ(Sjis("テスト問題").size(), 10u);
    EXPECT_EQ(rec.substr(100, 80), Sjis("*解答1") + std::string(74, ' '));
    EXPECT_EQ(rec.substr(180, 80), Sjis(" 解答2") + std::string(74, ' '));
    EXPECT_EQ(rec.substr(260, 80), Sjis(" 解答3") + std::string(74, ' '));
    EXPECT_EQ(rec.substr(340, 80), Sjis(" 解答4") + std::string(74, ' '));
}

struct FlagChoiceCase
{
    const char* szName;
    std::array<std::string, 4> answers; // as composed into the record
    bool bFlagChoice;
};

class FlagChoiceRuleTest : public ::testing::TestWithParam<FlagChoiceCase>
{
};

TEST_P(FlagChoiceRuleTest, AllFourAnswersMustBeCatalogueCodes)
{
    const FlagChoiceCase& c = GetParam();
    const std::optional<std::array<std::string, 4>> codes = FlagChoiceCodes(
        SplitRecord(ComposeRecord("bra" + Sjis("ブラジルの国旗はどれ？"), c.answers, 0)));
    ASSERT_EQ(codes.has_value(), c.bFlagChoice);
    if (codes)
        EXPECT_EQ(*codes, c.answers);
}

INSTANTIATE_TEST_SUITE_P(
    Records, FlagChoiceRuleTest,
    ::testing::Values(FlagChoiceCase{"FourCodes", {"bra", "prt", "arg", "col"}, true},
                      FlagChoiceCase{"OneUnknownCode", {"bra", "prt", "xyz", "col"}, false},
                      FlagChoiceCase{"UpperCase", {"bra", "PRT", "arg", "col"}, false},
                      FlagChoiceCase{"TextAfterTheCode", {"bra", "prt", "arg", "colombia"}, false},
                      FlagChoiceCase{"LeadingBlank", {"bra", " prt", "arg", "col"}, false},
                      FlagChoiceCase{"TwoLetters", {"bra", "pr", "arg", "col"}, false},
                      FlagChoiceCase{
                          "Text", {Sjis("日本"), Sjis("中国"), Sjis("韓国"), Sjis("タイ")}, false}),
    [](const auto& info) { return info.param.szName; });

// The same answers read both ways: a record is at most one of the two kinds.
struct AnswerKindCase
{
    const char* szName;
    std::array<std::string, 4> answers;
    bool bFlagChoice;
    bool bPosition;
};

class AnswerKindTest : public ::testing::TestWithParam<AnswerKindCase>
{
};

TEST_P(AnswerKindTest, PositionAnswersAreMarkedCodesOfTheCatalogue)
{
    const AnswerKindCase& c = GetParam();
    const QuestionRecord rec =
        SplitRecord(ComposeRecord("tcd" + Sjis("チャドはどこ？"), c.answers, 0));
    EXPECT_EQ(FlagChoiceCodes(rec).has_value(), c.bFlagChoice);
    const std::optional<std::array<std::string, 4>> codes = PositionCodes(rec);
    ASSERT_EQ(codes.has_value(), c.bPosition);
    if (codes)
        EXPECT_EQ(*codes, (std::array<std::string, 4>{"tcd", "ner", "sdn", "lby"}));
}

INSTANTIATE_TEST_SUITE_P(
    Records, AnswerKindTest,
    ::testing::Values(
        AnswerKindCase{"FourMarkedCodes", {"@tcd", "@ner", "@sdn", "@lby"}, false, true},
        AnswerKindCase{"BareCodes", {"tcd", "ner", "sdn", "lby"}, true, false},
        AnswerKindCase{"OneBare", {"@tcd", "ner", "@sdn", "@lby"}, false, false},
        AnswerKindCase{"UnknownCode", {"@tcd", "@xyz", "@sdn", "@lby"}, false, false},
        AnswerKindCase{"MarkAfterTheCode", {"@tcd", "ner@", "@sdn", "@lby"}, false, false},
        AnswerKindCase{"TwoMarks", {"@tcd", "@@ner", "@sdn", "@lby"}, false, false}),
    [](const auto& info) { return info.param.szName; });

TEST(FlagChoiceRule, AShortRecordOrANulInAFieldMakesText)
{
    const std::string bytes = ComposeRecord("bra", {"bra", "prt", "arg", "col"}, 0);
    ASSERT_TRUE(FlagChoiceCodes(SplitRecord(bytes)));
    std::string withNul = bytes;
    withNul[kMarkerOffsets[3] + 10] = '\0';
    EXPECT_FALSE(FlagChoiceCodes(SplitRecord(withNul)));
    EXPECT_FALSE(FlagChoiceCodes(SplitRecord(bytes.substr(0, kRecordSize - 1))));
}
