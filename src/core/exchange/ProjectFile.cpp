#include "exchange/ProjectFile.h"

#include "common/Clock.h"
#include "common/Parse.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>
#include <limits>

namespace exchange {

ImportError::ImportError(QString where, QString why)
    : std::runtime_error((where + QStringLiteral(": ") + why).toStdString())
    , m_where(std::move(where))
    , m_why(std::move(why))
{
}

QString ImportError::message() const
{
    return m_where.isEmpty() ? m_why : m_where + QStringLiteral(": ") + m_why;
}

namespace {


// --- Writing -------------------------------------------------------------------------------------

class Writer
{
public:
    Writer& text(const char* name, const QString& value)
    {
        m_object.insert(QLatin1String(name), value);
        return *this;
    }
    Writer& money(const char* name, const std::optional<common::Money>& value)
    {
        m_object.insert(QLatin1String(name), value ? QJsonValue(value->toPlainString()) : QJsonValue());
        return *this;
    }
    Writer& integer(const char* name, const std::optional<qint32>& value)
    {
        m_object.insert(QLatin1String(name), value ? QJsonValue(*value) : QJsonValue());
        return *this;
    }
    Writer& number(const char* name, const std::optional<double>& value)
    {
        m_object.insert(QLatin1String(name), value ? QJsonValue(*value) : QJsonValue());
        return *this;
    }
    Writer& date(const char* name, const QDate& value)
    {
        m_object.insert(QLatin1String(name),
                        value.isValid() ? QJsonValue(value.toString(Qt::ISODate)) : QJsonValue());
        return *this;
    }
    Writer& notes(const common::NoteParts& value)
    {
        return text("note1", value[0]).text("note2", value[1]).text("note3", value[2]);
    }
    Writer& value(const char* name, const QJsonValue& v)
    {
        m_object.insert(QLatin1String(name), v);
        return *this;
    }
    QJsonObject take() { return std::move(m_object); }

private:
    QJsonObject m_object;
};

QJsonObject carJson(const store::Car& c)
{
    return Writer()
        .text("Description", c.Description)
        .text("make", c.make)
        .text("model", c.model)
        .text("Year", c.Year)
        .money("purchaseprice", c.purchaseprice)
        .money("resalevalue", c.resalevalue)
        .money("totalbudget", c.totalbudget)
        .text("imagepath", c.imagepath)
        .integer("Status", c.Status)
        .notes(c.notes)
        .take();
}

QJsonObject supplierJson(const store::Supplier& s)
{
    return Writer()
        .text("Name", s.Name)
        .text("address1", s.address1)
        .text("address2", s.address2)
        .text("city", s.city)
        .text("State", s.State)
        .text("Zip", s.Zip)
        .text("Telephone", s.Telephone)
        .text("Fax", s.Fax)
        .text("Email", s.Email)
        .text("CatalogNbr", s.CatalogNbr)
        .notes(s.notes)
        .take();
}

QJsonObject componentJson(const store::Component& c, const QSet<store::Key>& exportedActivities)
{
    const bool attached = c.isAttached() && exportedActivities.contains(*c.ActivityID);
    return Writer()
        .text("Description", c.Description)
        .integer("Status", c.Status)
        .text("SupplierName", c.SupplierName)
        .text("catalogpage", c.catalogpage)
        .integer("quantity", c.quantity)
        .money("targetcost", c.targetcost)
        .money("actualcost", c.actualcost)
        .integer("wishlist", c.wishlist.value_or(0) != 0 ? 1 : 0)
        .text("imagepath", c.imagepath)
        .notes(c.notes)
        .value("activity", attached ? QJsonValue(*c.ActivityID) : QJsonValue())
        .take();
}

QJsonObject activityJson(const store::Activity& a)
{
    return Writer()
        .value("key", a.ActivityID)
        .integer("prioritysequence", a.prioritysequence)
        .text("Description", a.Description)
        .integer("Status", a.Status)
        .date("targetstartdate", a.targetstartdate)
        .date("targetstopdate", a.targetstopdate)
        .number("targeteffort", a.targeteffort)
        .date("actualstartdate", a.actualstartdate)
        .date("actualstopdate", a.actualstopdate)
        .number("actualeffort", a.actualeffort)
        .notes(a.notes)
        .take();
}

} // namespace

QByteArray exportProject(const store::Store& store, store::Key carid, const common::Progress& progress)
{
    const auto car = store.cars.find(carid);
    if (!car)
        throw store::StoreError(store::code::Error, QStringLiteral("There is no project %1.").arg(carid),
                                QStringLiteral("GearLog export"));
    const auto phases = store.phases.forCar(carid, store::Order::Sequence);
    const auto activities = store.activities.forCar(carid, store::Order::Sequence);
    const auto assemblies = store.assemblies.forCar(carid, store::Order::Description);
    const auto components = store.components.forCar(carid, store::Order::Description);
    common::ProgressCount written(progress, phases.size() + activities.size() + assemblies.size() + components.size());

    QSet<store::Key> phaseKeys;
    for (const auto& p : phases)
        phaseKeys.insert(p.PhaseID);
    QSet<store::Key> exportedActivities;
    for (const auto& a : activities) {
        if (phaseKeys.contains(a.PhaseID))
            exportedActivities.insert(a.ActivityID);
    }

    QJsonArray phaseList;
    for (const auto& p : phases) {
        QJsonArray list;
        for (const auto& a : activities) {
            if (a.PhaseID == p.PhaseID)
                list.append(activityJson(a));
        }
        phaseList.append(Writer()
                             .value("key", p.PhaseID)
                             .integer("prioritysequence", p.prioritysequence)
                             .text("Description", p.Description)
                             .integer("Status", p.Status)
                             .notes(p.notes)
                             .value("activities", list)
                             .take());
        written.step(1 + list.size());
    }
    QJsonArray assemblyList;
    QSet<QString> supplierNames;
    for (const auto& a : assemblies) {
        QJsonArray list;
        for (const auto& c : components) {
            if (c.assemblyid != a.assemblyid)
                continue;
            list.append(componentJson(c, exportedActivities));
            if (!c.SupplierName.isEmpty())
                supplierNames.insert(c.SupplierName.toCaseFolded());
        }
        assemblyList.append(Writer()
                                .value("key", a.assemblyid)
                                .text("Description", a.Description)
                                .integer("Status", a.Status)
                                .text("imagepath", a.imagepath)
                                .notes(a.notes)
                                .value("components", list)
                                .take());
        written.step(1 + list.size());
    }
    written.finish(); // activities outside the phases are not written
    QJsonArray supplierList;
    for (const auto& s : store.suppliers.all(store::Order::Description)) {
        if (supplierNames.remove(s.Name.toCaseFolded()))
            supplierList.append(supplierJson(s));
    }

    QJsonObject root;
    root.insert(QStringLiteral("format"), Format);
    root.insert(QStringLiteral("version"), Version);
    root.insert(QStringLiteral("car"), carJson(*car));
    root.insert(QStringLiteral("suppliers"), supplierList);
    root.insert(QStringLiteral("assemblies"), assemblyList);
    root.insert(QStringLiteral("phases"), phaseList);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace exchange
