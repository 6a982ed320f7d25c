// The main window's controls as the user meets them: captions, tool tips, limits, menus, the
// status bar, button patterns, field locking and clearing.

#include "support/FormFixture.h"

#include "common/Clock.h"
#include "gui/Colors.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QApplication>
#include <QTimer>
#include <QtTest>

using testing::child;
using testing::FormFixture;

class TestMainWindow : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    QMainWindow& w() { return m_f->form(); }

    enum Button { Add = 0, Cancel = 2, Save = 3 };

    // A project of our own, saved from the Car tab: the sample may not be changed.
    void ownCar(const QString& name)
    {
        m_f->showTab(0);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "CarDisplayDescription"), name);
        m_f->press(Save);
    }

    void ownRecord(int tab, const char* description, const QString& name)
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

    void tabsAndButtons()
    {
        const QStringList tabs = { "Car", "Assembly", "Component", "Phase", "Activity", "Supplier" };
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->count(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(child<QTabWidget>(w(), "tbproject")->tabText(i).trimmed(), tabs.at(i));
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->count(), 2);
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->tabText(0), QStringLiteral("Material List"));
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->tabText(1), QStringLiteral("Project Plan"));
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->widget(0), child<QTreeView>(w(), "TvMaterials"));
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->widget(1), child<QTreeView>(w(), "TvProject"));

        const QStringList captions = { "Add", "Update", "Cancel", "Save", "Delete", "Quit" };
        for (int i = 0; i < 6; ++i) {
            auto* b = m_f->widget<QPushButton>(qPrintable(QStringLiteral("cmdButton%1").arg(i)));
            QVERIFY(b);
            QCOMPARE(b->text(), captions.at(i));
        }
        QCOMPARE(child<QPushButton>(w(), "cmdMoveUp")->text(), QStringLiteral("Move\nUp"));
        QCOMPARE(child<QLabel>(w(), "LblReseq")->text(), QStringLiteral("Resequence PHASE And ACTIVITY Function"));
        QVERIFY(child<QPushButton>(w(), "cmdcloseimage")->isHidden());
        QVERIFY(child<QLabel>(w(), "Image1")->isHidden());
        // Nothing to move or attach before a car is picked.
        QVERIFY(!child<QPushButton>(w(), "cmdMoveUp")->isEnabled());
        QVERIFY(!child<QPushButton>(w(), "cmdMoveDown")->isEnabled());
        QVERIFY(!child<QPushButton>(w(), "cmdAttachComponent")->isEnabled());
        QVERIFY(!child<QPushButton>(w(), "cmdDone")->isEnabled());
    }

    void menuBar()
    {
        // Menu, then its entries in order; "-" is a separator.
        const QList<QPair<QString, QStringList>> expected = {
            { "&File",
              { "-", "&Create New Project", "Copy &Project", "&Export Project...", "&Import Project...", "-",
                "E&xit" } },
            { "&Preferences",
              { "-", "Set Image Option", "-", "Set Tree View", "-", "Set &Background Color", "Set &Default Color" } },
            { "&Reports",
              { "-", "Print Materials List", "Print Project Plan", "Print Status Report", "Print Wish List" } },
            { "&Time Line", {} },
            { "&Help", { "-", "&About Gear-Log", "&Overview", "-", "&Table Of Contents" } },
        };
        const QList<QAction*> top = w().menuBar()->actions();
        QCOMPARE(top.size(), expected.size());
        for (int i = 0; i < top.size(); ++i) {
            QCOMPARE(top.at(i)->text(), expected.at(i).first);
            QStringList entries;
            if (QMenu* menu = top.at(i)->menu()) {
                for (QAction* a : menu->actions())
                    entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
            }
            QCOMPARE(entries, expected.at(i).second);
        }
        QCOMPARE(child<QAction>(w(), "mnuTimeLine")->menu(), nullptr);
        QStringList image;
        for (QAction* a : child<QMenu>(w(), "mnuImage")->actions())
            image << a->text() + QLatin1Char(':') + a->objectName();
        QCOMPARE(image, QStringList({ "&Actual Size:MnuActualSize", "&Size To Fit:MnuShrinkToFit" }));
        QStringList tree;
        for (QAction* a : child<QMenu>(w(), "MnuSetProjectPlan")->actions())
            tree << a->text() + QLatin1Char(':') + a->objectName();
        QCOMPARE(tree, QStringList({ "&Expand View:mnuExpandView", "&Compress View:mnuCompressView" }));
    }

    void toolTipsAndLimits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<int>("limit"); // 0: no limit checked

        QTest::newRow("car pick") << "carDescription" << "Click On A Name To Select A New Project Car  (REQUIRED)" << 0;
        QTest::newRow("make") << "CarMake" << "Make Of Car \"Ford\"" << 20;
        QTest::newRow("model") << "CarModel" << "Model Of Car \"Falcon\"" << 20;
        QTest::newRow("year") << "CarYear" << "Year Of Car" << 4;
        QTest::newRow("budget") << "CarTotalBudget"
                                << "Total $ Expected To Be Spent On The Project.  Enter As Whole Dollars \"5500\"" << 0;
        QTest::newRow("car image") << "carImagePath" << "File Name Of Picture" << 100;
        QTest::newRow("activity pick") << "ActivityDescription" << "Click On A Name To Select (REQUIRED)" << 0;
        QTest::newRow("plan tree") << "TvProject"
                                   << "Click On A 'CAR', 'PHASE', Or 'ACTIVTIY' To Display The Detail Information" << 0;
        QTest::newRow("component phase tip") << "ComponentDisplayAssembly"
                                             << "Click On The Assembly This Item Belongs To  (REQUIRED)" << 0;
        QTest::newRow("catalog page") << "ComponentCatalogPage" << "The Supplier's Catalog Page Number" << 10;
        QTest::newRow("target cost") << "ComponentTargetCost"
                                     << "The Anticipated Cost Of The Component. Example: '97.95'" << 0;
        QTest::newRow("wish list") << "ComponentWishList"
                                   << "Check Box If Item Is To Be Printed On The 'Wish List' Report" << 0;
        QTest::newRow("stop date") << "ActivityActualStopDate"
                                   << "Enter The Actual Completion Date.  Example:  '12/31/2002'" << 0;
        QTest::newRow("done") << "cmdDone"
                              << "When You Have Completed Updating The Component List Click This Button" << 0;
        QTest::newRow("state") << "supplierstate" << "Supplier's State" << 2;
        QTest::newRow("zip") << "supplierzipcode" << "Supplier's Zip Code" << 10;
        QTest::newRow("telephone") << "suppliertelephone" << "Supplier's Telephone Number" << 15;
        QTest::newRow("fax") << "supplierfax" << "Supplier's Fax Number" << 15;
        QTest::newRow("web site") << "supplieremail" << "Supplier's Website Address" << 30;
        QTest::newRow("catalog nbr") << "SupplierCatalogNbr" << "The Supplier's Catalog Number" << 20;
        QTest::newRow("address") << "supplieraddress2" << "Supplier's Address Line 2" << 30;
    }

    void toolTipsAndLimits()
    {
        QFETCH(QString, name);
        QFETCH(QString, tip);
        QFETCH(int, limit);
        QWidget* control = w().findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->toolTip(), tip);
        if (limit > 0) {
            auto* box = qobject_cast<QLineEdit*>(control);
            QVERIFY(box);
            QCOMPARE(box->maxLength(), limit);
        }
    }

    // Descriptions are cut when saved, not while typed; notes stop at 150 however they arrive.
    void typingLimits()
    {
        m_f->press(Add);
        const QString longName(45, QLatin1Char('x'));
        QTest::keyClicks(child<QLineEdit>(w(), "CarDisplayDescription"), longName);
        QCOMPARE(child<QLineEdit>(w(), "CarDisplayDescription")->text(), longName);
        QTest::keyClicks(child<QLineEdit>(w(), "CarYear"), QStringLiteral("19567"));
        QCOMPARE(child<QLineEdit>(w(), "CarYear")->text(), QStringLiteral("1956"));

        QTest::keyClicks(child<gui::NotesEdit>(w(), "CarNotes"), QString(149, QLatin1Char('a')));
        QTest::keyClicks(child<gui::NotesEdit>(w(), "CarNotes"), QStringLiteral("bcd"));
        QCOMPARE(child<gui::NotesEdit>(w(), "CarNotes")->text(), QString(149, QLatin1Char('a')) + QLatin1Char('b'));
        child<gui::NotesEdit>(w(), "CarNotes")->setText(QString(160, QLatin1Char('n')));
        QCOMPARE(child<gui::NotesEdit>(w(), "CarNotes")->text().size(), 150);
        // A paste in the middle keeps what was there and drops what does not fit.
        child<gui::NotesEdit>(w(), "CarNotes")->setText(QStringLiteral("0123456789"));
        QTextCursor c = child<gui::NotesEdit>(w(), "CarNotes")->textCursor();
        c.setPosition(5);
        child<gui::NotesEdit>(w(), "CarNotes")->setTextCursor(c);
        child<gui::NotesEdit>(w(), "CarNotes")->insertPlainText(QString(200, QLatin1Char('z')));
        const QString notes = child<gui::NotesEdit>(w(), "CarNotes")->text();
        QCOMPARE(notes.size(), 150);
        QVERIFY(notes.startsWith(QStringLiteral("01234zz")));
        QVERIFY(notes.endsWith(QStringLiteral("zz56789")));
    }

    void statusBar()
    {
        QCOMPARE(m_f->panelText(4), QStringLiteral("2:05 PM"));
        QCOMPARE(m_f->panelText(5), QStringLiteral("3/9/2026"));
        common::Clock::setFixed(QDateTime(QDate(2026, 12, 31), QTime(9, 59)));
        QTest::qWait(1100);
        QCOMPARE(m_f->panelText(4), QStringLiteral("9:59 AM"));
        QCOMPARE(m_f->panelText(5), QStringLiteral("12/31/2026"));
    }

    void lockingFields_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("browse");
        QTest::addColumn<QString>("edit");
        QTest::newRow("car") << 1 << "carDescription" << "CarDisplayDescription";
        QTest::newRow("assembly") << 2 << "assemblyDescription,AssemblyDisplayStatus"
                                  << "AssemblyDisplayDescription,AssemblyStatus";
        QTest::newRow("component") << 3
                                   << "componentDescription,ComponentDisplayStatus,ComponentDisplayAssembly,"
                                      "ComponentDisplaySupplier,ComponentDisplayActivity"
                                   << "ComponentDisplayDescription,ComponentStatus,ComponentAssembly,"
                                      "ComponentSupplierName";
        QTest::newRow("phase") << 4 << "phaseDescription,PhaseDisplayStatus" << "PhaseDisplayDescription,phaseStatus";
        QTest::newRow("activity") << 5 << "ActivityDescription,ActivityDisplayStatus"
                                  << "ActivityDisplayDescription,ActivityStatus,ActivityPhase";
        QTest::newRow("supplier") << 6 << "SupplierName" << "SupplierDisplayName";
    }

    // Unlocked: yellow, enabled inputs and the edit controls in place of the pick list; locked: the reverse.
    void lockingFields()
    {
        QFETCH(int, tab);
        QFETCH(QString, browse);
        QFETCH(QString, edit);
        ownCar(QStringLiteral("Locks"));
        m_f->showTab(tab - 1);
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), tab - 1);
        const QColor yellow(255, 255, 0);
        const QColor white(255, 255, 255);

        m_f->press(Add);
        for (const QString& name : edit.split(QLatin1Char(','))) {
            QWidget* c = w().findChild<QWidget*>(name);
            QVERIFY2(c && !c->isHidden() && c->isEnabled(), qPrintable(name));
        }
        for (const QString& name : browse.split(QLatin1Char(',')))
            QVERIFY2(w().findChild<QWidget*>(name)->isHidden(), qPrintable(name));
        // Every tab's fields turn yellow; the other tabs cannot be shown meanwhile.
        QWidget* page = child<QTabWidget>(w(), "tbproject")->currentWidget();
        for (const char* name : { "CarMake", "ComponentQuantity", "ActivityTargetStartDate", "supplierfax" }) {
            QWidget* c = w().findChild<QWidget*>(QLatin1String(name));
            QVERIFY(c->isEnabledTo(page) || !page->isAncestorOf(c));
            if (page->isAncestorOf(c))
                QVERIFY(c->isEnabled());
            QCOMPARE(gui::fieldColour(c), yellow);
        }
        // Totals are never typed into.
        QVERIFY(child<QLineEdit>(w(), "CarTargetCost")->isReadOnly());
        QVERIFY(child<QLineEdit>(w(), "PhaseActualEffort")->isReadOnly());

        m_f->press(Cancel);
        for (const QString& name : browse.split(QLatin1Char(','))) {
            QWidget* c = w().findChild<QWidget*>(name);
            QVERIFY2(!c->isHidden(), qPrintable(name));
        }
        for (const QString& name : edit.split(QLatin1Char(',')))
            QVERIFY2(w().findChild<QWidget*>(name)->isHidden(), qPrintable(name));
        for (const char* name : { "CarMake", "ComponentQuantity", "ActivityTargetStartDate", "supplierfax" }) {
            QWidget* c = w().findChild<QWidget*>(QLatin1String(name));
            QVERIFY(!c->isEnabled());
            QCOMPARE(gui::fieldColour(c), white);
        }
    }

    // The activity list of a component can only be opened when the car has activities.
    void emptyActivityListStaysLocked()
    {
        ownCar(QStringLiteral("Bare")); // a project of its own: no activities yet
        ownRecord(1, "AssemblyDisplayDescription", QStringLiteral("Engine"));
        m_f->showTab(2);
        m_f->press(Add);
        QCOMPARE(child<QComboBox>(w(), "ComponentActivity")->count(), 0);
        QVERIFY(!child<QComboBox>(w(), "ComponentActivity")->isEnabled());
        QVERIFY(child<QCheckBox>(w(), "ComponentWishList")->isEnabled());
        m_f->press(Cancel);

        ownRecord(3, "PhaseDisplayDescription", QStringLiteral("Engine"));
        m_f->showTab(4);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ActivityDisplayDescription"), QStringLiteral("Rebuild engine"));
        m_f->type(child<QComboBox>(w(), "ActivityPhase"), QStringLiteral("Engine"));
        m_f->press(Save);
        m_f->showTab(2);
        m_f->press(Add);
        QCOMPARE(child<QComboBox>(w(), "ComponentActivity")->count(), 1);
        QVERIFY(child<QComboBox>(w(), "ComponentActivity")->isEnabled());
    }

    // Add clears the showing tab only; amounts and efforts become "0".
    void clearingFields()
    {
        ownCar(QStringLiteral("Cleared"));
        m_f->press(1);
        m_f->type(child<QLineEdit>(w(), "CarMake"), QStringLiteral("Ford"));
        m_f->type(child<QLineEdit>(w(), "CarTargetStartDate"), QStringLiteral("x"));
        m_f->type(child<gui::NotesEdit>(w(), "CarNotes"), QStringLiteral("note"));
        m_f->press(Save);
        ownRecord(1, "AssemblyDisplayDescription", QStringLiteral("Engine"));
        m_f->showTab(2);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ComponentDisplayDescription"), QStringLiteral("Fan"));
        m_f->type(child<QComboBox>(w(), "ComponentAssembly"), QStringLiteral("Engine"));
        m_f->type(child<QLineEdit>(w(), "ComponentQuantity"), QStringLiteral("2"));
        m_f->type(child<QLineEdit>(w(), "ComponentTargetCost"), QStringLiteral("5"));
        child<QCheckBox>(w(), "ComponentWishList")->setFocus();
        QTest::keyClick(child<QCheckBox>(w(), "ComponentWishList"), Qt::Key_Space);
        m_f->press(Save);
        QVERIFY(child<QCheckBox>(w(), "ComponentWishList")->isChecked());
        m_f->showTab(5);
        m_f->pick(child<QComboBox>(w(), "SupplierName"), child<QComboBox>(w(), "SupplierName")->itemData(0).toInt());
        m_f->press(1);
        m_f->type(child<QLineEdit>(w(), "supplierfax"), QStringLiteral("555-0100"));
        m_f->press(Save);

        m_f->showTab(0);
        m_f->press(Add);
        QCOMPARE(child<QLineEdit>(w(), "CarMake")->text(), QString());
        QCOMPARE(child<QLineEdit>(w(), "CarPurchasePrice")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(w(), "CarActualEffort")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(w(), "CarTargetStartDate")->text(), QString());
        QCOMPARE(child<gui::NotesEdit>(w(), "CarNotes")->text(), QString());
        QCOMPARE(child<QLineEdit>(w(), "CarDisplayDescription")->text(), QString());
        QCOMPARE(child<QLineEdit>(w(), "ComponentQuantity")->text(), QStringLiteral("2"));
        QVERIFY(child<QCheckBox>(w(), "ComponentWishList")->isChecked());
        QCOMPARE(child<QLineEdit>(w(), "supplierfax")->text(), QStringLiteral("555-0100"));
        m_f->press(Cancel);

        m_f->showTab(2);
        m_f->press(Add);
        QCOMPARE(child<QLineEdit>(w(), "ComponentQuantity")->text(), QString());
        QCOMPARE(child<QLineEdit>(w(), "ComponentTargetCost")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(w(), "ComponentActualCost")->text(), QStringLiteral("0"));
        QVERIFY(!child<QCheckBox>(w(), "ComponentWishList")->isChecked());
        QCOMPARE(child<QLineEdit>(w(), "CarMake")->text(), QStringLiteral("Ford"));
        m_f->press(Cancel);

        m_f->showTab(4);
        m_f->press(Add);
        QCOMPARE(child<QLineEdit>(w(), "ActivityTargetEffort")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(w(), "ActivityTargetStartDate")->text(), QString());
    }

    void informationWindows_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("about") << "mnuAbout" << "AboutGearLog" << "About Gear-Log";
        QTest::newRow("overview") << "mnuOverview" << "GearLogOverview" << "Gear-Log Overview";
    }

    // Each opens modally over the main window and closes with its OK button.
    void informationWindows()
    {
        QFETCH(QString, menu);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QString seen;
        QTimer::singleShot(0, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            seen = modal->objectName() + QLatin1Char('|') + modal->windowTitle();
            if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("CmdOK")))
                ok->click();
        });
        w().findChild<QAction*>(menu)->trigger();
        QCOMPARE(seen, window + QLatin1Char('|') + caption);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // A first start has no settings: the button-face background.
    void defaultPreferences()
    {
        QCOMPARE(w().palette().color(QPalette::Window), gui::fromStoredColour(gui::SystemButtonFace));
        Q_EMIT child<QMenu>(w(), "mnuImage")->aboutToShow(); // the menu shows the picture mode in force
        QVERIFY(m_f->action("MnuShrinkToFit")->isChecked());
        QVERIFY(!m_f->action("MnuActualSize")->isChecked());
        m_f->openCar(1);
        testing::Node car = testing::treeNode(child<QTreeView>(w(), "TvMaterials"), project::Kind::Car, 1);
        QVERIFY(car);
        QVERIFY(car->isExpanded());
    }

    void storedBackgroundColour()
    {
        m_f->stop();
        m_f->settings().setValue(QStringLiteral("STARTUP/BACKCOLOR"), QStringLiteral("12632256")); // 0xC0C0C0
        m_f->settings().setValue(QStringLiteral("STARTUP/STRETCH"), QStringLiteral("False"));
        QVERIFY(m_f->start(m_f->databasePath()));
        QCOMPARE(w().palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
        Q_EMIT child<QMenu>(w(), "mnuImage")->aboutToShow();
        QVERIFY(m_f->action("MnuActualSize")->isChecked());
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
