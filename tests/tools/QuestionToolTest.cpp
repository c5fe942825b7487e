#include "TestSupport.h"

#include "facts/Facts.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "quiz/FlagCatalog.h"
#include "quiz/QuestionRecord.h"
#include "tools/questions/BankGenerator.h"
#include "tools/questions/BundledFiles.h"
#include "tools/questions/FactCheck.h"
#include "tools/questions/FieldText.h"
#include "tools/questions/FlagLikeness.h"
#include "tools/questions/Neighbours.h"
#include "tools/questions/Prng.h"
#include "tools/questions/QuestionCheck.h"
#include "tools/questions/QuestionTool.h"
#include "tools/questions/QuestionTsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace {

const std::filesystem::path kSource = MARELTO_SOURCE_DIR;
const std::filesystem::path kFixtures = kSource / "tests/data/questions";

using QuestionCheck::Rule;

// ---- fields ----------------------------------------------------------------------------------

struct EscapeCase
{
    const char* szName;
    std::string bytes; // cp932
    std::string text;  // UTF-8 with escapes
};

class FieldEscapeTest : public ::testing::TestWithParam<EscapeCase>
{
};

TEST_P(FieldEscapeTest, EscapesAndComesBackToTheSameBytes)
{
    const EscapeCase& c = GetParam();
    EXPECT_EQ(FieldText::Escape(c.bytes), c.text);
    FieldText::Decoded back = FieldText::Unescape(c.text);
    ASSERT_TRUE(back.bOk) << back.strError;
    EXPECT_EQ(back.strBytes, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldEscapeTest,
    ::testing::Values(EscapeCase{"Plain", "jpn abc", "jpn abc"},
                      EscapeCase{"Kanji", Sjis("国旗の国"), "国旗の国"},
                      EscapeCase{"HalfWidthKana", "\xB1\xB2", "ｱｲ"},
                      EscapeCase{"TrailByte5C", "\x83\x5C", "ソ"},
                      EscapeCase{"Backslash", "a\\b", "a\\\\b"},
                      EscapeCase{"TabAndLineEnds", "a\tb\r\nc", "a\\tb\\r\\nc"},
                      EscapeCase{"Nul", std::string("a\0b", 3), "a\\x00b"},
                      EscapeCase{"LoneLeadAtEnd", "ab\x82", "ab\\x82"},
                      EscapeCase{"LeadBeforeNonTrail", "\x82 x", "\\x82 x"},
                      EscapeCase{"UndefinedBytes", "\x80\xA0\xFD", "\\x80\\xA0\\xFD"},
                      EscapeCase{"DuplicateCodeKeepsItsBytes", "\xED\x40", "\\xED\\x40"},
                      EscapeCase{"UnassignedPair", "\x85\x40", "\\x85\\x40"}),
    [](const auto& info) { return std::string(info.param.szName); });

TEST(FieldTextTest, UnescapeRefusesWhatItCannotTurnIntoBytes)
{
    struct Case
    {
        std::string text;
        std::string strNamed;
    };
    for (const Case& c : {Case{"a\\qb", "\\q"}, Case{"a\\x4", "\\x"}, Case{"end\\", "\\"},
                          Case{"絵\xF0\x9F\x98\x80", "U+1F600"}, Case{"\xE3\x81", "UTF-8"}}) {
        FieldText::Decoded d = FieldText::Unescape(c.text);
        EXPECT_FALSE(d.bOk) << c.text;
        EXPECT_NE(d.strError.find(c.strNamed), std::string::npos) << d.strError;
    }
}

// ---- export and import -----------------------------------------------------------------------

TEST(QuestionTsvTest, FixtureExportsToTheGoldenTableAndImportsBack)
{
    const std::string bytes = ReadFileBytes(kFixtures / "odd-records.txt");
    const std::string golden = ReadFileBytes(kFixtures / "odd-records.tsv");
    QuestionTsv::ExportResult exported = QuestionTsv::Export(bytes);
    EXPECT_EQ(exported.nRecords, 4u);
    EXPECT_EQ(exported.strTsv, golden);

    QuestionTsv::ImportResult imported = QuestionTsv::Import(golden);
    ASSERT_TRUE(imported.bOk);
    EXPECT_EQ(imported.strBytes, bytes);
}

TEST(QuestionTsvTest, AnyRecordBytesSurviveTheTrip)
{
    Prng prng(7);
    std::string bytes = TemplateRecord();
    for (int k = 0; k < 300; ++k) {
        std::string record(kRecordSize, ' ');
        // Mostly cp932-looking bytes, with padding, so that both escapes and text occur.
        for (char& b : record)
            b = static_cast<char>(prng.Below(4) == 0 ? ' ' : prng.Below(256));
        bytes += record;
    }
    QuestionTsv::ExportResult exported = QuestionTsv::Export(bytes + "tail");
    EXPECT_EQ(exported.nTailBytes, 4u);
    QuestionTsv::ImportResult imported = QuestionTsv::Import(exported.strTsv);
    ASSERT_TRUE(imported.bOk);
    EXPECT_EQ(imported.nRecords, 301u);
    EXPECT_TRUE(imported.strBytes == bytes);
}

TEST(QuestionTsvTest, ImportReadsCrlfBomBlankLinesAndPadsLikeTheEditor)
{
    const std::string tsv = "\xEF\xBB\xBF" + std::string(QuestionTsv::kHeader) +
                            "\r\n\r\njpn\tこの国旗の国は？\t日本\t韓国\t中国\t台湾\t1\r\n";
    QuestionTsv::ImportResult imported = QuestionTsv::Import(tsv);
    ASSERT_TRUE(imported.bOk);
    EXPECT_EQ(imported.strBytes,
              ComposeRecord(Sjis("jpnこの国旗の国は？"),
                            {Sjis("日本"), Sjis("韓国"), Sjis("中国"), Sjis("台湾")}, 0));
}

struct ImportErrorCase
{
    const char* szName;
    std::string line;
    std::string strField;
    std::string strNamed;
};

class ImportErrorTest : public ::testing::TestWithParam<ImportErrorCase>
{
};

TEST_P(ImportErrorTest, NamesLineAndFieldAndBuildsNothing)
{
    const ImportErrorCase& c = GetParam();
    const std::string tsv =
        std::string(QuestionTsv::kHeader) + "\njpn\tq\ta\tb\tc\td\t1\n" + c.line;
    QuestionTsv::ImportResult result = QuestionTsv::Import(tsv);
    EXPECT_FALSE(result.bOk);
    EXPECT_TRUE(result.strBytes.empty());
    ASSERT_EQ(result.diagnostics.size(), 1u);
    const QuestionTsv::Diagnostic& d = result.diagnostics[0];
    EXPECT_TRUE(d.bError);
    EXPECT_EQ(d.nLine, 3);
    EXPECT_EQ(d.strField, c.strField);
    EXPECT_NE(d.strMessage.find(c.strNamed), std::string::npos) << d.strMessage;
    EXPECT_EQ(QuestionTsv::FormatDiagnostic(d).rfind("3 行目 " + c.strField, 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ImportErrorTest,
    ::testing::Values(
        ImportErrorCase{"Emoji", "jpn\t国旗\xF0\x9F\x87\xAF\xF0\x9F\x87\xB5\ta\tb\tc\td\t1",
                        "問題文", "U+1F1EF"},
        ImportErrorCase{"Hangul", "kor\tq\ta\t\xED\x95\x9C\tc\td\t1", "解答2", "U+D55C"},
        ImportErrorCase{"AnswerOver79", "jpn\tq\ta\tb\tc\t" + std::string(80, 'x') + "\t1", "解答4",
                        "80 バイト"},
        ImportErrorCase{"QuestionOver97", "jpn\t" + std::string(98, 'q') + "\ta\tb\tc\td\t1",
                        "問題文", "98 バイト"},
        ImportErrorCase{"BlockOver100", "\t" + std::string(101, 'q') + "\ta\tb\tc\td\t1", "問題文",
                        "101 バイト"},
        ImportErrorCase{"ShortCode", "jp\tq\ta\tb\tc\td\t1", "国コード", "3 バイト"},
        ImportErrorCase{"BadEscape", "jpn\tq\ta\\zb\tb\tc\td\t1", "解答1", "\\z"},
        ImportErrorCase{"CorrectOutOfRange", "jpn\tq\ta\tb\tc\td\t5", "正解", "5"},
        ImportErrorCase{"CorrectTwice", "jpn\tq\ta\tb\tc\td\t22", "正解", "22"},
        ImportErrorCase{"CorrectMissing", "jpn\tq\ta\tb\tc\td\t", "正解", "1〜4"},
        ImportErrorCase{"MarkersTooShort", "jpn\tq\ta\tb\tc\td\t=**", "正解", "4 バイト"},
        ImportErrorCase{"TooFewColumns", "jpn\tq\ta\tb", "", "4 個"}),
    [](const auto& info) { return std::string(info.param.szName); });

TEST(QuestionTsvTest, TextBeyondWhatIsShownIsKeptWithAWarningOrCutAtACharacter)
{
    const std::string q97 = std::string(95, 'q') + "あ"; // 97 bytes
    std::string ans = "a";
    for (int i = 0; i < 39; ++i)
        ans += "い"; // 79 bytes
    const std::string tsv = "jpn\t" + q97 + "\t" + ans + "\tb\tc\td\t1\n";

    QuestionTsv::ImportResult kept = QuestionTsv::Import(tsv);
    ASSERT_TRUE(kept.bOk);
    EXPECT_EQ(kept.diagnostics.size(), 2u);
    EXPECT_FALSE(kept.diagnostics[0].bError);
    EXPECT_EQ(kept.strBytes.substr(3, 97), std::string(95, 'q') + Sjis("あ"));
    EXPECT_EQ(kept.strBytes.substr(101, 79), "a" + Sjis(ans.substr(1)));

    QuestionTsv::ImportResult cut = QuestionTsv::Import(tsv, {true});
    ASSERT_TRUE(cut.bOk);
    EXPECT_EQ(cut.strBytes.substr(3, 97), std::string(95, 'q') + "  "); // あ would straddle 96
    EXPECT_EQ(cut.strBytes.substr(101, 79), "a" + Sjis(ans.substr(4)) + "  "); // 77 bytes + pad
    EXPECT_EQ(QuestionCheck::Check(cut.strBytes).size(), 0u);
}

// ---- check -----------------------------------------------------------------------------------

std::string GoodRecord()
{
    return ComposeRecord(Sjis("jpnこの国旗の国の首都はどこ？"),
                         {Sjis("東京"), Sjis("ソウル"), Sjis("北京"), Sjis("台北")}, 0);
}

struct CheckCase
{
    const char* szName;
    std::map<std::size_t, std::string> patches; // record offset -> bytes written there
    std::set<Rule> rules;
};

class CheckRuleTest : public ::testing::TestWithParam<CheckCase>
{
};

TEST_P(CheckRuleTest, FindsExactlyTheRule)
{
    const CheckCase& c = GetParam();
    std::string record = GoodRecord();
    for (const auto& [nOffset, bytes] : c.patches)
        record.replace(nOffset, bytes.size(), bytes);
    std::set<Rule> found;
    for (const QuestionCheck::Problem& p : QuestionCheck::CheckRecord(record, 5)) {
        found.insert(p.rule);
        EXPECT_EQ(p.nRecord, 5);
        EXPECT_EQ(QuestionCheck::FormatProblem(p).rfind("レコード 5: ", 0), 0u);
    }
    EXPECT_EQ(found, c.rules);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CheckRuleTest,
    ::testing::Values(CheckCase{"Clean", {}, {}},
                      CheckCase{"NoMarker", {{100, " "}}, {Rule::NoMarker}},
                      CheckCase{"SeveralMarkers", {{260, "*"}}, {Rule::SeveralMarkers}},
                      CheckCase{"OddMarker", {{180, "x"}}, {Rule::OddMarker}},
                      CheckCase{"CapitalCode", {{0, "JPN"}}, {Rule::UnknownCode}},
                      CheckCase{"Nul", {{150, std::string(1, '\0')}}, {Rule::NulByte}},
                      CheckCase{"LineFeed", {{120, "\n"}}, {Rule::ControlByte}},
                      CheckCase{"InvalidByte", {{30, "\x80"}}, {Rule::InvalidCp932}},
                      CheckCase{"CutCharacter", {{190, "\x82"}}, {Rule::CutCharacter}},
                      CheckCase{"QuestionByte97", {{99, "?"}}, {Rule::QuestionTooLong}},
                      CheckCase{"AnswerByte79", {{179, "!"}}, {Rule::AnswerTooLong}},
                      CheckCase{"EmptyAnswer", {{261, "    "}}, {Rule::EmptyText}},
                      CheckCase{
                          "SameAnswers", {{341, Sjis("ソウル") + "  "}}, {Rule::SameAnswers}}),
    [](const auto& info) { return std::string(info.param.szName); });

// Flag-choice and position records: the marked flag or place must be the asked country's; with
// the facts, the clue must name it (or its capital, or show its flag). Each problem names the
// record and the field.
TEST(QuestionCheckTest, FlagChoiceAndPositionRecordsMarkTheAskedCountryAndNameIt)
{
    const BankGenerator::FactsResult facts =
        BankGenerator::ParseFacts(ReadFileBytes(kSource / "data/countries.tsv"));
    ASSERT_TRUE(facts.bOk);
    struct Case
    {
        const char* szClue;
        std::array<std::string, 4> codes;
        int nCorrect;
        std::vector<Rule> rules;
        const char* szMessage; // a part of the one message, or empty
    };
    const std::array<std::string, 4> flags = {"prt", "bra", "arg", "col"};
    const std::array<std::string, 4> places = {"@prt", "@bra", "@arg", "@col"};
    const std::vector<Case> cases = {
        {"ブラジルの国旗はどれ？", flags, 1, {}, ""},
        {"首都がブラジリアの国の国旗はどれ？", flags, 1, {}, ""},
        {"ブラジルの国旗はどれ？",
         flags,
         0,
         {Rule::FlagNotAsked},
         "レコード 3: 解答1「prt」が正解ですが、問われている国コード「bra」"},
        {"ブラジルの国旗はどれ？",
         {"prt", "bra", "prt", "col"},
         1,
         {Rule::SameAnswers},
         "レコード 3: 解答1 と 解答3 が同じです"},
        {"ペルーの国旗はどれ？",
         flags,
         1,
         {Rule::ClueNotFact},
         "レコード 3: 問題文「ペルーの国旗はどれ？」"},
        {"首都がリマの国の国旗はどれ？", flags, 1, {Rule::ClueNotFact}, ""},
        // One answer not a code: a text question of the author's own, not judged as a flag choice.
        {"ペルーの国旗はどれ？", {"prt", "bra", "arg", "colombia"}, 0, {}, ""},
        {"ブラジルはどこ？", places, 1, {}, ""},
        {"この国旗の国はどこ？", places, 1, {}, ""},
        {"ブラジルはどこ？",
         places,
         0,
         {Rule::PlaceNotAsked},
         "レコード 3: 解答1「@prt」が正解ですが、問われている国コード「bra」の位置ではありません"},
        {"ペルーはどこ？", places, 1, {Rule::ClueNotPlace}, "レコード 3: 問題文「ペルーはどこ？」"},
        {"ブラジルはどこ？",
         {"@prt", "@bra", "arg", "@xyz"},
         1,
         {Rule::PlaceNotCode, Rule::PlaceNotCode},
         "レコード 3: 解答3「arg」は「@」と国旗の一覧の国コード"},
    };
    for (const Case& c : cases) {
        const std::string bytes = GoodRecord() + GoodRecord() +
                                  ComposeRecord("bra" + Sjis(c.szClue), c.codes, c.nCorrect);
        std::vector<QuestionCheck::Problem> problems = QuestionCheck::Check(bytes);
        const std::vector<QuestionCheck::Problem> fromFacts =
            FactCheck::Check(facts.countries, bytes);
        problems.insert(problems.end(), fromFacts.begin(), fromFacts.end());
        std::vector<Rule> rules;
        for (const QuestionCheck::Problem& p : problems)
            rules.push_back(p.rule);
        EXPECT_EQ(rules, c.rules) << c.szClue;
        if (*c.szMessage)
            EXPECT_EQ(QuestionCheck::FormatProblem(problems.at(0)).rfind(c.szMessage, 0), 0u)
                << QuestionCheck::FormatProblem(problems.at(0));
    }
}

TEST(QuestionCheckTest, WholeFileRulesAndRecordNumbers)
{
    EXPECT_EQ(QuestionCheck::Check("").at(0).rule, Rule::NoRecords);

    std::string bytes = GoodRecord() + TemplateRecord() + GoodRecord() + std::string(160, ' ');
    std::vector<QuestionCheck::Problem> problems = QuestionCheck::Check(bytes);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].rule, Rule::UnknownCode); // the template has no country code
    EXPECT_EQ(problems[0].nRecord, 2);
    EXPECT_EQ(problems[1].rule, Rule::PartialTail);
    EXPECT_NE(problems[1].strMessage.find("160"), std::string::npos);
}

TEST(QuestionCheckTest, FixtureProblemsByRecord)
{
    std::multiset<std::pair<std::int64_t, Rule>> found;
    for (const QuestionCheck::Problem& p :
         QuestionCheck::Check(ReadFileBytes(kFixtures / "odd-records.txt")))
        found.insert({p.nRecord, p.rule});
    const std::multiset<std::pair<std::int64_t, Rule>> expected = {
        {1, Rule::UnknownCode},   {2, Rule::ControlByte},  {2, Rule::SeveralMarkers},
        {2, Rule::CutCharacter},  {2, Rule::CutCharacter}, {2, Rule::QuestionTooLong},
        {2, Rule::AnswerTooLong}, {3, Rule::NulByte},      {3, Rule::ControlByte},
        {3, Rule::UnknownCode},   {3, Rule::OddMarker},    {3, Rule::InvalidCp932},
        {3, Rule::EmptyText}};
    EXPECT_EQ(found, expected);
}

// ---- the command line ------------------------------------------------------------------------

int RunTool(std::vector<std::string> args, std::string* pOut = nullptr, std::string* pErr = nullptr)
{
    std::ostringstream out, err;
    int nStatus = RunQuestionTool(args, out, err);
    if (pOut)
        *pOut = out.str();
    if (pErr)
        *pErr = err.str();
    return nStatus;
}

TEST(QuestionToolTest, ExitStatusSaysWhetherTheFileIsClean)
{
    TempDir dir;
    WriteFileBytes(dir / "good.txt", GoodRecord());
    WriteFileBytes(dir / "bad.txt", GoodRecord() + "x");
    std::string out;
    EXPECT_EQ(RunTool({"check", (dir / "good.txt").string()}, &out), 0);
    EXPECT_NE(out.find("1 件、問題なし"), std::string::npos) << out;
    EXPECT_EQ(RunTool({"check", (dir / "good.txt").string(), (dir / "bad.txt").string()}, &out), 1);
    EXPECT_EQ(RunTool({"check", (dir / "missing.txt").string()}), 1);
    EXPECT_EQ(RunTool({"check"}), 2);
    EXPECT_EQ(RunTool({"import", (dir / "good.txt").string()}), 2); // no -o
    EXPECT_EQ(RunTool({"frobnicate", "x"}), 2);
}

TEST(QuestionToolTest, FailedImportLeavesNoFileAndKeepsAnOldOne)
{
    TempDir dir;
    WriteFileBytes(dir / "bad.tsv", "jpn\tq\ta\tb\tc\td\t1\njpn\tq\ta\tb\tc\n");
    EXPECT_EQ(RunTool({"import", (dir / "bad.tsv").string(), "-o", (dir / "new.txt").string()}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "new.txt"));

    WriteFileBytes(dir / "old.txt", TemplateRecord());
    std::string err;
    EXPECT_EQ(RunTool({"import", (dir / "bad.tsv").string(), "-o", (dir / "old.txt").string()},
                      nullptr, &err),
              1);
    EXPECT_NE(err.find("2 行目"), std::string::npos) << err;
    EXPECT_EQ(ReadFileBytes(dir / "old.txt"), TemplateRecord());
}

TEST(QuestionToolTest, ImportThatCannotWriteKeepsTheOldFileWhole)
{
    TempDir dir;
    WriteFileBytes(dir / "good.tsv", "jpn\tq\ta\tb\tc\td\t1\njpn\tq\ta\tb\tc\td\t2\n");
    WriteFileBytes(dir / "old.txt", TemplateRecord());
    FileFaults::FailWritesAfter(500);
    int nStatus =
        RunTool({"import", (dir / "good.tsv").string(), "-o", (dir / "old.txt").string()});
    FileFaults::Reset();
    EXPECT_EQ(nStatus, 1);
    EXPECT_EQ(ReadFileBytes(dir / "old.txt"), TemplateRecord());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              2); // no temporary file left behind
}

