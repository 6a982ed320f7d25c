// Kills a process in the middle of its writes, again and again: the file stays sound and every
// change is there whole or not at all.

#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

class TestCrashSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedMidWrite()
    {
        const int rounds = qEnvironmentVariableIntValue("GEARLOG_CRASH_ROUNDS");
        testing::TestDatabase files;
        const QString path = files.createEmpty();
        QRandomGenerator random(20261206);
        int sawProjects = 0;
        for (int round = 0; round < (rounds > 0 ? rounds : 20); ++round) {
            QProcess worker;
            worker.start(QStringLiteral(GEARLOG_CRASHWORKER), { path });
            QVERIFY(worker.waitForReadyRead(10000));
            QTest::qWait(int(random.bounded(1, 60)));
            worker.kill(); // SIGKILL: no chance to finish anything
            QVERIFY(worker.waitForFinished(10000));

            // The next program to open the file finds it sound and every project whole.
            auto db = store::Database::open(path);
            const auto scalar = [&](const QString& sql) { return testing::firstValue(*db, sql); };
            QCOMPARE(scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
            for (const char* table : { "Assembly", "Component", "Phase", "Activity" }) {
                const QString orphans
                    = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE carid NOT IN (SELECT carid FROM Car)");
                QCOMPARE(scalar(orphans.arg(QLatin1String(table))).toInt(), 0);
            }
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM Car c WHERE "
                                           "(SELECT COUNT(*) FROM Assembly a WHERE a.carid = c.carid) <> 4 OR "
                                           "(SELECT COUNT(*) FROM Component m WHERE m.carid = c.carid AND "
                                           "m.Description <> 'extra') <> 20 OR "
                                           "(SELECT COUNT(*) FROM Phase p WHERE p.carid = c.carid) <> 2 OR "
                                           "(SELECT COUNT(*) FROM Activity v WHERE v.carid = c.carid) <> 6"))
                         .toInt(),
                0);
            sawProjects += scalar(QStringLiteral("SELECT COUNT(*) FROM Car")).toInt() > 0 ? 1 : 0;
        }
        QVERIFY(sawProjects > 0); // the worker did get somewhere between kills
    }

    // Restoring backups of one and of two projects in turn: whatever the moment of the kill, the
    // database is one of them whole, with no stale log beside it, and no file set aside is lost.
    void killedMidRestore()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        const QString one = files.copySample(QStringLiteral("one.mdb"));
        const QString two = files.copySample(QStringLiteral("two.mdb"));
        store::Store(*store::Database::open(two)).cars.add({ .Description = QStringLiteral("second") });
        QRandomGenerator random(20261207);
        qint64 setAside = 0;
        for (int round = 0; round < 20; ++round) {
            QProcess worker;
            worker.start(QStringLiteral(GEARLOG_CRASHWORKER), { path, QStringLiteral("restore"), one, two });
            QVERIFY(worker.waitForReadyRead(10000));
            QTest::qWait(int(random.bounded(1, 80)));
            worker.kill();
            QVERIFY(worker.waitForFinished(10000));
            {
                auto db = store::Database::open(path);
                QCOMPARE(testing::firstValue(*db, QStringLiteral("PRAGMA integrity_check")).toString(),
                    QStringLiteral("ok"));
                QVERIFY(QList<qint64>({ 1, 2 }).contains(store::Store(*db).cars.count()));
            }
            const QFileInfoList aside = QDir(files.path(QStringLiteral("backups")))
                                            .entryInfoList({ QStringLiteral("*-before-restore-*.mdb") }, QDir::Files);
            QVERIFY(aside.size() >= setAside);
            setAside = aside.size();
        }
        QVERIFY(setAside > 0);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "TestCrashSafety.moc"
