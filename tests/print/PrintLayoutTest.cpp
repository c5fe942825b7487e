#include "map/WorldMap.h"
#include "map/WorldMapData.h"
#include "platform/Cp932.h"
#include "platform/File.h"
#include "print/BlankMap.h"
#include "print/FlagCards.h"
#include "print/MapNumbering.h"
#include "print/PrintRequest.h"
#include "print/QuestionSheet.h"
#include "quiz/QuestionRecord.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

std::string Bundled(const char* szName)
{
    return ReadFileBytes(std::filesystem::path(MARELTO_SOURCE_DIR) / "data" / PathFromUtf8(szName));
}

PrintRect Inset(const PrintRect& rc)
{
    return {rc.x + 0.01f, rc.y + 0.01f, rc.w - 0.02f, rc.h - 0.02f};
}

// Everything on a page lies inside it, and no two texts, flags or a text and a flag overlap.
void ExpectTidy(const PrintPage& page, int nPage)
{
    std::vector<PrintRect> rects;
    for (const PrintText& text : page.texts)
        rects.push_back(text.rc);
    for (const PrintFlag& flag : page.flags)
        rects.push_back(flag.rc);
    const PrintRect paper{4, 4, page.fWidth - 8, page.fHeight - 8};
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_TRUE(paper.Contains(rects[i])) << "page " << nPage << " item " << i;
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            // Touching is no overlap: a hundredth of a millimetre for rounding.
            EXPECT_FALSE(Inset(rects[i]).Intersects(rects[j]))
                << "page " << nPage << " items " << i << ", " << j;
    }
}

std::string Joined(const PrintPage& page)
{
    std::string all;
    for (const PrintText& text : page.texts)
        all += text.strText + "\n";
    return all;
}

} // namespace

TEST(QuestionSheetTest, ReadsTheThreeKindsAndTheirKey)
{
    const std::string file =
        ComposeRecord("jpn" + Sjis("この国旗はどの国の国旗？"),
                      {Sjis("韓国"), Sjis("日本"), Sjis("中国"), Sjis("タイ")}, 1) +
        ComposeRecord("fra" + Sjis("フランスの国旗はどれ？"), {"ita", "fra", "bel", "irl"}, 1) +
        ComposeRecord("jpn" + Sjis("この国旗の国はどこ？"), {"@kor", "@chn", "@jpn", "@tha"}, 2) +
        ComposeRecord("zzz" + Sjis("印なし"), {"a", "b", "c", "d"}, -1);
    const std::vector<SheetQuestion> qs = SheetQuestions(file);
    ASSERT_EQ(qs.size(), 4u);
    EXPECT_EQ(qs[0].kind, SheetQuestion::Kind::Text);
    EXPECT_EQ(qs[0].strFlag, "jpn");
    EXPECT_EQ(qs[0].strQuestion, "この国旗はどの国の国旗？");
    EXPECT_EQ(KeyText(qs[0]), "② 日本");
    EXPECT_EQ(qs[1].kind, SheetQuestion::Kind::Flags);
    EXPECT_EQ(KeyText(qs[1]), "② フランス");
    EXPECT_EQ(qs[2].kind, SheetQuestion::Kind::Position);
    EXPECT_EQ(qs[2].choices[2], "jpn");
    EXPECT_EQ(KeyText(qs[2]), "③ 日本");
    EXPECT_EQ(qs[3].strFlag, ""); // no such flag: no picture
    EXPECT_EQ(KeyText(qs[3]), "（正解の印なし）");

    for (const Paper paper : {Paper::A4, Paper::B5}) {
        const PrintDocument doc = MakeQuestionSheet(qs, {paper, true, "t.txt"}, &WorldMapData());
        ASSERT_EQ(doc.pages.size(), 2u);
        EXPECT_EQ(doc.pages[0].flags.size(), 1u + 4u + 1u);
        ASSERT_EQ(doc.pages[0].maps.size(), 1u);
        const PrintMap& map = doc.pages[0].maps[0];
        EXPECT_EQ(map.numbers.size(), 4u);
        for (const PrintMapNumber& n : map.numbers) {
            EXPECT_TRUE(n.bRing);
            EXPECT_TRUE(
                map.rc.Contains({n.x - n.fRadius, n.y - n.fRadius, 2 * n.fRadius, 2 * n.fRadius}));
        }
        ExpectTidy(doc.pages[0], 0);
    }
}

