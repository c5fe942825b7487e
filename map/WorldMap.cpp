#include "map/WorldMap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// Robinson's table: length of the parallel and its distance from the equator, every 5 degrees.
constexpr double kRobinsonX[] = {1.0000, 0.9986, 0.9954, 0.9900, 0.9822, 0.9730, 0.9600,
                                 0.9427, 0.9216, 0.8962, 0.8679, 0.8350, 0.7986, 0.7597,
                                 0.7186, 0.6732, 0.6213, 0.5722, 0.5322};
constexpr double kRobinsonY[] = {0.0000, 0.0620, 0.1240, 0.1860, 0.2480, 0.3100, 0.3720,
                                 0.4340, 0.4958, 0.5571, 0.6176, 0.6769, 0.7346, 0.7903,
                                 0.8435, 0.8936, 0.9394, 0.9761, 1.0000};
constexpr double kRobinsonScaleX = 0.8487;
constexpr double kRobinsonScaleY = 1.3523;

// Below this share of the whole map's frame a country gets a marker: about 12 square pixels
// when the whole world is 800 pixels wide.
constexpr double kMarkerAreaShare = 12.0 / (800.0 * 400.0);
// Parts of a country closer than this share of the map's width to the land in view join it.
constexpr float kFocusReach = 0.05f;

float Gap(const MapRect& a, const MapRect& b)
{
    const float dx = std::max({0.0f, a.left - b.right, b.left - a.right});
    const float dy = std::max({0.0f, a.top - b.bottom, b.top - a.bottom});
    return std::max(dx, dy);
}

double SegmentDistance2(MapPoint p, MapPoint a, MapPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey;
}

// Marks the points of a run to keep; the ends always stay.
void Simplify(std::span<const MapPoint> points, double tolerance2, std::vector<bool>& keep,
              std::vector<std::pair<std::size_t, std::size_t>>& stack)
{
    keep.assign(points.size(), false);
    keep.front() = keep.back() = true;
    stack.assign(1, {0, points.size() - 1});
    while (!stack.empty()) {
        const auto [first, last] = stack.back();
        stack.pop_back();
        double worst = tolerance2;
        std::size_t nWorst = 0;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double d = SegmentDistance2(points[i], points[first], points[last]);
            if (d > worst) {
                worst = d;
                nWorst = i;
            }
        }
        if (nWorst) {
            keep[nWorst] = true;
            stack.push_back({first, nWorst});
            stack.push_back({nWorst, last});
        }
    }
}

} // namespace

void MapRect::Unite(const MapRect& rc)
{
    left = std::min(left, rc.left);
    top = std::min(top, rc.top);
    right = std::max(right, rc.right);
    bottom = std::max(bottom, rc.bottom);
}

MapRect MapRect::Empty()
{
    constexpr float kMax = std::numeric_limits<float>::max();
    return {kMax, kMax, -kMax, -kMax};
}

MapPoint ProjectRobinson(double lonFromCentre, double lat)
{
    const double a = std::min(std::abs(lat), 90.0) / 5.0;
    const int i = std::min(int(a), 17);
    const double f = a - i;
    const double x = kRobinsonX[i] + f * (kRobinsonX[i + 1] - kRobinsonX[i]);
    const double y = kRobinsonY[i] + f * (kRobinsonY[i + 1] - kRobinsonY[i]);
    const double lambda = lonFromCentre * std::numbers::pi / 180.0;
    return {float(kRobinsonScaleX * x * lambda),
            float(lat < 0 ? kRobinsonScaleY * y : -kRobinsonScaleY * y)};
}

std::pair<double, double> UnprojectRobinson(MapPoint p)
{
    const double y = std::min(std::abs(p.y) / kRobinsonScaleY, 1.0);
    int i = 0;
    while (i < 17 && kRobinsonY[i + 1] < y)
        ++i;
    const double f = (y - kRobinsonY[i]) / (kRobinsonY[i + 1] - kRobinsonY[i]);
    const double lat = (i + f) * 5.0;
    const double x = kRobinsonX[i] + f * (kRobinsonX[i + 1] - kRobinsonX[i]);
    const double lon = p.x / (kRobinsonScaleX * x) * 180.0 / std::numbers::pi;
    return {lon, p.y > 0 ? -lat : lat};
}

std::span<const MapPolygon> WorldMap::Polygons(const MapCountry& country) const
{
    return std::span(m_polygons).subspan(country.nFirstPolygon, country.nPolygonCount);
}

