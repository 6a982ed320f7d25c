#include "project/ProjectSession.h"
#include "store/Database.h"
#include "store/StoreError.h"
#include "support/TestDatabase.h"

#include <QMetaEnum>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <utility>

using namespace store;
using project::ProjectSession;
using Kind = ProjectSession::Kind;
using Outcome = ProjectSession::SaveOutcome;

namespace {

qint32 scalar(const Database& db, const QString& sql)
{
    QSqlQuery q = db.run(sql);
    return q.next() ? q.value(0).toInt() : 0;
}

// Every row of every table with the type each value is stored as, to tell that nothing was written.
QStringList dump(const Database& db)
{
    QStringList rows;
    for (const char* table : { "Car", "Assembly", "Component", "Phase", "Activity", "Supplier" }) {
        QSqlQuery q = db.run(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)));
        while (q.next()) {
            QString row = QLatin1String(table);
            for (int i = 0; i < q.record().count(); ++i)
                row += QLatin1Char('|') + q.value(i).toString() + QLatin1Char(':')
                    + QLatin1String(q.value(i).typeName());
            rows << row;
        }
    }
    return rows;
}

// What the session announced, in order, as short texts.
void watch(ProjectSession& s, QStringList& log)
{
    QObject::connect(&s, &ProjectSession::carsChanged, [&log] { log << QStringLiteral("cars"); });
    QObject::connect(&s, &ProjectSession::suppliersChanged, [&log] { log << QStringLiteral("suppliers"); });
    QObject::connect(
        &s, &ProjectSession::currentCarChanged, [&log](qint32 car) { log << QStringLiteral("current %1").arg(car); });
    // The key of a record written alone is said after the kind (a listener re-reads just that row).
    QObject::connect(&s, &ProjectSession::recordsChanged, [&log](qint32 car, Kind kind, qint32 key) {
        log << QStringLiteral("%1 %2").arg(car).arg(QLatin1String(QMetaEnum::fromType<Kind>().valueToKey(int(kind))))
                + (key ? QStringLiteral(" #%1").arg(key) : QString());
    });
}

// Loads the newest row of the table, changes a note and saves it.
template <class Rec> void touchAndSave(ProjectSession& s)
{
    const qint32 key = scalar(
        s.store().db, QStringLiteral("SELECT MAX(%1) FROM %2").arg(QLatin1String(Rec::Key), QLatin1String(Rec::Table)));
    auto loaded = s.store().table<Rec>().load(key);
    QVERIFY(loaded);
    loaded->record.notes[0] = QStringLiteral("touched");
    QCOMPARE(s.update(loaded->record, loaded->snapshot), Outcome::Saved);
    QCOMPARE(s.store().table<Rec>().find(key)->notes[0], QStringLiteral("touched"));
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT
private slots:
    void staleSaveRefused_data();
    void staleSaveRefused();
    void untouchedOddRowSaves_data();
    void untouchedOddRowSaves();
    void failedCascadeWritesNothing_data();
    void failedCascadeWritesNothing();
    void signalsFollowWrites();
};

void TestSession::staleSaveRefused_data()
{
    QTest::addColumn<QString>("other");
    QTest::addColumn<Outcome>("expected");
    QTest::newRow("rewritten as it was") << "UPDATE Activity SET Description = Description" << Outcome::Saved;
    QTest::newRow("case of a NOCASE column")
        << "UPDATE Activity SET Description = 'STRIP PAINT'" << Outcome::ChangedElsewhere;
    QTest::newRow("Null filled") << "UPDATE Activity SET note2 = 'x'" << Outcome::ChangedElsewhere;
    QTest::newRow("value emptied") << "UPDATE Activity SET targeteffort = NULL" << Outcome::ChangedElsewhere;
    QTest::newRow("nearly the same number")
        << "UPDATE Activity SET targeteffort = 2.5000000001" << Outcome::ChangedElsewhere;
    QTest::newRow("time added to a date")
        << "UPDATE Activity SET targetstartdate = '2024-03-01 00:00:00'" << Outcome::ChangedElsewhere;
    QTest::newRow("deleted") << "DELETE FROM Activity" << Outcome::DeletedElsewhere;
}

