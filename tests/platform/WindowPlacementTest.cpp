#include "platform/WindowPlacement.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const ScreenRect& rc, std::ostream* pOut)
{
    *pOut << '(' << rc.x << ',' << rc.y << ' ' << rc.cx << 'x' << rc.cy << ')';
}

namespace {

struct PlaceCase
{
    const char* szWhat;
    ScreenRect main;
    ScreenRect expected;
};

class PlaceBesideTest : public ::testing::TestWithParam<PlaceCase>
{
};

// A 1280x800 screen with a 40 px panel at the top; the map wants 400x250, makes do with 200x120,
// 8 px from the main window.
TEST_P(PlaceBesideTest, PutsTheMapWhereItCoversNothing)
{
    const ScreenRect screen{0, 40, 1280, 760};
    const PlaceCase& c = GetParam();
    EXPECT_EQ(PlaceBeside(c.main, screen, 400, 250, 200, 120, 8), c.expected) << c.szWhat;
}

INSTANTIATE_TEST_SUITE_P(
    Sides, PlaceBesideTest,
    ::testing::Values(
        PlaceCase{"room on the right", {100, 100, 500, 400}, {608, 100, 400, 250}},
        PlaceCase{"too low for its top: kept on screen", {100, 700, 500, 80}, {608, 550, 400, 250}},
        PlaceCase{"right edge: to the left", {800, 100, 470, 400}, {392, 100, 400, 250}},
        PlaceCase{"wide: below", {10, 60, 1260, 400}, {10, 468, 400, 250}},
        PlaceCase{"wide and low: above", {10, 400, 1260, 390}, {10, 142, 400, 250}},
        PlaceCase{
            "little room: shrunk on the right first", {250, 100, 800, 650}, {1058, 100, 222, 250}},
        PlaceCase{"no room anywhere: least size in the bottom-right corner, over it",
                  {100, 60, 1100, 700},
                  {1080, 680, 200, 120}}));

// The main window centred on a 1600x1000 screen, the map wanting 560x310 with its frame and
// making do with 280x160: to its right, shrunk to the room, never below it off the screen. At 2x
// the same windows on the screen's 800x500: over the main window, wholly on the screen.
TEST(PlaceBesideTest, OnA1600By1000ScreenAndAt2x)
{
    EXPECT_EQ(PlaceBeside({477, 214, 631, 517}, {0, 0, 1600, 1000}, 560, 310, 280, 160, 6),
              (ScreenRect{1114, 214, 486, 310}));
    EXPECT_EQ(PlaceBeside({77, 0, 631, 500}, {0, 0, 800, 500}, 560, 310, 280, 160, 3),
              (ScreenRect{520, 340, 280, 160}));
}

// A kept place on the screens there are now: as it was, moved and cut onto the screen that
// shows most of it, or none when no screen shows any of it.
TEST(FitOnScreensTest, KeepsMovesCutsOrGivesUp)
{
    const std::vector<ScreenRect> screens = {{0, 0, 1600, 1000}, {1600, 0, 1280, 800}};
    EXPECT_EQ(FitOnScreens({100, 500, 700, 420}, screens), (ScreenRect{100, 500, 700, 420}));
    EXPECT_EQ(FitOnScreens({1500, 700, 700, 420}, screens), (ScreenRect{1600, 380, 700, 420}));
    EXPECT_EQ(FitOnScreens({-100, -50, 2000, 1200}, screens), (ScreenRect{0, 0, 1600, 1000}));
    EXPECT_EQ(FitOnScreens({3000, 0, 700, 420}, screens), std::nullopt);
    EXPECT_EQ(FitOnScreens({100, 100, 700, 420}, {}), std::nullopt);
}

TEST(FitOnScreensTest, RectanglesReadBackAsKept)
{
    const ScreenRect rc{-1200, 40, 700, 420};
    EXPECT_EQ(FormatRect(rc), "-1200,40,700,420");
    EXPECT_EQ(ParseRect(FormatRect(rc)), rc);
    for (const char* szBad :
         {"", "1,2,3", "1,2,3,4,5", "1,2,0,4", "1,2,3,-4", "a,2,3,4", "1, 2,3,4"})
        EXPECT_EQ(ParseRect(szBad), std::nullopt) << szBad;
}

} // namespace
