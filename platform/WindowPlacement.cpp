#include "platform/WindowPlacement.h"

#include <algorithm>
#include <charconv>

namespace {

int Clamp(int v, int lo, int hi)
{
    return std::max(lo, std::min(v, hi));
}

long long Overlap(const ScreenRect& a, const ScreenRect& b)
{
    const long long cx = std::min<long long>(a.x + a.cx, b.x + b.cx) - std::max(a.x, b.x);
    const long long cy = std::min<long long>(a.y + a.cy, b.y + b.cy) - std::max(a.y, b.y);
    return cx > 0 && cy > 0 ? cx * cy : 0;
}

} // namespace

ScreenRect PlaceBeside(const ScreenRect& main, const ScreenRect& screen, int cxWant, int cyWant,
                       int cxLeast, int cyLeast, int nGap)
{
    const int nScreenRight = screen.x + screen.cx, nScreenBottom = screen.y + screen.cy;
    const int nMainRight = main.x + main.cx, nMainBottom = main.y + main.cy;
    // The free area on each side: right, left, below, above.
    const ScreenRect sides[] = {
        {nMainRight + nGap, screen.y, nScreenRight - nMainRight - nGap, screen.cy},
        {screen.x, screen.y, main.x - nGap - screen.x, screen.cy},
        {screen.x, nMainBottom + nGap, screen.cx, nScreenBottom - nMainBottom - nGap},
        {screen.x, screen.y, screen.cx, main.y - nGap - screen.y},
    };
    // On a side, the window lines up with the main window as far as the room lets it.
    const auto place = [&](int nSide, int cx, int cy) {
        const ScreenRect& room = sides[nSide];
        const bool bFar = nSide == 1 || nSide == 3; // left and above end at the main window
        ScreenRect rc{0, 0, cx, cy};
        if (nSide < 2) {
            rc.x = bFar ? room.x + room.cx - cx : room.x;
            rc.y = Clamp(main.y, room.y, room.y + room.cy - cy);
        } else {
            rc.y = bFar ? room.y + room.cy - cy : room.y;
            rc.x = Clamp(main.x, room.x, room.x + room.cx - cx);
        }
        return rc;
    };
    for (int i = 0; i < 4; ++i)
        if (sides[i].cx >= cxWant && sides[i].cy >= cyWant)
            return place(i, cxWant, cyWant);
    for (int i = 0; i < 4; ++i)
        if (sides[i].cx >= cxLeast && sides[i].cy >= cyLeast)
            return place(i, std::min(sides[i].cx, cxWant), std::min(sides[i].cy, cyWant));
    const int cx = std::min(cxLeast, screen.cx), cy = std::min(cyLeast, screen.cy);
    return {nScreenRight - cx, nScreenBottom - cy, cx, cy};
}

std::optional<ScreenRect> FitOnScreens(const ScreenRect& saved,
                                       const std::vector<ScreenRect>& screens)
{
    const ScreenRect* pBest = nullptr;
    long long nBest = 0;
    for (const ScreenRect& screen : screens)
        if (const long long n = Overlap(saved, screen); n > nBest) {
            pBest = &screen;
            nBest = n;
        }
    if (!pBest)
        return std::nullopt;
    const ScreenRect& screen = *pBest;
    ScreenRect rc = saved;
    rc.cx = std::min(rc.cx, screen.cx);
    rc.cy = std::min(rc.cy, screen.cy);
    rc.x = Clamp(rc.x, screen.x, screen.x + screen.cx - rc.cx);
    rc.y = Clamp(rc.y, screen.y, screen.y + screen.cy - rc.cy);
    return rc;
}

std::string FormatRect(const ScreenRect& rc)
{
    return std::to_string(rc.x) + ',' + std::to_string(rc.y) + ',' + std::to_string(rc.cx) + ',' +
           std::to_string(rc.cy);
}

std::optional<ScreenRect> ParseRect(std::string_view text)
{
    int values[4] = {};
    const char* p = text.data();
    const char* const pEnd = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && (p == pEnd || *p++ != ','))
            return std::nullopt;
        const auto [pNext, ec] = std::from_chars(p, pEnd, values[i]);
        if (ec != std::errc() || pNext == p)
            return std::nullopt;
        p = pNext;
    }
    if (p != pEnd || values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    return ScreenRect{values[0], values[1], values[2], values[3]};
}
