#pragma once

#include "common/Progress.h"

#include <QString>

namespace copy {

// How many rows of each table a database copy wrote.
struct CopiedRows
{
    qint64 cars = 0, assemblies = 0, components = 0, phases = 0, activities = 0, suppliers = 0;
    qint64 total() const { return cars + assemblies + components + phases + activities + suppliers; }
};

// Copies every row of every table from one database to another, file or server either way, under
// the same keys; each table's counter is set past the highest key it gave, so that no key is given
// twice. The target is a new file, or a server database without GearLog tables; it is written in
// one transaction, and a file target gets its name only when complete, so a copy that fails or is
// killed leaves nothing half-written. The source is only read. Throws StoreError (OpenFailure when
// the source cannot be opened) with the reason. progress counts rows.
CopiedRows copyDatabase(const QString& from, const QString& to, const common::Progress& progress = {});

// "1 project, 7 assemblies, 40 components, 5 phases, 20 activities and 7 suppliers"
QString describe(const CopiedRows& rows);

} // namespace copy
