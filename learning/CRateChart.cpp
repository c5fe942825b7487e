#include "learning/CRateChart.h"

#include <QPainter>
#include <QPainterPath>
#include <QStringList>

namespace {

QString Percent(double dRate)
{
    return QString::number(dRate, 'f', 1) + QLatin1Char('%');
}

} // namespace

CRateChart::CRateChart(QWidget* pParent) : QWidget(pParent)
{
    setFocusPolicy(Qt::StrongFocus); // reachable by Tab, so its figures can be read out
    SetRates({});
}

void CRateChart::SetRates(std::vector<double> rates)
{
    m_rates = std::move(rates);
    QStringList parts;
    for (std::size_t i = 0; i < m_rates.size(); ++i)
        parts.append(QStringLiteral("%1: %2").arg(i + 1).arg(Percent(m_rates[i])));
    setAccessibleDescription(m_rates.empty() ? QStringLiteral("ラウンドの記録はありません")
                                             : parts.join(QStringLiteral(", ")));
    update();
}

void CRateChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().mid().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const QFontMetrics fm(font());
    const int nLeft = fm.horizontalAdvance(QStringLiteral("100%")) + 6;
    const QRect plot = rect().adjusted(nLeft, fm.height() / 2 + 2, -8, -(fm.height() / 2 + 4));
    auto yOf = [&](double dRate) { return plot.bottom() - dRate / 100.0 * plot.height(); };

    p.setRenderHint(QPainter::Antialiasing);
    for (int nRate : {0, 50, 100}) {
        const int y = static_cast<int>(yOf(nRate));
        p.setPen(QPen(palette().mid().color(), 1, nRate == 0 ? Qt::SolidLine : Qt::DotLine));
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(palette().text().color());
        p.drawText(QRect(0, y - fm.height() / 2, nLeft - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(nRate) + QLatin1Char('%'));
    }
    if (m_rates.empty()) {
        p.drawText(plot, Qt::AlignCenter, QStringLiteral("記録なし"));
        return;
    }
    const double dStep = m_rates.size() > 1 ? plot.width() / double(m_rates.size() - 1) : 0;
    QPainterPath line;
    for (std::size_t i = 0; i < m_rates.size(); ++i) {
        const QPointF pt(plot.left() + dStep * static_cast<double>(i), yOf(m_rates[i]));
        i == 0 ? line.moveTo(pt) : line.lineTo(pt);
    }
    const QColor blue(0, 0, 192);
    p.setPen(QPen(blue, 2));
    p.drawPath(line);
    p.setBrush(blue);
    for (std::size_t i = 0; i < m_rates.size(); ++i)
        p.drawEllipse(QPointF(plot.left() + dStep * static_cast<double>(i), yOf(m_rates[i])), 2.5,
                      2.5);
    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}
