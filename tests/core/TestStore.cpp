#include "store/Database.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "store/Transaction.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <limits>

using common::Money;
using namespace store;

namespace {

// A second connection of our own, the way another program would hold the file.
class RawConnection
{
public:
    explicit RawConnection(const QString& path)
        : m_name(QStringLiteral("raw-%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("raw connection failed");
    }
    ~RawConnection()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    QVariantList row(const QString& sql) const
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        if (!q.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        QVariantList values;
        if (q.next()) {
            for (int i = 0; i < q.record().count(); ++i)
                values << q.value(i);
        }
        return values;
    }

private:
    static inline int s_count = 0;
    QString m_name;
};

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs Database::open expecting it to fail; answers the errors.
QList<StoreError> openErrors(const QString& path, const OpenOptions& options = {})
{
    try {
        Database::open(path, options);
    } catch (const OpenFailure& failure) {
        return failure.errors();
    }
    return {};
}

bool mentions(const QList<StoreError>& errors, const QString& word)
{
    for (const StoreError& e : errors) {
        if (e.message().contains(word, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

common::NoteParts notes(const QString& a, const QString& b, const QString& c)
{
    return { a, b, c };
}

// The values a record writes, column by column: equal lists mean every field came back.
template <class Rec> QVariantList written(const Rec& record)
{
    RowWriter w;
    record.write(w);
    return w.values();
}

Car car(const QString& description)
{
    Car c;
    c.Description = description;
    return c;
}

Assembly assembly(qint32 carid, const QString& description)
{
    Assembly a;
    a.carid = carid;
    a.Description = description;
    return a;
}

Phase phase(qint32 carid, std::optional<qint32> sequence, const QString& description)
{
    Phase p;
    p.carid = carid;
    p.prioritysequence = sequence;
    p.Description = description;
    return p;
}

Supplier supplier(const QString& name)
{
    Supplier s;
    s.Name = name;
    return s;
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void createRefusesExistingFile();
    void createInMissingFolderLeavesNothing();
    void openMissingFileCreatesNothing();
    void openFileThatIsNotADatabase();
    void openFindsMissingTable_data();
    void openFindsMissingTable();
    void openFindsMissingIndex_data();
    void openFindsMissingIndex();
    void openFindsMissingColumn();
    void openLockedFileGivesUp();
    void openPathWithUriCharacters();
    void schemaHasEveryRecordColumn();
    void sampleDatabaseOpens();

    void roundTripEveryTable();
    void roundTripNulls();
    void storedStamps_data();
    void storedStamps();
    void keysAreNeverReused();
    void notesAndAwkwardTexts();
    void moneyStoredAsExactIntegers_data();
    void moneyStoredAsExactIntegers();
    void datesStoredAsIsoText();

    void seekByDescription();
    void listsForOneCar();
    void changeAndRemoveMissingKeys();
    void transactionRollsBackOnException();
};

void TestStore::createRefusesExistingFile()
{
    testing::TestDatabase t;
    const QString path = t.path(QStringLiteral("Existing.mdb"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep me\n");
    f.close();
    try {
        Database::create(path);
        QFAIL("create overwrote an existing file");
    } catch (const StoreError& e) {
        QCOMPARE(e.code(), code::Exists);
    }
    QCOMPARE(contents(path), QByteArray("keep me\n"));
}

void TestStore::createInMissingFolderLeavesNothing()
{
    testing::TestDatabase t;
    const QString path = t.path(QStringLiteral("nowhere/New.mdb"));
    QVERIFY_THROWS_EXCEPTION(StoreError, Database::create(path));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!QFileInfo::exists(t.path(QStringLiteral("nowhere"))));
}

void TestStore::openMissingFileCreatesNothing()
{
    testing::TestDatabase t;
    const QString path = t.path(QStringLiteral("Missing.mdb"));
    const auto errors = openErrors(path);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.front().code(), code::CantOpen);
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(QDir(t.dir().path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void TestStore::openFileThatIsNotADatabase()
{
    testing::TestDatabase t;
    const QString path = t.path(QStringLiteral("Notes.mdb"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("Not a database, just a shopping list for the Mustang.\n").repeated(40));
    f.close();
    const QByteArray before = contents(path);
    const auto errors = openErrors(path);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.front().code(), code::NotADatabase);
    QCOMPARE(contents(path), before);
}

void TestStore::openFindsMissingTable_data()
{
    QTest::addColumn<QString>("table");
    for (const char* table : { "Car", "Assembly", "Component", "Supplier", "Phase", "Activity" })
        QTest::newRow(table) << QString::fromLatin1(table);
}

void TestStore::openFindsMissingTable()
{
    QFETCH(QString, table);
    testing::TestDatabase t;
    const QString path = t.createEmpty();
    RawConnection(path).row(QStringLiteral("DROP TABLE ") + table);
    const auto errors = openErrors(path);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.front().code(), code::Schema);
    QVERIFY2(errors.front().message().contains(QLatin1Char('\'') + table + QLatin1Char('\'')),
        qPrintable(errors.front().message()));
}

void TestStore::openFindsMissingIndex_data()
{
    // Every index of a new file is one the program relies on; losing any of them must be noticed.
    QTest::addColumn<QString>("index");
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    QSqlQuery q = db->run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"));
    int count = 0;
    while (q.next()) {
        const QString name = q.value(0).toString();
        QTest::newRow(qPrintable(name)) << name;
        ++count;
    }
    QVERIFY(count >= 6);
}

void TestStore::openFindsMissingIndex()
{
    QFETCH(QString, index);
    testing::TestDatabase t;
    const QString path = t.createEmpty();
    RawConnection(path).row(QStringLiteral("DROP INDEX ") + index);
    const auto errors = openErrors(path);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.front().message().contains(index), qPrintable(errors.front().message()));
}

void TestStore::openFindsMissingColumn()
{
    testing::TestDatabase t;
    const QString path = t.createEmpty();
    {
        RawConnection raw(path);
        raw.row(QStringLiteral("ALTER TABLE Assembly DROP COLUMN imagepath"));
        raw.row(QStringLiteral("ALTER TABLE Supplier RENAME COLUMN CatalogNbr TO Catalog"));
        raw.row(QStringLiteral("DROP TABLE Phase"));
    }
    const auto errors = openErrors(path);
    QCOMPARE(errors.size(), 3); // every fault at once, not just the first
    QVERIFY(mentions(errors, QStringLiteral("'imagepath' of table 'Assembly'")));
    QVERIFY(mentions(errors, QStringLiteral("'CatalogNbr' of table 'Supplier'")));
    QVERIFY(mentions(errors, QStringLiteral("'Phase'")));
}

void TestStore::openLockedFileGivesUp()
{
    testing::TestDatabase t;
    const QString path = t.createEmpty();
    RawConnection other(path);
    other.row(QStringLiteral("BEGIN EXCLUSIVE"));
    QElapsedTimer timer;
    timer.start();
    const auto errors = openErrors(path, OpenOptions { 100 });
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.front().code(), code::Busy);
    QVERIFY(timer.elapsed() >= 90);
    QVERIFY(timer.elapsed() < 5000);
    other.row(QStringLiteral("ROLLBACK"));
    QVERIFY(Database::open(path, OpenOptions { 100 }));
}

void TestStore::openPathWithUriCharacters()
{
    testing::TestDatabase t;
    QVERIFY(QDir(t.dir().path()).mkpath(QStringLiteral("my #1 shop?%20")));
    const QString path = t.path(QStringLiteral("my #1 shop?%20/Car 50% done?.mdb"));
    {
        auto created = Database::create(path);
        Store(*created).cars.add(car(QStringLiteral("Coupe")));
    }
    QVERIFY(QFileInfo::exists(path));
    auto db = Database::open(path);
    QCOMPARE(db->path(), path);
    QCOMPARE(Store(*db).cars.count(), 1);
    // Nothing was made under a truncated or decoded name (beside the file: only its write-ahead log).
    QCOMPARE(QDir(t.path(QStringLiteral("my #1 shop?%20"))).entryList(QDir::Files),
        QStringList({ QStringLiteral("Car 50% done?.mdb"), QStringLiteral("Car 50% done?.mdb-shm"),
            QStringLiteral("Car 50% done?.mdb-wal") }));
    QCOMPARE(QDir(t.dir().path()).entryList(QDir::Files), QStringList());
}

void TestStore::schemaHasEveryRecordColumn()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    const auto check = [&](const char* table, const char* key, const QStringList& columns) {
        QStringList physical;
        QSqlQuery q = db->run(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(QLatin1String(table)));
        while (q.next())
            physical << q.value(0).toString();
        QCOMPARE(physical.value(0), QLatin1String(key));
        QCOMPARE(QStringList(physical.mid(1)), columns);
    };
    check(Car::Table, Car::Key, Car::columns());
    check(Assembly::Table, Assembly::Key, Assembly::columns());
    check(Component::Table, Component::Key, Component::columns());
    check(Supplier::Table, Supplier::Key, Supplier::columns());
    check(Phase::Table, Phase::Key, Phase::columns());
    check(Activity::Table, Activity::Key, Activity::columns());
    QCOMPARE(Database::physicalIndexName(QStringLiteral("Assembly"), QStringLiteral("index2")),
        QStringLiteral("assembly_index2"));
    QCOMPARE(Store(*db).cars.count(), 0);
}

void TestStore::sampleDatabaseOpens()
{
    testing::TestDatabase t;
    auto db = Database::open(t.copySample());
    QVERIFY(Store(*db).cars.find(Store::SampleCarId).has_value());
}

void TestStore::roundTripEveryTable()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    const QDateTime stamp(QDate(2003, 3, 7), QTime(14, 5, 9));

    // Every field set and different from its neighbours, so a column read into the wrong field shows.
    const Car mustang { 0, "1967 Mustang Coupe", "Ford", "Mustang", "1967", Money::fromWholeDollars(3295),
        Money::fromUnits(1), Money::fromUnits(-50000), "/pics/car.jpg", 1, notes("a", "b", "c"), stamp };
    const qint32 carid = s.cars.add(mustang);
    QCOMPARE(written(*s.cars.find(carid)), written(mustang));
    QCOMPARE(s.cars.find(carid)->carid, carid);

    const Assembly a { 0, carid, "Brakes", 3, "/pics/brakes.png", notes("n1", "", "n3"), stamp };
    const qint32 aid = s.assemblies.add(a);
    QCOMPARE(written(*s.assemblies.find(aid)), written(a));

    const Phase p { 0, carid, 20, "Body work", 0, notes("x", "y", "z"), stamp };
    const qint32 pid = s.phases.add(p);
    QCOMPARE(written(*s.phases.find(pid)), written(p));

    const Activity v { 0, carid, pid, 5, "Strip paint", 2, QDate(2002, 12, 31), QDate(2003, 1, 5), 12.5,
        QDate(2003, 1, 2), QDate(), 0.25, notes("", "", "last"), stamp };
    const qint32 vid = s.activities.add(v);
    const Activity v2 = *s.activities.find(vid);
    QCOMPARE(written(v2), written(v));
    QCOMPARE(v2.targetstopdate, QDate(2003, 1, 5));
    QVERIFY(!v2.actualstopdate.isValid());
    QCOMPARE(v2.actualeffort, std::optional<double>(0.25));

    const Component m { 0, carid, aid, vid, "Pads", 1, "Acme Parts", "p. 42", 4, Money::fromUnits(979500),
        Money::fromUnits(0), 1, "/pics/pads.jpg", notes("q", "r", "s"), stamp };
    const Component m2 = *s.components.find(s.components.add(m));
    QCOMPARE(written(m2), written(m));
    QCOMPARE(m2.actualcost, std::optional<Money>(Money())); // zero is an amount, not Null
    QVERIFY(m2.isAttached());

    const Supplier u { 0, "Acme Parts", "1 Main St", "Suite 2", "Dayton", "OH", "45402", "555-0100", "555-0101",
        "www.acme.example", "Cat 7", notes("", "mid", "") };
    const qint32 uid = s.suppliers.add(u);
    QCOMPARE(written(*s.suppliers.find(uid)), written(u));
    QCOMPARE(s.suppliers.find(uid)->supplierid, uid);
}

// Stamps are read by hand in their stored form; anything else must read as Qt reads it.
void TestStore::storedStamps_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QDateTime>("read");
    QTest::newRow("stored form") << "2003-03-07 14:05:09" << QDateTime(QDate(2003, 3, 7), QTime(14, 5, 9));
    QTest::newRow("last second of a leap day")
        << "2024-02-29 23:59:59" << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59));
    QTest::newRow("no such day") << "2026-02-30 10:00:00" << QDateTime();
    QTest::newRow("no such hour") << "2026-01-01 24:00:00" << QDateTime();
    QTest::newRow("a letter among the digits") << "2026-0a-01 10:00:00" << QDateTime();
    QTest::newRow("ISO with a T") << "2003-03-07T14:05:09" << QDateTime();
    QTest::newRow("without seconds") << "2003-03-07 14:05" << QDateTime();
    QTest::newRow("empty text") << "" << QDateTime();
}

void TestStore::storedStamps()
{
    QFETCH(QString, stored);
    QFETCH(QDateTime, read);
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    const qint32 carid = s.cars.add(Car {});
    db->run(QStringLiteral("UPDATE Car SET auditdate = ? WHERE carid = ?"), { stored, carid });
    QCOMPARE(s.cars.find(carid)->auditdate, read);
    QCOMPARE(s.cars.find(carid)->auditdate, QDateTime::fromString(stored, QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void TestStore::roundTripNulls()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    const qint32 carid = s.cars.add(Car {});
    const Car c = *s.cars.find(carid);
    QVERIFY(c.Description.isEmpty());
    QVERIFY(!c.purchaseprice && !c.resalevalue && !c.totalbudget && !c.Status);
    QVERIFY(!c.auditdate.isValid());

    Component m;
    m.carid = carid;
    const Component m2 = *s.components.find(s.components.add(m));
    QVERIFY(!m2.ActivityID && !m2.Status && !m2.quantity && !m2.targetcost && !m2.actualcost && !m2.wishlist);
    QVERIFY(!m2.isAttached());

    Activity v;
    v.carid = carid;
    const Activity v2 = *s.activities.find(s.activities.add(v));
    QVERIFY(!v2.prioritysequence && !v2.targeteffort && !v2.actualeffort);
    QVERIFY(!v2.targetstartdate.isValid() && !v2.targetstopdate.isValid() && !v2.actualstartdate.isValid());

    RawConnection raw(db->path());
    QCOMPARE(raw.row(QStringLiteral("SELECT typeof(targetcost), typeof(quantity), typeof(Description), typeof(note1),"
                                    " typeof(auditdate) FROM Component")),
        QVariantList({ "null", "null", "null", "null", "null" }));
    QCOMPARE(raw.row(QStringLiteral("SELECT typeof(targetstartdate), typeof(targeteffort) FROM Activity")),
        QVariantList({ "null", "null" }));
}

void TestStore::keysAreNeverReused()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    const qint32 first = s.phases.add(phase(1, std::nullopt, QStringLiteral("One")));
    const qint32 second = s.phases.add(phase(1, std::nullopt, QStringLiteral("Two")));
    QVERIFY(second > first);
    QCOMPARE(s.phases.find(second)->PhaseID, second);
    QVERIFY(s.phases.remove(second));
    QVERIFY(!s.phases.find(second));
    const qint32 third = s.phases.add(phase(1, std::nullopt, QStringLiteral("Three")));
    QVERIFY(third > second);
    QCOMPARE(s.phases.find(third)->Description, QStringLiteral("Three"));
    QCOMPARE(s.phases.count(), 2);
}

void TestStore::notesAndAwkwardTexts()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    QString long160;
    for (int i = 0; i < 160; ++i)
        long160 += QChar(u'a' + i % 26);
    const QStringList texts = { QStringLiteral("O'Brien's \"Speed\" Shop"), QStringLiteral("DROP TABLE car;--"),
        QStringLiteral("'); DELETE FROM Car; --"), QString::fromUtf8("Citroën DS – 1973 ✓") };
    for (const QString& text : texts) {
        Car c;
        c.Description = text;
        c.make = text;
        c.notes = common::splitNotes(long160.left(150));
        const Car back = *s.cars.find(s.cars.add(c));
        QCOMPARE(back.Description, text);
        QCOMPARE(back.make, text);
        QCOMPARE(common::joinNotes(back.notes), long160.left(150));
        QCOMPARE(s.cars.seek(text)->Description, text);
    }
    Assembly a = assembly(1, QStringLiteral("Long notes"));
    a.notes = common::splitNotes(long160);
    const Assembly back = *s.assemblies.find(s.assemblies.add(a));
    QCOMPARE(common::joinNotes(back.notes), long160.left(150));
    QCOMPARE(s.cars.count(), texts.size());
    QCOMPARE(RawConnection(db->path()).row(QStringLiteral("SELECT length(note3) FROM Assembly")), QVariantList { 50 });
}

void TestStore::moneyStoredAsExactIntegers_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<qint64>("stored");
    QTest::newRow("smallest") << "0.0001" << 1LL;
    QTest::newRow("price") << "97.95" << 979500LL;
    QTest::newRow("negative") << "-5" << -50000LL;
    QTest::newRow("zero") << "0" << 0LL;
    QTest::newRow("large") << "92233720368.5477" << 922337203685477LL;
    QTest::newRow("fourteen digits") << "99999999999999.9999" << 999999999999999999LL;
}

