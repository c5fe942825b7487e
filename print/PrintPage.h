#pragma once

#include "map/WorldMap.h"

#include <string>
#include <vector>

// A printed page as what goes where, in millimetres from its top left corner: the layouts of
// the 問題プリント, the 国旗カード and the 白地図 make these, the PDF writer only paints them.
// Texts are UTF-8.
struct PrintRect
{
    float x = 0;
    float y = 0;
    float w = 0;
    float h = 0;

    float Right() const { return x + w; }
    float Bottom() const { return y + h; }
    bool Intersects(const PrintRect& rc) const
    {
        return x < rc.Right() && rc.x < Right() && y < rc.Bottom() && rc.y < Bottom();
    }
    bool Contains(const PrintRect& rc) const
    {
        return rc.x >= x && rc.y >= y && rc.Right() <= Right() && rc.Bottom() <= Bottom();
    }
};

enum class TextAlign
{
    Left,
    Centre,
    Right,
};

// Drawn in its rectangle, wrapped at its width; made smaller where it would not fit, never cut.
struct PrintText
{
    PrintRect rc;
    std::string strText;
    float fPoints = 10;
    TextAlign align = TextAlign::Left;
    bool bBold = false;
};

// A flag picture fitted into its rectangle, centred, with a thin frame.
struct PrintFlag
{
    PrintRect rc;
    std::string strCode;
};

struct PrintLine
{
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool bDashed = false; // a cutting line
};

// A number in a white disc on the map, joined by a leader to where it belongs when set apart.
struct PrintMapNumber
{
    int nNumber = 0;
    float x = 0, y = 0;             // centre of the disc, page millimetres
    float fRadius = 0;              // of the disc
    float xTarget = 0, yTarget = 0; // the country's point
    bool bLeader = false;
    bool bRing = false; // a small state: a ring at its point
};

// Part of the world map: frame (map units) shown in rc; the countries of nContinent (-1: all)
// white, other land grey.
struct PrintMap
{
    PrintRect rc;
    MapRect frame;
    int nContinent = -1;
    std::vector<PrintMapNumber> numbers;
    std::vector<MapRect> outlines; // parts shown again elsewhere, framed
};

struct PrintPage
{
    float fWidth = 210; // millimetres
    float fHeight = 297;
    std::vector<PrintText> texts;
    std::vector<PrintFlag> flags;
    std::vector<PrintLine> lines;
    std::vector<PrintRect> boxes; // thin frames: answer blanks
    std::vector<PrintMap> maps;
};

enum class Paper
{
    A4,
    B5, // JIS B5, 182 x 257 mm, as Japanese schools use
};

struct PaperSize
{
    float fWidth = 0;
    float fHeight = 0;
};
PaperSize SizeOf(Paper paper, bool bLandscape = false);

// The place and scale of a map frame fitted into a rectangle, centred, proportions kept.
struct MapPlacement
{
    float fScale = 0;     // millimetres per map unit
    float x0 = 0, y0 = 0; // page point of the frame's top left corner

    static MapPlacement Fit(const MapRect& frame, const PrintRect& rc);
    float X(float mapX) const { return x0 + mapX * fScale; }
    float Y(float mapY) const { return y0 + mapY * fScale; }
};

// Roughly how wide a text is set in the printed font, in ems: a whole em for Japanese, less for
// ASCII. Layouts size their boxes by it; the writer still fits what it draws.
float TextEms(std::string_view utf8);
// Millimetres of one em at a size in points.
inline float EmMillimetres(float fPoints)
{
    return fPoints * 25.4f / 72.0f;
}
