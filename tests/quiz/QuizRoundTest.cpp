#include "quiz/QuizRound.h"
#include "platform/ProfileStore.h"
#include "quiz/AnswerOrder.h"
#include "quiz/LampName.h"
#include "quiz/QuestionRecord.h"
#include "quiz/RateText.h"
#include "typing/TypedAnswerJudge.h"

#include "FakeRound.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {

const std::string kRight = Sjis("正解");
const std::string kWrong = Sjis("誤り");
const std::string kEnd = Sjis("終了!!");
const std::string kOpenError = Sjis("ファイルオープンエラー");

std::string Record(const std::string& code, const std::string& question, int nCorrect)
{
    return ComposeRecord(code + question, {"A1", "A2", "A3", "A4"}, nCorrect);
}

class RecordingObserver : public IAnswerObserver
{
  public:
    void OnRoundStarted() override { events.push_back("start"); }
    void OnQuestionShown() override { events.push_back("shown"); }
    void OnJudged(const JudgedAnswer& a) override
    {
        events.push_back("judged");
        answers.push_back(a);
    }
    void OnRoundEnded() override { events.push_back("end"); }
    std::string TakeNotice() override { return std::exchange(strNotice, {}); }
    std::vector<std::string> events;
    std::vector<JudgedAnswer> answers;
    std::string strNotice;
};

class QuizRoundTest : public ::testing::Test
{
  protected:
    QuizRoundTest() { m_round.AddObserver(&m_observer); }

    void WriteQuestions(const std::string& bytes, const char* szName = "sample0524.txt")
    {
        WriteFileBytes(m_dir / szName, bytes);
    }
    void Set(const char* szSection, int nValue) { m_store.WriteProfileInt(szSection, "1", nValue); }
    // Writes the records and starts a round of nCount questions with nLife wrong answers allowed
    // and nLimit seconds a question (0: no clock).
    void Start(const std::string& records, int nCount, int nLife, int nLimit = 0)
    {
        WriteQuestions(records);
        Set("QUESTION_CNT", nCount);
        Set("LIFE", nLife);
        Set("TIME_LIMIT", nLimit);
        m_round.OnButtonStart();
    }
    std::string CorrectLine(int n) { return Sjis("正解は") + std::to_string(n) + Sjis("番"); }
    // Ticks until the current question times out (limit + 1 ticks).
    void TimeOut(int nLimit)
    {
        for (int i = 0; i <= nLimit; ++i)
            m_round.OnTimer(kQuestionTimer);
    }

    PlayFolder m_dir;
    ProfileStore& m_store = m_dir.Store();
    RecordingView m_view;
    RecordingObserver m_observer; // hears every round
    ScriptedRandom m_random;
    std::time_t m_now = 1700000000;
    QuizRound m_round{m_store, m_view, m_random, [this] { return m_now; }};
};

} // namespace

TEST_F(QuizRoundTest, WithoutSettingsARoundHasNoTimeNoAllowanceAndThreeQuestions)
{
    WriteQuestions(Record("jpn", "q1", 0) + Record("fra", "q2", 1) + Record("usa", "q3", 2) +
                   Record("deu", "q4", 3));
    m_round.OnButtonStart();
    EXPECT_TRUE(m_view.bTimerRunning);
    EXPECT_EQ(m_view.nTimeMax, 0);
    EXPECT_FALSE(m_view.enabled[IDC_BUTTON_START]);
    EXPECT_TRUE(m_view.enabled[IDC_BUTTON_STOP]);
    EXPECT_TRUE(m_view.enabled[IDC_BUTTON_ANSWER4]);
    EXPECT_EQ(m_view.lamps,
              (std::map<int, std::uint32_t>{{1, kLampRed}, {2, kLampRed}, {3, kLampRed}}));
    EXPECT_EQ(m_round.m_nLife, 0);
    EXPECT_EQ(m_round.m_nRemaining, 3);

    TimeOut(0); // the first tick already times out
    EXPECT_EQ(m_round.m_nLife, -1);
    EXPECT_EQ(m_view.lamps[1], kLampRed); // -1 has no lamp
    TimeOut(0);
    EXPECT_TRUE(m_view.messages.empty());
    TimeOut(0);
    ASSERT_EQ(m_view.messages.size(), 1u); // ended on the count, not the allowance
    EXPECT_EQ(m_view.messages[0], std::make_pair(kEnd, 0x40u));
    EXPECT_EQ(m_view.judgements.size(), 3u);
    EXPECT_TRUE(m_view.effects.empty()); // time-outs make no sound
    EXPECT_TRUE(m_view.enabled[IDC_BUTTON_START]);
    EXPECT_FALSE(m_view.enabled[IDC_BUTTON_ANSWER1]);
    EXPECT_FALSE(m_view.bTimerRunning);
    EXPECT_EQ(m_round.m_strRate, "%");
}

