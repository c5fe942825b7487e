#pragma once

// A rectangle in screen pixels.
struct ScreenRect
{
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;

    bool operator==(const ScreenRect&) const = default;
};

// Where a window of the wanted size goes beside the main window, on the screen's free area,
// nGap pixels away: to the right, else to the left, else below, else above. Where none of these
// has room for the wanted size, the roomiest of them, the window shrunk to fit but not below
// the least size; where not even that fits, at the screen's right edge, over the main window.
ScreenRect PlaceBeside(const ScreenRect& main, const ScreenRect& screen, int cxWant, int cyWant,
                       int cxLeast, int cyLeast, int nGap);
