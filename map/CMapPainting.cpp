#include "map/CMapPainting.h"

#include "map/MapViewport.h"

QRectF ToQRect(const MapRect& rc)
{
    return QRectF(QPointF(rc.left, rc.top), QPointF(rc.right, rc.bottom));
}

QPainterPath RunPath(std::span<const MapPoint> points, bool bClose)
{
    QPainterPath path;
    path.moveTo(points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i].x, points[i].y);
    if (bClose)
        path.closeSubpath();
    return path;
}

QPainterPath CountryPath(const WorldMap& map, const MapCountry& country)
{
    QPainterPath path;
    for (const MapPolygon& polygon : map.Polygons(country))
        for (const MapRun& ring : map.Rings(polygon))
            path.addPath(RunPath(map.Points(ring), true));
    return path;
}

MapOutlines::MapOutlines(WorldMap simplified) : map(std::move(simplified))
{
    for (const MapCountry& country : map.Countries())
        countries.push_back(CountryPath(map, country));
}

QPainterPath WorldFramePath()
{
    QPainterPath frame;
    for (int lat = 90; lat >= -90; lat -= 5) {
        const MapPoint p = ProjectRobinson(180, lat);
        lat == 90 ? frame.moveTo(p.x, p.y) : frame.lineTo(p.x, p.y);
    }
    for (int lat = -90; lat <= 90; lat += 5) {
        const MapPoint p = ProjectRobinson(-180, lat);
        frame.lineTo(p.x, p.y);
    }
    frame.closeSubpath();
    return frame;
}

QTransform ViewTransform(const MapViewport& viewport)
{
    const double dScale = viewport.Scale();
    QTransform transform;
    transform.translate(viewport.Width() / 2, viewport.Height() / 2);
    transform.scale(dScale, dScale);
    transform.translate(-viewport.Centre().x, -viewport.Centre().y);
    return transform;
}
