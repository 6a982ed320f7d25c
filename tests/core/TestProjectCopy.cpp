// Copying a project: what is copied, what is mapped to the new rows, what is refused, and that a
// copy is all or nothing.

#include "copy/ProjectCopy.h"
#include "store/Database.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace store;

namespace {

const QDate Stamp(2026, 4, 2);
const QVariant Null(QMetaType(QMetaType::Int));

// Row counts of the five project tables, to show that nothing was written.
QList<qint64> counts(const Database& db)
{
    QList<qint64> result;
    for (const char* table : { "Car", "Assembly", "Component", "Phase", "Activity" }) {
        QSqlQuery q = db.run(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)));
        result << (q.next() ? q.value(0).toLongLong() : -1);
    }
    return result;
}

// A project of known shape:
//   phases Strip (sequence 2) with activities Pull engine (2), Pull body (1); Paint (1) with Spray (1);
//   assembly Engine with Pump (attached to Pull engine, on the wish list) and Gasket (attached to
//   Spray); assembly Body with Panel (not attached, Null), Trim (ActivityID 0) and Bracket, attached
//   to an activity of another project.
struct Project
{
    qint32 car = 0;
    qint32 strip = 0, paint = 0;
    qint32 pullEngine = 0, pullBody = 0, spray = 0;
    qint32 engine = 0, body = 0;
    qint32 pump = 0, gasket = 0, panel = 0, trim = 0, bracket = 0;
};

Project writeProject(const Store& s, const QString& name)
{
    Project p;
    Car car;
    car.Description = name;
    car.make = QStringLiteral("Chevrolet");
    car.model = QStringLiteral("Bel Air");
    car.Year = QStringLiteral("1957");
    car.purchaseprice = common::Money::fromWholeDollars(4200);
    car.resalevalue = common::Money::fromWholeDollars(38000);
    car.totalbudget = common::Money::fromWholeDollars(21000);
    car.imagepath = QStringLiteral("/pictures/belair.jpg");
    car.Status = 1;
    car.notes = { QStringLiteral("Frame-off"), QStringLiteral(" restoration"), QString() };
    car.auditdate = QDateTime(QDate(2020, 1, 1), QTime(8, 0));
    p.car = s.cars.add(car);

    const auto phase = [&](const char* description, int sequence) {
        Phase r;
        r.carid = p.car;
        r.Description = QLatin1String(description);
        r.prioritysequence = sequence;
        r.Status = 0;
        r.notes = { QStringLiteral("phase note"), QString(), QString() };
        return s.phases.add(r);
    };
    p.strip = phase("Strip", 2);
    p.paint = phase("Paint", 1);
    const auto activity = [&](const char* description, qint32 phaseid, int sequence) {
        Activity r;
        r.carid = p.car;
        r.PhaseID = phaseid;
        r.Description = QLatin1String(description);
        r.prioritysequence = sequence;
        r.Status = 2;
        r.targetstartdate = QDate(2025, 3, 1);
        r.targetstopdate = QDate(2025, 3, 20);
        r.targeteffort = 12.5;
        r.actualstartdate = QDate(2025, 3, 4);
        r.actualeffort = 3;
        r.notes = { QStringLiteral("activity note"), QString(), QString() };
        return s.activities.add(r);
    };
    p.pullEngine = activity("Pull engine", p.strip, 2);
    p.pullBody = activity("Pull body", p.strip, 1);
    p.spray = activity("Spray", p.paint, 1);

    const auto assembly = [&](const char* description) {
        Assembly r;
        r.carid = p.car;
        r.Description = QLatin1String(description);
        r.Status = 1;
        r.imagepath = QStringLiteral("/pictures/assembly.png");
        return s.assemblies.add(r);
    };
    p.engine = assembly("Engine");
    p.body = assembly("Body");
    const auto component = [&](const char* description, qint32 assemblyid, std::optional<qint32> activityid,
                               bool wish) {
        Component r;
        r.carid = p.car;
        r.assemblyid = assemblyid;
        r.ActivityID = activityid;
        r.Description = QLatin1String(description);
        r.Status = 3;
        r.SupplierName = QStringLiteral("Eckler's");
        r.catalogpage = QStringLiteral("p. 112");
        r.quantity = 2;
        r.targetcost = common::Money::parse(QStringLiteral("97.95"));
        r.actualcost = common::Money::parse(QStringLiteral("89.50"));
        r.wishlist = wish ? 1 : 0;
        r.imagepath = QStringLiteral("/pictures/part.png");
        r.notes = { QStringLiteral("part note"), QString(), QString() };
        return s.components.add(r);
    };
    p.pump = component("Pump", p.engine, p.pullEngine, true);
    p.gasket = component("Gasket", p.engine, p.spray, false);
    p.panel = component("Panel", p.body, std::nullopt, true);
    p.trim = component("Trim", p.body, 0, false);
    p.bracket = component("Bracket", p.body, 1, false); // activity 1 belongs to the sample project
    return p;
}

