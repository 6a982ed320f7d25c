// The copy window, on its own and opened from File > Copy Project, and what the main window
// shows afterwards.

#include "support/FormFixture.h"
#include "support/Modal.h"
#include "support/Peek.h"

#include "copy/CopyForm.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "store/Store.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <functional>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;
using testing::Peek;

namespace {

void pick(QComboBox* list, qint32 key)
{
    const int index = list->findData(key);
    QVERIFY(index >= 0);
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

} // namespace

class TestCopyWindow : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    QMainWindow& w() { return m_f->form(); }
    Peek peek() { return Peek(m_f->databasePath()); }
    qint64 cars() { return peek().count(QStringLiteral("SELECT COUNT(*) FROM Car")); }

    // Opens the copy window from the menu and lets the user work in it; answers whether it was there.
    // A window the user leaves open is closed as Quit would.
    bool fromMenu(const std::function<void(copy::copyForm&)>& user)
    {
        return testing::inModal<copy::copyForm>([this] { child<QAction>(w(), "mnucopy")->trigger(); }, user);
    }

    // Picks the project and types the name as a user would, then presses Copy.
    static void copyAs(copy::copyForm& window, qint32 source, const QString& name)
    {
        pick(child<QComboBox>(window, "cboFromName"), source);
        QTest::keyClicks(child<QLineEdit>(window, "txtToName"), name);
        QTest::mouseClick(child<QPushButton>(window, "cmdApplyCopy"), Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        m_f = new FormFixture;
        QVERIFY(m_f->start());
    }

    void cleanup()
    {
        delete m_f;
        m_f = nullptr;
    }

    // Opening: every project listed with its key, none chosen, Copy disabled.
    void opening()
    {
        QVERIFY(fromMenu([](copy::copyForm& window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("Copy Project"));
            QVERIFY(window.isModal());
            QCOMPARE(child<QComboBox>(window, "cboFromName")->count(), 1);
            QCOMPARE(child<QComboBox>(window, "cboFromName")->itemData(0).toInt(), 1);
            QCOMPARE(
                gui::listText(child<QComboBox>(window, "cboFromName")), QStringLiteral("<Select A Project To Copy>"));
            QVERIFY(child<QComboBox>(window, "cboFromName")->isEnabled());
            QVERIFY(!child<QPushButton>(window, "cmdApplyCopy")->isEnabled());
            QVERIFY(child<QPushButton>(window, "cmdCancelCopy")->isEnabled());
            QCOMPARE(child<QPushButton>(window, "cmdApplyCopy")->text(), QStringLiteral("Copy"));
            QCOMPARE(child<QPushButton>(window, "cmdCancelCopy")->text(), QStringLiteral("Quit"));
            QVERIFY(child<QLineEdit>(window, "txtCopyStatus")->isReadOnly());
            QVERIFY(child<QLineEdit>(window, "txtCopyStatus")->text().isEmpty());
        }));
    }

    // A database without projects offers nothing to copy.
    void noProjects()
    {
        m_f->stop();
        QVERIFY(m_f->start(m_f->files().createEmpty()));
        QVERIFY(fromMenu([](copy::copyForm& window) {
            QCOMPARE(gui::listText(child<QComboBox>(window, "cboFromName")), QStringLiteral("<No Entries>"));
            QVERIFY(!child<QComboBox>(window, "cboFromName")->isEnabled());
            QVERIFY(!child<QPushButton>(window, "cmdApplyCopy")->isEnabled());
            QVERIFY(child<QPushButton>(window, "cmdCancelCopy")->isEnabled());
        }));
    }

    // Typing a name enables Copy; emptying the box says a name is needed each time, and Copy stays.
    void nameBox()
    {
        QVERIFY(fromMenu([](copy::copyForm& window) {
            QTest::keyClicks(child<QLineEdit>(window, "txtToName"), QStringLiteral("A"));
            QVERIFY(child<QPushButton>(window, "cmdApplyCopy")->isEnabled());
            QTest::keyClick(child<QLineEdit>(window, "txtToName"), Qt::Key_Backspace);
            QCOMPARE(boxTexts(), QStringList { QStringLiteral("Please Enter A Name For The New Project") });
            QVERIFY(child<QPushButton>(window, "cmdApplyCopy")->isEnabled());
            QTest::keyClicks(child<QLineEdit>(window, "txtToName"), QStringLiteral("B"));
            QTest::keyClick(child<QLineEdit>(window, "txtToName"), Qt::Key_Backspace);
            QCOMPARE(boxTexts().size(), 2);
        }));
    }

    // Copy refused with a reason; the window stays open with what was typed, nothing is written.
    void refused_data()
    {
        QTest::addColumn<bool>("pickProject");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("no project chosen") << false << "Mine"
                                           << "Please Select The Project To Copy From";
        QTest::newRow("31 characters") << true << "1956 F-100 Pickup, frame-off #2"
                                       << "The Name Of The New Project Cannot Be Longer Than 30 Characters";
        QTest::newRow("emptied") << true << ""
                                 << "Please Enter A Name For The New Project";
    }

