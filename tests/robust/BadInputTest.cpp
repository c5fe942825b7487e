// Files people make by hand, copy between machines and keep for years, driven through the
// program's own paths: the question draw, the settings store as the round reads it, and the
// question tool. Each case has its outcome; none may crash, hang or change a byte that nobody
// asked to change.

#include "platform/Cp932.h"
#include "platform/ProfileStore.h"
#include "quiz/FlagCatalog.h"
#include "quiz/QuestionRecord.h"
#include "quiz/QuizRound.h"
#include "tools/questions/QuestionTool.h"

#include "FakeRound.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <sstream>

namespace {

using namespace std::string_literals;

const std::string kOpenError = Sjis("ファイルオープンエラー");
constexpr unsigned kIconStop = 0x10;

std::string Rec(const std::string& block,
                std::array<std::string, 4> answers = {"A1", "A2", "A3", "A4"}, int nCorrect = 0)
{
    return ComposeRecord(block, answers, nCorrect);
}

std::array<std::string, 4> AnswersOf(std::string_view record)
{
    std::array<std::string, 4> out;
    for (std::size_t i = 0; i < 4; ++i)
        out[i] = std::string(record.substr(kMarkerOffsets[i] + 1, kAnswerSize));
    return out;
}

// Bytes a program read through read(2) so far; /proc keeps the count per process.
struct ReadCounter
{
    std::uint64_t nBytes = 0, nCalls = 0;
    static ReadCounter Now()
    {
        std::ifstream in("/proc/self/io");
        ReadCounter c;
        std::string key;
        std::uint64_t n = 0;
        while (in >> key >> n) {
            if (key == "rchar:")
                c.nBytes = n;
            else if (key == "syscr:")
                c.nCalls = n;
        }
        return c;
    }
};

class BadQuestionFileTest : public ::testing::Test
{
  protected:
    void Questions(std::string_view bytes) { WriteFileBytes(m_dir / "sample0524.txt", bytes); }
    void UseFile(const std::string& strCp932Name)
    {
        m_store.WriteProfileStringA("QUESTION", "1", strCp932Name);
    }