TEST_F(QuizRoundTest, LampsGoOutFromTheBottomAndTheThirdLossEndsTheRound)
{
    Start(Record("jpn", "q", 0) + Record("jpn", "q", 0) + Record("jpn", "q", 0) +
              Record("jpn", "q", 0),
          10, 3, 5);
    ASSERT_EQ(m_round.m_nCorrectNo, 1); // row 0: stored order
    m_view.events.clear();
    m_round.JudgeAnswer(2);
    EXPECT_EQ(m_view.lamps[3], kLampWhite);
    EXPECT_EQ(m_view.events, (std::vector<std::string>{"lamp3", "judge"})); // lamp before popup
    EXPECT_EQ(m_view.judgements.back(), std::make_pair(kWrong, CorrectLine(1)));
    EXPECT_EQ(m_view.effects.back(), kEffectWrong);
    TimeOut(5);
    EXPECT_EQ(m_view.lamps[2], kLampWhite);
    EXPECT_EQ(m_view.lamps[1], kLampRed);
    m_round.JudgeAnswer(4);
    EXPECT_EQ(m_view.lamps[1], kLampWhite);
    EXPECT_EQ(m_view.messages.size(), 1u);
    EXPECT_EQ(m_round.m_nLife, 3); // read back from the settings at the end
}

TEST_F(QuizRoundTest, AnAllowanceOfFiveLightsNothingForTheFirstTwoLosses)
{
    Start(Record("jpn", "q", 0) + Record("jpn", "q", 0) + Record("jpn", "q", 0), 100, 5);
    m_round.JudgeAnswer(3);
    m_round.JudgeAnswer(3);
    EXPECT_EQ(m_view.lamps[3], kLampRed);
    m_round.JudgeAnswer(3);
    EXPECT_EQ(m_view.lamps[3], kLampWhite);
    EXPECT_EQ(m_view.lamps[2], kLampRed);
}

// A one-question review file asks its one question in either order and ends as a round ends;
// the learner's count stays for the next, larger file.
TEST_F(QuizRoundTest, ASmallFileAsksWhatItHoldsAndKeepsTheCount)
{
    Set("LIFE", 9);
    Set("QUESTION_CNT", 20);
    for (int nSeq : {0, 1}) {
        Set("SEQ", nSeq);
        m_view.messages.clear();
        WriteQuestions(Record("jpn", "q", 0));
        m_round.OnButtonStart();
        m_round.JudgeAnswer(1);
        ASSERT_EQ(m_view.messages.size(), 1u) << nSeq;
        EXPECT_EQ(m_view.messages[0].first, kEnd);
    }
    EXPECT_EQ(m_store.GetProfileIntA("QUESTION_CNT", "1", 0), 20);

    std::string bytes;
    for (int i = 0; i < 25; ++i)
        bytes += Record("jpn", "q", 0);
    WriteQuestions(bytes);
    m_round.OnButtonStart();
    for (int i = 0; i < 19; ++i)
        m_round.JudgeAnswer(1);
    EXPECT_EQ(m_view.messages.size(), 1u); // still the previous round's
    m_round.JudgeAnswer(1);
    EXPECT_EQ(m_view.messages.size(), 2u);
}

