#pragma once

#include "map/WorldMap.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <array>
#include <memory>
#include <vector>

class QColor;
class QPainter;

// The world map as paths in map units, at levels of detail built as first needed: each level
// drops the points a pixel of its scale cannot show, so the whole world paints as fast as a
// close-up. Countries and lines are culled by their bounds.
class CMapPaths
{
  public:
    explicit CMapPaths(const WorldMap& map);
    ~CMapPaths();

    const WorldMap& Map() const { return m_map; }
    // -1 for land that is none of the catalogue's countries.
    int ContinentOf(std::size_t nCountry) const { return m_continentOf[nCountry]; }

    // Sea, land in its colours, coasts and borders in rcVisible; dPixel is one device pixel in
    // map units. The painter's transform maps map units to the device.
    void PaintMap(QPainter& painter, const QRectF& rcVisible, double dPixel);
    // One country filled with the painter's brush and outlined with its pen.
    void PaintCountry(QPainter& painter, std::size_t nCountry, double dPixel);

  private:
    struct Level;
    Level& LevelFor(double dPixel);

    const WorldMap& m_map;
    QPainterPath m_frame; // the outline of the whole map: the sea
    std::vector<int> m_continentOf;
    std::array<std::unique_ptr<Level>, 8> m_levels; // the last one has every point
};

// The colour of a small state's ring, by its continent (-1: other land).
QColor MapMarkerColor(int nContinent);

// The asked country's red edge, and its name label: the text in bold in a white box at the
// view's top left, as both map views show it after an answer.
extern const QColor kMapHighlightEdge;
void PaintMapNameLabel(QPainter& painter, const QFont& font, const QString& strText);
