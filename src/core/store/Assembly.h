#pragma once

#include "common/Money.h"
#include "common/Notes.h"
#include "store/RecordTraits.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace store {

// A group of materials of one car.
struct Assembly
{
    Key assemblyid = 0;
    Key carid = 0;
    QString Description;
    std::optional<qint32> Status;
    QString imagepath;
    common::NoteParts notes;
    QDateTime auditdate;

    GEARLOG_RECORD_TRAITS(Assembly, assemblyid)
};

} // namespace store
