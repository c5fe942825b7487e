#include "learning/AnswerHistory.h"
#include "learning/HistoryRecorder.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "quiz/QuestionRecord.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

HistoryRow Row(const char* szTime, AnswerResult result, std::uint64_t nFingerprint = 0xabc)
{
    return {szTime,
            "sample0524.txt",
            7,
            nFingerprint,
            "jpn",
            result,
            2.5,
            "2026-12-08T10:00:00+09:00",
            "この国旗はどの国の国旗？"};
}

void ExpectSameRow(const HistoryRow& a, const HistoryRow& b)
{
    EXPECT_EQ(a.strTime, b.strTime);
    EXPECT_EQ(a.strFile, b.strFile);
    EXPECT_EQ(a.nRecord, b.nRecord);
    EXPECT_EQ(a.nFingerprint, b.nFingerprint);
    EXPECT_EQ(a.strCode, b.strCode);
    EXPECT_EQ(a.result, b.result);
    EXPECT_DOUBLE_EQ(a.dSeconds, b.dSeconds);
    EXPECT_EQ(a.strRound, b.strRound);
    EXPECT_EQ(a.strQuestion, b.strQuestion);
    EXPECT_EQ(a.strTyped, b.strTyped);
    EXPECT_EQ(a.nKey, b.nKey);
}

} // namespace

TEST(AnswerHistoryTest, LinesReadBackAsWrittenAndTheFingerprintIsFnv1a)
{
    EXPECT_EQ(RecordFingerprint(""), 0xcbf29ce484222325ULL);
    EXPECT_EQ(RecordFingerprint("a"), 0xaf63dc4c8601ec8cULL);
    HistoryRow row = Row("2026-12-08T10:00:03+09:00", AnswerResult::TimeOut, ~0ULL);
    row.nKey = 0x123456789abcdef0ULL;
    const std::string line = FormatHistoryLine(row);
    EXPECT_NE(line.find("\tffffffffffffffff\tjpn\t時間切れ\t2.5\t"), std::string::npos);
    EXPECT_NE(line.find("\t123456789abcdef0\n"), std::string::npos);
    ExpectSameRow(*ParseHistoryLine(line.substr(0, line.size() - 1)), row);

    row.strQuestion = "a\tb\nc"; // a field never splits a line
    row.strTyped = "ﾊﾟﾘ\t";
    const std::string mixed = FormatHistoryLine(row);
    EXPECT_EQ(ParseHistoryLine(mixed.substr(0, mixed.size() - 1))->strQuestion, "a b c");
    EXPECT_EQ(ParseHistoryLine(mixed.substr(0, mixed.size() - 1))->strTyped, "ﾊﾟﾘ ");
}

TEST(AnswerHistoryTest, TheHeaderTornAndMalformedLinesAreSkipped)
{
    const std::string good =
        FormatHistoryLine(Row("2026-12-08T10:00:03+09:00", AnswerResult::Correct));
    const std::string text =
        std::string(kHistoryHeader) + good +
        "x\tsample0524.txt\t7\tabc\tjpn\t正解\t1.0\tr\tq\tt\tKEY\n" +  // key
        "x\tsample0524.txt\t7\tabc\tjpn\t正解\t1.0\tr\tq\tt\t1\tX\n" + // 12 fields
        "x\tsample0524.txt\t7\tabc\tjpn\t正解\t1.0\tr\tq\tt\n" +       // 10: before key
        "x\tsample0524.txt\t7\tabc\tjpn\t正解\t1.0\tr\n" +             // 8
        "x\tsample0524.txt\t7\tabc\tjpn\t誤り\t1.0\tr\tq\n" +          // 9: before typed
        "x\tsample0524.txt\t7\tabc\tjpn\t正解?\t1.0\tr\tq\n" +         // result
        "x\tsample0524.txt\t7\tXYZ\tjpn\t正解\t1.0\tr\tq\n" +          // fingerprint
        good.substr(0, good.size() - 1) + "\r\n" +                     // CRLF is fine
        good.substr(0, 40);                                            // torn
    const std::vector<HistoryRow> rows = ParseHistory(text);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].strTyped, "t");
    EXPECT_EQ(rows[1].nKey, 0u);
    EXPECT_EQ(rows[2].result, AnswerResult::Wrong);
    EXPECT_EQ(rows[2].strQuestion, "q");
    EXPECT_EQ(rows[2].strTyped, "");
}

