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

// A supplier, shared by all projects.
struct Supplier
{
    qint32 supplierid = 0;
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

    static const char* const Table;
    static const char* const Key;
    static const QStringList& columns(); // every column but the key, in the order read and written
    static Supplier read(RowReader& row); // key first, then columns()
    void write(RowWriter& row) const; // columns() only
    qint32 key() const { return supplierid; }
    void setKey(qint32 value) { supplierid = value; }
};

} // namespace store
