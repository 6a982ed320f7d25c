#include "BenchDatabase.h"

#include "store/Database.h"
#include "store/SampleProject.h"
#include "store/Transaction.h"

#include <QFileInfo>

namespace bench {

void buildDatabase(const QString& path, const Shape& shape)
{
    store::createSampleDatabase(path);
    auto db = store::Database::open(path);
    store::Transaction t(*db);
    QSqlQuery car = db->prepare(QStringLiteral(
        "INSERT INTO Car (Description, make, model, Year, purchaseprice, Status) VALUES (?, 'Ford', 'Falcon', '1964', ?, 1)"));
    QSqlQuery assembly = db->prepare(QStringLiteral("INSERT INTO Assembly (carid, Description, Status) VALUES (?, ?, 0)"));
    QSqlQuery component = db->prepare(QStringLiteral(
        "INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, quantity, targetcost, actualcost, "
        "wishlist) VALUES (?, ?, ?, ?, 1, 2, 979500, 950000, 0)"));
    QSqlQuery phase = db->prepare(
        QStringLiteral("INSERT INTO Phase (carid, prioritysequence, Description, Status) VALUES (?, ?, ?, 0)"));
    QSqlQuery activity = db->prepare(QStringLiteral(
        "INSERT INTO Activity (carid, PhaseID, prioritysequence, Description, Status, targetstartdate, targetstopdate, "
        "targeteffort, actualeffort) VALUES (?, ?, ?, ?, 0, '2026-01-05', '2026-02-20', 12, 0)"));

    for (int c = 0; c < shape.cars; ++c) {
        store::Database::run(car, { QStringLiteral("Project %1").arg(c, 4, 10, QLatin1Char('0')), qint64(c) * 10000 });
        const int carId = car.lastInsertId().toInt();
        QList<int> assemblies;
        for (int a = 0; a < shape.assembliesPerCar; ++a) {
            store::Database::run(assembly, { carId, QStringLiteral("Assembly %1").arg(a) });
            assemblies << assembly.lastInsertId().toInt();
        }
        QList<int> activities;
        const int perPhase = qMax(1, shape.activitiesPerCar / qMax(1, shape.phasesPerCar));
        for (int p = 0; p < shape.phasesPerCar; ++p) {
            store::Database::run(phase, { carId, p + 1, QStringLiteral("Phase %1").arg(p) });
            const int phaseId = phase.lastInsertId().toInt();
            for (int k = 0; k < perPhase && activities.size() < shape.activitiesPerCar; ++k) {
                store::Database::run(activity, { carId, phaseId, k + 1, QStringLiteral("Activity %1-%2").arg(p).arg(k) });
                activities << activity.lastInsertId().toInt();
            }
        }
        for (int k = 0; k < shape.componentsPerCar; ++k) {
            const QVariant attached = (k % 3 == 0 && !activities.isEmpty())
                                          ? QVariant(activities.at(k % activities.size()))
                                          : QVariant(QMetaType(QMetaType::Int));
            store::Database::run(component, { carId, assemblies.isEmpty() ? 0 : assemblies.at(k % assemblies.size()),
                                              attached, QStringLiteral("Part %1").arg(k, 4, 10, QLatin1Char('0')) });
        }
    }
    t.commit();
}

int addSpreadProject(const QString& path, int phases, int activitiesPerPhase)
{
    auto db = store::Database::open(path);
    store::Transaction t(*db);
    QSqlQuery car = db->run(QStringLiteral("INSERT INTO Car (Description) VALUES ('Spread project')"));
    const int carId = car.lastInsertId().toInt();
    QSqlQuery phase = db->prepare(
        QStringLiteral("INSERT INTO Phase (carid, prioritysequence, Description, Status) VALUES (?, ?, ?, 0)"));
    QSqlQuery activity = db->prepare(QStringLiteral(
        "INSERT INTO Activity (carid, PhaseID, prioritysequence, Description, Status, targetstartdate, targetstopdate, "
        "targeteffort, actualstartdate, actualstopdate, actualeffort) VALUES (?, ?, ?, ?, 0, ?, ?, 8, ?, ?, 6)"));
    const QDate first(2022, 1, 3);
    for (int p = 0; p < phases; ++p) {
        store::Database::run(phase, { carId, p + 1, QStringLiteral("Phase %1").arg(p) });
        const int phaseId = phase.lastInsertId().toInt();
        for (int k = 0; k < activitiesPerPhase; ++k) {
            const QDate start = first.addDays((p * activitiesPerPhase + k) * 1460 / (phases * activitiesPerPhase));
            const QString iso = start.toString(Qt::ISODate);
            const QVariant done = k % 2 ? QVariant(start.addDays(9).toString(Qt::ISODate)) : QVariant(QMetaType(QMetaType::QString));
            store::Database::run(activity, { carId, phaseId, k + 1, QStringLiteral("Activity %1-%2").arg(p).arg(k), iso,
                                             start.addDays(20).toString(Qt::ISODate), iso, done });
        }
    }
    t.commit();
    return carId;
}

} // namespace bench
