#include "store/Activity.h"
#include "store/Assembly.h"
#include "store/Car.h"
#include "store/Component.h"
#include "store/Phase.h"
#include "store/Row.h"
#include "store/Supplier.h"

// Column lists and row mapping of the six tables. read() and write() walk the columns in the
// order columns() lists them.

namespace store {

namespace {
QStringList withNotes(QStringList columns, bool stamped)
{
    columns << QStringLiteral("note1") << QStringLiteral("note2") << QStringLiteral("note3");
    if (stamped)
        columns << QStringLiteral("auditdate");
    return columns;
}
} // namespace

const char* const Car::Table = "Car";
const char* const Car::KeyColumn = "carid";

const QStringList& Car::columns()
{
    static const QStringList c = withNotes({ "Description", "make", "model", "Year", "purchaseprice", "resalevalue",
                                             "totalbudget", "imagepath", "Status" },
                                           true);
    return c;
}

Car Car::read(RowReader& row)
{
    Car r;
    r.carid = row.key();
    r.Description = row.text();
    r.make = row.text();
    r.model = row.text();
    r.Year = row.text();
    r.purchaseprice = row.money();
    r.resalevalue = row.money();
    r.totalbudget = row.money();
    r.imagepath = row.text();
    r.Status = row.integer();
    r.notes = row.notes();
    r.auditdate = row.stamp();
    return r;
}

void Car::write(RowWriter& row) const
{
    row.text(Description).text(make).text(model).text(Year);
    row.money(purchaseprice).money(resalevalue).money(totalbudget);
    row.text(imagepath).integer(Status).notes(notes).stamp(auditdate);
}

const char* const Assembly::Table = "Assembly";
const char* const Assembly::KeyColumn = "assemblyid";

const QStringList& Assembly::columns()
{
    static const QStringList c = withNotes({ "carid", "Description", "Status", "imagepath" }, true);
    return c;
}

Assembly Assembly::read(RowReader& row)
{
    Assembly r;
    r.assemblyid = row.key();
    r.carid = row.reference().value_or(0);
    r.Description = row.text();
    r.Status = row.integer();
    r.imagepath = row.text();
    r.notes = row.notes();
    r.auditdate = row.stamp();
    return r;
}

void Assembly::write(RowWriter& row) const
{
    row.reference(carid).text(Description).integer(Status).text(imagepath).notes(notes).stamp(auditdate);
}

const char* const Component::Table = "Component";
const char* const Component::KeyColumn = "componentid";

const QStringList& Component::columns()
{
    static const QStringList c = withNotes({ "carid", "assemblyid", "ActivityID", "Description", "Status",
                                             "SupplierName", "catalogpage", "quantity", "targetcost", "actualcost",
                                             "wishlist", "imagepath" },
                                           true);
    return c;
}

Component Component::read(RowReader& row)
{
    Component r;
    r.componentid = row.key();
    r.carid = row.reference().value_or(0);
    r.assemblyid = row.reference().value_or(0);
    r.ActivityID = row.reference();
    r.Description = row.text();
    r.Status = row.integer();
    r.SupplierName = row.text();
    r.catalogpage = row.text();
    r.quantity = row.integer();
    r.targetcost = row.money();
    r.actualcost = row.money();
    r.wishlist = row.integer();
    r.imagepath = row.text();
    r.notes = row.notes();
    r.auditdate = row.stamp();
    return r;
}

void Component::write(RowWriter& row) const
{
    row.reference(carid).reference(assemblyid).reference(ActivityID).text(Description).integer(Status);
    row.text(SupplierName).text(catalogpage).integer(quantity).money(targetcost).money(actualcost);
    row.integer(wishlist).text(imagepath).notes(notes).stamp(auditdate);
}

const char* const Phase::Table = "Phase";
const char* const Phase::KeyColumn = "PhaseID";

const QStringList& Phase::columns()
{
    static const QStringList c = withNotes({ "carid", "prioritysequence", "Description", "Status" }, true);
    return c;
}

Phase Phase::read(RowReader& row)
{
    Phase r;
    r.PhaseID = row.key();
    r.carid = row.reference().value_or(0);
    r.prioritysequence = row.integer();
    r.Description = row.text();
    r.Status = row.integer();
    r.notes = row.notes();
    r.auditdate = row.stamp();
    return r;
}

void Phase::write(RowWriter& row) const
{
    row.reference(carid).integer(prioritysequence).text(Description).integer(Status).notes(notes).stamp(auditdate);
}

const char* const Activity::Table = "Activity";
const char* const Activity::KeyColumn = "ActivityID";

const QStringList& Activity::columns()
{
    static const QStringList c = withNotes({ "carid", "PhaseID", "prioritysequence", "Description", "Status",
                                             "targetstartdate", "targetstopdate", "targeteffort",
                                             "actualstartdate", "actualstopdate", "actualeffort" },
                                           true);
    return c;
}

Activity Activity::read(RowReader& row)
{
    Activity r;
    r.ActivityID = row.key();
    r.carid = row.reference().value_or(0);
    r.PhaseID = row.reference().value_or(0);
    r.prioritysequence = row.integer();
    r.Description = row.text();
    r.Status = row.integer();
    r.targetstartdate = row.date();
    r.targetstopdate = row.date();
    r.targeteffort = row.number();
    r.actualstartdate = row.date();
    r.actualstopdate = row.date();
    r.actualeffort = row.number();
    r.notes = row.notes();
    r.auditdate = row.stamp();
    return r;
}

void Activity::write(RowWriter& row) const
{
    row.reference(carid).reference(PhaseID).integer(prioritysequence).text(Description).integer(Status);
    row.date(targetstartdate).date(targetstopdate).number(targeteffort);
    row.date(actualstartdate).date(actualstopdate).number(actualeffort);
    row.notes(notes).stamp(auditdate);
}

const char* const Supplier::Table = "Supplier";
const char* const Supplier::KeyColumn = "supplierid";

const QStringList& Supplier::columns()
{
    static const QStringList c = withNotes(
        { "Name", "address1", "address2", "city", "State", "Zip", "Telephone", "Fax", "Email", "CatalogNbr" }, false);
    return c;
}

Supplier Supplier::read(RowReader& row)
{
    Supplier r;
    r.supplierid = row.key();
    r.Name = row.text();
    r.address1 = row.text();
    r.address2 = row.text();
    r.city = row.text();
    r.State = row.text();
    r.Zip = row.text();
    r.Telephone = row.text();
    r.Fax = row.text();
    r.Email = row.text();
    r.CatalogNbr = row.text();
    r.notes = row.notes();
    return r;
}

void Supplier::write(RowWriter& row) const
{
    row.text(Name).text(address1).text(address2).text(city).text(State).text(Zip);
    row.text(Telephone).text(Fax).text(Email).text(CatalogNbr).notes(notes);
}

} // namespace store
