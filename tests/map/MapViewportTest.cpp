#include "map/MapViewport.h"
#include "map/WorldMap.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A view twice as wide as high, like the 地図 window's.
constexpr double kWidth = 400, kHeight = 200;

MapViewport ViewAt(double dZoom, MapViewport::Point centre = {0, 0})
{
    MapViewport viewport;
    viewport.SetSize(kWidth, kHeight);
    viewport.SetView(centre, dZoom);
    return viewport;
}

// Zooming about a point of the view leaves the map point under it where it was, also where the
// zoom is held at a limit.
TEST(MapViewportTest, ZoomKeepsThePointUnderThePointerAndStaysWithinItsLimits)
{
    struct Case
    {
        double dZoom;
        MapViewport::Point at;
        double dFactor;
        double dExpectedZoom;
    } cases[] = {
        {4, {50, 40}, 2, 8},        {4, {390, 190}, 0.5, 2},
        {64, {30, 170}, 1.25, 64},  // the most there is: nothing moves
        {1.5, {200, 100}, 0.25, 1}, // never less than the whole world
        {48, {100, 20}, 4, 64},     // in to the limit, not past it
    };
    for (const Case& c : cases) {
        MapViewport viewport = ViewAt(c.dZoom);
        const MapViewport::Point before = viewport.ToMap(c.at);
        viewport.ZoomAt(c.at, c.dFactor);
        EXPECT_DOUBLE_EQ(viewport.Zoom(), c.dExpectedZoom) << c.dZoom << " x " << c.dFactor;
        const MapViewport::Point after = viewport.ToMap(c.at);
        EXPECT_NEAR(after.x, before.x, 1e-9) << c.dZoom << " x " << c.dFactor;
        EXPECT_NEAR(after.y, before.y, 1e-9) << c.dZoom << " x " << c.dFactor;
    }
}

// However far a view is asked to go, it stays on the map: a side the map fills is covered, one
// it does not is centred.
TEST(MapViewportTest, KeepsTheViewOnTheMap)
{
    const MapRect world = WorldMap::WorldBounds();
    // Each side of the view: from, to, and the map's extent that way.
    const auto check = [](double from, double to, double lo, double hi, double dZoom) {
        if (to - from <= hi - lo) {
            EXPECT_GE(from, lo - 1e-6) << dZoom;
            EXPECT_LE(to, hi + 1e-6) << dZoom;
        } else {
            EXPECT_NEAR(from + to, lo + hi, 1e-6) << dZoom;
        }
    };
    const MapViewport::Point cases[] = {{-100, 0}, {100, 0}, {0, -100}, {0, 100}, {3, 3}};
    for (const double dZoom : {1.0, 2.0, 64.0})
        for (const MapViewport::Point& centre : cases) {
            const MapViewport viewport = ViewAt(dZoom, centre);
            const MapViewport::Point topLeft = viewport.ToMap({0, 0});
            const MapViewport::Point bottomRight = viewport.ToMap({kWidth, kHeight});
            check(topLeft.x, bottomRight.x, world.left, world.right, dZoom);
            check(topLeft.y, bottomRight.y, world.top, world.bottom, dZoom);
        }
}

// A view shown with a margin: the whole world at zoom 1 takes that share of its tighter side,
// centred.
TEST(MapViewportTest, FillsItsShareOfTheView)
{
    MapViewport viewport(1, 0.5);
    viewport.SetSize(kWidth, kHeight);
    const MapRect world = WorldMap::WorldBounds();
    const MapViewport::Point topLeft = viewport.ToMap({0, 0});
    const MapViewport::Point bottomRight = viewport.ToMap({kWidth, kHeight});
    EXPECT_NEAR(std::min((bottomRight.x - topLeft.x) / world.Width(),
                         (bottomRight.y - topLeft.y) / world.Height()),
                2, 1e-9);
    EXPECT_NEAR(topLeft.x + bottomRight.x, double(world.left) + world.right, 1e-9);
    EXPECT_NEAR(topLeft.y + bottomRight.y, double(world.top) + world.bottom, 1e-9);
}

} // namespace
