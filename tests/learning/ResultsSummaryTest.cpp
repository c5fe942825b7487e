#include "learning/ResultsSummary.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const char* const kCountryQ = "この国旗はどの国の国旗？";
const char* const kCapitalQ = "この国旗の国の首都はどこ？";

HistoryRow Row(const char* szFile, const char* szRound, std::uint64_t nFingerprint,
               const char* szCode, const char* szQuestion, char cResult, double dSeconds)
{
    const AnswerResult result = cResult == 'R'   ? AnswerResult::Correct
                                : cResult == 'W' ? AnswerResult::Wrong
                                                 : AnswerResult::TimeOut;
    return {"2026-12-08T10:00:00+09:00",
            szFile,
            1,
            nFingerprint,
            szCode,
            result,
            dSeconds,
            szRound,
            szQuestion};
}

struct KindCase
{
    const char* szQuestion;
    QuestionKind kind;
};
class QuestionKindTest : public ::testing::TestWithParam<KindCase>
{
};
TEST_P(QuestionKindTest, TheQuestionTextSaysWhichKind)
{
    EXPECT_EQ(KindOfQuestion(GetParam().szQuestion), GetParam().kind);
}
INSTANTIATE_TEST_SUITE_P(
    Kinds, QuestionKindTest,
    ::testing::Values(KindCase{kCountryQ, kKindCountry}, KindCase{kCapitalQ, kKindCapital},
                      KindCase{"この国旗の国は世界のどの地域にある？", kKindRegion},
                      KindCase{"この国旗の国の公用語は？", kKindLanguage},
                      KindCase{"この国の国名は？", kKindCountry},
                      KindCase{"ブラジルの国旗はどれ？", kKindFlag},
                      KindCase{"首都がブラジリアの国の国旗はどれ？", kKindFlag},
                      KindCase{"テスト問題", kKindOther}, KindCase{"", kKindOther}));

} // namespace

TEST(ResultsSummaryTest, CountsRoundsKindsContinentsAndTheWeakest)
{
    const std::vector<HistoryRow> rows = {
        Row("a.txt", "r1", 1, "jpn", kCountryQ, 'R', 2),
        Row("a.txt", "r1", 2, "fra", kCapitalQ, 'W', 4),
        Row("b.txt", "r2", 2, "fra", kCapitalQ, 'T', 11),
        Row("b.txt", "r2", 3, "xyz", "テスト問題", 'W', 3),
        Row("a.txt", "r3", 1, "jpn", kCountryQ, 'R', 1),
        Row("a.txt", "r3", 3, "xyz", "テスト問題", 'R', 1),
    };
    const ResultsSummary sum = SummarizeHistory(rows, "a.txt");
    EXPECT_EQ(sum.all.nRounds, 3);
    EXPECT_EQ(sum.all.nAnswers, 6);
    EXPECT_EQ(sum.all.nCorrect, 3);
    EXPECT_DOUBLE_EQ(sum.all.AverageSeconds(), 22.0 / 6);
    EXPECT_EQ(sum.current.nRounds, 2);
    EXPECT_EQ(sum.current.nAnswers, 4);
    EXPECT_DOUBLE_EQ(sum.current.Rate(), 75.0);

    EXPECT_EQ(sum.kinds[kKindCountry].nAnswers, 2);
    EXPECT_EQ(sum.kinds[kKindCountry].nCorrect, 2);
    EXPECT_EQ(sum.kinds[kKindCapital].nAnswers, 2);
    EXPECT_EQ(sum.kinds[kKindCapital].nCorrect, 0);
    EXPECT_EQ(sum.kinds[kKindOther].nAnswers, 2);
    EXPECT_EQ(sum.kinds[kKindRegion].nAnswers, 0);
    EXPECT_EQ(sum.continents[0].nAnswers, 2); // アジア: jpn
    EXPECT_EQ(sum.continents[1].nAnswers, 2); // ヨーロッパ: fra
    EXPECT_EQ(sum.continents[kContinentOther].nAnswers, 2);

    EXPECT_EQ(sum.recentRates, (std::vector<double>{50, 0, 100}));
    ASSERT_EQ(sum.weakest.size(), 2u);
    EXPECT_EQ(sum.weakest[0].strQuestion, Sjis(kCapitalQ));
    EXPECT_EQ(sum.weakest[0].strCountry, Sjis("フランス"));
    EXPECT_EQ(sum.weakest[0].nMissed, 2);
    EXPECT_EQ(sum.weakest[1].strCountry, "xyz");
    EXPECT_EQ(sum.weakest[1].nMissed, 1);
    EXPECT_EQ(sum.weakest[1].nAnswers, 2);
}

