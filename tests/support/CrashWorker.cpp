// Works on a database without pause until it is killed: builds projects in one transaction,
// saves single components, copies projects and deletes whole projects, as the program does.
// With "restore A B" it puts the backups A and B in place of the database in turn.

#include "copy/ProjectCopy.h"
#include "store/Database.h"
#include "store/Restore.h"
#include "store/Store.h"
#include "store/Transaction.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gearlog_crashworker DATABASE\n");
        return 2;
    }
    if (argc == 5 && QByteArray(argv[2]) == "restore") {
        std::printf("ready\n");
        std::fflush(stdout);
        for (int round = 0;; ++round)
            store::restoreBackup(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[3 + round % 2]));
    }
    auto db = store::Database::open(QString::fromLocal8Bit(argv[1]));
    const store::Store s(*db);
    std::printf("ready\n");
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        {
            // A project of 2 phases of 3 activities and 4 assemblies of 5 components, all or nothing.
            store::Transaction t(*db);
            const store::Key car = s.cars.add({ .Description = QStringLiteral("crash-%1").arg(round) });
            QList<store::Key> activities;
            for (int p = 0; p < 2; ++p) {
                const store::Key phase = s.phases.add({ .carid = car, .prioritysequence = p + 1 });
                for (int a = 0; a < 3; ++a)
                    activities << s.activities.add({ .carid = car, .PhaseID = phase, .prioritysequence = a + 1 });
            }
            for (int a = 0; a < 4; ++a) {
                const store::Key assembly
                    = s.assemblies.add({ .carid = car, .Description = QStringLiteral("A%1").arg(a) });
                for (int c = 0; c < 5; ++c)
                    s.components.add({ 0, car, assembly, activities.at(c % 6), QStringLiteral("C%1").arg(c), {}, {}, {},
                        {}, common::Money::fromUnits(979500) });
            }
            t.commit();
        }
        // A single save, as the editor writes one record.
        const auto cars = s.cars.allEntries(store::Order::Key);
        s.components.add({ .carid = cars.last().key, .Description = QStringLiteral("extra") });
        // A copy of the newest project, made whole or not at all.
        copy::copyProject(s, cars.last().key, QStringLiteral("crash-copy-%1").arg(round), QDate::currentDate());
        // The whole of the oldest project goes, cascade and all.
        if (cars.size() > 3)
            s.deleteCar(cars.at(1).key);
    }
}
