// What happens to the user's data when the file is damaged, read-only or held by another
// program, and when what is typed is odd.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"
#include "gui/NotesEdit.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

#include <unistd.h>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;
using testing::Peek;

class TestReliability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A file opened read-only, or without write permission, is shown, but every change is refused
    // with a message before anything is opened for editing, and nothing is written.
    void readOnlyFile_data()
    {
        QTest::addColumn<bool>("byPermission");
        QTest::newRow("opened read-only") << false;
        QTest::newRow("no write permission") << true;
    }

    void readOnlyFile()
    {
        QFETCH(bool, byPermission);
        if (byPermission && geteuid() == 0)
            QSKIP("the superuser may write any file");
        FormFixture f;
        const QString path = f.files().copySample();
        store::OpenOptions options;
        options.readOnly = !byPermission;
        if (byPermission)
            QFile::setPermissions(path, QFile::ReadOwner);
        const QByteArray before = [&] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QVERIFY(f.start(path, options));
        f.showTab(5);
        f.pick(child<QComboBox>(f.form(), "SupplierName"),
            child<QComboBox>(f.form(), "SupplierName")->itemData(0).toInt());
        for (int button : { 0, 4 }) { // Add, Delete
            gui::DialogSeam::reset();
            f.press(button);
            QCOMPARE(boxTexts(),
                QStringList { QStringLiteral("This database file is read-only: GearLog can show it but cannot change "
                                             "it.") });
            QCOMPARE(f.buttonPattern().mid(2, 2), QStringLiteral("00")); // no Cancel or Save: nothing opened
        }
        f.stop();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    // Another program holds the file: Save waits briefly, says so, and keeps the edit open, so that
    // saving again once the file is free writes it.
    void lockedWhileSaving()
    {
        FormFixture f;
        const QString path = f.files().copySample();
        store::OpenOptions options;
        options.busyTimeoutMs = 200;
        QVERIFY(f.start(path, options));
        f.showTab(5);
        f.press(0);
        f.type(child<QLineEdit>(f.form(), "SupplierDisplayName"), QStringLiteral("Locked Out Ltd"));
        {
            const Peek other(path);
            other.exec(QStringLiteral("BEGIN EXCLUSIVE"));
            gui::DialogSeam::reset();
            f.press(3);
            QCOMPARE(boxTexts().size(), 1);
            QVERIFY2(boxTexts().first().contains(QStringLiteral("in use by another program")),
                qPrintable(boxTexts().first()));
            QCOMPARE(f.buttonPattern(), QStringLiteral("001100"));
            QCOMPARE(child<QLineEdit>(f.form(), "SupplierDisplayName")->text(), QStringLiteral("Locked Out Ltd"));
            other.exec(QStringLiteral("ROLLBACK"));
        }
        f.press(3);
        QCOMPARE(f.buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(Peek(path).count(QStringLiteral("SELECT COUNT(*) FROM Supplier WHERE Name = 'Locked Out Ltd'")), 1);
    }

    // Starting the program makes the day's backup beside the database.
    void backupAtStart()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        QSettings settings(files.path(QStringLiteral("s.ini")), QSettings::IniFormat);
        QVERIFY(app::startGearLog(path, settings));
        const QString expected
            = QStringLiteral("backups/ShopData-%1.mdb").arg(QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(QFileInfo::exists(files.dir().filePath(expected)));
    }

    void oddTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("backslash and percent") << QStringLiteral("C:\\parts\\50% off_%\tleft");
        QTest::newRow("letters and emoji") << QStringLiteral("Żółć Ψ Кузов 車体 🚗✨");
        QTest::newRow("blanks") << QStringLiteral("  padded  ");
    }

    // Whatever is typed is stored and shown exactly, in a name, an address and the notes.
    void oddTexts()
    {
        QFETCH(QString, text);
        FormFixture f;
        QVERIFY(f.start());
        f.showTab(5);
        f.press(0);
        // Pasted rather than typed, as keys would move the focus on a tab.
        child<QLineEdit>(f.form(), "SupplierDisplayName")->setText(text);
        child<QLineEdit>(f.form(), "supplieraddress1")->setText(text.left(30));
        child<gui::NotesEdit>(f.form(), "SupplierNotes")->setText(text);
        f.press(3);
        QVERIFY2(boxTexts().isEmpty(), qPrintable(boxTexts().join(QLatin1Char('|'))));
        const qint32 id = testing::pickedKey(child<QComboBox>(f.form(), "SupplierName"));
        const Peek peek(f.databasePath());
        QCOMPARE(peek.value(QStringLiteral("SELECT Name FROM Supplier WHERE supplierid = ?"), { id }).toString(),
            text.left(30));
        QCOMPARE(peek.value(QStringLiteral("SELECT address1 FROM Supplier WHERE supplierid = ?"), { id }).toString(),
            text.left(30));
        QCOMPARE(peek.count(QStringLiteral("SELECT COUNT(*) FROM Car")), 1);
        QCOMPARE(child<QComboBox>(f.form(), "SupplierName")->currentText(), text.left(30));
        QCOMPARE(child<gui::NotesEdit>(f.form(), "SupplierNotes")->text(), text);
    }
};

QTEST_MAIN(TestReliability)
#include "TestReliability.moc"
