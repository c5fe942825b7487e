// Things that are no regular file where a file is expected, files of no whole record, and a
// question file changed under a running round, through every reader and writer. An open that
// waits would hang the test: the alarm turns that into a failure.

#include "editor/QuestionEditor.h"
#include "learning/AnswerHistory.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "platform/ProfileStore.h"
#include "questionfile/QuestionFileChoice.h"
#include "quiz/QuestionRecord.h"
#include "quiz/QuizRound.h"
#include "quiz/RoundFile.h"
#include "settings/QuestionFileList.h"
#include "tools/questions/QuestionTool.h"

#include "FakeRound.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

const std::string kOpenError = Sjis("ファイルオープンエラー");
const std::string kChanged = Sjis("出題中にファイルが短くなったか");

class CountingObserver : public IAnswerObserver
{
  public:
    void OnRoundStarted() override {}
    void OnQuestionShown() override { ++nShown; }
    void OnJudged(const JudgedAnswer& a) override { judged.push_back(a.strRecord); }
    void OnRoundEnded() override { ++nEnded; }
    int nShown = 0, nEnded = 0;
    std::vector<std::string> judged;
};

std::string Record(char c)
{
    return ComposeRecord(std::string("jpn") + c + "?", {"A1", "A2", "A3", "A4"}, 0);
}

class OddFilesBase : public ::testing::Test
{
  protected:
    OddFilesBase()
    {
#ifndef _WIN32
        ::alarm(30); // an open that waits on a FIFO ends the test instead of hanging it
#endif
        m_round.AddObserver(&m_observer);
        m_store.WriteProfileInt("QUESTION_CNT", "1", 5);
        m_store.WriteProfileInt("LIFE", "1", 5);
    }
    ~OddFilesBase() override
    {
#ifndef _WIN32
        ::alarm(0);
#endif
    }

    // The round ended after one message naming the file, and showed nothing of it.
    void ExpectStoppedWith(const std::string& strReason)
    {
        ASSERT_EQ(m_view.messages.size(), 1u);
        const std::string& text = m_view.messages[0].first;
        EXPECT_EQ(text.rfind(kOpenError + "\nsample0524.txt\n", 0), 0u) << Cp932::ToUtf8(text);
        EXPECT_NE(text.find(strReason), std::string::npos) << Cp932::ToUtf8(text);
        EXPECT_FALSE(m_view.bTimerRunning);
        EXPECT_TRUE(m_view.enabled[IDC_BUTTON_START]);
        EXPECT_FALSE(m_view.enabled[IDC_BUTTON_ANSWER1]);
        EXPECT_EQ(m_observer.nEnded, 1);
    }

    PlayFolder m_dir;
    const std::filesystem::path m_questions = m_dir / "sample0524.txt";
    ProfileStore& m_store = m_dir.Store();
    RecordingView m_view;
    ScriptedRandom m_random;
    CountingObserver m_observer;
    QuizRound m_round{m_store, m_view, m_random, [] { return std::time_t(0); }};
};

class OddFileTest : public OddFilesBase, public ::testing::WithParamInterface<OddFile>
{
  protected:
    void Make(const std::filesystem::path& path)
    {
        MakeOddFile(path, GetParam());
        m_nType = FileTypeAt(path);
    }
    // Still what it was: never replaced, removed or turned into a file.
    void ExpectUntouched(const std::filesystem::path& path)
    {
        EXPECT_EQ(FileTypeAt(path), m_nType);
    }
    unsigned m_nType = 0;
};

} // namespace

