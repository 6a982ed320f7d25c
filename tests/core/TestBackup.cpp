// The daily backup beside the database.

#include "store/Backup.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <unistd.h>

class TestBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oncePerDayKeepingFive()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        const QDir backups(files.dir().filePath(QStringLiteral("backups")));
        QDate day(2026, 12, 1);
        const QString first = store::backupDaily(path, day);
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("ShopData-2026-12-01.mdb"));
        // The copy is a database of its own with the same projects.
        {
            auto copy = store::Database::open(first);
            QCOMPARE(store::Store(*copy).components.count(), store::Store(*store::Database::open(path)).components.count());
        }
        QCOMPARE(store::backupDaily(path, day), QString()); // once a day
        for (int i = 1; i <= 6; ++i)
            QVERIFY(!store::backupDaily(path, day.addDays(i)).isEmpty());
        const QStringList kept = backups.entryList(QDir::Files, QDir::Name);
        QCOMPARE(kept, QStringList({ "ShopData-2026-12-03.mdb", "ShopData-2026-12-04.mdb", "ShopData-2026-12-05.mdb",
                                     "ShopData-2026-12-06.mdb", "ShopData-2026-12-07.mdb" }));
    }

    // A write under way in another connection is either wholly in the copy or not at all.
    void consistentWhileWriting()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        auto db = store::Database::open(path); // switches the file to its write-ahead log
        const store::Store s(*db);
        db->connection().transaction();
        store::Car car;
        car.Description = QStringLiteral("Half written");
        s.cars.add(car);
        const QString copy = store::backupDaily(path, QDate(2026, 1, 1));
        db->connection().rollback();
        QVERIFY(!copy.isEmpty());
        auto restored = store::Database::open(copy);
        QVERIFY(!store::Store(*restored).cars.seek(QStringLiteral("Half written")));
    }

    void folderNotWritable()
    {
        if (geteuid() == 0)
            QSKIP("the superuser may write any folder");
        testing::TestDatabase files;
        const QString path = files.copySample();
        QFile::setPermissions(files.dir().path(), QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(store::backupDaily(path, QDate(2026, 1, 1)), QString());
        QFile::setPermissions(files.dir().path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "TestBackup.moc"
