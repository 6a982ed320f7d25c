#include "copy/DatabaseCopy.h"

#include "store/ServerAddress.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace copy {

namespace {

// Rows travel in parts, so that a database of any size is copied in bounded memory.
constexpr int PartRows = 2000;

template <class Rec>
qint64 copyTable(const store::Table<Rec>& from, const store::Table<Rec>& to, common::ProgressCount& count)
{
    qint64 copied = 0;
    store::Key last = 0;
    for (QList<Rec> part = from.after(last, PartRows); !part.isEmpty(); part = from.after(last, PartRows)) {
        to.addWithKeys(part);
        last = part.last().key();
        copied += part.size();
        count.step(part.size());
    }
    to.raiseHighestKey(from.highestKey());
    return copied;
}

void refuseExistingFile(const QString& path)
{
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        throw store::StoreError(store::code::Exists,
            QStringLiteral("The file '%1' already exists; it is left as it is.").arg(path),
            QStringLiteral("GearLog database copy"));
}

} // namespace

CopiedRows copyDatabase(const QString& from, const QString& to, const common::Progress& progress)
{
    const auto source = store::Database::open(from, store::OpenOptions { .readOnly = true });
    const store::Store in(*source);
    const qint64 total = in.cars.count() + in.assemblies.count() + in.components.count() + in.phases.count()
        + in.activities.count() + in.suppliers.count();
    common::ProgressCount count(progress, total);

    // A file is written under a working name beside it and renamed when whole.
    const bool toFile = !store::ServerAddress::isUrl(to);
    if (toFile)
        refuseExistingFile(to);
    const QString working = toFile
        ? QFileInfo(to).absoluteDir().filePath(
            QStringLiteral(".%1.%2.part").arg(QFileInfo(to).fileName(), QUuid::createUuid().toString(QUuid::Id128)))
        : to;

    CopiedRows rows;
    try {
        store::Database::create(working, [&](const store::Database& target) {
            const store::Store out(target);
            rows.suppliers = copyTable(in.suppliers, out.suppliers, count);
            rows.cars = copyTable(in.cars, out.cars, count);
            rows.assemblies = copyTable(in.assemblies, out.assemblies, count);
            rows.phases = copyTable(in.phases, out.phases, count);
            rows.activities = copyTable(in.activities, out.activities, count);
            rows.components = copyTable(in.components, out.components, count);
        });
        if (toFile) {
            refuseExistingFile(to); // made meanwhile by someone else
            if (!QFile::rename(working, to))
                throw store::StoreError(store::code::CantOpen,
                    QStringLiteral("The copy could not be given the name '%1'.").arg(to),
                    QStringLiteral("GearLog database copy"));
        }
    } catch (...) {
        if (toFile)
            QFile::remove(working);
        throw;
    }
    count.finish();
    return rows;
}

QString describe(const CopiedRows& rows)
{
    const auto n = [](qint64 count, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
    };
    return QStringLiteral("%1, %2, %3, %4, %5 and %6")
        .arg(n(rows.cars, "project", "projects"), n(rows.assemblies, "assembly", "assemblies"),
            n(rows.components, "component", "components"), n(rows.phases, "phase", "phases"),
            n(rows.activities, "activity", "activities"), n(rows.suppliers, "supplier", "suppliers"));
}

} // namespace copy