TEST_P(OddFileTest, TheFileLayerNeverOpensOrReplacesIt)
{
    const std::filesystem::path odd = m_dir / "odd";
    Make(odd);
    for (unsigned nMode :
         {0u + File::modeRead, 0u + File::modeReadWrite, File::modeWrite | File::modeCreate,
          File::modeReadWrite | File::modeCreate | File::modeNoTruncate | File::modeAppend}) {
        File file;
        EXPECT_FALSE(file.Open(odd, nMode)) << nMode;
        EXPECT_TRUE(file.NotRegular()) << nMode;
    }
    std::string strError;
    EXPECT_FALSE(WriteFileAtomically(odd, "x", &strError));
    EXPECT_NE(strError.find(kNotRegularError), std::string::npos) << strError;
    EXPECT_EQ(KindOf(odd), PathKind::Other);
    ExpectUntouched(odd);
    const auto nEntries = std::distance(std::filesystem::directory_iterator(m_dir.Path()),
                                        std::filesystem::directory_iterator());
    EXPECT_EQ(nEntries, 2) << "a temporary was left"; // odd and Parameter.INI
}

TEST_P(OddFileTest, SettingsReadAsAbsentAndAreNeverReplaced)
{
    std::filesystem::remove(m_store.Path());
    Make(m_store.Path());
    EXPECT_EQ(m_store.GetProfileIntA("LIFE", "1", 7), 7);
    EXPECT_EQ(m_store.GetProfileStringA("QUESTION", "1", "d.txt"), "d.txt");
    EXPECT_FALSE(m_store.WriteProfileInt("SOUND", "SW", 0));
    ExpectUntouched(m_store.Path());
}

TEST_P(OddFileTest, TheRoundRefusesItByNameAndStops)
{
    Make(m_questions);
    m_round.OnButtonStart();
    ExpectStoppedWith(NotRegularText());
    EXPECT_EQ(m_round.m_strQuestion, "");
    EXPECT_EQ(m_observer.nShown, 0);
    EXPECT_TRUE(m_view.judgements.empty());
    ExpectUntouched(m_questions);
}

TEST_P(OddFileTest, TheHistoryReadsEmptyAndTakesNoLine)
{
    const std::filesystem::path history = m_dir / kHistoryFileName;
    Make(history);
    const HistoryLog log = ReadHistory(history);
    EXPECT_TRUE(log.rows.empty());
    EXPECT_TRUE(log.bNotRegular);
    HistoryRow row;
    EXPECT_FALSE(AppendHistoryRow(history, row));
    EXPECT_FALSE(SyncHistory(history));
    ExpectUntouched(history);
    EXPECT_FALSE(ReadHistory(m_dir / "none.tsv").bNotRegular); // absent is no odd file
}

TEST_P(OddFileTest, TheEditorTheChoiceAndTheListRefuseIt)
{
    Make(m_questions);
    EXPECT_EQ(QuestionFile::Count(m_questions).status, EditStatus::NotRegular);
    EXPECT_EQ(QuestionFile::Read(m_questions, 1).status, EditStatus::NotRegular);
    EXPECT_EQ(QuestionFile::Append(m_questions, Record('a')).status, EditStatus::NotRegular);
    EXPECT_EQ(QuestionFile::Remove(m_questions, 0).status, EditStatus::NotRegular);
    EXPECT_EQ(ChooseQuestionFile(m_store, m_dir.Path(), m_questions).check.problem,
              QuestionFileProblem::NotRegular);
    EXPECT_EQ(QuestionFileList::RecordsIn(m_questions), std::nullopt);
    EXPECT_EQ(QuestionFileList::ProblemText(m_questions), NotRegularText());
    ExpectUntouched(m_questions);
}

TEST_P(OddFileTest, TheToolNeverWaitsOnIt)
{
    const std::string strOdd = m_questions.string();
    Make(m_questions);
    WriteFileBytes(m_dir / "good.txt", Record('a'));
    const std::string strGood = (m_dir / "good.txt").string();
    const std::vector<std::vector<std::string>> runs = {{"check", strOdd},
                                                        {"export", strOdd},
                                                        {"import", strOdd, "-o", strGood},
                                                        {"export", strGood, "-o", strOdd}};
    for (const std::vector<std::string>& args : runs) {
        std::ostringstream out, err;
        EXPECT_EQ(RunQuestionTool(args, out, err), 1) << args[0];
        EXPECT_NE(err.str().find(kNotRegularError), std::string::npos) << err.str();
    }
    ExpectUntouched(m_questions);
    EXPECT_EQ(ReadFileBytes(m_dir / "good.txt"), Record('a'));
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddFileTest, ::testing::ValuesIn(kOddFiles),
                         [](const auto& info) { return std::string(OddFileName(info.param)); });