TEST_F(QuizRoundTest, TimesOutOnlyOnTheTickAfterTheLimit)
{
    Start(Record("jpn", "q", 0) + Record("jpn", "q", 0), 3, 9, 3);
    for (int i = 1; i <= 3; ++i) {
        m_round.OnTimer(kQuestionTimer);
        EXPECT_EQ(m_view.nTimePos, i);
    }
    m_round.OnTimer(2); // other timers are not the question clock
    EXPECT_TRUE(m_view.judgements.empty());
    m_round.OnTimer(kQuestionTimer);
    ASSERT_EQ(m_view.judgements.size(), 1u);
    EXPECT_EQ(m_view.nTimePos, 0);
    EXPECT_EQ(m_round.m_nTick, 0);

    // A limit lowered below the ticks already counted: this question never times out.
    TimeOut(2); // three ticks under the limit of 3
    Set("TIME_LIMIT", 1);
    for (int i = 0; i < 20; ++i)
        m_round.OnTimer(kQuestionTimer);
    EXPECT_EQ(m_view.judgements.size(), 1u);
    EXPECT_EQ(m_view.nTimeMax, 3); // the bar keeps the range from the round start
}

TEST_F(QuizRoundTest, StopAtTheFirstQuestionShowsTheRateAsPercentAlone)
{
    WriteQuestions(Record("jpn", "q", 0));
    m_round.OnButtonStart();
    m_round.OnButtonStop();
    EXPECT_EQ(m_view.messages.back().first, kEnd);
    EXPECT_EQ(m_round.m_strRate, "%");
    EXPECT_FALSE(m_view.enabled[IDC_BUTTON_STOP]);
}

TEST_F(QuizRoundTest, TwoRightOfThreeReads66Point7)
{
    Start(Record("jpn", "q", 0) + Record("jpn", "q", 0) + Record("jpn", "q", 0), 3, 3);
    m_round.JudgeAnswer(1);
    EXPECT_EQ(m_round.m_strRate, "100.0%"); // refreshed by the next draw
    m_round.JudgeAnswer(2);
    m_round.JudgeAnswer(1);
    EXPECT_EQ(m_round.m_strRate, "66.7%");
    EXPECT_EQ(m_view.effects, (std::vector<int>{kEffectCorrect, kEffectWrong, kEffectCorrect}));
    EXPECT_EQ(m_view.judgements[0], std::make_pair(kRight, CorrectLine(1)));
}

TEST_F(QuizRoundTest, ARecordWithoutAStarKeepsThePreviousNumber)
{
    m_random.values = {0, 0, 0};
    Start(Record("jpn", "q", 4) + Record("jpn", "q", 2) + Record("jpn", "q", 4), 9, 9);
    EXPECT_EQ(m_round.m_nCorrectNo, 0);
    m_round.JudgeAnswer(1);
    EXPECT_EQ(m_view.judgements.back(), std::make_pair(kWrong, CorrectLine(0)));
    EXPECT_EQ(m_round.m_nCorrectNo, 3);
    m_round.JudgeAnswer(1);
    EXPECT_EQ(m_round.m_nCorrectNo, 3);
}