void TestSession::staleSaveRefused()
{
    QFETCH(QString, other);
    QFETCH(Outcome, expected);
    testing::TestDatabase t;
    const QString path = t.createEmpty();
    auto db = Database::open(path);
    auto elsewhere = Database::open(path); // another program on the same file
    db->run(QStringLiteral("INSERT INTO Activity (carid, PhaseID, prioritysequence, Description, targetstartdate, "
                           "targeteffort, note1) VALUES (5, 2, 1, 'Strip Paint', '2024-03-01', 2.5, 'n')"));
    ProjectSession s(*db);
    QStringList log;
    watch(s, log);
    const qint32 key = scalar(*db, QStringLiteral("SELECT MAX(ActivityID) FROM Activity"));
    auto loaded = s.store().activities.load(key);
    QVERIFY(loaded);

    elsewhere->run(other);
    const QStringList before = dump(*elsewhere);
    loaded->record.Description = QStringLiteral("Mine");
    QCOMPARE(s.update(loaded->record, loaded->snapshot), expected);
    if (expected == Outcome::Saved) {
        QCOMPARE(s.store().activities.find(key)->Description, QStringLiteral("Mine"));
        QCOMPARE(log, QStringList { QStringLiteral("5 Activity #%1").arg(key) });
    } else {
        QCOMPARE(dump(*elsewhere), before);
        QCOMPARE(log, QStringList());
    }
}

void TestSession::untouchedOddRowSaves_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("insert");
    QTest::newRow("car, every column Null") << Kind::Car << "INSERT INTO Car DEFAULT VALUES";
    QTest::newRow("activity, dates with times, whole and text efforts")
        << Kind::Activity
        << "INSERT INTO Activity (carid, PhaseID, targetstartdate, targeteffort, actualeffort, actualstopdate) "
           "VALUES (1, 1, '2024-03-01 08:30:00', 3, 'n/a', '')";
    QTest::newRow("component, fractional quantity, money as text and REAL")
        << Kind::Component
        << "INSERT INTO Component (carid, assemblyid, Description, quantity, targetcost, actualcost, wishlist) "
           "VALUES (1, 1, 'C', 2.5, '12,50', 12.5, 'yes')";
    QTest::newRow("phase, sequence as text, stamp in another form")
        << Kind::Phase
        << "INSERT INTO Phase (carid, prioritysequence, auditdate) VALUES (1, 'first', '2024-03-01T08:30')";
    QTest::newRow("assembly, status beyond 32 bits")
        << Kind::Assembly << "INSERT INTO Assembly (carid, Status, Description) VALUES (1, 99999999999, 'Body')";
    QTest::newRow("supplier, empty texts rather than Null")
        << Kind::Supplier << "INSERT INTO Supplier (Name, city, Zip) VALUES ('', '', 01234)";
}

void TestSession::untouchedOddRowSaves()
{
    QFETCH(Kind, kind);
    QFETCH(QString, insert);
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    db->run(insert);
    ProjectSession s(*db);
    switch (kind) {
    case Kind::Car:
        return touchAndSave<Car>(s);
    case Kind::Assembly:
        return touchAndSave<Assembly>(s);
    case Kind::Component:
        return touchAndSave<Component>(s);
    case Kind::Phase:
        return touchAndSave<Phase>(s);
    case Kind::Activity:
        return touchAndSave<Activity>(s);
    case Kind::Supplier:
        return touchAndSave<Supplier>(s);
    }
}

