#include "learning/MasteryMap.h"

#include "facts/Facts.h"
#include "platform/LocalTime.h"
#include "quiz/QuestionRecord.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Hand-written history lines: time, file, record, fingerprint, code, result, seconds, round,
// question, typed. Today is 2026-12-20.
const char* const kHistory =
    "time\tfile\trecord\tfingerprint\tcode\tresult\tseconds\tround\tquestion\ttyped\n"
    // jpn 首都: right, then wrong yesterday: 要復習.
    "2026-12-18T09:00:00+09:00\tw.txt\t2\t1\tjpn\t正解\t2.0\tr1\tこの国旗の国の首都はどこ？\t\n"
    "2026-12-19T09:00:00+09:00\tw.txt\t2\t1\tjpn\t誤り\t2.0\tr2\tこの国旗の国の首都はどこ？\t\n"
    // chn 国名: right ten days ago, due after a day: 要復習.
    "2026-12-10T09:00:00+09:00\tw.txt\t3\t2\tchn\t正解\t2.0\tr0\tこの国旗はどの国の国旗？\t\n"
    // usa 地域: right today: 学習中.
    "2026-12-20T08:00:00+09:00\tw.txt\t4\t3\tusa\t正解\t2."
    "0\tr3\tこの国旗の国は世界のどの地域にある？\t\n"
    // gbr 公用語: three right in three days, the 7-day step not reached: 学習中.
    "2026-12-18T09:00:00+09:00\tw.txt\t5\t4\tgbr\t正解\t2.0\tr1\tこの国旗の国の公用語は？\t\n"
    "2026-12-19T09:00:00+09:00\tw.txt\t5\t4\tgbr\t正解\t2.0\tr2\tこの国旗の国の公用語は？\t\n"
    "2026-12-20T09:00:00+09:00\tw.txt\t5\t4\tgbr\t正解\t2.0\tr3\tこの国旗の国の公用語は？\t\n"
    // deu 国旗: a miss, then right on the 8th, 12th and 15th, due on the 22nd: 習得.
    "2026-12-07T09:00:00+09:00\tw.txt\t6\t5\tdeu\t時間切れ\t9.0\tr0\tドイツの国旗はどれ？\t\n"
    "2026-12-08T09:00:00+09:00\tw.txt\t6\t5\tdeu\t正解\t2.0\tr0\tドイツの国旗はどれ？\t\n"
    "2026-12-12T09:00:00+09:00\tw.txt\t6\t5\tdeu\t正解\t2.0\tr0\tドイツの国旗はどれ？\t\n"
    "2026-12-15T09:00:00+09:00\tw.txt\t6\t5\tdeu\t正解\t2.0\tr0\tドイツの国旗はどれ？\t\n"
    // tcd 位置 by its record in p.txt, mastered as deu; its 国名 (by the record of q.txt,
    // though the text reads like a position question) right today.
    "2026-12-08T09:00:00+09:00\tp.txt\t1\t6\ttcd\t正解\t2.0\tr0\tチャドはどこ？\t\n"
    "2026-12-12T09:00:00+09:00\tp.txt\t1\t6\ttcd\t正解\t2.0\tr0\tチャドはどこ？\t\n"
    "2026-12-15T09:00:00+09:00\tp.txt\t1\t6\ttcd\t正解\t2.0\tr0\tチャドはどこ？\t\n"
    "2026-12-20T09:00:00+09:00\tq.txt\t1\t7\ttcd\t正解\t2.0\tr3\tこの国旗の国はどこ？\t\n"
    // ner 位置 by its text, the file gone: right once, long ago, and an unreadable time.
    "2026-11-01T09:00:00+09:00\tgone.txt\t1\t8\tner\t正解\t2.0\tr0\tこの国旗の国はどこ？\t\n"
    "yesterday\tgone.txt\t1\t8\tner\t誤り\t2.0\tr0\tこの国旗の国はどこ？\t\n"
    // A code the facts table lacks counts for no country.
    "2026-12-19T09:00:00+09:00\tw.txt\t9\t9\txxx\t誤り\t2.0\tr2\tこの国旗はどの国の国旗？\t\n";

