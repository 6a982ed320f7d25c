// Projects as JSON files and lists as CSV: round trips, refusals, quoting.

#include "exchange/Csv.h"
#include "exchange/ProjectFile.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

#include <cstring>

using common::Money;

namespace {

// The file without the exporting database's own keys, which an import renumbers.
QByteArray withoutKeys(const QByteArray& json)
{
    QString text = QString::fromUtf8(json);
    text.remove(QRegularExpression(QStringLiteral("\\s*\"key\": -?\\d+,?")));
    text.replace(QRegularExpression(QStringLiteral("\"activity\": -?\\d+")), QStringLiteral("\"activity\": K"));
    return text.toUtf8();
}

qint64 rows(const store::Store& s)
{
    return s.cars.count() + s.assemblies.count() + s.components.count() + s.phases.count() + s.activities.count()
        + s.suppliers.count();
}

// A project with the awkward parts: Nulls, equal names, an unattached component, gaps in the
// sequences, a component of another car's activity, texts that look like code.
qint32 awkwardProject(const store::Store& s)
{
    store::Car car;
    car.Description = QStringLiteral("O'Brien \"Special\"");
    car.make = QStringLiteral("Żuk; DROP TABLE");
    car.purchaseprice = Money::parse(QStringLiteral("1234.5"));
    const qint32 carid = s.cars.add(car);
    store::Phase phase;
    phase.carid = carid;
    phase.Description = QStringLiteral("Strip");
    phase.prioritysequence = 5; // gaps stay
    const qint32 phaseid = s.phases.add(phase);
    store::Activity job;
    job.carid = carid;
    job.PhaseID = phaseid;
    job.Description = QStringLiteral("Strip");
    job.prioritysequence = 3;
    job.targetstartdate = QDate(2026, 2, 28);
    job.targeteffort = 7.5;
    const qint32 jobid = s.activities.add(job);
    store::Assembly assembly;
    assembly.carid = carid;
    assembly.Description = QStringLiteral("Body");
    const qint32 assemblyid = s.assemblies.add(assembly);
    for (const char* name : { "Bolt", "Bolt", "Clip, 10mm" }) {
        store::Component c;
        c.carid = carid;
        c.assemblyid = assemblyid;
        c.Description = QLatin1String(name);
        c.SupplierName = QStringLiteral("Acme \"Parts\"");
        c.targetcost = Money::parse(QStringLiteral("0.0001"));
        c.quantity = 3;
        c.ActivityID = std::strcmp(name, "Bolt") == 0 ? std::optional<qint32>(jobid) : std::nullopt;
        c.notes = common::splitNotes(QStringLiteral("line one\nline two, with \"quotes\""));
        s.components.add(c);
    }
    store::Supplier acme;
    acme.Name = QStringLiteral("Acme \"Parts\"");
    acme.city = QStringLiteral("Dayton");
    s.suppliers.add(acme);
    return carid;
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;

private Q_SLOTS:
    void roundTrips_data()
    {
        QTest::addColumn<bool>("sample");
        QTest::newRow("the sample project") << true;
        QTest::newRow("a project with awkward parts") << false;
    }

    // Export, import, export again: the same file but for the keys; into another database too.
    void roundTrips()
    {
        QFETCH(bool, sample);
        auto db = store::Database::open(sample ? m_files.copySample(QStringLiteral("a.mdb"))
                                               : m_files.createEmpty(QStringLiteral("a.mdb")));
        const store::Store s(*db);
        const qint32 original = sample ? 1 : awkwardProject(s);
        const QByteArray first = exchange::exportProject(s, original);
        const qint64 suppliersBefore = s.suppliers.count();
        const qint32 copy = exchange::importProject(s, first);
        QVERIFY(copy != original);
        QCOMPARE(s.suppliers.count(), suppliersBefore); // suppliers of that name exist already
        QCOMPARE(withoutKeys(exchange::exportProject(s, copy)), withoutKeys(first));

        auto other = store::Database::open(m_files.createEmpty(QStringLiteral("b.mdb")));
        const store::Store t(*other);
        const qint32 imported = exchange::importProject(t, first);
        QCOMPARE(withoutKeys(exchange::exportProject(t, imported)), withoutKeys(first));
        QVERIFY(t.suppliers.count() > 0);
        // Components stay attached to the copies of their activities.
        for (const store::Component& c : t.components.forCar(imported, store::Order::Key)) {
            if (c.isAttached())
                QCOMPARE(t.activities.find(*c.ActivityID)->carid, imported);
        }
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("change"); // what is done to a good file
        QTest::addColumn<QString>("where");
        QTest::newRow("not JSON") << "garbage" << "";
        QTest::newRow("another format") << "format" << "format";
        QTest::newRow("a newer version") << "version" << "version";
        QTest::newRow("missing field") << "drop car.make" << "car.make";
        QTest::newRow("mistyped field") << "number car.model" << "car.model";
        QTest::newRow("text too long") << "long car.Description" << "car.Description";
        QTest::newRow("bad amount") << "amount" << "assemblies[0].components[0].targetcost";
        QTest::newRow("bad date") << "date" << "phases[0].activities[0].targetstartdate";
        QTest::newRow("no such activity") << "activity" << "assemblies[0].components[0].activity";
        QTest::newRow("wish list not 0 or 1") << "wish" << "assemblies[0].components[0].wishlist";
    }

    // A bad file says where it is wrong and adds nothing at all.
    void refusals()
    {
        QFETCH(QString, change);
        QFETCH(QString, where);
        auto db = store::Database::open(m_files.createEmpty(QStringLiteral("c.mdb")));
        const store::Store s(*db);
        const QByteArray good = exchange::exportProject(s, awkwardProject(s));
        QJsonObject root = QJsonDocument::fromJson(good).object();
        QJsonObject car = root.value(QStringLiteral("car")).toObject();
        QJsonArray assemblies = root.value(QStringLiteral("assemblies")).toArray();
        QJsonObject assembly = assemblies.at(0).toObject();
        QJsonArray components = assembly.value(QStringLiteral("components")).toArray();
        QJsonObject component = components.at(0).toObject();
        QJsonArray phases = root.value(QStringLiteral("phases")).toArray();
        QJsonObject phase = phases.at(0).toObject();
        QJsonArray activities = phase.value(QStringLiteral("activities")).toArray();
        QJsonObject activity = activities.at(0).toObject();
        if (change == QStringLiteral("format"))
            root.insert(QStringLiteral("format"), QStringLiteral("someone-elses"));
        else if (change == QStringLiteral("version"))
            root.insert(QStringLiteral("version"), 2);
        else if (change == QStringLiteral("drop car.make"))
            car.remove(QStringLiteral("make"));
        else if (change == QStringLiteral("number car.model"))
            car.insert(QStringLiteral("model"), 7);
        else if (change == QStringLiteral("long car.Description"))
            car.insert(QStringLiteral("Description"), QString(31, QLatin1Char('x')));
        else if (change == QStringLiteral("amount"))
            component.insert(QStringLiteral("targetcost"), QStringLiteral("12,5,,"));
        else if (change == QStringLiteral("date"))
            activity.insert(QStringLiteral("targetstartdate"), QStringLiteral("2026-02-30"));
        else if (change == QStringLiteral("activity"))
            component.insert(QStringLiteral("activity"), 999999);
        else if (change == QStringLiteral("wish"))
            component.insert(QStringLiteral("wishlist"), 2);
        components[0] = component;
        assembly.insert(QStringLiteral("components"), components);
        assemblies[0] = assembly;
        activities[0] = activity;
        phase.insert(QStringLiteral("activities"), activities);
        phases[0] = phase;
        root.insert(QStringLiteral("car"), car);
        root.insert(QStringLiteral("assemblies"), assemblies);
        root.insert(QStringLiteral("phases"), phases);
        const QByteArray bad = change == QStringLiteral("garbage") ? QByteArray("{ this is not json")
                                                                   : QJsonDocument(root).toJson();
        const qint64 before = rows(s);
        try {
            exchange::importProject(s, bad);
            QFAIL("a bad file was taken");
        } catch (const exchange::ImportError& e) {
            QCOMPARE(e.where(), where);
            QVERIFY(!e.why().isEmpty());
        }
        QCOMPARE(rows(s), before);
    }

    void csv()
    {
        auto db = store::Database::open(m_files.createEmpty(QStringLiteral("d.mdb")));
        const store::Store s(*db);
        const qint32 car = awkwardProject(s);
        store::Component wish;
        wish.carid = car;
        wish.assemblyid = s.assemblies.forCar(car, store::Order::Key).first().assemblyid;
        wish.Description = QStringLiteral("Mirror");
        wish.SupplierName = QStringLiteral("Zed");
        wish.wishlist = 1;
        wish.quantity = 2;
        wish.targetcost = Money::parse(QStringLiteral("12.5"));
        s.components.add(wish);
        const QList<QByteArray> lines = exchange::materialsCsv(s, car).split('\n');
        QCOMPARE(lines.at(0), QByteArray("Assembly,Component,Quantity,Target Unit Cost,Target Extended Cost,Actual Unit "
                                         "Cost,Actual Extended Cost,Supplier,Catalog Page,Status,Activity\r"));
        QCOMPARE(lines.at(1), QByteArray("Body,Bolt,3,0.0001,0.0003,,,\"Acme \"\"Parts\"\"\",,,Strip\r"));
        QCOMPARE(lines.at(3), QByteArray("Body,\"Clip, 10mm\",3,0.0001,0.0003,,,\"Acme \"\"Parts\"\"\",,,\r"));
        const QList<QByteArray> wishes = exchange::wishListCsv(s, car).split('\n');
        QCOMPARE(wishes.size(), 3); // header, one row, the empty end
        QCOMPARE(wishes.at(1), QByteArray("Zed,Mirror,,,2,12.5,25\r"));
    }

    void csvFormulaTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("equals") << "=HYPERLINK(\"x\")" << "\"'=HYPERLINK(\"\"x\"\")\"";
        QTest::newRow("plus") << "+1+2" << "'+1+2";
        QTest::newRow("minus, like a number") << "-12.5" << "'-12.5";
        QTest::newRow("at") << "@SUM(A1)" << "'@SUM(A1)";
        QTest::newRow("tab") << "\t=1" << "'\t=1";
        QTest::newRow("carriage return") << "\r=1" << "\"'\r=1\"";
        QTest::newRow("with a comma") << "=1,2" << "\"'=1,2\"";
        QTest::newRow("ordinary, = later") << "Bolt =M8" << "Bolt =M8";
        QTest::newRow("empty") << "" << "";
    }

