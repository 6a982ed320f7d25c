#include "project/ProjectSession.h"

#include "copy/ProjectCopy.h"
#include "exchange/ProjectFile.h"

#include "store/Database.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <type_traits>

namespace project {

using Kind = ProjectSession::Kind;

namespace {

// Where every session of a server database tells the others of its writes.
constexpr char ChangesChannel[] = "gearlog_changes";

template <class Rec> constexpr Kind kindOf()
{
    if constexpr (std::is_same_v<Rec, store::Car>)
        return Kind::Car;
    else if constexpr (std::is_same_v<Rec, store::Assembly>)
        return Kind::Assembly;
    else if constexpr (std::is_same_v<Rec, store::Component>)
        return Kind::Component;
    else if constexpr (std::is_same_v<Rec, store::Phase>)
        return Kind::Phase;
    else if constexpr (std::is_same_v<Rec, store::Activity>)
        return Kind::Activity;
    else
        return Kind::Supplier;
}

template <class Rec> store::Key carOf(const Rec& record)
{
    if constexpr (std::is_same_v<Rec, store::Supplier>)
        return 0;
    else
        return record.carid;
}

template <class Rec> QString nameOf(const Rec& record)
{
    if constexpr (std::is_same_v<Rec, store::Supplier>)
        return record.Name;
    else
        return record.Description;
}

// Calls f with a default record of the kind, to pick its table.
template <class F> auto withKind(Kind kind, F&& f)
{
    switch (kind) {
    case Kind::Car:
        return f(store::Car {});
    case Kind::Assembly:
        return f(store::Assembly {});
    case Kind::Component:
        return f(store::Component {});
    case Kind::Phase:
        return f(store::Phase {});
    case Kind::Activity:
        return f(store::Activity {});
    case Kind::Supplier:
        break;
    }
    return f(store::Supplier {});
}

} // namespace

ProjectSession::ProjectSession(const store::Database& database, QObject* parent)
    : QObject(parent)
    , m_store(database)
{
    m_elsewhere.setSingleShot(true);
    m_elsewhere.setInterval(100);
    connect(&m_elsewhere, &QTimer::timeout, this, &ProjectSession::changedElsewhere);
    if (!database.isServer()) {
        m_dataVersion = dataVersion();
        return;
    }
    QSqlDriver* driver = database.connection().driver();
    driver->subscribeToNotification(QLatin1String(ChangesChannel));
    connect(driver, &QSqlDriver::notification, this,
        [this](const QString&, QSqlDriver::NotificationSource source, const QVariant&) {
            if (source == QSqlDriver::OtherSource)
                m_elsewhere.start();
        });
}

qint64 ProjectSession::dataVersion() const
{
    QSqlQuery q = m_store.db.run(QStringLiteral("PRAGMA data_version"));
    return q.next() ? q.value(0).toLongLong() : 0;
}

void ProjectSession::checkElsewhere()
{
    if (m_store.db.isServer())
        return; // told by the server itself
    const qint64 version = dataVersion();
    if (version == m_dataVersion)
        return;
    m_dataVersion = version;
    emit changedElsewhere();
}

ProjectSession::~ProjectSession() = default;

bool ProjectSession::isReadOnly() const
{
    return m_store.db.isReadOnly();
}

void ProjectSession::setCurrentCar(store::Key carid)
{
    if (carid == currentCar())
        return;
    const store::Key supplier = current(Kind::Supplier);
    m_current.fill(0);
    m_current[std::size_t(Kind::Car)] = carid;
    m_current[std::size_t(Kind::Supplier)] = supplier;
    emit currentCarChanged(carid);
}

void ProjectSession::setCurrent(Kind kind, store::Key key)
{
    if (kind == Kind::Car)
        setCurrentCar(key);
    else
        m_current[std::size_t(kind)] = key;
}

template <class Rec> store::Key ProjectSession::add(const Rec& record)
{
    requireWritable();
    Rec row = record;
    store::Transaction t(m_store.db);
    // In the insert's transaction, so two programs adding at once cannot both commit one sequence.
    if constexpr (std::is_same_v<Rec, store::Phase>) {
        if (!row.prioritysequence)
            row.prioritysequence = m_store.nextPhaseSequence(row.carid);
    } else if constexpr (std::is_same_v<Rec, store::Activity>) {
        if (!row.prioritysequence)
            row.prioritysequence = m_store.nextActivitySequence(row.carid, row.PhaseID);
    }
    m_store.holdParents(row, true);
    constexpr Kind kind = kindOf<Rec>();
    const store::Key key = m_store.table<Rec>().add(row);
    const store::Key carid = std::is_same_v<Rec, store::Car> ? key : carOf(row);
    Change change { changeText(QStringLiteral("Add"), kind, nameOf(row)), carid, {} };
    change.rows.append({ kind, key, std::nullopt, image(kind, key) });
    t.commit();
    remember(std::move(change));
    announce(kind, carid, key);
    return key;
}

template <class Rec>
ProjectSession::SaveOutcome ProjectSession::update(
    const Rec& record, const store::Snapshot& loaded, const QString& verb)
{
    requireWritable();
    const store::Table<Rec>& table = m_store.table<Rec>();
    constexpr Kind kind = kindOf<Rec>();
    store::Transaction t(m_store.db);
    m_store.holdParents(record, false); // a row kept under a missing project may still be saved
    auto before = image(kind, record.key(), store::RowImages::Hold::Update);
    if (!table.changeIfUnchanged(record, loaded))
        return before ? SaveOutcome::ChangedElsewhere : SaveOutcome::DeletedElsewhere;
    const store::Key carid = std::is_same_v<Rec, store::Car> ? record.key() : carOf(record);
    Change change { changeText(verb, kind, nameOf(record)), carid, {} };
    change.rows.append({ kind, record.key(), std::move(before), image(kind, record.key()) });
    t.commit();
    remember(std::move(change));
    announce(kind, carOf(record), record.key());
    return SaveOutcome::Saved;
}

bool ProjectSession::remove(Kind kind, store::Key key)
{
    requireWritable();
    const store::Database& db = m_store.db;
    store::Transaction t(db);
    // The row is held first, so that nothing is added under it between reading what goes with it
    // and deleting that.
    const store::RowImages own = rowImages(db, kind);
    const auto shown = image(kind, key, store::RowImages::Hold::Update);
    if (!shown)
        return false;
    const qsizetype carColumn = own.column("carid"); // none for a car or a supplier
    const store::Key car = kind == Kind::Car ? key : carColumn < 0 ? 0 : shown->at(carColumn).toLongLong();
    const qsizetype nameColumn = own.column(kind == Kind::Supplier ? "Name" : "Description");
    Change change { changeText(QStringLiteral("Delete"), kind, shown->at(nameColumn).toString()), car, {} };
    change.rows.append({ kind, key, shown, std::nullopt });
    const auto going = [&change, &db](Kind of, const char* column, store::Key value) {
        for (store::KeyedImage& row : rowImages(db, of).where(column, value))
            change.rows.append({ of, row.first, std::move(row.second), std::nullopt });
    };
    // Components attached to a deleted activity stay, detached.
    const store::RowImages components = rowImages(db, Kind::Component);
    QList<store::Key> detached;
    QList<Kind> touched;
    switch (kind) {
    case Kind::Car:
        for (Kind of : { Kind::Assembly, Kind::Component, Kind::Phase, Kind::Activity })
            going(of, "carid", key);
        m_store.deleteCar(key);
        touched = { Kind::Car };
        break;
    case Kind::Assembly:
        going(Kind::Component, "assemblyid", key);
        m_store.deleteAssembly(key);
        touched = { Kind::Assembly, Kind::Component };
        break;
    case Kind::Phase: {
        going(Kind::Activity, "PhaseID", key);
        QList<store::Key> activities;
        for (const RowChange& row : std::as_const(change.rows))
            if (row.kind == Kind::Activity)
                activities.append(row.key);
        detached = components.keysWhere("ActivityID", activities);
        touched = { Kind::Phase, Kind::Activity, Kind::Component };
        break;
    }
    case Kind::Activity:
        detached = components.keysWhere("ActivityID", { key });
        touched = { Kind::Activity, Kind::Component };
        break;
    case Kind::Component:
    case Kind::Supplier:
        own.remove({ key });
        touched = { kind };
        break;
    }
    const QHash<store::Key, store::Image> attached = components.find(detached);
    if (kind == Kind::Phase)
        m_store.deletePhase(key);
    else if (kind == Kind::Activity)
        m_store.deleteActivity(key);
    const QHash<store::Key, store::Image> unattached = components.find(detached);
    for (const store::Key component : std::as_const(detached))
        change.rows.append({ Kind::Component, component, attached.value(component), unattached.value(component) });
    t.commit();
    remember(std::move(change));
    for (Kind k : touched)
        announce(k, car);
    forgetVanished();
    return true;
}

void ProjectSession::swapPhaseSequences(
    store::Key first, qint32 firstSequence, store::Key second, qint32 secondSequence, const QString& text)
{
    swapSequences(Kind::Phase, { first, firstSequence, second, secondSequence }, text);
}

void ProjectSession::swapActivitySequences(
    store::Key first, qint32 firstSequence, store::Key second, qint32 secondSequence, const QString& text)
{
    swapSequences(Kind::Activity, { first, firstSequence, second, secondSequence }, text);
}

void ProjectSession::swapSequences(Kind kind, const Swap& swap, const QString& text)
{
    requireWritable();
    const store::RowImages rows = rowImages(m_store.db, kind);
    store::Transaction t(m_store.db);
    const QHash<store::Key, store::Image> before
        = rows.find({ swap.first, swap.second }, store::RowImages::Hold::Update);
    // The swap below refuses rows that are gone, so the car is read from a row that is there.
    const store::Key car = before.value(swap.first).value(rows.column("carid")).toLongLong();
    if (kind == Kind::Phase)
        m_store.swapPhaseSequences(swap.first, swap.firstSequence, swap.second, swap.secondSequence);
    else
        m_store.swapActivitySequences(swap.first, swap.firstSequence, swap.second, swap.secondSequence);
    const QHash<store::Key, store::Image> after = rows.find({ swap.first, swap.second });
    Change change { text, car, {} };
    for (const store::Key key : { swap.first, swap.second })
        change.rows.append({ kind, key, before.value(key), after.value(key) });
    t.commit();
    remember(std::move(change));
    announce(kind, car, swap.first);
    announce(kind, car, swap.second);
}

bool ProjectSession::changeActivityTimes(const store::Activity& activity)
{
    requireWritable();
    store::Transaction t(m_store.db);
    auto before = image(Kind::Activity, activity.ActivityID, store::RowImages::Hold::Update);
    if (!before || !m_store.changeActivityTimes(activity))
        return false;
    Change change { changeText(QStringLiteral("Change Dates of"), Kind::Activity,
                        before->at(rowImages(m_store.db, Kind::Activity).column("Description")).toString()),
        activity.carid, {} };
    change.rows.append(
        { Kind::Activity, activity.ActivityID, std::move(before), image(Kind::Activity, activity.ActivityID) });
    t.commit();
    remember(std::move(change));
    announce(Kind::Activity, activity.carid, activity.ActivityID);
    return true;
}

store::Key ProjectSession::copyProject(
    store::Key sourceCarID, const QString& newName, const QDate& stamp, const common::Progress& progress)
{
    requireWritable();
    store::Transaction t(m_store.db);
    const store::Key carid = copy::copyProject(m_store, sourceCarID, newName, stamp, progress);
    const auto source = m_store.cars.find(sourceCarID);
    Change change { changeText(QStringLiteral("Copy"), Kind::Car, source ? source->Description : newName), carid,
        rowsOfCar(carid) };
    t.commit();
    remember(std::move(change));
    announce(Kind::Car, carid);
    return carid;
}

store::Key ProjectSession::importProject(const QByteArray& json, const common::Progress& progress)
{
    requireWritable();
    store::Transaction t(m_store.db);
    QList<store::Key> suppliers;
    const store::Key carid = exchange::importProject(m_store, json, progress, &suppliers);
    Change change { {}, carid, rowsOfCar(carid) };
    // The suppliers it named that were not there came with it, and go with it.
    const QHash<store::Key, store::Image> added = rowImages(m_store.db, Kind::Supplier).find(suppliers);
    for (const store::Key key : std::as_const(suppliers))
        change.rows.append({ Kind::Supplier, key, std::nullopt, added.value(key) });
    const auto car = m_store.cars.find(carid);
    change.text = changeText(QStringLiteral("Import"), Kind::Car, car ? car->Description : QString());
    t.commit();
    remember(std::move(change));
    announce(Kind::Car, carid);
    if (!suppliers.isEmpty())
        announce(Kind::Supplier, 0);
    return carid;
}

QString ProjectSession::refusalText(SaveOutcome outcome)
{
    switch (outcome) {
    case SaveOutcome::ChangedElsewhere:
        return QLatin1String(ChangedElsewhereText);
    case SaveOutcome::DeletedElsewhere:
        return QLatin1String(DeletedElsewhereText);
    case SaveOutcome::Saved:
        break;
    }
    return {};
}

void ProjectSession::requireWritable() const
{
    // Said plainly up front rather than as the engine's complaint half-way through.
    if (isReadOnly())
        throw store::StoreError(store::code::ReadOnly, QLatin1String(ReadOnlyText), QStringLiteral("GearLog"));
}

void ProjectSession::announce(Kind kind, store::Key carid, store::Key key)
{
    try {
        if (m_store.db.isServer())
            m_store.db.execute(QStringLiteral("NOTIFY ") + QLatin1String(ChangesChannel));
    } catch (const store::StoreError&) {
        // Written all the same: the others see it when they next pick the project.
    }
    switch (kind) {
    case Kind::Car:
        emit carsChanged();
        break;
    case Kind::Supplier:
        emit suppliersChanged();
        break;
    default:
        emit recordsChanged(carid, kind, key);
        break;
    }
}

std::optional<store::Key> ProjectSession::carOfStored(Kind kind, store::Key key) const
{
    return withKind(kind, [&](const auto& blank) -> std::optional<store::Key> {
        using Rec = std::decay_t<decltype(blank)>;
        const auto row = m_store.table<Rec>().find(key);
        return row ? std::optional<store::Key>(carOf(*row)) : std::nullopt;
    });
}

void ProjectSession::forgetVanished()
{
    if (currentCar() != 0 && !carOfStored(Kind::Car, currentCar())) {
        setCurrentCar(0);
        return;
    }
    for (Kind kind : { Kind::Assembly, Kind::Component, Kind::Phase, Kind::Activity, Kind::Supplier }) {
        if (current(kind) != 0 && !carOfStored(kind, current(kind)))
            m_current[std::size_t(kind)] = 0;
    }
}

// The six record types are the only ones the session writes.
#define GEARLOG_SESSION_WRITES(Rec)                                                                                    \
    template store::Key ProjectSession::add<Rec>(const Rec&);                                                          \
    template ProjectSession::SaveOutcome ProjectSession::update<Rec>(                                                  \
        const Rec&, const store::Snapshot&, const QString&);
GEARLOG_SESSION_WRITES(store::Car)
GEARLOG_SESSION_WRITES(store::Assembly)
GEARLOG_SESSION_WRITES(store::Component)
GEARLOG_SESSION_WRITES(store::Phase)
GEARLOG_SESSION_WRITES(store::Activity)
GEARLOG_SESSION_WRITES(store::Supplier)
#undef GEARLOG_SESSION_WRITES

} // namespace project