void TestStore::moneyStoredAsExactIntegers()
{
    QFETCH(QString, amount);
    QFETCH(qint64, stored);
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    Component m;
    m.carid = 1;
    m.targetcost = Money::parse(amount);
    m.actualcost = Money::fromUnits(std::numeric_limits<qint64>::max());
    QCOMPARE(m.targetcost->units(), stored);
    const Component back = *s.components.find(s.components.add(m));
    QCOMPARE(back.targetcost, m.targetcost);
    QCOMPARE(back.actualcost, m.actualcost);
    QCOMPARE(RawConnection(db->path()).row(QStringLiteral("SELECT typeof(targetcost), targetcost FROM Component")),
        QVariantList({ "integer", stored }));
}

void TestStore::datesStoredAsIsoText()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    Activity v;
    v.carid = 1;
    v.targetstartdate = QDate(2003, 3, 7);
    v.actualstopdate = QDate(1999, 12, 31);
    v.auditdate = QDateTime(QDate(2003, 1, 5), QTime(9, 4, 3));
    s.activities.add(v);
    QCOMPARE(RawConnection(db->path())
                 .row(QStringLiteral(
                     "SELECT targetstartdate, typeof(targetstopdate), actualstopdate, auditdate FROM Activity")),
        QVariantList({ "2003-03-07", "null", "1999-12-31", "2003-01-05 09:04:03" }));
}