TEST(LampName, SaysWhichLampAndWhetherItIsLitOrUsed)
{
    const struct
    {
        int nLamp;
        std::optional<std::uint32_t> nColor;
        const char* szName;
    } cases[] = {
        {1, kLampRed, "誤答ランプ1 点灯"},
        {3, kLampWhite, "誤答ランプ3 使用済み"},
        {2, std::nullopt, "誤答ランプ2 消灯"}, // before the first round
        {2, 0x00FF00, "誤答ランプ2 消灯"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LampName(c.nLamp, c.nColor), Sjis(c.szName)) << c.szName;
}

TEST(AnswerOrder, EveryRowIsAPermutationAndTheRightHalfInvertsIt)
{
    std::set<std::vector<int>> rows;
    for (int k = 0; k < kAnswerOrderCount; ++k) {
        std::vector<int> row;
        for (int p = 1; p <= 4; ++p) {
            row.push_back(StoredAt(k, p));
            EXPECT_EQ(PositionOf(k, StoredAt(k, p)), p);
        }
        rows.insert(row);
    }
    EXPECT_EQ(rows.size(), 24u);
    EXPECT_EQ(PositionOf(23, 1), 4);
    EXPECT_EQ(PositionOf(9, 4), 1);
    EXPECT_EQ(PositionOf(5, 2), 4);
    EXPECT_EQ(StoredAt(4, 2), 4); // rows 4 and 5 keep their historical order
    EXPECT_EQ(StoredAt(5, 2), 3);
}

TEST_F(QuizRoundTest, DrawAppliesTheRowAndFindsTheRightButton)
{
    const std::string bytes = ComposeRecord("jpnQ", {"s1", "s2", "s3", "s4"}, 0);
    WriteQuestions(bytes);
    struct Case
    {
        int nRow;
        int nCorrectStored;
        int nButton;
    };
    for (Case c : {Case{23, 0, 4}, Case{9, 3, 1}, Case{5, 1, 4}, Case{0, 0, 1}}) {
        WriteQuestions(ComposeRecord("jpnQ", {"s1", "s2", "s3", "s4"}, c.nCorrectStored));
        m_random.values = {c.nRow};
        ASSERT_TRUE(m_round.DrawQuestion());
        EXPECT_EQ(m_round.m_nCorrectNo, c.nButton) << c.nRow;
        for (int p = 1; p <= 4; ++p)
            EXPECT_EQ(m_round.m_strAnswers[static_cast<std::size_t>(p - 1)].substr(0, 2),
                      "s" + std::to_string(StoredAt(c.nRow, p)));
    }
    // Stars at stored answers 2 and 4 with row 0: the first one counts.
    std::string twoStars = ComposeRecord("jpnQ", {"s1", "s2", "s3", "s4"}, 1);
    twoStars[340] = '*';
    WriteQuestions(twoStars);
    m_random.values = {0};
    m_round.DrawQuestion();
    EXPECT_EQ(m_round.m_nCorrectNo, 2);
}

TEST_F(QuizRoundTest, FileOrderWalksFromTheFirstRecordAndShowsPadding)
{
    WriteQuestions(Record("jpn", "first", 0) + Record("xyz", "second", 0));
    m_round.m_nSeq = 0;
    m_round.m_nAnswered = 0;
    m_round.DrawQuestion();
    EXPECT_EQ(m_round.m_strQuestion, "first" + std::string(91, ' '));
    EXPECT_EQ(m_round.m_strAnswers[0].size(), 79u);
    m_round.m_nAnswered = 1;
    m_round.DrawQuestion();
    EXPECT_EQ(m_round.m_strQuestion.substr(0, 6), "second");
    EXPECT_EQ(m_view.flags, (std::vector<std::optional<int>>{199, std::nullopt}));
    EXPECT_EQ(m_view.nTimePos, 0);
    EXPECT_TRUE(m_random.values.empty());
    EXPECT_EQ(m_random.seeds, (std::vector<unsigned>{1700000000u, 1700000000u}));
}

TEST_F(QuizRoundTest, RandomOrderTakesRandModuloTheWholeRecords)
{
    WriteQuestions(Record("jpn", "r0", 0) + Record("fra", "r1", 0) + Record("usa", "r2", 0));
    m_round.m_nSeq = 1;
    m_random.values = {7, 0}; // 7 mod 3 = 1
    m_round.DrawQuestion();
    EXPECT_EQ(m_round.m_strQuestion.substr(0, 2), "r1");
    m_round.EndRound(); // the next round may find another file
    WriteQuestions(Record("deu", "only", 0));
    m_random.values = {12345, 0};
    m_round.DrawQuestion();
    EXPECT_EQ(m_round.m_strQuestion.substr(0, 4), "only");
}

TEST_F(QuizRoundTest, TwoDrawsInOneSecondWithTheRealGeneratorAgree)
{
    std::string bytes;
    for (int i = 0; i < 50; ++i)
        bytes += Record("jpn", "q" + std::to_string(i), i % 4);
    WriteQuestions(bytes);
    RuntimeRandom random;
    QuizRound round(m_store, m_view, random, [] { return std::time_t{1234}; });
    round.m_nSeq = 1;
    round.DrawQuestion();
    const std::string strQuestion = round.m_strQuestion;
    const auto answers = round.m_strAnswers;
    round.DrawQuestion();
    EXPECT_EQ(round.m_strQuestion, strQuestion);
    EXPECT_EQ(round.m_strAnswers, answers);
}

TEST_F(QuizRoundTest, BeyondTheLastRecordOrInAnEmptyFileNothingIsShown)
{
    WriteQuestions(Record("jpn", "q0", 1) + Record("jpn", "q1", 1));
    m_round.m_nAnswered = 0;
    m_round.DrawQuestion();
    EXPECT_EQ(m_round.m_nCorrectNo, 2);
    for (int nIndex : {2, 1000}) {
        m_view.messages.clear();
        m_round.m_nAnswered = nIndex;
        EXPECT_FALSE(m_round.DrawQuestion());
        ASSERT_EQ(m_view.messages.size(), 1u);
        EXPECT_NE(
            m_view.messages[0].first.find(std::to_string(nIndex + 1) + Sjis("問目がありません")),
            std::string::npos);
        EXPECT_EQ(m_round.m_strQuestion.substr(0, 2), "q0"); // the last whole question stays
        EXPECT_EQ(m_view.flags.size(), 1u);
    }
    WriteQuestions("");
    m_round.m_nSeq = 1;
    EXPECT_FALSE(m_round.DrawQuestion()); // no whole record: no division by zero
    EXPECT_EQ(m_view.messages.size(), 2u);
}

TEST_F(QuizRoundTest, AFileRemovedDuringARoundStopsItByNameAndKeepsTheScreen)
{
    Start(Record("jpn", "q0", 0) + Record("jpn", "q1", 0), 5, 5);
    std::filesystem::remove(m_dir / "sample0524.txt");
    m_round.JudgeAnswer(1);
    ASSERT_EQ(m_view.messages.size(), 1u);
    EXPECT_EQ(m_view.messages[0].first.rfind(kOpenError + "\nsample0524.txt\n", 0), 0u);
    EXPECT_EQ(m_view.messages[0].second, 0x10u);
    EXPECT_FALSE(m_view.bTimerRunning); // the round is over, without "終了!!"
    EXPECT_TRUE(m_view.enabled[IDC_BUTTON_START]);
    EXPECT_EQ(m_round.m_strQuestion.substr(0, 2), "q0");

    std::filesystem::create_directory(m_dir / "sample0524.txt");
    m_round.OnButtonStart();
    EXPECT_EQ(m_view.messages.size(), 2u);
    EXPECT_FALSE(m_view.bTimerRunning);

    m_store.WriteProfileStringA("QUESTION", "1", Sjis("日本.txt"));
    WriteFileBytes(m_dir / "日本.txt", std::string(3 * 420, ' ') + Record("jpn", "jp", 0));
    m_round.OnButtonStart();
    m_round.JudgeAnswer(1);
    m_round.JudgeAnswer(1);
    m_round.JudgeAnswer(1);
    EXPECT_EQ(m_round.m_strQuestion.substr(0, 2), "jp");
    EXPECT_TRUE(m_view.bTimerRunning);
}

struct RateCase
{
    int nCorrect;
    int nAnswered;
    const char* szText;
};

class FormatRateTest : public ::testing::TestWithParam<RateCase>
{
};

TEST_P(FormatRateTest, PrintsOneDecimalThenPercent)
{
    EXPECT_EQ(FormatRate(GetParam().nCorrect, GetParam().nAnswered), GetParam().szText);
}

INSTANTIATE_TEST_SUITE_P(Rates, FormatRateTest,
                         ::testing::Values(RateCase{0, 5, "%"}, RateCase{0, 0, "%"},
                                           RateCase{1, 3, "33.3%"}, RateCase{2, 2, "100.0%"},
                                           RateCase{1, 20, " 5.0%"}, RateCase{2, 3, "66.7%"}),
                         [](const auto& info) { return "rate" + std::to_string(info.index); });

TEST_F(QuizRoundTest, ANameFromTheSettingsStaysInsideTheCurrentFolder)
{
    WriteFileBytes(m_dir / "x.txt", Record("jpn", "inside", 0));
    for (const char* szName : {"/x.txt", "x.txt", "//x.txt"}) {
        m_store.WriteProfileStringA("QUESTION", "1", szName);
        ASSERT_TRUE(m_round.DrawQuestion()) << szName;
        EXPECT_EQ(m_round.m_strQuestion.substr(0, 6), "inside");
    }
    m_store.WriteProfileStringA("QUESTION", "1", "/etc/hostname");
    EXPECT_FALSE(m_round.DrawQuestion());
    m_store.WriteProfileStringA("QUESTION", "1", "");
    EXPECT_FALSE(m_round.DrawQuestion()); // an empty name is no file, not the folder itself
    EXPECT_EQ(m_view.messages.size(), 2u);
}

TEST_F(QuizRoundTest, TheObserverHearsEachVerdictWithItsRecord)
{
    const std::string records =
        Record("jpn", "q1", 0) + Record("fra", "q2", 1) + Record("usa", "q3", 2);
    Start(records, 3, 3, 5);
    m_round.JudgeAnswer(m_round.m_nCorrectNo);
    m_round.JudgeAnswer(m_round.m_nCorrectNo % 4 + 1);
    TimeOut(5);

    const std::vector<std::string> expected = {"start",  "shown", "judged", "shown",
                                               "judged", "shown", "judged", "end"};
    EXPECT_EQ(m_observer.events, expected);
    ASSERT_EQ(m_observer.answers.size(), 3u);
    const AnswerResult results[] = {AnswerResult::Correct, AnswerResult::Wrong,
                                    AnswerResult::TimeOut};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m_observer.answers[i].nRecord, i);
        EXPECT_EQ(m_observer.answers[i].strRecord, records.substr(i * kRecordSize, kRecordSize));
        EXPECT_EQ(m_observer.answers[i].strFile, "sample0524.txt");
        EXPECT_EQ(m_observer.answers[i].result, results[i]);
    }
    // A round whose file cannot be opened shows no question, so nothing is reported.
    m_store.WriteProfileStringA("QUESTION", "1", "missing.txt");
    m_round.OnButtonStart();
    m_round.JudgeAnswer(1);
    EXPECT_EQ(m_observer.answers.size(), 3u);
}

