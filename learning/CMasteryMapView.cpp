#include "learning/CMasteryMapView.h"

#include "learning/MasteryMap.h"
#include "map/CMapPainting.h"
#include "map/MapLabel.h"
#include "map/MapViewport.h"
#include "map/WorldMap.h"
#include "map/WorldMapData.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <unordered_map>

namespace {

const QColor kSea(0xe8, 0xf1, 0xf7);
const QColor kOtherLand(0xf4, 0xf4, 0xf0);
const QColor kBorder(0x60, 0x60, 0x60);
const QColor kCoast(0x50, 0x6e, 0x84);
// A pixel of the page's map at 2x is about 0.005 map units; a saved picture twice as wide.
constexpr float kTolerance = 0.0025f;
constexpr double kRingRadius = 4;
constexpr double kRingHit = 7; // how near a ring the pointer names its state
constexpr double kFill = 0.98; // the share of the view the world fills

} // namespace

// The world at one level of detail, built once for every window that shows the states.
struct MasteryPaths : MapOutlines
{
    MasteryPaths()
        : MapOutlines(WorldMapData().Simplified(kTolerance)), full(WorldMapData()),
          frame(WorldFramePath())
    {
        for (const MapLine& line : map.Lines())
            (line.bBorder ? borders : coasts).addPath(RunPath(map.Points(line.run), false));
    }

    const WorldMap& full;
    QPainterPath frame;
    QPainterPath coasts;
    QPainterPath borders;
};

CMasteryMapView::CMasteryMapView(QWidget* pParent) : QWidget(pParent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("習得マップ"));
    setAccessibleDescription(DefaultDescription());
}

QString CMasteryMapView::DefaultDescription()
{
    return QStringLiteral("国にマウスを置くか矢印キーで選ぶとその国の状態と最後の答え、"
                          "ダブルクリックか Enter でその国を国旗図鑑に出します");
}

CMasteryMapView::~CMasteryMapView() = default;

QSize CMasteryMapView::sizeHint() const
{
    return {520, 264};
}

QColor CMasteryMapView::StateColor(int nState)
{
    return QColor(QRgb(MasteryRgb(static_cast<Mastery>(std::clamp(nState, 0, 3)))));
}

bool CMasteryMapView::Hatched(int nState)
{
    return nState == 1;
}

QBrush CMasteryMapView::HatchBrush()
{
    return QBrush(QColor(0x40, 0x18, 0x00), Qt::BDiagPattern);
}

MasteryPaths& CMasteryMapView::Paths()
{
    static MasteryPaths paths;
    if (m_stateByMap.size() != paths.map.Countries().size()) {
        std::unordered_map<std::string_view, int> byCode;
        for (std::size_t i = 0; i < m_codes.size(); ++i)
            byCode.emplace(m_codes[i], m_states[i]);
        m_stateByMap.assign(paths.map.Countries().size(), -1);
        for (std::size_t i = 0; i < m_stateByMap.size(); ++i) {
            const std::string& code = paths.map.Countries()[i].strCode;
            if (!code.empty()) {
                const auto it = byCode.find(code);
                m_stateByMap[i] = it == byCode.end() ? 0 : it->second;
            }
        }
    }
    return paths;
}

void CMasteryMapView::SetCountries(std::vector<std::string> codes, std::vector<int> states,
                                   std::vector<QString> texts)
{
    m_codes = std::move(codes);
    m_states = std::move(states);
    m_texts = std::move(texts);
    m_stateByMap.clear();
    if (!m_strHovered.empty())
        setAccessibleDescription(TextOf(m_strHovered));
    update();
}

int CMasteryMapView::StateOf(std::size_t nMapCountry) const
{
    return m_stateByMap[nMapCountry];
}

QString CMasteryMapView::TextOf(const std::string& code) const
{
    const auto it = std::find(m_codes.begin(), m_codes.end(), code);
    if (it != m_codes.end())
        return m_texts[std::size_t(it - m_codes.begin())];
    return QString::fromStdString(MapLabelFor(code).strName) + QStringLiteral("　未出題");
}

QTransform CMasteryMapView::MapToWidget(QSizeF size) const
{
    MapViewport whole(1, kFill);
    whole.SetSize(size.width(), size.height());
    return ViewTransform(whole);
}

