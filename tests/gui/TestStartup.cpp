// Start-up: opening the database or refusing to, the first activation, re-initialisation and quit.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

using testing::child;
using testing::FormFixture;

namespace {

// Runs one statement on the file through a connection of its own.
void alterFile(const QString& path, const QString& sql)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("alter"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY2(q.exec(sql), qPrintable(sql));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("alter"));
}

QStringList shownTexts()
{
    QStringList texts;
    for (const gui::ShownBox& box : gui::DialogSeam::shownBoxes())
        texts << box.text;
    return texts;
}

bool anyMainWindowLeft()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("Form1"))
            return true;
    }
    return false;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        gui::DialogSeam::setTestMode(true);
        gui::DialogSeam::reset();
    }

    void refusesBadDatabases_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("mentions");

        QTest::newRow("missing file") << "missing" << "" << 14 << "does not exist";
        QTest::newRow("not a database") << "text" << "" << 26 << "not a database";
        QTest::newRow("empty file") << "empty" << "" << 17 << "'Car' is missing";
        QTest::newRow("missing table") << "sql" << "DROP TABLE Phase" << 17 << "'Phase' is missing";
        QTest::newRow("missing index") << "sql" << "DROP INDEX activity_index3" << 17 << "'activity_index3'";
        QTest::newRow("missing column") << "sql" << "ALTER TABLE Supplier DROP COLUMN Fax" << 17 << "'Fax'";
        QTest::newRow("cut off") << "truncated" << "" << 11 << "";
        QTest::newRow("random bytes") << "random" << "" << 26 << "not a database";
    }

    // Each failure shows the engine's error box, then the apology, and leaves no window and no new file.
    void refusesBadDatabases()
    {
        QFETCH(QString, damage);
        QFETCH(QString, sql);
        QFETCH(int, code);
        QFETCH(QString, mentions);

        testing::TestDatabase files;
        QString path = files.path(QStringLiteral("ShopData.mdb"));
        if (damage == QStringLiteral("text")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("These are my notes about the Mustang, not a database.\n");
        } else if (damage == QStringLiteral("empty")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (damage == QStringLiteral("sql")) {
            path = files.copySample();
            alterFile(path, sql);
        } else if (damage == QStringLiteral("truncated")) {
            path = files.copySample();
            QFile f(path);
            QVERIFY(f.resize(f.size() / 2));
        } else if (damage == QStringLiteral("random")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray noise(8192, '\0');
            quint32 x = 2463534242u; // a fixed sequence, the same every run
            for (char& c : noise) {
                x ^= x << 13;
                x ^= x >> 17;
                x ^= x << 5;
                c = char(x & 0xFF);
            }
            f.write(noise);
        }
        const QByteArray before = QFile::exists(path) ? [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }() : QByteArray();

        QSettings settings(files.path(QStringLiteral("s.ini")), QSettings::IniFormat);
        auto session = app::startGearLog(path, settings);
        QVERIFY(!session);
        QVERIFY(!anyMainWindowLeft());

        const QStringList texts = shownTexts();
        QVERIFY2(texts.size() >= 2, qPrintable(texts.join(QStringLiteral(" | "))));
        QVERIFY2(texts.first().startsWith(QStringLiteral("Error #%1\n  ").arg(code)), qPrintable(texts.first()));
        QVERIFY2(texts.first().contains(mentions), qPrintable(texts.first()));
        QVERIFY(texts.first().contains(QStringLiteral("\n  (Source: ")));
        QVERIFY(texts.first().endsWith(QStringLiteral("\nPress F1 to see topic 0\n  in the file Gear-Log.hlp.")));
        QCOMPARE(texts.last(), QStringLiteral("Sorry - the database could not be opened"));
        for (const gui::ShownBox& box : gui::DialogSeam::shownBoxes()) {
            QCOMPARE(box.buttons, gui::Buttons::Ok);
            QCOMPARE(box.title, QStringLiteral("GearLog"));
        }

        if (damage == QStringLiteral("missing")) {
            QVERIFY(!QFile::exists(path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), before);
        }
    }

    // Several faults at once are each reported in their own box, before the apology.
    void reportsEveryMissingPiece()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        alterFile(path, QStringLiteral("DROP TABLE Activity"));
        alterFile(path, QStringLiteral("DROP TABLE Supplier"));
        QSettings settings(files.path(QStringLiteral("s.ini")), QSettings::IniFormat);
        QVERIFY(!app::startGearLog(path, settings));
        const QStringList texts = shownTexts();
        QCOMPARE(texts.size(), 3);
        QVERIFY(texts.at(0).contains(QStringLiteral("'Supplier'")));
        QVERIFY(texts.at(1).contains(QStringLiteral("'Activity'")));
    }

    // Another program holding the file gives a message after the busy timeout, not a hang.
    void refusesLockedFile()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QSqlQuery q(other);
            QVERIFY(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));

            QSettings settings(files.path(QStringLiteral("s.ini")), QSettings::IniFormat);
            QElapsedTimer timer;
            timer.start();
            QVERIFY(!app::startGearLog(path, settings, store::OpenOptions { 200 }));
            QVERIFY(timer.elapsed() < 3000);
            const QStringList texts = shownTexts();
            QCOMPARE(texts.size(), 2);
            QVERIFY2(texts.first().startsWith(QStringLiteral("Error #5\n")), qPrintable(texts.first()));
            QVERIFY(q.exec(QStringLiteral("ROLLBACK")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    }

    void firstActivationOnSample()
    {
        FormFixture f;
        QVERIFY(f.start());
        QMainWindow& w = f.form();
        QCOMPARE(w.windowTitle(), QStringLiteral("Gear-Log"));
        QVERIFY(w.isVisible());
        QCOMPARE(gui::listText(child<QComboBox>(w, "carDescription")), QStringLiteral("<Select A Project Car>"));
        QCOMPARE(child<QComboBox>(w, "carDescription")->currentIndex(), -1);
        QCOMPARE(child<QComboBox>(w, "carDescription")->count(), 1);
        QCOMPARE(child<QComboBox>(w, "carDescription")->itemData(0).toInt(), 1);
        QVERIFY(child<QComboBox>(w, "carDescription")->isEnabled());
        QCOMPARE(f.panelText(1), QStringLiteral("Select A Project From The 'Car' Tab"));
        QCOMPARE(f.panelText(2), QStringLiteral("CAR"));
        QCOMPARE(f.panelText(3), QStringLiteral("Entries =  1"));
        QCOMPARE(f.buttonPattern(), QStringLiteral("100001"));
        QCOMPARE(child<QTabWidget>(w, "tbproject")->currentIndex(), 0);
        QVERIFY(child<QTabWidget>(w, "tbproject")->isEnabled());
        QVERIFY(!child<QTabWidget>(w, "TbDisplay")->isEnabled());
        QCOMPARE(child<QTabWidget>(w, "TbDisplay")->currentIndex(), 0);
        QVERIFY(child<QComboBox>(w, "SupplierName")->count() >= 5);
        QCOMPARE(gui::listText(child<QComboBox>(w, "SupplierName")), QStringLiteral("<Select A Supplier>"));
        QCOMPARE(child<QComboBox>(w, "SupplierName")->count(),
            testing::Peek(f.databasePath()).count("SELECT COUNT(*) FROM Supplier"));
        QCOMPARE(child<QComboBox>(w, "ComponentSupplierName")->count(), child<QComboBox>(w, "SupplierName")->count());
        QCOMPARE(gui::listText(child<QComboBox>(w, "ComponentSupplierName")), QString());
        for (QComboBox* status : { child<QComboBox>(w, "AssemblyStatus"), child<QComboBox>(w, "ComponentStatus"),
                 child<QComboBox>(w, "phaseStatus"), child<QComboBox>(w, "ActivityStatus") }) {
            QCOMPARE(status->count(), 4);
            QCOMPARE(status->itemText(0), QStringLiteral("Not Started"));
            QCOMPARE(status->itemText(3), QStringLiteral("On Hold"));
            QCOMPARE(status->currentIndex(), -1);
        }
        QVERIFY(gui::DialogSeam::shownBoxes().isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void firstActivationWithoutCars()
    {
        FormFixture f;
        QVERIFY(f.start(f.files().createEmpty()));
        QMainWindow& w = f.form();
        QCOMPARE(gui::listText(child<QComboBox>(w, "carDescription")), QStringLiteral("<No Entries>"));
        QCOMPARE(child<QComboBox>(w, "carDescription")->count(), 0);
        QVERIFY(!child<QComboBox>(w, "carDescription")->isEnabled());
        QCOMPARE(f.panelText(3), QStringLiteral("Entries =  0"));
        QCOMPARE(f.buttonPattern(), QStringLiteral("100001"));
        QCOMPARE(gui::listText(child<QComboBox>(w, "SupplierName")), QStringLiteral("<No Entries>"));
        QVERIFY(!child<QComboBox>(w, "SupplierName")->isEnabled());
        QCOMPARE(child<QComboBox>(w, "SupplierName")->count(), 0);
    }

    // Cars come in description order whatever order they were added in, ties by key, case ignored.
    void carListOrder()
    {
        FormFixture f;
        const QString path = f.files().copySample();
        alterFile(path, QStringLiteral("INSERT INTO Car (Description) VALUES ('zephyr project')"));
        alterFile(path, QStringLiteral("INSERT INTO Car (Description) VALUES ('Austin Healey')"));
        alterFile(path, QStringLiteral("INSERT INTO Car (Description) VALUES ('austin healey')"));
        QVERIFY(f.start(path));
        QMainWindow& w = f.form();
        QCOMPARE(child<QComboBox>(w, "carDescription")->count(), 4);
        QCOMPARE(child<QComboBox>(w, "carDescription")->itemData(0).toInt(), 1); // its name starts with a digit
        QCOMPARE(child<QComboBox>(w, "carDescription")->itemText(1), QStringLiteral("Austin Healey"));
        QCOMPARE(child<QComboBox>(w, "carDescription")->itemText(2), QStringLiteral("austin healey"));
        QVERIFY(child<QComboBox>(w, "carDescription")->itemData(1).toInt()
            < child<QComboBox>(w, "carDescription")->itemData(2).toInt());
        QCOMPARE(child<QComboBox>(w, "carDescription")->itemText(3), QStringLiteral("zephyr project"));
        QCOMPARE(f.panelText(3), QStringLiteral("Entries =  4"));
    }

    // After the date window changed dates the editor starts over; otherwise activation changes nothing.
    void reactivation()
    {
        FormFixture f;
        QVERIFY(f.start());
        QMainWindow& w = f.form();
        f.openCar(1);
        f.showTab(5);
        f.pick(child<QComboBox>(w, "SupplierName"), child<QComboBox>(w, "SupplierName")->itemData(0).toInt());
        const QString status = f.panelText(1);

        // Another window comes and goes.
        const auto reactivate = [&w] {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            other.close();
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
        };
        reactivate();
        QCOMPARE(child<QLineEdit>(w, "projectDescription")->text(), QStringLiteral("1956 F-100 Pickup"));
        QCOMPARE(child<QTabWidget>(w, "tbproject")->currentIndex(), 5);
        QCOMPARE(f.panelText(1), status);
        QCOMPARE(f.buttonPattern(), QStringLiteral("110011"));
    }

    void quitClosesTheWindow_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("Quit button") << false;
        QTest::newRow("File Exit") << true;
    }

    void quitClosesTheWindow()
    {
        QFETCH(bool, fromMenu);
        FormFixture f;
        QVERIFY(f.start());
        QMainWindow& w = f.form();
        if (fromMenu)
            child<QAction>(w, "mnuExit")->trigger();
        else
            QTest::mouseClick(child<QPushButton>(w, "cmdButton5"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(gui::DialogSeam::shownBoxes().isEmpty());
    }

    // Closing the window mid-edit would throw away what was typed.
    void closeRefusedWhileEditing()
    {
        FormFixture f;
        QVERIFY(f.start());
        QMainWindow& w = f.form();
        f.press(0); // Add
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(gui::DialogSeam::shownBoxes().size(), 1);
        f.press(2); // Cancel
        QVERIFY(w.close());
    }
};

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