    PlayFolder m_dir;
    ProfileStore& m_store = m_dir.Store();
    RecordingView m_view;
    ScriptedRandom m_random;
    QuizRound m_round{m_store, m_view, m_random, [] { return std::time_t(1700000000); }};
};

// ---- the draw, on files whose bytes are bad ----------------------------------------------------

struct DrawCase
{
    const char* szName;
    std::string file;
    int nSeq;
    int nAnswered;
    int nRandomIndex; // the first random value, used by random order for the record
    std::string question;
    std::array<std::string, 4> answers;
    int nCorrectNo;
    std::optional<int> nFlag;
};

void PrintTo(const DrawCase& c, std::ostream* os)
{
    *os << c.szName;
}

// Draws the case's question from its file, in its order and at its place in the round.
class DrawCaseTest : public BadQuestionFileTest, public ::testing::WithParamInterface<DrawCase>
{
  protected:
    bool Draw(const DrawCase& c)
    {
        Questions(c.file);
        m_round.m_nSeq = c.nSeq;
        m_round.m_nAnswered = c.nAnswered;
        if (c.nSeq != 0)
            m_random.values = {c.nRandomIndex, 0};
        return m_round.DrawQuestion();
    }
};

class DrawTest : public DrawCaseTest
{
};

TEST_P(DrawTest, ShowsWhatTheRecordHoldsAndNothingElse)
{
    const DrawCase& c = GetParam();
    EXPECT_TRUE(Draw(c));
    EXPECT_TRUE(m_view.messages.empty());
    EXPECT_EQ(m_round.m_strQuestion, c.question);
    EXPECT_EQ(m_round.m_strAnswers, c.answers);
    EXPECT_EQ(m_round.m_nCorrectNo, c.nCorrectNo);
    ASSERT_EQ(m_view.flags.size(), 1u);
    EXPECT_EQ(m_view.flags[0], c.nFlag);
    // Whatever the bytes, the screen gets text it can show.
    for (const std::string& text : {m_round.m_strQuestion, m_round.m_strAnswers[0]})
        EXPECT_EQ(Cp932::ToUtf8(text).empty(), text.empty());
}

const std::string kJpn = Rec("jpn" + Sjis("この国旗は？"), {"x", "y", "z", "w"}, 2);
const std::string kFra = Rec("fra" + Sjis("首都は？"), {Sjis("パリ"), "b", "c", "d"}, 0);

std::string LoneLeadsAtEveryFieldEnd()
{
    std::string rec(kRecordSize, 'a');
    for (std::size_t nEnd : {2, 98, 99, 179, 259, 339, 419})
        rec[nEnd] = '\x82';
    for (std::size_t nMarker : kMarkerOffsets)
        rec[nMarker] = ' ';
    rec[260] = '*';
    return rec;
}

std::string WithNulAt(std::string rec, std::size_t nAt)
{
    rec[nAt] = '\0';
    return rec;
}

std::string Stars(std::string rec, std::initializer_list<std::size_t> stored)
{
    for (std::size_t i = 0; i < 4; ++i)
        rec[kMarkerOffsets[i]] = ' ';
    for (std::size_t n : stored)
        rec[kMarkerOffsets[n - 1]] = '*';
    return rec;
}

std::array<std::string, 4> Four(const std::string& answer)
{
    return {answer, answer, answer, answer};
}

const std::string kFF(kRecordSize, '\xFF');
const std::array<std::string, 4> kNoAnswers{};

INSTANTIATE_TEST_SUITE_P(
    Files, DrawTest,
    ::testing::Values(
        // A NUL ends the record's text: fields after it are empty, the one it cuts is short.
        DrawCase{"NulInAnswer1",
                 WithNulAt(kFra, 150),
                 0,
                 0,
                 0,
                 kFra.substr(3, 96),
                 {kFra.substr(101, 49), "", "", ""},
                 1,
                 LookupFlagBitmap("fra")},
        DrawCase{"NulFirst", std::string(kRecordSize, '\0'), 0, 0, 0, "", kNoAnswers, 0,
                 std::nullopt},
        // Bytes no character starts with: shown as they are, no flag, no right answer.
        DrawCase{"AllFF", kFF + kFF, 0, 1, 0, std::string(96, '\xFF'),
                 Four(std::string(79, '\xFF')), 0, std::nullopt},
        DrawCase{"LoneLeadsAtEveryFieldEnd", LoneLeadsAtEveryFieldEnd(), 0, 0, 0,
                 std::string(95, 'a') + "\x82", Four(std::string(78, 'a') + "\x82"), 3,
                 std::nullopt},
        // Several "*": the first marked answer is the right one.
        DrawCase{"StarsAt2And4", Stars(kJpn, {2, 4}), 0, 0, 0, kJpn.substr(3, 96), AnswersOf(kJpn),
                 2, LookupFlagBitmap("jpn")},
        DrawCase{"StarsEverywhere", Stars(kJpn, {1, 2, 3, 4}), 0, 0, 0, kJpn.substr(3, 96),
                 AnswersOf(kJpn), 1, LookupFlagBitmap("jpn")}),
    [](const auto& info) { return std::string(info.param.szName); });

// No whole record where the draw looks, in either order: a message that says why, and no
// question at all, rather than blank texts or bytes that were never read.
class RefusedDrawTest : public DrawCaseTest
{
};

TEST_P(RefusedDrawTest, SaysWhyAndShowsNothing)
{
    const DrawCase& c = GetParam();
    EXPECT_FALSE(Draw(c));
    ASSERT_EQ(m_view.messages.size(), 1u);
    EXPECT_EQ(m_view.messages[0].first.rfind(kOpenError + "\nsample0524.txt\n", 0), 0u);
    EXPECT_NE(m_view.messages[0].first.find(c.question), std::string::npos)
        << Cp932::ToUtf8(m_view.messages[0].first);
    EXPECT_EQ(m_round.m_strQuestion, "");
    EXPECT_TRUE(m_view.flags.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedDrawTest,
    ::testing::Values(
        // DrawCase::question holds the reason the message gives.
        DrawCase{"Empty", "", 0, 0, 0, Sjis("満たないファイルです（0バイト）")},
        DrawCase{"EmptyRandom", "", 1, 0, 7, Sjis("満たないファイルです（0バイト）")},
        DrawCase{"Bytes419", kJpn.substr(0, 419), 0, 0, 0, Sjis("（419バイト）")},
        DrawCase{"Bytes419Random", kJpn.substr(0, 419), 1, 0, 3, Sjis("（419バイト）")},
        DrawCase{"PastTheEnd", kJpn, 0, 5, 0, Sjis("6問目がありません（1問のファイルです）")}),
    [](const auto& info) { return std::string(info.param.szName); });

TEST_F(BadQuestionFileTest, RoundOverAFileWithoutRecordsStopsAtItsStart)
{
    Questions(kJpn.substr(0, 419));
    m_store.WriteProfileInt("LIFE", "1", 3);
    m_store.WriteProfileInt("QUESTION_CNT", "1", 5);
    m_round.OnButtonStart();
    EXPECT_EQ(m_view.judgements.size(), 0u);
    EXPECT_TRUE(m_view.flags.empty());
    ASSERT_EQ(m_view.messages.size(), 1u); // the reason, and no "終了!!" after it
    EXPECT_NE(m_view.messages[0].first.find(Sjis("（419バイト）")), std::string::npos);
}

TEST_F(BadQuestionFileTest, ARecordWithoutMarkerKeepsThePreviousRightButton)
{
    Questions(kJpn + Stars(kFra, {}));
    ASSERT_TRUE(m_round.DrawQuestion());
    EXPECT_EQ(m_round.m_nCorrectNo, 3);
    m_round.m_nAnswered = 1;
    ASSERT_TRUE(m_round.DrawQuestion());
    EXPECT_EQ(m_round.m_nCorrectNo, 3);
}

TEST_F(BadQuestionFileTest, A200MegabyteFileCostsOneReadOfOneRecord)
{
#ifdef _WIN32
    GTEST_SKIP() << "reads are counted through Linux's /proc/self/io";
#endif
    constexpr std::uint64_t kSize = 200ull * 1024 * 1024 / kRecordSize * kRecordSize;
    const std::int64_t nLast = RecordCount(kSize) - 1;
    const std::filesystem::path path = m_dir / "sample0524.txt";
    Questions("");
    std::filesystem::resize_file(path, kSize); // sparse: no disk, no time
    {
        std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
        out.seekp(static_cast<std::streamoff>(RecordOffset(nLast)));
        out.write(kFra.data(), static_cast<std::streamsize>(kFra.size()));
    }
    ASSERT_EQ(std::filesystem::file_size(path), kSize);
    ASSERT_TRUE(m_round.DrawQuestion()); // loads the codec once, outside the count

    // Reading the counters costs reads of its own: measure that, then the draw.
    m_round.m_nAnswered = static_cast<int>(nLast);
    const ReadCounter start = ReadCounter::Now();
    const ReadCounter before = ReadCounter::Now();
    ASSERT_TRUE(m_round.DrawQuestion());
    const ReadCounter after = ReadCounter::Now();
    EXPECT_EQ(m_round.m_strQuestion, kFra.substr(3, 96));
    EXPECT_EQ((after.nBytes - before.nBytes) - (before.nBytes - start.nBytes), kRecordSize);
    EXPECT_EQ((after.nCalls - before.nCalls) - (before.nCalls - start.nCalls), 1u);

    m_round.m_nSeq = 1;
    m_random.values = {static_cast<int>(nLast) + static_cast<int>(RecordCount(kSize))};
    ASSERT_TRUE(m_round.DrawQuestion());
    EXPECT_EQ(m_round.m_strAnswers[0], AnswersOf(kFra)[0]);
}

// ---- the draw, on names that lead nowhere useful
// -------------------------------------------------

TEST_F(BadQuestionFileTest, NamesThatAreNoQuestionFileGiveTheOpenErrorAndKeepTheScreen)
{
    Questions(kFra);
    ASSERT_TRUE(m_round.DrawQuestion());
    std::filesystem::create_directory(m_dir / "folder.txt");
    const std::string strLong(5000, 'n');
    for (const std::string& name : {std::string("folder.txt"), std::string("missing.txt"),
                                    std::string("\x82.txt"), std::string(""), strLong}) {
        m_view.messages.clear();
        UseFile(name);
        EXPECT_FALSE(m_round.DrawQuestion()) << name.size();
        ASSERT_EQ(m_view.messages.size(), 1u) << name.size();
        EXPECT_EQ(m_view.messages[0].second, kIconStop);
        // The open error the program always showed, then the name, cut when it is long.
        const std::string strShown = name.size() > 200 ? name.substr(0, 200) + "..." : name;
        EXPECT_EQ(
            m_view.messages[0].first.rfind(kOpenError + (name.empty() ? "" : "\n" + strShown), 0),
            0u);
        EXPECT_EQ(m_round.m_strQuestion, kFra.substr(3, 96));
        EXPECT_EQ(m_round.m_nCorrectNo, 1);
    }
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "folder.txt"));
}