// A country's state over every kind asked, and by kind.
struct StateCase
{
    const char* szCode;
    Mastery all;
    std::vector<std::pair<StudyKind, Mastery>> byKind;
};

TEST(MasteryMapTest, TheRuleGivesEachCountryItsState)
{
    const std::vector<HistoryRow> rows = ParseHistory(kHistory);
    RecordKinds kinds;
    kinds.AddFile("p.txt", ComposeRecord("tcd" + Sjis("チャドはどこ？"),
                                         {"@tcd", "@ner", "@sdn", "@lby"}, 0));
    kinds.AddFile("q.txt", ComposeRecord("tcd" + Sjis("この国旗の国はどこ？"),
                                         {Sjis("チャド"), Sjis("ニジェール"), "c", "d"}, 0));
    const std::int64_t nToday = ParseLocalTime("2026-12-20T12:00:00+09:00")->nDay;
    const MasteryMap map(rows, kinds, Facts::Countries(), nToday);
    const StateCase cases[] = {
        {"fra", Mastery::Unasked, {}},
        {"jpn",
         Mastery::Review,
         {{StudyKind::Capital, Mastery::Review}, {StudyKind::Country, Mastery::Unasked}}},
        {"chn", Mastery::Review, {{StudyKind::Country, Mastery::Review}}},
        {"usa", Mastery::Learning, {{StudyKind::Region, Mastery::Learning}}},
        {"gbr", Mastery::Learning, {{StudyKind::Language, Mastery::Learning}}},
        {"deu", Mastery::Mastered, {{StudyKind::Flag, Mastery::Mastered}}},
        // Mastered needs every kind asked mastered.
        {"tcd",
         Mastery::Learning,
         {{StudyKind::Position, Mastery::Mastered}, {StudyKind::Country, Mastery::Learning}}},
        {"ner",
         Mastery::Review,
         {{StudyKind::Position, Mastery::Review}, {StudyKind::Country, Mastery::Unasked}}},
    };
    for (const StateCase& c : cases) {
        const Facts::Country* pCountry = Facts::FindCountry(c.szCode);
        ASSERT_TRUE(pCountry) << c.szCode;
        const std::size_t nIndex = std::size_t(pCountry - Facts::Countries().data());
        std::vector<std::pair<std::optional<StudyKind>, Mastery>> expected = {
            {std::nullopt, c.all}};
        expected.insert(expected.end(), c.byKind.begin(), c.byKind.end());
        for (const auto& [kind, state] : expected) {
            SCOPED_TRACE(std::string(c.szCode) + " " + (kind ? StudyKindName(*kind) : "all"));
            const CountryMastery got = map.States(kind)[nIndex];
            EXPECT_EQ(MasteryName(got.state), std::string(MasteryName(state)));
            EXPECT_EQ(got.nLastRow < 0, state == Mastery::Unasked);
        }
    }
}

TEST(MasteryMapTest, CountsAddUpToTheCountries)
{
    const std::vector<HistoryRow> rows = ParseHistory(kHistory);
    const MasteryMap map(rows, RecordKinds(), Facts::Countries(),
                         ParseLocalTime("2026-12-20T12:00:00+09:00")->nDay);
    const std::array<int, kMasteryStates> counts = MasteryMap::Count(map.States(std::nullopt));
    // 要復習 jpn chn ner; 学習中 usa gbr; 習得 deu and tcd, whose two files' questions read as
    // 位置 without their records: one card, right four times in a row.
    EXPECT_EQ(counts[int(Mastery::Review)], 3);
    EXPECT_EQ(counts[int(Mastery::Learning)], 2);
    EXPECT_EQ(counts[int(Mastery::Mastered)], 2);
    EXPECT_EQ(counts[0] + counts[1] + counts[2] + counts[3], int(Facts::Countries().size()));
}

} // namespace
