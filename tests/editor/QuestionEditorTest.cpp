#include "editor/QuestionEditor.h"
#include "platform/File.h"
#include "quiz/QuestionRecord.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// Record n of a test file: every byte tells which record it belongs to.
std::string Rec(char c)
{
    return std::string(kRecordSize, c);
}

std::size_t FilesIn(const std::filesystem::path& dir)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                  std::filesystem::directory_iterator()));
}

class QuestionFileTest : public ::testing::Test
{
  protected:
    void TearDown() override { FileFaults::Reset(); }

    TempDir m_dir;
    std::filesystem::path m_path = m_dir / "q.txt";
};

} // namespace

struct CountCase
{
    std::size_t nBytes;
    std::int64_t nCount;
};
void PrintTo(const CountCase& c, std::ostream* os)
{
    *os << c.nBytes << "bytes";
}
class CountTest : public ::testing::TestWithParam<CountCase>
{
};

TEST_P(CountTest, CountsWholeRecordsOnly)
{
    TempDir dir;
    WriteFileBytes(dir / "q.txt", std::string(GetParam().nBytes, ' '));
    const EditResult result = QuestionFile::Count(dir / "q.txt");
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.nCount, GetParam().nCount);
}
INSTANTIATE_TEST_SUITE_P(Lengths, CountTest,
                         ::testing::Values(CountCase{1260, 3}, CountCase{1259, 2}, CountCase{0, 0},
                                           CountCase{419, 0}));

