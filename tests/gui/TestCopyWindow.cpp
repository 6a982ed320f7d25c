// The copy window opened from File > Copy Project, and what the main window shows afterwards.

#include "support/FormFixture.h"
#include "support/Modal.h"
#include "support/Peek.h"

#include "copy/CopyForm.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;
using testing::Peek;

class TestCopyWindow : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    QMainWindow& w() { return m_f->form(); }
    qint64 count(const QString& sql, const QVariantList& binds = {})
    {
        return Peek(m_f->databasePath()).count(sql, binds);
    }
    // Every row of every project table, so that a copy left half-made shows.
    qint64 rows()
    {
        return count(QStringLiteral("SELECT (SELECT COUNT(*) FROM Car) + (SELECT COUNT(*) FROM Phase) + (SELECT "
                                    "COUNT(*) FROM Activity) + (SELECT COUNT(*) FROM Assembly) + (SELECT COUNT(*) "
                                    "FROM Component)"));
    }

    // Opens the copy window from the menu and lets the user work in it; answers whether it was there.
    bool fromMenu(const std::function<void(copy::copyForm&)>& user)
    {
        return testing::inModal<copy::copyForm>([this] { child<QAction>(w(), "mnucopy")->trigger(); }, user);
    }

    // Picks the project (none for 0) and types the name as a user would, then presses the button.
    void copyAs(copy::copyForm& window, qint32 source, const QString& name, const char* button = "cmdApplyCopy")
    {
        if (source)
            m_f->pick(child<QComboBox>(window, "cboFromName"), source);
        QTest::keyClicks(child<QLineEdit>(window, "txtToName"), name);
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
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

    // A database without projects offers nothing to copy.
    void noProjects()
    {
        m_f->stop();
        QVERIFY(m_f->start(m_f->files().createEmpty()));
        QVERIFY(fromMenu([](copy::copyForm& window) {
            QCOMPARE(gui::listText(child<QComboBox>(window, "cboFromName")), QStringLiteral("<No Entries>"));
            QVERIFY(!child<QComboBox>(window, "cboFromName")->isEnabled());
            QVERIFY(!child<QPushButton>(window, "cmdApplyCopy")->isEnabled());
        }));
    }

    // Copy refused with a reason, failing in the middle of its writes, or Quit: the main window
    // stays as it was and nothing of the copy is written. Emptying the name box says a name is
    // needed at once, and again at Copy.
    void refused_data()
    {
        QTest::addColumn<qint32>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("boxes");
        QTest::newRow("no project chosen") << 0 << "Mine"
                                           << "Please Select The Project To Copy From" << 1;
        QTest::newRow("31 characters") << 1 << "1956 F-100 Pickup, frame-off #2"
                                       << "The Name Of The New Project Cannot Be Longer Than 30 Characters" << 1;
        QTest::newRow("emptied") << 1 << "x\b"
                                 << "Please Enter A Name For The New Project" << 2;
        QTest::newRow("store fails") << 1 << "Half"
                                     << "disk is full" << 1;
        QTest::newRow("quit") << 1 << "Not made"
                              << "" << 0;
    }

    void refused()
    {
        QFETCH(qint32, source);
        QFETCH(QString, name);
        QFETCH(QString, message);
        const QByteArray row = QTest::currentDataTag();
        if (row == "store fails")
            Peek(m_f->databasePath())
                .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Component "
                                     "BEGIN SELECT RAISE(ABORT, 'disk is full'); END"));
        const qint64 before = rows();
        QVERIFY(fromMenu([&](copy::copyForm& window) {
            copyAs(window, source, name, row == "quit" ? "cmdCancelCopy" : "cmdApplyCopy");
            QTEST(int(boxTexts().size()), "boxes");
            for (const QString& box : boxTexts())
                QVERIFY2(box.contains(message), qPrintable(box));
            QCOMPARE(window.isVisible(), row != "quit");
            QVERIFY(child<QLineEdit>(window, "txtCopyStatus")->text().isEmpty());
        }));
        QCOMPARE(rows(), before);
        QCOMPARE(m_f->carID(), 0);
        QCOMPARE(child<QLineEdit>(w(), "projectDescription")->text(), QString());
    }

    // The sample project is copied and left as it was; the main window shows the copy, which,
    // unlike the sample, can be changed.
    void copySampleProject()
    {
        const qint64 components = count(QStringLiteral("SELECT COUNT(*) FROM Component WHERE carid = 1"));
        const QVariant stamp
            = Peek(m_f->databasePath()).value(QStringLiteral("SELECT auditdate FROM Car WHERE carid = 1"));
        QVERIFY(fromMenu([this](copy::copyForm& window) {
            copyAs(window, 1, QStringLiteral("My Pickup"));
            QVERIFY(!window.isVisible());
            QCOMPARE(
                child<QLineEdit>(window, "txtCopyStatus")->text(), QStringLiteral("New Project 'My Pickup' Created"));
        }));
        const qint32 copied = m_f->carID();
        QCOMPARE(count(QStringLiteral("SELECT carid FROM Car WHERE Description = 'My Pickup'")), copied);
        QCOMPARE(gui::listText(child<QComboBox>(w(), "carDescription")), QStringLiteral("My Pickup"));
        QCOMPARE(child<QComboBox>(w(), "componentDescription")->count(), int(components));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Component WHERE carid = ?"), { copied }), components);

        m_f->press(1);
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        QCOMPARE(Peek(m_f->databasePath()).value(QStringLiteral("SELECT auditdate FROM Car WHERE carid = 1")), stamp);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Component WHERE carid = 1")), components);
    }

    // A copy keeping its source's name is shown, found by its key, so that a change made next goes
    // to the copy and not to the original.
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
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Car WHERE Description = 'Bel Air'")), 2);

        m_f->press(1);
        m_f->type(child<QLineEdit>(w(), "CarMake"), QStringLiteral("Chevy"));
        m_f->press(3);
        const QString make = QStringLiteral("SELECT make FROM Car WHERE carid = ?");
        QCOMPARE(Peek(m_f->databasePath()).value(make, { copied }).toString(), QStringLiteral("Chevy"));
        QCOMPARE(Peek(m_f->databasePath()).value(make, { original }).toString(), QStringLiteral("Chevrolet"));
    }
};

QTEST_MAIN(TestCopyWindow)
#include "TestCopyWindow.moc"
