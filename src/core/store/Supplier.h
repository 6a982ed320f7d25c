#pragma once

#include "common/Money.h"
#include "common/Notes.h"
#include "store/RecordTraits.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace store {

// A supplier, shared by all projects.
struct Supplier
{
    Key supplierid = 0;
    QString Name;
    QString address1;
    QString address2;
    QString city;
    QString State;
    QString Zip;
    QString Telephone;
    QString Fax;
    QString Email; // the web site
    QString CatalogNbr;
    common::NoteParts notes;

    GEARLOG_RECORD_TRAITS(Supplier, supplierid)
};

} // namespace store