TEST(QuestionToolTest, ExportThenImportThroughFilesGivesTheSameBytes)
{
    TempDir dir;
    const std::filesystem::path bank = kSource / "data/sample0524.txt";
    ASSERT_EQ(RunTool({"export", bank.string(), "-o", (dir / "bank.tsv").string()}), 0);
    ASSERT_EQ(RunTool({"import", (dir / "bank.tsv").string(), "-o", (dir / "bank.txt").string()}),
              0);
    EXPECT_TRUE(ReadFileBytes(dir / "bank.txt") == ReadFileBytes(bank));
}

// ---- the bundled bank ------------------------------------------------------------------------

TEST(BankFileTest, CommittedFilesAreWhatTheGeneratorMakesFromTheFacts)
{
    const std::string facts = ReadFileBytes(kSource / "data/countries.tsv");
    const BankGenerator::FactsResult parsed = BankGenerator::ParseFacts(facts);
    ASSERT_TRUE(parsed.bOk) << parsed.strError;
    std::map<std::string, int> perContinent; // questions per code over the 州 files
    for (const BundledFile& file : BundledFiles()) {
        const std::string strName(file.strName);
        if (!file.bGenerated) {
            // Committed as it shipped; it must still agree with the facts.
            const std::string bytes = ReadFileBytes(kSource / "data" / strName);
            EXPECT_EQ(RecordCount(bytes.size()), 264);
            EXPECT_TRUE(QuestionCheck::Check(bytes).empty()) << strName;
            EXPECT_TRUE(FactCheck::Check(parsed.countries, bytes).empty()) << strName;
            continue;
        }
        MadeFile made = MakeQuestionFile(facts, &file);
        ASSERT_TRUE(made.bOk) << strName;
        EXPECT_TRUE(made.messages.empty()) << strName;
        EXPECT_TRUE(made.strBytes == ReadFileBytes(kSource / "data" / PathFromUtf8(strName)))
            << "run: marelto-questions generate data/countries.tsv --all data";
        EXPECT_TRUE(Cp932::FromUtf8(strName).has_value()) << strName;
        EXPECT_TRUE(QuestionCheck::Check(made.strBytes).empty()) << strName;
        EXPECT_TRUE(FactCheck::Check(parsed.countries, made.strBytes).empty()) << strName;
        for (std::int64_t k = 0;
             !file.strContinent.empty() && k < RecordCount(made.strBytes.size()); ++k)
            ++perContinent[made.strBytes.substr(RecordOffset(k), kCodeSize)];
    }
    ASSERT_EQ(perContinent.size(), FlagCatalog().size());
    for (const auto& [code, nQuestions] : perContinent)
        EXPECT_EQ(nQuestions, 6) << code;
    EXPECT_TRUE(MakeQuestionFile(facts).strBytes == MakeQuestionFile(facts, &WorldFile()).strBytes);
    EXPECT_EQ(WorldFile().strName, "世界の国旗.txt");
    EXPECT_EQ(RecordCount(ReadFileBytes(kSource / PathFromUtf8("data/世界の国旗.txt")).size()),
              1194);
    EXPECT_EQ(BundledFiles()[0].strName, "sample0524.txt");
}

