// The daily backup beside the database.

#include "store/Backup.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestBackup : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;

private Q_SLOTS:
    // Once a day, keeping the newest five; the copy is a database of its own with the same projects.
    void oncePerDayKeepingFive()
    {
        const QString path = m_files.copySample();
        const QDate day(2026, 12, 1);
        const QString first = store::backupDaily(path, day).path;
        QCOMPARE(QFileInfo(first).fileName(), u"ShopData-2026-12-01.mdb"_s);
        QCOMPARE(store::Store(*store::Database::open(first)).components.count(),
            store::Store(*store::Database::open(path)).components.count());
        QCOMPARE(store::backupDaily(path, day).path, QString());
        for (int i = 1; i <= 6; ++i)
            QVERIFY(!store::backupDaily(path, day.addDays(i)).path.isEmpty());
        QCOMPARE(QDir(m_files.path(u"backups"_s)).entryList(QDir::Files, QDir::Name),
            QStringList({ "ShopData-2026-12-03.mdb", "ShopData-2026-12-04.mdb", "ShopData-2026-12-05.mdb",
                "ShopData-2026-12-06.mdb", "ShopData-2026-12-07.mdb" }));
    }

    // A write under way in another connection is either wholly in the copy or not at all.
    void consistentWhileWriting()
    {
        const QString path = m_files.copySample(u"Writing.mdb"_s);
        auto db = store::Database::open(path); // switches the file to its write-ahead log
        db->connection().transaction();
        store::Store(*db).cars.add({ .Description = u"Half written"_s });
        const QString copy = store::backupDaily(path, QDate(2026, 1, 1)).path;
        db->connection().rollback();
        QVERIFY(!copy.isEmpty());
        QVERIFY(!store::Store(*store::Database::open(copy)).cars.seek(u"Half written"_s));
    }

    // Backups dated ahead by a clock set wrong once: today's copy stays, the oldest made goes.
    void namesDatedAhead()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        QDir(files.dir().path()).mkdir(u"backups"_s);
        for (int i = 0; i < 5; ++i) {
            QFile f(files.path(u"backups/ShopData-2031-01-0%1.mdb"_s.arg(i + 1)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.setFileTime(QDateTime(QDate(2026, 11, 1 + i), QTime(9, 0)), QFileDevice::FileModificationTime);
        }
        QVERIFY(!store::backupDaily(path, QDate(2026, 12, 6)).path.isEmpty());
        QCOMPARE(QDir(files.path(u"backups"_s)).entryList(QDir::Files, QDir::Name),
            QStringList({ "ShopData-2026-12-06.mdb", "ShopData-2031-01-02.mdb", "ShopData-2031-01-03.mdb",
                "ShopData-2031-01-04.mdb", "ShopData-2031-01-05.mdb" }));
    }

    // A file named "backups" in the way: said, nothing made, and made at the next start once it is gone.
    void failureIsToldAndRetried()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        QFile blocker(files.path(u"backups"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const store::BackupOutcome failed = store::backupDaily(path, QDate(2026, 1, 1));
        QCOMPARE(failed.path, QString());
        QVERIFY2(failed.failure.contains(u"a file of that name is in the way"_s), qPrintable(failed.failure));
        QVERIFY(blocker.remove());
        const store::BackupOutcome retried = store::backupDaily(path, QDate(2026, 1, 1));
        QVERIFY(!retried.path.isEmpty() && retried.failure.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "TestBackup.moc"
