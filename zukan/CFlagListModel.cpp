#include "zukan/CFlagListModel.h"

#include "facts/FactsTable.h"
#include "learning/MasteryMap.h"
#include "platform/Resources.h"
#include "zukan/ZukanIndex.h"

namespace {

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CFlagListModel::CFlagListModel(const ZukanIndex& index, QObject* pParent)
    : QAbstractListModel(pParent), m_index(index)
{
    const auto& entries = m_index.Entries();
    m_entryRows.resize(entries.size());
    int nGroup = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].nGroup != nGroup) {
            nGroup = entries[i].nGroup;
            m_rows.push_back({nGroup, -1});
        }
        m_entryRows[i] = static_cast<int>(m_rows.size());
        m_rows.push_back({nGroup, static_cast<int>(i)});
    }
}

int CFlagListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant CFlagListModel::data(const QModelIndex& index, int nRole) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& row = m_rows[std::size_t(index.row())];
    switch (nRole) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole: {
        if (row.nEntry < 0)
            return Utf8(m_index.Groups()[std::size_t(row.nGroup)]) + QStringLiteral("州");
        const QString strName =
            Utf8(m_index.Entries()[std::size_t(row.nEntry)].pCountry->names.front());
        const int nState = MasteryOf(row.nEntry);
        if (nRole == Qt::DisplayRole || nState < 0)
            return strName;
        return strName + QStringLiteral("（%1）").arg(
                             QString::fromUtf8(MasteryName(static_cast<Mastery>(nState))));
    }
    case kMasteryRole:
        return row.nEntry < 0 ? -1 : MasteryOf(row.nEntry);
    default:
        return {};
    }
}

Qt::ItemFlags CFlagListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || EntryAt(index.row()) < 0)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void CFlagListModel::SetMasteryStates(std::vector<int> byEntry)
{
    m_mastery = std::move(byEntry);
    if (!m_rows.empty())
        emit dataChanged(index(0), index(rowCount() - 1));
}

int CFlagListModel::MasteryOf(int nEntry) const
{
    return std::size_t(nEntry) < m_mastery.size() ? m_mastery[std::size_t(nEntry)] : -1;
}

std::vector<bool> CFlagListModel::RowsShown(const std::vector<int>& found) const
{
    std::vector<bool> shown(m_rows.size(), false);
    for (int nEntry : found) {
        const int nRow = RowOfEntry(nEntry);
        shown[std::size_t(nRow)] = true;
        int nHeading = nRow;
        while (m_rows[std::size_t(nHeading)].nEntry >= 0)
            --nHeading;
        shown[std::size_t(nHeading)] = true;
    }
    return shown;
}

QPixmap CFlagListModel::Flag(int nRow, QSize size, qreal dpr) const
{
    const int nEntry = EntryAt(nRow);
    if (nEntry < 0)
        return {};
    Picture& flag = m_flags[nRow];
    if (flag.box != size || flag.dDpr != dpr)
        flag = {size, dpr,
                LoadFlagPicture(m_index.Entries()[std::size_t(nEntry)].pCountry->code, size, dpr)};
    return flag.pixmap;
}
