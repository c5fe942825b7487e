#include "map/MapViewport.h"

#include "map/WorldMap.h"

#include <algorithm>
#include <cmath>

MapViewport::MapViewport(double dMaxZoom, double dFill) : m_dMaxZoom(dMaxZoom), m_dFill(dFill)
{
    ShowWorld();
}

void MapViewport::SetSize(double cx, double cy)
{
    m_cx = cx;
    m_cy = cy;
    SetView(m_centre, m_dZoom);
}

double MapViewport::WholeScale() const
{
    const MapRect world = WorldMap::WorldBounds();
    return std::min(std::max(m_cx, 1.0) / double(world.Width()),
                    std::max(m_cy, 1.0) / double(world.Height())) *
           m_dFill;
}

void MapViewport::SetView(Point ptCentre, double dZoom)
{
    m_dZoom = std::clamp(dZoom, 1.0, m_dMaxZoom);
    const MapRect world = WorldMap::WorldBounds();
    const double dHalfW = m_cx / Scale() / 2, dHalfH = m_cy / Scale() / 2;
    const auto fit = [](double v, double lo, double hi, double half) {
        return hi - lo <= 2 * half ? (lo + hi) / 2 : std::clamp(v, lo + half, hi - half);
    };
    m_centre = {fit(ptCentre.x, world.left, world.right, dHalfW),
                fit(ptCentre.y, world.top, world.bottom, dHalfH)};
}

void MapViewport::ShowWorld()
{
    const MapRect world = WorldMap::WorldBounds();
    SetView({(double(world.left) + world.right) / 2, (double(world.top) + world.bottom) / 2}, 1);
}

void MapViewport::ZoomAt(Point ptView, double dFactor)
{
    const Point ptMap = ToMap(ptView);
    const double dZoom = std::clamp(m_dZoom * dFactor, 1.0, m_dMaxZoom);
    const double dScale = WholeScale() * dZoom;
    SetView({ptMap.x - (ptView.x - m_cx / 2) / dScale, ptMap.y - (ptView.y - m_cy / 2) / dScale},
            dZoom);
}

void MapViewport::Wheel(Point ptView, double dAngleDelta)
{
    const double dNotches = dAngleDelta / 120;
    if (dNotches != 0)
        ZoomAt(ptView, std::pow(kWheelStep, dNotches));
}

void MapViewport::ZoomStep(int nSteps)
{
    ZoomAt({m_cx / 2, m_cy / 2}, std::pow(kWheelStep, nSteps));
}

void MapViewport::Drag(double dx, double dy)
{
    SetView({m_centre.x - dx / Scale(), m_centre.y - dy / Scale()}, m_dZoom);
}

void MapViewport::PanStep(int nx, int ny)
{
    SetView({m_centre.x + nx * m_cx * kKeyPanShare / Scale(),
             m_centre.y + ny * m_cy * kKeyPanShare / Scale()},
            m_dZoom);
}

MapViewport::Point MapViewport::ToMap(Point ptView) const
{
    return {m_centre.x + (ptView.x - m_cx / 2) / Scale(),
            m_centre.y + (ptView.y - m_cy / 2) / Scale()};
}
