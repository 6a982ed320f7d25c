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

// A stage of the work plan of one car.
struct Phase
{
    qint32 PhaseID = 0;
    qint32 carid = 0;
    std::optional<qint32> prioritysequence;
    QString Description;
    std::optional<qint32> Status;
    common::NoteParts notes;
    QDateTime auditdate;

    static const char* const Table;
    static const char* const Key;
    static const QStringList& columns(); // every column but the key, in the order read and written
    static Phase read(RowReader& row); // key first, then columns()
    void write(RowWriter& row) const; // columns() only
    qint32 key() const { return PhaseID; }
    void setKey(qint32 value) { PhaseID = value; }
};

} // namespace store
