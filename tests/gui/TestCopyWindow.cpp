// The copy window opened from File > Copy Project, and what the main window shows afterwards.

#include "support/FormFixture.h"
#include "support/Modal.h"

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

class TestCopyWindow : public testing::FormTest
{
    Q_OBJECT

    // The projects and their components, so that a copy left half-made shows.
    qint64 rows() { return m_f->peek().count("SELECT (SELECT COUNT(*) FROM Car) + (SELECT COUNT(*) FROM Component)"); }

    // Opens the copy window from the menu and lets the user work in it; answers whether it was there.
    bool fromMenu(const std::function<void(copy::copyForm&)>& user)
    {
        return testing::inModal<copy::copyForm>([this] { child<QAction>(w(), "mnucopy")->trigger(); }, user);
    }

    // Picks the project (none for 0) and types the name as a user would, then presses the button.
    void copyAs(copy::copyForm& window, store::Key source, const QString& name, const char* button = "cmdApplyCopy")
    {
        if (source)
            m_f->pick(child<QComboBox>(window, "cboFromName"), source);
        QTest::keyClicks(child<QLineEdit>(window, "txtToName"), name);
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
    }

private Q_SLOTS:
    // Refused, failing in the middle, Quit, or nothing to copy: the main window stays as it was and
    // nothing is written; emptying the name box says a name is needed at once, and again at Copy.
    void refused_data()
    {
        QTest::addColumn<qint32>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QString>("message");
        QTest::newRow("no projects") << 0 << "" << 0 << "";
        QTest::newRow("no project chosen") << 0 << "Mine" << 1 << "Please Select The Project To Copy From";
        QTest::newRow("emptied") << 1 << "x\b" << 2 << "Please Enter A Name For The New Project";
        QTest::newRow("store fails") << 1 << "Half" << 1 << "disk is full";
        QTest::newRow("quit") << 1 << "Not made" << 0 << "";
    }

    void refused()
    {
        QFETCH(qint32, source);
        QFETCH(QString, name);
        QFETCH(QString, message);
        const QByteArray row = QTest::currentDataTag();
        if (row == "no projects") {
            m_f->stop();
            QVERIFY(m_f->start(m_f->files().createEmpty()));
        }
        if (row == "store fails")
            m_f->peek().refuseWrites("INSERT", "Component");
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

    // The sample is copied and left as it was; the copy is shown at once, by its key even under the
    // sample's very name, and can be changed.
    void copying_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("new name") << "My Pickup";
        QTest::newRow("the sample's own name") << "1956 F-100 Pickup";
    }

    void copying()
    {
        QFETCH(QString, name);
        const QString state = QStringLiteral(
            "SELECT COALESCE(make, '-') || ' ' || COALESCE(CAST(auditdate AS VARCHAR(30)), '-') || ' ' || "
            "(SELECT COUNT(*) FROM Component WHERE carid = 1) FROM Car WHERE carid = 1");
        const QString before = m_f->peek().value(state).toString();
        QVERIFY(fromMenu([&](copy::copyForm& window) {
            copyAs(window, 1, name);
            QVERIFY(!window.isVisible());
            QCOMPARE(child<QLineEdit>(window, "txtCopyStatus")->text(),
                QStringLiteral("New Project '%1' Created").arg(name));
        }));
        const store::Key copied = m_f->carID();
        QCOMPARE(gui::listText(child<QComboBox>(w(), "carDescription")), name);
        // The progress shown counted every row written: the car and its 7 + 40 + 5 + 20 records.
        QCOMPARE(gui::DialogSeam::progressShown().last(), "Copying the project: 73 of 73 records");

        m_f->press(1);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        m_f->type(child<QLineEdit>(w(), "CarMake"), QStringLiteral("Chevy"));
        m_f->press(3);
        QCOMPARE(m_f->peek().value("SELECT make FROM Car WHERE carid = ?", { copied }).toString(), "Chevy");
        QCOMPARE(m_f->peek().value(state).toString(), before);
    }
};

QTEST_MAIN(TestCopyWindow)
#include "TestCopyWindow.moc"
