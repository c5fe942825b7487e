#include "map/CPositionMapView.h"

#include "map/CMapNavigation.h"
#include "map/CMapPainting.h"
#include "map/CMapPaths.h"
#include "map/WorldMap.h"
#include "map/WorldMapData.h"
#include "platform/Accessibility.h"
#include "platform/Cp932.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>

namespace {

const QColor kBackground(0xf4, 0xf4, 0xf0);
const QColor kTint(0x1f, 0x5f, 0xc0, 90);
const QColor kTintEdge(0x12, 0x3c, 0x80);
const QColor kSelection(0x10, 0x10, 0x10);
const QColor kHighlight(0xd4, 0x1e, 0x24);

constexpr double kDragThreshold = 4;

// A candidate's number on the map: a round button that answers with it.
class CPositionNumber : public QAbstractButton
{
  public:
    CPositionNumber(int nAnswer, QWidget* pParent) : QAbstractButton(pParent)
    {
        setText(QString::number(nAnswer));
        setObjectName(QStringLiteral("positionNumber%1").arg(nAnswer));
        // Where it stands among the answers, never whose it is.
        setAccessibleName(QStringLiteral("解答%1 地図の候補").arg(nAnswer));
        setAccessibleDescription(
            QStringLiteral("地図に%1番と記した国。押すと%1番で答えます").arg(nAnswer));
        setFocusPolicy(Qt::NoFocus); // keys 1-4 answer; Tab stays with the window's controls
        setCursor(Qt::PointingHandCursor);
        const int nSize = int(2 * kNumberRadiusPx);
        resize(nSize, nSize);
    }

  protected:
    void paintEvent(QPaintEvent* /*pEvent*/) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(isEnabled() ? kTintEdge : QColor(0x70, 0x70, 0x70));
        painter.drawEllipse(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75));
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

} // namespace

