#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A point of the map in projected units: Robinson, unit radius, centred on the map's central
// meridian; x grows eastwards, y southwards (screen order). The whole map spans
// x in [-0.8487 pi, 0.8487 pi] and y in [-1.3523, 1.3523].
struct MapPoint
{
    float x = 0;
    float y = 0;
};

struct MapRect
{
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;

    float Width() const { return right - left; }
    float Height() const { return bottom - top; }
    MapPoint Centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
    void Unite(const MapRect& rc);
    static MapRect Empty(); // unites to the other rectangle
};

// Robinson's projection of a point given as degrees east of the central meridian (-180 to 180)
// and degrees north.
MapPoint ProjectRobinson(double lonFromCentre, double lat);
// The inverse: degrees from the central meridian and degrees north.
std::pair<double, double> UnprojectRobinson(MapPoint p);

// A run of points: a ring (closed implicitly) or a line.
struct MapRun
{
    std::uint32_t nFirst = 0;
    std::uint32_t nCount = 0;
};

// One polygon: its first ring is the outline, the others are holes.
struct MapPolygon
{
    std::uint32_t nFirstRing = 0;
    std::uint32_t nRingCount = 0;
    float fArea = 0; // outline less holes, projected units
    MapRect rcBounds;
};

// A country of the catalogue (code in lower case) or, with an empty code, other land.
struct MapCountry
{
    std::string strCode;
    MapPoint ptLabel; // inside its largest polygon, or its capital: where a marker goes
    std::uint32_t nFirstPolygon = 0;
    std::uint32_t nPolygonCount = 0;
    float fArea = 0;
    MapRect rcBounds;
};

struct MapLine
{
    MapRun run;
    bool bBorder = false; // a land border; otherwise a coast
};

// The compact world map written by tools/map/world-map.js:
//   "MRLMAP" 1 0, zigzag central meridian and varint units per degree,
//   varint shape count, per shape: 3 code bytes (zeros: other land), zigzag label point,
//     varint polygon count, per polygon varint ring count, per ring one point list;
//   varint line count, per line one kind byte (1: border) and one point list.
// A point list is a varint count and zigzag deltas of (longitude from the central meridian,
// latitude), continuing from the previous list's last point.
class WorldMap
{
  public:
    // Empty, with the reason in *pError, for bytes that are not such a map.
    static std::optional<WorldMap> Decode(std::span<const unsigned char> bytes,
                                          std::string* pError = nullptr);

    const std::vector<MapCountry>& Countries() const { return m_countries; }
    const std::vector<MapLine>& Lines() const { return m_lines; }
    std::span<const MapPolygon> Polygons(const MapCountry& country) const;
    std::span<const MapRun> Rings(const MapPolygon& polygon) const;
    std::span<const MapPoint> Points(const MapRun& run) const;
    double CentralMeridian() const { return m_dCentral; }

    // Null for a code the map does not hold, and for the empty code.
    const MapCountry* Find(std::string_view code) const;

    // The frame of the whole map.
    static MapRect WorldBounds();
    // A country too small to see on the whole map; it is shown by a ring at its label point.
    static bool HasMarker(const MapCountry& country);
    // What to bring into view for a country: its largest polygon with the land of the country
    // around it, without far-off parts (France's overseas departments, say).
    MapRect FocusBounds(const MapCountry& country) const;
    // The same map with fewer points: each run keeps the points that stray more than fTolerance
    // (map units) from the line through the kept ones (Douglas-Peucker); a ring keeps at least
    // three, so the smallest island stays a speck. Areas and bounds stay those of the full map.
    WorldMap Simplified(float fTolerance) const;
    // The country or other land at a point; null for the sea.
    const MapCountry* CountryAt(MapPoint p) const;

  private:
    double m_dCentral = 0;
    std::vector<MapPoint> m_points;
    std::vector<MapRun> m_rings;
    std::vector<MapPolygon> m_polygons;
    std::vector<MapCountry> m_countries;
    std::vector<MapLine> m_lines;

    friend class MapDecoder;
};
