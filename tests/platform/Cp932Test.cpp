#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

struct DecodeCase
{
    const char* szName;
    std::string bytes;
    std::string utf8;
};

class Cp932DecodeTest : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(Cp932DecodeTest, DecodesLikeTheWindowsCodePage)
{
    EXPECT_EQ(Cp932::ToUtf8(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Cp932DecodeTest,
    ::testing::Values(
        DecodeCase{"ascii", "jpn abc", "jpn abc"}, DecodeCase{"kanji", "\x93\xfa\x96\x7b", "日本"},
        DecodeCase{"waveDash", "\x81\x60", "\xEF\xBD\x9E"}, // U+FF5E, as Windows maps it
        DecodeCase{"halfwidthKana", "\xCA\xDE", "ﾊﾞ"}, DecodeCase{"necSpecial", "\x87\x40", "①"},
        DecodeCase{"loneLeadAtEnd", std::string("ab\x93", 3), "ab\xEF\xBF\xBD"},
        DecodeCase{"loneLeadAlone", "\x82", "\xEF\xBF\xBD"},
        DecodeCase{"invalidSingle",
                   std::string("a\xFF"
                               "b",
                               3),
                   "a\xEF\xBF\xBD"
                   "b"},
        DecodeCase{"allInvalid", std::string("\x80\xA0\xFD\xFE\xFF", 5),
                   "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        DecodeCase{"nulKept", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.szName); });

TEST(Cp932Encode, RoundTripsRepresentableText)
{
    for (const char* sz : {"首都・地域・公用語まで", "Marelto Ver1.0～", "ﾊﾞｰｼﾞｮﾝ", "①②", ""}) {
        std::optional<std::string> bytes = Cp932::FromUtf8(sz);
        ASSERT_TRUE(bytes) << sz;
        EXPECT_TRUE(Cp932::IsValid(*bytes));
        EXPECT_EQ(Cp932::ToUtf8(*bytes), sz);
    }
}

TEST(Cp932Encode, ReportsTextItCannotRepresent)
{
    EXPECT_FALSE(Cp932::FromUtf8("emoji \xF0\x9F\x98\x80"));
    EXPECT_FALSE(Cp932::FromUtf8("hangul \xED\x95\x9C"));
    EXPECT_FALSE(Cp932::FromUtf8("broken \xE6\x97")); // not UTF-8 at all
    EXPECT_FALSE(Cp932::FromUtf16(u"lone surrogate \xD800"));
    EXPECT_EQ(Cp932::FromUtf16(u"日本"), std::string("\x93\xfa\x96\x7b"));
}

TEST(Cp932Validity, FindsCutCharactersAndBoundaries)
{
    const std::string text = "a\x93\xfa\x96\x7b"; // a日本
    EXPECT_TRUE(Cp932::IsValid(text));
    EXPECT_FALSE(Cp932::IsValid(text.substr(0, 4)));
    // A cut never splits a character. A field cut after the lead byte of a character keeps it:
    // that lone lead byte counts as one character wherever the text ends, and cutting again at
    // or past the end keeps the text whole.
    const struct
    {
        std::string text;
        std::vector<std::pair<std::size_t, std::size_t>> cuts; // at most, then where
    } cases[] = {{text, {{4, 3}, {5, 5}, {100, 5}, {0, 0}}},
                 {"ab\x82", {{2, 2}, {3, 3}, {4, 3}, {100, 3}}},
                 {"\x82", {{0, 0}, {1, 1}, {2, 1}}},
                 {"a\x93\xfa\x82", {{2, 1}, {3, 3}, {4, 4}, {5, 4}}}};
    for (const auto& c : cases)
        for (const auto& [nMax, nCut] : c.cuts)
            EXPECT_EQ(Cp932::CharBoundary(c.text, nMax), nCut) << c.text << " " << nMax;
    EXPECT_EQ(Cp932::ToUtf16("\x93\xfa"
                             "A"),
              u"日A");
}
