#include "project/ProjectSession.h"
#include "store/Database.h"
#include "store/StoreError.h"
#include "support/TestDatabase.h"

#include <QMetaEnum>
#include <QSqlQuery>
#include <QtTest>

#include <utility>

using namespace store;
using namespace Qt::StringLiterals;
using project::ProjectSession;
using Kind = ProjectSession::Kind;
using Outcome = ProjectSession::SaveOutcome;

namespace {

// What the session announced, in order; the key of a record written alone follows its kind.
void watch(ProjectSession& s, QStringList& log)
{
    QObject::connect(&s, &ProjectSession::carsChanged, [&log] { log << u"cars"_s; });
    QObject::connect(&s, &ProjectSession::suppliersChanged, [&log] { log << u"suppliers"_s; });
    QObject::connect(
        &s, &ProjectSession::currentCarChanged, [&log](store::Key car) { log << u"current %1"_s.arg(car); });
    QObject::connect(&s, &ProjectSession::recordsChanged, [&log](store::Key car, Kind kind, store::Key key) {
        log << u"%1 %2"_s.arg(car).arg(QLatin1String(QMetaEnum::fromType<Kind>().valueToKey(int(kind))))
                + (key ? u" #%1"_s.arg(key) : QString());
    });
}

// Loads the newest row of the table, changes a note and saves it.
template <class Rec> void touchAndSave(ProjectSession& s)
{
    const store::Key key = testing::firstValue(
        s.store().db, u"SELECT MAX(%1) FROM %2"_s.arg(QLatin1String(Rec::KeyColumn), QLatin1String(Rec::Table)))
                               .toInt();
    auto loaded = s.store().table<Rec>().load(key);
    QVERIFY(loaded);
    loaded->record.notes[0] = u"touched"_s;
    QCOMPARE(s.update(loaded->record, loaded->snapshot), Outcome::Saved);
    QCOMPARE(s.store().table<Rec>().find(key)->notes[0], u"touched"_s);
}

template <class... Rec> void touchAndSaveTable(ProjectSession& s, const QString& table)
{
    ((table == QLatin1String(Rec::Table) ? touchAndSave<Rec>(s) : void()), ...);
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    // A save over a row another program changed since it was loaded is refused, however small the change.
    void staleSaveRefused_data()
    {
        QTest::addColumn<QString>("other");
        QTest::addColumn<Outcome>("expected");
        // clang-format off
        QTest::newRow("rewritten as it was") << "UPDATE Activity SET Description = Description" << Outcome::Saved;
        QTest::newRow("case of a NOCASE column") << "UPDATE Activity SET Description = 'STRIP PAINT'" << Outcome::ChangedElsewhere;
        QTest::newRow("Null filled") << "UPDATE Activity SET note2 = 'x'" << Outcome::ChangedElsewhere;
        QTest::newRow("value emptied") << "UPDATE Activity SET targeteffort = NULL" << Outcome::ChangedElsewhere;
        QTest::newRow("nearly the same number") << "UPDATE Activity SET targeteffort = 2.5000000001" << Outcome::ChangedElsewhere;
        if (!testing::onServer()) // a server's date column holds no time
            QTest::newRow("time added to a date") << "UPDATE Activity SET targetstartdate = '2024-03-01 00:00:00'" << Outcome::ChangedElsewhere;
        QTest::newRow("deleted") << "DELETE FROM Activity" << Outcome::DeletedElsewhere;
        // clang-format on
    }
    void staleSaveRefused()
    {
        QFETCH(QString, other);
        QFETCH(Outcome, expected);
        testing::TestDatabase t;
        const QString path = t.createEmpty();
        auto db = Database::open(path);
        auto elsewhere = Database::open(path); // another program on the same file
        db->run(u"INSERT INTO Car (carid) VALUES (5)"_s);
        db->run(u"INSERT INTO Phase (PhaseID, carid) VALUES (2, 5)"_s);
        db->run(u"INSERT INTO Activity (carid, PhaseID, prioritysequence, Description, targetstartdate, "
                "targeteffort, note1) VALUES (5, 2, 1, 'Strip Paint', '2024-03-01', 2.5, 'n')"_s);
        ProjectSession s(*db);
        QStringList log;
        watch(s, log);
        const store::Key key = testing::firstValue(*db, u"SELECT MAX(ActivityID) FROM Activity"_s).toInt();
        auto loaded = s.store().activities.load(key);
        QVERIFY(loaded);
        elsewhere->run(other);
        const QStringList before = testing::dumpRows(*elsewhere);
        loaded->record.Description = u"Mine"_s;
        QCOMPARE(s.update(loaded->record, loaded->snapshot), expected);
        const bool saved = expected == Outcome::Saved;
        QCOMPARE(testing::dumpRows(*elsewhere) == before, !saved);
        QCOMPARE(log, saved ? QStringList { u"5 Activity #%1"_s.arg(key) } : QStringList());
    }

    // Rows another program wrote in odd forms save unchanged: they are not taken for changed elsewhere.
    void untouchedOddRowSaves_data()
    {
        QTest::addColumn<QString>("insert");
        QTest::newRow("car, every column Null") << "INSERT INTO Car DEFAULT VALUES";
        QTest::newRow("supplier, empty texts rather than Null")
            << "INSERT INTO Supplier (Name, city, Zip) VALUES ('', '', 01234)";
        if (testing::onServer())
            return; // its column types refuse the rest
        QTest::newRow("activity, dates with times, whole and text efforts")
            << "INSERT INTO Activity (carid, PhaseID, targetstartdate, targeteffort, actualeffort, actualstopdate) "
               "VALUES (1, 1, '2024-03-01 08:30:00', 3, 'n/a', '')";
        QTest::newRow("component, fractional quantity, money as text and REAL")
            << "INSERT INTO Component (carid, assemblyid, Description, quantity, targetcost, actualcost, wishlist) "
               "VALUES (1, 1, 'C', 2.5, '12,50', 12.5, 'yes')";
        QTest::newRow("phase, sequence as text, stamp in another form")
            << "INSERT INTO Phase (carid, prioritysequence, auditdate) VALUES (1, 'first', '2024-03-01T08:30')";
        QTest::newRow("assembly, status beyond 32 bits")
            << "INSERT INTO Assembly (carid, Status, Description) VALUES (1, 99999999999, 'Body')";
    }
    void untouchedOddRowSaves()
    {
        QFETCH(QString, insert);
        testing::TestDatabase t;
        auto db = Database::open(t.createEmpty());
        db->run(insert);
        ProjectSession s(*db);
        touchAndSaveTable<Car, Assembly, Component, Phase, Activity, Supplier>(s, insert.section(u' ', 2, 2));
    }

    // A delete refused at its last step, after its dependants went: nothing written, announced or forgotten.
    void failedCascadeWritesNothing_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("keySql");
        // clang-format off
        QTest::newRow("car") << Kind::Car << "Car" << "SELECT carid FROM Component LIMIT 1";
        QTest::newRow("assembly") << Kind::Assembly << "Assembly" << "SELECT assemblyid FROM Component LIMIT 1";
        QTest::newRow("phase") << Kind::Phase << "Phase" << "SELECT PhaseID FROM Activity WHERE ActivityID IN (SELECT ActivityID FROM Component)";
        QTest::newRow("activity") << Kind::Activity << "Activity" << "SELECT MAX(ActivityID) FROM Component";
        // clang-format on
    }
    void failedCascadeWritesNothing()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, table);
        QFETCH(QString, keySql);
        testing::TestDatabase t;
        auto db = Database::open(t.copySample());
        const store::Key key = testing::firstValue(*db, keySql).toInt();
        QVERIFY(key > 0);
        ProjectSession s(*db);
        s.setCurrentCar(Store::SampleCarId);
        s.setCurrent(kind, key);
        QStringList log;
        watch(s, log);
        testing::refuseWrites(*db, u"DELETE"_s, table);
        const QStringList before = testing::dumpRows(*db);
        QVERIFY_THROWS_EXCEPTION(StoreError, s.remove(kind, key));
        QCOMPARE(testing::dumpRows(*db), before);
        QCOMPARE(log, QStringList());
        QCOMPARE(s.current(kind), key);
    }

    // A new phase goes after the car's highest, gaps and all; an activity after the highest of its phase.
    void prioritySequences()
    {
        testing::TestDatabase t;
        auto db = Database::open(t.createEmpty());
        ProjectSession s(*db);
        s.add(Car {}), s.add(Car {});
        const qint32 one = s.add(Phase { .carid = 1 }), two = s.add(Phase { .carid = 1 });
        s.add(Phase { .carid = 2, .prioritysequence = 9 });
        QVERIFY(s.remove(Kind::Phase, one));
        const qint32 three = s.add(Phase { .carid = 1 });
        for (const store::Key phase : { three, two, three })
            s.add(Activity { .carid = 1, .PhaseID = phase });
        QSqlQuery q = db->run(u"SELECT p.prioritysequence, a.prioritysequence FROM Activity a "
                              "JOIN Phase p ON p.PhaseID = a.PhaseID ORDER BY a.ActivityID"_s);
        QStringList sequences;
        while (q.next())
            sequences << q.value(0).toString() + u':' + q.value(1).toString();
        QCOMPARE(sequences, QStringList({ u"3:1"_s, u"2:1"_s, u"3:2"_s }));
    }

    // Each write announces what it changed, once; a cascade every kind it touched, forgetting keys that went.
    void signalsFollowWrites()
    {
        testing::TestDatabase t;
        auto db = Database::open(t.createEmpty());
        ProjectSession s(*db);
        QStringList log;
        watch(s, log);
        const auto taken = [&log] { return std::exchange(log, {}).join(u", "_s); };
        const store::Key car = s.add(Car {});
        s.setCurrentCar(car);
        s.setCurrentCar(car);
        const store::Key first = s.add(Phase { .carid = car }), second = s.add(Phase { .carid = car });
        const store::Key activity = s.add(Activity { .carid = car, .PhaseID = first });
        const store::Key component = s.add(Component { .carid = car, .ActivityID = activity });
        // A new file: every kind's first key is 1.
        QCOMPARE(taken(), u"cars, current 1, 1 Phase #1, 1 Phase #2, 1 Activity #1, 1 Component #1"_s);
        s.setCurrent(Kind::Activity, activity);
        s.setCurrent(Kind::Component, component);
        s.swapPhaseSequences(first, 2, second, 1);
        QCOMPARE(taken(), u"1 Phase #1, 1 Phase #2"_s);

        // The activity goes with its phase; the component stays, detached.
        QVERIFY(s.remove(Kind::Phase, first));
        QCOMPARE(taken(), u"1 Phase, 1 Activity, 1 Component"_s);
        QCOMPARE(s.current(Kind::Activity), 0);
        QCOMPARE(s.current(Kind::Component), component);
        QVERIFY(!s.remove(Kind::Phase, first));
        s.add(Supplier {});
        QVERIFY(s.remove(Kind::Car, car));
        QCOMPARE(taken(), u"suppliers, cars, current 0"_s);
        QCOMPARE(s.current(Kind::Component), 0);
        QCOMPARE(testing::dumpRows(*db).filter(u"Component"_s), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "TestSession.moc"
