#pragma once

#include "common/Money.h"
#include "common/Notes.h"
#include "store/RecordTraits.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace store {

// A stage of the work plan of one car.
struct Phase
{
    Key PhaseID = 0;
    Key carid = 0;
    std::optional<qint32> prioritysequence;
    QString Description;
    std::optional<qint32> Status;
    common::NoteParts notes;
    QDateTime auditdate;

    GEARLOG_RECORD_TRAITS(Phase, PhaseID)
};

} // namespace store