// The look-alikes are curated for every country, so each 国旗 question's three wrong flags are
// ones a learner could confuse with the right one.
TEST(BankFileTest, EveryFlagQuestionOffersTheCuratedLookAlikes)
{
    const BankGenerator::FactsResult parsed =
        BankGenerator::ParseFacts(ReadFileBytes(kSource / "data/countries.tsv"));
    ASSERT_TRUE(parsed.bOk) << parsed.strError;
    const BankGenerator::BankResult bank = BankGenerator::Generate(parsed.countries);
    ASSERT_TRUE(bank.bOk) << bank.strError;
    int nFlagQuestions = 0;
    for (const BankGenerator::Question& q : bank.questions) {
        if (q.kind != BankGenerator::Kind::Flag)
            continue;
        ++nFlagQuestions;
        const auto& similar =
            std::find_if(parsed.countries.begin(), parsed.countries.end(), [&](auto& c) {
                return c.strCode == q.strCode;
            })->similarFlags;
        for (int i = 0; i < 4; ++i)
            if (i != q.nCorrect)
                EXPECT_NE(std::find(similar.begin(), similar.end(),
                                    q.answers[static_cast<std::size_t>(i)]),
                          similar.end())
                    << q.strCode << " offers " << q.answers[static_cast<std::size_t>(i)];
    }
    EXPECT_EQ(nFlagQuestions, 199);
}

