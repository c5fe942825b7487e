#include "map/CWorldMapView.h"

#include "map/CMapNavigation.h"
#include "map/CMapPainting.h"
#include "map/CMapPaths.h"
#include "map/WorldMap.h"
#include "map/WorldMapData.h"
#include "platform/Accessibility.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor kBackground(0xf4, 0xf4, 0xf0);
const QColor kHighlight(0xd4, 0x1e, 0x24);

constexpr double kMarkerRadius = 4;
constexpr double kHighlightRadius = 11;

} // namespace

CWorldMapView::CWorldMapView(QWidget* pParent)
    : QWidget(pParent),
      m_pNavigation(new CMapNavigation(this, {.bBrowse = true}, [this] { update(); }))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 80);
    SetAccessibleName(this, QStringLiteral("地図"));
    setAccessibleDescription(
        QStringLiteral("ホイールまたは＋と－で拡大縮小、ドラッグまたは矢印キーで移動、"
                       "ダブルクリックまたはHomeで世界全体"));
}

CWorldMapView::~CWorldMapView() = default;

QSize CWorldMapView::sizeHint() const
{
    return {480, 244};
}

CMapPaths& CWorldMapView::Paths()
{
    if (!m_pPaths)
        m_pPaths = std::make_unique<CMapPaths>(WorldMapData());
    return *m_pPaths;
}

void CWorldMapView::ShowWorld()
{
    Viewport().ShowWorld();
    update();
}

bool CWorldMapView::Highlight(std::string_view code)
{
    const MapCountry* pCountry = Paths().Map().Find(code);
    if (!pCountry) {
        Clear();
        return false;
    }
    m_strCode = std::string(code);
    m_label = MapLabelFor(code);

    // Its land with a margin; a state shown by a ring, with the land round about.
    const MapRect world = WorldMap::WorldBounds();
    QRectF focus = ToQRect(Paths().Map().FocusBounds(*pCountry));
    if (WorldMap::HasMarker(*pCountry))
        focus = QRectF(QPointF(pCountry->ptLabel.x, pCountry->ptLabel.y), QSizeF(0, 0));
    const double dMargin = std::max(focus.width(), focus.height()) * 0.25 + world.Width() * 0.01;
    focus.adjust(-dMargin, -dMargin, dMargin, dMargin);
    const double dWhole = Viewport().WholeScale();
    const double dZoom = std::min(std::max(width(), 1) / (dWhole * focus.width()),
                                  std::max(height(), 1) / (dWhole * focus.height()));
    Viewport().SetView({focus.center().x(), focus.center().y()},
                       std::clamp(dZoom, 1.0, kMaxFocusZoom));

    SetAccessibleName(this, QStringLiteral("地図 ") + LabelText());
    update();
    return true;
}

void CWorldMapView::Clear()
{
    m_strCode.clear();
    m_label = {};
    SetAccessibleName(this, QStringLiteral("地図"));
    update();
}

QString CWorldMapView::LabelText() const
{
    return m_strCode.empty() ? QString() : QString::fromStdString(MapLabelText(m_label));
}

QRectF CWorldMapView::VisibleMapRect() const
{
    const MapViewport& viewport = Viewport();
    const MapViewport::Point topLeft = viewport.ToMap({0, 0});
    const MapViewport::Point bottomRight = viewport.ToMap({viewport.Width(), viewport.Height()});
    return QRectF(QPointF(topLeft.x, topLeft.y), QPointF(bottomRight.x, bottomRight.y));
}

MapViewport& CWorldMapView::Viewport() const
{
    return m_pNavigation->Viewport();
}

double CWorldMapView::Zoom() const
{
    return Viewport().Zoom();
}

void CWorldMapView::Render(QPainter& painter)
{
    CMapPaths& paths = Paths();
    const QTransform toWidget = ViewTransform(Viewport());
    const double dPixel = 1 / (Viewport().Scale() * painter.device()->devicePixelRatioF());
    painter.fillRect(rect(), kBackground);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setWorldTransform(toWidget, true);
    paths.PaintMap(painter, VisibleMapRect(), dPixel);
    if (const MapCountry* pCountry = paths.Map().Find(m_strCode)) {
        QPen edge(kMapHighlightEdge, 1.5);
        edge.setCosmetic(true);
        painter.setPen(edge);
        painter.setBrush(kHighlight);
        paths.PaintCountry(painter, std::size_t(pCountry - paths.Map().Countries().data()), dPixel);
    }
    painter.restore();
    PaintMarkers(painter, toWidget);
    PaintLabel(painter);
}

void CWorldMapView::PaintMarkers(QPainter& painter, const QTransform& toWidget)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const std::vector<MapCountry>& countries = Paths().Map().Countries();
    for (std::size_t i = 0; i < countries.size(); ++i) {
        const MapCountry& country = countries[i];
        if (country.strCode.empty() || !WorldMap::HasMarker(country))
            continue;
        const QPointF at = toWidget.map(QPointF(country.ptLabel.x, country.ptLabel.y));
        painter.setPen(QPen(MapMarkerColor(Paths().ContinentOf(i)), 1.5));
        painter.drawEllipse(at, kMarkerRadius, kMarkerRadius);
        if (country.strCode == m_strCode) {
            painter.setPen(QPen(kHighlight, 3));
            painter.drawEllipse(at, kHighlightRadius, kHighlightRadius);
            painter.setBrush(kHighlight);
            painter.drawEllipse(at, kMarkerRadius - 1, kMarkerRadius - 1);
            painter.setBrush(Qt::NoBrush);
        }
    }
    painter.restore();
}

void CWorldMapView::PaintLabel(QPainter& painter)
{
    if (m_strCode.empty())
        return;
    PaintMapNameLabel(painter, font(), LabelText());
}

void CWorldMapView::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    Render(painter);
}
