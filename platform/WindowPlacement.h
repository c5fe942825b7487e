#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A rectangle in screen pixels.
struct ScreenRect
{
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;

    bool operator==(const ScreenRect&) const = default;
};

// Where a window of the wanted size goes beside the main window, wholly on the screen's free
// area, nGap pixels away: to the right, else to the left, else below, else above, at the wanted
// size on the first side with room for it; else on the first side, in the same order, with room
// for the least size, shrunk to that room. Where no side has room even for that, the least size
// (cut to the screen) in the screen's bottom-right corner, over the main window, whose question
// and answers are at its top.
ScreenRect PlaceBeside(const ScreenRect& main, const ScreenRect& screen, int cxWant, int cyWant,
                       int cxLeast, int cyLeast, int nGap);

// Where a window the learner left at saved goes on the screens there are now: on the screen
// that holds most of it, moved and then cut just enough to lie wholly on it. Empty when no
// screen holds any of it (a screen that is gone, a rectangle from another setup).
std::optional<ScreenRect> FitOnScreens(const ScreenRect& saved,
                                       const std::vector<ScreenRect>& screens);

// A rectangle as Parameter.INI keeps it, "x,y,cx,cy"; empty when the text is no such rectangle
// (four decimal integers, the sizes above 0).
std::string FormatRect(const ScreenRect& rc);
std::optional<ScreenRect> ParseRect(std::string_view text);
