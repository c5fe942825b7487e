#include "editor/CPlaceMap.h"

#include "map/CMapPainting.h"
#include "map/WorldMapData.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace {

const QColor kSea(0xd6, 0xe6, 0xf2);
const QColor kLand(0xf1, 0xee, 0xe4);
const QColor kOtherLand(0xdd, 0xdb, 0xd4);
const QColor kBorder(0x8a, 0x86, 0x7c);
const QColor kPlace(0xf2, 0xa5, 0x3a);
const QColor kPlaceEdge(0x8c, 0x4a, 0x00);

// Coarse enough to paint at once, fine enough for a map a few hundred pixels across.
constexpr float kTolerance = 0.0015f;
constexpr double kNumberRadius = 7;
constexpr double kRingRadius = 10;
constexpr double kRingBelow = 8; // a place smaller than this many pixels across gets a ring

// The outlines of every state, simplified, made on the first position record shown.
const MapOutlines& TheOutlines()
{
    static const MapOutlines outlines(WorldMapData().Simplified(kTolerance));
    return outlines;
}

// The land a place brings into view: its focus, or the point of a state shown by a ring.
MapRect PlaceBounds(const WorldMap& map, const MapCountry& country)
{
    if (WorldMap::HasMarker(country))
        return {country.ptLabel.x, country.ptLabel.y, country.ptLabel.x, country.ptLabel.y};
    return map.FocusBounds(country);
}

} // namespace

