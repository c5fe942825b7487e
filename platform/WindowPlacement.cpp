#include "platform/WindowPlacement.h"

#include <algorithm>

namespace {

int Clamp(int v, int lo, int hi)
{
    return std::max(lo, std::min(v, hi));
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
    int nBest = -1;
    long long nBestArea = 0;
    for (int i = 0; i < 4; ++i) {
        const ScreenRect& room = sides[i];
        const long long nArea = (long long)std::min(room.cx, cxWant) * std::min(room.cy, cyWant);
        if (room.cx >= cxLeast && room.cy >= cyLeast && nArea > nBestArea) {
            nBest = i;
            nBestArea = nArea;
        }
    }
    if (nBest >= 0) {
        return place(nBest, std::min(sides[nBest].cx, cxWant), std::min(sides[nBest].cy, cyWant));
    }
    const int cx = std::min(cxWant, screen.cx), cy = std::min(cyWant, screen.cy);
    return {nScreenRight - cx, Clamp(main.y, screen.y, nScreenBottom - cy), cx, cy};
}
