#include "print/MapNumbering.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

constexpr float kGap = 0.25f;   // between discs
constexpr float kReach = 28.0f; // how far a number may move from its point
constexpr float kPointRadius = 0.6f;
constexpr int kDirections = 16;

struct Disc
{
    float x, y, r;
};

bool Overlaps(const Disc& a, const Disc& b)
{
    const float d = a.r + b.r + kGap;
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) < d * d;
}

} // namespace

float NumberRadius(int nNumber)
{
    return nNumber >= 100 ? 2.2f : 1.8f;
}

std::vector<PrintMapNumber> PlaceMapNumbers(std::span<const MapTarget> targets,
                                            const MapPlacement& place, const PrintRect& rcMap,
                                            const PrintRect* pStrip)
{
    // What no number may cover: every ring and every other country's point.
    std::vector<Disc> points;
    for (const MapTarget& t : targets)
        points.push_back({place.X(t.pt.x), place.Y(t.pt.y), t.bRing ? kRingRadius : kPointRadius});
    std::vector<Disc> placed;
    std::vector<PrintMapNumber> numbers;
    auto free = [&](const Disc& d, std::size_t nOwn, const PrintRect& rcIn) {
        if (d.x - d.r < rcIn.x || d.y - d.r < rcIn.y || d.x + d.r > rcIn.Right() ||
            d.y + d.r > rcIn.Bottom())
            return false;
        for (std::size_t i = 0; i < points.size(); ++i)
            if (i != nOwn && Overlaps(d, points[i]))
                return false;
        return std::none_of(placed.begin(), placed.end(),
                            [&](const Disc& p) { return Overlaps(d, p); });
    };
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const MapTarget& t = targets[i];
        PrintMapNumber number;
        number.nNumber = t.nNumber;
        number.fRadius = NumberRadius(t.nNumber);
        number.xTarget = points[i].x;
        number.yTarget = points[i].y;
        number.bRing = t.bRing;
        const float r = number.fRadius;
        std::optional<Disc> spot;
        if (!t.bRing && free({number.xTarget, number.yTarget, r}, i, rcMap))
            spot = Disc{number.xTarget, number.yTarget, r};
        for (float d = points[i].r + r + kGap; !spot && d <= kReach; d += 0.5f) {
            for (int k = 0; k < kDirections && !spot; ++k) {
                const float a = float(2 * std::numbers::pi * k / kDirections);
                const Disc c{number.xTarget + d * std::cos(a), number.yTarget + d * std::sin(a), r};
                if (free(c, i, rcMap))
                    spot = c;
            }
        }
        if (!spot && pStrip) {
            // The strip's free slot nearest the point's height.
            for (float dy = 0; !spot && dy < pStrip->h; dy += 0.5f) {
                for (const float y : {number.yTarget + dy, number.yTarget - dy}) {
                    const Disc c{pStrip->x + pStrip->w / 2, y, r};
                    if (!spot && free(c, i, *pStrip))
                        spot = c;
                }
            }
        }
        if (!spot) // nowhere free: on its point all the same, so no number is lost
            spot = Disc{number.xTarget, number.yTarget, r};
        number.x = spot->x;
        number.y = spot->y;
        number.bLeader = spot->x != number.xTarget || spot->y != number.yTarget;
        placed.push_back(*spot);
        numbers.push_back(number);
    }
    return numbers;
}