// What an observer must say (a verdict it could not keep) comes at once, on the question's own
// time, and the round goes on.
TEST_F(QuizRoundTest, AnObserversNoticeIsShownRightAfterItsVerdict)
{
    Start(Record("jpn", "q1", 0) + Record("fra", "q2", 1), 2, 3, 5);
    m_observer.strNotice = "full";
    m_round.JudgeAnswer(m_round.m_nCorrectNo);
    ASSERT_EQ(m_view.messages.size(), 1u);
    EXPECT_EQ(m_view.messages[0], (std::pair<std::string, unsigned>{"full", 0x10}));
    EXPECT_TRUE(m_view.bTimerRunning);
    EXPECT_EQ(m_round.m_nRemaining, 1);
}

namespace {

std::string CapitalRecord(const char* szCode, int nCorrect)
{
    return ComposeRecord(std::string(szCode) + Sjis("この国旗の国の首都はどこ？"),
                         {Sjis("パリ"), Sjis("東京"), Sjis("ロンドン"), Sjis("ムンバイ")},
                         nCorrect);
}

} // namespace

// Typing: the switch and a judge make text questions typed; buttons no longer answer, an empty
// text does nothing, and the popup names the right answer as the file writes it.
TEST_F(QuizRoundTest, TypedAnswersAreJudgedByTheFactsAndNamedInThePopup)
{
    const std::string records = CapitalRecord("fra", 0) + CapitalRecord("jpn", 1) +
                                CapitalRecord("xyz", 3) + CapitalRecord("gbr", 2) +
                                CapitalRecord("fra", 0) + CapitalRecord("jpn", 1);
    m_store.Write(ProfileKeys::kTyping, 1);
    TypedAnswerJudge judge;
    Start(records, 6, 5, 3);
    EXPECT_FALSE(m_round.IsTypingQuestion()) << "no judge, no typing";
    const int nCorrectNo = m_round.m_nCorrectNo;
    m_round.JudgeAnswer(nCorrectNo); // still answered by choosing
    EXPECT_EQ(m_view.judgements.back(), std::make_pair(kRight, CorrectLine(nCorrectNo)));

    EXPECT_TRUE(m_view.enabled[IDC_BUTTON_ANSWER1]);
    EXPECT_FALSE(m_view.enabled[IDC_EDIT_ANSWER]);
    m_round.SetTypedAnswerJudge(&judge);
    m_round.OnButtonStart();
    ASSERT_TRUE(m_round.IsTypingQuestion());
    EXPECT_FALSE(m_view.enabled[IDC_BUTTON_ANSWER1]); // so keys 1-4 reach the field
    EXPECT_FALSE(m_view.enabled[IDC_BUTTON_ANSWER4]);
    EXPECT_TRUE(m_view.enabled[IDC_EDIT_ANSWER]);
    m_round.JudgeAnswer(m_round.m_nCorrectNo);
    m_round.JudgeTyped("　ー ");
    EXPECT_EQ(m_round.m_nAnswered, 0) << "neither a button nor an empty text answers";
    m_round.JudgeTyped("ﾊﾟﾘ");
    EXPECT_EQ(m_view.judgements.back(), std::make_pair(kRight, Sjis("正解は パリ")));
    m_round.JudgeTyped("とうきょう"); // the reading of the kanji answer
    EXPECT_EQ(m_view.judgements.back(), std::make_pair(kRight, Sjis("正解は 東京")));
    m_round.JudgeTyped("むんばい"); // a code the table lacks: the marked answer, folded
    EXPECT_EQ(m_view.judgements.back().first, kRight);
    m_round.JudgeTyped("パリ"); // wrong for London
    EXPECT_EQ(m_view.judgements.back(), std::make_pair(kWrong, Sjis("正解は ロンドン")));
    m_store.Write(ProfileKeys::kTyping, 0); // from the next question on
    ASSERT_TRUE(m_round.IsTypingQuestion());
    TimeOut(3);
    EXPECT_EQ(m_view.judgements.back(), std::make_pair(kWrong, Sjis("正解は パリ")));
    EXPECT_FALSE(m_round.IsTypingQuestion());
    EXPECT_TRUE(m_view.enabled[IDC_BUTTON_ANSWER1]);
    EXPECT_FALSE(m_view.enabled[IDC_EDIT_ANSWER]);
    m_round.JudgeTyped("東京");
    EXPECT_EQ(m_round.m_nAnswered, 5);
    m_round.JudgeAnswer(m_round.m_nCorrectNo);
    EXPECT_EQ(m_round.m_nAnswered, 6);
    EXPECT_EQ(m_round.m_nCorrect, 4);

    ASSERT_EQ(m_observer.answers.size(), 7u);
    const char* typed[] = {"", "ﾊﾟﾘ", "とうきょう", "むんばい", "パリ", "", ""};
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(m_observer.answers[i].strTyped, typed[i]) << i;
    EXPECT_EQ(m_observer.answers[5].result, AnswerResult::TimeOut);
}

