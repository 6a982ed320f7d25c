// Start-up: opening the database or refusing to, the first activation, re-activation and quit.

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
#include <QtTest>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
        QTest::addColumn<QString>("damage"); // SQL run on a copy of the sample, or the file's new bytes
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("mentions"); // in the first box
        QTest::addColumn<int>("boxes"); // the apology included
        QTest::newRow("missing file") << "" << 14 << "does not exist" << 2;
        QTest::newRow("not a database") << "text:My notes about the Mustang, not a database.\n"
                                        << 26 << "not a database" << 2;
        QTest::newRow("empty file") << "text:" << 17 << "'Car' is missing" << 7; // each table
        QTest::newRow("cut off") << "half" << 11 << "" << 2;
        QTest::newRow("missing table") << "DROP TABLE Phase" << 17 << "'Phase' is missing" << 2;
        QTest::newRow("two tables missing") << "DROP TABLE Activity;DROP TABLE Supplier" << 17 << "'Supplier'" << 3;
    }

    // Each fault is shown in a box of its own, then the apology; no window is left and the file is
    // not changed (nor made, when missing).
    void refusesBadDatabases()
    {
        QFETCH(QString, damage);
        QFETCH(int, code);
        QFETCH(QString, mentions);
        QFETCH(int, boxes);
        testing::TestDatabase files;
        QString path = files.path(QStringLiteral("ShopData.mdb"));
        if (damage.startsWith(QLatin1String("text:"))) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(damage.mid(5).toUtf8());
        } else if (damage == QLatin1String("half")) {
            path = files.copySample();
            QVERIFY(QFile(path).resize(QFileInfo(path).size() / 2));
        } else if (!damage.isEmpty()) {
            path = files.copySample();
            for (const QString& sql : damage.split(QLatin1Char(';')))
                testing::Peek(path).exec(sql);
        }
        const QByteArray before = contents(path);

        QSettings settings(files.path(QStringLiteral("s.ini")), QSettings::IniFormat);
        QVERIFY(!app::startGearLog(path, settings));
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != QLatin1String("Form1"));
        const QStringList texts = boxTexts();
        QCOMPARE(texts.size(), boxes);
        QVERIFY2(texts.first().startsWith(QStringLiteral("Error #%1\n").arg(code)), qPrintable(texts.first()));
        QVERIFY2(texts.first().contains(mentions), qPrintable(texts.first()));
        QCOMPARE(texts.last(), QStringLiteral("Sorry - the database could not be opened"));
        QCOMPARE(QFile::exists(path), !damage.isEmpty());
        QCOMPARE(contents(path), before);
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
            QCOMPARE(boxTexts().size(), 2);
            QVERIFY2(boxTexts().first().startsWith(QStringLiteral("Error #5\n")), qPrintable(boxTexts().first()));
            QVERIFY(q.exec(QStringLiteral("ROLLBACK")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    }

    void firstActivation_data()
    {
        QTest::addColumn<bool>("empty");
        QTest::newRow("sample") << false;
        QTest::newRow("no rows at all") << true;
    }

    // The lists hold what the file holds (and are locked when it holds nothing); no record is
    // picked, so only Add and Quit are offered and the project trees wait for a car.
    void firstActivation()
    {
        QFETCH(bool, empty);
        FormFixture f;
        QVERIFY(f.start(empty ? f.files().createEmpty() : QString()));
        const testing::Peek p(f.databasePath());
        const std::pair<const char*, const char*> lists[]
            = { { "carDescription", "Car" }, { "SupplierName", "Supplier" } };
        for (const auto& [list, table] : lists) {
            auto* box = child<QComboBox>(f.form(), list);
            QCOMPARE(box->count(), p.count(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)));
            QCOMPARE(box->isEnabled(), !empty);
            QCOMPARE(box->currentIndex(), -1);
        }
        QCOMPARE(gui::listText(child<QComboBox>(f.form(), "carDescription")),
            empty ? QStringLiteral("<No Entries>") : QStringLiteral("<Select A Project Car>"));
        QCOMPARE(f.buttonPattern(), QStringLiteral("100001"));
        QVERIFY(!child<QTabWidget>(f.form(), "TbDisplay")->isEnabled());
        QCOMPARE(boxTexts(), QStringList());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Cars come in description order whatever order they were added in, ties by key, case ignored.
    void carListOrder()
    {
        FormFixture f;
        const QString path = f.files().copySample();
        testing::Peek(path).exec("INSERT INTO Car (Description) VALUES ('zephyr project'), ('Austin Healey'), "
                                 "('austin healey')");
        QVERIFY(f.start(path));
        auto* cars = child<QComboBox>(f.form(), "carDescription");
        QStringList shown;
        for (int i = 0; i < cars->count(); ++i)
            shown << cars->itemText(i);
        QCOMPARE(shown.mid(1), QStringList({ "Austin Healey", "austin healey", "zephyr project" }));
        QVERIFY(cars->itemData(1).toInt() < cars->itemData(2).toInt());
    }

    // Another window coming and going leaves the editor where it was.
    void reactivation()
    {
        FormFixture f;
        QVERIFY(f.start());
        QMainWindow& w = f.form();
        f.openCar(1);
        f.showTab(5);
        f.pick(child<QComboBox>(w, "SupplierName"), child<QComboBox>(w, "SupplierName")->itemData(0).toInt());
        {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(f.carID(), 1);
        QCOMPARE(child<QTabWidget>(w, "tbproject")->currentIndex(), 5);
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
        if (fromMenu)
            child<QAction>(f.form(), "mnuExit")->trigger();
        else
            f.press(5);
        QVERIFY(!f.form().isVisible());
        QCOMPARE(boxTexts(), QStringList());
    }

    // Closing the window mid-edit would throw away what was typed.
    void closeRefusedWhileEditing()
    {
        FormFixture f;
        QVERIFY(f.start());
        f.press(0); // Add
        QVERIFY(!f.form().close());
        QVERIFY(f.form().isVisible());
        QCOMPARE(boxTexts().size(), 1);
        f.press(2); // Cancel
        QVERIFY(f.form().close());
    }
};

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