    // A text a spreadsheet would run as a formula is marked as text; amounts, negative ones too, stay numbers.
    void csvFormulaTexts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        auto db = store::Database::open(m_files.createEmpty(QStringLiteral("e.mdb")));
        const store::Store s(*db);
        store::Car car;
        car.Description = QStringLiteral("Coupe");
        const qint32 carid = s.cars.add(car);
        store::Assembly assembly;
        assembly.carid = carid;
        assembly.Description = typed;
        store::Component c;
        c.carid = carid;
        c.assemblyid = s.assemblies.add(assembly);
        c.Description = typed;
        c.SupplierName = typed;
        c.catalogpage = typed;
        c.quantity = -2;
        c.targetcost = Money::parse(QStringLiteral("-12.5"));
        c.actualcost = Money::parse(QStringLiteral("-0.0001"));
        c.wishlist = 1;
        s.components.add(c);
        QCOMPARE(QString::fromUtf8(exchange::materialsCsv(s, carid).split('\n').at(1)),
                 QStringLiteral("%1,%1,-2,-12.5,25,-0.0001,0.0002,%1,%1,,\r").arg(written));
        QCOMPARE(QString::fromUtf8(exchange::wishListCsv(s, carid).split('\n').at(1)),
                 QStringLiteral("%1,%1,%1,,-2,-12.5,25\r").arg(written));
    }
};

QTEST_GUILESS_MAIN(TestExchange)
#include "TestExchange.moc"
