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

// A group of materials of one car.
struct Assembly
{
    qint32 assemblyid = 0;
    qint32 carid = 0;
    QString Description;
    std::optional<qint32> Status;
    QString imagepath;
    common::NoteParts notes;
    QDateTime auditdate;

    static const char* const Table;
    static const char* const Key;
    static const QStringList& columns(); // every column but the key, in the order read and written
    static Assembly read(RowReader& row); // key first, then columns()
    void write(RowWriter& row) const; // columns() only
    qint32 key() const { return assemblyid; }
    void setKey(qint32 value) { assemblyid = value; }
};

} // namespace store