CPlaceMap::CPlaceMap(QWidget* pParent) : QWidget(pParent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPlaceMap::SetPlaces(const std::array<std::string, 4>& codes)
{
    m_codes = codes;
    const WorldMap& map = TheOutlines().map;
    m_places = MapRect::Empty();
    for (const std::string& code : codes)
        if (const MapCountry* pCountry = map.Find(code))
            m_places.Unite(PlaceBounds(map, *pCountry));
    update();
}

MapRect CPlaceMap::Frame() const
{
    MapRect frame = m_places.Width() >= 0 ? m_places : WorldMap::WorldBounds();
    const float margin = std::max(frame.Width(), frame.Height()) * 0.15f + 0.03f;
    frame = {frame.left - margin, frame.top - margin, frame.right + margin, frame.bottom + margin};
    // Stretched to the widget's shape about its centre, so the scale is one both ways.
    const float fAspect = float(std::max(width(), 1)) / float(std::max(height(), 1));
    const MapPoint centre = frame.Centre();
    const float w = std::max(frame.Width(), frame.Height() * fAspect);
    const float h = w / fAspect;
    return {centre.x - w / 2, centre.y - h / 2, centre.x + w / 2, centre.y + h / 2};
}

QTransform CPlaceMap::ToWidget() const
{
    const MapRect frame = Frame();
    const double dScale = width() / double(frame.Width());
    return QTransform::fromScale(dScale, dScale).translate(-frame.left, -frame.top);
}

bool CPlaceMap::HasRing(const MapCountry& country) const
{
    const QRectF land = ToWidget().mapRect(ToQRect(TheOutlines().map.FocusBounds(country)));
    return WorldMap::HasMarker(country) || std::max(land.width(), land.height()) < kRingBelow;
}

// Each number stands on its place's label point, or beside its ring; where that would cover a
// ring or a number placed before, it moves out round about until it is clear.
std::array<QPointF, 4> CPlaceMap::NumberPoints() const
{
    const WorldMap& map = TheOutlines().map;
    const QTransform toWidget = ToWidget();
    const QTransform fromWidget = toWidget.inverted();
    std::array<const MapCountry*, 4> countries{};
    std::vector<std::pair<QPointF, double>> taken; // circles a number must keep clear of
    for (std::size_t i = 0; i < 4; ++i) {
        countries[i] = map.Find(m_codes[i]);
        if (countries[i] && HasRing(*countries[i]))
            taken.emplace_back(
                toWidget.map(QPointF(countries[i]->ptLabel.x, countries[i]->ptLabel.y)),
                kRingRadius);
    }
    const QRectF inside =
        QRectF(rect()).adjusted(kNumberRadius, kNumberRadius, -kNumberRadius, -kNumberRadius);
    auto clear = [&](QPointF p) {
        return inside.contains(p) &&
               std::all_of(taken.begin(), taken.end(), [&](const auto& circle) {
                   return QLineF(p, circle.first).length() >= circle.second + kNumberRadius + 1;
               });
    };
    std::array<QPointF, 4> points;
    points.fill(QPointF(-100, -100));
    for (int pass = 0; pass < 2; ++pass) // states seen first, on their land; then the ringed
        for (std::size_t i = 0; i < 4; ++i) {
            if (!countries[i] || HasRing(*countries[i]) != (pass == 1))
                continue;
            const QPointF label =
                toWidget.map(QPointF(countries[i]->ptLabel.x, countries[i]->ptLabel.y));
            const double dFirst = pass == 1 ? kRingRadius + kNumberRadius + 1 : 0;
            // A state large enough to see keeps its number on its own land where it can.
            auto onLand = [&](QPointF p) {
                const QPointF m = fromWidget.map(p);
                return pass == 1 || map.CountryAt({float(m.x()), float(m.y())}) == countries[i];
            };
            std::optional<QPointF> chosen;
            std::optional<QPointF> offLand;
            for (double d = dFirst; d < 8 * kRingRadius && !chosen; d += kNumberRadius)
                for (int k = 0; k < (d == 0 ? 1 : 8) && !chosen; ++k) {
                    const double a = -std::numbers::pi / 4 + k * std::numbers::pi / 4;
                    const QPointF p = label + QPointF(std::cos(a), std::sin(a)) * d;
                    if (!clear(p))
                        continue;
                    if (onLand(p))
                        chosen = p;
                    else if (!offLand)
                        offLand = p;
                }
            if (!chosen)
                chosen = offLand.value_or(label + QPointF(dFirst, 0));
            points[i] = *chosen;
            taken.emplace_back(*chosen, kNumberRadius);
        }
    return points;
}

QPointF CPlaceMap::NumberAt(int n) const
{
    return NumberPoints()[std::size_t(n)];
}

void CPlaceMap::paintEvent(QPaintEvent* /*pEvent*/)
{
    const MapOutlines& outlines = TheOutlines();
    const std::vector<MapCountry>& countries = outlines.map.Countries();
    const QTransform toWidget = ToWidget();
    const QRectF visible = toWidget.inverted().mapRect(QRectF(rect()));
    auto isPlace = [this](const std::string& code) {
        return !code.empty() && std::find(m_codes.begin(), m_codes.end(), code) != m_codes.end();
    };

    QPainter painter(this);
    painter.fillRect(rect(), kSea);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(toWidget);
    QPen border(kBorder, 0.7);
    border.setCosmetic(true);
    for (std::size_t i = 0; i < countries.size(); ++i) {
        if (!ToQRect(countries[i].rcBounds).intersects(visible))
            continue;
        const bool bPlace = isPlace(countries[i].strCode);
        QPen pen = bPlace ? QPen(kPlaceEdge, 1.2) : border;
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(bPlace ? kPlace : countries[i].strCode.empty() ? kOtherLand : kLand);
        painter.drawPath(outlines.countries[i]);
    }

    painter.resetTransform();
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const std::array<QPointF, 4> numbers = NumberPoints();
    for (int n = 0; n < 4; ++n) {
        const MapCountry* pCountry = outlines.map.Find(m_codes[std::size_t(n)]);
        if (!pCountry)
            continue;
        const QPointF label = toWidget.map(QPointF(pCountry->ptLabel.x, pCountry->ptLabel.y));
        if (HasRing(*pCountry)) {
            painter.setPen(QPen(kPlaceEdge, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(label, kRingRadius, kRingRadius);
        }
        const QPointF at = numbers[std::size_t(n)];
        painter.setPen(QPen(kPlaceEdge, 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(at, kNumberRadius, kNumberRadius);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(at.x() - kNumberRadius, at.y() - kNumberRadius, 2 * kNumberRadius,
                                2 * kNumberRadius),
                         Qt::AlignCenter, QString::number(n + 1));
    }
}
