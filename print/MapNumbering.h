#pragma once

#include "print/PrintPage.h"

#include <span>
#include <vector>

// Where a number of a printed map goes.
struct MapTarget
{
    int nNumber = 0;
    MapPoint pt;        // the country's point, map units
    bool bRing = false; // a small state, marked by a ring the number must not hide
};

// Places each target's number so that no two discs overlap, none hides a ring or another
// country's point, and each lies whole in rcMap: on its point when free (never for a ring),
// else at the nearest free place within reach, joined by a leader; what finds no room goes to
// the strip at the side (when given), nearest its height. Targets are placed in the order
// given, so the larger countries come first. Radius by the number's digits.
std::vector<PrintMapNumber> PlaceMapNumbers(std::span<const MapTarget> targets,
                                            const MapPlacement& place, const PrintRect& rcMap,
                                            const PrintRect* pStrip = nullptr);

// The disc radius for a number, in millimetres, and the size its digits are set in.
float NumberRadius(int nNumber);
inline constexpr float kNumberPoints = 6.5f;
inline constexpr float kRingRadius = 1.1f;
