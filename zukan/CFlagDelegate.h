#pragma once

#include <QStyledItemDelegate>

class CFlagListModel;
class QListView;

// Paints the 図鑑's rows: a flag in a frame with its name under it, in cells of one size laid
// in rows; a 州 heading as wide as the view, so each 州 starts a row of its own.
class CFlagDelegate : public QStyledItemDelegate
{
  public:
    CFlagDelegate(const CFlagListModel& model, QListView* pView);

    void paint(QPainter* pPainter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    QSize CellSize() const;
    QSize FlagBox() const;

  private:
    void PaintMastery(QPainter* pPainter, const QRect& cell, int nState) const;
    void PaintHeading(QPainter* pPainter, const QStyleOptionViewItem& option,
                      const QModelIndex& index) const;

    const CFlagListModel& m_model;
    QListView* m_pView;
};
