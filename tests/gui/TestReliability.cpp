// What happens to the user's data when the file is damaged, read-only or held by another
// program, and when what is typed is odd.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"
#include "gui/NotesEdit.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;
using testing::Peek;

class TestReliability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A file opened read-only is shown, but every change is refused with a message before
    // anything is opened for editing, and nothing is written. (A file without write permission
    // takes the same way; the program is tried on one, unprivileged, in TestFileSafety.)
    void readOnlyFile()
    {
        FormFixture f;
        const QString path = f.files().copySample();
        const QByteArray before = testing::contents(path);
        QVERIFY(f.start(path, store::OpenOptions { .readOnly = true }));
        f.showTab(5);
        f.pick(f.list(5), f.list(5)->itemData(0).toInt());
        for (int button : { 0, 4 }) { // Add, Delete
            gui::DialogSeam::reset();
            f.press(button);
            QCOMPARE(boxTexts().value(0),
                QStringLiteral("This database file is read-only: GearLog can show it but cannot change it."));
            QCOMPARE(f.buttonPattern().mid(2, 2), QStringLiteral("00")); // no Cancel or Save: nothing opened
        }
        f.stop();
        QCOMPARE(testing::contents(path), before);
    }

    // Starting the program makes the day's backup beside the database file. A server keeps its own
    // backups: none is tried, so no failure to make one is told either.
    void backupAtStart()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        QSettings settings(files.path(QStringLiteral("s.ini")), QSettings::IniFormat);
        auto session = app::startGearLog(path, settings);
        QVERIFY(session);
        if (testing::onServer()) {
            QTest::qWait(300);
            QVERIFY(!testing::labelText(session->window(), "sbStatusPanel1").contains(QStringLiteral("backup")));
            QVERIFY(!child<QAction>(session->window(), "mnuRestoreBackup")->isEnabled());
            return;
        }
        session.reset(); // waits for the backup
        const QString expected
            = QStringLiteral("backups/ShopData-%1.mdb").arg(QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(QFileInfo::exists(files.dir().filePath(expected)));
    }

    // Whatever is typed is stored and shown exactly, in a name and in the notes. When another
    // program holds the file, Save waits briefly, says so, and keeps the edit open with what was
    // typed, so that saving again once the file is free writes it.
    void savingASupplier_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("locked");
        QTest::newRow("backslash and percent") << QStringLiteral("C:\\parts\\50% off_%\tleft") << false;
        QTest::newRow("letters and emoji") << QStringLiteral("Żółć Ψ Кузов 車体 🚗✨") << false;
        QTest::newRow("blanks") << QStringLiteral("  padded  ") << false;
        QTest::newRow("file held by another program") << QStringLiteral("Locked Out Ltd") << true;
    }

    void savingASupplier()
    {
        QFETCH(QString, text);
        QFETCH(bool, locked);
        FormFixture f;
        const QString path = f.files().copySample();
        store::OpenOptions options;
        options.busyTimeoutMs = 200;
        QVERIFY(f.start(path, options));
        f.showTab(5);
        f.press(0);
        // Pasted rather than typed, as keys would move the focus on a tab.
        child<QLineEdit>(f.form(), "SupplierDisplayName")->setText(text);
        child<gui::NotesEdit>(f.form(), "SupplierNotes")->setText(text);
        if (locked) {
            const Peek other(path);
            other.holdWrites();
            f.press(3);
            QVERIFY2(boxTexts().size() == 1 && boxTexts().first().contains(QStringLiteral("in use by another program")),
                qPrintable(boxTexts().join(QLatin1Char('|'))));
            other.exec(QStringLiteral("ROLLBACK"));
            gui::DialogSeam::reset();
        }
        f.press(3);
        QVERIFY2(boxTexts().isEmpty(), qPrintable(boxTexts().join(QLatin1Char('|'))));
        const store::Key id = testing::pickedKey(f.list(5));
        QCOMPARE(f.peek().value("SELECT Name FROM Supplier WHERE supplierid = ?", { id }).toString(), text.left(30));
        QCOMPARE(child<gui::NotesEdit>(f.form(), "SupplierNotes")->text(), text);
    }
};

QTEST_MAIN(TestReliability)
#include "TestReliability.moc"
