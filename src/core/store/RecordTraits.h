#pragma once

#include <QStringList>
#include <QtGlobal>

namespace store {

// A record's number: 64 bits end to end, as SQLite's own row numbers.
using Key = qint64;

class RowReader;
class RowWriter;

} // namespace store

// What Table<> needs of a record: its table and key names, its other columns in the order they
// are read and written, and the mapping to and from a row (Records.cpp).
#define GEARLOG_RECORD_TRAITS(Type, keyMember)                                                                         \
    static const char* const Table;                                                                                    \
    static const char* const KeyColumn;                                                                                \
    static const QStringList& columns();                                                                               \
    static Type read(RowReader& row);                                                                                  \
    void write(RowWriter& row) const;                                                                                  \
    Key key() const                                                                                                    \
    {                                                                                                                  \
        return keyMember;                                                                                              \
    }                                                                                                                  \
    void setKey(Key value)                                                                                             \
    {                                                                                                                  \
        keyMember = value;                                                                                             \
    }
