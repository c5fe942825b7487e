#include "settings/QuestionFileList.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace QFL = QuestionFileList;

namespace {

struct OrderCase
{
    const char* szA;
    const char* szB; // szA sorts strictly before szB
};

class ListBoxOrderTest : public ::testing::TestWithParam<OrderCase>
{
};

TEST_P(ListBoxOrderTest, SortsLikeTheWindowsListBox)
{
    const std::string a = Sjis(GetParam().szA), b = Sjis(GetParam().szB);
    EXPECT_TRUE(QFL::ListBoxLess(a, b)) << GetParam().szA << " < " << GetParam().szB;
    EXPECT_FALSE(QFL::ListBoxLess(b, a)) << GetParam().szB << " < " << GetParam().szA;
}

INSTANTIATE_TEST_SUITE_P(Pairs, ListBoxOrderTest,
                         ::testing::Values(OrderCase{"a.txt", "B.txt"}, // case ignored
                                           OrderCase{"B.txt", "c.txt"},
                                           OrderCase{"Sample.txt", "sample.txt"}, // tie: bytes
                                           OrderCase{"ab.txt", "abc.txt"}, // '.' before letters
                                           OrderCase{"_x.txt", "0.txt"},   // punctuation first
                                           OrderCase{"9.txt", "a.txt"},    // digits before letters
                                           OrderCase{"z.txt", "あ.txt"},   // double-byte last
                                           OrderCase{"ア.txt", "ヂ.txt"}));

TEST(QuestionFileListing, ListsTxtFilesButReadMeSortedWithoutFolders)
{
    TempDir dir;
    for (const char* szName : {"b.txt", "A.txt", "ReadMe.txt", "readme.txt", "c.TXT", "notes.dat",
                               "x.txtx", "国旗.txt", "\xF0\x9F\x98\x80.txt"})
        WriteFileBytes(dir / szName, "");
    std::filesystem::create_directory(dir / "folder.txt");

    const std::vector<std::string> expected = {"A.txt", "b.txt", "c.TXT", "readme.txt",
                                               Sjis("国旗.txt")};
    EXPECT_EQ(QFL::List(dir.Path()), expected);
}

TEST(QuestionFileListing, UnreadableFolderGivesAnEmptyList)
{
    TempDir dir;
    EXPECT_TRUE(QFL::List(dir / "missing").empty());
}

struct PrefixCase
{
    std::vector<const char*> names; // in list order
    const char* szPrefix;
    int nExpected; // -1: nothing selected
};

class FindPrefixTest : public ::testing::TestWithParam<PrefixCase>
{
};

TEST_P(FindPrefixTest, SelectsTheFirstNameBeginningWithTheText)
{
    const PrefixCase& c = GetParam();
    std::vector<std::string> names;
    for (const char* sz : c.names)
        names.push_back(Sjis(sz));
    const auto found = QFL::FindPrefix(names, Sjis(c.szPrefix));
    EXPECT_EQ(found ? static_cast<int>(*found) : -1, c.nExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, FindPrefixTest,
    ::testing::Values(PrefixCase{{"a.txt", "sample0524.txt", "sample1.txt"}, "sample0524.txt", 1},
                      PrefixCase{{"a.txt", "sample0524.txt", "sample1.txt"}, "SAMPLE", 1},
                      PrefixCase{{"a.txt", "Sample0524.txt"}, "sample0524.TXT", 1},
                      PrefixCase{{"a.txt", "b.txt"}, "c", -1},
                      PrefixCase{{"a.txt", "b.txt"}, "", -1},
                      PrefixCase{{"a.txt"}, "a.txt.bak", -1}, PrefixCase{{}, "a", -1},
                      // The trail bytes 0x41 and 0x61 are 'A' and 'a', but ア and ヂ differ.
                      PrefixCase{{"ア.txt", "ヂ.txt"}, "ヂ", 1},
                      PrefixCase{{"ア.txt", "ヂ.txt"}, "ア", 0}));

TEST(QuestionFileRecords, CountsWholeRecordsOnly)
{
    TempDir dir;
    const std::pair<std::size_t, std::int64_t> cases[] = {
        {0, 0}, {419, 0}, {420, 1}, {20 * 420, 20}, {20 * 420 + 419, 20}};
    for (const auto& [nBytes, nRecords] : cases) {
        WriteFileBytes(dir / "q.txt", std::string(nBytes, ' '));
        EXPECT_EQ(QFL::RecordsIn(dir / "q.txt"), nRecords) << nBytes << " bytes";
    }
    EXPECT_EQ(QFL::RecordsIn(dir / "missing.txt"), std::nullopt);
    EXPECT_EQ(QFL::RecordsIn(dir.Path()), std::nullopt); // a folder has no size
}

struct CountCase
{
    std::optional<std::int64_t> records;
    int nStored;
    int nSliderMax;
    int nPosition;
    bool bMoved;
    std::optional<int> toStore;
};

class QuestionCountTest : public ::testing::TestWithParam<CountCase>
{
};

TEST_P(QuestionCountTest, SliderAndSavedCountStayWithinTheFile)
{
    const CountCase& c = GetParam();
    EXPECT_EQ(QFL::CountSliderMax(c.records, c.nStored), c.nSliderMax);
    EXPECT_EQ(QFL::CountToStore(c.nPosition, c.records, c.nStored, c.bMoved), c.toStore);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, QuestionCountTest,
    ::testing::Values(CountCase{20, 20, 20, 20, false, 20},           // the usual case
                      CountCase{20, 50, 20, 20, false, std::nullopt}, // a small file keeps 50
                      CountCase{20, 50, 20, 20, true, 20},            // moved there: the learner's
                      CountCase{20, 50, 20, 7, true, 7},
                      CountCase{5, 20, 5, 20, true, 5},               // file shrank: capped
                      CountCase{0, 7, 1, 1, false, std::nullopt},     // shorter than one record
                      CountCase{std::nullopt, 12, 12, 12, false, 12}, // no file: keep the count
                      CountCase{std::nullopt, 0, 1, 1, false, 1},     // never a slider of 1..0
                      CountCase{std::nullopt, -4, 1, 1, false, 1},
                      CountCase{std::int64_t{1} << 40, 3, 2147483647, 3, false, 3})); // huge file

} // namespace