void TestSession::failedCascadeWritesNothing_data()
{
    // Each delete is refused at its last step, after the rows that depend on it were already
    // deleted or detached.
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("keySql");
    QTest::newRow("car") << Kind::Car << "Car"
                         << "SELECT carid FROM Component LIMIT 1";
    QTest::newRow("assembly") << Kind::Assembly << "Assembly"
                              << "SELECT assemblyid FROM Component LIMIT 1";
    QTest::newRow("phase") << Kind::Phase << "Phase"
                           << "SELECT PhaseID FROM Activity WHERE ActivityID IN (SELECT ActivityID FROM Component)";
    QTest::newRow("activity") << Kind::Activity << "Activity"
                              << "SELECT MAX(ActivityID) FROM Component";
}

void TestSession::failedCascadeWritesNothing()
{
    QFETCH(Kind, kind);
    QFETCH(QString, table);
    QFETCH(QString, keySql);
    testing::TestDatabase t;
    auto db = Database::open(t.copySample());
    const qint32 key = scalar(*db, keySql);
    QVERIFY(key > 0);
    ProjectSession s(*db);
    s.setCurrentCar(Store::SampleCarId);
    s.setCurrent(kind, key);
    QStringList log;
    watch(s, log);
    db->run(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON %1 BEGIN SELECT RAISE(ABORT, 'disk is full'); END")
                .arg(table));
    const QStringList before = dump(*db);

    QVERIFY_THROWS_EXCEPTION(StoreError, s.remove(kind, key));
    QCOMPARE(dump(*db), before);
    QCOMPARE(log, QStringList());
    QCOMPARE(s.current(kind), key);
}

void TestSession::signalsFollowWrites()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    ProjectSession s(*db);
    QStringList log;
    watch(s, log);
    const auto taken = [&log] { return std::exchange(log, {}); };

    const qint32 car = s.add(Car {});
    QCOMPARE(taken(), QStringList({ "cars" }));
    s.setCurrentCar(car);
    s.setCurrentCar(car);
    QCOMPARE(taken(), QStringList({ QStringLiteral("current %1").arg(car) }));
    const QString c = QString::number(car) + QLatin1Char(' ');

    Phase phase;
    phase.carid = car;
    const qint32 first = s.add(phase);
    const qint32 second = s.add(phase);
    QCOMPARE(s.store().phases.find(second)->prioritysequence, std::optional<qint32>(2));
    Activity task;
    task.carid = car;
    task.PhaseID = first;
    const qint32 activity = s.add(task);
    Assembly body;
    body.carid = car;
    const qint32 assembly = s.add(body);
    Component part;
    part.carid = car;
    part.assemblyid = assembly;
    part.ActivityID = activity;
    const qint32 component = s.add(part);
    const auto one
        = [&c](const char* kind, qint32 key) { return c + QLatin1String(kind) + QStringLiteral(" #%1").arg(key); };
    QCOMPARE(taken(),
        QStringList({ one("Phase", first), one("Phase", second), one("Activity", activity), one("Assembly", assembly),
            one("Component", component) }));
    s.setCurrent(Kind::Activity, activity);
    s.setCurrent(Kind::Component, component);
    s.swapPhaseSequences(first, 2, second, 1);
    QCOMPARE(taken(), QStringList({ one("Phase", first), one("Phase", second) }));

    // The activity goes with its phase; the component stays, detached.
    QVERIFY(s.remove(Kind::Phase, first));
    QCOMPARE(taken(), QStringList({ c + "Phase", c + "Activity", c + "Component" }));
    QCOMPARE(s.current(Kind::Activity), 0);
    QCOMPARE(s.current(Kind::Component), component);
    QVERIFY(!s.remove(Kind::Phase, first));
    QCOMPARE(taken(), QStringList());

    s.add(Supplier {});
    QCOMPARE(taken(), QStringList({ "suppliers" }));

    QVERIFY(s.remove(Kind::Car, car));
    QCOMPARE(taken(), QStringList({ "cars", "current 0" }));
    QCOMPARE(s.current(Kind::Component), 0);
    QCOMPARE(dump(*db).filter(QStringLiteral("Component")), QStringList());
}

QTEST_GUILESS_MAIN(TestSession)
#include "TestSession.moc"
