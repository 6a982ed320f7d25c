#pragma once

#include "common/Progress.h"
#include "store/RecordTraits.h"

#include <QDate>
#include <QString>
#include <QtGlobal>

namespace store {
class Store;
}

namespace copy {

// Longest name a project may carry: the width of Car.Description.
constexpr int NameLimit = 30;

// Why a copy may not start, or an empty text when it may. No project chosen (key 0), an empty
// name and a name longer than NameLimit are refused: a name is never cut without the user knowing.
QString refusal(store::Key sourceCarID, const QString& newName);

// Copies the car with its assemblies and their components, and its phases and their activities,
// under the new name; answers the new car's key. Components are attached to the copies of their
// activities and come off the wish list; priority sequences are kept so the plan keeps its order;
// every new row is stamped with the given day. All or nothing: any failure throws
// store::StoreError and leaves the database as it was, as does a refused copy or a missing car.
// progress counts the rows written.
store::Key copyProject(const store::Store& store, store::Key sourceCarID, const QString& newName, const QDate& stamp,
    const common::Progress& progress = {});

} // namespace copy