// The copy's row of a kind with the given description.
template <class Rec>
Rec only(const QList<Rec>& rows, const QString& description)
{
    Rec found;
    int matches = 0;
    for (const Rec& r : rows) {
        if (r.Description == description) {
            found = r;
            ++matches;
        }
    }
    if (matches != 1)
        qFatal("%d rows named %s", matches, qPrintable(description));
    return found;
}

} // namespace

class TestProjectCopy : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Store> m_store;
    const Store& s() const { return *m_store; }

private Q_SLOTS:
    void init()
    {
        m_db = Database::open(m_files.copySample());
        m_store = std::make_unique<Store>(*m_db);
    }

    void cleanup()
    {
        m_store.reset();
        m_db.reset();
    }

    // Every field of every row comes across; the keys, owners and stamp are the copy's own.
    void copiesEveryRow()
    {
        const Project p = writeProject(s(), QStringLiteral("Bel Air"));
        const qint32 copied = copy::copyProject(s(), p.car, QStringLiteral("Bel Air, second"), Stamp);
        QVERIFY(copied > p.car);

        const Car from = *s().cars.find(p.car);
        const Car to = *s().cars.find(copied);
        QCOMPARE(to.Description, QStringLiteral("Bel Air, second"));
        QCOMPARE(to.auditdate, QDateTime(Stamp, QTime(0, 0)));
        QCOMPARE(to.make, from.make);
        QCOMPARE(to.model, from.model);
        QCOMPARE(to.Year, from.Year);
        QCOMPARE(to.purchaseprice, from.purchaseprice);
        QCOMPARE(to.resalevalue, from.resalevalue);
        QCOMPARE(to.totalbudget, from.totalbudget);
        QCOMPARE(to.imagepath, from.imagepath);
        QCOMPARE(to.Status, from.Status);
        QCOMPARE(to.notes, from.notes);

        const QList<Phase> phases = s().phases.forCar(copied, Order::Sequence);
        QCOMPARE(phases.size(), 2);
        QCOMPARE(phases.at(0).Description, QStringLiteral("Paint"));
        QCOMPARE(phases.at(1).Description, QStringLiteral("Strip"));
        for (const Phase& ph : phases) {
            QVERIFY(ph.PhaseID != p.strip && ph.PhaseID != p.paint);
            QCOMPARE(ph.notes, (common::NoteParts { QStringLiteral("phase note"), QString(), QString() }));
            QCOMPARE(ph.auditdate, QDateTime(Stamp, QTime(0, 0)));
        }

        // Activities keep their phase (the copy's) and their order within it.
        const QList<Activity> activities = s().activities.forCar(copied, Order::Sequence);
        QCOMPARE(activities.size(), 3);
        const Activity pullBody = only(activities, QStringLiteral("Pull body"));
        const Activity pullEngine = only(activities, QStringLiteral("Pull engine"));
        QCOMPARE(pullBody.PhaseID, only(phases, QStringLiteral("Strip")).PhaseID);
        QCOMPARE(pullBody.prioritysequence, std::optional<qint32>(1));
        QCOMPARE(pullEngine.prioritysequence, std::optional<qint32>(2));
        const Activity source = *s().activities.find(p.pullEngine);
        QCOMPARE(pullEngine.Status, source.Status);
        QCOMPARE(pullEngine.targetstartdate, source.targetstartdate);
        QCOMPARE(pullEngine.targetstopdate, source.targetstopdate);
        QCOMPARE(pullEngine.targeteffort, source.targeteffort);
        QCOMPARE(pullEngine.actualstartdate, source.actualstartdate);
        QCOMPARE(pullEngine.actualstopdate, QDate());
        QCOMPARE(pullEngine.actualeffort, source.actualeffort);
        QCOMPARE(pullEngine.notes, source.notes);

        const QList<Assembly> assemblies = s().assemblies.forCar(copied, Order::Description);
        QCOMPARE(assemblies.size(), 2);
        const QList<Component> components = s().components.forCar(copied, Order::Description);
        QCOMPARE(components.size(), 5);
        const Component pump = only(components, QStringLiteral("Pump"));
        const Component sourcePump = *s().components.find(p.pump);
        QCOMPARE(pump.assemblyid, only(assemblies, QStringLiteral("Engine")).assemblyid);
        QCOMPARE(pump.Status, sourcePump.Status);
        QCOMPARE(pump.SupplierName, sourcePump.SupplierName);
        QCOMPARE(pump.catalogpage, sourcePump.catalogpage);
        QCOMPARE(pump.quantity, sourcePump.quantity);
        QCOMPARE(pump.targetcost, sourcePump.targetcost);
        QCOMPARE(pump.actualcost, sourcePump.actualcost);
        QCOMPARE(pump.imagepath, sourcePump.imagepath);
        QCOMPARE(pump.notes, sourcePump.notes);
        QCOMPARE(pump.auditdate, QDateTime(Stamp, QTime(0, 0)));

        // The source is untouched.
        QCOMPARE(s().components.forCar(p.car, Order::Key).size(), 5);
        QCOMPARE(s().components.find(p.pump)->wishlist, std::optional<qint32>(1));
    }

    // Attached components follow the copies of their activities; the others stay unattached.
    void attachmentsFollowTheCopies_data()
    {
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("activity"); // the copy's activity it must be attached to
        QTest::addColumn<QVariant>("stored"); // when not attached: what ActivityID holds
        QTest::newRow("attached") << "Pump"
                                  << "Pull engine" << QVariant();
        QTest::newRow("attached, other phase") << "Gasket"
                                               << "Spray" << QVariant();
        QTest::newRow("Null") << "Panel" << QString() << Null;
        QTest::newRow("zero") << "Trim" << QString() << QVariant(0);
        QTest::newRow("outside the project") << "Bracket" << QString() << Null;
    }

    void attachmentsFollowTheCopies()
    {
        QFETCH(QString, component);
        QFETCH(QString, activity);
        QFETCH(QVariant, stored);
        const Project p = writeProject(s(), QStringLiteral("Bel Air"));
        const qint32 copied = copy::copyProject(s(), p.car, QStringLiteral("Second"), Stamp);
        const Component c = only(s().components.forCar(copied, Order::Key), component);
        if (!activity.isEmpty()) {
            const Activity target = only(s().activities.forCar(copied, Order::Key), activity);
            QCOMPARE(c.ActivityID, std::optional<qint32>(target.ActivityID));
        } else if (stored.isNull()) {
            QCOMPARE(c.ActivityID, std::optional<qint32>());
        } else {
            QCOMPARE(c.ActivityID, std::optional<qint32>(stored.toInt()));
        }
    }

    // Two copies of one project made one after the other are independent of each other.
    void twoCopiesAreIndependent()
    {
        const Project p = writeProject(s(), QStringLiteral("Bel Air"));
        const qint32 first = copy::copyProject(s(), p.car, QStringLiteral("First"), Stamp);
        const qint32 second = copy::copyProject(s(), p.car, QStringLiteral("Second"), Stamp);
        QVERIFY(first != second);
        for (const qint32 car : { first, second }) {
            QSet<qint32> own;
            for (const Activity& a : s().activities.forCar(car, Order::Key))
                own.insert(a.ActivityID);
            QCOMPARE(own.size(), 3);
            int attached = 0;
            for (const Component& c : s().components.forCar(car, Order::Key)) {
                if (c.isAttached()) {
                    QVERIFY2(own.contains(*c.ActivityID), qPrintable(c.Description));
                    ++attached;
                }
            }
            QCOMPARE(attached, 2);
        }
        // Changing the second copy leaves the first as it was.
        const Component pump = only(s().components.forCar(second, Order::Key), QStringLiteral("Pump"));
        QVERIFY(s().components.remove(pump.componentid));
        QCOMPARE(s().components.forCar(first, Order::Key).size(), 5);
    }

    // Nothing on the copy's wish list, whatever the source had.
    void wishListCleared()
    {
        const Project p = writeProject(s(), QStringLiteral("Bel Air"));
        const qint32 copied = copy::copyProject(s(), p.car, QStringLiteral("Second"), Stamp);
        for (const Component& c : s().components.forCar(copied, Order::Key))
            QCOMPARE(c.wishlist, std::optional<qint32>(0));
    }

    // The sample project may be copied like any other; the copy has keys of its own.
    void sampleProject()
    {
        const QList<qint64> before = counts(*m_db);
        const qint32 copied = copy::copyProject(s(), Store::SampleCarId, QStringLiteral("My pickup"), Stamp);
        QVERIFY(copied != Store::SampleCarId);
        const QList<qint64> after = counts(*m_db);
        const auto sampleRows = [&](const char* table) {
            QSqlQuery q = m_db->run(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE carid = 1").arg(QLatin1String(table)));
            return q.next() ? q.value(0).toLongLong() : -1;
        };
        QCOMPARE(after.at(0), before.at(0) + 1);
        QCOMPARE(after.at(1), before.at(1) + sampleRows("Assembly"));
        QCOMPARE(after.at(2), before.at(2) + sampleRows("Component"));
        QCOMPARE(after.at(3), before.at(3) + sampleRows("Phase"));
        QCOMPARE(after.at(4), before.at(4) + sampleRows("Activity"));
        QVERIFY(sampleRows("Component") > 0);

        // Its plan comes out in the same order, attachments included.
        const auto plan = [&](qint32 car) {
            QStringList lines;
            QHash<qint32, QString> activityNames;
            for (const Activity& a : s().activities.forCar(car, Order::Sequence))
                activityNames.insert(a.ActivityID, a.Description);
            for (const Phase& ph : s().phases.forCar(car, Order::Sequence))
                lines << ph.Description;
            for (const Component& c : s().components.forCar(car, Order::Description))
                lines << c.Description + QStringLiteral(" -> ") + activityNames.value(c.ActivityID.value_or(0));
            return lines;
        };
        QCOMPARE(plan(copied), plan(Store::SampleCarId));
    }

    // A project with nothing under it copies as the car alone.
    void emptyProject()
    {
        Car car;
        car.Description = QStringLiteral("Bare");
        const qint32 bare = s().cars.add(car);
        const qint32 copied = copy::copyProject(s(), bare, QStringLiteral("Bare too"), Stamp);
        QCOMPARE(s().cars.find(copied)->Description, QStringLiteral("Bare too"));
        QVERIFY(s().assemblies.forCar(copied, Order::Key).isEmpty());
        QVERIFY(s().phases.forCar(copied, Order::Key).isEmpty());
    }

    // Names are never cut: a copy that cannot be made as asked is refused, and nothing is written.
    void refusals_data()
    {
        QTest::addColumn<qint32>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("no project chosen") << 0 << "New"
                                           << "Please Select The Project To Copy From";
        QTest::newRow("no name") << 1 << ""
                                 << "Please Enter A Name For The New Project";
        QTest::newRow("blanks only") << 1 << "   "
                                     << "Please Enter A Name For The New Project";
        QTest::newRow("31 characters") << 1 << QString(31, QLatin1Char('x'))
                                       << "The Name Of The New Project Cannot Be Longer Than 30 Characters";
        QTest::newRow("missing project") << 999 << "New"
                                         << "The project to copy from no longer exists.";
    }

    void refusals()
    {
        QFETCH(qint32, source);
        QFETCH(QString, name);
        QFETCH(QString, message);
        const QList<qint64> before = counts(*m_db);
        try {
            copy::copyProject(s(), source, name, Stamp);
            QFAIL("the copy was made");
        } catch (const StoreError& e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(counts(*m_db), before);
    }

    // Thirty characters is the limit, not past it.
    void longestName()
    {
        const QString name(30, QLatin1Char('y'));
        QCOMPARE(copy::refusal(1, name), QString());
        const qint32 copied = copy::copyProject(s(), 1, name, Stamp);
        QCOMPARE(s().cars.find(copied)->Description, name);
    }

    // Whichever table refuses a row, the copy leaves no trace: no car, no children.
    void failureLeavesNothing_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("car") << "Car";
        QTest::newRow("phase") << "Phase";
        QTest::newRow("activity") << "Activity";
        QTest::newRow("assembly") << "Assembly";
        QTest::newRow("component") << "Component";
    }

    void failureLeavesNothing()
    {
        QFETCH(QString, table);
        const Project p = writeProject(s(), QStringLiteral("Bel Air"));
        // The last row of the table is refused, after the others were written.
        m_db->run(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 WHEN NEW.Description IN "
                                 "('Bel Air, copy', 'Spray', 'Paint', 'Body', 'Bracket') "
                                 "BEGIN SELECT RAISE(ABORT, 'disk is full'); END")
                      .arg(table));
        const QList<qint64> before = counts(*m_db);
        QVERIFY_THROWS_EXCEPTION(StoreError, copy::copyProject(s(), p.car, QStringLiteral("Bel Air, copy"), Stamp));
        QCOMPARE(counts(*m_db), before);

        // The database is usable afterwards: the same copy goes through once it is accepted.
        m_db->run(QStringLiteral("DROP TRIGGER refuse"));
        const qint32 copied = copy::copyProject(s(), p.car, QStringLiteral("Bel Air, copy"), Stamp);
        QCOMPARE(s().components.forCar(copied, Order::Key).size(), 5);
    }
};

QTEST_GUILESS_MAIN(TestProjectCopy)
#include "TestProjectCopy.moc"
