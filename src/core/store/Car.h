#pragma once

#include "common/Money.h"
#include "common/Notes.h"
#include "store/RecordTraits.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace store {

// One project car.
struct Car
{
    Key carid = 0;
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

    GEARLOG_RECORD_TRAITS(Car, carid)
};

} // namespace store
