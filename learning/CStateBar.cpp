#include "learning/CStateBar.h"

#include "learning/CMasteryMapView.h"

#include <QPainter>

CStateBar::CStateBar(QWidget* pParent) : QWidget(pParent)
{
    setFocusPolicy(Qt::TabFocus); // reachable, so its counts are read out
}

void CStateBar::SetCounts(const std::array<int, 4>& counts)
{
    m_counts = counts;
    update();
}

void CStateBar::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    int nTotal = 0;
    for (int n : m_counts)
        nTotal += n;
    double dLeft = frame.left();
    // 習得, 学習中, 要復習, 未出題: what is known grows from the left.
    for (int nState : {3, 2, 1, 0}) {
        if (!nTotal || !m_counts[std::size_t(nState)])
            continue;
        const double dWidth = frame.width() * m_counts[std::size_t(nState)] / nTotal;
        const QRectF part(dLeft, frame.top(), dWidth, frame.height());
        painter.fillRect(part, CMasteryMapView::StateColor(nState));
        if (CMasteryMapView::Hatched(nState))
            painter.fillRect(part, CMasteryMapView::HatchBrush());
        dLeft += dWidth;
    }
    painter.setPen(hasFocus() ? palette().highlight().color() : QColor(0x80, 0x80, 0x80));
    painter.drawRect(frame);
}
