#pragma once

#include "store/Activity.h"
#include "store/Assembly.h"
#include "store/Component.h"
#include "store/Phase.h"
#include "store/Table.h"

#include <QHash>
#include <QList>

namespace store {
class Store;
}

namespace project {

// Orders descriptions as every list by name is ordered (common::nameLess: case ignored for every
// letter, Null first, ties by key), the same as the store's lists by name.
bool descriptionLess(const QString& a, store::Key keyA, const QString& b, store::Key keyB);

// One car's assemblies, components, phases and activities, read with one query a table and then
// kept in step with every write made through the session. The pick lists, both trees and every
// total of the car are worked out from it, so picking a car or saving a record reads no table twice.
class ProjectRecords
{
public:
    ProjectRecords() = default;
    ProjectRecords(const store::Store& store, store::Key carid);
    // Only what one tree shows: assemblies and components, or phases and activities.
    static ProjectRecords materials(const store::Store& store, store::Key carid);
    static ProjectRecords plan(const store::Store& store, store::Key carid);

    store::Key carid() const { return m_carid; }

    // Assemblies and components by description; phases and activities by priority sequence.
    // Ties always by key.
    const QList<store::Assembly>& assemblies() const { return m_assemblies; }
    const QList<store::Component>& components() const { return m_components; }
    const QList<store::Phase>& phases() const { return m_phases; }
    const QList<store::Activity>& activities() const { return m_activities; }

    const store::Assembly* assembly(store::Key key) const;
    const store::Component* component(store::Key key) const;
    const store::Phase* phase(store::Key key) const;
    const store::Activity* activity(store::Key key) const;

    // Keys and descriptions of one kind, by description, as its pick list shows them.
    QList<store::Entry> assemblyEntries() const;
    QList<store::Entry> componentEntries() const;
    QList<store::Entry> phaseEntries() const;
    QList<store::Entry> activityEntries() const;

    // A record written: added, or put in place of the one with its key, keeping the orders.
    // Records of other cars are ignored.
    void put(const store::Assembly& row);
    void put(const store::Component& row);
    void put(const store::Phase& row);
    void put(const store::Activity& row);

    // Deletes as the store's cascades do: an assembly with its components, a phase with its
    // activities; components of a deleted activity stay, detached.
    void removeAssembly(store::Key key);
    void removeComponent(store::Key key);
    void removePhase(store::Key key);
    void removeActivity(store::Key key);

private:
    void reindex();

    store::Key m_carid = 0;
    QList<store::Assembly> m_assemblies;
    QList<store::Component> m_components;
    QList<store::Phase> m_phases;
    QList<store::Activity> m_activities;
    QHash<store::Key, qsizetype> m_assemblyAt;
    QHash<store::Key, qsizetype> m_componentAt;
    QHash<store::Key, qsizetype> m_phaseAt;
    QHash<store::Key, qsizetype> m_activityAt;
};

} // namespace project
