#include "map/WorldMap.h"

#include <cmath>
#include <cstring>

namespace {

float RingArea(std::span<const MapPoint> ring)
{
    double a = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const MapPoint& p = ring[i];
        const MapPoint& q = ring[(i + 1) % ring.size()];
        a += double(p.x) * q.y - double(q.x) * p.y;
    }
    return float(std::abs(a) / 2);
}

MapRect RunBounds(std::span<const MapPoint> points)
{
    MapRect rc = MapRect::Empty();
    for (const MapPoint& p : points)
        rc.Unite({p.x, p.y, p.x, p.y});
    return rc;
}

} // namespace

// Reads the format described at WorldMap; every count is checked against the bytes left.
class MapDecoder
{
  public:
    explicit MapDecoder(std::span<const unsigned char> bytes) : m_bytes(bytes) {}

    bool Run(WorldMap& map);
    std::string m_strError;

  private:
    bool Fail(const char* szWhy)
    {
        if (m_strError.empty())
            m_strError = std::string(szWhy) + " at byte " + std::to_string(m_nPos);
        return false;
    }
    bool Uint(std::uint64_t& v);
    bool Sint(std::int64_t& v);
    bool Count(std::uint32_t& n, std::size_t nMinBytesEach);
    bool Point(MapPoint& p);
    bool Place(std::int64_t lon, std::int64_t lat, MapPoint& p);
    bool PointList(WorldMap& map, MapRun& run);

    std::span<const unsigned char> m_bytes;
    std::size_t m_nPos = 0;
    double m_dPerDegree = 1;
    std::int64_t m_last[2] = {0, 0};
};

bool MapDecoder::Uint(std::uint64_t& v)
{
    v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (m_nPos >= m_bytes.size())
            return Fail("truncated");
        const unsigned char b = m_bytes[m_nPos++];
        v |= std::uint64_t(b & 0x7f) << shift;
        if (!(b & 0x80))
            return true;
    }
    return Fail("overlong number");
}

bool MapDecoder::Sint(std::int64_t& v)
{
    std::uint64_t u = 0;
    if (!Uint(u))
        return false;
    v = (u & 1) ? -std::int64_t(u >> 1) - 1 : std::int64_t(u >> 1);
    return true;
}

bool MapDecoder::Count(std::uint32_t& n, std::size_t nMinBytesEach)
{
    std::uint64_t v = 0;
    if (!Uint(v))
        return false;
    if (v > (m_bytes.size() - m_nPos) / nMinBytesEach)
        return Fail("count beyond the data");
    n = std::uint32_t(v);
    return true;
}

bool MapDecoder::Point(MapPoint& p)
{
    std::int64_t dx = 0, dy = 0;
    if (!Sint(dx) || !Sint(dy))
        return false;
    const std::int64_t kLimit = std::int64_t(1) << 40;
    if (dx > kLimit || dx < -kLimit || dy > kLimit || dy < -kLimit)
        return Fail("point out of range");
    m_last[0] += dx;
    m_last[1] += dy;
    return Place(m_last[0], m_last[1], p);
}

bool MapDecoder::Place(std::int64_t lon, std::int64_t lat, MapPoint& p)
{
    const double dLon = double(lon) / m_dPerDegree, dLat = double(lat) / m_dPerDegree;
    if (!(std::abs(dLon) <= 180.0 && std::abs(dLat) <= 90.0))
        return Fail("point off the globe");
    p = ProjectRobinson(dLon, dLat);
    return true;
}

bool MapDecoder::PointList(WorldMap& map, MapRun& run)
{
    std::uint32_t n = 0;
    if (!Count(n, 2))
        return false;
    if (n < 2)
        return Fail("list of fewer than two points");
    run.nFirst = std::uint32_t(map.m_points.size());
    run.nCount = n;
    for (std::uint32_t i = 0; i < n; ++i)
        if (!Point(map.m_points.emplace_back()))
            return false;
    return true;
}

bool MapDecoder::Run(WorldMap& map)
{
    static const unsigned char kMagic[] = {'M', 'R', 'L', 'M', 'A', 'P', 1, 0};
    if (m_bytes.size() < sizeof kMagic || std::memcmp(m_bytes.data(), kMagic, sizeof kMagic))
        return Fail("not a world map of this version");
    m_nPos = sizeof kMagic;
    std::int64_t central = 0;
    std::uint64_t perDegree = 0;
    if (!Sint(central) || !Uint(perDegree))
        return false;
    if (perDegree == 0 || perDegree > 1'000'000)
        return Fail("bad units per degree");
    m_dPerDegree = double(perDegree);
    map.m_dCentral = double(central) / m_dPerDegree;
    map.m_points.reserve(m_bytes.size() / 2);

    std::uint32_t nShapes = 0;
    if (!Count(nShapes, 6))
        return false;
    for (std::uint32_t s = 0; s < nShapes; ++s) {
        if (m_bytes.size() - m_nPos < 3)
            return Fail("truncated");
        MapCountry& country = map.m_countries.emplace_back();
        const char* code = reinterpret_cast<const char*>(m_bytes.data() + m_nPos);
        if (code[0] != '\0')
            country.strCode.assign(code, 3);
        m_nPos += 3;
        std::int64_t label[2] = {0, 0};
        std::uint32_t nPolygons = 0;
        if (!Sint(label[0]) || !Sint(label[1]) || !Place(label[0], label[1], country.ptLabel) ||
            !Count(nPolygons, 1))
            return false;
        if (nPolygons == 0)
            return Fail("shape without a polygon");
        country.nFirstPolygon = std::uint32_t(map.m_polygons.size());
        country.nPolygonCount = nPolygons;
        country.rcBounds = MapRect::Empty();
        for (std::uint32_t p = 0; p < nPolygons; ++p) {
            MapPolygon polygon;
            polygon.nFirstRing = std::uint32_t(map.m_rings.size());
            if (!Count(polygon.nRingCount, 1))
                return false;
            if (polygon.nRingCount == 0)
                return Fail("polygon without a ring");
            for (std::uint32_t r = 0; r < polygon.nRingCount; ++r) {
                MapRun& ring = map.m_rings.emplace_back();
                if (!PointList(map, ring))
                    return false;
                if (ring.nCount < 3)
                    return Fail("ring of fewer than three points");
                const float fArea = RingArea(map.Points(ring));
                polygon.fArea += r == 0 ? fArea : -fArea;
                if (r == 0)
                    polygon.rcBounds = RunBounds(map.Points(ring));
            }
            country.fArea += polygon.fArea;
            country.rcBounds.Unite(polygon.rcBounds);
            map.m_polygons.push_back(polygon);
        }
    }
    std::uint32_t nLines = 0;
    if (!Count(nLines, 2))
        return false;
    for (std::uint32_t l = 0; l < nLines; ++l) {
        if (m_nPos >= m_bytes.size())
            return Fail("truncated");
        MapLine& line = map.m_lines.emplace_back();
        line.bBorder = m_bytes[m_nPos++] == 1;
        if (!PointList(map, line.run))
            return false;
    }
    if (m_nPos != m_bytes.size())
        return Fail("bytes after the end");
    return true;
}

std::optional<WorldMap> WorldMap::Decode(std::span<const unsigned char> bytes, std::string* pError)
{
    WorldMap map;
    MapDecoder decoder(bytes);
    if (!decoder.Run(map)) {
        if (pError)
            *pError = decoder.m_strError;
        return std::nullopt;
    }
    return map;
}