TEST(ResultsSummaryTest, KeepsTheLastThirtyRoundsAndTwentyWeakest)
{
    std::vector<HistoryRow> rows;
    std::vector<std::string> rounds;
    for (int i = 0; i < 40; ++i)
        rounds.push_back("r" + std::to_string(i));
    for (int i = 0; i < 40; ++i)
        rows.push_back(Row("a.txt", rounds[i].c_str(), static_cast<std::uint64_t>(i), "jpn",
                           kCountryQ, i < 39 ? 'W' : 'R', 1));
    const ResultsSummary sum = SummarizeHistory(rows, "none.txt");
    ASSERT_EQ(sum.recentRates.size(), 30u);
    EXPECT_EQ(sum.recentRates.back(), 100);
    EXPECT_EQ(sum.recentRates.front(), 0);
    EXPECT_EQ(sum.weakest.size(), 20u);
    EXPECT_EQ(sum.current.nAnswers, 0);
    EXPECT_EQ(SummarizeHistory({}, "a.txt").all.nRounds, 0);
}

// Wrong spellings: the latest first, each once, right answers' and time-outs' left out, at most
// five.
TEST(ResultsSummaryTest, TheWeakestKeepTheirWrongSpellings)
{
    std::vector<HistoryRow> rows;
    const char* typed[] = {"ぱりす", "パリー", "ぱりす",  "ろんどん",
                           "べるん", "ろーま", "まどりど"};
    for (const char* sz : typed) {
        rows.push_back(Row("a.txt", "r1", 7, "fra", kCapitalQ, 'W', 1));
        rows.back().strTyped = sz;
    }
    rows.push_back(Row("a.txt", "r1", 7, "fra", kCapitalQ, 'R', 1));
    rows.back().strTyped = "パリ";
    rows.push_back(Row("a.txt", "r1", 7, "fra", kCapitalQ, 'W', 1)); // chosen, not typed
    rows.push_back(Row("a.txt", "r1", 8, "jpn", kCapitalQ, 'W', 1));
    const ResultsSummary sum = SummarizeHistory(rows, "a.txt");
    ASSERT_EQ(sum.weakest.size(), 2u);
    EXPECT_EQ(sum.weakest[0].wrongTyped,
              (std::vector<std::string>{"まどりど", "ろーま", "べるん", "ろんどん", "ぱりす"}));
    EXPECT_TRUE(sum.weakest[1].wrongTyped.empty());
}

// Position answers count as 位置 whatever their clue says, and what was pointed at instead of the
// asked country is listed by pair, the most often first; a chosen answer, a time-out and the sea
// name nothing, and a typed text answer is no confusion.
TEST(ResultsSummaryTest, PositionAnswersCountAsTheirKindAndListTheCountriesConfused)
{
    std::vector<HistoryRow> rows;
    const auto add = [&](std::uint64_t nFingerprint, const char* szCode, const char* szQuestion,
                         char cResult, const char* szTyped) {
        rows.push_back(Row("a.txt", "r1", nFingerprint, szCode, szQuestion, cResult, 1));
        rows.back().strTyped = szTyped;
    };
    add(1, "tcd", "チャドはどこ？", 'W', "@ner");
    add(2, "lao", "この国旗の国はどこ？", 'W', "@vnm");
    add(1, "tcd", "チャドはどこ？", 'W', "@ner");
    add(1, "tcd", "チャドはどこ？", 'W', "@");
    add(1, "tcd", "チャドはどこ？", 'T', "@");
    add(2, "lao", "この国旗の国はどこ？", 'R', "@lao");
    add(3, "fra", kCapitalQ, 'W', "ろんどん");
    const ResultsSummary sum = SummarizeHistory(rows, "a.txt");
    EXPECT_EQ(sum.kinds[kKindPosition].nAnswers, 6);
    EXPECT_EQ(sum.kinds[kKindPosition].nCorrect, 1);
    EXPECT_EQ(sum.kinds[kKindCountry].nAnswers, 0);
    ASSERT_EQ(sum.confusions.size(), 2u);
    EXPECT_EQ(sum.confusions[0].strAsked, Sjis("チャド"));
    EXPECT_EQ(sum.confusions[0].strPointed, Sjis("ニジェール"));
    EXPECT_EQ(sum.confusions[0].nTimes, 2);
    EXPECT_EQ(sum.confusions[1].strPointed, Sjis("ベトナム"));
    EXPECT_EQ(sum.confusions[1].nTimes, 1);
}
