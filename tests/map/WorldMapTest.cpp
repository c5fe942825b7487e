#include "map/WorldMap.h"
#include "facts/Facts.h"
#include "map/MapLabel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

const WorldMap& Committed()
{
    static const WorldMap map = [] {
        const std::string bytes = ReadFileBytes(MARELTO_SOURCE_DIR "/res/map/world.map");
        std::string strError;
        auto decoded = WorldMap::Decode(
            {reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, &strError);
        EXPECT_TRUE(decoded) << strError;
        return decoded ? std::move(*decoded) : WorldMap();
    }();
    return map;
}

MapPoint At(double lonEast, double lat)
{
    const double central = Committed().CentralMeridian();
    return ProjectRobinson(std::remainder(lonEast - central, 360.0), lat);
}

std::string CodeAt(double lonEast, double lat)
{
    const MapCountry* pCountry = Committed().CountryAt(At(lonEast, lat));
    return pCountry ? (pCountry->strCode.empty() ? "land" : pCountry->strCode) : "sea";
}

bool Contains(const MapRect& rc, MapPoint p)
{
    return p.x >= rc.left && p.x <= rc.right && p.y >= rc.top && p.y <= rc.bottom;
}

TEST(WorldMapTest, HoldsEveryCountryOfTheCatalogue)
{
    for (const Facts::Country& entry : Facts::Countries()) {
        const MapCountry* pCountry = Committed().Find(entry.code);
        ASSERT_NE(pCountry, nullptr) << entry.code;
        EXPECT_GT(pCountry->fArea, 0) << pCountry->strCode;
        EXPECT_TRUE(Contains(WorldMap::WorldBounds(), pCountry->ptLabel)) << pCountry->strCode;
    }
    EXPECT_EQ(Facts::Countries().size(), 199u);
}

// The seam runs through the Atlantic: no country of the catalogue is cut there, and none has
// land near both edges of the map (as Portugal would with the Azores past the seam).
TEST(WorldMapTest, NoCountryIsTornAtTheSeam)
{
    for (const MapCountry& country : Committed().Countries()) {
        if (country.strCode.empty())
            continue;
        double west = 180, east = -180;
        for (const MapPolygon& polygon : Committed().Polygons(country))
            for (const MapRun& ring : Committed().Rings(polygon))
                for (const MapPoint& p : Committed().Points(ring)) {
                    const double lon = UnprojectRobinson(p).first;
                    west = std::min(west, lon);
                    east = std::max(east, lon);
                }
        EXPECT_GT(west, -179.9) << country.strCode << " is cut at the seam";
        EXPECT_LT(east, 179.9) << country.strCode << " is cut at the seam";
        EXPECT_FALSE(west < -170 && east > 170) << country.strCode << " lies on both edges";
    }
}

// Places the seam or the 180th meridian would tear on a badly centred map lie whole, inland.
TEST(WorldMapTest, IslandStatesAtTheSeamAndTheDateLineAreWhole)
{
    for (const char* szCode :
         {"prt", "cpv", "isl", "bra", "fji", "kir", "tuv", "rus", "nzl", "usa", "ton", "wsm"}) {
        const MapRect bounds = Committed().Find(szCode)->rcBounds;
        EXPECT_LT(bounds.Width(), WorldMap::WorldBounds().Width() / 2) << szCode;
    }
}

struct PlaceCase
{
    const char* szPlace;
    double lon;
    double lat;
    const char* szCode; // "land": neutral land, "sea": none
};

class CountryAtTest : public ::testing::TestWithParam<PlaceCase>
{
};

// Borders as Japanese school atlases draw them, the shapes the source has without an id, and
// neutral land.
TEST_P(CountryAtTest, FindsTheCountryOfThePlace)
{
    const PlaceCase& c = GetParam();
    EXPECT_EQ(CodeAt(c.lon, c.lat), c.szCode) << c.szPlace;
}

INSTANTIATE_TEST_SUITE_P(
    Places, CountryAtTest,
    ::testing::Values(
        PlaceCase{"Tokyo", 139.7, 35.7, "jpn"}, PlaceCase{"Etorofu", 147.6, 44.95, "jpn"},
        PlaceCase{"Kunashiri", 145.49, 43.76, "jpn"}, PlaceCase{"Shikotan", 146.69, 43.78, "jpn"},
        PlaceCase{"Urup, north of Etorofu: undetermined", 150.0, 45.9, "land"},
        PlaceCase{"Shumshu, the Kurils' north end", 156.35, 50.75, "land"},
        PlaceCase{"Yuzhno-Sakhalinsk, south of 50 N", 142.74, 46.96, "land"},
        PlaceCase{"Okha, Sakhalin north of 50 N", 142.93, 53.57, "rus"},
        PlaceCase{"Petropavlovsk-Kamchatsky", 158.65, 53.02, "rus"},
        PlaceCase{"Simferopol", 34.1, 44.95, "ukr"}, PlaceCase{"Kherson", 32.6, 46.65, "ukr"},
        PlaceCase{"Hargeisa", 44.06, 9.56, "som"},
        PlaceCase{"north of Nicosia", 33.6, 35.25, "cyp"},
        PlaceCase{"Pristina", 21.17, 42.66, "xkx"}, PlaceCase{"Taipei", 121.56, 25.03, "twn"},
        PlaceCase{"Ramallah", 35.2, 31.9, "pse"}, PlaceCase{"Mariehamn", 19.95, 60.1, "fin"},
        PlaceCase{"Hong Kong", 114.15, 22.35, "chn"},
        PlaceCase{"Fiji, Vanua Levu east of 180", -179.87, -16.76, "fji"},
        PlaceCase{"Chukotka east of 180", -175.0, 66.0, "rus"},
        PlaceCase{"Reykjavik", -21.9, 64.1, "isl"}, PlaceCase{"Ponta Delgada", -25.6, 37.8, "prt"},
        PlaceCase{"Greenland, west of the seam", -45.0, 70.0, "land"},
        PlaceCase{"Greenland, east of the seam", -25.0, 72.0, "land"},
        PlaceCase{"Laayoune, Western Sahara", -13.2, 27.15, "land"},
        PlaceCase{"Tifariti, Western Sahara east of the berm", -10.57, 26.16, "land"},
        PlaceCase{"Tan-Tan, Morocco", -11.1, 28.44, "mar"},
        PlaceCase{"Antarctica", 0.0, -80.0, "land"}, PlaceCase{"mid-Pacific", -150.0, 0.0, "sea"}));

struct MarkerCase
{
    const char* szCode;
    bool bMarker;
};

class MarkerTest : public ::testing::TestWithParam<MarkerCase>
{
};

TEST_P(MarkerTest, SmallStatesAndOnlyThoseGetARing)
{
    EXPECT_EQ(WorldMap::HasMarker(*Committed().Find(GetParam().szCode)), GetParam().bMarker)
        << GetParam().szCode;
}

INSTANTIATE_TEST_SUITE_P(
    Countries, MarkerTest,
    ::testing::Values(MarkerCase{"tuv", true}, MarkerCase{"nru", true}, MarkerCase{"mco", true},
                      MarkerCase{"vat", true}, MarkerCase{"smr", true}, MarkerCase{"lie", true},
                      MarkerCase{"mlt", true}, MarkerCase{"and", true}, MarkerCase{"kna", true},
                      MarkerCase{"brb", true}, MarkerCase{"mdv", true}, MarkerCase{"sgp", true},
                      MarkerCase{"jpn", false}, MarkerCase{"rus", false}, MarkerCase{"gbr", false},
                      MarkerCase{"nzl", false}, MarkerCase{"kor", false}, MarkerCase{"cub", false},
                      MarkerCase{"ury", false}));

// France's overseas departments lie an ocean away: bringing France into view shows Europe.
TEST(WorldMapTest, FocusKeepsNearbyPartsAndLeavesFarOnes)
{
    const MapRect france = Committed().FocusBounds(*Committed().Find("fra"));
    EXPECT_TRUE(Contains(france, At(2.35, 48.86)));   // Paris
    EXPECT_TRUE(Contains(france, At(9.1, 42.1)));     // Corsica
    EXPECT_FALSE(Contains(france, At(-52.3, 4.9)));   // Cayenne
    EXPECT_FALSE(Contains(france, At(55.45, -20.9))); // Saint-Denis, Réunion
    const MapRect japan = Committed().FocusBounds(*Committed().Find("jpn"));
    EXPECT_TRUE(Contains(japan, At(127.7, 26.2)));   // Naha
    EXPECT_TRUE(Contains(japan, At(141.35, 43.06))); // Sapporo
}

struct ProjectCase
{
    double lon;
    double lat;
    double x;
    double y;
};

class RobinsonTest : public ::testing::TestWithParam<ProjectCase>
{
};

TEST_P(RobinsonTest, ProjectsByTheTableAndBack)
{
    const ProjectCase& c = GetParam();
    const MapPoint p = ProjectRobinson(c.lon, c.lat);
    EXPECT_NEAR(p.x, c.x, 1e-5);
    EXPECT_NEAR(p.y, c.y, 1e-5);
    const auto [lon, lat] = UnprojectRobinson(p);
    EXPECT_NEAR(lat, c.lat, 1e-4);
    if (std::abs(c.lat) < 90)
        EXPECT_NEAR(lon, c.lon, 1e-4);
}

constexpr double kPi = std::numbers::pi;
INSTANTIATE_TEST_SUITE_P(
    Points, RobinsonTest,
    ::testing::Values(ProjectCase{0, 0, 0, 0}, ProjectCase{180, 0, 0.8487 * kPi, 0},
                      ProjectCase{-90, 45, -0.8487 * 0.8962 * kPi / 2, -1.3523 * 0.5571},
                      ProjectCase{90, -47.5, 0.8487 * (0.8962 + 0.8679) / 2 * kPi / 2,
                                  1.3523 * (0.5571 + 0.6176) / 2},
                      ProjectCase{-180, -90, -0.8487 * 0.5322 * kPi, 1.3523},
                      ProjectCase{0, 90, 0, -1.3523}));

// A map of one triangle: what the decoder makes of each byte, and that every cut-short copy
// and every damaged count is refused rather than read past its end.
std::vector<unsigned char> TinyMap()
{
    return {'M', 'R', 'L', 'M', 'A', 'P', 1,  0,
            0,                                // central meridian 0
            1,                                // one unit per degree
            1,                                // one shape
            'a', 'b', 'c',                    // its code
            2,   2,                           // label (1, 1)
            1,   1,                           // one polygon of one ring
            3,   0,   0,   20,  0,   0,   20, // (0,0) (10,0) (10,10)
            1,                                // one line
            1,   2,   1,   1,   1,   1};      // a border (9,9) (8,8)
}

TEST(WorldMapDecodeTest, ReadsPointsAreasAndLines)
{
    const std::vector<unsigned char> bytes = TinyMap();
    const std::optional<WorldMap> map = WorldMap::Decode(bytes);
    ASSERT_TRUE(map);
    ASSERT_EQ(map->Countries().size(), 1u);
    const MapCountry& country = map->Countries()[0];
    EXPECT_EQ(country.strCode, "abc");
    const MapPoint corner = ProjectRobinson(10, 10), east = ProjectRobinson(10, 0);
    EXPECT_FLOAT_EQ(country.rcBounds.right, east.x);
    EXPECT_FLOAT_EQ(country.rcBounds.top, corner.y);
    EXPECT_NEAR(country.fArea, std::abs(east.x * corner.y) / 2, 1e-4);
    ASSERT_EQ(map->Lines().size(), 1u);
    EXPECT_TRUE(map->Lines()[0].bBorder);
    EXPECT_FLOAT_EQ(map->Points(map->Lines()[0].run)[1].x, ProjectRobinson(8, 8).x);
    EXPECT_EQ(map->Find("abc"), &country);
    EXPECT_EQ(map->Find(""), nullptr);
}

TEST(WorldMapDecodeTest, RefusesDamagedData)
{
    const std::vector<unsigned char> bytes = TinyMap();
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(WorldMap::Decode(std::span(bytes).first(n))) << n << " bytes";
    const std::pair<std::size_t, unsigned char> damages[] = {
        {0, 'X'},  // magic
        {10, 200}, // shape count far beyond the data
        {17, 0},   // ring count 0
        {18, 2},   // a ring of two points
        {9, 0},    // no units per degree
        {27, 100}, // line point count beyond the data
    };
    for (const auto& [at, value] : damages) {
        std::vector<unsigned char> damaged = bytes;
        damaged[at] = value;
        std::string strError;
        EXPECT_FALSE(WorldMap::Decode(damaged, &strError)) << "byte " << at;
        EXPECT_FALSE(strError.empty()) << "byte " << at;
    }
    std::vector<unsigned char> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(WorldMap::Decode(longer));
    std::vector<unsigned char> offGlobe = bytes; // latitude 91
    offGlobe[20] = 0xb6;
    offGlobe.insert(offGlobe.begin() + 21, 0x01);
    EXPECT_FALSE(WorldMap::Decode(offGlobe));
}

} // namespace
