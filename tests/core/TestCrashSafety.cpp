// Kills a process in the middle of its writes, again and again: the file stays sound and every
// change is there whole or not at all.

#include "store/Database.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

QVariant scalar(const QString& connection, const QString& sql)
{
    QSqlQuery q(QSqlDatabase::database(connection));
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0);
}

} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedMidWrite()
    {
        const int rounds = qEnvironmentVariableIsSet("GEARLOG_CRASH_ROUNDS")
            ? qEnvironmentVariableIntValue("GEARLOG_CRASH_ROUNDS")
            : 20;
        testing::TestDatabase files;
        const QString path = files.createEmpty();
        QRandomGenerator random(20261206);
        int sawProjects = 0;
        for (int round = 0; round < rounds; ++round) {
            QProcess worker;
            worker.start(QStringLiteral(GEARLOG_CRASHWORKER), { path });
            QVERIFY(worker.waitForReadyRead(10000));
            QTest::qWait(int(random.bounded(1, 60)));
            worker.kill(); // SIGKILL: no chance to finish anything
            QVERIFY(worker.waitForFinished(10000));

            // The next program to open the file finds it sound and every project whole.
            auto db = store::Database::open(path);
            const QString c = db->connection().connectionName();
            QCOMPARE(scalar(c, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
            for (const char* table : { "Assembly", "Component", "Phase", "Activity" }) {
                const QString orphans
                    = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE carid NOT IN (SELECT carid FROM Car)").arg(table);
                QCOMPARE(scalar(c, orphans).toInt(), 0);
            }
            const QString partial = QStringLiteral(
                "SELECT COUNT(*) FROM Car c WHERE "
                "(SELECT COUNT(*) FROM Assembly a WHERE a.carid = c.carid) <> 4 OR "
                "(SELECT COUNT(*) FROM Component m WHERE m.carid = c.carid AND m.Description <> 'extra') <> 20 OR "
                "(SELECT COUNT(*) FROM Phase p WHERE p.carid = c.carid) <> 2 OR "
                "(SELECT COUNT(*) FROM Activity v WHERE v.carid = c.carid) <> 6");
            QCOMPARE(scalar(c, partial).toInt(), 0);
            sawProjects += scalar(c, QStringLiteral("SELECT COUNT(*) FROM Car")).toInt() > 0 ? 1 : 0;
        }
        // The worker did get somewhere between kills.
        QVERIFY(sawProjects > 0);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "TestCrashSafety.moc"
