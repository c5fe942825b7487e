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
            "little room: shrunk on the roomiest side", {250, 100, 800, 650}, {0, 100, 242, 250}},
        PlaceCase{"no room anywhere: over it at the screen's edge",
                  {100, 60, 1100, 700},
                  {880, 60, 400, 250}}));

} // namespace
