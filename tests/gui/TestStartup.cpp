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
        QTest::addColumn<QString>("damage"); // SQL run on a copy of the sample, "half" of it, or "text:" alone
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("mentions"); // in the first box
        QTest::addColumn<int>("boxes"); // the apology included
        // clang-format off
        QTest::newRow("missing file") << "" << 14 << "does not exist" << 2;
        QTest::newRow("not a database") << "text:My notes on the Mustang.\n" << 26 << "not a database" << 2;
        QTest::newRow("empty file") << "text:" << 17 << "'Car' is missing" << 7; // each table
        QTest::newRow("cut off") << "half" << 11 << "" << 2;
        QTest::newRow("missing table") << "DROP TABLE Phase" << 17 << "'Phase' is missing" << 2;
        QTest::newRow("two tables missing") << "DROP TABLE Activity;DROP TABLE Supplier" << 17 << "'Supplier'" << 3;
        // clang-format on
    }

    // Each fault is shown in a box of its own, then the apology; no window is left and the file is
    // not changed (nor made, when missing).
    void refusesBadDatabases()
    {
        QFETCH(QString, damage);
        QFETCH(int, code);
        QFETCH(QString, mentions);
        testing::TestDatabase files;
        QString path = files.path("ShopData.mdb");
        if (damage.startsWith("text:")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(damage.mid(5).toUtf8());
        } else if (!damage.isEmpty()) {
            path = files.copySample();
            if (damage == "half")
                QVERIFY(QFile(path).resize(QFileInfo(path).size() / 2));
            else
                for (const QString& sql : damage.split(QLatin1Char(';')))
                    testing::Peek(path).exec(sql);
        }
        const QByteArray before = contents(path);

        QSettings settings(files.path("s.ini"), QSettings::IniFormat);
        QVERIFY(!app::startGearLog(path, settings));
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != "Form1");
        const QStringList texts = boxTexts();
        QTEST(int(texts.size()), "boxes");
        QVERIFY2(texts.first().startsWith(QStringLiteral("Error #%1\n").arg(code)), qPrintable(texts.first()));
        QVERIFY2(texts.first().contains(mentions), qPrintable(texts.first()));
        QCOMPARE(texts.last(), "Sorry - the database could not be opened");
        QCOMPARE(QFile::exists(path), !damage.isEmpty());
        QCOMPARE(contents(path), before);
    }

    // Another program holding the file gives a message after the busy timeout, not a hang.
    void refusesLockedFile()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "holder");
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QSqlQuery q(other);
            QVERIFY(q.exec("BEGIN EXCLUSIVE"));
            QSettings settings(files.path("s.ini"), QSettings::IniFormat);
            QElapsedTimer timer;
            timer.start();
            QVERIFY(!app::startGearLog(path, settings, store::OpenOptions { 200 }));
            QVERIFY(timer.elapsed() < 3000);
            QCOMPARE(boxTexts().size(), 2);
            QVERIFY2(boxTexts().first().startsWith("Error #5\n"), qPrintable(boxTexts().first()));
            QVERIFY(q.exec("ROLLBACK"));
        }
        QSqlDatabase::removeDatabase("holder");
    }

    void firstActivation_data()
    {
        QTest::addColumn<bool>("empty");
        QTest::newRow("sample and cars of ours") << false;
        QTest::newRow("no rows at all") << true;
    }

    // The lists hold what the file holds, cars by description (case ignored, ties by key), and are
    // locked when it holds nothing; nothing is picked, so only Add and Quit are offered.
    void firstActivation()
    {
        QFETCH(bool, empty);
        FormFixture f;
        const QString path = empty ? f.files().createEmpty() : f.files().copySample();
        if (!empty)
            testing::Peek(path).exec(
                "INSERT INTO Car (Description) VALUES ('zephyr'), ('Austin Healey'), ('austin healey')");
        QVERIFY(f.start(path));
        const testing::Peek p(path);
        for (const char* table : { "Car", "Supplier" }) {
            auto* list = child<QComboBox>(f.form(), table == QLatin1String("Car") ? "carDescription" : "SupplierName");
            QCOMPARE(list->count(), p.count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)));
            QCOMPARE(list->isEnabled(), !empty);
            QCOMPARE(list->currentIndex(), -1);
        }
        auto* cars = child<QComboBox>(f.form(), "carDescription");
        QStringList names;
        for (int i = 0; i < cars->count(); ++i)
            names << cars->itemText(i);
        QCOMPARE(names.join(QLatin1Char('|')), empty ? "" : "1956 F-100 Pickup|Austin Healey|austin healey|zephyr");
        QVERIFY(empty || cars->itemData(1).toInt() < cars->itemData(2).toInt());
        QCOMPARE(f.buttonPattern(), "100001");
        QVERIFY(!child<QTabWidget>(f.form(), "TbDisplay")->isEnabled());
        QCOMPARE(boxTexts(), QStringList());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Another window coming and going leaves an edit as it was.
    void reactivationKeepsTheEdit()
    {
        FormFixture f;
        QVERIFY(f.start());
        f.press(0); // Add
        f.type(child<QLineEdit>(f.form(), "CarDisplayDescription"), "Half typed");
        {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        f.form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.form()));
        QCOMPARE(child<QLineEdit>(f.form(), "CarDisplayDescription")->text(), "Half typed");
        QCOMPARE(f.buttonPattern(), "001100");
    }

    // Closing the window mid-edit would throw away what was typed; otherwise Quit closes it.
    void quitting()
    {
        FormFixture f;
        QVERIFY(f.start());
        f.press(0); // Add
        QVERIFY(!f.form().close());
        QVERIFY(f.form().isVisible());
        QCOMPARE(boxTexts().size(), 1);
        f.press(2); // Cancel
        f.press(5); // Quit
        QVERIFY(!f.form().isVisible());
        QCOMPARE(boxTexts().size(), 1);
    }
};

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
