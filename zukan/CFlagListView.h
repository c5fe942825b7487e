#pragma once

#include <QListView>

class CFlagListModel;

// The 図鑑's list: flags in rows, wrapping with the width. The mouse chooses as in any list
// (click, Ctrl, Shift); the keys move without touching the choice, so a set picked one by one
// survives browsing: Space picks or drops the flag at the cursor, Shift with a key extends the
// choice. Home, End and the page keys land on the nearest flag shown, never on a 州 heading.
class CFlagListView : public QListView
{
  public:
    CFlagListView(const CFlagListModel& model, QWidget* pParent);

  protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* pEvent) const override;

  private:
    QModelIndex NearestFlag(int nRow, int nStep) const;

    const CFlagListModel& m_model;
};