void TestStore::seekByDescription()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    const qint32 inCar2 = s.assemblies.add(assembly(2, QStringLiteral("Engine")));
    const qint32 inCar1 = s.assemblies.add(assembly(1, QStringLiteral("ENGINE")));
    s.assemblies.add(assembly(1, QStringLiteral("Engine bay")));

    QCOMPARE(s.assemblies.seek(QStringLiteral("engine"))->assemblyid, inCar2);
    QCOMPARE(s.assemblies.seekForCar(1, QStringLiteral("Engine"))->assemblyid, inCar1);
    QCOMPARE(s.assemblies.seekForCar(2, QStringLiteral("engine"))->assemblyid, inCar2);
    QVERIFY(!s.assemblies.seekForCar(3, QStringLiteral("Engine")));
    QVERIFY(!s.assemblies.seek(QStringLiteral("Engin")));
    QVERIFY(!s.assemblies.seek(QStringLiteral("Engine%")));
    QVERIFY(!s.assemblies.seek(QString()));

    s.suppliers.add(supplier(QStringLiteral("Acme")));
    const qint32 second = s.suppliers.add(supplier(QStringLiteral("Summit")));
    QCOMPARE(s.suppliers.seek(QStringLiteral("SUMMIT"))->supplierid, second);
}

void TestStore::listsForOneCar()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    const qint32 b1 = s.assemblies.add(assembly(1, QStringLiteral("body")));
    const qint32 other = s.assemblies.add(assembly(2, QStringLiteral("Axle")));
    const qint32 e = s.assemblies.add(assembly(1, QStringLiteral("Engine")));
    const qint32 b2 = s.assemblies.add(assembly(1, QStringLiteral("Body")));
    const qint32 c = s.assemblies.add(assembly(1, QStringLiteral("Chassis")));

    QList<qint32> keys;
    for (const Assembly& a : s.assemblies.forCar(1, Order::Description))
        keys << a.assemblyid;
    QCOMPARE(keys, QList<qint32>({ b1, b2, c, e }));
    QCOMPARE(s.assemblies.entriesForCar(1),
        QList<Entry>({ { b1, "body" }, { b2, "Body" }, { c, "Chassis" }, { e, "Engine" } }));
    QCOMPARE(s.assemblies.allEntries(Order::Description),
        QList<Entry>({ { other, "Axle" }, { b1, "body" }, { b2, "Body" }, { c, "Chassis" }, { e, "Engine" } }));
    QVERIFY(s.assemblies.forCar(3, Order::Description).isEmpty());
    QVERIFY(s.assemblies.entriesForCar(3).isEmpty());

    const qint32 p30 = s.phases.add(phase(1, 30, QStringLiteral("A")));
    const qint32 p10a = s.phases.add(phase(1, 10, QStringLiteral("Z")));
    s.phases.add(phase(2, 5, QStringLiteral("Other car")));
    const qint32 p10b = s.phases.add(phase(1, 10, QStringLiteral("B")));
    keys.clear();
    for (const Phase& p : s.phases.forCar(1, Order::Sequence))
        keys << p.PhaseID;
    QCOMPARE(keys, QList<qint32>({ p10a, p10b, p30 }));
}

