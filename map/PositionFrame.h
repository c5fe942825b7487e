#pragma once

#include "map/WorldMap.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Where a position question is shown on the map and where a click on it lands. Sizes on screen
// are logical pixels; a view's scale is its pixels per map unit.

// No candidate is smaller than this across on screen: a smaller one gets a ring that wide.
inline constexpr double kCandidateFloorPx = 24;
inline constexpr double kRingRadiusPx = kCandidateFloorPx / 2 + 2;
inline constexpr double kNumberRadiusPx = 9;
// Pointing rings only the states too small to find at all, less than half this across, with a
// ring this wide: the region stays readable.
inline constexpr double kPointingRingPx = 16;
// Whether a state is ringed in the pointing mode at a scale.
bool PointingRing(const WorldMap& map, const MapCountry& country, double dScale);
// A click this close to the asked country's outline still finds it.
inline constexpr double kPointingTolerancePx = 4;

struct PositionCandidate
{
    const MapCountry* pCountry = nullptr;
    MapPoint ptNumber; // inside it, clear of the others: its number goes there, and its ring
    bool bRing = false;
};

// The view of a question: the rectangle of the map it shows, of the view's shape.
struct PositionFrame
{
    MapRect rcView;
    double dScale = 1; // view pixels per map unit
};

struct ChoiceFrame : PositionFrame
{
    std::array<PositionCandidate, 4> candidates;
};

// A point inside the country's largest piece: its label point when that is inside it.
MapPoint InteriorPoint(const WorldMap& map, const MapCountry& country);

// How wide a country looks at a scale: the side of a square as large as its largest piece.
double ScreenSize(const WorldMap& map, const MapCountry& country, double dScale);
bool NeedsRing(const WorldMap& map, const MapCountry& country, double dScale,
               double dFloorPx = kCandidateFloorPx);

// The four candidates (codes in shown order) with a margin, for a view of cx by cy pixels. Empty
// when a code is not on the map.
std::optional<ChoiceFrame> FrameChoice(const WorldMap& map, const std::array<std::string, 4>& codes,
                                       double cx, double cy);
// The asked country's region (its 地域 in the facts table), with a margin that takes in the
// neighbours, for a view of cx by cy pixels. A region taller than the view's shape shows its whole
// width and the band of it about the asked country and its neighbours. Empty for a code that is
// not on the map.
std::optional<PositionFrame> FramePointing(const WorldMap& map, std::string_view code, double cx,
                                           double cy);

// The candidate (0-3) at a point, a ring before the land under it; -1 for anything else.
int CandidateAt(const WorldMap& map, const ChoiceFrame& frame, MapPoint p);

// What a click in the pointing mode hit at a scale: the smallest country under it, or off the
// land the ring of a state too small to see; null for the sea and for land of no catalogue
// country. It is right inside the asked country, within kPointingTolerancePx of its outline, or
// inside its ring when it has one at that scale.
struct PointingJudgement
{
    const MapCountry* pClicked = nullptr;
    bool bRight = false;
};
PointingJudgement JudgePointing(const WorldMap& map, std::string_view asked, MapPoint p,
                                double dScale);

// The catalogue country whose interior point lies nearest in the direction (dx, dy) from a
// point, within rcIn; the one nearest the point when dx and dy are both 0. Null when none lies
// that way.
const MapCountry* CountryToward(const WorldMap& map, MapPoint from, double dx, double dy,
                                const MapRect& rcIn);