TEST_F(BadQuestionFileTest, FileRemovedBetweenTwoDrawsGivesTheOpenErrorOnce)
{
    Questions(kJpn + kFra);
    ASSERT_TRUE(m_round.DrawQuestion());
    std::filesystem::remove(m_dir / "sample0524.txt");
    m_round.m_nAnswered = 1;
    EXPECT_FALSE(m_round.DrawQuestion());
    ASSERT_EQ(m_view.messages.size(), 1u);
    EXPECT_EQ(m_round.m_strQuestion, kJpn.substr(3, 96));

    Questions(kJpn + kFra); // put back: a later draw reads it afresh
    EXPECT_TRUE(m_round.DrawQuestion());
    EXPECT_EQ(m_round.m_strQuestion, kFra.substr(3, 96));
    EXPECT_EQ(m_view.messages.size(), 1u);
}

TEST_F(BadQuestionFileTest, JapaneseFileNamesAreFound)
{
    // Stored as cp932 in Parameter.INI, found under their UTF-8 names; 0x5C as a trail byte
    // (ソ, 表) is part of the character, never a path separator.
    for (const char* szName : {"国旗クイズ.txt", "ｺｯｷ.txt", "ソ表.txt", "問題①.txt"}) {
        WriteFileBytes(m_dir / szName, kFra);
        UseFile(Sjis(szName));
        m_view.messages.clear();
        EXPECT_TRUE(m_round.DrawQuestion()) << szName;
        EXPECT_TRUE(m_view.messages.empty()) << szName;
        EXPECT_EQ(m_round.m_strQuestion, kFra.substr(3, 96)) << szName;
    }
}