TEST(BankFileTest, GenerateAllWritesEveryBundledFileAndCheckHoldsThemToTheFacts)
{
    TempDir dir;
    const std::string facts = (kSource / "data/countries.tsv").string();
    ASSERT_EQ(RunTool({"generate", facts, "--all", dir.Path().string()}), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "sample0524.txt")); // committed, never made
    WriteFileBytes(dir / "sample0524.txt", ReadFileBytes(kSource / "data/sample0524.txt"));
    std::vector<std::string> args = {"check", "--facts", facts};
    for (const BundledFile& file : BundledFiles())
        args.push_back(Utf8FromPath(dir / file.strName));
    std::string out;
    EXPECT_EQ(RunTool(args, &out), 0) << out;

    std::string bytes = ReadFileBytes(dir / "sample0524.txt");
    const QuestionRecord first = SplitRecord(bytes.substr(0, kRecordSize));
    const std::size_t nWrong = static_cast<std::size_t>((first.CorrectIndex().value() + 1) % 4);
    bytes.replace(kMarkerOffsets[nWrong] + 1, kAnswerSize,
                  first.answers[static_cast<std::size_t>(first.CorrectIndex().value())]);
    WriteFileBytes(dir / "sample0524.txt", bytes);
    EXPECT_EQ(RunTool({"check", "--facts", facts, (dir / "sample0524.txt").string()}, &out), 1);
    EXPECT_NE(out.find("レコード 1: 解答" + std::to_string(nWrong + 1) + "「"), std::string::npos)
        << out;
    EXPECT_EQ(RunTool({"check", (dir / "sample0524.txt").string()}), 1); // same answer twice
    EXPECT_EQ(RunTool({"generate", facts, "--all", dir.Path().string(), "-o", "x.txt"}), 2);
}

