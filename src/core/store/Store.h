#pragma once

#include "store/Activity.h"
#include "store/Assembly.h"
#include "store/Car.h"
#include "store/Component.h"
#include "store/Database.h"
#include "store/Phase.h"
#include "store/Supplier.h"
#include "store/Table.h"

#include <type_traits>

namespace store {

// The six tables of one open database.
class Store
{
public:
    explicit Store(const Database& database)
        : db(database)
        , cars(database)
        , assemblies(database)
        , components(database)
        , phases(database)
        , activities(database)
        , suppliers(database, "Name")
    {
    }

    // The sample project shipped in every database: shown, printed and copied, never changed.
    static constexpr qint32 SampleCarId = 1;

    // Deletes with everything that depends on them, each all or nothing. Components attached to
    // a deleted activity stay, detached (ActivityID Null).
    void deleteCar(Key carid) const; // assemblies, components, phases, activities, then the car
    void deleteAssembly(Key assemblyid) const; // its components, then the assembly
    void deletePhase(Key phaseid) const; // its activities, then the phase
    void deleteActivity(Key activityid) const;

    // The priority sequence a new phase of the car, or a new activity of the phase, gets.
    qint32 nextPhaseSequence(Key carid) const;
    qint32 nextActivitySequence(Key carid, Key phaseid) const;

    // Gives each of two phases (or activities) its new priority sequence, both or neither.
    void swapPhaseSequences(Key first, qint32 firstSequence, Key second, qint32 secondSequence) const;
    void swapActivitySequences(Key first, qint32 firstSequence, Key second, qint32 secondSequence) const;

    // Writes only the planned and actual dates and efforts of an activity; false when it is gone.
    bool changeActivityTimes(const Activity& activity) const;

    // The table of a record type, for code written once for every kind.
    template <class Rec> const Table<Rec>& table() const
    {
        if constexpr (std::is_same_v<Rec, Car>)
            return cars;
        else if constexpr (std::is_same_v<Rec, Assembly>)
            return assemblies;
        else if constexpr (std::is_same_v<Rec, Component>)
            return components;
        else if constexpr (std::is_same_v<Rec, Phase>)
            return phases;
        else if constexpr (std::is_same_v<Rec, Activity>)
            return activities;
        else {
            static_assert(std::is_same_v<Rec, Supplier>, "not a record of the store");
            return suppliers;
        }
    }

    // Inside a transaction: holds the rows a record hangs from (its project, and its assembly,
    // phase or activity) against deletion until the transaction ends. When required, throws
    // StoreError if one is gone, so that no new record is written under a deleted project.
    template <class Rec> void holdParents(const Rec& row, bool required) const;

    // Inside a transaction: holds a row against others, for deleting it (exclusively) or for a
    // record hanging from it; when required and not deleting, throws StoreError if it is gone.
    void hold(const char* table, const char* keyColumn, Key key, bool deleting = false, bool required = true) const;

    // The components attached to an activity, by description.
    QList<Entry> componentsOfActivity(Key activityid) const;

    const Database& db;

private:
    void swapSequences(const char* table, const char* keyColumn, Key first, qint32 firstSequence, Key second,
        qint32 secondSequence) const;

public:
    Table<Car> cars;
    Table<Assembly> assemblies;
    Table<Component> components;
    Table<Phase> phases;
    Table<Activity> activities;
    Table<Supplier> suppliers;
};

} // namespace store
