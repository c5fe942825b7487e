#pragma once

#include "map/WorldMap.h"

#include <QPainterPath>
#include <QRectF>
#include <QTransform>

#include <span>
#include <vector>

class MapViewport;

// The map's geometry as Qt paints it, for every view that draws the map.

QRectF ToQRect(const MapRect& rc);
// A run of points as a path, closed for a ring.
QPainterPath RunPath(std::span<const MapPoint> points, bool bClose);
// A country's land: every ring of its polygons.
QPainterPath CountryPath(const WorldMap& map, const MapCountry& country);
// The map at one level of detail with each country's land as a path, as a view keeps it that
// paints the whole map at about one scale.
struct MapOutlines
{
    explicit MapOutlines(WorldMap simplified);

    WorldMap map;
    std::vector<QPainterPath> countries; // as the map lists them
};

// The outline of the whole map: the sea.
QPainterPath WorldFramePath();
// Map units to the view's pixels.
QTransform ViewTransform(const MapViewport& viewport);
