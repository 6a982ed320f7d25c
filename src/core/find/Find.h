#pragma once

#include "project/Kind.h"
#include "store/RecordTraits.h"

#include <QList>
#include <QString>
#include <optional>

namespace store {
class Database;
}

namespace search {

// Where in a record the text was found: the first of these that holds it.
enum class Field { Name, Notes, CatalogPage, Supplier };

// One record found.
struct Hit
{
    project::Kind kind = project::Kind::Car;
    std::optional<store::Key> carid; // the project; none for a supplier
    store::Key key = 0;
    QString text; // the description, or a supplier's name
    Field field = Field::Name;
    bool operator==(const Hit&) const = default;
};

struct Found
{
    QList<Hit> hits;
    bool more = false; // more records hold the text than the first `limit` answered
};

// The records of every project (each car in the database) and the suppliers whose description
// (a supplier's name), notes (the three fields read as one text), catalog page or supplier name
// (a component's) hold the text, case ignored for every letter as common::compareNames ignores
// it. Every character typed stands for itself. By project number; within a project the car, then
// its assemblies, components, phases and activities, each kind by key; the suppliers last, by
// key. At most `limit` hits (none: all of them). An empty text finds nothing. Throws
// store::StoreError.
Found findRecords(const store::Database& database, const QString& text, std::optional<int> limit = std::nullopt);

// "Car", "Assembly", "Component", "Phase", "Activity", "Supplier".
QString kindName(project::Kind kind);
// "Description" (a supplier's "Name"), "Notes", "Catalog page", "Supplier".
QString fieldName(project::Kind kind, Field field);

} // namespace search
