#include "store/Database.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <limits>

using common::Money;
using namespace store;
using namespace Qt::StringLiterals;

namespace {

// The first row of a query, read through a connection of its own as another program would.
QVariantList row(const QString& path, const QString& sql)
{
    const auto db = Database::open(path);
    QSqlQuery q = db->run(sql);
    QVariantList values;
    if (q.next()) {
        for (int c = 0; c < q.record().count(); ++c)
            values << q.value(c);
    }
    return values;
}

// Runs Database::open expecting it to fail; answers the errors.
QList<StoreError> openErrors(const QString& path)
{
    try {
        Database::open(path);
    } catch (const OpenFailure& failure) {
        return failure.errors();
    }
    return {};
}

// The values a record writes, column by column, Null told from 0: equal lists mean every field came back.
template <class Rec> QStringList written(const Rec& record)
{
    RowWriter w;
    record.write(w);
    QStringList values;
    for (const QVariant& v : w.values())
        values << (v.isNull() ? u"Null"_s : v.toString());
    return values;
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Store> m_store;
    const Store& s() const { return *m_store; }

private slots:
    void init()
    {
        m_db = Database::open(m_files.createEmpty());
        m_store = std::make_unique<Store>(*m_db);
    }
    void cleanup()
    {
        m_store.reset();
        m_db.reset();
    }

    // Creating never overwrites a file or leaves half of one (opening bad files is the start-up test's).
    void createNeverOverwrites()
    {
        GEARLOG_FILE_ONLY();
        const QString existing = m_files.path(u"Existing.mdb"_s);
        {
            QFile f(existing);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("keep me\n") == 8);
        }
        QVERIFY_THROWS_EXCEPTION(StoreError, Database::create(existing));
        QFile f(existing);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll() == "keep me\n");
        QVERIFY_THROWS_EXCEPTION(StoreError, Database::create(m_files.path(u"nowhere/New.mdb"_s)));
        QVERIFY(!QFileInfo::exists(m_files.path(u"nowhere"_s)));
    }

    // Every table, column and index the program relies on is checked, every fault reported at once.
    void openFindsDamagedSchema_data()
    {
        QTest::addColumn<QStringList>("damage");
        QTest::addColumn<QStringList>("mentioned");
        for (const char* table : { "Car", "Assembly", "Component", "Supplier", "Phase", "Activity" })
            QTest::newRow(table) << QStringList { u"DROP TABLE "_s + table } << QStringList { u"'%1'"_s.arg(table) };
        testing::TestDatabase files; // every index a new file has
        const auto db = Database::open(files.createEmpty());
        QSqlQuery q = db->run(testing::onServer()
                ? u"SELECT indexname FROM pg_indexes WHERE schemaname = current_schema() AND indexname NOT LIKE '%_pkey'"_s
                : u"SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"_s);
        while (q.next()) {
            const QString index = q.value(0).toString();
            QTest::newRow(qPrintable(index)) << QStringList { u"DROP INDEX "_s + index } << QStringList { index };
        }
        QTest::newRow("three faults") << QStringList { u"ALTER TABLE Assembly DROP COLUMN imagepath"_s,
            u"ALTER TABLE Supplier RENAME COLUMN CatalogNbr TO Catalog"_s, u"DROP TABLE Phase"_s }
                                      << QStringList { u"'imagepath' of table 'Assembly'"_s,
                                             u"'CatalogNbr' of table 'Supplier'"_s, u"'Phase'"_s };
    }
    void openFindsDamagedSchema()
    {
        QFETCH(QStringList, damage);
        QFETCH(QStringList, mentioned);
        const QString path = m_files.createEmpty(u"Damaged.mdb"_s);
        {
            const auto db = Database::open(path);
            for (const QString& sql : damage)
                db->execute(sql);
        }
        const auto errors = openErrors(path);
        QCOMPARE(errors.size(), mentioned.size());
        for (const QString& word : mentioned)
            QVERIFY2(std::any_of(
                         errors.begin(), errors.end(), [&](const StoreError& e) { return e.message().contains(word); }),
                qPrintable(word));
    }

    // The name goes to SQLite as a URI: '#', '?' and '%' must not cut or decode it.
    void openPathWithUriCharacters()
    {
        GEARLOG_FILE_ONLY();
        const QString folder = m_files.path(u"my #1 shop?%20"_s);
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + u"/Car 50% done?.mdb"_s;
        Store(*Database::create(path)).cars.add(Car { .Description = u"Coupe"_s });
        auto db = Database::open(path);
        QCOMPARE(db->path(), path);
        QCOMPARE(Store(*db).cars.count(), 1);
        QCOMPARE(QDir(folder).entryList(QDir::Files),
            QStringList({ u"Car 50% done?.mdb"_s, u"Car 50% done?.mdb-shm"_s, u"Car 50% done?.mdb-wal"_s }));
        QVERIFY(QDir(m_files.dir().path()).entryList(QDir::Files).filter(u"my"_s).isEmpty());
    }

    // Every field set and different from its neighbours, so a column read into the wrong field shows;
    // zero is an amount, not Null; money up to the largest amount comes back exactly.
    void roundTripEveryTable()
    {
        const QDateTime stamp(QDate(2003, 3, 7), QTime(14, 5, 9));
        const common::NoteParts notes { u"a"_s, u""_s, u"c"_s };
        const qint64 max = std::numeric_limits<qint64>::max();
        const auto roundTrip = [](const auto& table, const auto& record) {
            QCOMPARE(written(*table.find(table.add(record))), written(record));
        };
        // Quotes and SQL in a text are only text.
        roundTrip(s().cars,
            Car { 0, "O'Brien's \"Speed\" Shop", "'); DELETE FROM Car; --", "Mustang", "1967",
                Money::fromWholeDollars(3295), Money::fromUnits(1), Money::fromUnits(-50000), "/pics/car.jpg", 1, notes,
                stamp });
        roundTrip(s().assemblies, Assembly { 0, 7, "Brakes", 3, "/pics/brakes.png", notes, stamp });
        roundTrip(s().phases, Phase { 0, 7, 20, "Body work", 0, notes, stamp });
        roundTrip(s().activities,
            Activity { 0, 7, 8, 5, "Strip paint", 2, QDate(2002, 12, 31), QDate(2003, 1, 5), 12.5, QDate(2003, 1, 2),
                QDate(), 0.25, notes, stamp });
        roundTrip(s().components,
            Component { 0, 7, 8, 9, "Pads", 1, "Acme Parts", "p. 42", 4, Money::fromUnits(max), Money::fromUnits(0), 1,
                "/pics/pads.jpg", notes, stamp });
        roundTrip(s().suppliers,
            Supplier { 0, "Acme Parts", "1 Main St", "Suite 2", "Dayton", "OH", "45402", "555-0100", "555-0101",
                "www.acme.example", "Cat 7", notes });
        // Nulls stay Null, not 0 or an empty text.
        roundTrip(s().cars, Car {});
        roundTrip(s().components, Component { .carid = 7 });
        roundTrip(s().activities, Activity { .carid = 7 });
        if (testing::onServer())
            return; // the server's column types keep these forms
        QCOMPARE(
            row(m_db->path(),
                u"SELECT GROUP_CONCAT(typeof(quantity) || typeof(note1) || typeof(targetcost), ' ') FROM Component"_s),
            QVariantList { "integertextinteger nullnullnull" }); // money exact, never REAL
        // Dates are ISO text, an empty date Null, a stamp without its T: what other programs read.
        QCOMPARE(row(m_db->path(), u"SELECT targetstartdate, typeof(actualstopdate), auditdate FROM Activity ORDER BY ActivityID"_s),
            QVariantList({ "2002-12-31", "null", "2003-03-07 14:05:09" }));
    }

    // Stamps are read by hand in their stored form; anything else reads as no stamp.
    void storedStamps_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QDateTime>("read");
        QTest::newRow("leap day") << "2024-02-29 23:59:59" << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59));
        if (testing::onServer())
            return; // a server's timestamp column holds no other form
        QTest::newRow("no such day") << "2026-02-30 10:00:00" << QDateTime();
        QTest::newRow("ISO with a T") << "2003-03-07T14:05:09" << QDateTime();
    }
    void storedStamps()
    {
        QFETCH(QString, stored);
        const store::Key carid = s().cars.add(Car {});
        m_db->run(u"UPDATE Car SET auditdate = ? WHERE carid = ?"_s, { stored, carid });
        QTEST(s().cars.find(carid)->auditdate, "read");
    }

    // A deleted row's key never comes back, or old references would point at a new row.
    void keysAreNeverReused()
    {
        const store::Key first = s().phases.add(Phase {});
        const store::Key second = s().phases.add(Phase {});
        QVERIFY(second > first);
        QVERIFY(s().phases.remove(second));
        QVERIFY(s().phases.add(Phase {}) > second);
    }

    // Seeks match the whole text, never as a pattern, within the car asked for; lists go by
    // description across cars, or by sequence with ties by key.
    void seeksAndLists()
    {
        const store::Key body = s().assemblies.add({ .carid = 1, .Description = u"Engine bay"_s });
        const store::Key other = s().assemblies.add({ .carid = 2, .Description = u"Axle"_s });
        const store::Key engine = s().assemblies.add({ .carid = 1, .Description = u"Engine"_s });
        QVERIFY(!s().assemblies.seekForCar(2, u"Engine"_s));
        for (const QString& text : { u"Engin"_s, u"Engine%"_s, u"Engine_bay"_s, QString() })
            QVERIFY2(!s().assemblies.seek(text), qPrintable(text));
        QCOMPARE(s().assemblies.allEntries(Order::Description),
            QList<Entry>({ { other, "Axle" }, { engine, "Engine" }, { body, "Engine bay" } }));
        QVERIFY(s().assemblies.entriesForCar(3).isEmpty());

        const store::Key p30 = s().phases.add(Phase { .carid = 1, .prioritysequence = 30 });
        const store::Key p10a = s().phases.add(Phase { .carid = 1, .prioritysequence = 10 });
        s().phases.add(Phase { .carid = 2, .prioritysequence = 5 });
        const store::Key p10b = s().phases.add(Phase { .carid = 1, .prioritysequence = 10 });
        QList<store::Key> keys;
        for (const Phase& p : s().phases.forCar(1, Order::Sequence))
            keys << p.PhaseID;
        QCOMPARE(keys, QList<store::Key>({ p10a, p10b, p30 }));
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "TestStore.moc"
