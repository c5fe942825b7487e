#include "quiz/FlagCatalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

TEST(FlagCatalog, NamesEachPictureOnceFromTheTwoRanges)
{
    std::set<int> ids;
    std::set<std::string_view> codes;
    for (const FlagEntry& e : FlagCatalog()) {
        ids.insert(e.nBitmapId);
        codes.insert(e.strCode);
        EXPECT_EQ(LookupFlagBitmap(e.strCode), e.nBitmapId);
        EXPECT_GE(e.nWidth, 58);
        EXPECT_LE(e.nWidth, 137);
        EXPECT_GE(e.nHeight, 63);
        EXPECT_LE(e.nHeight, 73);
    }
    EXPECT_EQ(ids.size(), 199u);
    EXPECT_EQ(codes.size(), 199u);
    for (int id = 158; id <= 225; ++id)
        EXPECT_EQ(ids.count(id), (id == 173 || id == 190) ? 0u : 1u) << id;
    for (int id = 300; id <= 432; ++id)
        EXPECT_EQ(ids.count(id), 1u) << id;
}

// A question file written for the first 66 flags shows the same pictures as before.
TEST(FlagCatalog, KeepsTheFirst66RowsAsTheyWere)
{
    const FlagEntry first[] = {
        {"afg", 174, 109, 73}, {"are", 225, 137, 68}, {"arg", 158, 117, 73}, {"aus", 175, 137, 68},
        {"aut", 159, 108, 73}, {"bel", 160, 84, 73},  {"bgr", 176, 121, 73}, {"bra", 161, 104, 73},
        {"can", 177, 137, 68}, {"che", 178, 74, 73},  {"chl", 179, 109, 73}, {"chn", 162, 109, 73},
        {"col", 163, 109, 73}, {"cub", 180, 137, 68}, {"cze", 164, 109, 73}, {"deu", 181, 121, 73},
        {"dnk", 182, 96, 73},  {"dza", 165, 111, 73}, {"egy", 183, 108, 73}, {"esp", 184, 109, 73},
        {"fin", 185, 119, 73}, {"fra", 186, 110, 73}, {"gbr", 187, 123, 63}, {"grc", 188, 108, 73},
        {"hun", 189, 137, 68}, {"idn", 166, 109, 73}, {"ind", 191, 108, 73}, {"irl", 192, 137, 68},
        {"irn", 193, 127, 73}, {"irq", 194, 109, 73}, {"isr", 195, 100, 73}, {"ita", 196, 109, 73},
        {"jam", 197, 137, 68}, {"jor", 198, 135, 67}, {"jpn", 199, 109, 73}, {"ken", 167, 109, 73},
        {"kor", 200, 108, 73}, {"lux", 168, 122, 73}, {"mar", 201, 108, 73}, {"mex", 169, 128, 73},
        {"mng", 202, 137, 68}, {"nga", 203, 137, 68}, {"nld", 170, 109, 73}, {"nor", 171, 100, 73},
        {"npl", 204, 58, 73},  {"pak", 172, 104, 73}, {"per", 205, 108, 73}, {"phl", 206, 137, 68},
        {"pol", 207, 116, 73}, {"prk", 208, 137, 68}, {"prt", 209, 109, 73}, {"rou", 210, 109, 73},
        {"rus", 211, 109, 73}, {"sau", 212, 109, 73}, {"sgp", 213, 109, 73}, {"swe", 214, 116, 73},
        {"syr", 215, 108, 73}, {"tha", 216, 109, 73}, {"tur", 217, 93, 63},  {"twn", 218, 109, 73},
        {"ukr", 219, 94, 63},  {"ury", 220, 109, 73}, {"usa", 221, 119, 63}, {"vnm", 222, 94, 63},
        {"yem", 223, 109, 73}, {"zaf", 224, 109, 73},
    };
    const auto catalog = FlagCatalog();
    for (const FlagEntry& want : first) {
        const auto it = std::find_if(catalog.begin(), catalog.end(),
                                     [&](const FlagEntry& e) { return e.strCode == want.strCode; });
        ASSERT_NE(it, catalog.end()) << want.strCode;
        EXPECT_EQ(it->nBitmapId, want.nBitmapId) << want.strCode;
        EXPECT_EQ(it->nWidth, want.nWidth) << want.strCode;
        EXPECT_EQ(it->nHeight, want.nHeight) << want.strCode;
    }
}

TEST(FlagCatalog, MatchesExactlyByteForByte)
{
    EXPECT_EQ(LookupFlagBitmap("jpn"), 199);
    EXPECT_EQ(LookupFlagBitmap("zaf"), 224);
    EXPECT_EQ(LookupFlagBitmap("are"), 225);
    EXPECT_EQ(LookupFlagBitmap("arg"), 158);
    EXPECT_EQ(LookupFlagBitmap("ago"), 300);
    EXPECT_EQ(LookupFlagBitmap("zwe"), 432);
    for (std::string_view code : {"JPN", "Jpn", "xyz", "jp ", " jp", "jp", "", "\x83\x65\x83"})
        EXPECT_FALSE(LookupFlagBitmap(code)) << code;
    EXPECT_FALSE(LookupFlagBitmap(std::string_view("jp\0", 3)));
}
