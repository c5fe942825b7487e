#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>

#include <vector>

class ZukanIndex;

// The 図鑑's list as rows: a heading for each 州 ("アジア州"), then its countries' flags with
// their names. Headings are neither enabled nor selectable, so the keys pass over them. A
// flag's picture is decoded when first painted, at the size and pixel ratio it is painted at.
class CFlagListModel : public QAbstractListModel
{
  public:
    CFlagListModel(const ZukanIndex& index, QObject* pParent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int nRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The ZukanIndex entry of a row; -1 for a heading.
    int EntryAt(int nRow) const { return m_rows[std::size_t(nRow)].nEntry; }
    int GroupAt(int nRow) const { return m_rows[std::size_t(nRow)].nGroup; }
    int RowOfEntry(int nEntry) const { return m_entryRows[std::size_t(nEntry)]; }
    // Per row, whether it stays in view when these entries are found: their flags, and the
    // heading of each 州 that has one of them.
    std::vector<bool> RowsShown(const std::vector<int>& found) const;

    // The flag of a row's country fitted into size (logical pixels) at the pixel ratio dpr.
    QPixmap Flag(int nRow, QSize size, qreal dpr) const;
    // The learner's mastery state (learning/MasteryMap.h's Mastery) per entry; the name's
    // tooltip and accessible text say it. Before any are given, none is shown.
    static constexpr int kMasteryRole = Qt::UserRole + 1;
    void SetMasteryStates(std::vector<int> byEntry);
    // -1 when none is known.
    int MasteryOf(int nEntry) const;

    int DecodedFlags() const { return static_cast<int>(m_flags.size()); }

  private:
    struct Row
    {
        int nGroup;
        int nEntry;
    };

    const ZukanIndex& m_index;
    std::vector<int> m_mastery; // per entry
    std::vector<Row> m_rows;
    std::vector<int> m_entryRows;
    struct Picture
    {
        QSize box;
        qreal dDpr = 0;
        QPixmap pixmap;
    };
    mutable QHash<int, Picture> m_flags; // by row, for the size and ratio last asked
};
