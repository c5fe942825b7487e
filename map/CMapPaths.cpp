#include "map/CMapPaths.h"

#include "map/CMapPainting.h"
#include "map/MapLabel.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const QColor kSea(0xd6, 0xe9, 0xf5);
const QColor kNeutral(0xcf, 0xcf, 0xcb);
// By Facts::kContinents: アジア, ヨーロッパ, アフリカ, 北アメリカ, 南アメリカ, オセアニア.
const QColor kContinentColors[] = {QColor(0xf2, 0xd4, 0x7e), QColor(0xc6, 0xa8, 0xdc),
                                   QColor(0xf0, 0xa8, 0x78), QColor(0x9e, 0xd2, 0x96),
                                   QColor(0x78, 0xc4, 0xb4), QColor(0xe9, 0xa4, 0xbc)};
const QColor kBorder(0x70, 0x70, 0x70);
const QColor kCoast(0x50, 0x6e, 0x84);

// The coarsest level drops what strays less than this from the kept line; each next level
// half as much. A level serves while its tolerance stays within a device pixel.
constexpr double kCoarsestTolerance = 0.004;
// Lines are grouped into tiles of the map for culling: this many across and down.
constexpr int kTilesX = 16, kTilesY = 8;

} // namespace

// With its lines in tiles, for culling.
struct CMapPaths::Level : MapOutlines
{
    explicit Level(WorldMap simplified);

    struct Tile
    {
        QPainterPath coasts;
        QPainterPath borders;
        QRectF bounds;
    };
    std::vector<Tile> tiles;
};

CMapPaths::Level::Level(WorldMap simplified) : MapOutlines(std::move(simplified))
{
    tiles.resize(kTilesX * kTilesY);
    const MapRect world = WorldMap::WorldBounds();
    for (const MapLine& line : map.Lines()) {
        const std::span<const MapPoint> points = map.Points(line.run);
        const int x =
            std::clamp(int((points[0].x - world.left) / world.Width() * kTilesX), 0, kTilesX - 1);
        const int y =
            std::clamp(int((points[0].y - world.top) / world.Height() * kTilesY), 0, kTilesY - 1);
        Tile& tile = tiles[std::size_t(y * kTilesX + x)];
        (line.bBorder ? tile.borders : tile.coasts).addPath(RunPath(points, false));
    }
    for (Tile& tile : tiles)
        // Padded: a tile of one straight parallel has no height.
        tile.bounds = tile.coasts.boundingRect()
                          .united(tile.borders.boundingRect())
                          .adjusted(-1e-3, -1e-3, 1e-3, 1e-3);
}

CMapPaths::CMapPaths(const WorldMap& map) : m_map(map), m_frame(WorldFramePath())
{
    for (const MapCountry& country : m_map.Countries())
        m_continentOf.push_back(MapLabelFor(country.strCode).nContinent);
}

CMapPaths::~CMapPaths() = default;

CMapPaths::Level& CMapPaths::LevelFor(double dPixel)
{
    std::size_t n = 0;
    while (n + 1 < m_levels.size() && kCoarsestTolerance / std::pow(2.0, double(n)) > dPixel)
        ++n;
    if (!m_levels[n]) {
        const bool bFull = n + 1 == m_levels.size();
        m_levels[n] = std::make_unique<Level>(
            bFull ? m_map : m_map.Simplified(float(kCoarsestTolerance / std::pow(2.0, double(n)))));
    }
    return *m_levels[n];
}

void CMapPaths::PaintMap(QPainter& painter, const QRectF& rcVisible, double dPixel)
{
    Level& level = LevelFor(dPixel);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSea);
    painter.drawPath(m_frame);
    // Land is filled without antialiasing, a third of the cost; the antialiased coasts and
    // borders drawn over it hide its stepped edges.
    const std::vector<MapCountry>& countries = m_map.Countries();
    const bool bAntialiased = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (std::size_t i = 0; i < countries.size(); ++i) {
        if (!rcVisible.intersects(ToQRect(countries[i].rcBounds)))
            continue;
        painter.setBrush(m_continentOf[i] < 0 ? kNeutral : kContinentColors[m_continentOf[i]]);
        painter.drawPath(level.countries[i]);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, bAntialiased);
    for (const Level::Tile& tile : level.tiles) {
        if (!rcVisible.intersects(tile.bounds))
            continue;
        painter.setPen(QPen(kCoast, 0));
        painter.drawPath(tile.coasts);
        painter.setPen(QPen(kBorder, 0));
        painter.drawPath(tile.borders);
    }
}

void CMapPaths::PaintCountry(QPainter& painter, std::size_t nCountry, double dPixel)
{
    painter.drawPath(LevelFor(dPixel).countries[nCountry]);
}

QColor MapMarkerColor(int nContinent)
{
    return nContinent < 0 ? kBorder : kContinentColors[nContinent].darker(170);
}

const QColor kMapHighlightEdge(0x6e, 0x08, 0x0c);

void PaintMapNameLabel(QPainter& painter, const QFont& font, const QString& strText)
{
    painter.save();
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    const QRect text = painter.fontMetrics().boundingRect(strText);
    const QRect box = text.translated(-text.topLeft()).adjusted(0, 0, 12, 8).translated(6, 6);
    painter.setPen(kMapHighlightEdge);
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, strText);
    painter.restore();
}