void CMasteryMapView::Render(QPainter& painter, QSizeF size, const QBrush& background)
{
    MasteryPaths& paths = Paths();
    const QTransform toWidget = MapToWidget(size);
    painter.fillRect(QRectF(QPointF(0, 0), size), background);
    painter.save();
    painter.setWorldTransform(toWidget, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSea);
    painter.drawPath(paths.frame);
    // Land without antialiasing; the antialiased lines drawn over it hide its steps.
    const std::vector<MapCountry>& countries = paths.map.Countries();
    for (std::size_t i = 0; i < countries.size(); ++i) {
        const int nState = StateOf(i);
        painter.setBrush(nState < 0 ? kOtherLand : StateColor(nState));
        painter.drawPath(paths.countries[i]);
        if (nState >= 0 && Hatched(nState)) {
            painter.setBrush(HatchBrush());
            painter.drawPath(paths.countries[i]);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kCoast, 0));
    painter.drawPath(paths.coasts);
    painter.setPen(QPen(kBorder, 0));
    painter.drawPath(paths.borders);
    painter.restore();

    // Small states: a ring in the state's colour, filled when it needs review; larger on a
    // large picture.
    const double dRing = kRingRadius * std::max(1.0, size.width() / 700);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < countries.size(); ++i) {
        const int nState = StateOf(i);
        if (nState < 0 || !WorldMap::HasMarker(countries[i]))
            continue;
        const QPointF at = toWidget.map(QPointF(countries[i].ptLabel.x, countries[i].ptLabel.y));
        painter.setPen(
            QPen(StateColor(nState).darker(nState == 0 ? 140 : 100), 2 * dRing / kRingRadius));
        painter.setBrush(Hatched(nState) ? QBrush(StateColor(nState)) : QBrush(Qt::NoBrush));
        painter.drawEllipse(at, dRing, dRing);
    }
    // The country the keys reached.
    if (hasFocus() && m_nKeyed >= 0 && std::size_t(m_nKeyed) < m_codes.size())
        if (const MapCountry* pCountry = paths.full.Find(m_codes[std::size_t(m_nKeyed)])) {
            const QPointF at = toWidget.map(QPointF(pCountry->ptLabel.x, pCountry->ptLabel.y));
            painter.setPen(QPen(Qt::black, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, 3 * dRing, 3 * dRing);
        }
    painter.restore();
}

void CMasteryMapView::keyPressEvent(QKeyEvent* pEvent)
{
    const int nCount = int(m_codes.size());
    int nStep = 0;
    switch (pEvent->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        nStep = 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        nStep = -1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_nKeyed >= 0 && m_nKeyed < nCount && m_onDoubleClick)
            m_onDoubleClick(m_codes[std::size_t(m_nKeyed)]);
        return;
    default:
        return QWidget::keyPressEvent(pEvent);
    }
    if (nCount == 0)
        return;
    m_nKeyed = m_nKeyed < 0 ? (nStep > 0 ? 0 : nCount - 1) : (m_nKeyed + nStep + nCount) % nCount;
    setAccessibleDescription(TextOf(m_codes[std::size_t(m_nKeyed)]));
    update();
}

void CMasteryMapView::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    Render(painter, size(), palette().window());
}

std::string CMasteryMapView::CodeAt(QPointF ptWidget)
{
    const MasteryPaths& paths = Paths();
    const QTransform toWidget = MapToWidget(size());
    const std::vector<MapCountry>& countries = paths.map.Countries();
    const MapCountry* pNearest = nullptr;
    double dNearest = kRingHit;
    for (const MapCountry& country : countries) {
        if (country.strCode.empty() || !WorldMap::HasMarker(country))
            continue;
        const QPointF d = toWidget.map(QPointF(country.ptLabel.x, country.ptLabel.y)) - ptWidget;
        const double dDistance = std::hypot(d.x(), d.y());
        if (dDistance < dNearest) {
            dNearest = dDistance;
            pNearest = &country;
        }
    }
    if (pNearest)
        return pNearest->strCode;
    const QPointF at = toWidget.inverted().map(ptWidget);
    const MapCountry* pCountry = paths.full.CountryAt({float(at.x()), float(at.y())});
    return pCountry ? pCountry->strCode : std::string();
}

QPointF CMasteryMapView::PointOf(const std::string& code)
{
    const MapCountry* pCountry = Paths().full.Find(code);
    if (!pCountry)
        return {};
    return MapToWidget(size()).map(QPointF(pCountry->ptLabel.x, pCountry->ptLabel.y));
}

void CMasteryMapView::mouseMoveEvent(QMouseEvent* pEvent)
{
    const std::string code = CodeAt(pEvent->position());
    if (code == m_strHovered)
        return;
    m_strHovered = code;
    setAccessibleDescription(code.empty() ? DefaultDescription() : TextOf(code));
    if (code.empty())
        QToolTip::hideText();
    else
        QToolTip::showText(pEvent->globalPosition().toPoint(), TextOf(code), this);
}

void CMasteryMapView::leaveEvent(QEvent* /*pEvent*/)
{
    m_strHovered.clear();
    setAccessibleDescription(DefaultDescription());
}

bool CMasteryMapView::event(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::ToolTip) {
        auto* pHelp = static_cast<QHelpEvent*>(pEvent);
        const std::string code = CodeAt(pHelp->pos());
        if (code.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(pHelp->globalPos(), TextOf(code), this);
        return true;
    }
    return QWidget::event(pEvent);
}

void CMasteryMapView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    const std::string code = CodeAt(pEvent->position());
    if (!code.empty() && m_onDoubleClick)
        m_onDoubleClick(code);
}
