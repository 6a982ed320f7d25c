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

// A task within a phase. Empty dates are invalid QDates, stored as Null.
struct Activity
{
    qint32 ActivityID = 0;
    qint32 carid = 0;
    qint32 PhaseID = 0;
    std::optional<qint32> prioritysequence;
    QString Description;
    std::optional<qint32> Status;
    QDate targetstartdate;
    QDate targetstopdate;
    std::optional<double> targeteffort; // hours
    QDate actualstartdate;
    QDate actualstopdate;
    std::optional<double> actualeffort; // hours
    common::NoteParts notes;
    QDateTime auditdate;

    static const char* const Table;
    static const char* const Key;
    static const QStringList& columns(); // every column but the key, in the order read and written
    static Activity read(RowReader& row); // key first, then columns()
    void write(RowWriter& row) const; // columns() only
    qint32 key() const { return ActivityID; }
    void setKey(qint32 value) { ActivityID = value; }
};

} // namespace store
