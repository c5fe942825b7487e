#include "zukan/CFlagDelegate.h"

#include "learning/MasteryMap.h"
#include "platform/CDialogUnits.h"
#include "zukan/CFlagListModel.h"

#include <QApplication>
#include <QListView>
#include <QPainter>

namespace {

// In dialog units: a cell holds a 3:2 flag and two lines of its name.
constexpr int kCellCx = 58, kCellCy = 52;
constexpr int kFlagCx = 48, kFlagCy = 32;
constexpr int kHeadingCy = 14;

} // namespace

CFlagDelegate::CFlagDelegate(const CFlagListModel& model, QListView* pView)
    : QStyledItemDelegate(pView), m_model(model), m_pView(pView)
{
}

QSize CFlagDelegate::CellSize() const
{
    return CDialogUnits(m_pView->font()).Size(kCellCx, kCellCy);
}

QSize CFlagDelegate::FlagBox() const
{
    return CDialogUnits(m_pView->font()).Size(kFlagCx, kFlagCy);
}

QSize CFlagDelegate::sizeHint(const QStyleOptionViewItem& /*option*/,
                              const QModelIndex& index) const
{
    if (m_model.EntryAt(index.row()) >= 0)
        return CellSize();
    // The whole width left of the view, so the heading stands alone in its row.
    const int nWidth = m_pView->viewport()->width() - 2 * m_pView->spacing() - 1;
    return {std::max(nWidth, CellSize().width()), CDialogUnits(m_pView->font()).Y(kHeadingCy)};
}

void CFlagDelegate::paint(QPainter* pPainter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    if (m_model.EntryAt(index.row()) < 0) {
        PaintHeading(pPainter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* pWidget = opt.widget;
    QStyle* pStyle = pWidget ? pWidget->style() : QApplication::style();
    pStyle->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, pPainter, pWidget);

    const QRect cell = opt.rect;
    const CDialogUnits du(opt.font);
    const QRect flagArea(cell.left(), cell.top() + du.Y(2), cell.width(), du.Y(kFlagCy));
    const QPixmap flag =
        m_model.Flag(index.row(), FlagBox(), pPainter->device()->devicePixelRatioF());
    if (!flag.isNull()) {
        const QSize size = flag.deviceIndependentSize().toSize();
        const QRect target(
            QPoint(flagArea.center().x() - size.width() / 2, flagArea.bottom() - size.height() + 1),
            size);
        pPainter->drawPixmap(target.topLeft(), flag);
        pPainter->setPen(opt.palette.color(QPalette::Mid));
        pPainter->drawRect(target.adjusted(-1, -1, 0, 0));
    }

    PaintMastery(pPainter, cell, index.data(CFlagListModel::kMasteryRole).toInt());

    const QRect textArea(cell.left() + du.X(1), flagArea.bottom() + du.Y(2), cell.width() - du.X(2),
                         cell.bottom() - flagArea.bottom() - du.Y(2));
    const bool bSelected = opt.state & QStyle::State_Selected;
    pPainter->setPen(opt.palette.color(bSelected ? QPalette::HighlightedText : QPalette::Text));
    pPainter->setFont(opt.font);
    pPainter->drawText(textArea, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere, opt.text);

    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = cell.adjusted(1, 1, -1, -1);
        pStyle->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, pPainter, pWidget);
    }
}

// A mark in the cell's top right corner, by shape as well as colour: 要復習 a triangle with "!",
// 学習中 a ring, 習得 a disc with a tick; 未出題 none.
void CFlagDelegate::PaintMastery(QPainter* pPainter, const QRect& cell, int nState) const
{
    if (nState <= static_cast<int>(Mastery::Unasked))
        return;
    const QColor colour(QRgb(MasteryRgb(static_cast<Mastery>(nState))));
    const double d = CDialogUnits(m_pView->font()).X(8);
    const QRectF box(cell.right() - d - 1, cell.top() + 1, d, d);
    pPainter->save();
    pPainter->setRenderHint(QPainter::Antialiasing);
    QPen outline(Qt::white, 1.2);
    switch (static_cast<Mastery>(nState)) {
    case Mastery::Review: {
        const QPointF points[] = {
            {box.center().x(), box.top()}, box.bottomRight(), box.bottomLeft()};
        pPainter->setPen(outline);
        pPainter->setBrush(colour);
        pPainter->drawPolygon(points, 3);
        pPainter->setPen(QPen(Qt::white, d / 7, Qt::SolidLine, Qt::RoundCap));
        const double x = box.center().x();
        pPainter->drawLine(QPointF(x, box.top() + d * 0.35), QPointF(x, box.top() + d * 0.65));
        pPainter->drawPoint(QPointF(x, box.top() + d * 0.82));
        break;
    }
    case Mastery::Learning:
        pPainter->setPen(QPen(colour, d / 4));
        pPainter->setBrush(Qt::white);
        pPainter->drawEllipse(box.adjusted(d / 8, d / 8, -d / 8, -d / 8));
        break;
    default:
        pPainter->setPen(outline);
        pPainter->setBrush(colour);
        pPainter->drawEllipse(box);
        pPainter->setPen(QPen(Qt::white, d / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF tick[] = {{box.left() + d * 0.25, box.top() + d * 0.52},
                                {box.left() + d * 0.43, box.top() + d * 0.7},
                                {box.left() + d * 0.76, box.top() + d * 0.32}};
        pPainter->drawPolyline(tick, 3);
        break;
    }
    pPainter->restore();
}

void CFlagDelegate::PaintHeading(QPainter* pPainter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QFont font = option.font;
    font.setBold(true);
    pPainter->setFont(font);
    // Headings are disabled items, so the keys pass them; they are not to look disabled.
    pPainter->setPen(option.palette.color(QPalette::Active, QPalette::WindowText));
    const QRect rc = option.rect;
    pPainter->drawText(rc.adjusted(2, 0, 0, -2), Qt::AlignLeft | Qt::AlignBottom,
                       index.data().toString());
    pPainter->setPen(option.palette.color(QPalette::Active, QPalette::Mid));
    pPainter->drawLine(rc.left(), rc.bottom(), rc.right(), rc.bottom());
}
