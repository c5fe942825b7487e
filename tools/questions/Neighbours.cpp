#include "tools/questions/Neighbours.h"

#include "map/WorldMap.h"
#include "platform/Tsv.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <numbers>
#include <unordered_map>
#include <utility>

extern const std::string_view kNeighboursTsv;

namespace Neighbours {
namespace {

constexpr double kEarthRadiusKm = 6371.0;
constexpr std::string_view kHeader = "code\tborders\tnearest";

// Points on the unit sphere: lengths and gaps as the globe has them, with no seam and no
// stretching towards the poles as the projection has.
struct Vec3
{
    double x = 0, y = 0, z = 0;
};

Vec3 operator-(Vec3 a, Vec3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

double Dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 OnSphere(MapPoint p)
{
    const auto [lon, lat] = UnprojectRobinson(p);
    constexpr double kRad = std::numbers::pi / 180;
    return {std::cos(lat * kRad) * std::cos(lon * kRad),
            std::cos(lat * kRad) * std::sin(lon * kRad), std::sin(lat * kRad)};
}

double SegmentDistance2(Vec3 p, Vec3 a, Vec3 b)
{
    const Vec3 ab = b - a;
    const double len2 = Dot(ab, ab);
    const double t = len2 > 0 ? std::clamp(Dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
    const Vec3 e = p - Vec3{a.x + t * ab.x, a.y + t * ab.y, a.z + t * ab.z};
    return Dot(e, e);
}

struct Box
{
    Vec3 lo{1e9, 1e9, 1e9};
    Vec3 hi{-1e9, -1e9, -1e9};

    void Add(Vec3 p)
    {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    // No two points of the boxes are closer than this (squared).
    double Gap2(const Box& o) const
    {
        const double dx = std::max({0.0, lo.x - o.hi.x, o.lo.x - hi.x});
        const double dy = std::max({0.0, lo.y - o.hi.y, o.lo.y - hi.y});
        const double dz = std::max({0.0, lo.z - o.hi.z, o.lo.z - hi.z});
        return dx * dx + dy * dy + dz * dz;
    }
};

struct Ring
{
    std::vector<MapPoint> points;
    std::vector<Vec3> onSphere;
    Box box;
};

// A country's land in view: the polygons inside its focus.
struct Shape
{
    std::string strCode;
    std::vector<Ring> rings;
    Box box;
};

Shape ShapeOf(const WorldMap& map, const MapCountry& country)
{
    Shape shape{country.strCode, {}, {}};
    const MapRect focus = map.FocusBounds(country);
    for (const MapPolygon& polygon : map.Polygons(country)) {
        const MapRect& rc = polygon.rcBounds;
        if (rc.left < focus.left || rc.right > focus.right || rc.top < focus.top ||
            rc.bottom > focus.bottom)
            continue;
        for (const MapRun& run : map.Rings(polygon)) {
            Ring ring;
            const std::span<const MapPoint> points = map.Points(run);
            ring.points.assign(points.begin(), points.end());
            for (MapPoint p : points) {
                ring.onSphere.push_back(OnSphere(p));
                ring.box.Add(ring.onSphere.back());
                shape.box.Add(ring.onSphere.back());
            }
            shape.rings.push_back(std::move(ring));
        }
    }
    return shape;
}

std::uint64_t Key(MapPoint p)
{
    return std::uint64_t{std::bit_cast<std::uint32_t>(p.x)} << 32 |
           std::bit_cast<std::uint32_t>(p.y);
}

// Kilometres, whole: two runs on different machines rank alike.
long Km(double chord)
{
    return std::lround(chord * kEarthRadiusKm);
}

// The length of border each pair of shapes shares: the map's shapes come from one topology, so
// a shared border is a run of the same points in both.
std::vector<std::map<std::size_t, double>> BorderLengths(const std::vector<Shape>& shapes)
{
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> owners;
    for (std::size_t i = 0; i < shapes.size(); ++i)
        for (const Ring& ring : shapes[i].rings)
            for (MapPoint p : ring.points) {
                std::vector<std::size_t>& list = owners[Key(p)];
                if (std::find(list.begin(), list.end(), i) == list.end())
                    list.push_back(i);
            }
    std::vector<std::map<std::size_t, double>> lengths(shapes.size());
    for (std::size_t i = 0; i < shapes.size(); ++i)
        for (const Ring& ring : shapes[i].rings)
            for (std::size_t k = 0; k < ring.points.size(); ++k) {
                const std::size_t next = (k + 1) % ring.points.size();
                const std::vector<std::size_t>& from = owners[Key(ring.points[k])];
                const std::vector<std::size_t>& to = owners[Key(ring.points[next])];
                const Vec3 d = ring.onSphere[next] - ring.onSphere[k];
                for (std::size_t j : from)
                    if (j != i && std::find(to.begin(), to.end(), j) != to.end())
                        lengths[i][j] += std::sqrt(Dot(d, d));
            }
    return lengths;
}

// The least gap between two shapes (squared chord), or a value at least bound2 when it is
// not below that.
double Gap2(const Shape& a, const Shape& b, double bound2)
{
    double best = bound2;
    auto pointsToSegments = [&best](const Ring& p, const Ring& s) {
        for (const Vec3& v : p.onSphere) {
            if (s.box.Gap2(Box{v, v}) >= best)
                continue;
            for (std::size_t k = 0; k < s.onSphere.size(); ++k)
                best = std::min(best, SegmentDistance2(v, s.onSphere[k],
                                                       s.onSphere[(k + 1) % s.onSphere.size()]));
        }
    };
    for (const Ring& ra : a.rings)
        for (const Ring& rb : b.rings)
            if (ra.box.Gap2(rb.box) < best) {
                pointsToSegments(ra, rb);
                pointsToSegments(rb, ra);
            }
    return best;
}

std::vector<std::string> SplitCodes(std::string_view list)
{
    std::vector<std::string> codes;
    while (!list.empty()) {
        const std::size_t n = list.find(' ');
        if (n != 0)
            codes.emplace_back(list.substr(0, n));
        list.remove_prefix(n == std::string_view::npos ? list.size() : n + 1);
    }
    return codes;
}

std::string JoinCodes(const std::vector<std::string>& codes)
{
    std::string out;
    for (const std::string& code : codes)
        out += (out.empty() ? "" : " ") + code;
    return out;
}

struct Table
{
    std::map<std::string, Entry, std::less<>> entries;
    std::string strError;
};

const Table& TheTable()
{
    static const Table table = [] {
        ParseResult parsed = Parse(kNeighboursTsv);
        Table t;
        for (Entry& entry : parsed.entries)
            t.entries.emplace(entry.strCode, std::move(entry));
        t.strError = std::move(parsed.strError);
        return t;
    }();
    return table;
}

} // namespace

std::vector<Entry> Compute(const WorldMap& map, const std::vector<std::string>& codes)
{
    std::vector<Shape> shapes;
    for (const std::string& code : codes)
        if (const MapCountry* pCountry = map.Find(code))
            shapes.push_back(ShapeOf(map, *pCountry));
    const std::vector<std::map<std::size_t, double>> lengths = BorderLengths(shapes);

    std::vector<Entry> entries;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        Entry entry{shapes[i].strCode, {}, {}};
        std::vector<std::pair<long, std::string>> ranked;
        for (const auto& [j, length] : lengths[i])
            ranked.emplace_back(-Km(length), shapes[j].strCode);
        std::sort(ranked.begin(), ranked.end());
        for (const auto& [nKm, code] : ranked)
            entry.borders.push_back(code);

        // The nearest others, shapes taken by the gap between their boxes until no box is
        // nearer than the last one kept.
        const std::size_t nWanted =
            kCandidates > entry.borders.size() ? kCandidates - entry.borders.size() : 0;
        std::vector<std::pair<double, std::size_t>> byBox;
        for (std::size_t j = 0; j < shapes.size(); ++j)
            if (j != i && !lengths[i].contains(j))
                byBox.emplace_back(shapes[i].box.Gap2(shapes[j].box), j);
        std::sort(byBox.begin(), byBox.end());
        std::vector<std::pair<long, std::string>> nearest;
        std::vector<double> gaps; // squared, sorted, as kept
        for (const auto& [boxGap2, j] : byBox) {
            if (nWanted == 0 || (gaps.size() >= nWanted && boxGap2 > gaps[nWanted - 1]))
                break;
            const double bound =
                gaps.size() >= nWanted ? gaps[nWanted - 1] : std::numeric_limits<double>::max();
            const double gap2 = Gap2(shapes[i], shapes[j], bound);
            if (gap2 >= bound)
                continue;
            gaps.insert(std::upper_bound(gaps.begin(), gaps.end(), gap2), gap2);
            nearest.emplace_back(Km(std::sqrt(gap2)), shapes[j].strCode);
        }
        std::sort(nearest.begin(), nearest.end());
        for (std::size_t k = 0; k < std::min(nWanted, nearest.size()); ++k)
            entry.nearest.push_back(nearest[k].second);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string ToTsv(const std::vector<Entry>& entries)
{
    std::string out = std::string(kHeader) + "\n";
    for (const Entry& entry : entries)
        out += entry.strCode + "\t" + JoinCodes(entry.borders) + "\t" + JoinCodes(entry.nearest) +
               "\n";
    return out;
}

ParseResult Parse(std::string_view tsv)
{
    ParseResult result;
    Tsv::LineReader lines(tsv);
    for (std::string_view line; lines.Next(line);) {
        if (line.empty() || line.starts_with('#') || line == kHeader)
            continue;
        const std::vector<std::string_view> fields = Tsv::SplitFields(line);
        if (fields.size() != 3 || fields[0].size() != 3) {
            result.strError =
                "neighbours.tsv " + std::to_string(lines.Number()) + " 行目が読めません";
            return result;
        }
        result.entries.push_back(
            {std::string(fields[0]), SplitCodes(fields[1]), SplitCodes(fields[2])});
    }
    return result;
}

const Entry* Find(std::string_view code)
{
    const auto& entries = TheTable().entries;
    const auto it = entries.find(code);
    return it == entries.end() ? nullptr : &it->second;
}

std::string_view Error()
{
    return TheTable().strError;
}

} // namespace Neighbours