// ---- Parameter.INI as people leave it
// ------------------------------------------------------------

struct IniCase
{
    const char* szName;
    std::string before;
    int nLife, nTimeLimit, nCount, nSeq; // as a round start reads them
    std::string question;                // as the draw reads it
    const char* szSection;               // then one write, as Save or the sound toggle does
    const char* szEntry;
    std::string value;
    std::string after;
};

void PrintTo(const IniCase& c, std::ostream* os)
{
    *os << c.szName;
}

class IniTest : public BadQuestionFileTest, public ::testing::WithParamInterface<IniCase>
{
};

TEST_P(IniTest, ReadsWhatItCanAndWritesOnlyItsLine)
{
    const IniCase& c = GetParam();
    const std::filesystem::path ini = m_dir / "Parameter.INI";
    WriteFileBytes(ini, c.before);
    m_round.OnButtonStart();
    EXPECT_EQ(m_round.m_nLife, c.nLife);
    EXPECT_EQ(m_view.nTimeMax, c.nTimeLimit);
    EXPECT_EQ(m_round.m_nRemaining, c.nCount);
    EXPECT_EQ(m_round.m_nSeq, c.nSeq);
    EXPECT_EQ(m_store.GetProfileStringA("QUESTION", "1", "sample0524.txt"), c.question);

    const char* const szSections[] = {"QUESTION", "LIFE", "TIME_LIMIT", "QUESTION_CNT", "SEQ"};
    std::vector<std::string> before;
    for (const char* szSection : szSections)
        before.push_back(m_store.GetProfileStringA(szSection, "1", "?"));

    EXPECT_TRUE(m_store.WriteProfileStringA(c.szSection, c.szEntry, c.value));
    EXPECT_TRUE(ReadFileBytes(ini) == c.after) << ReadFileBytes(ini).substr(0, 300);
    EXPECT_EQ(m_store.GetProfileStringA(c.szSection, c.szEntry, "?"), c.value);
    for (std::size_t i = 0; i < before.size(); ++i)
        if (szSections[i] != std::string_view(c.szSection) || c.szEntry != std::string_view("1"))
            EXPECT_EQ(m_store.GetProfileStringA(szSections[i], "1", "?"), before[i]);
}

