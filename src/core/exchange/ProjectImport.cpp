// Reading a project file: every field checked and named when wrong, the whole project written in
// one transaction.

#include "exchange/ProjectFile.h"

#include "common/Clock.h"
#include "common/Notes.h"
#include "common/Parse.h"
#include "project/RecordRules.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace exchange {

namespace {

// --- Reading ----------------------------------------------------------------------------------------

// Reads the fields of one object, naming the place of anything wrong.
class Reader
{
public:
    Reader(const QJsonObject& object, QString where)
        : m_object(object)
        , m_where(std::move(where))
    {
    }

    QString text(const char* name, int limit) const
    {
        const QJsonValue v = field(name);
        if (v.isNull())
            return QString();
        if (!v.isString())
            fail(name, QStringLiteral("must be a text"));
        const QString s = v.toString();
        // A lone surrogate escape ("\ud800") is read as it is and would be mangled on the way
        // into the database: refused, not changed.
        if (!s.isValidUtf16())
            fail(name, QStringLiteral("is not valid Unicode text"));
        if (common::codePointCount(s) > limit)
            fail(name, QStringLiteral("is longer than %1 characters").arg(limit));
        return s;
    }
    // An amount within the editor's limit for the field, in ten-thousandths either way.
    std::optional<common::Money> money(const char* name, qint64 limit) const
    {
        // Only the plain form the export writes and the file's schema states: what the screens
        // also take ("$1,234.50", " 12", "1.23456") would make a file that other readers refuse.
        static const QRegularExpression plain(
            QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]{1,15}(\\.[0-9]{1,4})?")));
        const QJsonValue v = field(name);
        if (v.isNull())
            return std::nullopt;
        const auto m
            = v.isString() && plain.match(v.toString()).hasMatch() ? common::Money::parse(v.toString()) : std::nullopt;
        if (!m)
            fail(name, QStringLiteral("is not an amount such as \"97.95\" or \"-0.0001\""));
        if (std::llabs(m->units()) > limit) {
            const QString most = common::Money::fromUnits(limit).toPlainString();
            fail(name, QStringLiteral("must be from -%1 to %1").arg(most));
        }
        return m;
    }
    std::optional<qint32> integer(const char* name, qint32 low, qint32 high) const
    {
        const QJsonValue v = field(name);
        if (v.isNull())
            return std::nullopt;
        const double d = v.toDouble();
        if (!v.isDouble() || d != std::floor(d) || d < low || d > high)
            fail(name, QStringLiteral("must be a whole number from %1 to %2").arg(low).arg(high));
        return qint32(d);
    }
    // A number within the editor's limit, given in ten-thousandths either way.
    std::optional<double> number(const char* name, qint64 limit) const
    {
        const QJsonValue v = field(name);
        if (v.isNull())
            return std::nullopt;
        const double most = double(limit) / common::Money::Scale;
        if (!v.isDouble() || !(std::fabs(v.toDouble()) <= most))
            fail(name, QStringLiteral("must be a number from -%1 to %1").arg(most, 0, 'f', 0));
        return v.toDouble();
    }
    QDate date(const char* name) const
    {
        // Qt's ISO reading also takes other separators ("2026/03/31"); the file's schema does not.
        static const QRegularExpression iso(
            QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{4}-[0-9]{2}-[0-9]{2}")));
        const QJsonValue v = field(name);
        if (v.isNull())
            return QDate();
        const QDate d = v.isString() && iso.match(v.toString()).hasMatch()
            ? QDate::fromString(v.toString(), Qt::ISODate)
            : QDate();
        if (!d.isValid() || d.year() < 100)
            fail(name, QStringLiteral("is not a date such as \"2026-03-31\""));
        return d;
    }
    common::NoteParts notes() const
    {
        return { text("note1", common::NotePartLength), text("note2", common::NotePartLength),
            text("note3", common::NotePartLength) };
    }
    QJsonArray array(const char* name) const
    {
        const QJsonValue v = field(name);
        if (!v.isArray())
            fail(name, QStringLiteral("must be a list"));
        return v.toArray();
    }
    // A record's number in the file: any whole number a JSON reader holds exactly.
    std::optional<store::Key> reference(const char* name) const
    {
        constexpr double Exact = 9007199254740991.0; // 2^53 - 1
        const QJsonValue v = field(name);
        if (v.isNull())
            return std::nullopt;
        const double d = v.toDouble();
        if (!v.isDouble() || d != std::floor(d) || std::fabs(d) > Exact)
            fail(name, QStringLiteral("must be a whole number from -%1 to %1").arg(Exact, 0, 'f', 0));
        return store::Key(d);
    }
    store::Key key() const
    {
        const auto k = reference("key");
        if (!k)
            fail("key", QStringLiteral("must be a whole number"));
        return *k;
    }
    QString place(const char* name) const
    {
        return m_where.isEmpty() ? QLatin1String(name) : m_where + QLatin1Char('.') + QLatin1String(name);
    }

    [[noreturn]] void fail(const char* name, const QString& why) const { throw ImportError(place(name), why); }

private:
    QJsonValue field(const char* name) const
    {
        const auto it = m_object.constFind(QLatin1String(name));
        if (it == m_object.constEnd())
            fail(name, QStringLiteral("is missing"));
        return *it;
    }

    QJsonObject m_object;
    QString m_where;
};

QJsonObject objectAt(const QJsonArray& list, qsizetype i, const QString& where)
{
    if (!list.at(i).isObject())
        throw ImportError(QStringLiteral("%1[%2]").arg(where).arg(i), QStringLiteral("must be an object"));
    return list.at(i).toObject();
}

constexpr qint32 MaxInt = std::numeric_limits<qint32>::max();

struct ImportedComponent
{
    store::Component row;
    std::optional<store::Key> activityKey;
};

struct ImportedAssembly
{
    store::Assembly row;
    QList<ImportedComponent> components;
};

struct ImportedPhase
{
    store::Phase row;
    QList<std::pair<store::Key, store::Activity>> activities; // key in the file, record
};

} // namespace

QByteArray readProjectFile(QIODevice& file)
{
    QByteArray data;
    while (data.size() <= MaxProjectFileBytes) {
        const QByteArray chunk = file.read(qMin<qint64>(1 << 20, MaxProjectFileBytes + 1 - data.size()));
        if (chunk.isEmpty())
            break;
        data += chunk;
    }
    if (data.size() > MaxProjectFileBytes)
        throw ImportError(QString(),
            QStringLiteral("The file is larger than %1 MB, more than any project file.")
                .arg(MaxProjectFileBytes / (1024 * 1024)));
    return data;
}

store::Key importProject(const store::Store& store, const QByteArray& json, const common::Progress& progress,
    QList<store::Key>* addedSuppliers)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw ImportError(QString(),
            QStringLiteral("The file is not JSON (%1 at offset %2).")
                .arg(parseError.errorString())
                .arg(parseError.offset));
    if (!document.isObject())
        throw ImportError(
            QString(), QStringLiteral("The file is JSON but not a project: a project file is one JSON object."));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != Format)
        throw ImportError(QStringLiteral("format"), QStringLiteral("is not \"gearlog-project\""));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != Version)
        throw ImportError(QStringLiteral("version"),
            QStringLiteral("%1 is not a version this program reads (it reads 1)")
                .arg(version.isDouble() ? QString::number(version.toDouble()) : QStringLiteral("?")));
    const Reader top(root, QString());

    // Everything is read and checked before anything is written.
    if (!root.value(QStringLiteral("car")).isObject())
        throw ImportError(QStringLiteral("car"), QStringLiteral("must be an object"));
    const Reader c(root.value(QStringLiteral("car")).toObject(), QStringLiteral("car"));
    store::Car car;
    car.Description = c.text("Description", 30);
    car.make = c.text("make", 20);
    car.model = c.text("model", 20);
    car.Year = c.text("Year", 4);
    car.purchaseprice = c.money("purchaseprice", project::limits::CarMoney);
    car.resalevalue = c.money("resalevalue", project::limits::CarMoney);
    car.totalbudget = c.money("totalbudget", project::limits::CarMoney);
    car.imagepath = c.text("imagepath", 100);
    car.Status = c.integer("Status", -32768, 32767);
    car.notes = c.notes();

    QList<store::Supplier> suppliers;
    const QJsonArray supplierList = top.array("suppliers");
    for (qsizetype i = 0; i < supplierList.size(); ++i) {
        const QString where = QStringLiteral("suppliers[%1]").arg(i);
        const Reader r(objectAt(supplierList, i, QStringLiteral("suppliers")), where);
        store::Supplier s;
        s.Name = r.text("Name", 30);
        s.address1 = r.text("address1", 30);
        s.address2 = r.text("address2", 30);
        s.city = r.text("city", 30);
        s.State = r.text("State", 2);
        s.Zip = r.text("Zip", 10);
        s.Telephone = r.text("Telephone", 15);
        s.Fax = r.text("Fax", 15);
        s.Email = r.text("Email", 30);
        s.CatalogNbr = r.text("CatalogNbr", 20);
        s.notes = r.notes();
        suppliers.append(s);
    }

    QList<ImportedPhase> phases;
    QSet<store::Key> activityKeys;
    const QJsonArray phaseList = top.array("phases");
    for (qsizetype i = 0; i < phaseList.size(); ++i) {
        const QString where = QStringLiteral("phases[%1]").arg(i);
        const Reader r(objectAt(phaseList, i, QStringLiteral("phases")), where);
        ImportedPhase p;
        r.key();
        p.row.prioritysequence = r.integer("prioritysequence", 0, MaxInt);
        p.row.Description = r.text("Description", 30);
        p.row.Status = r.integer("Status", -32768, 32767);
        p.row.notes = r.notes();
        const QJsonArray list = r.array("activities");
        for (qsizetype j = 0; j < list.size(); ++j) {
            const QString place = QStringLiteral("%1.activities[%2]").arg(where).arg(j);
            const Reader a(objectAt(list, j, where + QStringLiteral(".activities")), place);
            store::Activity activity;
            const store::Key key = a.key();
            if (activityKeys.contains(key))
                a.fail("key", QStringLiteral("%1 is used by another activity of the file").arg(key));
            activityKeys.insert(key);
            activity.prioritysequence = a.integer("prioritysequence", 0, MaxInt);
            activity.Description = a.text("Description", 30);
            activity.Status = a.integer("Status", -32768, 32767);
            activity.targetstartdate = a.date("targetstartdate");
            activity.targetstopdate = a.date("targetstopdate");
            activity.targeteffort = a.number("targeteffort", project::limits::Effort);
            activity.actualstartdate = a.date("actualstartdate");
            activity.actualstopdate = a.date("actualstopdate");
            activity.actualeffort = a.number("actualeffort", project::limits::Effort);
            activity.notes = a.notes();
            p.activities.append({ key, activity });
        }
        phases.append(p);
    }

    QList<ImportedAssembly> assemblies;
    const QJsonArray assemblyList = top.array("assemblies");
    for (qsizetype i = 0; i < assemblyList.size(); ++i) {
        const QString where = QStringLiteral("assemblies[%1]").arg(i);
        const Reader r(objectAt(assemblyList, i, QStringLiteral("assemblies")), where);
        ImportedAssembly a;
        r.key();
        a.row.Description = r.text("Description", 30);
        a.row.Status = r.integer("Status", -32768, 32767);
        a.row.imagepath = r.text("imagepath", 100);
        a.row.notes = r.notes();
        const QJsonArray list = r.array("components");
        for (qsizetype j = 0; j < list.size(); ++j) {
            const QString place = QStringLiteral("%1.components[%2]").arg(where).arg(j);
            const Reader m(objectAt(list, j, where + QStringLiteral(".components")), place);
            ImportedComponent component;
            store::Component& row = component.row;
            row.Description = m.text("Description", 30);
            row.Status = m.integer("Status", -32768, 32767);
            row.SupplierName = m.text("SupplierName", 30);
            row.catalogpage = m.text("catalogpage", 10);
            const qint32 mostPieces = qint32(project::limits::Quantity / common::Money::Scale);
            row.quantity = m.integer("quantity", -mostPieces, mostPieces);
            row.targetcost = m.money("targetcost", project::limits::UnitCost);
            row.actualcost = m.money("actualcost", project::limits::UnitCost);
            row.wishlist = m.integer("wishlist", 0, 1).value_or(0);
            row.imagepath = m.text("imagepath", 100);
            row.notes = m.notes();
            component.activityKey = m.reference("activity");
            if (component.activityKey && !activityKeys.contains(*component.activityKey))
                m.fail("activity", QStringLiteral("%1 names no activity of the file").arg(*component.activityKey));
            a.components.append(component);
        }
        assemblies.append(a);
    }

    qint64 records = 1 + suppliers.size() + phases.size() + assemblies.size();
    for (const ImportedPhase& p : phases)
        records += p.activities.size();
    for (const ImportedAssembly& a : assemblies)
        records += a.components.size();
    common::ProgressCount written(progress, records);

    // All or nothing.
    store::Transaction t(store.db);
    const QDateTime stamp = common::Clock::now();
    car.auditdate = stamp;
    const store::Key carid = store.cars.add(car);
    written.step();
    for (const store::Supplier& s : suppliers) {
        if (!s.Name.isEmpty() && !store.suppliers.seek(s.Name)) {
            const store::Key added = store.suppliers.add(s);
            if (addedSuppliers)
                addedSuppliers->append(added);
        }
        written.step();
    }
    QHash<store::Key, store::Key> newActivity;
    for (ImportedPhase& p : phases) {
        p.row.carid = carid;
        p.row.auditdate = stamp;
        const store::Key phaseid = store.phases.add(p.row);
        written.step();
        for (auto& [key, activity] : p.activities) {
            activity.carid = carid;
            activity.PhaseID = phaseid;
            activity.auditdate = stamp;
            newActivity.insert(key, store.activities.add(activity));
            written.step();
        }
    }
    for (ImportedAssembly& a : assemblies) {
        a.row.carid = carid;
        a.row.auditdate = stamp;
        const store::Key assemblyid = store.assemblies.add(a.row);
        written.step();
        for (ImportedComponent& c : a.components) {
            c.row.carid = carid;
            c.row.assemblyid = assemblyid;
            c.row.ActivityID
                = c.activityKey ? std::optional<store::Key>(newActivity.value(*c.activityKey)) : std::nullopt;
            c.row.auditdate = stamp;
            store.components.add(c.row);
            written.step();
        }
    }
    t.commit();
    return carid;
}

} // namespace exchange