TEST(BankFileTest, ReadMeIsCp932WithCrlfLineEnds)
{
    const std::string text = ReadFileBytes(kSource / "data/ReadMe.txt");
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(Cp932::IsValid(text));
    EXPECT_TRUE(text.ends_with("\r\n"));
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at byte " << i;
}

class BankTest : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        BankGenerator::FactsResult facts =
            BankGenerator::ParseFacts(ReadFileBytes(kSource / "data/countries.tsv"));
        ASSERT_TRUE(facts.bOk) << facts.strError;
        s_countries = facts.countries;
        BankGenerator::BankResult bank = BankGenerator::Generate(s_countries);
        ASSERT_TRUE(bank.bOk) << bank.strError;
        s_questions = bank.questions;
    }

    static const BankGenerator::Country& CountryOf(const std::string& code)
    {
        return *std::find_if(s_countries.begin(), s_countries.end(),
                             [&](const auto& c) { return c.strCode == code; });
    }

    static std::vector<std::string> LanguagesOf(const std::string& answer)
    {
        std::vector<std::string> names;
        for (const BankGenerator::Country& c : s_countries)
            if (BankGenerator::LanguageAnswer(c) == answer)
                for (const BankGenerator::Language& language : c.languages)
                    names.insert(names.end(), language.names.begin(), language.names.end());
        return names;
    }

    static inline std::vector<BankGenerator::Country> s_countries;
    static inline std::vector<BankGenerator::Question> s_questions;
};

TEST_F(BankTest, EveryCatalogueCountryIsAskedAllSixWays)
{
    std::map<std::string, std::set<BankGenerator::Kind>> kinds;
    for (const BankGenerator::Question& q : s_questions)
        EXPECT_TRUE(kinds[q.strCode].insert(q.kind).second) << q.strCode;
    ASSERT_EQ(kinds.size(), FlagCatalog().size());
    for (const FlagEntry& entry : FlagCatalog())
        EXPECT_EQ(kinds[std::string(entry.strCode)].size(), BankGenerator::kKindCount)
            << entry.strCode;
}

TEST_F(BankTest, AnswersAreTheFactsFitAndGiveNothingAway)
{
    using BankGenerator::Kind;
    for (const BankGenerator::Question& q : s_questions) {
        const BankGenerator::Country& c = CountryOf(q.strCode);
        const std::string& right = q.answers[static_cast<std::size_t>(q.nCorrect)];
        switch (q.kind) {
        case Kind::Country:
            EXPECT_EQ(right, c.strName);
            break;
        case Kind::Capital:
            EXPECT_EQ(right, c.strCapital);
            break;
        case Kind::Region:
            EXPECT_EQ(right, c.strRegion);
            break;
        case Kind::Language:
            EXPECT_EQ(right, BankGenerator::LanguageAnswer(c));
            break;
        case Kind::Flag:
            EXPECT_EQ(right, c.strCode);
            EXPECT_EQ(q.strQuestion, BankGenerator::FlagQuestion(c.strName));
            break;
        case Kind::Position:
            EXPECT_EQ(right, "@" + c.strCode);
            EXPECT_EQ(q.strQuestion, c.strName + "はどこ？");
            break;
        }
        EXPECT_LE(Sjis(q.strQuestion).size(), kQuizQuestionSize);
        if (q.kind != Kind::Flag && q.kind != Kind::Position)
            EXPECT_EQ(q.strQuestion.find(c.strName), std::string::npos) << q.strQuestion;
        std::set<std::string> distinct(q.answers.begin(), q.answers.end());
        EXPECT_EQ(distinct.size(), 4u) << q.strCode;
        for (const std::string& answer : q.answers) {
            EXPECT_LE(Sjis(answer).size(), kAnswerSize - 1) << answer;
            EXPECT_EQ(q.strQuestion.find(answer), std::string::npos) << answer;
            if (answer == right)
                continue;
            if (q.kind == Kind::Region)
                EXPECT_EQ(std::count(c.regionAlso.begin(), c.regionAlso.end(), answer), 0)
                    << q.strCode << " " << answer;
            if (q.kind == Kind::Language)
                for (const std::string& name : LanguagesOf(answer))
                    for (const BankGenerator::Language& own : c.languages)
                        EXPECT_EQ(std::count(own.names.begin(), own.names.end(), name), 0)
                            << q.strCode << " " << answer;
        }
    }
}