TEST(AnswerHistoryTest, AppendingStartsWithTheHeaderAndMendsATornTail)
{
    TempDir dir;
    const auto path = dir / kHistoryFileName;
    const HistoryRow a = Row("2026-12-08T10:00:03+09:00", AnswerResult::Correct);
    const HistoryRow b = Row("2026-12-08T10:00:09+09:00", AnswerResult::Wrong);
    ASSERT_TRUE(AppendHistoryRow(path, a));
    EXPECT_EQ(ReadFileBytes(path), kHistoryHeader + FormatHistoryLine(a));

    WriteFileBytes(path, ReadFileBytes(path) + FormatHistoryLine(b).substr(0, 30)); // power cut
    ASSERT_EQ(ReadHistory(path).rows.size(), 1u);
    ASSERT_TRUE(AppendHistoryRow(path, b));
    ASSERT_TRUE(SyncHistory(path));
    const HistoryLog log = ReadHistory(path);
    const std::vector<HistoryRow>& rows = log.rows;
    ASSERT_EQ(rows.size(), 2u);
    ExpectSameRow(rows[1], b);
    EXPECT_TRUE(ReadHistory(dir / "none.tsv").rows.empty());
}

TEST(AnswerHistoryTest, LocalTimesCarryTheirOffset)
{
    const ScopedTimeZone zone("JST-9");
    EXPECT_EQ(FormatLocalTime(1700000000), "2023-11-15T07:13:20+09:00");
    EXPECT_EQ(FormatStamp(1700000000), "20231115-0713");
    const std::optional<LocalTime> t = ParseLocalTime("2023-11-15T07:13:20+09:00");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->nUtc, 1700000000);
    EXPECT_EQ(t->nDay, LocalDay(1700000000));
    EXPECT_EQ(ParseLocalTime("2023-11-14T17:13:20-05:00")->nUtc, 1700000000);
    EXPECT_EQ(ParseLocalTime("2023-11-14T17:13:20-05:00")->nDay, t->nDay - 1);
    for (const char* szBad : {"", "2023-11-15 07:13:20+09:00", "2023-13-15T07:13:20+09:00",
                              "2023-11-15T07:13:20Z", "2023-11-15T07:13:2x+09:00"})
        EXPECT_FALSE(ParseLocalTime(szBad)) << szBad;
}

TEST(AnswerHistoryTest, TheRecorderWritesEachVerdictAndSurvivesAnUnwritableFolder)
{
    TempDir dir;
    ScopedCurrentDir cd(dir.Path());
    std::time_t now = 1700000000;
    double dSteady = 100;
    HistoryRecorder recorder([&] { return now; }, [&] { return dSteady; });
    const std::string record =
        ComposeRecord(Sjis("jpnこの国旗はどの国の国旗？"), {"A", "B", "C", "D"}, 0);
    recorder.OnRoundStarted();
    recorder.OnQuestionShown();
    now += 4;
    dSteady += 3.3;
    recorder.OnJudged({4, record, Sjis("世界.txt"), AnswerResult::Wrong, "ﾊﾟﾘ"});
    recorder.OnRoundEnded();
    const HistoryLog log = ReadHistory(dir / kHistoryFileName);
    const std::vector<HistoryRow>& rows = log.rows;
    ASSERT_EQ(rows.size(), 1u);
    ExpectSameRow(rows[0], {FormatLocalTime(now), "世界.txt", 5, RecordFingerprint(record), "jpn",
                            AnswerResult::Wrong, 3.3, FormatLocalTime(now - 4),
                            "この国旗はどの国の国旗？", "ﾊﾟﾘ", QuestionKey(record)});
    EXPECT_FALSE(recorder.WriteFailed());

    // A directory in the history's place stands for any folder the history cannot be written to.
    std::filesystem::remove(dir / kHistoryFileName);
    std::filesystem::create_directory(dir / kHistoryFileName);
    recorder.OnJudged({0, record, "a.txt", AnswerResult::Correct, {}});
    recorder.OnRoundEnded();
    EXPECT_TRUE(recorder.WriteFailed());
}