std::string Garbage()
{
    std::string out;
    for (int i = 0; i < 4096; ++i)
        out += static_cast<char>((i * 167 + 13) % 256);
    return out;
}

const std::string kMegaName(1 << 20, 'q');

INSTANTIATE_TEST_SUITE_P(
    Files, IniTest,
    ::testing::Values(
        IniCase{"BinaryGarbage", Garbage(), 0, 0, 3, 0, "sample0524.txt", "SOUND", "SW", "0",
                Garbage() + "\r\n[SOUND]\r\nSW=0\r\n"},
        IniCase{"Utf8ByteOrderMark", "\xEF\xBB\xBF[LIFE]\r\n1=5\r\n", 5, 0, 3, 0, "sample0524.txt",
                "LIFE", "1", "7", "\xEF\xBB\xBF[LIFE]\r\n1=7\r\n"},
        IniCase{"NoFinalLineEnd", "[LIFE]\r\n1=5", 5, 0, 3, 0, "sample0524.txt", "TIME_LIMIT", "1",
                "10", "[LIFE]\r\n1=5\r\n[TIME_LIMIT]\r\n1=10\r\n"},
        IniCase{"NoFinalLineEndInTheSection", "[SOUND]\r\nX=1", 0, 0, 3, 0, "sample0524.txt",
                "SOUND", "SW", "0", "[SOUND]\r\nX=1\r\nSW=0\r\n"},
        // A CR without its LF at the end: the LF completes it, the value keeps no CR.
        IniCase{"LoneCrAtTheEnd", "[QUESTION_CNT]\r\n1=4\r", 0, 0, 4, 0, "sample0524.txt", "SOUND",
                "SW", "1", "[QUESTION_CNT]\r\n1=4\r\n[SOUND]\r\nSW=1\r\n"},
        IniCase{"LoneCrAtTheEndOfTheSection", "[QUESTION_CNT]\r\n1=4\r", 0, 0, 4, 0,
                "sample0524.txt", "QUESTION_CNT", "2", "x", "[QUESTION_CNT]\r\n1=4\r\n2=x\r\n"},
        IniCase{"OneMegabyteLine", "[QUESTION]\r\n1=" + kMegaName + "\r\n[LIFE]\r\n1=4\r\n", 4, 0,
                3, 0, kMegaName, "SEQ", "1", "1",
                "[QUESTION]\r\n1=" + kMegaName + "\r\n[LIFE]\r\n1=4\r\n[SEQ]\r\n1=1\r\n"},
        IniCase{"OneMegabyteComment", ";" + kMegaName + "\n[TIME_LIMIT]\n1=9\n", 0, 9, 3, 0,
                "sample0524.txt", "TIME_LIMIT", "1", "8",
                ";" + kMegaName + "\n[TIME_LIMIT]\n1=8\n"},
        // The first of two sections wins, for reading and for writing.
        IniCase{"DuplicateSections", "[LIFE]\r\n1=5\r\n[SEQ]\r\n1=1\r\n[life]\r\n1=7\r\n", 5, 0, 3,
                1, "sample0524.txt", "LIFE", "1", "3",
                "[LIFE]\r\n1=3\r\n[SEQ]\r\n1=1\r\n[life]\r\n1=7\r\n"},
        IniCase{"DuplicateEntries", "[LIFE]\r\n1=5\r\n1=6\r\n", 5, 0, 3, 0, "sample0524.txt",
                "LIFE", "1", "4", "[LIFE]\r\n1=4\r\n1=6\r\n"},
        // "=" after the first belongs to the value; a value with no digits counts as 0.
        IniCase{"EqualsInsideValues", "[QUESTION]\r\n1=a=b.txt\r\n[LIFE]\r\n1==4\r\n", 0, 0, 3, 0,
                "a=b.txt", "QUESTION", "1", "c=d.txt",
                "[QUESTION]\r\n1=c=d.txt\r\n[LIFE]\r\n1==4\r\n"},
        // Each line keeps its own line end; lines the store adds end in CRLF.
        IniCase{"CrlfAndLfMixed", "[LIFE]\n1=5\r\n[SEQ]\r\n1=1\n[TIME_LIMIT]\n1=20", 5, 20, 3, 1,
                "sample0524.txt", "QUESTION_CNT", "1", "8",
                "[LIFE]\n1=5\r\n[SEQ]\r\n1=1\n[TIME_LIMIT]\n1=20\r\n[QUESTION_CNT]\r\n1=8\r\n"},
        IniCase{"CrlfAndLfMixedReplace", "[LIFE]\n1=5\r\n[SEQ]\r\n1=1\n", 5, 0, 3, 1,
                "sample0524.txt", "LIFE", "1", "6", "[LIFE]\n1=6\r\n[SEQ]\r\n1=1\n"}),
    [](const auto& info) { return std::string(info.param.szName); });