TEST_F(QuestionFileTest, EveryOperationRefusesAMissingFile)
{
    EXPECT_EQ(QuestionFile::Count(m_path).status, EditStatus::OpenError);
    EXPECT_EQ(QuestionFile::Read(m_path, 1).status, EditStatus::OpenError);
    EXPECT_EQ(QuestionFile::Append(m_path, Rec('a')).status, EditStatus::OpenError);
    EXPECT_EQ(QuestionFile::Overwrite(m_path, 1, Rec('a')).status, EditStatus::OpenError);
    EXPECT_EQ(QuestionFile::Remove(m_path, 0).status, EditStatus::OpenError);
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(QuestionFileTest, AppendThatFailsPartWayIsTakenBack)
{
    WriteFileBytes(m_path, Rec('a'));
    FileFaults::FailWritesAfter(100);
    const EditResult result = QuestionFile::Append(m_path, Rec('b'));
    EXPECT_EQ(result.status, EditStatus::IoError);
    EXPECT_NE(result.strError.find("No space"), std::string::npos) << result.strError;
    EXPECT_EQ(ReadFileBytes(m_path), Rec('a'));
}

struct RemoveCase
{
    const char* szBefore; // one letter per record; '+' adds a partial tail
    std::int64_t nIndex;
    const char* szAfter;
};
void PrintTo(const RemoveCase& c, std::ostream* os)
{
    *os << c.szBefore << "-" << c.nIndex;
}
class RemoveTest : public QuestionFileTest, public ::testing::WithParamInterface<RemoveCase>
{
};

std::string Records(std::string_view letters)
{
    std::string out;
    for (char c : letters)
        out += c == '+' ? std::string("tail") : Rec(c);
    return out;
}

TEST_P(RemoveTest, KeepsEveryOtherWholeRecordInOrder)
{
    const RemoveCase& c = GetParam();
    WriteFileBytes(m_path, Records(c.szBefore));
    const EditResult result = QuestionFile::Remove(m_path, c.nIndex);
    ASSERT_TRUE(result.Ok()) << result.strError;
    EXPECT_EQ(ReadFileBytes(m_path), Records(c.szAfter));
    EXPECT_EQ(result.nCount, static_cast<std::int64_t>(std::string_view(c.szAfter).size()));
    EXPECT_EQ(FilesIn(m_dir.Path()), 1u); // no temporary left beside it
}
INSTANTIATE_TEST_SUITE_P(Files, RemoveTest,
                         ::testing::Values(RemoveCase{"abc", 0, "bc"}, RemoveCase{"abc", 1, "ac"},
                                           RemoveCase{"abc", 2, "ab"}, RemoveCase{"a", 0, ""},
                                           RemoveCase{"ab+", 0, "b"}));

TEST_F(QuestionFileTest, RemoveStreamsFilesLargerThanOneChunk)
{
    std::string before;
    for (int i = 0; i < 6000; ++i)
        before += Rec(static_cast<char>('A' + i % 50));
    WriteFileBytes(m_path, before);
    ASSERT_TRUE(QuestionFile::Remove(m_path, 3000).Ok());
    EXPECT_EQ(ReadFileBytes(m_path), before.substr(0, 3000 * 420) + before.substr(3001 * 420));
}

TEST_F(QuestionFileTest, RemoveThatFailsPartWayLeavesTheOriginalByteForByte)
{
    const std::string before = Records("abcde");
    WriteFileBytes(m_path, before);
    for (std::int64_t nBudget : {0, 1, 419, 420, 1000, 1679}) {
        FileFaults::FailWritesAfter(nBudget);
        EXPECT_EQ(QuestionFile::Remove(m_path, 1).status, EditStatus::IoError) << nBudget;
        FileFaults::Reset();
        EXPECT_EQ(ReadFileBytes(m_path), before) << nBudget;
        EXPECT_EQ(FilesIn(m_dir.Path()), 1u) << nBudget;
    }
}

TEST_F(QuestionFileTest, CreateMakesThreeTemplatesOrAppendsThem)
{
    ASSERT_TRUE(QuestionFile::Create(m_path).Ok());
    const std::string strTemplate = TemplateRecord();
    EXPECT_EQ(ReadFileBytes(m_path), strTemplate + strTemplate + strTemplate);

    WriteFileBytes(m_path, Records("ab"));
    const EditResult result = QuestionFile::Create(m_path);
    EXPECT_EQ(result.nCount, 5);
    EXPECT_EQ(ReadFileBytes(m_path), Records("ab") + strTemplate + strTemplate + strTemplate);
}

// Every writer is whole or absent: a write cut short at any point keeps the old bytes, leaves
// no temporary, and a save that went through is the old file with the one change.
TEST_F(QuestionFileTest, WritersReplaceTheFileWholeOrNotAtAll)
{
    const std::string before = Records("abc+");
    const struct
    {
        const char* szWhat;
        std::function<EditResult()> write;
        std::string after;
    } writers[] = {
        {"append", [&] { return QuestionFile::Append(m_path, Rec('x')); }, before + Rec('x')},
        {"overwrite", [&] { return QuestionFile::Overwrite(m_path, 2, Rec('x')); },
         Records("axc+")},
    };
    for (const auto& writer : writers) {
        for (std::int64_t nBudget : {0, 419, 840, 1263}) {
            WriteFileBytes(m_path, before);
            FileFaults::FailWritesAfter(nBudget);
            EXPECT_EQ(writer.write().status, EditStatus::IoError) << writer.szWhat << nBudget;
            FileFaults::Reset();
            EXPECT_EQ(ReadFileBytes(m_path), before) << writer.szWhat << nBudget;
            EXPECT_EQ(FilesIn(m_dir.Path()), 1u) << writer.szWhat << nBudget;
        }
        ASSERT_TRUE(writer.write().Ok()) << writer.szWhat;
        EXPECT_EQ(ReadFileBytes(m_path), writer.after) << writer.szWhat;
        EXPECT_EQ(FilesIn(m_dir.Path()), 1u) << writer.szWhat;
    }
    EXPECT_EQ(QuestionFile::Overwrite(m_path, 9, Rec('y')).status, EditStatus::IoError);
}

#ifndef _WIN32
// A link in the folder to a file elsewhere may be browsed, never written through or replaced.
TEST_F(QuestionFileTest, WritersRefuseALinkAndLeaveItsTargetAlone)
{
    TempDir elsewhere;
    WriteFileBytes(elsewhere / "system.txt", Records("ab"));
    std::filesystem::create_symlink(elsewhere / "system.txt", m_path);
    EXPECT_EQ(QuestionFile::Count(m_path).nCount, 2);
    for (const EditResult& result :
         {QuestionFile::Append(m_path, Rec('x')), QuestionFile::Overwrite(m_path, 1, Rec('x')),
          QuestionFile::Remove(m_path, 0), QuestionFile::Create(m_path)}) {
        EXPECT_EQ(result.status, EditStatus::NotWritable);
        EXPECT_EQ(result.nErrno, ELOOP);
    }
    EXPECT_EQ(ReadFileBytes(elsewhere / "system.txt"), Records("ab"));
    EXPECT_TRUE(std::filesystem::is_symlink(m_path));
}

// A read-only file plays and browses; the writers say it may not be written.
TEST_F(QuestionFileTest, AReadOnlyFileIsReadButNotWritten)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    WriteFileBytes(m_path, Records("ab"));
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_read);
    EXPECT_EQ(QuestionFile::Read(m_path, 2).strRecord, Rec('b'));
    const EditResult result = QuestionFile::Append(m_path, Rec('x'));
    EXPECT_EQ(result.status, EditStatus::NotWritable);
    EXPECT_EQ(WriteErrorText(result.nErrno), "書き込みが許可されていません");
    EXPECT_EQ(ReadFileBytes(m_path), Records("ab"));
}
#endif

