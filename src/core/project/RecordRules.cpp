#include "project/RecordRules.h"
#include "store/RecordTraits.h"

#include "common/Formats.h"
#include "common/Money.h"
#include "common/Notes.h"
#include "common/Parse.h"

#include <cstdlib>
#include <limits>
#include <utility>

namespace project {

namespace {

constexpr int DescriptionLength = 30;

static_assert(limits::Units == common::Money::Scale);
constexpr qint64 MaxCarMoney = limits::CarMoney;
constexpr qint64 MaxUnitCost = limits::UnitCost;
constexpr qint64 MaxQuantity = limits::Quantity;
constexpr qint64 MaxEffort = limits::Effort;

const QString NoDescription = QStringLiteral("You Have To Enter A Description!");
const QString BadStatus = QStringLiteral("You Have Selected An Invalid 'Status' Code!");
const QString StopWithoutStart = QStringLiteral("If You Have A Stop Date You Must Have A Start Date");

using Refused = std::optional<Refusal>;

Refusal refusal(const QString& message, const char* field, bool selectText = true)
{
    return { message, QLatin1String(field), selectText };
}

void cut(QString& text)
{
    text = common::leftCodePoints(text, DescriptionLength);
}

void zeroWhenEmpty(QString& text)
{
    if (text.isEmpty())
        text = QStringLiteral("0");
}

std::optional<qint64> unitsOf(const QString& text)
{
    const auto value = common::parseDecimal(text);
    return value ? std::optional<qint64>(value->units) : std::nullopt;
}

bool filledButNotNumeric(const QString& text)
{
    return !text.isEmpty() && !common::isNumeric(text);
}

bool filledButNotDate(const QString& text)
{
    return !text.isEmpty() && !common::isDate(text);
}

// The parser never gives the lowest 64-bit value, so the magnitude always fits.
bool tooLarge(const QString& text, qint64 limit)
{
    const auto units = unitsOf(text);
    return units && std::llabs(*units) > limit;
}

QString tooLargeText(const char* what, const char* limit)
{
    return QStringLiteral("The %1 Is Too Large (At Most %2)").arg(QLatin1String(what), QLatin1String(limit));
}

// Both dates given and the stop sorts before the start, compared as YYYY/MM/DD texts.
bool stopBeforeStart(const QString& start, const QString& stop)
{
    if (start.isEmpty() || stop.isEmpty())
        return false;
    const auto from = common::parseDate(start);
    const auto to = common::parseDate(stop);
    if (!from || !to)
        return false;
    return common::formatDate(*to, common::DateForm::Sortable) < common::formatDate(*from, common::DateForm::Sortable);
}

// A number box as money: not numeric is 0.
common::Money moneyOf(const QString& text)
{
    return common::Money::parse(text).value_or(common::Money());
}

// A whole number: rounded half away from zero; not numeric, or out of range, is 0.
qint32 wholeOf(const QString& text)
{
    const auto value = common::Money::parse(text);
    if (!value)
        return 0;
    const qint64 whole = value->roundedTo(0).units() / common::Money::Scale;
    if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(whole);
}

QDate dateOf(const QString& text)
{
    return common::parseDate(text).value_or(QDate());
}

std::optional<qint32> statusOf(int index)
{
    return index >= 0 ? std::optional<qint32>(index) : std::nullopt;
}

Refused checkCar(CarFields& f)
{
    if (f.description.isEmpty())
        return refusal(NoDescription, "CarDisplayDescription", false);
    cut(f.description);
    if (filledButNotNumeric(f.purchasePrice))
        return refusal(QStringLiteral("The Purchase Price Is Not A Number"), "CarPurchasePrice");
    if (filledButNotNumeric(f.resaleValue))
        return refusal(QStringLiteral("The Car Resale Is Not A Number"), "CarResaleValue");
    if (filledButNotNumeric(f.totalBudget))
        return refusal(QStringLiteral("The Car Total Budget Is Not A Number"), "CarTotalBudget");
    const std::pair<const QString*, const char*> amounts[] = {
        { &f.purchasePrice, "CarPurchasePrice" },
        { &f.resaleValue, "CarResaleValue" },
        { &f.totalBudget, "CarTotalBudget" },
    };
    for (const auto& [text, field] : amounts) {
        if (tooLarge(*text, MaxCarMoney))
            return refusal(tooLargeText("Amount", "$999,999,999"), field);
    }
    return std::nullopt;
}

// Assemblies and phases: a name and a status.
Refused checkNameAndStatus(QString& description, int status, const char* descriptionField, const char* statusField)
{
    if (description.isEmpty())
        return refusal(NoDescription, descriptionField, false);
    cut(description);
    if (status < 0)
        return refusal(BadStatus, statusField);
    return std::nullopt;
}

Refused checkComponent(ComponentFields& f)
{
    if (f.description.isEmpty())
        return refusal(NoDescription, "ComponentDisplayDescription", false);
    cut(f.description);
    if (f.status < 0)
        return refusal(BadStatus, "ComponentStatus");
    zeroWhenEmpty(f.quantity);
    // A count that does not fit the stored whole number is no more a quantity than "12a".
    const auto quantity = unitsOf(f.quantity);
    if (!quantity)
        return refusal(QStringLiteral("The Quantity Is Not A Number"), "ComponentQuantity");
    if (std::llabs(*quantity) > MaxQuantity)
        return refusal(tooLargeText("Quantity", "999,999"), "ComponentQuantity");
    // Owner and activity are looked up among this car's entries only.
    if (!relationKey(f.assembly))
        return refusal(QStringLiteral("Please Select A Valid 'Assembly'"), "ComponentAssembly");
    if (!f.activity.text.isEmpty() && !relationKey(f.activity))
        return refusal(QStringLiteral("Please Select A Valid 'Activity'"), "ComponentActivity");
    zeroWhenEmpty(f.targetCost);
    if (!common::isNumeric(f.targetCost))
        return refusal(QStringLiteral("The Target Cost Is Not A Number"), "ComponentTargetCost");
    if (tooLarge(f.targetCost, MaxUnitCost))
        return refusal(tooLargeText("Target Cost", "9,999,999.99"), "ComponentTargetCost");
    zeroWhenEmpty(f.actualCost);
    if (!common::isNumeric(f.actualCost))
        return refusal(QStringLiteral("The Actual Cost Is Not A Number"), "ComponentActualCost");
    if (tooLarge(f.actualCost, MaxUnitCost))
        return refusal(tooLargeText("Actual Cost", "9,999,999.99"), "ComponentActualCost");
    // The quantity as it will be stored, rounded to a whole count.
    const bool costed = unitsOf(f.targetCost).value_or(0) > 0 || unitsOf(f.actualCost).value_or(0) > 0;
    if (costed && common::Money::fromUnits(*quantity).roundedTo(0).isZero())
        return refusal(QStringLiteral("The Quantity Cannot = 0,  if Cost > 0"), "ComponentQuantity");
    return std::nullopt;
}

Refused checkTimeFields(TimeFields& t)
{
    zeroWhenEmpty(t.targetEffort);
    zeroWhenEmpty(t.actualEffort);
    if (!common::isNumeric(t.targetEffort))
        return refusal(QStringLiteral("The Target Effort Is Not A Number"), "ActivityTargetEffort");
    if (!common::isNumeric(t.actualEffort))
        return refusal(QStringLiteral("The Actual Effort Is Not A Number"), "ActivityActualEffort");
    const QString effortTooLarge = QStringLiteral("The Effort Is Too Large (At Most 999,999 Hours)");
    if (tooLarge(t.targetEffort, MaxEffort))
        return refusal(effortTooLarge, "ActivityTargetEffort");
    if (tooLarge(t.actualEffort, MaxEffort))
        return refusal(effortTooLarge, "ActivityActualEffort");
    if (filledButNotDate(t.targetStart))
        return refusal(
            QStringLiteral("The Target Start Date Is Not A Valid Date '99/99/9999'"), "ActivityTargetStartDate");
    if (filledButNotDate(t.targetStop))
        return refusal(
            QStringLiteral("The Target Stop Date Is Not A Valid Date '99/99/9999'"), "ActivityTargetStopDate");
    if (!t.targetStop.isEmpty() && t.targetStart.isEmpty())
        return refusal(StopWithoutStart, "ActivityTargetStartDate");
    if (stopBeforeStart(t.targetStart, t.targetStop))
        return refusal(
            QStringLiteral("The Target Stop Date Is Before The Target Start Date"), "ActivityTargetStopDate");
    if (filledButNotDate(t.actualStart))
        return refusal(
            QStringLiteral("The Actual Start Date Is Not A Valid Date '99/99/9999'"), "ActivityActualStartDate");
    if (filledButNotDate(t.actualStop))
        return refusal(
            QStringLiteral("The Actual Stop Date Is Not A Valid Date '99/99/9999'"), "ActivityActualStopDate");
    if (!t.actualStop.isEmpty() && t.actualStart.isEmpty())
        return refusal(StopWithoutStart, "ActivityActualStartDate");
    if (stopBeforeStart(t.actualStart, t.actualStop))
        return refusal(
            QStringLiteral("The Actual Stop Date Is Before The Actual Start Date"), "ActivityActualStopDate");
    return std::nullopt;
}

Refused checkActivity(ActivityFields& f)
{
    // Unlike the other tabs, the activity selects its empty description.
    if (f.description.isEmpty())
        return refusal(NoDescription, "ActivityDisplayDescription");
    cut(f.description);
    if (f.status < 0)
        return refusal(BadStatus, "ActivityStatus");
    if (!relationKey(f.phase))
        return refusal(QStringLiteral("Please Select A Valid 'Phase'"), "ActivityPhase");
    return checkTimeFields(f.times);
}

Refused checkSupplier(SupplierFields& f)
{
    if (f.name.isEmpty())
        return refusal(QStringLiteral("You Have To Enter A Name!"), "SupplierDisplayName", false);
    cut(f.name);
    return std::nullopt;
}

// Runs the rules on a copy of the typed fields and, when none refuses, builds the record.
template <class Record, class Fields, class Check, class Build>
Outcome<Fields, Record> decide(const Fields& typed, Check check, Build build)
{
    Outcome<Fields, Record> out;
    out.fields = typed;
    out.refusal = check(out.fields);
    if (!out.refusal)
        out.record = build(std::as_const(out.fields));
    return out;
}

} // namespace

std::optional<store::Key> relationKey(const RelationField& list)
{
    if (list.text.isEmpty())
        return std::nullopt;
    if (list.pickedKey)
        return list.pickedKey;
    // Typed rather than picked: the first of the car's entries with that name, case ignored.
    for (const store::Entry& entry : list.entries) {
        if (QString::compare(entry.text, list.text, Qt::CaseInsensitive) == 0)
            return entry.key;
    }
    return std::nullopt;
}

Outcome<CarFields, store::Car> carRecord(const CarFields& typed, store::Car row, const QDateTime& stamp)
{
    return decide<store::Car>(typed, checkCar, [&](const CarFields& f) {
        row.Description = f.description;
        row.make = f.make;
        row.model = f.model;
        row.Year = f.year;
        // Whole dollars, as the boxes ask and show them.
        row.totalbudget = moneyOf(f.totalBudget).roundedTo(0);
        row.resalevalue = moneyOf(f.resaleValue).roundedTo(0);
        row.purchaseprice = moneyOf(f.purchasePrice).roundedTo(0);
        row.imagepath = f.imagePath;
        row.notes = common::splitNotes(f.notes);
        row.auditdate = stamp;
        return row;
    });
}

Outcome<AssemblyFields, store::Assembly> assemblyRecord(
    const AssemblyFields& typed, store::Assembly row, store::Key carId, const QDateTime& stamp)
{
    const auto check = [](AssemblyFields& f) {
        return checkNameAndStatus(f.description, f.status, "AssemblyDisplayDescription", "AssemblyStatus");
    };
    return decide<store::Assembly>(typed, check, [&](const AssemblyFields& f) {
        if (row.key() == 0)
            row.carid = carId;
        row.Description = f.description;
        row.Status = statusOf(f.status);
        row.imagepath = f.imagePath;
        row.notes = common::splitNotes(f.notes);
        row.auditdate = stamp;
        return row;
    });
}

Outcome<ComponentFields, store::Component> componentRecord(
    const ComponentFields& typed, store::Component row, store::Key carId, const QDateTime& stamp)
{
    return decide<store::Component>(typed, checkComponent, [&](const ComponentFields& f) {
        if (row.key() == 0)
            row.carid = carId;
        row.Description = f.description;
        row.imagepath = f.imagePath;
        row.Status = statusOf(f.status);
        row.catalogpage = f.catalogPage;
        row.quantity = wholeOf(f.quantity);
        row.targetcost = moneyOf(f.targetCost);
        row.actualcost = moneyOf(f.actualCost);
        row.SupplierName = f.supplierName;
        row.wishlist = f.wishList ? 1 : 0;
        row.notes = common::splitNotes(f.notes);
        row.auditdate = stamp;
        if (const auto owner = relationKey(f.assembly))
            row.assemblyid = *owner;
        // An empty activity detaches the component.
        if (const auto activity = relationKey(f.activity))
            row.ActivityID = *activity;
        else if (f.activity.text.isEmpty())
            row.ActivityID = std::nullopt;
        return row;
    });
}

Outcome<PhaseFields, store::Phase> phaseRecord(
    const PhaseFields& typed, store::Phase row, store::Key carId, const QDateTime& stamp)
{
    const auto check = [](PhaseFields& f) {
        return checkNameAndStatus(f.description, f.status, "PhaseDisplayDescription", "phaseStatus");
    };
    return decide<store::Phase>(typed, check, [&](const PhaseFields& f) {
        if (row.key() == 0)
            row.carid = carId;
        row.Description = f.description;
        row.Status = statusOf(f.status);
        row.notes = common::splitNotes(f.notes);
        row.auditdate = stamp;
        return row;
    });
}

Outcome<ActivityFields, store::Activity> activityRecord(
    const ActivityFields& typed, store::Activity row, store::Key carId, const QDateTime& stamp)
{
    return decide<store::Activity>(typed, checkActivity, [&](const ActivityFields& f) {
        if (row.key() == 0)
            row.carid = carId;
        row.PhaseID = relationKey(f.phase).value_or(0);
        row.Description = f.description;
        row.Status = statusOf(f.status);
        applyTimes(f.times, row);
        row.notes = common::splitNotes(f.notes);
        row.auditdate = stamp;
        return row;
    });
}

Outcome<SupplierFields, store::Supplier> supplierRecord(const SupplierFields& typed, store::Supplier row)
{
    return decide<store::Supplier>(typed, checkSupplier, [&](const SupplierFields& f) {
        row.Name = f.name;
        row.address1 = f.address1;
        row.address2 = f.address2;
        row.city = f.city;
        row.State = f.state;
        row.Zip = f.zip;
        row.Telephone = f.telephone;
        row.Fax = f.fax;
        row.Email = f.email;
        row.CatalogNbr = f.catalogNbr;
        row.notes = common::splitNotes(f.notes);
        return row;
    });
}

Checked<TimeFields> checkTimes(const TimeFields& typed)
{
    Checked<TimeFields> out { typed, std::nullopt };
    out.refusal = checkTimeFields(out.fields);
    return out;
}

void applyTimes(const TimeFields& checked, store::Activity& row)
{
    row.targetstartdate = dateOf(checked.targetStart);
    row.targetstopdate = dateOf(checked.targetStop);
    row.targeteffort = common::numberValue(checked.targetEffort).value_or(0);
    row.actualstartdate = dateOf(checked.actualStart);
    row.actualstopdate = dateOf(checked.actualStop);
    row.actualeffort = common::numberValue(checked.actualEffort).value_or(0);
}

} // namespace project
