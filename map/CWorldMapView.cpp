#include "map/CWorldMapView.h"

#include "map/CMapPaths.h"
#include "map/WorldMap.h"
#include "map/WorldMapData.h"
#include "platform/Accessibility.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

const QColor kBackground(0xf4, 0xf4, 0xf0);
const QColor kHighlight(0xd4, 0x1e, 0x24);

constexpr double kWheelStep = 1.25;  // zoom factor per wheel notch and per + or -
constexpr double kKeyPanShare = 0.1; // share of the view an arrow key moves it
constexpr double kMarkerRadius = 4;
constexpr double kHighlightRadius = 11;

QRectF ToQRect(const MapRect& rc)
{
    return QRectF(QPointF(rc.left, rc.top), QPointF(rc.right, rc.bottom));
}

} // namespace

CWorldMapView::CWorldMapView(QWidget* pParent) : QWidget(pParent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 80);
    SetAccessibleName(this, QStringLiteral("地図"));
    setAccessibleDescription(
        QStringLiteral("ホイールまたは＋と－で拡大縮小、ドラッグまたは矢印キーで移動、"
                       "ダブルクリックまたはHomeで世界全体"));
    m_ptCentre = ToQRect(WorldMap::WorldBounds()).center();
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
    SetView(ToQRect(WorldMap::WorldBounds()).center(), 1);
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
    const double dZoom = std::min(std::max(width(), 1) / (Scale() / m_dZoom * focus.width()),
                                  std::max(height(), 1) / (Scale() / m_dZoom * focus.height()));
    SetView(focus.center(), std::clamp(dZoom, 1.0, kMaxFocusZoom));

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

double CWorldMapView::Scale() const
{
    const MapRect world = WorldMap::WorldBounds();
    // A widget not yet laid out still gets a usable scale.
    return std::min(std::max(width(), 1) / double(world.Width()),
                    std::max(height(), 1) / double(world.Height())) *
           m_dZoom;
}

QTransform CWorldMapView::MapToWidget() const
{
    const double dScale = Scale();
    QTransform transform;
    transform.translate(width() / 2.0, height() / 2.0);
    transform.scale(dScale, dScale);
    transform.translate(-m_ptCentre.x(), -m_ptCentre.y());
    return transform;
}

QRectF CWorldMapView::VisibleMapRect() const
{
    return MapToWidget().inverted().mapRect(QRectF(rect()));
}

// Keeps the view on the map: a side that fits is centred, one that does not stays covered.
void CWorldMapView::SetView(QPointF ptCentre, double dZoom)
{
    m_dZoom = std::clamp(dZoom, 1.0, kMaxZoom);
    const QRectF world = ToQRect(WorldMap::WorldBounds());
    const double dHalfW = width() / Scale() / 2, dHalfH = height() / Scale() / 2;
    const auto fit = [](double v, double lo, double hi, double half) {
        return hi - lo <= 2 * half ? (lo + hi) / 2 : std::clamp(v, lo + half, hi - half);
    };
    m_ptCentre = {fit(ptCentre.x(), world.left(), world.right(), dHalfW),
                  fit(ptCentre.y(), world.top(), world.bottom(), dHalfH)};
    update();
}

void CWorldMapView::ZoomAt(QPointF ptWidget, double dFactor)
{
    const QPointF ptMap = MapToWidget().inverted().map(ptWidget);
    const double dZoom = std::clamp(m_dZoom * dFactor, 1.0, kMaxZoom);
    const double dScale = Scale() / m_dZoom * dZoom;
    const QPointF offset = ptWidget - QPointF(width() / 2.0, height() / 2.0);
    SetView(ptMap - offset / dScale, dZoom);
}

void CWorldMapView::Render(QPainter& painter)
{
    CMapPaths& paths = Paths();
    const QTransform toWidget = MapToWidget();
    const double dPixel = 1 / (Scale() * painter.device()->devicePixelRatioF());
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

void CWorldMapView::resizeEvent(QResizeEvent* /*pEvent*/)
{
    SetView(m_ptCentre, m_dZoom);
}

void CWorldMapView::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    Render(painter);
}

void CWorldMapView::wheelEvent(QWheelEvent* pEvent)
{
    const double dNotches = pEvent->angleDelta().y() / 120.0;
    if (dNotches != 0)
        ZoomAt(pEvent->position(), std::pow(kWheelStep, dNotches));
    pEvent->accept();
}

void CWorldMapView::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(pEvent);
    m_bDragging = true;
    m_ptDragFrom = pEvent->position();
    setCursor(Qt::ClosedHandCursor);
}

void CWorldMapView::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (!m_bDragging)
        return QWidget::mouseMoveEvent(pEvent);
    const QPointF delta = pEvent->position() - m_ptDragFrom;
    m_ptDragFrom = pEvent->position();
    SetView(m_ptCentre - delta / Scale(), m_dZoom);
}

void CWorldMapView::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(pEvent);
    m_bDragging = false;
    unsetCursor();
}

void CWorldMapView::mouseDoubleClickEvent(QMouseEvent* /*pEvent*/)
{
    ShowWorld();
}

void CWorldMapView::keyPressEvent(QKeyEvent* pEvent)
{
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double dStepX = width() * kKeyPanShare / Scale();
    const double dStepY = height() * kKeyPanShare / Scale();
    switch (pEvent->key()) {
    case Qt::Key_Home:
        return ShowWorld();
    case Qt::Key_Plus:
        return ZoomAt(centre, kWheelStep);
    case Qt::Key_Minus:
        return ZoomAt(centre, 1 / kWheelStep);
    case Qt::Key_Left:
        return SetView(m_ptCentre - QPointF(dStepX, 0), m_dZoom);
    case Qt::Key_Right:
        return SetView(m_ptCentre + QPointF(dStepX, 0), m_dZoom);
    case Qt::Key_Up:
        return SetView(m_ptCentre - QPointF(0, dStepY), m_dZoom);
    case Qt::Key_Down:
        return SetView(m_ptCentre + QPointF(0, dStepY), m_dZoom);
    default:
        QWidget::keyPressEvent(pEvent);
    }
}
