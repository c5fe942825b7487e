#include "print/CPdfPrinter.h"

#include "map/MapLabel.h"
#include "map/WorldMap.h"
#include "platform/Resources.h"
#include "print/MapNumbering.h"
#include "print/PrintDocument.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <cmath>

namespace {

constexpr int kDpi = 600;
constexpr float kMinPoints = 4.5f;
// Lines thinner than a printer's finest are lost: a tenth of a millimetre at the least.
constexpr double kHairline = 0.12;

QFont PrintFont(float fPoints, bool bBold)
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("MS PGothic")});
    font.setPointSizeF(fPoints);
    font.setBold(bBold);
    return font;
}

QPageLayout LayoutFor(const PrintPage& page)
{
    const bool bLandscape = page.fWidth > page.fHeight;
    const QSizeF portrait =
        bLandscape ? QSizeF(page.fHeight, page.fWidth) : QSizeF(page.fWidth, page.fHeight);
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                       bLandscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

} // namespace

CPdfPrinter::CPdfPrinter(const WorldMap& map) : m_map(map) {}

CPdfPrinter::~CPdfPrinter() = default;

QByteArray CPdfPrinter::Render(const PrintDocument& doc)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setTitle(QString::fromStdString(doc.strTitle));
        writer.setCreator(QStringLiteral("Marelto"));
        m_dDots = kDpi / 25.4;
        if (!doc.pages.empty())
            writer.setPageLayout(LayoutFor(doc.pages.front()));
        QPainter painter(&writer);
        for (std::size_t i = 0; i < doc.pages.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(LayoutFor(doc.pages[i]));
                writer.newPage();
            }
            PaintPage(painter, doc.pages[i]);
        }
    }
    return bytes;
}

void CPdfPrinter::PaintPage(QPainter& painter, const PrintPage& page)
{
    const double d = m_dDots;
    auto rect = [d](const PrintRect& rc) { return QRectF(rc.x * d, rc.y * d, rc.w * d, rc.h * d); };
    painter.setRenderHint(QPainter::Antialiasing);
    for (const PrintMap& map : page.maps)
        PaintMap(painter, map);
    QPen solid(Qt::black, kHairline * 1.5 * d);
    QPen dashed(Qt::gray, kHairline * d, Qt::DashLine);
    for (const PrintLine& line : page.lines) {
        painter.setPen(line.bDashed ? dashed : QPen(QColor(0x80, 0x80, 0x80), kHairline * d));
        painter.drawLine(QPointF(line.x1 * d, line.y1 * d), QPointF(line.x2 * d, line.y2 * d));
    }
    painter.setPen(solid);
    painter.setBrush(Qt::NoBrush);
    for (const PrintRect& box : page.boxes)
        painter.drawRect(rect(box));
    for (const PrintFlag& flag : page.flags) {
        const QImage& image = Flag(flag.strCode);
        if (image.isNull())
            continue;
        const QRectF box = rect(flag.rc);
        QSizeF size = QSizeF(image.size()).scaled(box.size(), Qt::KeepAspectRatio);
        const QRectF target(box.center() - QPointF(size.width() / 2, size.height() / 2), size);
        painter.drawImage(target, image);
        painter.setPen(QPen(QColor(0x90, 0x90, 0x90), kHairline * d));
        painter.drawRect(target);
    }
    for (const PrintText& text : page.texts)
        PaintText(painter, text);
}

void CPdfPrinter::PaintText(QPainter& painter, const PrintText& text)
{
    const QRectF box(text.rc.x * m_dDots, text.rc.y * m_dDots, text.rc.w * m_dDots,
                     text.rc.h * m_dDots);
    // A box of one line centres it; a taller one starts at its top, as paragraphs do.
    const bool bTall = text.rc.h > 2.2f * EmMillimetres(text.fPoints);
    const int nAlign = (text.align == TextAlign::Left     ? Qt::AlignLeft
                        : text.align == TextAlign::Centre ? Qt::AlignHCenter
                                                          : Qt::AlignRight) |
                       (bTall ? Qt::AlignTop : Qt::AlignVCenter) | Qt::TextWordWrap;
    const QString str = QString::fromStdString(text.strText);
    float fPoints = text.fPoints;
    painter.setFont(PrintFont(fPoints, text.bBold));
    while (fPoints > kMinPoints) {
        const QRectF need = painter.fontMetrics().boundingRect(box.toRect(), nAlign, str);
        if (need.height() <= box.height() + 0.5 && need.width() <= box.width() + 0.5)
            break;
        fPoints -= 0.5f;
        painter.setFont(PrintFont(fPoints, text.bBold));
    }
    painter.setPen(Qt::black);
    painter.drawText(box, nAlign, str);
}

