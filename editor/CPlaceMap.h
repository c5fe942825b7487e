#pragma once

#include "map/WorldMap.h"

#include <QWidget>

#include <array>
#include <string>

// A small map of the four places of a position question: the land round about, each place
// tinted and numbered as its answer (a ring where a state is too small to see), for the author
// to check by eye. Painted from the map's core; it takes no input.
class CPlaceMap : public QWidget
{
  public:
    explicit CPlaceMap(QWidget* pParent);

    // The codes of answers 1-4; codes the map lacks are left out of the frame.
    void SetPlaces(const std::array<std::string, 4>& codes);

    // The frame shown, in map units: the four places' land with a margin, stretched to the
    // widget's shape.
    MapRect Frame() const;
    // Where answer n (0-3)'s number is drawn, in widget pixels.
    QPointF NumberAt(int n) const;

  protected:
    void paintEvent(QPaintEvent* pEvent) override;

  private:
    QTransform ToWidget() const;
    bool HasRing(const MapCountry& country) const;
    std::array<QPointF, 4> NumberPoints() const;

    std::array<std::string, 4> m_codes;
    MapRect m_places = MapRect::Empty(); // the four places' land
};
