#pragma once

#include "store/Table.h"

#include <QAbstractListModel>
#include <QList>

namespace project {

// The entries of a pick list: each row shows a record's description and carries its key in
// KeyRole (Qt::UserRole, which QComboBox::itemData and findData read). Refilled in one go, so a
// list of a thousand entries costs one reset rather than a thousand insertions.
class EntryListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(const QList<store::Entry>& entries);
    const QList<store::Entry>& entries() const { return m_entries; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<store::Entry> m_entries;
};

} // namespace project
