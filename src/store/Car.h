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

// One project car.
struct Car
{
    qint32 carid = 0;
    QString Description;
    QString make;
    QString model;
    QString Year;
    std::optional<common::Money> purchaseprice;
    std::optional<common::Money> resalevalue;
    std::optional<common::Money> totalbudget;
    QString imagepath;
    std::optional<qint32> Status;
    common::NoteParts notes;
    QDateTime auditdate;

    static const char* const Table;
    static const char* const Key;
    static const QStringList& columns(); // every column but the key, in the order read and written
    static Car read(RowReader& row); // key first, then columns()
    void write(RowWriter& row) const; // columns() only
    qint32 key() const { return carid; }
    void setKey(qint32 value) { carid = value; }
};

} // namespace store
