#include "learning/ReviewSchedule.h"
#include "learning/HistoryRecorder.h"
#include "learning/ResultsSummary.h"
#include "learning/ReviewFile.h"
#include "platform/Cp932.h"
#include "platform/LocalTime.h"
#include "platform/ProfileStore.h"
#include "quiz/QuestionRecord.h"
#include "zukan/LearnerRecord.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>

namespace {

constexpr std::int64_t kDay0 = 20000; // days since 1970: 2024-10-04

// An answer on a day after kDay0 at a given hour, in UTC+09:00.
HistoryRow Answer(std::uint64_t nFingerprint, char cResult, int nDay, int nHour = 9,
                  const char* szFile = "a.txt")
{
    const std::int64_t nUtc = (kDay0 + nDay) * 86400 + nHour * 3600 - 9 * 3600;
    char buf[32];
    const std::time_t t = static_cast<std::time_t>(nUtc + 9 * 3600);
    const std::tm tm = *std::gmtime(&t); // tests run on one thread
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S+09:00", &tm);
    const AnswerResult result = cResult == 'R'   ? AnswerResult::Correct
                                : cResult == 'W' ? AnswerResult::Wrong
                                                 : AnswerResult::TimeOut;
    static std::deque<std::string> times; // the rows' texts point here
    return {times.emplace_back(buf), szFile, 1, nFingerprint, "jpn", result, 1.0, "r", "q"};
}

struct BoxCase
{
    const char* szResults; // one answer a day: R right, W wrong, T time-out
    int nBox;
    int nDueAfter;
};
class LeitnerBoxTest : public ::testing::TestWithParam<BoxCase>
{
};

TEST_P(LeitnerBoxTest, AnswersMoveTheBoxAndTheBoxSetsTheDueDay)
{
    const BoxCase& c = GetParam();
    std::vector<HistoryRow> rows;
    for (int i = 0; c.szResults[i]; ++i)
        rows.push_back(Answer(1, c.szResults[i], i));
    const ReviewSchedule schedule(rows);
    const int nLast = static_cast<int>(std::strlen(c.szResults)) - 1;
    EXPECT_EQ(schedule.CardOf(1)->nBox, c.nBox);
    EXPECT_EQ(ReviewSchedule::DueAfterDays(c.nBox), c.nDueAfter);
    if (c.nDueAfter > 0)
        EXPECT_FALSE(schedule.IsDue(1, kDay0 + nLast + c.nDueAfter - 1));
    EXPECT_TRUE(schedule.IsDue(1, kDay0 + nLast + c.nDueAfter));
    EXPECT_FALSE(schedule.IsDue(2, kDay0 + 100)); // never answered, never due
}
INSTANTIATE_TEST_SUITE_P(Boxes, LeitnerBoxTest,
                         ::testing::Values(BoxCase{"W", 1, 0}, BoxCase{"T", 1, 0},
                                           BoxCase{"R", 2, 1}, BoxCase{"RR", 3, 3},
                                           BoxCase{"RRR", 4, 7}, BoxCase{"RRRR", 5, 14},
                                           BoxCase{"RRRRRR", 5, 14}, BoxCase{"RRRW", 1, 0},
                                           BoxCase{"WR", 2, 1}, BoxCase{"RRTRR", 3, 3}));

std::string Rec(const char* szCode)
{
    return ComposeRecord(std::string(szCode) + "q", {"A", "B", "C", "D"}, 0);
}

} // namespace

TEST(ReviewFileTest, HoldsTheDueRecordsBoxOneFirstThenTheOldestEachOnce)
{
    const std::string r1 = Rec("aaa"), r2 = Rec("bbb"), r3 = Rec("ccc"), r4 = Rec("ddd");
    const std::string file = r1 + r2 + r3 + r4 + r2 + "tail";
    const auto fp = [](const std::string& r) { return RecordFingerprint(r); };
    const std::vector<HistoryRow> rows = {
        Answer(fp(r3), 'R', 0, 8), // box 2, due on day 1
        Answer(fp(r1), 'W', 0, 10),
        Answer(fp(r2), 'R', 0, 9, "復習-1.txt"), // played from a review file: same question
        Answer(fp(r2), 'T', 0, 9, "復習-1.txt"),
    };
    const ReviewSchedule schedule(rows);
    EXPECT_EQ(schedule.DueRecords(file, kDay0), r2 + r1);
    EXPECT_EQ(schedule.DueRecords(file, kDay0 + 1), r2 + r1 + r3);
    EXPECT_EQ(schedule.DueRecords(r4, kDay0 + 1), "");
}

