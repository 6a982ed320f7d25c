#pragma once

#include "common/Money.h"
#include "common/Notes.h"
#include "store/RecordTraits.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace store {

// A task within a phase. Empty dates are invalid QDates, stored as Null.
struct Activity
{
    Key ActivityID = 0;
    Key carid = 0;
    Key PhaseID = 0;
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

    GEARLOG_RECORD_TRAITS(Activity, ActivityID)
};

} // namespace store
