#pragma once

#include "common/Money.h"
#include "common/Notes.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace store {

class RowReader;
class RowWriter;

// A part or service within an assembly; names its supplier by name.
struct Component
{
    qint32 componentid = 0;
    qint32 carid = 0;
    qint32 assemblyid = 0;
    std::optional<qint32> ActivityID; // Null or 0: not attached
    QString Description;
    std::optional<qint32> Status;
    QString SupplierName;
    QString catalogpage;
    std::optional<qint32> quantity;
    std::optional<common::Money> targetcost; // one unit
    std::optional<common::Money> actualcost; // one unit
    std::optional<qint32> wishlist;
    QString imagepath;
    common::NoteParts notes;
    QDateTime auditdate;

    bool isAttached() const { return ActivityID.value_or(0) != 0; }

    static const char* const Table;
    static const char* const Key;
    static const QStringList& columns(); // every column but the key, in the order read and written
    static Component read(RowReader& row); // key first, then columns()
    void write(RowWriter& row) const; // columns() only
    qint32 key() const { return componentid; }
    void setKey(qint32 value) { componentid = value; }
};

} // namespace store
