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
#include <QTreeWidget>
#include <QApplication>
#include <QTimer>
#include <QtTest>

using testing::FormFixture;

class TestMainWindow : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    editor::Form1& w() { return m_f->form(); }

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
        QCOMPARE(w().tbproject->count(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w().tbproject->tabText(i).trimmed(), tabs.at(i));
        QCOMPARE(w().TbDisplay->count(), 2);
        QCOMPARE(w().TbDisplay->tabText(0), QStringLiteral("Material List"));
        QCOMPARE(w().TbDisplay->tabText(1), QStringLiteral("Project Plan"));
        QCOMPARE(w().TbDisplay->widget(0), w().TvMaterials);
        QCOMPARE(w().TbDisplay->widget(1), w().TvProject);

        const QStringList captions = { "Add", "Update", "Cancel", "Save", "Delete", "Quit" };
        for (int i = 0; i < 6; ++i) {
            auto* b = m_f->widget<QPushButton>(qPrintable(QStringLiteral("cmdButton%1").arg(i)));
            QVERIFY(b);
            QCOMPARE(b->text(), captions.at(i));
        }
        QCOMPARE(w().cmdButton[5]->toolTip(), QStringLiteral("Click To End Gear-Log"));
        QCOMPARE(w().cmdButton[2]->toolTip(), QStringLiteral("Click To Cancel The 'Add' or 'Update' Function"));
        QCOMPARE(w().cmdMoveUp->text(), QStringLiteral("Move\nUp"));
        QCOMPARE(w().LblReseq->text(), QStringLiteral("Resequence PHASE And ACTIVITY Function"));
        QVERIFY(w().cmdcloseimage->isHidden());
        QVERIFY(w().Image1->isHidden());
        // Nothing to move or attach before a car is picked.
        QVERIFY(!w().cmdMoveUp->isEnabled());
        QVERIFY(!w().cmdMoveDown->isEnabled());
        QVERIFY(!w().cmdAttachComponent->isEnabled());
        QVERIFY(!w().cmdDone->isEnabled());
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
        QCOMPARE(w().mnuTimeLine->menu(), nullptr);
        QStringList image;
        for (QAction* a : w().mnuImage->actions())
            image << a->text() + QLatin1Char(':') + a->objectName();
        QCOMPARE(image, QStringList({ "&Actual Size:MnuActualSize", "&Size To Fit:MnuShrinkToFit" }));
        QStringList tree;
        for (QAction* a : w().MnuSetProjectPlan->actions())
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
        w().LockFields(false);
        const QString longName(45, QLatin1Char('x'));
        QTest::keyClicks(w().CarDisplayDescription, longName);
        QCOMPARE(w().CarDisplayDescription->text(), longName);
        QTest::keyClicks(w().CarYear, QStringLiteral("19567"));
        QCOMPARE(w().CarYear->text(), QStringLiteral("1956"));

        QTest::keyClicks(w().CarNotes, QString(149, QLatin1Char('a')));
        QTest::keyClicks(w().CarNotes, QStringLiteral("bcd"));
        QCOMPARE(w().CarNotes->text(), QString(149, QLatin1Char('a')) + QLatin1Char('b'));
        w().CarNotes->setText(QString(160, QLatin1Char('n')));
        QCOMPARE(w().CarNotes->text().size(), 150);
        // A paste in the middle keeps what was there and drops what does not fit.
        w().CarNotes->setText(QStringLiteral("0123456789"));
        QTextCursor c = w().CarNotes->textCursor();
        c.setPosition(5);
        w().CarNotes->setTextCursor(c);
        w().CarNotes->insertPlainText(QString(200, QLatin1Char('z')));
        const QString notes = w().CarNotes->text();
        QCOMPARE(notes.size(), 150);
        QVERIFY(notes.startsWith(QStringLiteral("01234zz")));
        QVERIFY(notes.endsWith(QStringLiteral("zz56789")));
    }

    void statusBar()
    {
        QCOMPARE(w().panelText(4), QStringLiteral("2:05 PM"));
        QCOMPARE(w().panelText(5), QStringLiteral("3/9/2026"));
        common::Clock::setFixed(QDateTime(QDate(2026, 12, 31), QTime(9, 59)));
        QTest::qWait(1100);
        QCOMPARE(w().panelText(4), QStringLiteral("9:59 AM"));
        QCOMPARE(w().panelText(5), QStringLiteral("12/31/2026"));
    }

    void buttonPatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("browse with record") << "110011" << "110011";
        QTest::newRow("editing") << "001100" << "001100";
        QTest::newRow("attaching") << "000000" << "000000";
        QTest::newRow("blanks around") << "  001100 " << "001100";
        QTest::newRow("short changes only the first") << "01" << "010001";
        QTest::newRow("empty changes nothing") << "" << "100001";
        QTest::newRow("too long") << "1111110000" << "111111";
    }

    void buttonPatterns()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
        w().SetButtons(pattern);
        QCOMPARE(m_f->buttonPattern(), expected);
        w().DisableButtons();
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("000000"));
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
        m_f->openCar(1);
        w().tbproject->setCurrentIndex(tab - 1);
        QCOMPARE(w().currentTab, tab);
        const QColor yellow(255, 255, 0);
        const QColor white(255, 255, 255);

        w().LockFields(false);
        for (const QString& name : edit.split(QLatin1Char(','))) {
            QWidget* c = w().findChild<QWidget*>(name);
            QVERIFY2(c && !c->isHidden() && c->isEnabled(), qPrintable(name));
        }
        for (const QString& name : browse.split(QLatin1Char(',')))
            QVERIFY2(w().findChild<QWidget*>(name)->isHidden(), qPrintable(name));
        for (const char* name : { "CarMake", "ComponentQuantity", "ActivityTargetStartDate", "supplierfax" }) {
            QWidget* c = w().findChild<QWidget*>(QLatin1String(name));
            QVERIFY(c->isEnabled());
            QCOMPARE(gui::fieldColour(c), yellow);
        }
        // Totals are never typed into.
        QVERIFY(w().CarTargetCost->isReadOnly());
        QVERIFY(w().PhaseActualEffort->isReadOnly());

        w().LockFields(true);
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
        m_f->start(m_f->files().createEmpty());
        w().tbproject->setCurrentIndex(2);
        w().currentTab = 3;
        w().LockFields(false);
        QCOMPARE(w().ComponentActivity->count(), 0);
        QVERIFY(!w().ComponentActivity->isEnabled());
        QVERIFY(w().ComponentWishList->isEnabled());
        w().ComponentActivity->addItem(QStringLiteral("Rebuild engine"), 7);
        w().LockFields(false);
        QVERIFY(w().ComponentActivity->isEnabled());
    }

    // Clearing touches the showing tab only; amounts and efforts become "0".
    void clearingFields()
    {
        m_f->openCar(1);
        for (QLineEdit* box : w().findChildren<QLineEdit*>())
            box->setText(QStringLiteral("x"));
        w().CarNotes->setText(QStringLiteral("note"));
        w().ComponentWishList->setChecked(true);
        w().ActivityComponents->addItem(QStringLiteral("Bolt"));

        w().tbproject->setCurrentIndex(0);
        w().ClearFields();
        QCOMPARE(w().CarMake->text(), QString());
        QCOMPARE(w().CarPurchasePrice->text(), QStringLiteral("0"));
        QCOMPARE(w().CarActualEffort->text(), QStringLiteral("0"));
        QCOMPARE(w().CarTargetStartDate->text(), QString());
        QCOMPARE(w().CarNotes->text(), QString());
        QCOMPARE(gui::listText(w().carDescription), QString());
        QCOMPARE(w().supplierfax->text(), QStringLiteral("x"));
        QVERIFY(w().ComponentWishList->isChecked());

        w().tbproject->setCurrentIndex(2);
        w().ClearFields();
        QCOMPARE(w().ComponentQuantity->text(), QString());
        QCOMPARE(w().ComponentTargetCost->text(), QStringLiteral("0"));
        QCOMPARE(w().ComponentActualCost->text(), QStringLiteral("0"));
        QVERIFY(!w().ComponentWishList->isChecked());
        QCOMPARE(gui::listText(w().ComponentAssembly), QString());

        w().tbproject->setCurrentIndex(4);
        w().ClearFields();
        QCOMPARE(w().ActivityComponents->count(), 0);
        QCOMPARE(w().ActivityTargetEffort->text(), QStringLiteral("0"));
        QCOMPARE(w().ActivityTargetStartDate->text(), QString());
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
        QCOMPARE(w().preferences.backColor, qint32(0x8000000F));
        QVERIFY(w().preferences.stretch);
        QCOMPARE(w().preferences.treeView, QStringLiteral("E"));
        QCOMPARE(w().palette().color(QPalette::Window), gui::fromStoredColour(gui::SystemButtonFace));
    }

    void storedBackgroundColour()
    {
        m_f->stop();
        m_f->settings().setValue(QStringLiteral("STARTUP/BACKCOLOR"), QStringLiteral("12632256")); // 0xC0C0C0
        m_f->settings().setValue(QStringLiteral("STARTUP/STRETCH"), QStringLiteral("False"));
        QVERIFY(m_f->start(m_f->databasePath()));
        QCOMPARE(w().palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(w().tbproject->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
        QVERIFY(!w().preferences.stretch);
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