TEST(QuestionSheetTest, BundledWorldFilePagesStayTidyWithTheKeyLast)
{
    const std::vector<SheetQuestion> qs = SheetQuestions(Bundled("世界の国旗.txt"));
    const PrintDocument doc = MakeQuestionSheet(qs, {Paper::A4, true, "世界の国旗.txt"}, nullptr);
    std::size_t nFlags = 0, nKeyPages = 0;
    for (std::size_t i = 0; i < doc.pages.size(); ++i) {
        ExpectTidy(doc.pages[i], int(i));
        nFlags += doc.pages[i].flags.size();
        nKeyPages += Joined(doc.pages[i]).starts_with("解答");
    }
    // Every text and position question shows its flag, every flag question four:
    // 796 + 199 + 4 x 199.
    EXPECT_EQ(nFlags, 796u + 199u + 4 * 199u);
    // Readable, not crammed: eight to ten questions to a page; the key after them.
    const std::size_t nQuestionPages = doc.pages.size() - nKeyPages;
    EXPECT_GE(nQuestionPages, qs.size() / 10);
    EXPECT_LE(nQuestionPages, qs.size() / 6);
    EXPECT_GE(nKeyPages, 1u);
    const std::string key = Joined(doc.pages.back());
    EXPECT_NE(key.find("1194\n"), std::string::npos);
    EXPECT_EQ(Joined(doc.pages[nQuestionPages - 1]).find("解答"), std::string::npos);

    const PrintDocument noKey = MakeQuestionSheet(qs, {Paper::A4, false, ""}, nullptr);
    EXPECT_EQ(noKey.pages.size(), nQuestionPages);
}

TEST(FlagCardsTest, EightToAPageWithMirroredBacks)
{
    const std::vector<CardFacts> cards = CardsFor(CodesOf(Bundled("アジア州.txt")));
    ASSERT_GT(cards.size(), 40u);
    const auto japan = std::find_if(cards.begin(), cards.end(),
                                    [](const CardFacts& c) { return c.strCode == "jpn"; });
    ASSERT_NE(japan, cards.end());
    EXPECT_EQ(japan->strName, "日本");
    EXPECT_EQ(japan->strNameReading, "にほん");
    EXPECT_EQ(japan->strCapital, "東京（とうきょう）");
    EXPECT_EQ(japan->strContinent, "アジア州");
    EXPECT_EQ(japan->strRegion, "東アジア");
    EXPECT_EQ(japan->strLanguages, "日本語");

    for (const Paper paper : {Paper::A4, Paper::B5}) {
        const PrintDocument doc = MakeFlagCards(cards, {paper, true, ""});
        ASSERT_EQ(doc.pages.size(), 2 * ((cards.size() + 7) / 8));
        for (std::size_t p = 0; p < doc.pages.size(); ++p)
            ExpectTidy(doc.pages[p], int(p));
        const PrintPage& front = doc.pages[0];
        const PrintPage& back = doc.pages[1];
        ASSERT_EQ(front.flags.size(), 8u);
        for (int i = 0; i < 8; ++i) {
            const PrintRect card = CardRect(i, paper);
            EXPECT_TRUE(card.Contains(front.flags[std::size_t(i)].rc));
            // The name on the back stands behind the flag when the sheet is turned over.
            const PrintRect behind{front.fWidth - card.Right(), card.y, card.w, card.h};
            const std::string& name = cards[std::size_t(i)].strName;
            const auto it = std::find_if(back.texts.begin(), back.texts.end(),
                                         [&](const PrintText& t) { return t.strText == name; });
            ASSERT_NE(it, back.texts.end()) << name;
            EXPECT_TRUE(behind.Contains(it->rc)) << name;
        }
    }
}

TEST(BlankMapTest, EveryCountryNumberedOnceAndEveryNumberReadable)
{
    const WorldMap& map = WorldMapData();
    for (int nContinent = -1; nContinent < 6; ++nContinent) {
        SCOPED_TRACE(AreaName(nContinent));
        const PrintDocument doc = MakeBlankMap(map, nContinent, {Paper::A4, true, ""});
        ASSERT_GE(doc.pages.size(), 2u);
        // The world's crowded corners are shown again larger, with their numbers.
        ASSERT_EQ(doc.pages[0].maps.size(), nContinent < 0 ? 3u : 1u);
        const BlankMapPlan plan = PlanBlankMap(map, nContinent);
        std::vector<PrintMapNumber> ns;
        for (const PrintMap& printed : doc.pages[0].maps) {
            for (const PrintMap& other : doc.pages[0].maps)
                EXPECT_TRUE(&printed == &other || !printed.rc.Intersects(other.rc));
            ns.insert(ns.end(), printed.numbers.begin(), printed.numbers.end());
        }
        ASSERT_EQ(ns.size(), plan.entries.size());
        std::set<int> numbers;
        for (const PrintMapNumber& n : ns)
            numbers.insert(n.nNumber);
        EXPECT_EQ(numbers.size(), plan.entries.size());
        EXPECT_EQ(*numbers.rbegin(), int(plan.entries.size()));
        for (std::size_t i = 0; i < ns.size(); ++i) {
            const PrintRect disc{ns[i].x - ns[i].fRadius, ns[i].y - ns[i].fRadius,
                                 2 * ns[i].fRadius, 2 * ns[i].fRadius};
            const PrintRect page{0, 0, doc.pages[0].fWidth, doc.pages[0].fHeight};
            EXPECT_TRUE(page.Contains(disc)) << ns[i].nNumber;
            // Apart from every other number, and from every small state's ring.
            for (std::size_t j = 0; j < ns.size(); ++j) {
                const float d = std::hypot(ns[i].x - ns[j].x, ns[i].y - ns[j].y);
                if (j > i)
                    EXPECT_GE(d, ns[i].fRadius + ns[j].fRadius)
                        << ns[i].nNumber << " " << ns[j].nNumber;
                const float r = std::hypot(ns[i].x - ns[j].xTarget, ns[i].y - ns[j].yTarget);
                if (ns[j].bRing)
                    EXPECT_GE(r, ns[i].fRadius + kRingRadius) << ns[i].nNumber;
            }
        }
        // The key names every country by its number.
        std::string key;
        for (std::size_t p = 1; p < doc.pages.size(); ++p)
            if (Joined(doc.pages[p]).starts_with("解答"))
                key += Joined(doc.pages[p]);
        for (const BlankMapEntry& entry : plan.entries)
            EXPECT_NE(key.find(entry.strName), std::string::npos) << entry.strName;
    }
}

