#include "project/EntryListModel.h"

#include "project/Kind.h"

namespace project {

void EntryListModel::setEntries(const QList<store::Entry>& entries)
{
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

int EntryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const store::Entry& e = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return e.text;
    case KeyRole:
        return e.key;
    default:
        return {};
    }
}

} // namespace project
