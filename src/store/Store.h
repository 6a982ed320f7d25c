#pragma once

#include "store/Activity.h"
#include "store/Assembly.h"
#include "store/Car.h"
#include "store/Component.h"
#include "store/Database.h"
#include "store/Phase.h"
#include "store/Supplier.h"
#include "store/Table.h"

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

    const Database& db;
    Table<Car> cars;
    Table<Assembly> assemblies;
    Table<Component> components;
    Table<Phase> phases;
    Table<Activity> activities;
    Table<Supplier> suppliers;
};

} // namespace store