// A question is what it asks: its code, question text and right answer. Wrong choices, padding
// and the right answer's place may change; anything it asks may not.
TEST(AnswerHistoryTest, TheKeyIsWhatTheQuestionAsks)
{
    const std::string q = Sjis("jpnこの国の首都は？");
    const std::uint64_t nKey = QuestionKey(ComposeRecord(q, {"A", "B", "C", "D"}, 0));
    EXPECT_EQ(QuestionKey(ComposeRecord(q + "  ", {"X", "Y", "A", "Z"}, 2)), nKey);
    EXPECT_EQ(QuestionKey(ComposeRecord(q, {" A ", "B", "C", "D"}, 0)), nKey);
    EXPECT_NE(QuestionKey(ComposeRecord(q, {"A", "B", "C", "D"}, 1)), nKey);
    EXPECT_NE(QuestionKey(ComposeRecord("fra" + q.substr(3), {"A", "B", "C", "D"}, 0)), nKey);
    EXPECT_NE(QuestionKey(ComposeRecord(q + "?", {"A", "B", "C", "D"}, 0)), nKey);
    EXPECT_NE(QuestionKey(ComposeRecord(q, {"A", "B", "C", "D"}, -1)), nKey); // no right answer
}

// A line from before keys is its record; once a keyed line has played that record, its question.
TEST(AnswerHistoryTest, UnkeyedLinesJoinTheQuestionAKeyedLineOfTheirRecordNames)
{
    std::vector<HistoryRow> rows(4, Row("t", AnswerResult::Wrong));
    rows[0].nFingerprint = 0xa; // played before keys, since again
    rows[1].nFingerprint = 0xb; // played before keys only
    rows[2].nFingerprint = 0xa;
    rows[2].nKey = 0x1111;
    rows[3].nFingerprint = 0xc; // the same question with other wrong choices
    rows[3].nKey = 0x1111;
    EXPECT_EQ(QuestionIds(rows), (std::vector<std::uint64_t>{0x1111, 0xb, 0x1111, 0x1111}));
}

// A full disk: the line that did not fit is taken back, so none is left torn, and the round
// hears of it once, at the first failure of each round.
TEST(AnswerHistoryTest, AFullDiskLeavesNoTornLineAndIsSaidOnceARound)
{
    TempDir dir;
    ScopedCurrentDir cd(dir.Path());
    HistoryRecorder recorder([] { return std::time_t{1700000000}; }, [] { return 1.0; });
    const std::string record = ComposeRecord(Sjis("jpn国"), {"A", "B", "C", "D"}, 0);
    const JudgedAnswer answer{0, record, "a.txt", AnswerResult::Correct, {}};
    recorder.OnRoundStarted();
    recorder.OnJudged(answer);
    EXPECT_EQ(recorder.TakeNotice(), "");
    const std::string before = ReadFileBytes(dir / kHistoryFileName);

    FileFaults::FailWritesAfter(30);
    recorder.OnJudged(answer);
    EXPECT_EQ(recorder.TakeNotice(),
              Sjis("解答の記録を保存できません（ディスクの空きがありません）"));
    EXPECT_EQ(recorder.TakeNotice(), "");
    FileFaults::FailWritesAfter(0);
    recorder.OnJudged(answer);
    EXPECT_EQ(recorder.TakeNotice(), ""); // once a round
    EXPECT_EQ(ReadFileBytes(dir / kHistoryFileName), before);

    recorder.OnRoundStarted();
    FileFaults::FailWritesAfter(10);
    recorder.OnJudged(answer);
    EXPECT_NE(recorder.TakeNotice(), "");
    FileFaults::Reset();
    EXPECT_EQ(ReadFileBytes(dir / kHistoryFileName), before);
    EXPECT_TRUE(recorder.WriteFailed());
}

#ifndef _WIN32
TEST(AnswerHistoryTest, ALinkInTheHistorysPlaceIsReadButNeverWrittenThrough)
{
    TempDir dir, elsewhere;
    WriteFileBytes(elsewhere / "target", "keep\n");
    std::filesystem::create_symlink(elsewhere / "target", dir / kHistoryFileName);
    int nErrno = 0;
    EXPECT_FALSE(AppendHistoryRow(dir / kHistoryFileName, HistoryRow{}, &nErrno));
    EXPECT_EQ(nErrno, ELOOP);
    EXPECT_EQ(ReadFileBytes(elsewhere / "target"), "keep\n");
}
#endif
