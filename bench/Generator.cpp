#include "Generator.h"

#include "store/Database.h"
#include "store/SampleProject.h"
#include "store/Transaction.h"

#include <QDate>
#include <QRandomGenerator>
#include <QStringList>

namespace bench {

namespace {

const QStringList Suppliers = { "Redline Engine Supply", "Prairie Brake & Wheel", "Bluegrass Body Panels",
                                "Sparkline Wiring Works", "Heartland Upholstery Co.", "Vintage Truck Depot",
                                "Coastline Chrome", "Northfield Fasteners", "Summit Glass & Seal",
                                "Ridgeback Suspension", "Canyon Paint Supply", "Millbrook Machine Shop" };
const QStringList AssemblyNames = { "Engine", "Cooling", "Fuel", "Exhaust", "Transmission", "Clutch", "Rear Axle",
                                    "Front Suspension", "Steering", "Brakes", "Wheels & Tyres", "Frame", "Body",
                                    "Paint", "Glass", "Interior", "Instruments", "Wiring", "Lighting", "Trim" };
const QStringList PhaseNames = { "Assessment", "Teardown", "Media Blasting", "Frame Repair", "Rust Repair",
                                 "Body Work", "Primer", "Paint", "Engine Rebuild", "Transmission Rebuild",
                                 "Suspension", "Brakes", "Fuel System", "Wiring", "Glass", "Interior", "Trim",
                                 "Assembly", "Tuning", "Road Test" };

} // namespace

void generateDatabase(const QString& path, int cars, quint32 seed)
{
    QRandomGenerator random(seed);
    store::createSampleDatabase(path);
    auto db = store::Database::open(path);
    store::Transaction t(*db);
    QSqlQuery supplier = db->prepare(QStringLiteral(
        "INSERT INTO Supplier (Name, address1, city, State, Zip, Telephone, Email) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < Suppliers.size(); ++i)
        store::Database::run(supplier, { Suppliers.at(i), QStringLiteral("%1 Main Street").arg(100 + i * 7),
                                         QStringLiteral("Springfield"), QStringLiteral("OH"),
                                         QStringLiteral("4550%1").arg(i % 10),
                                         QStringLiteral("555-01%1").arg(10 + i),
                                         QStringLiteral("www.supplier%1.example").arg(i) });
    QSqlQuery car = db->prepare(QStringLiteral("INSERT INTO Car (Description, make, model, Year, purchaseprice, "
                                               "resalevalue, totalbudget, Status) VALUES (?, ?, ?, ?, ?, ?, ?, 1)"));
    QSqlQuery assembly
        = db->prepare(QStringLiteral("INSERT INTO Assembly (carid, Description, Status) VALUES (?, ?, ?)"));
    QSqlQuery phase = db->prepare(
        QStringLiteral("INSERT INTO Phase (carid, prioritysequence, Description, Status) VALUES (?, ?, ?, ?)"));
    QSqlQuery activity = db->prepare(QStringLiteral(
        "INSERT INTO Activity (carid, PhaseID, prioritysequence, Description, Status, targetstartdate, "
        "targetstopdate, targeteffort, actualstartdate, actualstopdate, actualeffort) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QSqlQuery component = db->prepare(QStringLiteral(
        "INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, SupplierName, catalogpage, "
        "quantity, targetcost, actualcost, wishlist) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QVariant noDate(QMetaType(QMetaType::QString));
    const QVariant noKey(QMetaType(QMetaType::Int));

    for (int c = 0; c < cars; ++c) {
        const int year = 1950 + int(random.bounded(30));
        store::Database::run(car, { QStringLiteral("Project %1 (%2)").arg(c + 1, 4, 10, QLatin1Char('0')).arg(year),
                                    QStringLiteral("Ford"), QStringLiteral("Model %1").arg(c % 40),
                                    QString::number(year), qint64(random.bounded(2000, 40000)) * 10000,
                                    qint64(random.bounded(10000, 90000)) * 10000,
                                    qint64(random.bounded(15000, 60000)) * 10000 });
        const int carId = car.lastInsertId().toInt();
        const QDate start = QDate(2024, 1, 1).addDays(random.bounded(365));
        QList<int> activities;
        for (int p = 0; p < 20; ++p) {
            store::Database::run(phase, { carId, p + 1, PhaseNames.at(p), int(random.bounded(4)) });
            const int phaseId = phase.lastInsertId().toInt();
            for (int a = 0; a < 25; ++a) {
                const QDate from = start.addDays(p * 36 + a);
                const QDate to = from.addDays(3 + random.bounded(20));
                const bool begun = from < QDate(2025, 6, 1);
                const bool done = begun && random.bounded(3) != 0;
                store::Database::run(
                    activity, { carId, phaseId, a + 1, QStringLiteral("%1 step %2").arg(PhaseNames.at(p)).arg(a + 1),
                                done ? 2 : (begun ? 1 : 0), from.toString(Qt::ISODate), to.toString(Qt::ISODate),
                                double(random.bounded(2, 40)),
                                begun ? QVariant(from.addDays(random.bounded(5)).toString(Qt::ISODate)) : noDate,
                                done ? QVariant(to.addDays(random.bounded(10)).toString(Qt::ISODate)) : noDate,
                                double(begun ? random.bounded(1, 45) : 0) });
                activities << activity.lastInsertId().toInt();
            }
        }
        for (int a = 0; a < 20; ++a) {
            store::Database::run(assembly, { carId, AssemblyNames.at(a), int(random.bounded(4)) });
            const int assemblyId = assembly.lastInsertId().toInt();
            for (int k = 0; k < 50; ++k) {
                const qint64 target = qint64(random.bounded(100, 250000)) * 100; // $1.00 to $2,500.00
                const QVariant attached
                    = random.bounded(3) == 0 ? QVariant(activities.at(int(random.bounded(activities.size())))) : noKey;
                store::Database::run(
                    component, { carId, assemblyId, attached,
                                 QStringLiteral("%1 part %2").arg(AssemblyNames.at(a)).arg(k + 1, 2, 10, QLatin1Char('0')),
                                 int(random.bounded(4)), Suppliers.at(int(random.bounded(Suppliers.size()))),
                                 QStringLiteral("P-%1").arg(random.bounded(400)), int(random.bounded(1, 9)), target,
                                 target * qint64(random.bounded(80, 120)) / 100, random.bounded(10) == 0 ? 1 : 0 });
            }
        }
    }
    t.commit();
}

} // namespace bench