// The look-alikes the table names come first; where it names fewer than three, the rest are the
// flags most alike in the features table, so Chad is offered Romania and Ireland Côte d'Ivoire
// even where a table row says nothing.
TEST_F(BankTest, FlagChoicesOfferTheLookAlikesFirstThenTheMostAlikeFlags)
{
    std::map<std::string, std::set<std::string>> offered;
    for (const BankGenerator::Question& q : s_questions) {
        if (q.kind != BankGenerator::Kind::Flag)
            continue;
        const BankGenerator::Country& c = CountryOf(q.strCode);
        std::set<std::string> wrong(q.answers.begin(), q.answers.end());
        wrong.erase(c.strCode);
        ASSERT_EQ(wrong.size(), 3u) << q.strCode;
        const std::size_t nLookAlikes = std::count_if(wrong.begin(), wrong.end(), [&](auto& w) {
            return std::count(c.similarFlags.begin(), c.similarFlags.end(), w) > 0;
        });
        EXPECT_EQ(nLookAlikes, std::min<std::size_t>(3, c.similarFlags.size())) << q.strCode;
        for (const std::string& w : wrong)
            EXPECT_TRUE(LookupFlagBitmap(w)) << w;
        offered[q.strCode] = wrong;
    }
    EXPECT_EQ(FlagLikeness::Error(), "");
    EXPECT_EQ(FlagLikeness::Count(), FlagCatalog().size());
    for (const auto& [a, b] : {std::pair{"tcd", "rou"},
                               {"rou", "tcd"},
                               {"idn", "mco"},
                               {"mco", "idn"},
                               {"irl", "civ"},
                               {"civ", "irl"}})
        EXPECT_TRUE(offered[a].contains(b)) << a << " " << b;
    // Measured alone: the features see the look-alikes without the table's help.
    EXPECT_LT(FlagLikeness::Distance("tcd", "rou").value(),
              FlagLikeness::Distance("tcd", "fra").value());
    EXPECT_LT(FlagLikeness::Distance("irl", "civ").value(),
              FlagLikeness::Distance("irl", "ita").value());
    EXPECT_FALSE(FlagLikeness::Distance("tcd", "xyz"));
}

// The history knows a question by its record's bytes: a change to one country's facts may change
// its own questions and those that offer, or would now offer, what changed; none else.
// A position question offers the first three states the neighbours table lists, borders first:
// Chad is told apart from the states around it, not from four continents.
TEST_F(BankTest, PositionQuestionsOfferTheNeighbours)
{
    std::map<std::string, std::set<std::string>> offered;
    for (const BankGenerator::Question& q : s_questions) {
        if (q.kind != BankGenerator::Kind::Position)
            continue;
        const Neighbours::Entry* pEntry = Neighbours::Find(q.strCode);
        ASSERT_NE(pEntry, nullptr) << q.strCode;
        std::vector<std::string> listed = pEntry->borders;
        listed.insert(listed.end(), pEntry->nearest.begin(), pEntry->nearest.end());
        std::set<std::string> expected = {"@" + q.strCode};
        for (std::size_t i = 0; i < 3; ++i)
            expected.insert("@" + listed[i]);
        EXPECT_EQ(std::set<std::string>(q.answers.begin(), q.answers.end()), expected) << q.strCode;
        offered[q.strCode] = expected;
    }
    for (const auto& [code, other] :
         {std::pair{"tcd", "@sdn"}, {"tcd", "@ner"}, {"lao", "@khm"}, {"svn", "@hrv"}})
        EXPECT_TRUE(offered[code].contains(other)) << code << " " << other;

    // Where the countries given lack neighbours, places of the same 州 stand in after them.
    std::vector<BankGenerator::Country> few;
    for (const char* code : {"tcd", "lby", "ken", "gha", "bra", "jpn", "deu", "rus"})
        few.push_back(CountryOf(code));
    const BankGenerator::BankResult bank = BankGenerator::Generate(few);
    ASSERT_TRUE(bank.bOk) << bank.strError;
    const auto chad = std::find_if(bank.questions.begin(), bank.questions.end(), [](auto& q) {
        return q.kind == BankGenerator::Kind::Position && q.strCode == "tcd";
    });
    ASSERT_NE(chad, bank.questions.end());
    EXPECT_EQ(std::set<std::string>(chad->answers.begin(), chad->answers.end()),
              (std::set<std::string>{"@tcd", "@lby", "@ken", "@gha"}));
}

TEST_F(BankTest, EditingOrRemovingOneCountryLeavesUnrelatedQuestionsByteForByte)
{
    using Key = std::pair<std::string, BankGenerator::Kind>;
    auto byKey = [](const std::vector<BankGenerator::Question>& questions) {
        std::map<Key, BankGenerator::Question> out;
        for (const BankGenerator::Question& q : questions)
            out[{q.strCode, q.kind}] = q;
        return out;
    };
    auto offers = [](const BankGenerator::Question& q, const std::string& text) {
        return std::count(q.answers.begin(), q.answers.end(), text) > 0;
    };
    const auto before = byKey(s_questions);
    const BankGenerator::Country& bra = CountryOf("bra");

    std::vector<BankGenerator::Country> edited = s_countries;
    auto it =
        std::find_if(edited.begin(), edited.end(), [](auto& c) { return c.strCode == "bra"; });
    it->strCapital = "ブラジリア新都";
    it->similarFlags.clear();
    const auto afterEdit = byKey(BankGenerator::Generate(edited).questions);
    int nChanged = 0;
    for (const auto& [key, q] : before) {
        const BankGenerator::Question& now = afterEdit.at(key);
        if (BankGenerator::ToImportTsv({q}) == BankGenerator::ToImportTsv({now}))
            continue;
        ++nChanged;
        EXPECT_TRUE(key.first == "bra" || offers(q, bra.strCapital) ||
                    offers(now, "ブラジリア新都"))
            << key.first << " " << static_cast<int>(key.second);
    }
    EXPECT_GE(nChanged, 2); // its capital and its flag choice
    EXPECT_LE(nChanged, 12);

    std::vector<BankGenerator::Country> removed = s_countries;
    std::erase_if(removed, [](auto& c) { return c.strCode == "bra"; });
    const auto afterRemoval = byKey(BankGenerator::Generate(removed).questions);
    nChanged = 0;
    for (const auto& [key, q] : before) {
        if (key.first == "bra")
            continue;
        if (BankGenerator::ToImportTsv({q}) == BankGenerator::ToImportTsv({afterRemoval.at(key)}))
            continue;
        ++nChanged;
        EXPECT_TRUE(offers(q, bra.strName) || offers(q, bra.strCapital) || offers(q, "bra") ||
                    offers(q, "@bra") || offers(q, BankGenerator::LanguageAnswer(bra)))
            << key.first << " " << static_cast<int>(key.second);
    }
    EXPECT_LT(nChanged, 36); // a few more with the places around it

    // A 州 file asks each of its countries exactly what the world file asks.
    const auto oceania = byKey(
        BankGenerator::Generate(s_countries, BankGenerator::kDefaultSeed, "オセアニア").questions);
    ASSERT_FALSE(oceania.empty());
    for (const auto& [key, q] : oceania)
        EXPECT_EQ(BankGenerator::ToImportTsv({q}), BankGenerator::ToImportTsv({before.at(key)}));
}