std::span<const MapRun> WorldMap::Rings(const MapPolygon& polygon) const
{
    return std::span(m_rings).subspan(polygon.nFirstRing, polygon.nRingCount);
}

std::span<const MapPoint> WorldMap::Points(const MapRun& run) const
{
    return std::span(m_points).subspan(run.nFirst, run.nCount);
}

const MapCountry* WorldMap::Find(std::string_view code) const
{
    if (code.empty())
        return nullptr;
    const auto it = std::find_if(m_countries.begin(), m_countries.end(),
                                 [code](const MapCountry& c) { return c.strCode == code; });
    return it == m_countries.end() ? nullptr : &*it;
}

MapRect WorldMap::WorldBounds()
{
    const float x = float(kRobinsonScaleX * std::numbers::pi);
    const float y = float(kRobinsonScaleY);
    return {-x, -y, x, y};
}

WorldMap WorldMap::Simplified(float fTolerance) const
{
    WorldMap map;
    map.m_dCentral = m_dCentral;
    map.m_polygons = m_polygons;
    map.m_countries = m_countries;
    map.m_lines = m_lines;
    map.m_rings = m_rings;
    std::vector<bool> keep;
    std::vector<std::pair<std::size_t, std::size_t>> stack;
    const auto simplify = [&](MapRun& run, std::size_t nLeast) {
        const std::span<const MapPoint> points = Points(run);
        Simplify(points, double(fTolerance) * fTolerance, keep, stack);
        if (std::count(keep.begin(), keep.end(), true) < std::ptrdiff_t(nLeast)) {
            // A ring smaller than the tolerance: the point farthest from its first stays too.
            std::size_t nFar = 1;
            for (std::size_t i = 2; i + 1 < points.size(); ++i)
                if (SegmentDistance2(points[i], points[0], points[0]) >
                    SegmentDistance2(points[nFar], points[0], points[0]))
                    nFar = i;
            keep[nFar] = true;
        }
        run.nFirst = std::uint32_t(map.m_points.size());
        for (std::size_t i = 0; i < points.size(); ++i)
            if (keep[i])
                map.m_points.push_back(points[i]);
        run.nCount = std::uint32_t(map.m_points.size() - run.nFirst);
    };
    for (MapRun& ring : map.m_rings)
        simplify(ring, 3);
    for (MapLine& line : map.m_lines)
        simplify(line.run, 2);
    return map;
}

const MapCountry* WorldMap::CountryAt(MapPoint p) const
{
    for (const MapCountry& country : m_countries) {
        const MapRect& rc = country.rcBounds;
        if (p.x < rc.left || p.x > rc.right || p.y < rc.top || p.y > rc.bottom)
            continue;
        for (const MapPolygon& polygon : Polygons(country)) {
            bool bInside = false; // even-odd over the outline and its holes
            for (const MapRun& ring : Rings(polygon)) {
                const std::span<const MapPoint> points = Points(ring);
                for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                    const MapPoint& a = points[i];
                    const MapPoint& b = points[j];
                    if ((a.y > p.y) != (b.y > p.y) &&
                        p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                        bInside = !bInside;
                }
            }
            if (bInside)
                return &country;
        }
    }
    return nullptr;
}

bool WorldMap::HasMarker(const MapCountry& country)
{
    const MapRect world = WorldBounds();
    return country.fArea < kMarkerAreaShare * world.Width() * world.Height();
}

MapRect WorldMap::FocusBounds(const MapCountry& country) const
{
    const std::span<const MapPolygon> polygons = Polygons(country);
    const auto largest = std::max_element(
        polygons.begin(), polygons.end(),
        [](const MapPolygon& a, const MapPolygon& b) { return a.fArea < b.fArea; });
    MapRect focus = largest->rcBounds;
    const float reach = kFocusReach * WorldBounds().Width();
    std::vector<bool> taken(polygons.size());
    taken[std::size_t(largest - polygons.begin())] = true;
    for (bool bGrew = true; bGrew;) {
        bGrew = false;
        for (std::size_t i = 0; i < polygons.size(); ++i)
            if (!taken[i] && Gap(focus, polygons[i].rcBounds) <= reach) {
                focus.Unite(polygons[i].rcBounds);
                taken[i] = bGrew = true;
            }
    }
    return focus;
}