TEST_F(BadQuestionFileTest, AOneMegabyteQuestionNameGivesTheOpenError)
{
    WriteFileBytes(m_dir / "Parameter.INI", "[QUESTION]\r\n1=" + kMegaName + "\r\n");
    EXPECT_FALSE(m_round.DrawQuestion());
    ASSERT_EQ(m_view.messages.size(), 1u);
    EXPECT_EQ(m_view.messages[0].first, kOpenError + "\n" + kMegaName.substr(0, 200) + "...");
}

// ---- the question tool on the same files
// ---------------------------------------------------------

struct ToolRun
{
    int nStatus;
    std::string out, err;
};

ToolRun Tool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int nStatus = RunQuestionTool(args, out, err);
    return {nStatus, out.str(), err.str()};
}

TEST_F(BadQuestionFileTest, ToolChecksAndExportsBadFilesWithMessages)
{
    const struct
    {
        const char* szName;
        std::string bytes;
        int nCheck;         // exit status of check
        std::size_t nLines; // lines export writes, the header included
    } cases[] = {
        {"empty", "", 1, 1},
        {"419", kJpn.substr(0, 419), 1, 1},
        {"partial", kJpn + kFra + kJpn.substr(0, 160), 1, 3},
        {"nulbyte", WithNulAt(kFra, 150), 1, 2},
        {"ff", kFF + kFF, 1, 3},
        {"leads", LoneLeadsAtEveryFieldEnd(), 1, 2},
        {"stars", Stars(kJpn, {2, 4}), 1, 2},
        {"good", kJpn + kFra, 0, 3},
    };
    for (const auto& c : cases) {
        const std::filesystem::path file = m_dir / (std::string(c.szName) + ".txt");
        WriteFileBytes(file, c.bytes);
        const ToolRun check = Tool({"check", file.string()});
        EXPECT_EQ(check.nStatus, c.nCheck) << c.szName;
        EXPECT_NE(check.out.find(file.string()), std::string::npos) << c.szName;

        const std::filesystem::path tsv = m_dir / (std::string(c.szName) + ".tsv");
        const ToolRun exported = Tool({"export", file.string(), "-o", tsv.string()});
        ASSERT_EQ(exported.nStatus, 0) << c.szName << exported.err;
        const std::string table = ReadFileBytes(tsv);
        EXPECT_EQ(static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n')), c.nLines)
            << c.szName;
        // Every whole record survives the trip through the table.
        const std::filesystem::path back = m_dir / (std::string(c.szName) + ".back");
        ASSERT_EQ(Tool({"import", tsv.string(), "-o", back.string()}).nStatus, 0) << c.szName;
        EXPECT_TRUE(ReadFileBytes(back) ==
                    c.bytes.substr(0, c.bytes.size() / kRecordSize * kRecordSize))
            << c.szName;
    }
    EXPECT_EQ(ReadFileBytes(m_dir / "good.txt"), kJpn + kFra); // inputs untouched
}

TEST_F(BadQuestionFileTest, ToolRefusesWhatItCannotReadOrImport)
{
    std::filesystem::create_directory(m_dir / "folder.txt");
    const ToolRun check = Tool({"check", (m_dir / "folder.txt").string()});
    EXPECT_EQ(check.nStatus, 1);
    EXPECT_NE(check.err.find("folder.txt"), std::string::npos);

    // Tables that are no tables: refused with a message naming the line, nothing written.
    for (const std::string& table :
         {kFF + kFF, WithNulAt(kFra, 10),
          std::string("jpn\tq\ta\tb\tc\td\t1\n") + LoneLeadsAtEveryFieldEnd()}) {
        WriteFileBytes(m_dir / "bad.tsv", table);
        const ToolRun run =
            Tool({"import", (m_dir / "bad.tsv").string(), "-o", (m_dir / "out.txt").string()});
        EXPECT_EQ(run.nStatus, 1) << run.err;
        EXPECT_NE(run.err.find("行目"), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(m_dir / "out.txt"));
    }
    // A raw NUL in a field is carried into the record like an escaped one; check then names it,
    // since the quiz reads nothing after it.
    WriteFileBytes(m_dir / "nulbyte.tsv", "jpn\tq\0\ta\tb\tc\td\t1\n"s);
    ASSERT_EQ(
        Tool({"import", (m_dir / "nulbyte.tsv").string(), "-o", (m_dir / "nulbyte.txt").string()})
            .nStatus,
        0);
    EXPECT_EQ(ReadFileBytes(m_dir / "nulbyte.txt").substr(0, 5), "jpnq\0"s);
    const ToolRun nulCheck = Tool({"check", (m_dir / "nulbyte.txt").string()});
    EXPECT_EQ(nulCheck.nStatus, 1);
    EXPECT_NE(nulCheck.out.find("NUL"), std::string::npos) << nulCheck.out;

    EXPECT_EQ(Tool({"import", (m_dir / "folder.txt").string(), "-o", (m_dir / "out.txt").string()})
                  .nStatus,
              1);
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "folder.txt"));
}

} // namespace
