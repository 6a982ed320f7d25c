// Works on a database without pause until it is killed: builds projects in one transaction,
// saves single components, copies projects and deletes whole projects, as the program does.

#include "copy/ProjectCopy.h"
#include "store/Database.h"
#include "store/Store.h"
#include "store/Transaction.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void buildProject(const store::Store& s, int round)
{
    store::Transaction t(s.db);
    store::Car car;
    car.Description = QStringLiteral("crash-%1").arg(round);
    const qint32 carid = s.cars.add(car);
    QList<qint32> activities;
    for (int p = 0; p < 2; ++p) {
        store::Phase phase;
        phase.carid = carid;
        phase.prioritysequence = p + 1;
        const qint32 phaseid = s.phases.add(phase);
        for (int a = 0; a < 3; ++a) {
            store::Activity activity;
            activity.carid = carid;
            activity.PhaseID = phaseid;
            activity.prioritysequence = a + 1;
            activities << s.activities.add(activity);
        }
    }
    for (int a = 0; a < 4; ++a) {
        store::Assembly assembly;
        assembly.carid = carid;
        assembly.Description = QStringLiteral("A%1").arg(a);
        const qint32 assemblyid = s.assemblies.add(assembly);
        for (int c = 0; c < 5; ++c) {
            store::Component component;
            component.carid = carid;
            component.assemblyid = assemblyid;
            component.Description = QStringLiteral("C%1").arg(c);
            component.ActivityID = activities.at(c % activities.size());
            component.targetcost = common::Money::fromUnits(979500);
            s.components.add(component);
        }
    }
    t.commit();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gearlog_crashworker DATABASE\n");
        return 2;
    }
    auto db = store::Database::open(QString::fromLocal8Bit(argv[1]));
    const store::Store s(*db);
    std::printf("ready\n");
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        buildProject(s, round);
        // A single save, as the editor writes one record.
        const auto cars = s.cars.allEntries(store::Order::Key);
        store::Component extra;
        extra.carid = cars.last().key;
        extra.Description = QStringLiteral("extra");
        s.components.add(extra);
        // A copy of the newest project, made whole or not at all.
        copy::copyProject(s, cars.last().key, QStringLiteral("crash-copy-%1").arg(round), QDate::currentDate());
        // The whole of the oldest project goes, cascade and all.
        if (cars.size() > 3)
            s.deleteCar(cars.at(1).key);
    }
}
