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
    // The projects and their components, so that a copy left half-made shows.
    qint64 rows()
    {
        return Peek(m_f->databasePath())
            .count(QStringLiteral("SELECT (SELECT COUNT(*) FROM Car) + (SELECT COUNT(*) FROM Component)"));
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

    // Copy refused with a reason, failing in the middle of its writes, or Quit, or a file without
    // projects to copy: the main window stays as it was and nothing of the copy is written. Emptying the name box says
    // a name is needed at once, and again at Copy.
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

    // The sample is copied and left as it was; the copy is shown at once, found by its key even
    // under its source's very name, and, unlike the sample, can be changed.
    void copying_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("new name") << "My Pickup";
        QTest::newRow("the sample's own name") << "1956 F-100 Pickup";
    }

    void copying()
    {
        QFETCH(QString, name);
        const QString state
            = QStringLiteral("SELECT COALESCE(make, '-') || ' ' || COALESCE(auditdate, '-') || ' ' || "
                             "(SELECT COUNT(*) FROM Component WHERE carid = 1) FROM Car WHERE carid = 1");
        const QString before = Peek(m_f->databasePath()).value(state).toString();
        QVERIFY(fromMenu([&](copy::copyForm& window) {
            copyAs(window, 1, name);
            QVERIFY(!window.isVisible());
            QCOMPARE(child<QLineEdit>(window, "txtCopyStatus")->text(),
                QStringLiteral("New Project '%1' Created").arg(name));
        }));
        const qint32 copied = m_f->carID();
        QCOMPARE(gui::listText(child<QComboBox>(w(), "carDescription")), name);

        m_f->press(1);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        m_f->type(child<QLineEdit>(w(), "CarMake"), QStringLiteral("Chevy"));
        m_f->press(3);
        const Peek peek(m_f->databasePath());
        QCOMPARE(peek.value(QStringLiteral("SELECT make FROM Car WHERE carid = ?"), { copied }).toString(),
            QStringLiteral("Chevy"));
        QCOMPARE(peek.value(state).toString(), before);
    }
};

QTEST_MAIN(TestCopyWindow)
#include "TestCopyWindow.moc"
