#include "facts/Facts.h"
#include "platform/LocalTime.h"
#include "platform/ProfileStore.h"
#include "quiz/QuestionRecord.h"
#include "zukan/DrillFile.h"
#include "zukan/LearnerRecord.h"
#include "zukan/ZukanIndex.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <deque>

namespace {

std::vector<std::string> FoundCodes(const ZukanIndex& index, std::string_view query)
{
    std::vector<std::string> codes;
    for (int nEntry : index.Find(query))
        codes.emplace_back(index.Entries()[std::size_t(nEntry)].pCountry->code);
    return codes;
}

bool Has(const std::vector<std::string>& codes, std::string_view code)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

struct SearchCase
{
    const char* szQuery;
    const char* szFinds;  // a code the result holds; "" for none
    const char* szMisses; // one it must not hold; "" for none
};
class ZukanSearchTest : public ::testing::TestWithParam<SearchCase>
{
};

TEST_P(ZukanSearchTest, FindsByNameReadingCapitalAndCode)
{
    ASSERT_EQ(Facts::Error(), "");
    const ZukanIndex index(Facts::Countries());
    const SearchCase& c = GetParam();
    const std::vector<std::string> codes = FoundCodes(index, c.szQuery);
    if (*c.szFinds)
        EXPECT_TRUE(Has(codes, c.szFinds)) << c.szQuery;
    if (*c.szMisses)
        EXPECT_FALSE(Has(codes, c.szMisses)) << c.szQuery;
}

INSTANTIATE_TEST_SUITE_P(
    Queries, ZukanSearchTest,
    ::testing::Values(SearchCase{"ブラジル", "bra", "arg"}, SearchCase{"ぶらじる", "bra", "jpn"},
                      SearchCase{"らごす", "nga", "ner"}, SearchCase{"ラジ", "bra", ""},
                      SearchCase{"日本", "jpn", "chn"}, SearchCase{"にほん", "jpn", "chn"},
                      SearchCase{"にっぽん", "jpn", ""}, SearchCase{"ちゅうごく", "chn", "jpn"},
                      SearchCase{"かんこく", "kor", ""}, SearchCase{"きたちょうせん", "prk", "kor"},
                      SearchCase{"たいわん", "twn", ""}, SearchCase{"みなみあふりか", "zaf", ""},
                      SearchCase{"ぶらじりあ", "bra", "arg"}, SearchCase{"ブラジリア", "bra", ""},
                      SearchCase{"とうきょう", "jpn", ""}, SearchCase{"ぺきん", "chn", ""},
                      SearchCase{"JPN", "jpn", "chn"}, SearchCase{"jp", "jpn", ""},
                      SearchCase{"　にほん ", "jpn", ""}, SearchCase{"パリ", "fra", "ita"},
                      SearchCase{"pn", "", "jpn"}, SearchCase{"ＪＰＮ", "jpn", ""},
                      SearchCase{"ｼﾞｬﾏｲｶ", "jam", ""},
                      SearchCase{"せんとくりすとふぁーねーびす", "kna", ""}));

TEST(ZukanIndexTest, BlankFindsAllAndNonsenseNothing)
{
    const ZukanIndex index(Facts::Countries());
    EXPECT_EQ(index.Find("").size(), 199u);
    EXPECT_EQ(index.Find("  ").size(), 199u);
    EXPECT_TRUE(index.Find("ずずず").empty());
    EXPECT_EQ(FoundCodes(index, "jpn"), std::vector<std::string>{"jpn"});
}

TEST(ZukanIndexTest, GroupsBy州InListOrderThenByReading)
{
    const ZukanIndex index(Facts::Countries());
    ASSERT_EQ(index.Groups().size(), 6u);
    EXPECT_EQ(index.Groups()[0], "アジア");
    EXPECT_EQ(index.Groups()[5], "オセアニア");
    std::vector<int> counts(6);
    int nLastGroup = 0;
    std::vector<std::string_view> asia;
    for (const ZukanIndex::Entry& entry : index.Entries()) {
        EXPECT_GE(entry.nGroup, nLastGroup) << entry.pCountry->code; // one run per 州
        nLastGroup = entry.nGroup;
        EXPECT_EQ(index.Groups()[std::size_t(entry.nGroup)], entry.pCountry->continent);
        ++counts[std::size_t(entry.nGroup)];
        if (entry.nGroup == 0)
            asia.push_back(entry.pCountry->code);
    }
    EXPECT_EQ(counts, (std::vector<int>{49, 45, 54, 23, 12, 16}));
    // 日本 sorts as にほん: after タイ, before ネパール, not after every name in kana.
    const auto at = [&](std::string_view code) {
        return std::find(asia.begin(), asia.end(), code);
    };
    EXPECT_LT(at("jpn"), at("npl"));
    EXPECT_LT(at("tha"), at("jpn"));
    EXPECT_EQ(asia.front(), "aze");
}

TEST(ZukanIndexTest, A州OutsideTheSixComesLastUnderItsOwnName)
{
    std::vector<Facts::Country> countries(3);
    countries[0] = {"aaa", {"エー"}, {}, {}, {}, "南極", {}, {}, {}, {}};
    countries[1] = {"bbb", {"ビー"}, {}, {}, {}, "オセアニア", {}, {}, {}, {}};
    countries[2] = {"ccc", {"シー"}, {}, {}, {}, "アジア", {}, {}, {}, {}};
    const ZukanIndex index(countries);
    ASSERT_EQ(index.Groups().size(), 7u);
    EXPECT_EQ(index.Groups()[6], "南極");
    EXPECT_EQ(FoundCodes(index, ""), (std::vector<std::string>{"ccc", "bbb", "aaa"}));
}

// An answer at 09:30 local time (UTC+09:00) on day nDay after 2024-10-04.
constexpr std::int64_t kDay0 = 20000;
HistoryRow Row(const char* szCode, std::uint64_t nFingerprint, AnswerResult result, int nDay)
{
    static std::deque<std::string> times; // the rows' texts point here
    const std::time_t t = static_cast<std::time_t>((kDay0 + nDay) * 86400 + 9 * 3600 + 1800);
    const std::tm tm = *std::gmtime(&t); // gmtime_r is not on every system
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S+09:00", &tm);
    return {times.emplace_back(buf), "a.txt", 1, nFingerprint, szCode, result, 1.0, "r", "q"};
}

TEST(LearnerRecordTest, CountsEveryQuestionOfTheCountryAndTakesTheEarliestDueDay)
{
    const auto records = LearnerRecords({
        Row("jpn", 1, AnswerResult::Correct, 0), // box 2, due day 1
        Row("fra", 3, AnswerResult::Wrong, 0), Row("jpn", 2, AnswerResult::Correct, 1),
        Row("jpn", 2, AnswerResult::Correct, 2), // box 3, due day 5
        Row("jpn", 1, AnswerResult::TimeOut, 3), // box 1, due day 3
    });
    ASSERT_EQ(records.size(), 2u);
    const LearnerRecord& jpn = records.at("jpn");
    EXPECT_EQ(jpn.nAsked, 4);
    EXPECT_EQ(jpn.nCorrect, 3);
    EXPECT_EQ(jpn.lastResult, AnswerResult::TimeOut);
    EXPECT_EQ(jpn.nDueDay, kDay0 + 3);
    EXPECT_EQ(AskedText(&jpn), "4回");
    EXPECT_EQ(RateText(&jpn), "75.0%（3問正解）");
    EXPECT_EQ(LastAnswerText(&jpn), "2024/10/07 09:30 時間切れ");
    EXPECT_EQ(records.at("fra").nDueDay, kDay0);
}

struct DueCase
{
    int nDueDay;
    int nToday;
    const char* szText;
};
class DueTextTest : public ::testing::TestWithParam<DueCase>
{
};

TEST_P(DueTextTest, SaysTheDateOrThatItIsDue)
{
    const DueCase& c = GetParam();
    LearnerRecord record;
    record.nAsked = 1;
    record.nDueDay = kDay0 + c.nDueDay;
    EXPECT_EQ(DueText(&record, kDay0 + c.nToday), c.szText);
}

INSTANTIATE_TEST_SUITE_P(Days, DueTextTest,
                         ::testing::Values(DueCase{3, 0, "2024/10/07"},
                                           DueCase{3, 3, "今日（復習の時期です）"},
                                           DueCase{0, 3, "2024/10/04から（復習の時期です）"}));

TEST(LearnerRecordTest, NothingAskedReads未出題)
{
    const LearnerRecord none;
    for (const LearnerRecord* pRecord : {static_cast<const LearnerRecord*>(nullptr), &none}) {
        EXPECT_EQ(AskedText(pRecord), "未出題");
        EXPECT_EQ(RateText(pRecord), "未出題");
        EXPECT_EQ(LastAnswerText(pRecord), "未出題");
        EXPECT_EQ(DueText(pRecord, kDay0), "未出題");
    }
}

std::string Rec(const char* szCode, const char* szAnswer)
{
    return ComposeRecord(std::string(szCode) + "q", {szAnswer, "b", "c", "d"}, 0);
}

TEST(DrillFileTest, TakesTheCountriesRecordsByteForByteInFileOrder)
{
    const std::string jpn1 = Rec("jpn", "1"), fra = Rec("fra", "2"), jpn2 = Rec("jpn", "3"),
                      bra = Rec("bra", "4");
    const std::string file = jpn1 + fra + jpn2 + bra + "bra partial";
    EXPECT_EQ(RecordsAbout(file, {"bra", "jpn"}), jpn1 + jpn2 + bra);
    EXPECT_EQ(RecordsAbout(file, {"usa"}), "");
    EXPECT_EQ(RecordsAbout(file, {}), "");
    EXPECT_EQ(RecordsAbout(file.substr(0, 419), {"jpn"}), "");
}

TEST(DrillFileTest, IsWrittenUnder図鑑AndAStampNeverOverwriting)
{
    const ScopedTimeZone zone("UTC");
    TempDir dir, settings;
    ProfileStore profile(settings / "Parameter.INI");
    const std::time_t now = (kDay0 + 1) * 86400 + 3600 * 13 + 60 * 5;
    WriteFileBytes(dir / "図鑑-20241005-1305.txt", "mine");
    const std::string records = Rec("jpn", "1");
    const NewQuestionFile made = WriteDrillFile(profile, dir.Path(), records, now);
    ASSERT_TRUE(made.Ok()) << made.strError;
    EXPECT_EQ(made.strName, Sjis("図鑑-20241005-1305-2.txt"));
    EXPECT_EQ(profile.Get(ProfileKeys::kQuestionFile), made.strName);
    EXPECT_EQ(ReadFileBytes(dir / "図鑑-20241005-1305-2.txt"), records);
    EXPECT_EQ(ReadFileBytes(dir / "図鑑-20241005-1305.txt"), "mine");
    EXPECT_FALSE(WriteDrillFile(profile, dir / "missing", records, now).bWritten);
}

} // namespace
