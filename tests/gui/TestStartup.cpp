// Start-up: opening the database or refusing to, the first activation, re-activation and quit.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

using testing::boxTexts;
using testing::child;
using testing::contents;
using testing::FormFixture;

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
        // "half" of a copy of the sample, the copy "locked" by another program, or "text:" alone
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("mentions"); // in the first box
        QTest::addColumn<int>("boxes"); // the apology included
        // clang-format off
        QTest::newRow("missing file") << "" << 14 << "does not exist" << 2;
        QTest::newRow("not a database") << "text:My notes on the Mustang.\n" << 26 << "not a database" << 2;
        QTest::newRow("empty file") << "text:" << 17 << "'Car' is missing" << 7; // each table
        QTest::newRow("cut off") << "half" << 11 << "" << 2;
        QTest::newRow("held by another program") << "locked" << 5 << "" << 2;
        // clang-format on
    }

    // Each fault is shown in a box of its own, then the apology, a held file after the busy timeout
    // rather than a hang; no window is left and the file is not changed (nor made, when missing).
    void refusesBadDatabases()
    {
        QFETCH(QString, damage);
        QFETCH(int, code);
        QFETCH(QString, mentions);
        testing::TestDatabase files;
        QString path = files.path("ShopData.mdb");
        std::optional<testing::Peek> holder; // another program
        if (damage.startsWith("text:")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(damage.mid(5).toUtf8());
        } else if (!damage.isEmpty()) {
            path = files.copySample();
            if (damage == "half")
                QVERIFY(QFile(path).resize(QFileInfo(path).size() / 2));
            else
                holder.emplace(path).exec("BEGIN EXCLUSIVE");
        }
        const QByteArray before = contents(path);

        QSettings settings(files.path("s.ini"), QSettings::IniFormat);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!app::startGearLog(path, settings, store::OpenOptions { 200 }));
        QVERIFY(timer.elapsed() < 3000);
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

    void firstActivation_data()
    {
        QTest::addColumn<bool>("empty");
        QTest::newRow("sample and cars of ours") << false;
        QTest::newRow("no rows at all") << true;
    }

    // The lists hold what the file holds, and are locked when it holds nothing; nothing is picked,
    // so only Add and Quit are offered.
    void firstActivation()
    {
        QFETCH(bool, empty);
        FormFixture f;
        const QString path = empty ? f.files().createEmpty() : f.files().copySample();
        if (!empty)
            testing::Peek(path).exec("INSERT INTO Car (Description) VALUES ('Zephyr'), ('austin healey')");
        QVERIFY(f.start(path));
        auto* suppliers = child<QComboBox>(f.form(), "SupplierName");
        auto* cars = child<QComboBox>(f.form(), "carDescription");
        QCOMPARE(suppliers->count(), f.peek().count("SELECT COUNT(*) FROM Supplier"));
        QCOMPARE(cars->count(), f.peek().count("SELECT COUNT(*) FROM Car"));
        QCOMPARE(cars->itemText(1), empty ? "" : "austin healey"); // by description, not by key nor by code
        QVERIFY(cars->isEnabled() == !empty && suppliers->isEnabled() == !empty);
        QVERIFY(cars->currentIndex() == -1 && suppliers->currentIndex() == -1);
        QCOMPARE(f.buttonPattern(), "100001");
        QVERIFY(!child<QTabWidget>(f.form(), "TbDisplay")->isEnabled());
        QCOMPARE(boxTexts(), QStringList());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Another window coming and going leaves an edit as it was; closing the window mid-edit would
    // throw away what was typed, so it stays; after Cancel, Quit closes it.
    void reactivationAndQuit()
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
        QVERIFY(!f.form().close());
        QCOMPARE(boxTexts().size(), 1);
        f.press(2); // Cancel
        f.press(5); // Quit
        QVERIFY(!f.form().isVisible());
        QCOMPARE(boxTexts().size(), 1);
    }
};

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
