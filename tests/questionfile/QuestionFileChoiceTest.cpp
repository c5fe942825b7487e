#include "questionfile/QuestionFileChoice.h"
#include "platform/File.h"
#include "platform/ProfileStore.h"
#include "questionfile/NewQuestionFile.h"
#include "quiz/QuestionRecord.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace fs = std::filesystem;

namespace {

std::string Records(int nCount, int nCorrect = 0)
{
    std::string bytes;
    for (int i = 0; i < nCount; ++i)
        bytes += ComposeRecord("jpn" + Sjis("どこの国旗?"), {"a*", "b", "c", "d"}, nCorrect);
    return bytes;
}

// Parameter.INI as the settings dialog and the sound toggle leave it; cnt nullptr: no entry.
std::string Ini(const std::string& strQuestion, const char* szCnt)
{
    std::string ini = "[QUESTION]\r\n1=" + strQuestion + "\r\n[LIFE]\r\n1=5\r\n";
    if (szCnt)
        ini += "[QUESTION_CNT]\r\n1=" + std::string(szCnt) + "\r\n";
    return ini + "[SEQ]\r\n1=1\r\n[SOUND]\r\nSW=0\r\n";
}

std::map<std::string, std::string> Folder(const fs::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        files[entry.path().filename().string()] = ReadFileBytes(entry.path());
    return files;
}

struct CheckCase
{
    std::string bytes;
    QuestionFileProblem problem;
    std::int64_t nBadRecord;
};
void PrintTo(const CheckCase& c, std::ostream* pOut)
{
    *pOut << c.bytes.size() << " bytes";
}
class CheckQuestionBytesTest : public ::testing::TestWithParam<CheckCase>
{
};

TEST_P(CheckQuestionBytesTest, NeedsWholeRecordsEachWithOneMarker)
{
    const QuestionFileCheck check = CheckQuestionBytes(GetParam().bytes);
    EXPECT_EQ(check.problem, GetParam().problem);
    EXPECT_EQ(check.nBadRecord, GetParam().nBadRecord);
}
INSTANTIATE_TEST_SUITE_P(
    Files, CheckQuestionBytesTest,
    ::testing::Values(CheckCase{"", QuestionFileProblem::NoRecord, 0},
                      CheckCase{Records(1).substr(0, 419), QuestionFileProblem::NoRecord, 0},
                      CheckCase{Records(3), QuestionFileProblem::None, 0},
                      CheckCase{TemplateRecord(), QuestionFileProblem::None, 0},
                      CheckCase{Records(2) + " ", QuestionFileProblem::PartialRecord, 0},
                      CheckCase{Records(2) + Records(1, -1), QuestionFileProblem::Marker, 3},
                      CheckCase{Records(1).replace(180, 1, "*"), QuestionFileProblem::Marker, 1}));

// Each case: a file chosen here or elsewhere, what already stands here, what the choice leaves.
struct ChoiceCase
{
    const char* szChosen; // UTF-8 name on disk
    bool bElsewhere;
    const char* szHere; // a file already here, or nullptr
    bool bHereSame;     // it holds the chosen bytes (else other bytes)
    std::string bytes;  // the chosen file
    const char* szCntBefore;
    QuestionFileProblem problem;
    const char* szInUse; // name stored afterwards (UTF-8)
    bool bCopied;
};
void PrintTo(const ChoiceCase& c, std::ostream* pOut)
{
    *pOut << c.szChosen << (c.bElsewhere ? " from elsewhere" : " here");
}
class ChooseQuestionFileTest : public ::testing::TestWithParam<ChoiceCase>
{
};

TEST_P(ChooseQuestionFileTest, WritesOnlyTheChoiceAndNeverOverwrites)
{
    const ChoiceCase& c = GetParam();
    TempDir here, elsewhere;
    const fs::path chosen = (c.bElsewhere ? elsewhere.Path() : here.Path()) / c.szChosen;
    WriteFileBytes(chosen, c.bytes);
    if (c.szHere)
        WriteFileBytes(here / c.szHere, c.bHereSame ? c.bytes : Records(1));
    const std::string strIniBefore = Ini("sample0524.txt", c.szCntBefore);
    WriteFileBytes(here / "Parameter.INI", strIniBefore);
    const auto before = Folder(here.Path());
    ProfileStore profile(here / "Parameter.INI");

    const QuestionFileChoice choice = ChooseQuestionFile(profile, here.Path(), chosen);

    EXPECT_EQ(choice.check.problem, c.problem);
    EXPECT_EQ(choice.bCopied, c.bCopied);
    auto after = Folder(here.Path());
    if (!c.szInUse) {
        EXPECT_EQ(after, before);
        EXPECT_TRUE(choice.strName.empty());
        return;
    }
    EXPECT_EQ(choice.strName, Sjis(c.szInUse));
    // Only the name changes; the question count stays the learner's, whatever the file holds.
    EXPECT_EQ(after["Parameter.INI"], Ini(Sjis(c.szInUse), c.szCntBefore));
    EXPECT_EQ(after[c.szInUse], c.bytes);
    after.erase("Parameter.INI");
    after.erase(c.szInUse);
    auto unchanged = before;
    unchanged.erase("Parameter.INI");
    unchanged.erase(c.szInUse);
    EXPECT_EQ(after, unchanged); // nothing else written, nothing overwritten
    EXPECT_EQ(ReadFileBytes(chosen), c.bytes);
}

using P = QuestionFileProblem;
INSTANTIATE_TEST_SUITE_P(
    Choices, ChooseQuestionFileTest,
    ::testing::Values(
        ChoiceCase{"asia.txt", false, nullptr, false, Records(12), "10", P::None, "asia.txt",
                   false},
        ChoiceCase{"asia.txt", false, nullptr, false, Records(4), "10", P::None, "asia.txt", false},
        ChoiceCase{"asia.txt", false, nullptr, false, Records(2), nullptr, P::None, "asia.txt",
                   false},
        ChoiceCase{"asia.txt", false, nullptr, false, Records(5), nullptr, P::None, "asia.txt",
                   false},
        ChoiceCase{"世界の国旗.txt", true, nullptr, false, Records(20), "10", P::None,
                   "世界の国旗.txt", true},
        ChoiceCase{"europe.TXT", true, "Europe.txt", false, Records(3), "10", P::None,
                   "europe(2).TXT", true},
        ChoiceCase{"europe.txt", true, "europe.txt", true, Records(3), "10", P::None, "europe.txt",
                   false},
        ChoiceCase{"europe.txt", true, "Europe.txt", true, Records(3), "10", P::None, "Europe.txt",
                   false},
        ChoiceCase{"bad.txt", true, nullptr, false, Records(2) + "x", "10", P::PartialRecord,
                   nullptr, false},
        ChoiceCase{"bad.txt", false, nullptr, false, Records(1, 4), "10", P::Marker, nullptr,
                   false},
        ChoiceCase{"empty.txt", true, nullptr, false, "", "10", P::NoRecord, nullptr, false},
        ChoiceCase{"한국.txt", true, nullptr, false, Records(3), "10", P::NameNotStorable, nullptr,
                   false},
        ChoiceCase{"a\nb.txt", true, nullptr, false, Records(3), "10", P::NameNotStorable, nullptr,
                   false},
        ChoiceCase{" lead.txt", false, nullptr, false, Records(3), "10", P::NameNotStorable,
                   nullptr, false},
        ChoiceCase{"ReadMe.txt", true, nullptr, false, Records(3), "10", P::ReservedName, nullptr,
                   false},
        ChoiceCase{"asia.dat", false, nullptr, false, Records(3), "10", P::NotTxt, nullptr,
                   false}));

TEST(ChooseQuestionFileFaults, ACopyThatCannotBeWrittenLeavesNothing)
{
    TempDir here, elsewhere;
    WriteFileBytes(elsewhere / "asia.txt", Records(3));
    WriteFileBytes(here / "Parameter.INI", Ini("sample0524.txt", "10"));
    const auto before = Folder(here.Path());
    ProfileStore profile(here / "Parameter.INI");

    FileFaults::FailWritesAfter(100);
    const QuestionFileChoice choice =
        ChooseQuestionFile(profile, here.Path(), elsewhere / "asia.txt");
    FileFaults::Reset();

    EXPECT_EQ(choice.check.problem, QuestionFileProblem::WriteFailed);
    EXPECT_FALSE(choice.strError.empty());
    EXPECT_EQ(Folder(here.Path()), before);

    const QuestionFileChoice missing = ChooseQuestionFile(profile, here.Path(), here / "gone.txt");
    EXPECT_EQ(missing.check.problem, QuestionFileProblem::Unreadable);
}

// A command's new file becomes the question file, or nothing of it stays: a file that was
// written but could not be adopted is removed again. What the learner is told, each time.
TEST(NewQuestionFileTest, IsAdoptedOrLeavesNothing)
{
    TempDir here, settings;
    const std::time_t now = 86400 * 3 + 3600 * 13; // 1970-01-04 13:00 in UTC
    const ScopedTimeZone zone("UTC");
    const std::string prefix = Sjis("復習-");

    ProfileStore profile(settings / "Parameter.INI");
    NewQuestionFile made = AdoptNewQuestionFile(profile, here.Path(), prefix, Records(2), now);
    ASSERT_TRUE(made.Ok()) << made.strError;
    EXPECT_EQ(profile.Get(ProfileKeys::kQuestionFile), Sjis("復習-19700104-1300.txt"));
    EXPECT_EQ(NewQuestionFileMessage(made, "復習ファイル"),
              "「復習-19700104-1300.txt」を問題ファイルにしました（2問）。");

    // Parameter.INI cannot be replaced: a folder stands in its place.
    fs::create_directory(here / "Parameter.INI");
    ProfileStore blocked(here / "Parameter.INI");
    made = AdoptNewQuestionFile(blocked, here.Path(), prefix, Records(2), now);
    EXPECT_TRUE(made.bWritten);
    EXPECT_EQ(made.choice.check.problem, QuestionFileProblem::WriteFailed);
    EXPECT_FALSE(fs::exists(here / "復習-19700104-1300-2.txt"));
    EXPECT_EQ(NewQuestionFileMessage(made, "復習ファイル"),
              "「復習-19700104-1300-2.txt」を問題ファイルにできません。\n"
              "コピーか設定ファイルへの書き込みができませんでした（Parameter.INI）。");

    made = AdoptNewQuestionFile(profile, here / "gone", prefix, Records(2), now);
    EXPECT_FALSE(made.bWritten);
    EXPECT_EQ(NewQuestionFileMessage(made, "図鑑の問題ファイル")
                  .rfind("図鑑の問題ファイルを書き込めませんでした（", 0),
              0u);
}

TEST(FreeNameTest, CountsPastTakenNamesInAnyCase)
{
    TempDir dir;
    EXPECT_EQ(FreeName(dir.Path(), "a.txt"), "a.txt");
    for (const char* szName : {"A.txt", "a(2).TXT", "a(3).txt.bak"})
        WriteFileBytes(dir / szName, "x");
    EXPECT_EQ(FreeName(dir.Path(), "a.txt"), "a(3).txt");
    EXPECT_EQ(FreeName(dir.Path(), "noext"), "noext");
}

} // namespace
