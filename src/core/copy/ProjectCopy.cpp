#include "copy/ProjectCopy.h"

#include "store/Store.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QHash>

namespace copy {

namespace {

// Rows of one car grouped under their parent's key, each group in key order.
template <class Rec, class Parent> QHash<store::Key, QList<Rec>> byParent(const QList<Rec>& rows, Parent parentOf)
{
    QHash<store::Key, QList<Rec>> groups;
    for (const Rec& row : rows)
        groups[parentOf(row)].append(row);
    return groups;
}

} // namespace

QString refusal(store::Key sourceCarID, const QString& newName)
{
    if (sourceCarID == 0)
        return QStringLiteral("Please Select The Project To Copy From");
    if (newName.trimmed().isEmpty())
        return QStringLiteral("Please Enter A Name For The New Project");
    if (newName.size() > NameLimit)
        return QStringLiteral("The Name Of The New Project Cannot Be Longer Than %1 Characters").arg(NameLimit);
    return QString();
}

store::Key copyProject(const store::Store& store, store::Key sourceCarID, const QString& newName, const QDate& stamp,
    const common::Progress& progress)
{
    if (const QString why = refusal(sourceCarID, newName); !why.isEmpty())
        throw store::StoreError(store::code::Error, why, QStringLiteral("copying a project"));
    const QDateTime stamped(stamp, QTime(0, 0));

    store::Transaction transaction(store.db);
    std::optional<store::Car> car = store.cars.find(sourceCarID);
    if (!car)
        throw store::StoreError(store::code::Error, QStringLiteral("The project to copy from no longer exists."),
                                QStringLiteral("copying a project"));
    car->Description = newName;
    car->auditdate = stamped;
    const store::Key newCarID = store.cars.add(*car);

    // The plan first: the components need the new key of each activity they are attached to.
    // Every copy starts with an empty map, so two copies of one project never share activities.
    QHash<store::Key, store::Key> activityKeyPairs;
    const QList<store::Activity> activityRows = store.activities.forCar(sourceCarID, store::Order::Key);
    const QList<store::Component> componentRows = store.components.forCar(sourceCarID, store::Order::Key);
    const QList<store::Phase> phases = store.phases.forCar(sourceCarID, store::Order::Key);
    const QList<store::Assembly> assemblies = store.assemblies.forCar(sourceCarID, store::Order::Key);
    common::ProgressCount written(
        progress, 1 + phases.size() + activityRows.size() + assemblies.size() + componentRows.size());
    written.step();
    const auto activities = byParent(activityRows, [](const store::Activity& a) { return a.PhaseID; });
    for (store::Phase phase : phases) {
        const store::Key sourcePhaseID = phase.PhaseID;
        phase.carid = newCarID;
        phase.auditdate = stamped;
        const store::Key newPhaseID = store.phases.add(phase);
        written.step();
        for (store::Activity activity : activities.value(sourcePhaseID)) {
            const store::Key sourceActivityID = activity.ActivityID;
            activity.carid = newCarID;
            activity.PhaseID = newPhaseID;
            activity.auditdate = stamped;
            activityKeyPairs.insert(sourceActivityID, store.activities.add(activity));
            written.step();
        }
    }

    const auto components = byParent(componentRows, [](const store::Component& c) { return c.assemblyid; });
    for (store::Assembly assembly : assemblies) {
        const store::Key sourceAssemblyID = assembly.assemblyid;
        assembly.carid = newCarID;
        assembly.auditdate = stamped;
        const store::Key newAssemblyID = store.assemblies.add(assembly);
        written.step();
        for (store::Component component : components.value(sourceAssemblyID)) {
            component.carid = newCarID;
            component.assemblyid = newAssemblyID;
            // An attachment to an activity outside the source project has no copy to follow:
            // the copy must not point into another project, so it stays unattached.
            if (component.isAttached())
                component.ActivityID = activityKeyPairs.contains(*component.ActivityID)
                    ? std::optional<store::Key>(activityKeyPairs.value(*component.ActivityID))
                    : std::nullopt;
            component.wishlist = 0;
            component.auditdate = stamped;
            store.components.add(component);
            written.step();
        }
    }
    transaction.commit();
    return newCarID;
}

} // namespace copy
