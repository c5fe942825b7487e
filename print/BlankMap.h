#pragma once

#include "print/PrintDocument.h"

#include <string>
#include <vector>

class WorldMap;

// A country numbered on the 白地図.
struct BlankMapEntry
{
    int nNumber = 0;
    std::string strCode;
    std::string strName; // UTF-8, for the key
    MapPoint pt;         // where its number points, inside the frame
    bool bSmall = false; // shown by a ring
};

// The countries of a 州 (index into Facts::kContinents; -1: the world) numbered north to south
// in bands, west to east within a band, with the frame they are shown in: their land with a
// little sea, leaving out one country so large that it would shrink the rest (ロシア for
// ヨーロッパ; its number then points to its part inside the frame).
struct BlankMapPlan
{
    MapRect frame;
    std::vector<BlankMapEntry> entries;
};
BlankMapPlan PlanBlankMap(const WorldMap& map, int nContinent);

// The map page with a name blank and the small states' numbers set apart at the side; the
// numbered answer table below it or on the next page; the key on a page of its own.
PrintDocument MakeBlankMap(const WorldMap& map, int nContinent, const PrintOptions& options);

// "アフリカ州" or "世界".
std::string AreaName(int nContinent);
