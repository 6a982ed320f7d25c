// File > Restore Backup: the chosen backup replaces the database, which is set aside whole, and
// the window opens again on it.

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestRestoreWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restoreFromTheWindow()
    {
        gui::DialogSeam::setTestMode(true);
        testing::TestDatabase files;
        const QString path = files.copySample();
        QVERIFY(QDir(files.dir().path()).mkdir(u"backups"_s));
        QVERIFY(QFile::copy(path, files.path(u"backups/ShopData-2026-01-01.mdb"_s)));
        store::Store(*store::Database::open(path)).cars.add({ .Description = u"After the backup"_s });
        QSettings settings(files.path(u"s.ini"_s), QSettings::IniFormat);
        auto session = app::startGearLog(path, settings, {}, false);
        app::handleRestores(session, settings);
        QTRY_VERIFY(session->window().isStarted());
        const QPointer<QWidget> before = &session->window();

        session->window().findChild<QAction*>(u"mnuRestoreBackup"_s)->trigger();
        auto* form = session->window().findChild<QDialog*>(u"RestoreBackupForm"_s);
        auto* list = form->findChild<QListWidget*>(u"BackupList"_s);
        QCOMPARE(list->count(), 1);
        QVERIFY2(list->item(0)->text().contains(u"1 project    ShopData-2026-01-01.mdb"_s),
            qPrintable(list->item(0)->text()));
        auto* restore = form->findChild<QPushButton*>(u"cmdRestore"_s);
        QVERIFY(!restore->isEnabled()); // nothing picked yet
        list->setCurrentRow(0);
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        QTest::mouseClick(restore, Qt::LeftButton);

        QTRY_VERIFY(!before && session && session->window().isStarted()); // a window of its own
        QVERIFY(!store::Store(session->database()).cars.seek(u"After the backup"_s));
        QVERIFY(!QFileInfo::exists(path + u"-wal"_s) || QFileInfo(path + u"-wal"_s).size() == 0);
        const QStringList aside = QDir(files.path(u"backups"_s)).entryList({ u"ShopData-before-restore-*.mdb"_s });
        QCOMPARE(aside.size(), 1);
        QVERIFY(store::Store(*store::Database::open(files.path(u"backups/"_s + aside.first())))
                    .cars.seek(u"After the backup"_s));
        QVERIFY(gui::DialogSeam::shownBoxes().last().text.startsWith(
            u"The backup 'ShopData-2026-01-01.mdb' is restored."_s));
    }
};

QTEST_MAIN(TestRestoreWindow)
#include "TestRestoreWindow.moc"
