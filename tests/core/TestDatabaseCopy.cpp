// Copying a whole database between a file and a server: every row under its key, counters past
// every key given, refusals that change nothing, and nothing half-written when it stops.

#include "copy/DatabaseCopy.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "support/ServerDatabase.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QtTest>

using namespace store;
using namespace Qt::StringLiterals;

namespace {

const QString Tables = u"SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = 'public'"_s;

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestDatabaseCopy : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;

private Q_SLOTS:
    // File to server and back: the same rows under the same keys; a key a deleted row had is
    // not given again on either side.
    void roundTrip()
    {
        const QString file = m_files.copySample();
        {
            const auto db = Database::open(file);
            const Store s(*db);
            s.phases.remove(s.phases.add(Phase { .carid = 1, .Description = u"Gone"_s }));
        }
        testing::ServerDatabase server;
        const copy::CopiedRows copied = copy::copyDatabase(file, server.url());
        QCOMPARE(copy::describe(copied),
            u"1 project, 7 assemblies, 40 components, 5 phases, 20 activities and 7 suppliers"_s);
        QCOMPARE(testing::records(server.url()), testing::records(file));
        const QString back = m_files.path(u"Back.mdb"_s);
        copy::copyDatabase(server.url(), back);
        QCOMPARE(testing::records(back), testing::records(file));
        for (const QString& location : { server.url(), back }) {
            const auto db = Database::open(location);
            const Store s(*db);
            QCOMPARE(s.phases.add(Phase { .carid = 1 }), 7);
            QCOMPARE(s.cars.add(Car {}), 2);
        }
    }

    // A target that is not new is refused and left as it was; so is a source that is no database.
    void refusals()
    {
        const QString file = m_files.copySample();
        const QString existing = m_files.copySample(u"Existing.mdb"_s);
        const QByteArray before = contents(existing);
        testing::ServerDatabase server;
        Database::create(server.url());
        const auto refused = [](const QString& from, const QString& to) {
            try {
                copy::copyDatabase(from, to);
            } catch (const StoreError& e) {
                return e.message();
            } catch (const OpenFailure& e) {
                return e.errors().first().message();
            }
            return QString();
        };
        QVERIFY(refused(file, existing).contains(u"already exists"_s));
        QCOMPARE(contents(existing), before);
        QVERIFY(refused(file, server.url()).contains(u"already holds GearLog tables"_s));
        QCOMPARE(server.value(u"SELECT COUNT(*) FROM car"_s).toInt(), 0);
        const QString fresh = m_files.path(u"Fresh.mdb"_s);
        QVERIFY(refused(m_files.path(u"None.mdb"_s), fresh).contains(u"does not exist"_s));
        QCOMPARE(QDir(m_files.dir().path()).entryList(QDir::Files | QDir::Hidden).filter(u"Fresh"_s), QStringList());
    }

    // A row the server refuses half-way (a text holding NUL, which a file may keep), and a copy
    // killed half-way, leave no GearLog table on the server.
    void stoppedHalfWay()
    {
        const QString file = m_files.copySample();
        {
            const auto db = Database::open(file);
            db->run(u"UPDATE Component SET note2 = 'a' || char(0) || 'b' WHERE componentid = 40"_s);
        }
        testing::ServerDatabase server;
        QVERIFY_THROWS_EXCEPTION(StoreError, copy::copyDatabase(file, server.url()));
        QCOMPARE(server.value(Tables).toInt(), 0);

        const QString big = m_files.createEmpty(u"Big.mdb"_s);
        {
            const auto db = Database::open(big);
            db->execute(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60000) "
                        "INSERT INTO Component (carid, assemblyid, Description) SELECT 1, 1, 'Bolt ' || i FROM n"_s);
        }
        QProcess copying;
        copying.start(QStringLiteral(GEARLOG_PROGRAM), { u"--copy-database"_s, big, server.url() });
        QVERIFY(QTest::qWaitFor([&] {
            return server
                       .value(u"SELECT COUNT(*) FROM pg_stat_activity WHERE application_name = 'GearLog' AND "
                              "xact_start IS NOT NULL"_s)
                       .toInt()
                > 0;
        }));
        QTest::qWait(200);
        copying.kill();
        copying.waitForFinished();
        QCOMPARE(copying.exitStatus(), QProcess::CrashExit);
        QCOMPARE(server.value(Tables).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseCopy)
#include "TestDatabaseCopy.moc"
