#pragma once

#include "common/Money.h"
#include "common/Notes.h"
#include "store/RecordTraits.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace store {

// A part or service within an assembly; names its supplier by name.
struct Component
{
    Key componentid = 0;
    Key carid = 0;
    Key assemblyid = 0;
    std::optional<Key> ActivityID; // Null or 0: not attached
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

    GEARLOG_RECORD_TRAITS(Component, componentid)
};

} // namespace store
