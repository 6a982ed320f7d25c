#pragma once

#include <QList>
#include <QVariant>

namespace store {

template <class Rec> class Table;

// A row's column values exactly as the database gave them when it was read. A save compares
// against these, not against values written again from the record: old files hold dates with a
// time part, whole numbers in REAL columns and text in number columns, which the record tidies.
class Snapshot
{
public:
    Snapshot() = default;
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    template <class Rec> friend class Table;
    explicit Snapshot(QList<QVariant> values)
        : m_values(std::move(values))
    {
    }
    QList<QVariant> m_values;
};

// A record with what it was read from.
template <class Rec> struct Loaded
{
    Rec record;
    Snapshot snapshot;
};

} // namespace store
