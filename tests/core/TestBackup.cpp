// The daily backup beside the database.

#include "store/Backup.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QtTest>

#include <unistd.h>

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
        const QString first = store::backupDaily(path, day);
        QCOMPARE(QFileInfo(first).fileName(), u"ShopData-2026-12-01.mdb"_s);
        QCOMPARE(store::Store(*store::Database::open(first)).components.count(),
            store::Store(*store::Database::open(path)).components.count());
        QCOMPARE(store::backupDaily(path, day), QString());
        for (int i = 1; i <= 6; ++i)
            QVERIFY(!store::backupDaily(path, day.addDays(i)).isEmpty());
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
        const QString copy = store::backupDaily(path, QDate(2026, 1, 1));
        db->connection().rollback();
        QVERIFY(!copy.isEmpty());
        QVERIFY(!store::Store(*store::Database::open(copy)).cars.seek(u"Half written"_s));
    }

    void folderNotWritable()
    {
        if (geteuid() == 0)
            QSKIP("the superuser may write any folder");
        testing::TestDatabase files; // a folder of its own, without a backups folder yet
        const QString path = files.copySample();
        QFile::setPermissions(files.dir().path(), QFile::ReadOwner | QFile::ExeOwner);
        const QString copy = store::backupDaily(path, QDate(2026, 1, 1));
        QFile::setPermissions(files.dir().path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(copy, QString());
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "TestBackup.moc"
