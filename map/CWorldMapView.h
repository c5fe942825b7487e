#pragma once

#include "map/MapLabel.h"

#include <QWidget>

#include <memory>
#include <string>
#include <string_view>

class WorldMap;
class CMapNavigation;
class CMapPaths;
class MapViewport;

// The world map drawn from the compiled-in data: each 州 in its colour, other land grey, states
// too small to see as rings, and at most one country highlighted, brought into view and labelled
// with its name and capital. The wheel zooms, a drag pans, a double-click or Home shows the whole
// world again; + and - zoom and the arrow keys pan as well. Nothing of the map is read before it
// is first shown or asked to highlight.
class CWorldMapView : public QWidget
{
  public:
    explicit CWorldMapView(QWidget* pParent = nullptr);
    ~CWorldMapView() override;

    // The whole world, the highlight kept.
    void ShowWorld();
    // Highlights a country (lower-case code of the catalogue) and brings it into view. False,
    // and nothing highlighted, for a code the map does not hold.
    bool Highlight(std::string_view code);
    // Nothing highlighted; the view stays.
    void Clear();

    const std::string& HighlightedCode() const { return m_strCode; }
    // What the label says ("日本 首都 東京"); empty when nothing is highlighted.
    QString LabelText() const;
    // The part of the map in view, in map units (see map/WorldMap.h).
    QRectF VisibleMapRect() const;
    double Zoom() const;
    // Paints the map as it is in view onto a device of the widget's size.
    void Render(QPainter& painter);

    QSize sizeHint() const override;

    static constexpr double kMaxFocusZoom = 8; // bringing a country into view

  protected:
    void paintEvent(QPaintEvent* pEvent) override;

  private:
    CMapPaths& Paths();
    // The shown part of the map at the widget's size.
    MapViewport& Viewport() const;
    void PaintMarkers(QPainter& painter, const QTransform& toWidget);
    void PaintLabel(QPainter& painter);

    std::unique_ptr<CMapPaths> m_pPaths;
    std::string m_strCode;
    MapLabel m_label;
    CMapNavigation* m_pNavigation; // the wheel, drags and keys; owns the viewport
};
