// Copying a project: what is copied and mapped to the new rows, what is refused, all or nothing.

#include "copy/ProjectCopy.h"
#include "store/Database.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "support/TestDatabase.h"

#include <QSqlRecord>
#include <QtTest>

using common::Money;
using namespace store;
using namespace Qt::StringLiterals;

namespace {

const QDate Stamp(2026, 4, 2);

// A project's rows, sorted, each naming the rows it belongs to rather than giving their keys, and
// without the columns a copy fills with its own keys and stamp. Every other column must come across.
QStringList projectRows(const Database& db, store::Key car)
{
    static const QStringList own { "carid", "PhaseID", "ActivityID", "assemblyid", "componentid", "auditdate",
        "wishlist" };
    QStringList rows;
    for (const char* select : { "SELECT * FROM Car WHERE carid = ?", "SELECT * FROM Assembly WHERE carid = ?",
             "SELECT * FROM Phase WHERE carid = ?",
             "SELECT a.*, p.Description FROM Activity a JOIN Phase p USING (PhaseID) WHERE a.carid = ?",
             "SELECT c.*, s.Description, v.Description FROM Component c JOIN Assembly s USING (assemblyid) "
             "LEFT JOIN Activity v ON v.ActivityID = c.ActivityID AND v.carid = c.carid WHERE c.carid = ?" }) {
        QSqlQuery q = db.run(QLatin1String(select), { car });
        while (q.next()) {
            QString row = QString::fromLatin1(select).section(u"FROM "_s, 1).section(u' ', 0, 0);
            for (int i = 0; i < q.record().count(); ++i) {
                if (!own.contains(q.record().fieldName(i), Qt::CaseInsensitive))
                    row += u'|' + q.value(i).toString() + u':' + QLatin1String(q.value(i).typeName());
            }
            rows << row;
        }
    }
    rows.sort();
    return rows;
}

qint64 count(const Database& db, const QString& sql)
{
    return testing::firstValue(db, u"SELECT "_s + sql).toLongLong();
}

// A project of known shape: phases Strip (sequence 2) with Pull engine (2) and Pull body (1), and
// Paint (1) with Spray; assembly Engine with Pump (attached to Pull engine) and Gasket (attached to
// Spray); assembly Body with Panel (ActivityID Null), Trim (0) and Bracket, attached to an activity
// of the sample project.
qint32 writeProject(const Store& s)
{
    const common::NoteParts notes { u"Frame-off"_s, u" restoration"_s, QString() };
    const store::Key car = s.cars.add({ 0, "Bel Air", "Chevrolet", "Bel Air", "1957", Money::fromWholeDollars(4200),
        Money::fromWholeDollars(38000), Money::fromWholeDollars(21000), "/pictures/belair.jpg", 1, notes });
    const store::Key strip
        = s.phases.add({ .carid = car, .prioritysequence = 2, .Description = "Strip", .notes = notes });
    const store::Key paint = s.phases.add({ .carid = car, .prioritysequence = 1, .Description = "Paint" });
    const auto activity = [&](const char* name, store::Key phase, int sequence) {
        return s.activities.add({ 0, car, phase, sequence, name, 2, QDate(2025, 3, 1), QDate(2025, 3, 20), 12.5,
            QDate(2025, 3, 4), {}, 3, notes });
    };
    const store::Key pullEngine = activity("Pull engine", strip, 2);
    activity("Pull body", strip, 1);
    const store::Key spray = activity("Spray", paint, 1);
    const store::Key engine = s.assemblies.add({ 0, car, "Engine", 1, "/pictures/engine.png", notes });
    const store::Key body = s.assemblies.add({ .carid = car, .Description = "Body" });
    const auto component = [&](const char* name, store::Key assembly, std::optional<store::Key> activity) {
        s.components.add({ 0, car, assembly, activity, name, 3, "Eckler's", "p. 112", 2, *Money::parse(u"97.95"_s),
            *Money::parse(u"89.50"_s), 1, "/pictures/part.png", notes });
    };
    component("Pump", engine, pullEngine);
    component("Gasket", engine, spray);
    component("Panel", body, std::nullopt);
    component("Trim", body, 0);
    component("Bracket", body, 1);
    return car;
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

    // Every field of every row comes across, under the copies of the rows it belongs to; the copy
    // has keys and a stamp of its own and nothing on its wish list; the source stays as it was.
    void copiesEveryRow_data()
    {
        QTest::addColumn<bool>("sample");
        QTest::newRow("a project of known shape") << false;
        QTest::newRow("the sample project") << true;
    }
    void copiesEveryRow()
    {
        QFETCH(bool, sample);
        const store::Key source = sample ? Store::SampleCarId : writeProject(s());
        const QStringList rows = projectRows(*m_db, source);
        QVERIFY(rows.size() > 5);
        const QString wishes = u"COUNT(*) FROM Component WHERE carid = %1 AND wishlist <> 0"_s;
        const qint64 wished = count(*m_db, wishes.arg(source));
        // Two copies one after the other, each independent of the other.
        for (int i = 0; i < 2; ++i) {
            const store::Key copied = copy::copyProject(s(), source, s().cars.find(source)->Description, Stamp);
            QVERIFY(copied > source);
            QCOMPARE(projectRows(*m_db, copied), rows);
            QCOMPARE(count(*m_db, wishes.arg(copied)), 0);
            const QString unstamped
                = u"COUNT(*) FROM %1 WHERE carid = %2 AND (auditdate IS NULL OR auditdate <> '2026-04-02 00:00:00')"_s;
            for (const char* table : { "Car", "Assembly", "Component", "Phase", "Activity" })
                QCOMPARE(count(*m_db, unstamped.arg(QLatin1String(table)).arg(copied)), 0);
        }
        QCOMPARE(projectRows(*m_db, source), rows);
        QCOMPARE(count(*m_db, wishes.arg(source)), wished);
    }

    // Attached components follow the copies of their activities; the others stay unattached. A
    // project with nothing under it copies as the car alone; a name of 30 characters is whole.
    void attachmentsAndBareProject()
    {
        const store::Key copied = copy::copyProject(s(), writeProject(s()), u"Second"_s, Stamp);
        QSqlQuery q
            = m_db->run(u"SELECT c.Description, coalesce(v.Description, CAST(c.ActivityID AS VARCHAR(20)), 'null'), "
                        "CASE WHEN v.carid = c.carid THEN '1' ELSE '' END "
                        "FROM Component c LEFT JOIN Activity v USING (ActivityID) WHERE c.carid = ? "
                        "ORDER BY c.Description"_s,
                { copied });
        QStringList attached;
        while (q.next())
            attached << q.value(0).toString() + u' ' + q.value(1).toString() + u' ' + q.value(2).toString();
        QCOMPARE(attached,
            QStringList({ "Bracket null ", "Gasket Spray 1", "Panel null ", "Pump Pull engine 1", "Trim 0 " }));
        const QString name(30, u'y');
        const store::Key bare = copy::copyProject(s(), s().cars.add({ .Description = u"Bare"_s }), name, Stamp);
        QCOMPARE(s().cars.find(bare)->Description, name);
        QCOMPARE(projectRows(*m_db, bare).size(), 1);
    }

    // Names are never cut: a copy that cannot be made as asked is refused, and nothing is written.
    void refusals_data()
    {
        QTest::addColumn<qint32>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("no project chosen") << 0 << "New" << "Please Select The Project To Copy From";
        QTest::newRow("blanks only") << 1 << "   " << "Please Enter A Name For The New Project";
        QTest::newRow("31 characters") << 1 << QString(31, u'x') << "The Name Of The New Project Cannot Be Longer Than 30 Characters";
        QTest::newRow("missing project") << 999 << "New" << "The project to copy from no longer exists.";
        // clang-format on
    }
    void refusals()
    {
        QFETCH(qint32, source);
        QFETCH(QString, name);
        const QStringList before = testing::dumpRows(*m_db);
        try {
            copy::copyProject(s(), source, name, Stamp);
            QFAIL("the copy was made");
        } catch (const StoreError& e) {
            QTEST(e.message(), "message");
        }
        QCOMPARE(testing::dumpRows(*m_db), before);
    }

    // Whichever table refuses a row, the copy leaves no trace: no car, no children.
    void failureLeavesNothing_data()
    {
        QTest::addColumn<QString>("table");
        for (const char* table : { "Car", "Phase", "Activity", "Assembly", "Component" })
            QTest::newRow(table) << QString::fromLatin1(table);
    }
    void failureLeavesNothing()
    {
        QFETCH(QString, table);
        const store::Key source = writeProject(s());
        // The last row of the table is refused, after the others were written.
        testing::refuseWrites(*m_db, u"INSERT"_s, table, u"disk is full"_s,
            u"NEW.Description IN ('Bel Air, copy', 'Spray', 'Paint', 'Body', 'Bracket')"_s);
        const QStringList before = testing::dumpRows(*m_db);
        QVERIFY_THROWS_EXCEPTION(StoreError, copy::copyProject(s(), source, u"Bel Air, copy"_s, Stamp));
        QCOMPARE(testing::dumpRows(*m_db), before);
        // The database is usable afterwards: the same copy goes through once it is accepted.
        testing::allowWrites(*m_db, table);
        const store::Key copied = copy::copyProject(s(), source, u"Bel Air, copy"_s, Stamp);
        QCOMPARE(projectRows(*m_db, copied).size(), projectRows(*m_db, source).size());
    }
};

QTEST_GUILESS_MAIN(TestProjectCopy)
#include "TestProjectCopy.moc"