CPositionMapView::CPositionMapView(QWidget* pParent)
    : CPositionAnswers(pParent),
      m_pNavigation(
          new CMapNavigation(this, {.dDragThreshold = kDragThreshold}, [this] { Navigated(); }))
{
    m_pNavigation->SetEnabled(false);
    m_pNavigation->SetClickHandler([this](QPointF pt) { ClickAt(pt); });
    m_pNavigation->SetRestCursor([this] { RestoreCursor(); });
    setObjectName(QStringLiteral("positionMap"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetAccessibleName(this, QStringLiteral("地図"));
    for (int i = 0; i < 4; ++i) {
        auto* pNumber = new CPositionNumber(i + 1, this);
        QObject::connect(pNumber, &QAbstractButton::clicked, this, [this, i] { Choose(i + 1); });
        pNumber->hide();
        m_numbers[std::size_t(i)] = pNumber;
    }
}

CPositionMapView::~CPositionMapView() = default;

CMapPaths& CPositionMapView::Paths()
{
    if (!m_pPaths)
        m_pPaths = std::make_unique<CMapPaths>(WorldMapData());
    return *m_pPaths;
}

const WorldMap& CPositionMapView::Map()
{
    return Paths().Map();
}

std::string CPositionMapView::NameOf(std::string_view code) const
{
    const std::string strName = MapLabelFor(code).strName;
    return strName.empty() ? std::string(code)
                           : Cp932::FromUtf8(strName).value_or(std::string(code));
}

void CPositionMapView::ShowQuestion(const std::array<std::string, 4>& codes, std::string_view asked,
                                    bool bPointing)
{
    m_codes = codes;
    m_strAsked = std::string(asked);
    m_bPointing = bPointing;
    m_bRevealed = false;
    m_bShown = true;
    m_pNavigation->SetEnabled(m_bPointing);
    m_strSelected.clear();
    m_nMoves = 0;
    RestoreCursor();
    Frame();
    setAccessibleDescription(
        m_bPointing ? QStringLiteral("問題の国を地図で指して答えます。ホイールで拡大縮小、"
                                     "ドラッグで移動、矢印キーで国を選んで Enter で答えます")
                    : QStringLiteral("地図に1番から4番の候補の国を記しています。番号か国を押すか、"
                                     "1から4のキーで答えます"));
    SetAccessibleName(this, m_bPointing ? QStringLiteral("地図 国を指して答えます")
                                        : QStringLiteral("地図 解答の候補1番から4番"));
}

void CPositionMapView::Frame()
{
    if (!m_bShown)
        return;
    // A code the map lacks (an unreadable map) leaves the whole world with nothing marked.
    m_choice = {};
    MapViewport& viewport = m_pNavigation->Viewport(); // at the widget's size
    if (const auto pointing =
            m_bPointing ? FramePointing(Map(), m_strAsked, width(), height()) : std::nullopt) {
        const MapPoint centre = pointing->rcView.Centre();
        viewport.SetView({centre.x, centre.y}, pointing->dScale / viewport.WholeScale());
        Navigated(); // kept on the map
    } else if (const auto choice =
                   m_bPointing ? std::nullopt : FrameChoice(Map(), m_codes, width(), height())) {
        m_view = m_choice = *choice;
    } else {
        viewport.ShowWorld();
        Navigated();
    }
    PlaceNumbers();
    update();
}

void CPositionMapView::PlaceNumbers()
{
    for (std::size_t i = 0; i < 4; ++i) {
        QAbstractButton* pNumber = m_numbers[i];
        const bool bShow = m_bShown && !m_bPointing && m_choice.candidates[i].pCountry;
        if (bShow)
            pNumber->move((ToWidget(m_choice.candidates[i].ptNumber) -
                           QPointF(kNumberRadiusPx, kNumberRadiusPx))
                              .toPoint());
        pNumber->setVisible(bShow);
    }
}

void CPositionMapView::Reveal()
{
    m_bRevealed = true;
    // Panned or zoomed away from the answer: back to the region, where it shows.
    if (const MapCountry* pAsked = Map().Find(m_strAsked); pAsked && m_bPointing) {
        const QPointF at = ToWidget(InteriorPoint(Map(), *pAsked));
        if (!rect().contains(at.toPoint()))
            Frame();
    }
    const QString strLabel = QString::fromStdString(MapLabelText(MapLabelFor(m_strAsked)));
    setAccessibleDescription(QStringLiteral("正解の国: ") + strLabel);
    SetAccessibleName(this, QStringLiteral("地図 正解 ") + strLabel);
    update();
}

QPointF CPositionMapView::ToWidget(MapPoint p) const
{
    return {(p.x - m_view.rcView.left) * m_view.dScale, (p.y - m_view.rcView.top) * m_view.dScale};
}

MapPoint CPositionMapView::ToMap(QPointF p) const
{
    return {float(m_view.rcView.left + p.x() / m_view.dScale),
            float(m_view.rcView.top + p.y() / m_view.dScale)};
}

void CPositionMapView::Navigated()
{
    const MapViewport& viewport = m_pNavigation->Viewport();
    const double dScale = viewport.Scale();
    const MapViewport::Point centre = viewport.Centre();
    const double dHalfW = viewport.Width() / dScale / 2, dHalfH = viewport.Height() / dScale / 2;
    m_view = {{float(centre.x - dHalfW), float(centre.y - dHalfH), float(centre.x + dHalfW),
               float(centre.y + dHalfH)},
              dScale};
    update();
}

void CPositionMapView::Render(QPainter& painter)
{
    painter.fillRect(rect(), kBackground);
    if (!m_bShown)
        return;
    CMapPaths& paths = Paths();
    const double dPixel = 1 / (m_view.dScale * painter.device()->devicePixelRatioF());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QTransform toWidget;
    toWidget.scale(m_view.dScale, m_view.dScale);
    toWidget.translate(-m_view.rcView.left, -m_view.rcView.top);
    painter.setWorldTransform(toWidget, true);
    paths.PaintMap(painter, ToQRect(m_view.rcView), dPixel);
    const auto paintCountry = [&](const MapCountry* pCountry, const QPen& pen,
                                  const QBrush& brush) {
        QPen cosmetic = pen;
        cosmetic.setCosmetic(true);
        painter.setPen(cosmetic);
        painter.setBrush(brush);
        paths.PaintCountry(painter, std::size_t(pCountry - Map().Countries().data()), dPixel);
    };
    if (!m_bPointing)
        for (const PositionCandidate& c : m_choice.candidates)
            if (c.pCountry)
                paintCountry(c.pCountry, QPen(kTintEdge, 2), kTint);
    if (const MapCountry* pSelected = Map().Find(m_strSelected))
        paintCountry(pSelected, QPen(kSelection, 3), QColor(255, 255, 255, 90));
    const MapCountry* pAsked = Map().Find(m_strAsked);
    if (m_bRevealed && pAsked)
        paintCountry(pAsked, QPen(kMapHighlightEdge, 1.5), kHighlight);
    painter.restore();
    PaintOverlay(painter);
}

// Rings round what is too small to see, and the revealed country's name.
void CPositionMapView::PaintOverlay(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const MapCountry* pAsked = Map().Find(m_strAsked);
    if (m_bPointing) {
        const std::vector<MapCountry>& countries = Map().Countries();
        for (std::size_t i = 0; i < countries.size(); ++i) {
            const MapCountry& country = countries[i];
            const QPointF at = ToWidget(country.ptLabel);
            if (country.strCode.empty() || !rect().contains(at.toPoint()) ||
                !PointingRing(Map(), country, m_view.dScale))
                continue;
            const bool bSelected = country.strCode == m_strSelected;
            painter.setPen(bSelected ? QPen(kSelection, 3)
                                     : QPen(MapMarkerColor(Paths().ContinentOf(i)), 1.5));
            painter.drawEllipse(at, kPointingRingPx / 2, kPointingRingPx / 2);
        }
    } else {
        for (const PositionCandidate& c : m_choice.candidates)
            if (c.pCountry && c.bRing) {
                painter.setPen(QPen(kTintEdge, 2.5));
                painter.setBrush(kTint);
                painter.drawEllipse(ToWidget(c.ptNumber), kRingRadiusPx, kRingRadiusPx);
            }
    }
    if (m_bRevealed && pAsked) {
        const double dRing = m_bPointing ? kPointingRingPx / 2 : kRingRadiusPx;
        if (m_bPointing ? PointingRing(Map(), *pAsked, m_view.dScale)
                        : NeedsRing(Map(), *pAsked, m_view.dScale)) {
            painter.setPen(QPen(kHighlight, 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(ToWidget(pAsked->ptLabel), dRing + 2, dRing + 2);
        }
        PaintMapNameLabel(painter, font(),
                          QString::fromStdString(MapLabelText(MapLabelFor(m_strAsked))));
    }
    painter.restore();
}

void CPositionMapView::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    Render(painter);
}

void CPositionMapView::resizeEvent(QResizeEvent* /*pEvent*/)
{
    Frame();
}

// Pointing aims with a cross; choosing shows the ordinary arrow.
void CPositionMapView::RestoreCursor()
{
    if (m_bPointing)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

void CPositionMapView::ClickAt(QPointF ptWidget)
{
    if (!m_bShown || m_bRevealed)
        return;
    const MapPoint at = ToMap(ptWidget);
    if (!m_bPointing) {
        if (const int n = CandidateAt(Map(), m_choice, at); n >= 0)
            Choose(n + 1);
        return;
    }
    const PointingJudgement judgement = JudgePointing(Map(), m_strAsked, at, m_view.dScale);
    Point(judgement.pClicked ? judgement.pClicked->strCode : std::string(), judgement.bRight);
}

void CPositionMapView::MoveSelection(double dx, double dy)
{
    const MapCountry* pFrom = Map().Find(m_strSelected);
    const MapPoint from = pFrom ? InteriorPoint(Map(), *pFrom) : m_view.rcView.Centre();
    const MapCountry* pTo =
        CountryToward(Map(), from, pFrom ? dx : 0, pFrom ? dy : 0, m_view.rcView);
    if (!pTo)
        return;
    m_strSelected = pTo->strCode;
    update();
    // Screen readers hear that the selection moved, never where to.
    SetAccessibleName(this,
                      QStringLiteral("地図 国を選択中 (移動%1回) Enterで答えます").arg(++m_nMoves));
}

// The arrow keys select and Enter answers; + and - zoom by the navigation.
void CPositionMapView::keyPressEvent(QKeyEvent* pEvent)
{
    if (!m_bPointing || !m_bShown)
        return QWidget::keyPressEvent(pEvent);
    switch (pEvent->key()) {
    case Qt::Key_Left:
        return MoveSelection(-1, 0);
    case Qt::Key_Right:
        return MoveSelection(1, 0);
    case Qt::Key_Up:
        return MoveSelection(0, -1);
    case Qt::Key_Down:
        return MoveSelection(0, 1);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_strSelected.empty() && !m_bRevealed)
            Point(m_strSelected, m_strSelected == m_strAsked);
        return;
    default:
        QWidget::keyPressEvent(pEvent);
    }
}