TEST_F(BankTest, DrillOrderMixesKindsAndIntroducesEachFlagByName)
{
    std::set<std::string> named;
    std::array<int, 4> positions{};
    std::size_t nRun = 0;
    for (std::size_t i = 0; i < s_questions.size(); ++i) {
        const BankGenerator::Question& q = s_questions[i];
        if (q.kind == BankGenerator::Kind::Country)
            named.insert(q.strCode);
        else
            EXPECT_TRUE(named.contains(q.strCode)) << "record " << i + 1;
        nRun = i > 0 && s_questions[i - 1].kind == q.kind ? nRun + 1 : 1;
        EXPECT_LE(nRun, 4u) << "record " << i + 1;
        ++positions[static_cast<std::size_t>(q.nCorrect)];
    }
    for (int n : positions)
        EXPECT_GE(n, 50);
}

// The program reads the facts table compiled in, the tool reads the file: both must hold the
// same text and split it alike, or the program would accept answers the tool never checked.
TEST_F(BankTest, CompiledFactsReadTheTableAsTheToolDoes)
{
    auto strings = [](const auto& views) {
        return std::vector<std::string>(views.begin(), views.end());
    };
    auto forms = [](const std::string& first, std::vector<std::string> others) {
        others.insert(others.begin(), first);
        return others;
    };
    const std::string tsv = ReadFileBytes(kSource / "data/countries.tsv");
    const Facts::Table file = Facts::Parse(tsv, ReadFileBytes(kSource / "data/words.tsv"));
    ASSERT_EQ(file.strError, "");
    ASSERT_EQ(Facts::Countries().size(), s_countries.size());
    ASSERT_EQ(file.countries.size(), s_countries.size());
    for (std::size_t i = 0; i < s_countries.size(); ++i) {
        const BankGenerator::Country& tool = s_countries[i];
        const Facts::Country& core = Facts::Countries()[i];
        EXPECT_EQ(core.code, tool.strCode);
        EXPECT_EQ(core.note, file.countries[i].note); // compiled in byte for byte
        EXPECT_EQ(strings(core.names), forms(tool.strName, tool.otherNames)) << tool.strCode;
        EXPECT_EQ(strings(core.capitals), forms(tool.strCapital, tool.otherCapitals))
            << tool.strCode;
        EXPECT_EQ(core.region, tool.strRegion);
        EXPECT_EQ(core.continent, tool.strContinent);
        EXPECT_EQ(strings(core.regionAlso), tool.regionAlso) << tool.strCode;
        EXPECT_EQ(strings(core.similarFlags), tool.similarFlags) << tool.strCode;
        ASSERT_EQ(core.languages.size(), tool.languages.size()) << tool.strCode;
        for (std::size_t k = 0; k < core.languages.size(); ++k)
            EXPECT_EQ(strings(core.languages[k].names), tool.languages[k].names) << tool.strCode;
    }
}

TEST_F(BankTest, SameSeedSameBankOtherSeedOtherBank)
{
    BankGenerator::BankResult again = BankGenerator::Generate(s_countries);
    EXPECT_EQ(BankGenerator::ToImportTsv(again.questions), BankGenerator::ToImportTsv(s_questions));
    BankGenerator::BankResult other = BankGenerator::Generate(s_countries, 99);
    EXPECT_NE(BankGenerator::ToImportTsv(other.questions), BankGenerator::ToImportTsv(s_questions));
}

TEST(LanguageAnswerTest, ListsUpToFourThenCounts)
{
    struct Case
    {
        std::vector<std::vector<std::string>> languages;
        std::string strAnswer;
    };
    for (const Case& c : std::vector<Case>{
             {{{"韓国語", "朝鮮語"}}, "韓国語"},
             {{{"英語"}, {"フランス語"}}, "英語、フランス語"},
             {{{"a"}, {"b"}, {"c"}, {"d"}}, "a、b、c、d"},
             {{{"a"}, {"b"}, {"c"}, {"d"}, {"e"}}, "a、b、cなど5言語"},
             {{{std::string(30, 'x')}, {std::string(30, 'y')}, {std::string(30, 'z')}},
              std::string(30, 'x') + "、" + std::string(30, 'y') + "、" + std::string(30, 'z') +
                  "など3言語"}}) {
        BankGenerator::Country country;
        for (const auto& names : c.languages)
            country.languages.push_back({names});
        EXPECT_EQ(BankGenerator::LanguageAnswer(country), c.strAnswer);
    }
}

TEST(FactsTest, BadTablesAreRefusedWithTheLine)
{
    const std::string header = "code\tname\tcapital\tregion\tcontinent\tlanguages\tsimilar_flags\n";
    const std::string jpn = "jpn\t日本\t東京\t東アジア\tアジア\t日本語\t\n";
    struct Case
    {
        std::string tsv;
        std::string strNamed;
    };
    for (const Case& c : std::vector<Case>{
             {"code\tname\tcapital\tregion\tcontinent\n", "1 行目: 見出しに列「languages」"},
             {header + "xyz\tX\tY\tR\tC\tL\t\n", "2 行目: 国コード「xyz」"},
             {header + jpn + jpn, "3 行目: 国コード「jpn」は 2 行目と重複"},
             {header + "jpn\t日本\n", "2 行目: 列の数"},
             {header + "jpn\t日本\t東京\t東アジア\tアジア\t\t\n", "2 行目: 公用語"},
             {header + "jpn\t日本\t東京\t東アジア\tアジア\t日本語\tkor\n",
              "2 行目: similar_flags の「kor」"}}) {
        BankGenerator::FactsResult result = BankGenerator::ParseFacts(c.tsv);
        EXPECT_FALSE(result.bOk);
        EXPECT_NE(result.strError.find(c.strNamed), std::string::npos) << result.strError;
    }
}