    void refused()
    {
        QFETCH(bool, pickProject);
        QFETCH(QString, name);
        QFETCH(QString, message);
        const qint64 before = cars();
        QVERIFY(fromMenu([&](copy::copyForm& window) {
            if (pickProject)
                pick(child<QComboBox>(window, "cboFromName"), 1);
            QTest::keyClicks(child<QLineEdit>(window, "txtToName"), name.isEmpty() ? QStringLiteral("x") : name);
            if (name.isEmpty())
                QTest::keyClick(child<QLineEdit>(window, "txtToName"), Qt::Key_Backspace);
            gui::DialogSeam::reset();
            QTest::mouseClick(child<QPushButton>(window, "cmdApplyCopy"), Qt::LeftButton);
            QCOMPARE(boxTexts(), QStringList { message });
            QVERIFY(window.isVisible());
            QCOMPARE(child<QLineEdit>(window, "txtToName")->text(), name);
            QVERIFY(child<QLineEdit>(window, "txtCopyStatus")->text().isEmpty());
        }));
        QCOMPARE(cars(), before);
        QCOMPARE(m_f->carID(), 0);
        QCOMPARE(child<QLineEdit>(w(), "projectDescription")->text(), QString());
    }

    // Quit closes the window; the main window stays as it was.
    void quit()
    {
        m_f->openCar(1);
        const qint64 before = cars();
        QVERIFY(fromMenu([](copy::copyForm& window) {
            pick(child<QComboBox>(window, "cboFromName"), 1);
            QTest::keyClicks(child<QLineEdit>(window, "txtToName"), QStringLiteral("Not made"));
            QTest::mouseClick(child<QPushButton>(window, "cmdCancelCopy"), Qt::LeftButton);
            QVERIFY(!window.isVisible());
            QVERIFY(child<QLineEdit>(window, "txtCopyStatus")->text().isEmpty());
        }));
        QCOMPARE(cars(), before);
        QCOMPARE(m_f->carID(), 1);
        QCOMPARE(child<QLineEdit>(w(), "projectDescription")->text(), QStringLiteral("1956 F-100 Pickup"));
    }

    // The sample project is copied; the main window shows the copy, which can be changed.
    void copySampleProject()
    {
        QVERIFY(fromMenu([](copy::copyForm& window) {
            copyAs(window, 1, QStringLiteral("My Pickup"));
            QVERIFY(!window.isVisible());
            QCOMPARE(
                child<QLineEdit>(window, "txtCopyStatus")->text(), QStringLiteral("New Project 'My Pickup' Created"));
        }));
        const qint32 copied = m_f->carID();
        QVERIFY(copied > 1);
        QCOMPARE(peek().count(QStringLiteral("SELECT carid FROM Car WHERE Description = 'My Pickup'")), copied);
        QCOMPARE(child<QLineEdit>(w(), "projectDescription")->text(), QStringLiteral("My Pickup"));
        QCOMPARE(gui::listText(child<QComboBox>(w(), "carDescription")), QStringLiteral("My Pickup"));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 0);
        QVERIFY(child<QTabWidget>(w(), "TbDisplay")->isEnabled());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(child<QComboBox>(w(), "componentDescription")->count(),
            int(peek().count(QStringLiteral("SELECT COUNT(*) FROM Component WHERE carid = 1"))));

        // The copy is not the sample: it may be changed.
        gui::DialogSeam::reset();
        m_f->press(1);
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        QCOMPARE(m_f->panelText(1), QStringLiteral("Updating Car..."));
    }

    // A copy keeping its source's name: the copy is shown, found by its key, so that a change
    // made next goes to the copy and not to the original.
    void sameNameShownByKey()
    {
        m_f->showTab(0);
        m_f->press(0);
        m_f->type(child<QLineEdit>(w(), "CarDisplayDescription"), QStringLiteral("Bel Air"));
        m_f->type(child<QLineEdit>(w(), "CarMake"), QStringLiteral("Chevrolet"));
        m_f->press(3);
        const qint32 original = m_f->carID();
        QVERIFY(original > 1);

        QVERIFY(fromMenu([&](copy::copyForm& window) { copyAs(window, original, QStringLiteral("Bel Air")); }));
        const qint32 copied = m_f->carID();
        QVERIFY(copied != original);
        QCOMPARE(peek().count(QStringLiteral("SELECT COUNT(*) FROM Car WHERE Description = 'Bel Air'")), 2);
        QCOMPARE(child<QComboBox>(w(), "carDescription")->currentData().toInt(), copied);

        m_f->press(1);
        m_f->type(child<QLineEdit>(w(), "CarMake"), QStringLiteral("Chevy"));
        m_f->press(3);
        QCOMPARE(peek().count(QStringLiteral("SELECT COUNT(*) FROM Car WHERE carid = ? AND make = 'Chevy'"), { copied }), 1);
        QCOMPARE(peek().count(QStringLiteral("SELECT COUNT(*) FROM Car WHERE carid = ? AND make = 'Chevrolet'"), { original }),
                 1);
    }

    // A failing write in the middle of the copy is reported; nothing of the copy stays.
    void storeFailure()
    {
        peek().exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Component "
                                   "BEGIN SELECT RAISE(ABORT, 'disk is full'); END"));
        const qint64 before = cars();
        const qint64 phases = peek().count(QStringLiteral("SELECT COUNT(*) FROM Phase"));
        QVERIFY(fromMenu([](copy::copyForm& window) {
            copyAs(window, 1, QStringLiteral("Half"));
            QVERIFY(window.isVisible());
            QCOMPARE(boxTexts().size(), 1);
            QVERIFY2(boxTexts().first().contains(QStringLiteral("disk is full")), qPrintable(boxTexts().first()));
            QVERIFY(child<QLineEdit>(window, "txtCopyStatus")->text().isEmpty());
        }));
        QCOMPARE(cars(), before);
        QCOMPARE(peek().count(QStringLiteral("SELECT COUNT(*) FROM Phase")), phases);
        QCOMPARE(m_f->carID(), 0);
        QCOMPARE(child<QLineEdit>(w(), "projectDescription")->text(), QString());
    }
};

QTEST_MAIN(TestCopyWindow)
#include "TestCopyWindow.moc"
