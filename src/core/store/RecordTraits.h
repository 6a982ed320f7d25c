#pragma once

#include <QStringList>
#include <QtGlobal>

namespace store {

class RowReader;
class RowWriter;

} // namespace store

// What Table<> needs of a record: its table and key names, its other columns in the order they
// are read and written, and the mapping to and from a row (Records.cpp).
#define GEARLOG_RECORD_TRAITS(Type, keyMember)                                                                         \
    static const char* const Table;                                                                                    \
    static const char* const Key;                                                                                      \
    static const QStringList& columns();                                                                               \
    static Type read(RowReader& row);                                                                                  \
    void write(RowWriter& row) const;                                                                                  \
    qint32 key() const { return keyMember; }                                                                           \
    void setKey(qint32 value) { keyMember = value; }