TEST(BlankMapTest, EuropeLeavesRussiaOutOfTheFrameButNumbersItInside)
{
    const WorldMap& map = WorldMapData();
    const BlankMapPlan plan = PlanBlankMap(map, 1);
    const MapRect russia = map.FocusBounds(*map.Find("rus"));
    EXPECT_LT(plan.frame.Width(), russia.Width());
    const auto it = std::find_if(plan.entries.begin(), plan.entries.end(),
                                 [](const BlankMapEntry& e) { return e.strCode == "rus"; });
    ASSERT_NE(it, plan.entries.end());
    EXPECT_EQ(map.CountryAt(it->pt), map.Find("rus"));
    EXPECT_GE(it->pt.x, plan.frame.left);
    EXPECT_LE(it->pt.x, plan.frame.right);
}

TEST(MapNumberingTest, ACrowdAtOnePointSpreadsOutWithLeadersAndNeverOverlaps)
{
    std::vector<MapTarget> targets;
    for (int i = 1; i <= 40; ++i)
        targets.push_back({i, {0, 0}, i % 3 == 0});
    const PrintRect rc{10, 10, 60, 40};
    const PrintRect strip{71, 10, 8, 40};
    const MapPlacement place = MapPlacement::Fit({-1, -1, 1, 1}, rc);
    const std::vector<PrintMapNumber> ns = PlaceMapNumbers(targets, place, rc, &strip);
    ASSERT_EQ(ns.size(), 40u);
    for (std::size_t i = 0; i < ns.size(); ++i) {
        EXPECT_TRUE(ns[i].bLeader); // none hides the others' point
        for (std::size_t j = i + 1; j < ns.size(); ++j)
            EXPECT_GE(std::hypot(ns[i].x - ns[j].x, ns[i].y - ns[j].y),
                      ns[i].fRadius + ns[j].fRadius);
    }
}

TEST(MapNumberingTest, ALoneCountryIsNumberedOnItsPointAndASmallStateBesideItsRing)
{
    const PrintRect rc{10, 10, 60, 40};
    const MapPlacement place = MapPlacement::Fit({-1, -1, 1, 1}, rc);
    for (const bool bRing : {false, true}) {
        const MapTarget target{7, {0.2f, 0.1f}, bRing};
        const std::vector<PrintMapNumber> ns = PlaceMapNumbers({&target, 1}, place, rc);
        ASSERT_EQ(ns.size(), 1u);
        EXPECT_EQ(ns[0].bLeader, bRing);
        EXPECT_FLOAT_EQ(ns[0].xTarget, place.X(0.2f));
        const float d = std::hypot(ns[0].x - ns[0].xTarget, ns[0].y - ns[0].yTarget);
        EXPECT_TRUE(bRing ? d >= ns[0].fRadius + kRingRadius : d == 0);
    }
}

struct AreaCase
{
    const char* szText;
    std::optional<int> nContinent;
};
class ContinentNamedTest : public ::testing::TestWithParam<AreaCase>
{
};
TEST_P(ContinentNamedTest, Names)
{
    EXPECT_EQ(ContinentNamed(GetParam().szText), GetParam().nContinent);
}
INSTANTIATE_TEST_SUITE_P(Areas, ContinentNamedTest,
                         ::testing::Values(AreaCase{"アフリカ州", 2}, AreaCase{"アフリカ", 2},
                                           AreaCase{"オセアニア州", 5}, AreaCase{"世界", -1},
                                           AreaCase{"world", -1}, AreaCase{"南極州", {}},
                                           AreaCase{"", {}}));
