#pragma once

// The part of the world map a view of some pixels shows, and the zooming and panning the map
// views share: a centre in map units and a zoom over the whole world fitted to the view. The zoom
// stays within [1, max]; the view stays on the map, a side that fits centred on it and one that
// does not covered by it.
class MapViewport
{
  public:
    struct Point
    {
        double x = 0;
        double y = 0;
    };

    static constexpr double kWheelStep = 1.25;  // zoom factor of a wheel notch, + or -
    static constexpr double kKeyPanShare = 0.1; // share of the view an arrow key moves it

    // dFill: the share of the view the whole world fills at zoom 1.
    explicit MapViewport(double dMaxZoom = 64, double dFill = 1);

    // The view's size in pixels; the view is kept on the map at it.
    void SetSize(double cx, double cy);
    double Width() const { return m_cx; }
    double Height() const { return m_cy; }
    Point Centre() const { return m_centre; }
    double Zoom() const { return m_dZoom; }
    // Pixels per map unit with the whole world fitted to the view (a view not yet laid out
    // counted a pixel each way), and at the zoom.
    double WholeScale() const;
    double Scale() const { return WholeScale() * m_dZoom; }

    void SetView(Point ptCentre, double dZoom);
    void ShowWorld();
    // Zooms by a factor, the map point under a point of the view staying under it.
    void ZoomAt(Point ptView, double dFactor);
    // A turn of the wheel (120 a notch) at a point of the view.
    void Wheel(Point ptView, double dAngleDelta);
    // + (1) or - (-1): notches about the view's centre.
    void ZoomStep(int nSteps);
    // The map follows a drag by pixels of the view.
    void Drag(double dx, double dy);
    // Arrow keys: the view moves a share of itself each way (-1, 0 or 1).
    void PanStep(int nx, int ny);

    Point ToMap(Point ptView) const;

  private:
    double m_dMaxZoom;
    double m_dFill;
    double m_cx = 0;
    double m_cy = 0;
    Point m_centre;
    double m_dZoom = 1;
};
