#pragma once

#include "store/Activity.h"
#include "store/Assembly.h"
#include "store/Car.h"
#include "store/Component.h"
#include "store/Phase.h"
#include "store/Supplier.h"
#include "store/Table.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The checks a record passes before it is saved, and the record its fields make, on the texts
// typed into a tab. The windows read their boxes into these values and show what comes back.
namespace project {

// The largest figures a record may hold, either way from zero, in the ten-thousandths the parser
// gives, so that no amount is judged through floating point. The editor and the import accept
// the same. A single row's cost times quantity stays far inside what money holds; a total of
// many such rows may not, and is then shown as too large.
namespace limits {
constexpr qint64 Units = 10000; // common::Money::Scale
constexpr qint64 CarMoney = 999999999 * Units; // whole dollars
constexpr qint64 UnitCost = 999999999 * (Units / 100); // 9,999,999.99
constexpr qint64 Quantity = 999999 * Units;
constexpr qint64 Effort = 999999 * Units; // hours: no total of hours comes near MaxHours
} // namespace limits

// Why a record may not be saved: the message, the objectName of the field the cursor goes to,
// and whether that field's text is selected so that typing replaces it.
struct Refusal
{
    QString message;
    QString field;
    bool selectText = true;
    bool operator==(const Refusal&) const = default;
};

// A list naming another record of the car: the text it shows, the key of the entry picked in it
// while the text is still that entry's (none once something else is typed), and the car's entries
// in list order.
struct RelationField
{
    QString text;
    std::optional<store::Key> pickedKey;
    QList<store::Entry> entries;
};

// The key the text names: the picked entry's, else the first entry with that text, case ignored.
// None for an empty text or one that names no entry.
std::optional<store::Key> relationKey(const RelationField& list);

// What each tab's fields hold. A status is the index of the chosen entry, -1 for none.
struct CarFields
{
    QString description, purchasePrice, resaleValue, totalBudget, make, model, year, imagePath, notes;
};

struct AssemblyFields
{
    QString description;
    int status = -1;
    QString imagePath, notes;
};

struct ComponentFields
{
    QString description;
    int status = -1;
    RelationField assembly;
    RelationField activity; // empty: not attached
    QString supplierName, catalogPage, quantity, targetCost, actualCost;
    bool wishList = false;
    QString imagePath, notes;
};

struct PhaseFields
{
    QString description;
    int status = -1;
    QString notes;
};

// An activity's planned and actual times; the activity date window edits only these.
struct TimeFields
{
    QString targetStart, targetStop, targetEffort, actualStart, actualStop, actualEffort;
};

struct ActivityFields
{
    QString description;
    int status = -1;
    RelationField phase;
    TimeFields times;
    QString notes;
};

struct SupplierFields
{
    QString name, address1, address2, city, state, zip, telephone, fax, email, catalogNbr, notes;
};

// The fields as the rules leave them: descriptions and names cut to 30 characters, empty number
// boxes of components and activities set to "0". They go back into the boxes even when refused.
template <class Fields> struct Checked
{
    Fields fields;
    std::optional<Refusal> refusal; // the first rule that failed
};

template <class Fields, class Record> struct Outcome : Checked<Fields>
{
    std::optional<Record> record; // built exactly when nothing was refused
};

// Each kind's rules in their order, then the record the tidied texts make over `row`: the record
// as loaded for a change, or a default one (key 0) for an add, which joins `carId`. Everything the
// tab shows is overwritten; keys, and a new phase's or activity's priority sequence (the store
// knows the next one), are the caller's.
Outcome<CarFields, store::Car> carRecord(const CarFields& typed, store::Car row, const QDateTime& stamp);
Outcome<AssemblyFields, store::Assembly> assemblyRecord(
    const AssemblyFields& typed, store::Assembly row, store::Key carId, const QDateTime& stamp);
Outcome<ComponentFields, store::Component> componentRecord(
    const ComponentFields& typed, store::Component row, store::Key carId, const QDateTime& stamp);
Outcome<PhaseFields, store::Phase> phaseRecord(
    const PhaseFields& typed, store::Phase row, store::Key carId, const QDateTime& stamp);
Outcome<ActivityFields, store::Activity> activityRecord(
    const ActivityFields& typed, store::Activity row, store::Key carId, const QDateTime& stamp);
Outcome<SupplierFields, store::Supplier> supplierRecord(const SupplierFields& typed, store::Supplier row);

// The effort and date rules of an activity, shared by the activity tab and the activity date window.
Checked<TimeFields> checkTimes(const TimeFields& typed);
// Puts checked times into the record: an empty date is Null, an effort its number.
void applyTimes(const TimeFields& checked, store::Activity& row);

} // namespace project
