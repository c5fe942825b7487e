#include "map/MapLabel.h"

#include <gtest/gtest.h>

namespace {

struct LabelCase
{
    const char* szCode;
    const char* szText;
    int nContinent;
};

class MapLabelTest : public ::testing::TestWithParam<LabelCase>
{
};

// The usual form of name and capital where the facts table gives several.
TEST_P(MapLabelTest, GivesNameCapitalAndContinent)
{
    const LabelCase& c = GetParam();
    const MapLabel label = MapLabelFor(c.szCode);
    EXPECT_EQ(MapLabelText(label), c.szText);
    EXPECT_EQ(label.nContinent, c.nContinent);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, MapLabelTest,
    ::testing::Values(LabelCase{"jpn", "日本 首都 東京", 0},
                      LabelCase{"gbr", "イギリス 首都 ロンドン", 1},
                      LabelCase{"bdi", "ブルンジ 首都 ギテガ", 2},
                      LabelCase{"usa", "アメリカ合衆国 首都 ワシントンD.C.", 3},
                      LabelCase{"bol", "ボリビア 首都 スクレ", 4},
                      LabelCase{"tuv", "ツバル 首都 フナフティ", 5}, LabelCase{"xyz", "", -1}));

} // namespace