const WorldMap& CPdfPrinter::MapFor(double dTolerance)
{
    // Levels of detail halving from a coarse one, as the map window keeps them.
    int n = 0;
    while (n < 6 && 0.004 / std::pow(2.0, n) > dTolerance)
        ++n;
    std::unique_ptr<WorldMap>& pLevel = m_simplified[n];
    if (!pLevel)
        pLevel = std::make_unique<WorldMap>(m_map.Simplified(float(0.004 / std::pow(2.0, n))));
    return *pLevel;
}

void CPdfPrinter::PaintMap(QPainter& painter, const PrintMap& printed)
{
    const double d = m_dDots;
    const QRectF box(printed.rc.x * d, printed.rc.y * d, printed.rc.w * d, printed.rc.h * d);
    const MapPlacement place = MapPlacement::Fit(printed.frame, printed.rc);
    const double dScale = place.fScale * d; // dots per map unit
    // A fifth of a millimetre is below what the eye tells apart on paper.
    const WorldMap& map = MapFor(0.2 / place.fScale);
    const QRectF frame(QPointF(printed.frame.left, printed.frame.top),
                       QPointF(printed.frame.right, printed.frame.bottom));

    painter.save();
    painter.setClipRect(box);
    painter.fillRect(box, QColor(0xe4, 0xf0, 0xfa));
    painter.translate(place.x0 * d, place.y0 * d);
    painter.scale(dScale, dScale);
    QPen outline(QColor(0x30, 0x30, 0x30), kHairline * d / dScale);
    outline.setJoinStyle(Qt::RoundJoin);
    painter.setPen(outline);
    for (const MapCountry& country : map.Countries()) {
        const MapRect& rb = country.rcBounds;
        if (!frame.intersects(QRectF(QPointF(rb.left, rb.top), QPointF(rb.right, rb.bottom))))
            continue;
        QPainterPath path;
        for (const MapPolygon& polygon : map.Polygons(country))
            for (const MapRun& ring : map.Rings(polygon)) {
                const std::span<const MapPoint> points = map.Points(ring);
                path.moveTo(points[0].x, points[0].y);
                for (std::size_t i = 1; i < points.size(); ++i)
                    path.lineTo(points[i].x, points[i].y);
                path.closeSubpath();
            }
        const bool bShown =
            printed.nContinent < 0 || MapLabelFor(country.strCode).nContinent == printed.nContinent;
        painter.setBrush(bShown && !country.strCode.empty() ? QColor(Qt::white)
                                                            : QColor(0xd0, 0xd0, 0xd0));
        painter.drawPath(path);
    }
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 2 * kHairline * d / dScale, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    for (const MapRect& rc : printed.outlines)
        painter.drawRect(QRectF(QPointF(rc.left, rc.top), QPointF(rc.right, rc.bottom)));
    painter.restore();
    painter.setPen(QPen(Qt::black, kHairline * d));
    painter.drawRect(box);

    painter.save();
    painter.setClipRect(box.adjusted(-20 * d, -20 * d, 20 * d, 20 * d));
    for (const PrintMapNumber& n : printed.numbers) {
        const QPointF target(n.xTarget * d, n.yTarget * d);
        const QPointF centre(n.x * d, n.y * d);
        if (n.bRing) {
            painter.setPen(QPen(QColor(0xc0, 0x20, 0x20), 0.3 * d));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(target, kRingRadius * d, kRingRadius * d);
        }
        if (n.bLeader) {
            const QPointF dir = target - centre;
            const double len = std::hypot(dir.x(), dir.y());
            const double start = n.fRadius * d;
            const double end = n.bRing ? kRingRadius * d : 0;
            if (len > start + end) {
                painter.setPen(QPen(QColor(0x40, 0x40, 0x40), kHairline * d));
                painter.drawLine(centre + dir * (start / len), target - dir * (end / len));
            }
            if (!n.bRing) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(Qt::black);
                painter.drawEllipse(target, 0.35 * d, 0.35 * d);
            }
        }
        painter.setPen(QPen(Qt::black, kHairline * 1.5 * d));
        painter.setBrush(Qt::white);
        painter.drawEllipse(centre, n.fRadius * d, n.fRadius * d);
        painter.setFont(PrintFont(kNumberPoints, true));
        const double r = n.fRadius * d;
        painter.drawText(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), Qt::AlignCenter,
                         QString::number(n.nNumber));
    }
    painter.restore();
}

const QImage& CPdfPrinter::Flag(const std::string& code)
{
    const QString key = QString::fromStdString(code);
    auto it = m_flags.find(key);
    if (it == m_flags.end())
        // Once per code, so the writer stores each picture once however often it is printed.
        it = m_flags.insert(key, LoadFlagPicture(code, QSize(256, 256), 1.0).toImage());
    return *it;
}
