#include "map/PositionFrame.h"

#include "facts/Facts.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The least a frame spans, in map units (about 300 km): four specks are not shown as a blur.
constexpr float kMinFrameWidth = 0.04f;
// Room round the candidates: a share of what they span, and the number's room in pixels.
constexpr float kChoiceMarginShare = 0.12f;
constexpr double kNumberRoomPx = kRingRadiusPx + 6;
// A region shows this share of its span again on each side, where its neighbours lie.
constexpr float kRegionMarginShare = 0.2f;
constexpr float kRegionMinMargin = 0.03f;
// Round the asked country, this share of its span on each side holds its neighbours.
constexpr float kNeighbourMarginShare = 0.5f;
// Arrow keys look this far off the direction pressed (tan 60°).
constexpr double kDirectionSpread = 1.732;

double LargestPiece(const WorldMap& map, const MapCountry& country)
{
    float fLargest = 0;
    for (const MapPolygon& polygon : map.Polygons(country))
        fLargest = std::max(fLargest, polygon.fArea);
    return fLargest;
}

MapRect Grown(MapRect rc, float fBy)
{
    return {rc.left - fBy, rc.top - fBy, rc.right + fBy, rc.bottom + fBy};
}

// The rectangle about rc of the view's shape, and the view's scale.
PositionFrame Fit(MapRect rc, double cx, double cy)
{
    cx = std::max(cx, 1.0);
    cy = std::max(cy, 1.0);
    if (rc.Width() < kMinFrameWidth)
        rc = Grown(rc, (kMinFrameWidth - rc.Width()) / 2);
    const double dScale = std::min(cx / rc.Width(), cy / std::max(rc.Height(), 1e-6f));
    const MapPoint c = rc.Centre();
    const auto halfW = float(cx / dScale / 2), halfH = float(cy / dScale / 2);
    return {{c.x - halfW, c.y - halfH, c.x + halfW, c.y + halfH}, dScale};
}

double Distance2(MapPoint a, MapPoint b)
{
    const double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

double SegmentDistance2(MapPoint p, MapPoint a, MapPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const double t =
        len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey;
}

bool NearOutline(const WorldMap& map, const MapCountry& country, MapPoint p, double dReach)
{
    if (!(p.x >= country.rcBounds.left - dReach && p.x <= country.rcBounds.right + dReach &&
          p.y >= country.rcBounds.top - dReach && p.y <= country.rcBounds.bottom + dReach))
        return false;
    const double dReach2 = dReach * dReach;
    for (const MapPolygon& polygon : map.Polygons(country)) {
        const MapRect& rc = polygon.rcBounds;
        if (p.x < rc.left - dReach || p.x > rc.right + dReach || p.y < rc.top - dReach ||
            p.y > rc.bottom + dReach)
            continue;
        for (const MapRun& ring : map.Rings(polygon)) {
            const std::span<const MapPoint> points = map.Points(ring);
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
                if (SegmentDistance2(p, points[j], points[i]) <= dReach2)
                    return true;
        }
    }
    return false;
}

bool InsidePolygon(const WorldMap& map, const MapPolygon& polygon, MapPoint p)
{
    bool bInside = false; // even-odd over the outline and its holes
    for (const MapRun& ring : map.Rings(polygon)) {
        const std::span<const MapPoint> points = map.Points(ring);
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const MapPoint& a = points[i];
            const MapPoint& b = points[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                bInside = !bInside;
        }
    }
    return bInside;
}

double OutlineDistance2(const WorldMap& map, const MapPolygon& polygon, MapPoint p)
{
    double dNearest2 = std::numeric_limits<double>::max();
    for (const MapRun& ring : map.Rings(polygon)) {
        const std::span<const MapPoint> points = map.Points(ring);
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
            dNearest2 = std::min(dNearest2, SegmentDistance2(p, points[j], points[i]));
    }
    return dNearest2;
}

bool InsideCountry(const WorldMap& map, const MapCountry& country, MapPoint p)
{
    const MapRect& rc = country.rcBounds;
    if (p.x < rc.left || p.x > rc.right || p.y < rc.top || p.y > rc.bottom)
        return false;
    const std::span<const MapPolygon> polygons = map.Polygons(country);
    return std::any_of(polygons.begin(), polygons.end(),
                       [&](const MapPolygon& polygon) { return InsidePolygon(map, polygon, p); });
}

const MapPolygon& LargestPolygon(const WorldMap& map, const MapCountry& country)
{
    const std::span<const MapPolygon> polygons = map.Polygons(country);
    return *std::max_element(
        polygons.begin(), polygons.end(),
        [](const MapPolygon& a, const MapPolygon& b) { return a.fArea < b.fArea; });
}

// The point of a grid over the country's largest piece that lies deepest inside it and at least
// dReach from each point to avoid; the label point when no grid point does better.
MapPoint DeepestPoint(const WorldMap& map, const MapCountry& country,
                      std::span<const MapPoint> avoid, double dReach)
{
    constexpr int kGrid = 16;
    const MapPolygon& polygon = LargestPolygon(map, country);
    const MapRect& rc = polygon.rcBounds;
    MapPoint best = country.ptLabel;
    double dBest = -1;
    for (int iy = 0; iy < kGrid; ++iy)
        for (int ix = 0; ix < kGrid; ++ix) {
            const MapPoint p = {rc.left + rc.Width() * (ix + 0.5f) / kGrid,
                                rc.top + rc.Height() * (iy + 0.5f) / kGrid};
            if (!InsidePolygon(map, polygon, p))
                continue;
            double dScore = std::sqrt(OutlineDistance2(map, polygon, p));
            for (const MapPoint& q : avoid)
                dScore = std::min(dScore, std::sqrt(Distance2(p, q)) - dReach);
            if (dScore > dBest) {
                dBest = dScore;
                best = p;
            }
        }
    return best;
}

} // namespace