// A right typed answer the file writes otherwise is named beside the file's, for that popup only.
TEST_F(QuizRoundTest, APopupNamesTheFormTypedWhenItIsNotTheFilesOwn)
{
    const std::string usa = ComposeRecord("usa" + Sjis("この国旗の国の首都はどこ？"),
                                          {Sjis("ワシントンD.C."), Sjis("パリ"), "c", "d"}, 0);
    m_store.Write(ProfileKeys::kTyping, 1);
    TypedAnswerJudge judge;
    m_round.SetTypedAnswerJudge(&judge);
    Start(usa + usa, 2, 5);
    m_round.JudgeTyped("わしんとん");
    EXPECT_EQ(m_view.judgements.back(),
              std::make_pair(kRight, Sjis("正解は ワシントンD.C.（ワシントンも可）")));
    m_round.JudgeTyped("ワシントンDC");
    EXPECT_EQ(m_view.judgements.back(), std::make_pair(kRight, Sjis("正解は ワシントンD.C.")));
}

// A file that mixes both kinds: the flag-choice question hides the asked flag, hands the view
// its four codes in the drawn order, and is judged, announced and reported like any other.
TEST_F(QuizRoundTest, AFlagChoiceQuestionShowsFourFlagsInTheDrawnOrderAndNoAskedFlag)
{
    const std::string flagRecord =
        ComposeRecord("bra" + Sjis("ブラジルの国旗はどれ？"), {"prt", "bra", "arg", "col"}, 1);
    const std::string records = Record("jpn", "q1", 0) + flagRecord + Record("fra", "q3", 2);
    m_random.values = {0, 9, 0};
    Start(records, 3, 3);
    m_round.JudgeAnswer(m_round.m_nCorrectNo);

    ASSERT_EQ(m_view.flags.size(), 2u);
    EXPECT_EQ(m_view.flags[1], std::nullopt);
    ASSERT_EQ(m_view.flagChoices.size(), 2u);
    EXPECT_EQ(m_view.flagChoices[0], std::nullopt);
    std::array<std::string, 4> shown;
    for (int p = 1; p <= 4; ++p)
        shown[static_cast<std::size_t>(p - 1)] =
            std::array<std::string, 4>{"prt", "bra", "arg", "col"}[StoredAt(9, p) - 1];
    EXPECT_EQ(m_view.flagChoices[1], shown);
    const int nRight = m_round.m_nCorrectNo;
    EXPECT_EQ(shown[static_cast<std::size_t>(nRight - 1)], "bra");
    for (const std::string& answer : m_round.m_strAnswers)
        EXPECT_EQ(answer, ""); // a code never reaches the text rows

    m_round.JudgeAnswer(nRight % 4 + 1);
    EXPECT_EQ(m_view.judgements[1], std::make_pair(kWrong, CorrectLine(nRight)));
    EXPECT_EQ(m_view.lamps[3], kLampWhite);
    ASSERT_EQ(m_view.flagChoices.size(), 3u);
    EXPECT_EQ(m_view.flagChoices[2], std::nullopt);
    EXPECT_TRUE(m_view.flags[2].has_value()); // the next text question brings its flag back
    m_round.JudgeAnswer(m_round.m_nCorrectNo);
    ASSERT_EQ(m_observer.answers.size(), 3u);
    EXPECT_EQ(m_observer.answers[1].strRecord, flagRecord);
    EXPECT_EQ(m_observer.answers[1].result, AnswerResult::Wrong);
}
