#include "platform/ProfileStore.h"
#include "platform/File.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

class ProfileStoreTest : public ::testing::Test
{
  protected:
    TempDir m_dir;
    std::filesystem::path m_path = m_dir / "Parameter.INI";
    ProfileStore m_store{m_path};
};

// Through the table of entries, so its names are the file's.
TEST_F(ProfileStoreTest, WritesTheDocumentedExampleByteForByte)
{
    m_store.Write(ProfileKeys::kQuestionFile, "sample0524.txt");
    m_store.Write(ProfileKeys::kLife, 3);
    m_store.Write(ProfileKeys::kTimeLimit, 10);
    m_store.Write(ProfileKeys::kQuestionCount, 10);
    m_store.Write(ProfileKeys::kOrder, 1);
    m_store.Write(ProfileKeys::kSound, 0);
    m_store.Write(ProfileKeys::kMap, 1);
    m_store.Write(ProfileKeys::kTyping, 1);
    EXPECT_EQ(ReadFileBytes(m_path), "[QUESTION]\r\n1=sample0524.txt\r\n"
                                     "[LIFE]\r\n1=3\r\n"
                                     "[TIME_LIMIT]\r\n1=10\r\n"
                                     "[QUESTION_CNT]\r\n1=10\r\n"
                                     "[SEQ]\r\n1=1\r\n"
                                     "[SOUND]\r\nSW=0\r\n"
                                     "[MAP]\r\nSW=1\r\n"
                                     "[INPUT]\r\nSW=1\r\n");
}

TEST_F(ProfileStoreTest, RewritingAValueChangesOnlyThatLine)
{
    const std::string before = "; hand-made\r\n"
                               "[Other]\r\nkey = keep me\r\n\r\n"
                               "[life]\r\n  1 = 7\r\nnote=x\r\n\r\n"
                               "[SEQ]\n1=0\n";
    WriteFileBytes(m_path, before);
    ASSERT_TRUE(m_store.WriteProfileInt("LIFE", "1", 12));
    EXPECT_EQ(ReadFileBytes(m_path), "; hand-made\r\n"
                                     "[Other]\r\nkey = keep me\r\n\r\n"
                                     "[life]\r\n  1=12\r\nnote=x\r\n\r\n"
                                     "[SEQ]\n1=0\n");
    ASSERT_TRUE(m_store.WriteProfileInt("SEQ", "1", 1));
    EXPECT_TRUE(ReadFileBytes(m_path).ends_with("\r\n\r\n[SEQ]\n1=1\n"));
}

TEST_F(ProfileStoreTest, NewEntriesGoToTheEndOfTheirSectionAndNewSectionsToTheEnd)
{
    WriteFileBytes(m_path, "[A]\r\nx=1\r\n\r\n[B]\r\ny=2"); // no final line end
    m_store.WriteProfileStringA("a", "z", "3");
    m_store.WriteProfileStringA("B", "w", "4");
    m_store.WriteProfileStringA("C", "v", "5");
    EXPECT_EQ(ReadFileBytes(m_path),
              "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n[C]\r\nv=5\r\n");
}

TEST_F(ProfileStoreTest, ReadsWithoutRegardToCaseAndBlanksFirstMatchWins)
{
    WriteFileBytes(m_path, "\xEF\xBB\xBF[Question]\n;1=commented\n 1 =  first.txt  \n1=second.txt\n"
                           "[QUESTION]\n1=other section\n[sound]\nsw=\"2\"\n[EMPTY]\n1=\n");
    EXPECT_EQ(m_store.GetProfileStringA("QUESTION", "1", "d"), "first.txt");
    EXPECT_EQ(m_store.GetProfileStringA("question", "1", "d"), "first.txt");
    EXPECT_EQ(m_store.GetProfileIntA("SOUND", "SW", 1), 2);
    EXPECT_EQ(m_store.GetProfileStringA("EMPTY", "1", "default"), "");
    EXPECT_EQ(m_store.GetProfileIntA("EMPTY", "1", 5), 5);
    EXPECT_EQ(m_store.GetProfileStringA("QUESTION", "2", "dflt"), "dflt");
    EXPECT_EQ(m_store.GetProfileIntA("NOPE", "1", -4), -4);
}

// Each reader's own default, as the program has always read a missing file: a round of 3
// questions without time limit or allowance, in file order, sound on, map and typing off; the
// settings dialog shows 1 for each slider.
TEST_F(ProfileStoreTest, MissingFileGivesEachReadersDefault)
{
    const std::pair<IntSetting, int> cases[] = {
        {ProfileKeys::kTimeLimit, 0},     {ProfileKeys::kLife, 0},
        {ProfileKeys::kQuestionCount, 3}, {ProfileKeys::kOrder, 0},
        {ProfileKeys::kSound, 1},         {ProfileKeys::kMap, 0},
        {ProfileKeys::kTyping, 0},        {ProfileKeys::kShownTimeLimit, 1},
        {ProfileKeys::kShownLife, 1},     {ProfileKeys::kShownQuestionCount, 1}};
    for (const auto& [setting, nDefault] : cases)
        EXPECT_EQ(m_store.Get(setting), nDefault) << setting.section;
    EXPECT_EQ(m_store.Get(ProfileKeys::kQuestionFile), "sample0524.txt");
    EXPECT_EQ(m_store.Stored(ProfileKeys::kQuestionFile), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(m_path)); // reading never creates it
}

struct IntCase
{
    const char* szText;
    int nValue;
};

class ProfileIntTest : public ::testing::TestWithParam<IntCase>
{
};

TEST_P(ProfileIntTest, TakesLeadingDigitsWithAnOptionalSign)
{
    EXPECT_EQ(ProfileStore::ParseInt(GetParam().szText), GetParam().nValue);
}

INSTANTIATE_TEST_SUITE_P(Texts, ProfileIntTest,
                         ::testing::Values(IntCase{"10", 10}, IntCase{"  42  ", 42},
                                           IntCase{"-7", -7}, IntCase{"+8", 8},
                                           IntCase{"12abc", 12}, IntCase{"abc", 0}, IntCase{"-", 0},
                                           IntCase{"1 2", 1}, IntCase{"4294967297", 1},
                                           IntCase{"2147483648", -2147483647 - 1},
                                           IntCase{"99999999999999999999999", -159383553}),
                         [](const auto& info) { return "text" + std::to_string(info.index); });

TEST_F(ProfileStoreTest, KeepsCp932ValuesAsBytes)
{
    const std::string name = Sjis("問題集①.txt");
    m_store.WriteProfileStringA("QUESTION", "1", name);
    EXPECT_EQ(m_store.GetProfileStringA("QUESTION", "1", ""), name);
    EXPECT_EQ(ReadFileBytes(m_path), "[QUESTION]\r\n1=" + name + "\r\n");
}

TEST_F(ProfileStoreTest, AFailedWriteIsIgnoredAndKeepsTheOldFile)
{
    const std::string before = "[LIFE]\r\n1=5\r\n";
    WriteFileBytes(m_path, before);
    FileFaults::FailWritesAfter(4);
    EXPECT_FALSE(m_store.WriteProfileInt("LIFE", "1", 9));
    FileFaults::Reset();
    EXPECT_EQ(ReadFileBytes(m_path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 1);

    ProfileStore dirStore(m_dir / "dir.INI");
    std::filesystem::create_directory(m_dir / "dir.INI");
    EXPECT_FALSE(dirStore.WriteProfileInt("LIFE", "1", 9));
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "dir.INI"));
    EXPECT_EQ(dirStore.GetProfileIntA("LIFE", "1", 4), 4);
}