// ---- lengths that hold no whole record
// -----------------------------------------------------------

struct LengthCase
{
    const char* szName;
    std::size_t nLength;
    LengthProblem problem;
};

class LengthTest : public OddFilesBase, public ::testing::WithParamInterface<LengthCase>
{
};

TEST_P(LengthTest, EveryReaderSaysWhatIsWrongWithIt)
{
    const LengthCase& c = GetParam();
    std::string bytes = Record('a') + Record('b') + Record('c');
    bytes.resize(c.nLength, ' ');
    WriteFileBytes(m_questions, bytes);
    m_store.WriteProfileInt("SEQ", "1", 1); // random: the whole records, again and again
    const std::string strText = LengthProblemText(c.problem, c.nLength);
    EXPECT_NE(strText.find(std::to_string(c.nLength)), std::string::npos);

    m_round.OnButtonStart();
    if (c.problem == LengthProblem::NoRecord) {
        ExpectStoppedWith(strText);
        EXPECT_EQ(m_observer.nShown, 0);
    } else {
        // The whole records before the tail play, after one notice that names the tail.
        ASSERT_EQ(m_view.messages.size(), 1u);
        EXPECT_NE(m_view.messages[0].first.find(strText), std::string::npos);
        EXPECT_NE(m_view.messages[0].first.find(Sjis("末尾の") + std::to_string(c.nLength % 420)),
                  std::string::npos)
            << Cp932::ToUtf8(m_view.messages[0].first);
        EXPECT_EQ(m_observer.nShown, 1);
        EXPECT_TRUE(m_view.bTimerRunning);
        m_round.JudgeAnswer(m_round.m_nCorrectNo); // the next draw says nothing more
        EXPECT_EQ(m_view.messages.size(), 1u);
        EXPECT_EQ(m_observer.nShown, 2);
    }
    EXPECT_EQ(QuestionFileList::ProblemText(m_questions), strText);
    const EditResult count = QuestionFile::Count(m_questions);
    EXPECT_TRUE(count.Ok()); // the editor may still add to it, after its notice
    EXPECT_EQ(CheckLength(count.nLength), c.problem);
    const QuestionFileChoice choice = ChooseQuestionFile(m_store, m_dir.Path(), m_questions);
    EXPECT_EQ(choice.check.problem, c.problem == LengthProblem::NoRecord
                                        ? QuestionFileProblem::NoRecord
                                        : QuestionFileProblem::PartialRecord);
    EXPECT_EQ(ReadFileBytes(m_questions), bytes);
}

INSTANTIATE_TEST_SUITE_P(Lengths, LengthTest,
                         ::testing::Values(LengthCase{"Empty", 0, LengthProblem::NoRecord},
                                           LengthCase{"OneByte", 1, LengthProblem::NoRecord},
                                           LengthCase{"OneShort", 419, LengthProblem::NoRecord},
                                           LengthCase{"OneOver", 841, LengthProblem::PartialRecord},
                                           LengthCase{"ThreeShort", 1259,
                                                      LengthProblem::PartialRecord}),
                         [](const auto& info) { return std::string(info.param.szName); });

// ---- a question file changed under a running round
// -----------------------------------------------

enum class Then
{
    GoesOn,
    StopsChanged,
    StopsNotRegular,
};

struct ChangeCase
{
    const char* szName;
    int nSeq;
    void (*change)(const std::filesystem::path& file);
    Then then;
};

void Truncate(const std::filesystem::path& file, std::uintmax_t nSize)
{
    std::filesystem::resize_file(file, nSize);
}

void Replace(const std::filesystem::path& file, const std::string& bytes)
{
    const std::filesystem::path temp = file.string() + ".new";
    WriteFileBytes(temp, bytes);
    std::filesystem::rename(temp, file);
}

