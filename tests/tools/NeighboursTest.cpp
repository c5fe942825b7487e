#include "TestSupport.h"

#include "quiz/FlagCatalog.h"
#include "tools/questions/Neighbours.h"
#include "tools/questions/QuestionTool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace {

const std::filesystem::path kSource = MARELTO_SOURCE_DIR;

bool Lists(const std::vector<std::string>& codes, const std::string& code)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// The table the generator reads must be what the map gives: measured afresh from the committed
// map by the command, it is the committed file byte for byte, and the compiled-in copy reads the
// same. From a file that is no map, nothing is written.
TEST(NeighboursTest, CommittedTableIsWhatTheMapGives)
{
    TempDir dir;
    std::ostringstream out, err;
    const std::string tsv = (dir / "n.tsv").string();
    ASSERT_EQ(RunQuestionTool({"neighbours", (kSource / "res/map/world.map").string(), "-o", tsv},
                              out, err),
              0)
        << err.str();
    const std::string committed = ReadFileBytes(kSource / "data/neighbours.tsv");
    EXPECT_TRUE(ReadFileBytes(tsv) == committed)
        << "run: marelto-questions neighbours res/map/world.map -o data/neighbours.tsv";
    EXPECT_EQ(out.str(), tsv + ": 199 か国の近隣国を書きました\n");

    EXPECT_EQ(Neighbours::Error(), "");
    for (const Neighbours::Entry& entry : Neighbours::Parse(committed).entries) {
        const Neighbours::Entry* pCompiled = Neighbours::Find(entry.strCode);
        ASSERT_NE(pCompiled, nullptr) << entry.strCode;
        EXPECT_EQ(pCompiled->borders, entry.borders);
        EXPECT_EQ(pCompiled->nearest, entry.nearest);
    }

    const std::string bad = (dir / "bad.tsv").string();
    EXPECT_EQ(RunQuestionTool({"neighbours", (kSource / "data/countries.tsv").string(), "-o", bad},
                              out, err),
              1);
    EXPECT_FALSE(std::filesystem::exists(bad));
}

// Every country has at least three candidates, none twice, none itself, all of the catalogue;
// a border is one both sides know; the states named are the ones beside it on a school atlas.
TEST(NeighboursTest, EveryCountryHasCandidatesThatSitBesideIt)
{
    std::map<std::string, Neighbours::Entry> table;
    for (const FlagEntry& flag : FlagCatalog()) {
        const Neighbours::Entry* pEntry = Neighbours::Find(flag.strCode);
        ASSERT_NE(pEntry, nullptr) << flag.strCode;
        std::vector<std::string> all = pEntry->borders;
        all.insert(all.end(), pEntry->nearest.begin(), pEntry->nearest.end());
        EXPECT_GE(all.size(), Neighbours::kCandidates) << flag.strCode;
        EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size()) << flag.strCode;
        for (const std::string& code : all) {
            EXPECT_NE(code, flag.strCode);
            EXPECT_TRUE(LookupFlagBitmap(code)) << code;
        }
        table[pEntry->strCode] = *pEntry;
    }
    for (const auto& [code, entry] : table)
        for (const std::string& other : entry.borders)
            EXPECT_TRUE(Lists(table[other].borders, code)) << code << " " << other;

    for (const auto& [code, other] : {std::pair{"tcd", "ner"},
                                      {"tcd", "sdn"},
                                      {"tcd", "lby"},
                                      {"lao", "khm"},
                                      {"svn", "hrv"},
                                      {"ita", "vat"},
                                      {"zaf", "lso"}})
        EXPECT_TRUE(Lists(table[code].borders, other)) << code << " " << other;
    EXPECT_FALSE(Lists(table["svn"].borders, "svk")); // a look-alike name, not a neighbour
    EXPECT_FALSE(Lists(table["svn"].nearest, "svk"));
    // French Guiana is far from the France in view: Suriname's neighbours are in South America.
    EXPECT_FALSE(Lists(table["sur"].borders, "fra"));
    EXPECT_TRUE(table["jpn"].borders.empty());
    for (const char* near : {"rus", "kor"})
        EXPECT_TRUE(Lists(table["jpn"].nearest, near)) << near;
    EXPECT_EQ(table["gbr"].borders, std::vector<std::string>{"irl"});
    EXPECT_EQ(table["gbr"].nearest.front(), "fra");
}

TEST(NeighboursTest, ParseRefusesALineItCannotRead)
{
    const Neighbours::ParseResult good =
        Neighbours::Parse("code\tborders\tnearest\r\nabc\tdef ghi\t\n\njkl\t\tmno\n");
    EXPECT_EQ(good.strError, "");
    ASSERT_EQ(good.entries.size(), 2u);
    EXPECT_EQ(good.entries[0].borders, (std::vector<std::string>{"def", "ghi"}));
    EXPECT_EQ(good.entries[1].nearest, std::vector<std::string>{"mno"});
    EXPECT_EQ(Neighbours::Parse("code\tborders\tnearest\nabc\tdef\n").strError,
              "neighbours.tsv 2 行目が読めません");
}

} // namespace
