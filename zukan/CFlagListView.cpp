#include "zukan/CFlagListView.h"

#include "zukan/CFlagListModel.h"

#include <QKeyEvent>

CFlagListView::CFlagListView(const CFlagListModel& model, QWidget* pParent)
    : QListView(pParent), m_model(model)
{
}

QModelIndex CFlagListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = QListView::moveCursor(action, modifiers);
    if (!index.isValid() || m_model.EntryAt(index.row()) >= 0)
        return index;
    // A heading: the flag after it, or before it where the keys go up and none follows.
    const bool bUp =
        action == MoveEnd || action == MovePageUp || action == MoveUp || action == MovePrevious;
    const QModelIndex flag = NearestFlag(index.row(), bUp ? -1 : 1);
    return flag.isValid() ? flag : NearestFlag(index.row(), bUp ? 1 : -1);
}

QItemSelectionModel::SelectionFlags CFlagListView::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* pEvent) const
{
    if (pEvent && pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<const QKeyEvent*>(pEvent);
        if (pKey->key() == Qt::Key_Space)
            return QItemSelectionModel::Toggle;
        if (!(pKey->modifiers() & Qt::ShiftModifier))
            return QItemSelectionModel::NoUpdate;
    }
    return QListView::selectionCommand(index, pEvent);
}

QModelIndex CFlagListView::NearestFlag(int nRow, int nStep) const
{
    for (int n = nRow; n >= 0 && n < m_model.rowCount(); n += nStep)
        if (m_model.EntryAt(n) >= 0 && !isRowHidden(n))
            return m_model.index(n);
    return {};
}