void TestStore::changeAndRemoveMissingKeys()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    const qint32 keep = s.assemblies.add(assembly(1, QStringLiteral("Keep")));
    const qint32 edit = s.assemblies.add(assembly(1, QStringLiteral("Edit")));

    Assembly missing = assembly(1, QStringLiteral("Ghost"));
    missing.assemblyid = edit + 100;
    QVERIFY(!s.assemblies.change(missing));
    QVERIFY(!s.assemblies.find(edit + 100));
    QVERIFY(!s.assemblies.remove(edit + 100));
    QCOMPARE(s.assemblies.count(), 2);

    Assembly changed = *s.assemblies.find(edit);
    changed.Description = QStringLiteral("Edited");
    changed.Status = 2;
    QVERIFY(s.assemblies.change(changed));
    QCOMPARE(s.assemblies.find(edit)->Description, QStringLiteral("Edited"));
    QCOMPARE(s.assemblies.find(edit)->Status, std::optional<qint32>(2));
    QCOMPARE(s.assemblies.find(keep)->Description, QStringLiteral("Keep"));
    QVERIFY(!s.assemblies.find(keep)->Status);

    QVERIFY(s.assemblies.remove(edit));
    QVERIFY(!s.assemblies.remove(edit));
    QVERIFY(s.assemblies.find(keep));
}

void TestStore::transactionRollsBackOnException()
{
    testing::TestDatabase t;
    auto db = Database::open(t.createEmpty());
    Store s(*db);
    qint32 lost = 0;
    try {
        Transaction tr(*db);
        lost = s.cars.add(car(QStringLiteral("Half written")));
        db->run(QStringLiteral("INSERT INTO NoSuchTable VALUES (1)"));
        tr.commit();
        QFAIL("the bad statement did not throw");
    } catch (const StoreError& e) {
        QVERIFY(e.message().contains(QStringLiteral("NoSuchTable")));
    }
    QVERIFY(lost > 0);
    QVERIFY(!s.cars.find(lost));
    QCOMPARE(s.cars.count(), 0);

    {
        Transaction tr(*db);
        s.cars.add(car(QStringLiteral("One")));
        s.cars.add(car(QStringLiteral("Two")));
        tr.commit();
    }
    QCOMPARE(s.cars.count(), 2);
    // A later connection sees the committed rows, so they are on disk, not only in ours.
    QCOMPARE(RawConnection(db->path()).row(QStringLiteral("SELECT COUNT(*) FROM Car")), QVariantList { 2 });
}

QTEST_GUILESS_MAIN(TestStore)
#include "TestStore.moc"
