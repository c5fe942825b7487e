#include "quiz/FlagCatalog.h"

#include <gtest/gtest.h>

#include <set>

TEST(FlagCatalog, NamesEachPictureOnceAndSkipsTheTwoGaps)
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
    EXPECT_EQ(ids.size(), 66u);
    EXPECT_EQ(codes.size(), 66u);
    for (int id = 158; id <= 225; ++id)
        EXPECT_EQ(ids.count(id), (id == 173 || id == 190) ? 0u : 1u) << id;
}

TEST(FlagCatalog, MatchesExactlyByteForByte)
{
    EXPECT_EQ(LookupFlagBitmap("jpn"), 199);
    EXPECT_EQ(LookupFlagBitmap("zaf"), 224);
    EXPECT_EQ(LookupFlagBitmap("are"), 225);
    EXPECT_EQ(LookupFlagBitmap("arg"), 158);
    for (std::string_view code : {"JPN", "Jpn", "xyz", "jp ", " jp", "jp", "", "\x83\x65\x83"})
        EXPECT_FALSE(LookupFlagBitmap(code)) << code;
    EXPECT_FALSE(LookupFlagBitmap(std::string_view("jp\0", 3)));
}