MapPoint InteriorPoint(const WorldMap& map, const MapCountry& country)
{
    if (country.nPolygonCount == 0 || InsideCountry(map, country, country.ptLabel))
        return country.ptLabel;
    return DeepestPoint(map, country, {}, 0);
}

double ScreenSize(const WorldMap& map, const MapCountry& country, double dScale)
{
    return std::sqrt(LargestPiece(map, country)) * dScale;
}

bool NeedsRing(const WorldMap& map, const MapCountry& country, double dScale, double dFloorPx)
{
    return ScreenSize(map, country, dScale) < dFloorPx;
}

std::optional<ChoiceFrame> FrameChoice(const WorldMap& map, const std::array<std::string, 4>& codes,
                                       double cx, double cy)
{
    ChoiceFrame frame;
    MapRect land = MapRect::Empty();
    for (std::size_t i = 0; i < 4; ++i) {
        const MapCountry* pCountry = map.Find(codes[i]);
        if (!pCountry)
            return std::nullopt;
        frame.candidates[i].pCountry = pCountry;
        frame.candidates[i].ptNumber = InteriorPoint(map, *pCountry);
        land.Unite(WorldMap::HasMarker(*pCountry)
                       ? MapRect{pCountry->ptLabel.x, pCountry->ptLabel.y, pCountry->ptLabel.x,
                                 pCountry->ptLabel.y}
                       : map.FocusBounds(*pCountry));
    }
    land = Grown(land, kChoiceMarginShare * std::max(land.Width(), land.Height()));
    // Each number and ring needs its room inside the view; the room in map units shrinks as the
    // frame grows, so a second pass settles it.
    static_cast<PositionFrame&>(frame) = Fit(land, cx, cy);
    for (int nPass = 0; nPass < 2; ++nPass) {
        MapRect need = land;
        const auto fRoom = float(kNumberRoomPx / frame.dScale);
        for (const PositionCandidate& c : frame.candidates)
            need.Unite(Grown({c.ptNumber.x, c.ptNumber.y, c.ptNumber.x, c.ptNumber.y}, fRoom));
        static_cast<PositionFrame&>(frame) = Fit(need, cx, cy);
    }
    for (PositionCandidate& c : frame.candidates)
        c.bRing = NeedsRing(map, *c.pCountry, frame.dScale);
    // A large country's number moves out of a small neighbour's ring (Italy's from the Vatican's)
    // and away from the other numbers.
    const double dReach = (kRingRadiusPx + kNumberRadiusPx) / frame.dScale;
    for (std::size_t i = 0; i < 4; ++i) {
        PositionCandidate& c = frame.candidates[i];
        if (c.bRing)
            continue;
        std::vector<MapPoint> others;
        for (std::size_t k = 0; k < 4; ++k)
            if (k != i)
                others.push_back(frame.candidates[k].ptNumber);
        if (std::any_of(others.begin(), others.end(),
                        [&](MapPoint q) { return Distance2(c.ptNumber, q) < dReach * dReach; }))
            c.ptNumber = DeepestPoint(map, *c.pCountry, others, dReach);
    }
    return frame;
}