// Each case is an answer that another country would offer but Japanese sources accept for the
// country (a former capital, a regional language among them), so a generator that ignored the
// rule would offer it under some seed.
TEST(FactsTest, AnAcceptedAnswerIsNeverAWrongChoiceAndCheckReportsOne)
{
    using BankGenerator::Kind;
    const std::string tsv =
        "code\tname\tcapital\tregion\tcontinent\tlanguages\tcapital_also\tlanguages_also\n"
        "usa\tアメリカ合衆国=アメリカ\tワシントンD.C.\t北アメリカ\t北アメリカ\t英語\t\tスペイン語\n"
        "cub\tキューバ\tハバナ\tカリブ海地域\t北アメリカ\tスペイン語\t\t\n"
        "per\tペルー\tスクレ=ラパス\t南アメリカ\t南アメリカ\tアイマラ語\t\t\n"
        "can\tアメリカ\tラパス\t中央アメリカ\t北アメリカ\t英語、フランス語\t\t\n"
        "fra\tフランス\tパリ\t西ヨーロッパ\tヨーロッパ\tフランス語\t\t\n"
        "jpn\t日本\t東京\t東アジア\tアジア\t日本語\tパリ\t\n";
    BankGenerator::FactsResult facts = BankGenerator::ParseFacts(tsv);
    ASSERT_TRUE(facts.bOk) << facts.strError;
    struct Case
    {
        std::string strCode;
        Kind kind;
        std::string strAccepted;
    };
    const std::vector<Case> cases = {
        {"usa", Kind::Country, "アメリカ"},          {"per", Kind::Capital, "ラパス"},
        {"cub", Kind::Region, "北アメリカ"},         {"can", Kind::Language, "フランス語"},
        {"fra", Kind::Language, "英語、フランス語"}, {"jpn", Kind::Capital, "パリ"},
        {"usa", Kind::Language, "スペイン語"}};
    for (std::uint64_t nSeed = 1; nSeed <= 20; ++nSeed) {
        BankGenerator::BankResult bank = BankGenerator::Generate(facts.countries, nSeed);
        ASSERT_TRUE(bank.bOk) << bank.strError;
        for (const Case& c : cases) {
            const BankGenerator::Question q =
                *std::find_if(bank.questions.begin(), bank.questions.end(),
                              [&](auto& q) { return q.strCode == c.strCode && q.kind == c.kind; });
            EXPECT_EQ(std::count(q.answers.begin(), q.answers.end(), c.strAccepted), 0)
                << c.strCode << " seed " << nSeed;
            auto problems = [&](const BankGenerator::Question& changed) {
                QuestionTsv::ImportResult file =
                    QuestionTsv::Import(BankGenerator::ToImportTsv({changed}));
                std::vector<Rule> rules;
                for (const QuestionCheck::Problem& p :
                     FactCheck::Check(facts.countries, file.strBytes))
                    rules.push_back(p.rule);
                return rules;
            };
            EXPECT_TRUE(problems(q).empty());
            BankGenerator::Question offered = q;
            offered.answers[static_cast<std::size_t>(q.nCorrect + 1) % 4] = c.strAccepted;
            EXPECT_EQ(problems(offered), std::vector<Rule>{Rule::WrongIsRight}) << c.strCode;
            BankGenerator::Question misplaced = q;
            misplaced.nCorrect = (q.nCorrect + 1) % 4;
            const std::vector<Rule> rules = problems(misplaced);
            EXPECT_EQ(std::count(rules.begin(), rules.end(), Rule::NotTheFact), 1);
        }
    }
}

TEST(FactsTest, TooFewCountriesForThreeWrongAnswersIsAnError)
{
    const std::string tsv = "code\tname\tcapital\tregion\tcontinent\tlanguages\n"
                            "jpn\t日本\t東京\t東アジア\tアジア\t日本語\n"
                            "kor\t韓国\tソウル\t東アジア\tアジア\t韓国語\n"
                            "chn\t中国\t北京\t東アジア\tアジア\t中国語\n";
    BankGenerator::FactsResult facts = BankGenerator::ParseFacts(tsv);
    ASSERT_TRUE(facts.bOk) << facts.strError;
    BankGenerator::BankResult bank = BankGenerator::Generate(facts.countries);
    EXPECT_FALSE(bank.bOk);
    EXPECT_NE(bank.strError.find("誤答を 3 つ選べません"), std::string::npos) << bank.strError;
}

// The typing mode's judge over the file: a right answer it cannot match and a wrong one it
// matches are both reported, and so is a form of the table a changed answer format hides.
TEST(FactsTest, CheckTypingReportsWhatTypingWouldJudgeOtherwise)
{
    const Facts::Table table = Facts::Parse(
        "code\tname\tcapital\tregion\tcontinent\tlanguages\tname_reading\tcapital_reading\n"
        "fra\tフランス\tパリ\t西ヨーロッパ\tヨーロッパ\tフランス語\t\t\n"
        "che\tスイス\tベルン\t西ヨーロッパ\tヨーロッパ\tドイツ語、フランス語\t\t\n"
        "jpn\t日本\t東京\t東アジア\tアジア\t日本語\t日本:にほん\t東京:とうきょう\n",
        Facts::kWordsTsv);
    ASSERT_EQ(table.strError, "");
    const std::string capital = "この国旗の国の首都はどこ？";
    const std::string language = "この国旗の国の公用語は？";
    struct Case
    {
        std::string strQuestion; // code and question
        std::array<std::string, 4> answers;
        std::vector<Rule> rules;
    };
    const std::vector<Case> cases = {
        {"jpn" + capital, {"東京", "パリ", "ベルン", "ソウル"}, {}},
        {"fra" + capital, {"パリ", "ﾊﾟﾘ", "ベルン", "東京"}, {Rule::TypingMatched}},
        {"xyzあなたの町は？", {"ー", "東京", "パリ", "ベルン"}, {Rule::TypingMissed}},
        {"che" + language, {"ドイツ語、フランス語", "英語", "日本語", "中国語"}, {}},
        // An answer format the judge does not know hides each language the table accepts, and
        // their readings.
        {"che" + language,
         {"ドイツ語ほか", "英語", "日本語", "中国語"},
         std::vector<Rule>(4, Rule::TypingMissed)},
    };
    for (const Case& c : cases) {
        std::array<std::string, 4> answers;
        for (std::size_t i = 0; i < 4; ++i)
            answers[i] = Sjis(c.answers[i]);
        const std::string record = ComposeRecord(Sjis(c.strQuestion), answers, 0);
        std::vector<Rule> rules;
        for (const QuestionCheck::Problem& p : FactCheck::CheckTyping(table, record))
            rules.push_back(p.rule);
        EXPECT_EQ(rules, c.rules) << c.strQuestion << " " << c.answers[0];
    }
}

} // namespace
