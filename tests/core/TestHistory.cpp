#include "copy/ProjectCopy.h"
#include "exchange/ProjectFile.h"
#include "project/ProjectSession.h"
#include "store/Database.h"
#include "store/StoreError.h"
#include "store/Transaction.h"
#include "support/TestDatabase.h"

#include <QtTest>
#include <functional>

using namespace store;
using namespace Qt::StringLiterals;
using project::ProjectSession;
using Kind = ProjectSession::Kind;

namespace {

using Step = std::function<void(ProjectSession&, Key car)>;

Key newest(const ProjectSession& s, const char* table, const char* key, Key car)
{
    return testing::firstValue(s.store().db,
        u"SELECT MAX(%1) FROM %2 WHERE carid = %3"_s.arg(QLatin1String(key), QLatin1String(table)).arg(car))
        .toLongLong();
}

template <class Rec> void save(ProjectSession& s, Key key, const std::function<void(Rec&)>& edit, const QString& verb)
{
    auto loaded = s.store().table<Rec>().load(key);
    QVERIFY(loaded);
    edit(loaded->record);
    QCOMPARE(s.update(loaded->record, loaded->snapshot, verb), ProjectSession::SaveOutcome::Saved);
}

// An attached component of the car, and the phase of the activity it is attached to.
std::pair<Key, Key> attachedComponent(const ProjectSession& s, Key car)
{
    QSqlQuery q = s.store().db.run(u"SELECT c.componentid, a.PhaseID FROM Component c JOIN Activity a "
                                   "ON a.ActivityID = c.ActivityID WHERE c.carid = ? ORDER BY 1"_s,
        { car });
    return q.next() ? std::pair { q.value(0).toLongLong(), q.value(1).toLongLong() } : std::pair<Key, Key> {};
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    // Every kind of change: undone, the database holds exactly what it held before, keys and all;
    // redone, exactly what the change left.
    void eachChangeUndoneAndRedone_data()
    {
        QTest::addColumn<Step>("change");
        QTest::addColumn<QString>("text");
        const auto add = [](auto record) {
            return [record](ProjectSession& s, Key car) mutable {
                if constexpr (!std::is_same_v<decltype(record), Supplier>)
                    record.carid = car;
                if constexpr (std::is_same_v<decltype(record), Component>)
                    record.assemblyid = newest(s, "Assembly", "assemblyid", car);
                if constexpr (std::is_same_v<decltype(record), Activity>)
                    record.PhaseID = newest(s, "Phase", "PhaseID", car);
                s.add(record);
            };
        };
        QTest::newRow("add project") << Step(add(Car { .Description = u"Red Roadster"_s }))
                                     << u"Add Project 'Red Roadster'"_s;
        QTest::newRow("add assembly") << Step(add(Assembly { .Description = u"Doors"_s })) << u"Add Assembly 'Doors'"_s;
        QTest::newRow("add component") << Step(add(Component { .Description = u"Hinge"_s }))
                                       << u"Add Component 'Hinge'"_s;
        QTest::newRow("add phase") << Step(add(Phase { .Description = u"Paint"_s })) << u"Add Phase 'Paint'"_s;
        QTest::newRow("add activity") << Step(add(Activity { .Description = u"Sand"_s })) << u"Add Activity 'Sand'"_s;
        QTest::newRow("add supplier") << Step(add(Supplier { .Name = u"Acme & Sons"_s }))
                                      << u"Add Supplier 'Acme & Sons'"_s;
        QTest::newRow("save project") << Step([](ProjectSession& s, Key car) {
            save<Car>(
                s, car, [](Car& c) { c.make = u"Riley"_s; }, u"Save"_s);
        }) << u"Save Project 'Blue Coupe'"_s;
        QTest::newRow("detach") << Step([](ProjectSession& s, Key car) {
            save<Component>(
                s, attachedComponent(s, car).first, [](Component& c) { c.ActivityID = 0; }, u"Detach"_s);
        }) << u"Detach Component"_s;
        QTest::newRow("delete project") << Step([](ProjectSession& s, Key car) { QVERIFY(s.remove(Kind::Car, car)); })
                                        << u"Delete Project 'Blue Coupe'"_s;
        QTest::newRow("delete assembly") << Step([](ProjectSession& s, Key car) {
            QVERIFY(s.remove(Kind::Assembly, newest(s, "Assembly", "assemblyid", car)));
        }) << u"Delete Assembly"_s;
        QTest::newRow("delete component")
            << Step([](ProjectSession& s, Key car) { s.remove(Kind::Component, attachedComponent(s, car).first); })
            << u"Delete Component"_s;
        // Its activities go, and the components attached to them stay, detached.
        QTest::newRow("delete phase") << Step([](ProjectSession& s, Key car) {
            s.remove(Kind::Phase, attachedComponent(s, car).second);
        }) << u"Delete Phase"_s;
        QTest::newRow("delete supplier") << Step([](ProjectSession& s, Key) {
            s.remove(Kind::Supplier,
                testing::firstValue(s.store().db, u"SELECT MIN(supplierid) FROM Supplier"_s).toLongLong());
        }) << u"Delete Supplier"_s;
        QTest::newRow("move up") << Step([](ProjectSession& s, Key car) {
            const QList<Phase> plan = s.store().phases.forCar(car, Order::Sequence);
            s.swapPhaseSequences(plan.at(1).PhaseID, *plan.at(0).prioritysequence, plan.at(0).PhaseID,
                *plan.at(1).prioritysequence, u"Move Up"_s);
        }) << u"Move Up"_s;
        QTest::newRow("dates") << Step([](ProjectSession& s, Key car) {
            Activity a = *s.store().activities.find(newest(s, "Activity", "ActivityID", car));
            a.targetstartdate = QDate(2027, 3, 1);
            a.actualeffort = 12.5;
            QVERIFY(s.changeActivityTimes(a));
        }) << u"Change Dates of Activity"_s;
        QTest::newRow("copy") << Step([](ProjectSession& s, Key car) {
            s.copyProject(car, u"Green Coupe"_s, QDate(2027, 1, 2));
        }) << u"Copy Project 'Blue Coupe'"_s;
        // A supplier the file names and the database lacks comes with it.
        QTest::newRow("import") << Step([](ProjectSession& s, Key car) {
            const QString supplier = testing::firstValue(s.store().db,
                u"SELECT MIN(SupplierName) FROM Component WHERE carid = %1 AND SupplierName <> ''"_s.arg(car))
                                         .toString();
            s.importProject(exchange::exportProject(s.store(), car).replace(supplier.toUtf8(), "Brand New Supplier"));
            QVERIFY(s.store().suppliers.seek(u"Brand New Supplier"_s));
        }) << u"Import Project 'Blue Coupe'"_s;
    }
    void eachChangeUndoneAndRedone()
    {
        QFETCH(Step, change);
        QFETCH(QString, text);
        testing::TestDatabase dir;
        const auto db = Database::open(dir.copySample());
        ProjectSession s(*db);
        const Key car = copy::copyProject(s.store(), Store::SampleCarId, u"Blue Coupe"_s, QDate(2026, 12, 1));
        const QStringList before = testing::dumpRows(*db);
        change(s, car);
        const QStringList after = testing::dumpRows(*db);
        QVERIFY(after != before);
        QVERIFY(s.history().canUndo());
        QVERIFY2(s.history().toUndo().text.startsWith(text), qPrintable(s.history().toUndo().text));
        const Key changedCar = s.history().toUndo().carid;
        QCOMPARE(s.undo(), changedCar);
        QCOMPARE(testing::dumpRows(*db), before);
        QVERIFY(!s.history().canUndo() && s.history().canRedo());
        s.redo();
        QCOMPARE(testing::dumpRows(*db), after);
        s.undo();
        QCOMPARE(testing::dumpRows(*db), before);
    }

    // A car of a thousand components, half of them attached to five hundred activities, comes
    // back whole, in one change kept within the history's bounds.
    void largeCarRestored()
    {
        testing::TestDatabase dir;
        const auto db = Database::open(dir.copySample());
        ProjectSession s(*db);
        const Key car = s.add(Car { .Description = u"Big Build"_s });
        {
            Transaction t(*db);
            const Key assembly = s.store().assemblies.add(Assembly { .carid = car, .Description = u"Body"_s });
            const Key phase
                = s.store().phases.add(Phase { .carid = car, .prioritysequence = 1, .Description = u"All"_s });
            QList<Key> activities;
            for (int i = 0; i < 500; ++i)
                activities << s.store().activities.add(Activity {
                    .carid = car, .PhaseID = phase, .prioritysequence = i + 1, .Description = u"Step %1"_s.arg(i) });
            for (int i = 0; i < 1000; ++i)
                s.store().components.add(Component { .carid = car,
                    .assemblyid = assembly,
                    .ActivityID = i % 2 ? std::optional<Key>(activities.at(i / 2)) : std::nullopt,
                    .Description = u"Part %1"_s.arg(i),
                    .targetcost = common::Money::fromWholeDollars(20) });
            t.commit();
        }
        const QStringList whole = testing::dumpRows(*db);
        QVERIFY(s.remove(Kind::Car, car));
        QCOMPARE(testing::firstValue(*db, u"SELECT COUNT(*) FROM Component WHERE carid = %1"_s.arg(car)).toInt(), 0);
        QCOMPARE(s.history().toUndo().rows.size(), 1503);
        s.undo();
        QCOMPARE(testing::dumpRows(*db), whole);
        QCOMPARE(
            testing::firstValue(*db, u"SELECT COUNT(*) FROM Component WHERE carid = %1 AND ActivityID > 0"_s.arg(car))
                .toInt(),
            500);
    }

    // What someone else changed since is never overwritten: the undo is refused, nothing is
    // written, and what came before it can no longer be undone.
    void refusedAfterOthersChanged()
    {
        testing::TestDatabase dir;
        const QString location = dir.copySample();
        const auto db = Database::open(location);
        ProjectSession s(*db);
        const Key car = copy::copyProject(s.store(), Store::SampleCarId, u"Blue Coupe"_s, QDate(2026, 12, 1));
        const Key component = attachedComponent(s, car).first;
        const Key assembly = s.store().components.find(component)->assemblyid;
        save<Car>(
            s, car, [](Car& c) { c.model = u"GT"_s; }, u"Save"_s);
        save<Component>(
            s, component, [](Component& c) { c.catalogpage = u"p. 12"_s; }, u"Save"_s);
        const auto other = Database::open(location); // another program
        other->run(u"UPDATE Component SET quantity = 7 WHERE componentid = %1"_s.arg(component));
        const QStringList changed = testing::dumpRows(*db);
        try {
            s.undo();
            QFAIL("undone over someone else's change");
        } catch (const StoreError& e) {
            QCOMPARE(e.code(), code::Stale);
        }
        QCOMPARE(testing::dumpRows(*db), changed);
        QVERIFY(!s.history().canUndo());

        // A component whose assembly someone else deleted does not come back without it.
        QVERIFY(s.remove(Kind::Component, component));
        other->run(u"DELETE FROM Assembly WHERE assemblyid = %1"_s.arg(assembly));
        QVERIFY_THROWS_EXCEPTION(StoreError, s.undo());
        QVERIFY(!s.store().components.find(component));

        // Nor does an assembly go while someone else's component hangs from it.
        const Key doors = s.add(Assembly { .carid = car, .Description = u"Doors"_s });
        other->run(
            u"INSERT INTO Component (carid, assemblyid, Description) VALUES (%1, %2, 'Latch')"_s.arg(car).arg(doors));
        QVERIFY_THROWS_EXCEPTION(StoreError, s.undo());
        QVERIFY(s.store().assemblies.find(doors));
    }

    // The sample project is never written, not even by taking back a change made to it.
    void sampleNeverWritten()
    {
        testing::TestDatabase dir;
        const auto db = Database::open(dir.copySample());
        ProjectSession s(*db);
        save<Car>(
            s, Store::SampleCarId, [](Car& c) { c.model = u"GT"_s; }, u"Save"_s);
        const QStringList changed = testing::dumpRows(*db);
        QVERIFY_THROWS_EXCEPTION(StoreError, s.undo());
        QCOMPARE(testing::dumpRows(*db), changed);
    }

    // The oldest changes go first, past either bound; a new change forgets what could be redone.
    void historyBounded()
    {
        const auto change = [](int bytes) {
            return project::Change { u"Save"_s, 2, { { Kind::Car, 2, Image { QString(bytes / 2, u'x') }, Image {} } } };
        };
        project::History h(3, 20000);
        for (int i = 0; i < 4; ++i)
            h.add(change(100));
        QCOMPARE(h.size(), 3);
        h.undone();
        h.add(change(100));
        QVERIFY(!h.canRedo());
        QCOMPARE(h.size(), 3);
        h.add(change(19500));
        QCOMPARE(h.size(), 1);
        QVERIFY(h.bytes() > 19500 && h.bytes() <= 20000);
        h.add(change(30000)); // larger than the whole allowance: nothing is held
        QCOMPARE(h.size(), 0);
        QCOMPARE(h.bytes(), 0);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "TestHistory.moc"
