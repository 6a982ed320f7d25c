// The main window as the user meets it: its named controls, the notes limit, the status bar clock,
// fields locked and cleared between edits, and the information windows.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "common/Clock.h"
#include "gui/NotesEdit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

using testing::child;
using testing::FormFixture;

class TestMainWindow : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    QMainWindow& w() { return m_f->form(); }

    enum Button { Add = 0, Update = 1, Cancel = 2, Save = 3 };

    // A record of our own saved from a tab (the sample may not be changed).
    void own(int tab, const char* description, const QString& name)
    {
        m_f->showTab(tab);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), description), name);
        m_f->press(Save);
    }

private Q_SLOTS:
    void init()
    {
        common::Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(14, 5)));
        m_f = new FormFixture;
        QVERIFY(m_f->start());
    }

    void cleanup()
    {
        delete m_f;
        m_f = nullptr;
        common::Clock::setFixed(std::nullopt);
    }

    // Every control the program is known by exists under its name; nothing can be moved or
    // attached before a car is picked.
    void namedControls()
    {
        const QString names = QStringLiteral(
            "tbproject TbDisplay TvMaterials TvProject cmdButton0 cmdButton1 cmdButton2 cmdButton3 cmdButton4 "
            "cmdButton5 cmdMoveUp cmdMoveDown cmdAttachComponent cmdDone cmdcloseimage Image1 LblReseq "
            "projectDescription carDescription assemblyDescription componentDescription phaseDescription "
            "ActivityDescription SupplierName ActivityComponents mnuFile mnuCreate mnucopy mnuExportProject "
            "mnuImportProject mnuExit mnuPreferences mnuImage MnuActualSize MnuShrinkToFit MnuSetProjectPlan "
            "mnuExpandView mnuCompressView mnuSetBackgroundColor mnuSetDefaultColors mnuReports MnuMaterialsList "
            "MnuProjectPlan MnuStatusReport MnuWishList mnuTimeLine mnuHelp mnuAbout mnuOverview mnutableofcontents");
        for (const QString& name : names.split(QLatin1Char(' ')))
            QVERIFY2(w().findChild<QObject*>(name), qPrintable(name));
        for (const char* name : { "cmdMoveUp", "cmdMoveDown", "cmdAttachComponent", "cmdDone" })
            QVERIFY2(!child<QPushButton>(w(), name)->isEnabled(), name);
    }

    // Notes stop at 150 however they arrive, so nothing is lost past the three stored parts of 50;
    // a paste in the middle keeps what was there and drops what does not fit.
    void notesLimit()
    {
        m_f->press(Add);
        auto* notes = child<gui::NotesEdit>(w(), "CarNotes");
        QTest::keyClicks(notes, QString(149, QLatin1Char('a')) + QStringLiteral("bcd"));
        QCOMPARE(notes->text(), QString(149, QLatin1Char('a')) + QLatin1Char('b'));
        notes->setText(QStringLiteral("0123456789"));
        QTextCursor c = notes->textCursor();
        c.setPosition(5);
        notes->setTextCursor(c);
        notes->insertPlainText(QString(200, QLatin1Char('z')));
        QCOMPARE(notes->text().size(), 150);
        QVERIFY(notes->text().startsWith(QStringLiteral("01234zz")));
        QVERIFY(notes->text().endsWith(QStringLiteral("zz56789")));
    }

    void statusBarClock()
    {
        QCOMPARE(m_f->panelText(4) + QLatin1Char(' ') + m_f->panelText(5), QStringLiteral("2:05 PM 3/9/2026"));
        common::Clock::setFixed(QDateTime(QDate(2026, 12, 31), QTime(9, 59)));
        QTRY_COMPARE(m_f->panelText(4) + QLatin1Char(' ') + m_f->panelText(5), QStringLiteral("9:59 AM 12/31/2026"));
    }

    void lockingFields_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("browse"); // shown only while browsing
        QTest::addColumn<QString>("edit"); // shown and enabled only while editing
        QTest::newRow("car") << 0 << "carDescription"
                             << "CarDisplayDescription";
        QTest::newRow("assembly") << 1 << "assemblyDescription,AssemblyDisplayStatus"
                                  << "AssemblyDisplayDescription,AssemblyStatus";
        QTest::newRow("component") << 2
                                   << "componentDescription,ComponentDisplayStatus,ComponentDisplayAssembly,"
                                      "ComponentDisplaySupplier,ComponentDisplayActivity"
                                   << "ComponentDisplayDescription,ComponentStatus,ComponentAssembly,"
                                      "ComponentSupplierName";
        QTest::newRow("phase") << 3 << "phaseDescription,PhaseDisplayStatus"
                               << "PhaseDisplayDescription,phaseStatus";
        QTest::newRow("activity") << 4 << "ActivityDescription,ActivityDisplayStatus"
                                  << "ActivityDisplayDescription,ActivityStatus,ActivityPhase";
        QTest::newRow("supplier") << 5 << "SupplierName"
                                  << "SupplierDisplayName";
    }

    // While editing no other record can be picked; while browsing nothing can be typed that would
    // not be saved. Totals are never typed into.
    void lockingFields()
    {
        QFETCH(int, tab);
        QFETCH(QString, browse);
        QFETCH(QString, edit);
        own(0, "CarDisplayDescription", QStringLiteral("Locks"));
        m_f->showTab(tab);
        for (const bool editing : { true, false }) {
            m_f->press(editing ? Add : Cancel);
            for (const QString& name : edit.split(QLatin1Char(','))) {
                QWidget* c = child<QWidget>(w(), qPrintable(name));
                QVERIFY2(c->isHidden() != editing && (!editing || c->isEnabled()), qPrintable(name));
            }
            for (const QString& name : browse.split(QLatin1Char(',')))
                QVERIFY2(child<QWidget>(w(), qPrintable(name))->isHidden() == editing, qPrintable(name));
            for (const char* name : { "CarMake", "ComponentQuantity", "ActivityTargetStartDate", "supplierfax" })
                QVERIFY2(editing || !child<QWidget>(w(), name)->isEnabled(), name);
            QVERIFY(child<QLineEdit>(w(), "CarTargetCost")->isReadOnly());
            QVERIFY(child<QLineEdit>(w(), "PhaseActualEffort")->isReadOnly());
        }
    }

    // Add starts from empty boxes, so nothing of the record shown slips into the new one.
    void addStartsEmpty()
    {
        own(0, "CarDisplayDescription", QStringLiteral("Shown"));
        m_f->press(Update);
        m_f->type(child<QLineEdit>(w(), "CarMake"), QStringLiteral("Ford"));
        m_f->type(child<gui::NotesEdit>(w(), "CarNotes"), QStringLiteral("note"));
        m_f->press(Save);
        own(1, "AssemblyDisplayDescription", QStringLiteral("Engine"));
        m_f->showTab(2);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ComponentDisplayDescription"), QStringLiteral("Fan"));
        m_f->type(child<QComboBox>(w(), "ComponentAssembly"), QStringLiteral("Engine"));
        m_f->type(child<QLineEdit>(w(), "ComponentQuantity"), QStringLiteral("2"));
        child<QCheckBox>(w(), "ComponentWishList")->setFocus();
        QTest::keyClick(child<QCheckBox>(w(), "ComponentWishList"), Qt::Key_Space);
        m_f->press(Save);

        own(2, "ComponentDisplayDescription", QStringLiteral("Belt"));
        own(0, "CarDisplayDescription", QStringLiteral("Fresh"));
        const testing::Peek p(m_f->databasePath());
        QCOMPARE(
            p.value("SELECT IFNULL(make, '') || IFNULL(note1, '') FROM Car WHERE Description = 'Fresh'").toString(),
            QString());
        QCOMPARE(p.value("SELECT wishlist || '|' || quantity FROM Component WHERE Description = 'Belt'").toString(),
            QStringLiteral("0|0"));
    }

    void informationWindows_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("window");
        QTest::newRow("about") << "mnuAbout"
                               << "AboutGearLog";
        QTest::newRow("overview") << "mnuOverview"
                                  << "GearLogOverview";
    }

    // Each opens modally over the main window and closes with its OK button.
    void informationWindows()
    {
        QFETCH(QString, menu);
        QFETCH(QString, window);
        QString seen;
        QTimer::singleShot(0, this, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = modal->objectName();
                child<QPushButton>(*modal, "CmdOK")->click();
            }
        });
        child<QAction>(w(), qPrintable(menu))->trigger();
        QCOMPARE(seen, window);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