const ChangeCase kChanges[] = {
    {"CutToOneRecord", 0, [](const auto& f) { Truncate(f, kRecordSize); }, Then::StopsChanged},
    {"CutToOneRecordRandom", 1, [](const auto& f) { Truncate(f, kRecordSize); },
     Then::StopsChanged},
    {"CutInsideARecord", 0, [](const auto& f) { Truncate(f, 2 * kRecordSize + 100); },
     Then::StopsChanged},
    {"Emptied", 0, [](const auto& f) { Truncate(f, 0); }, Then::StopsChanged},
    {"ReplacedSameSize", 0, [](const auto& f) { Replace(f, ReadFileBytes(f)); },
     Then::StopsChanged},
    {"Removed", 0, [](const auto& f) { std::filesystem::remove(f); }, Then::StopsChanged},
    {"BecameAnOddFile", 0, // a fifo; a folder where fifos cannot be made
     [](const auto& f) {
         std::filesystem::remove(f);
         MakeOddFile(f, kOddFiles[0]);
     },
     Then::StopsNotRegular},
    {"RewrittenInPlace", 0, [](const auto& f) { WriteFileBytes(f, ReadFileBytes(f)); },
     Then::GoesOn},
    {"Grown", 0, [](const auto& f) { WriteFileBytes(f, ReadFileBytes(f) + Record('z')); },
     Then::GoesOn},
};

class ChangeTest : public OddFilesBase, public ::testing::WithParamInterface<ChangeCase>
{
};

TEST_P(ChangeTest, StopsAtTheNextQuestionAndRecordsNothingItCouldNotRead)
{
    const ChangeCase& c = GetParam();
    const std::string original = Record('a') + Record('b') + Record('c');
    WriteFileBytes(m_questions, original);
    m_store.WriteProfileInt("SEQ", "1", c.nSeq);
    m_round.OnButtonStart();
    ASSERT_TRUE(m_view.messages.empty());
    const std::string strShown = m_round.m_strQuestion;

    c.change(m_questions);
    const unsigned nType = FileTypeAt(m_questions);
    const std::string after = nType == S_IFREG ? ReadFileBytes(m_questions) : std::string();
    m_round.JudgeAnswer(m_round.m_nCorrectNo);

    ASSERT_EQ(m_observer.judged.size(), 1u); // the question that was on screen, whole
    EXPECT_EQ(m_observer.judged[0], Record('a'));
    if (c.then == Then::GoesOn) {
        EXPECT_TRUE(m_view.messages.empty());
        EXPECT_EQ(m_observer.nShown, 2);
        EXPECT_TRUE(m_view.bTimerRunning);
        return;
    }
    ExpectStoppedWith(c.then == Then::StopsNotRegular ? NotRegularText() : kChanged);
    EXPECT_EQ(m_observer.nShown, 1);
    EXPECT_EQ(m_round.m_strQuestion, strShown); // never a blank question
    m_round.JudgeAnswer(1);                     // a stray press after the end records nothing
    EXPECT_EQ(m_observer.judged.size(), 1u);
    EXPECT_EQ(FileTypeAt(m_questions), nType); // never written
    if (nType == S_IFREG)
        EXPECT_EQ(ReadFileBytes(m_questions), after);
    for (const auto& [strVerdict, strCorrect] : m_view.judgements)
        EXPECT_EQ(strCorrect.find(Sjis("正解は0番")), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangeTest, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.szName); });

TEST_F(OddFilesBase, ARoundLongerThanItsFileEndsAtItsLastQuestion)
{
    WriteFileBytes(m_questions, Record('a') + Record('b'));
    m_round.OnButtonStart();
    m_round.JudgeAnswer(1);
    m_round.JudgeAnswer(1);
    ASSERT_EQ(m_view.messages.size(), 1u);
    EXPECT_EQ(m_view.messages[0].first, Sjis("終了!!"));
    EXPECT_EQ(m_observer.judged.size(), 2u);
    m_view.messages.clear();
    m_observer.nEnded = 0;
    m_round.OnButtonStart(); // a new round starts afresh with the file as it now is
    EXPECT_TRUE(m_view.messages.empty());
    EXPECT_TRUE(m_view.bTimerRunning);
}