struct ProtectCase
{
    const char* szChosen;
    const char* szConfigured;
    bool bProtected;
};
void PrintTo(const ProtectCase& c, std::ostream* os)
{
    *os << c.szChosen;
}
class ProtectTest : public ::testing::TestWithParam<ProtectCase>
{
};

TEST_P(ProtectTest, ComparesTheNameWithTxtByteForByte)
{
    const ProtectCase& c = GetParam();
    EXPECT_EQ(QuestionFile::IsProtected(c.szChosen, Sjis(c.szConfigured)), c.bProtected);
}
INSTANTIATE_TEST_SUITE_P(
    Names, ProtectTest,
    ::testing::Values(ProtectCase{"/d/sample0524.txt", "sample0524.txt", true},
                      ProtectCase{"/d/sample0524.dat", "sample0524.txt", true},
                      ProtectCase{"/d/Sample0524.txt", "sample0524.txt", false},
                      ProtectCase{"/elsewhere/ReadMe.txt", "sample0524.txt", true},
                      ProtectCase{"/d/readme.txt", "sample0524.txt", false},
                      ProtectCase{"/d/ReadMe", "sample0524.txt", true},
                      ProtectCase{"/d/国旗.txt", "国旗.txt", true},
                      ProtectCase{"/d/other.txt", "sample0524.txt", false}));

TEST(EditMembers, LoadKeepsThePreviousCorrectAnswerWhenNoneIsMarked)
{
    EditMembers members;
    std::string record = ComposeRecord("jpn", {"a", "b", "c", "d"}, -1);
    record[180] = record[340] = '*';
    LoadMembers(members, record);
    EXPECT_EQ(members.nCorrectAnswer, 1); // the first of two markers
    LoadMembers(members, ComposeRecord("usa", {"e", "f", "g", "h"}, -1));
    EXPECT_EQ(members.nCorrectAnswer, 1);
    EXPECT_EQ(members.strQuestion, ComposeQuestionBlock("usa"));
    EXPECT_EQ(members.answers[3], std::string("h") + std::string(78, ' '));
}

TEST(EditMembers, WriteCutsAndSetsTheAnswersBackFromTheBlocks)
{
    EditMembers members;
    members.strQuestion = std::string(120, 'q');
    members.answers = {std::string(79, 'x'), "", "b", "c"};
    members.nCorrectAnswer = 2;
    const std::string record = WriteMembers(members);
    ASSERT_EQ(record.size(), kRecordSize);
    EXPECT_EQ(record.substr(0, 100), std::string(100, 'q'));
    EXPECT_EQ(record.substr(100, 80), " " + std::string(78, 'x') + " ");
    EXPECT_EQ(record[260], '*');
    EXPECT_EQ(members.answers[0], std::string(78, 'x') + " ");
    EXPECT_EQ(members.strQuestion, std::string(120, 'q')); // as typed

    members.nCorrectAnswer = 4; // the fifth row marks nothing
    const std::string unmarked = WriteMembers(members);
    for (std::size_t nMarker : kMarkerOffsets)
        EXPECT_EQ(unmarked[nMarker], ' ');

    EditMembers empty;
    EXPECT_EQ(WriteMembers(empty), std::string(kRecordSize, ' '));
}

TEST(EditMembers, SavedFieldKeepsUnchangedBytesAndEncodesEdits)
{
    const std::string cut = Sjis("日本") + "\x93"; // ends in a lone lead byte
    const std::string shown = "日本\xEF\xBF\xBD";  // how it reads: U+FFFD for the lone byte
    EXPECT_EQ(SavedFieldBytes(cut, shown), cut);
    EXPECT_EQ(SavedFieldBytes(cut, "日本語"), Sjis("日本語"));
    EXPECT_EQ(SavedFieldBytes(cut, shown + "x"), std::nullopt); // edited, yet not encodable
    EXPECT_EQ(SavedFieldBytes("", "한국"), std::nullopt);
}