TEST(ReviewFileTest, IsWrittenUnderAFreshNameNeverOverwritingAndBecomesTheQuestionFile)
{
    const ScopedTimeZone zone("UTC");
    TempDir dir, settings;
    ProfileStore profile(settings / "Parameter.INI");
    const std::string r1 = Rec("aaa"), r2 = Rec("bbb");
    const ReviewSchedule schedule({Answer(RecordFingerprint(r2), 'W', 0)});
    const std::time_t now = (kDay0 + 1) * 86400 + 3600 * 13 + 60 * 5;
    EXPECT_FALSE(WriteReviewFile(profile, dir.Path(), r1, schedule, now));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 0);

    for (const char* szName : {"復習-20241005-1305.txt", "復習-20241005-1305-2.txt"}) {
        const std::optional<NewQuestionFile> made =
            WriteReviewFile(profile, dir.Path(), r1 + r2, schedule, now);
        ASSERT_TRUE(made && made->Ok()) << (made ? made->strError : "");
        EXPECT_EQ(made->strName, Sjis(szName));
        EXPECT_EQ(ReadFileBytes(dir / szName), r2);
        EXPECT_EQ(profile.Get(ProfileKeys::kQuestionFile), Sjis(szName));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
    const std::optional<NewQuestionFile> failed =
        WriteReviewFile(profile, dir / "missing", r2, schedule, now);
    ASSERT_TRUE(failed);
    EXPECT_FALSE(failed->bWritten);
}

// A regenerated file gives a missed question other wrong choices, moves its right answer and
// its place: the miss is still due, in the review file, the results and the 図鑑's record.
TEST(ReviewFileTest, AMissSurvivesANewerFileThatChangesItsWrongChoices)
{
    const ScopedTimeZone zone("UTC");
    TempDir dir;
    ScopedCurrentDir cd(dir.Path());
    std::time_t now = (kDay0 + 1) * 86400 + 3600 * 13;
    HistoryRecorder recorder([&] { return now; }, [] { return 0.0; });
    const std::string q = Sjis("jpnこの国の首都は？");
    const std::string before = ComposeRecord(q, {Sjis("東京"), "A", "B", "C"}, 0);
    const std::string after = ComposeRecord(q, {"X", "Y", Sjis("東京"), "Z"}, 2);
    const std::string other = Rec("fra");
    // A line from before keys, of a record no newer file changes: it keeps working.
    char fp[17];
    std::snprintf(fp, sizeof fp, "%016llx",
                  static_cast<unsigned long long>(RecordFingerprint(other)));
    const std::string strOld =
        FormatLocalTime(now) + "\tq.txt\t1\t" + fp + "\tfra\t誤り\t1.0\tr\tq\t\n";
    WriteFileBytes(dir / kHistoryFileName, kHistoryHeader + strOld);

    recorder.OnRoundStarted();
    recorder.OnQuestionShown();
    recorder.OnJudged({0, before, "q.txt", AnswerResult::Wrong, {}});
    recorder.OnRoundEnded();

    const std::string file = other + after; // regenerated: changed and moved
    const std::int64_t nToday = LocalDay(now);
    const ReviewSchedule schedule(ReadHistory(dir / kHistoryFileName).rows);
    EXPECT_EQ(schedule.DueRecords(file, nToday), other + after);
    ProfileStore profile(dir / "Parameter.INI");
    const std::optional<NewQuestionFile> made =
        WriteReviewFile(profile, dir.Path(), file, schedule, now);
    ASSERT_TRUE(made && made->Ok());
    EXPECT_EQ(ReadFileBytes(dir / Cp932::ToUtf8(made->strName)), other + after);

    // Answered right in its new form, it is one question that moved up a box.
    recorder.OnJudged({1, after, "q.txt", AnswerResult::Correct, {}});
    const HistoryLog log = ReadHistory(dir / kHistoryFileName);
    EXPECT_EQ(ReviewSchedule(log.rows).DueRecords(after, nToday), "");
    EXPECT_EQ(LearnerRecords(log.rows)["jpn"].nDueDay, nToday + 1);
    const ResultsSummary sum = SummarizeHistory(log.rows, "q.txt");
    ASSERT_EQ(sum.weakest.size(), 2u);
    EXPECT_EQ(sum.weakest[1].strQuestion, Sjis("この国の首都は？"));
    EXPECT_EQ(sum.weakest[1].nAnswers, 2);
    EXPECT_EQ(sum.weakest[1].nMissed, 1);
}