std::optional<PositionFrame> FramePointing(const WorldMap& map, std::string_view code, double cx,
                                           double cy)
{
    const MapCountry* pAsked = map.Find(code);
    if (!pAsked)
        return std::nullopt;
    cx = std::max(cx, 1.0);
    cy = std::max(cy, 1.0);
    MapRect region = map.FocusBounds(*pAsked);
    if (const Facts::Country* pFacts = Facts::FindCountry(code))
        for (const Facts::Country& other : Facts::Countries())
            if (other.region == pFacts->region)
                if (const MapCountry* pOther = map.Find(other.code))
                    region.Unite(map.FocusBounds(*pOther));
    const float fSpan = std::max(region.Width(), region.Height());
    region = Grown(region, std::max(kRegionMarginShare * fSpan, kRegionMinMargin));
    // The asked country with room for its neighbours round it.
    const MapRect own = map.FocusBounds(*pAsked);
    const MapRect near =
        Grown(own, std::max(kNeighbourMarginShare * std::max(own.Width(), own.Height()),
                            kRegionMinMargin));
    // The region's whole width; of a region taller than the view allows, the band about the
    // asked country and its neighbours.
    const double dScale =
        std::max(std::min(cx / region.Width(), cy / region.Height()),
                 std::min({cx / region.Width(), cx / near.Width(), cy / near.Height()}));
    const double dHalfW = cx / dScale / 2, dHalfH = cy / dScale / 2;
    const auto keep = [](double v, double lo, double hi, double half) {
        return hi - lo >= 2 * half ? (lo + hi) / 2 : std::clamp(v, hi - half, lo + half);
    };
    const MapPoint centre = region.Centre();
    const double x = keep(centre.x, near.left, near.right, dHalfW);
    const double y = keep(centre.y, near.top, near.bottom, dHalfH);
    return PositionFrame{
        {float(x - dHalfW), float(y - dHalfH), float(x + dHalfW), float(y + dHalfH)}, dScale};
}

bool PointingRing(const WorldMap& map, const MapCountry& country, double dScale)
{
    return NeedsRing(map, country, dScale, kPointingRingPx / 2);
}

int CandidateAt(const WorldMap& map, const ChoiceFrame& frame, MapPoint p)
{
    const double dRing2 = std::pow(kRingRadiusPx / frame.dScale, 2);
    int nNearest = -1;
    double dNearest2 = dRing2;
    for (int i = 0; i < 4; ++i) {
        const PositionCandidate& c = frame.candidates[std::size_t(i)];
        if (const double d2 = Distance2(p, c.ptNumber); c.bRing && d2 <= dNearest2) {
            nNearest = i;
            dNearest2 = d2;
        }
    }
    if (nNearest >= 0)
        return nNearest;
    const MapCountry* pAt = map.CountryAt(p);
    for (int i = 0; i < 4; ++i)
        if (pAt && frame.candidates[std::size_t(i)].pCountry == pAt)
            return i;
    return -1;
}

PointingJudgement JudgePointing(const WorldMap& map, std::string_view asked, MapPoint p,
                                double dScale)
{
    // The smallest country under the point (a state inside another, as the Vatican is); off
    // the land, the nearest ring round it.
    PointingJudgement judgement;
    for (const MapCountry& country : map.Countries())
        if (!country.strCode.empty() && InsideCountry(map, country, p) &&
            (!judgement.pClicked || country.fArea < judgement.pClicked->fArea))
            judgement.pClicked = &country;
    const double dRing = kPointingRingPx / 2 / dScale;
    const auto ringed = [&](const MapCountry& country) {
        return PointingRing(map, country, dScale);
    };
    if (!judgement.pClicked && !map.CountryAt(p)) {
        double dNearest2 = dRing * dRing;
        for (const MapCountry& country : map.Countries())
            if (!country.strCode.empty() && ringed(country))
                if (const double d2 = Distance2(p, country.ptLabel); d2 <= dNearest2) {
                    judgement.pClicked = &country;
                    dNearest2 = d2;
                }
    }
    const MapCountry* pAsked = map.Find(asked);
    if (!pAsked)
        return judgement;
    judgement.bRight =
        judgement.pClicked == pAsked || InsideCountry(map, *pAsked, p) ||
        (NeedsRing(map, *pAsked, dScale) && Distance2(p, pAsked->ptLabel) <= dRing * dRing) ||
        NearOutline(map, *pAsked, p, kPointingTolerancePx / dScale);
    return judgement;
}

const MapCountry* CountryToward(const WorldMap& map, MapPoint from, double dx, double dy,
                                const MapRect& rcIn)
{
    const double dLength = std::hypot(dx, dy);
    const MapCountry* pBest = nullptr;
    double dBest = 0;
    for (const MapCountry& country : map.Countries()) {
        if (country.strCode.empty())
            continue;
        const MapPoint q = InteriorPoint(map, country);
        if (q.x < rcIn.left || q.x > rcIn.right || q.y < rcIn.top || q.y > rcIn.bottom)
            continue;
        const double vx = q.x - from.x, vy = q.y - from.y;
        double dScore = std::hypot(vx, vy);
        if (dLength > 0) {
            const double dAlong = (vx * dx + vy * dy) / dLength;
            const double dAcross = std::abs(vx * dy - vy * dx) / dLength;
            if (dAlong <= 1e-6 || dAcross > dAlong * kDirectionSpread)
                continue;
            // Straight ahead counts for more than the same distance off to the side.
            dScore = dAlong + 2 * dAcross;
        }
        if (!pBest || dScore < dBest) {
            pBest = &country;
            dBest = dScore;
        }
    }
    return pBest;
}
