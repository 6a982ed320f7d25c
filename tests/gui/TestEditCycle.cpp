// The record editor driven as a user drives it: picking, adding, changing, cancelling, saving and
// deleting, with the database read back directly.

#include "support/FormFixture.h"

#include "common/Clock.h"
#include "gui/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

using testing::boxTexts;
using testing::child;
using testing::Peek;

namespace {

enum Button { Add = 0, Update = 1, Cancel = 2, Save = 3, Delete = 4 };
const char* const Tables[] = { "Car", "Assembly", "Component", "Phase", "Activity", "Supplier" };

} // namespace

class TestEditCycle : public testing::FormTest
{
    Q_OBJECT

    QComboBox* list(int tab) { return m_f->list(tab); }
    qint32 picked(int tab) { return testing::pickedKey(list(tab)); }
    QString shown(const QString& names) { return m_f->shown(names); }
    void type(const QString& typed) { m_f->type(typed); }

    qint32 add(int tab, const QString& typed) { return m_f->add(tab, typed); }
    // A project of our own (the sample may not be changed): assembly Engine, phase Strip, activity
    // Pull engine in it, component Hoist on both; each tab is left showing its record.
    qint32 newProject(const QString& name)
    {
        const store::Key car = add(0, "CarDisplayDescription=" + name);
        add(1, "AssemblyDisplayDescription=Engine");
        add(3, "PhaseDisplayDescription=Strip");
        add(4, "ActivityDisplayDescription=Pull engine|ActivityPhase=Strip");
        add(2,
            "ComponentDisplayDescription=Hoist|ComponentAssembly=Engine|ComponentActivity=Pull engine|"
            "ComponentQuantity=2|ComponentTargetCost=97.95");
        return car;
    }

private Q_SLOTS:
    // Without a project only the suppliers can be worked on; lists hold the car's records; a component
    // as another program may store it (Nulls, activity 0 for none) shows so.
    void pickingACarFillsItsLists()
    {
        m_f->showTab(4);
        QCOMPARE(boxTexts(), QStringList { "Please Select A Project Car To Work With" });
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 0);
        m_f->showTab(5);
        m_f->pick(list(5), 3);
        QCOMPARE(boxTexts().size(), 1);
        QCOMPARE(m_f->buttonPattern(), "110011");
        const Peek p = m_f->peek();
        p.exec("INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, quantity, targetcost, "
               "actualcost, note1, note2, note3) SELECT 1, MIN(assemblyid), 0, 'Odd door', NULL, 1200, 979500, NULL, "
               "'abc', NULL, 'def' FROM Assembly WHERE carid = 1");
        m_f->openCar(1);
        for (int tab = 1; tab < 5; ++tab) // the order is the names test's
            QCOMPARE(list(tab)->count(),
                p.count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE carid = 1").arg(Tables[tab])));
        m_f->showTab(2);
        QCOMPARE(m_f->buttonPattern(), "100001");
        m_f->pickText(list(2), "Odd door");
        QCOMPARE(shown("ComponentQuantity,ComponentTargetCost,ComponentActualCost,ComponentNotes,ComponentStatus,"
                       "ComponentDisplayActivity,ComponentPhase"),
            "1,200|$97.95|0|abcdef|< None >||");
        QCOMPARE(m_f->buttonPattern(), "110011");
    }

    void sampleProjectGuards_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("message"); // empty: allowed
        const QString changed = "The Gear-Log Demo Project Cannot Be Changed";
        const QString deleted = "The Gear-Log Demo Project Cannot Be Deleted";
        QTest::newRow("a new car may be started") << 0 << int(Add) << "";
        QTest::newRow("add assembly") << 1 << int(Add) << changed;
        QTest::newRow("update supplier") << 5 << int(Update) << changed;
        QTest::newRow("delete car") << 0 << int(Delete) << deleted;
        QTest::newRow("delete component") << 2 << int(Delete) << deleted;
    }

    // Refused whatever the user would answer after; nothing is written.
    void sampleProjectGuards()
    {
        QFETCH(int, tab);
        QFETCH(int, button);
        QFETCH(QString, message);
        m_f->openCar(1);
        m_f->showTab(tab);
        if (button != Add && tab > 0)
            m_f->pick(list(tab), list(tab)->itemData(0).toInt());
        const QString rows = "SELECT COUNT(*) FROM Component WHERE carid = 1 OR auditdate >= '2026-01-01'";
        const qint64 before = m_f->peek().count(rows);
        gui::DialogSeam::reset();
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(button);
        QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(m_f->buttonPattern(), message.isEmpty() ? "001100" : "110011");
        QCOMPARE(m_f->peek().count(rows), before);
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("added"); // typed after Add
        QTest::addColumn<QString>("shown"); // boxes=texts after the add
        QTest::addColumn<QString>("changed"); // typed after Update, cancelled once, then saved
        QTest::addColumn<QString>("row"); // SQL on the record's key
        QTest::addColumn<QString>("stored"); // what it reads after the change
        const QString a(50, QLatin1Char('a')), b(50, QLatin1Char('b')), c(50, QLatin1Char('c'));
        const QString awkward = "O'Brien's \"Speed\" Shop";
        // clang-format off
        QTest::newRow("car") << 0 << "CarDisplayDescription=1965 Mustang|CarPurchasePrice=3295"
            << "CarPurchasePrice,assemblyDescription=$3,295|<No Entries>"
            << "CarMake=Ford|CarResaleValue=$41,250.50|CarNotes=" + a + b + c
            << "SELECT Description || '|' || purchaseprice || '|' || make || '|' || resalevalue || '|' || note1 || '|' "
               "|| note2 || '|' || note3 || '|' || auditdate FROM Car WHERE carid = ?"
            << QStringList({ "1965 Mustang", "32950000", "Ford", "412510000", a, b, c, "2026-04-02 10:15:30" }).join('|');
        QTest::newRow("component named as another; an emptied activity detaches it")
            << 2 << "ComponentDisplayDescription=Hoist|ComponentAssembly=Engine|ComponentActivity=Pull engine|"
                    "ComponentQuantity=2|ComponentTargetCost=12.5"
            << "ComponentDisplayActivity,ComponentPhase,CarTargetCost,ActivityTargetCost=Pull engine|Strip|$220.90|$220.90"
            << "ComponentDisplayDescription=Floor jack|ComponentActivity="
            << "SELECT c.Description || '|' || a.Description || '|' || COALESCE(CAST(ActivityID AS VARCHAR(20)), 'Null') || '|' || targetcost "
               "FROM Component c JOIN Assembly a ON a.assemblyid = c.assemblyid AND a.carid = c.carid WHERE componentid = ?"
            << "Floor jack|Engine|Null|125000";
        QTest::newRow("activity dates reach its phase and the car") << 4
            << "ActivityDisplayDescription=Sand|ActivityPhase=Strip|ActivityTargetStartDate=3/1/2026"
            << "PhaseTargetStartDate,CarTargetStartDate=3/1/2026|3/1/2026" << "ActivityTargetStartDate=2/29/2028"
            << "SELECT Description || '|' || targetstartdate FROM Activity WHERE ActivityID = ?" << "Sand|2028-02-29";
        QTest::newRow("supplier with quotes") << 5 << "SupplierDisplayName=" + awkward
            << "SupplierDisplayName=" + awkward << "suppliercity=Leeds"
            << "SELECT Name || '|' || city FROM Supplier WHERE supplierid = ?" << awkward + "|Leeds";
        // clang-format on
    }

    // Cancels write nothing; picks are by key, so a second record of one name saves as itself; Save
    // rewrites the record shown on that tab, whatever was looked at meanwhile.
    void roundTrip()
    {
        QFETCH(int, tab);
        QFETCH(QString, added);
        QFETCH(QString, changed);
        QFETCH(QString, row);
        newProject("Healey 3000");
        const Peek p = m_f->peek();
        const QString count = QStringLiteral("SELECT COUNT(*) FROM ") + Tables[tab];
        const qint64 rows = p.count(count);
        m_f->showTab(tab);
        const qint32 showing = picked(tab);
        m_f->press(Add);
        type(added);
        m_f->press(Cancel);
        QCOMPARE(picked(tab), showing);
        const store::Key key = add(tab, added);
        QCOMPARE(p.count(count), rows + 1);
        QFETCH(QString, shown);
        QCOMPARE(m_f->shown(shown.section('=', 0, 0)), shown.section('=', 1));
        const QString before = p.value(row, { key }).toString();
        m_f->press(Update);
        type(changed);
        m_f->press(Cancel);
        QCOMPARE(p.value(row, { key }).toString(), before);
        if (showing) {
            m_f->pick(list(tab), showing);
            m_f->pick(list(tab), key);
        }
        const int other = tab == 0 ? 5 : 1;
        m_f->showTab(other);
        m_f->pick(list(other), list(other)->itemData(0).toInt());
        m_f->showTab(tab);
        m_f->press(Update);
        type(changed);
        m_f->press(Save);
        QTEST(p.value(row, { key }).toString(), "stored");
        if (tab == 5) // offered on the component tab at once
            QVERIFY(child<QComboBox>(w(), "ComponentSupplierName")->findText(shown.section('=', 1)) >= 0);
    }

    // The boxes reach the rules (tested without windows): the refusal focuses its field, the edit
    // stays open, nothing is written; names only another project has are refused.
    void refusals_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: saved
        QTest::addColumn<QString>("focus");
        const QString part = "ComponentDisplayDescription=Pump|ComponentAssembly=";
        const QString job = "ActivityDisplayDescription=Prime|";
        const QString early = "The Actual Stop Date Is Before The Actual Start Date";
        // clang-format off
        QTest::newRow("price before resale") << 0 << "CarDisplayDescription=Car|CarPurchasePrice=x|CarResaleValue=1a"
                                             << "The Purchase Price Is Not A Number" << "CarPurchasePrice";
        QTest::newRow("another car's assembly") << 2 << part + "Sample engine" << "Please Select A Valid 'Assembly'"
                                                << "ComponentAssembly";
        QTest::newRow("another car's activity") << 2 << part + "Engine|ComponentActivity=Sample job"
                                                << "Please Select A Valid 'Activity'" << "ComponentActivity";
        QTest::newRow("cost without quantity") << 2 << part + "Engine|ComponentTargetCost=5"
                                               << "The Quantity Cannot = 0,  if Cost > 0" << "ComponentQuantity";
        QTest::newRow("assembly in other case") << 2 << part + "engine" << "" << "";
        QTest::newRow("stopped before started") << 4 << job + "ActivityActualStartDate=1/10/2003|"
                                                   "ActivityActualStopDate=1/9/2003" << early << "ActivityActualStopDate";
        // clang-format on
    }

    void refusals()
    {
        QFETCH(int, tab);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        const Peek p = m_f->peek();
        p.exec("INSERT INTO Assembly (carid, Description) VALUES (1, 'Sample engine')");
        p.exec("INSERT INTO Activity (carid, PhaseID, Description) VALUES (1, 1, 'Sample job')");
        const store::Key car = newProject("Rules");
        const QString rows = QStringLiteral("SELECT COUNT(*) FROM ") + Tables[tab];
        const qint64 before = p.count(rows);
        m_f->showTab(tab);
        m_f->press(Add);
        type(typed);
        gui::DialogSeam::reset();
        m_f->press(Save);
        QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(p.count(rows), before + (message.isEmpty() ? 1 : 0));
        // No component of ours points at another project's assembly or activity.
        QCOMPARE(p.count("SELECT COUNT(*) FROM Component c WHERE carid = ? AND (NOT EXISTS (SELECT 1 FROM Assembly a "
                         "WHERE a.assemblyid = c.assemblyid AND a.carid = c.carid) OR ActivityID IN (SELECT "
                         "ActivityID FROM Activity WHERE carid <> c.carid))",
                     { car }),
            0);
        if (message.isEmpty())
            return;
        QWidget* focused = QApplication::focusWidget();
        while (focused && focused->objectName().isEmpty())
            focused = focused->parentWidget(); // the line edit inside a list
        QTEST(focused ? focused->objectName() : QString(), "focus");
        QCOMPARE(m_f->buttonPattern(), "001100");
    }

    void deleting_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("phasesLocked"); // the database refuses half-way
        QTest::addColumn<QString>("left"); // the project's cars|assemblies|components|phases|activities|attached
        QTest::newRow("car, answered No") << 0 << false << false << "1|1|1|1|1|1";
        QTest::newRow("car takes everything") << 0 << true << false << "0|0|0|0|0|0";
        QTest::newRow("car, failing half-way") << 0 << true << true << "1|1|1|1|1|1";
        QTest::newRow("phase detaches its components") << 3 << true << false << "1|1|1|0|0|0";
        QTest::newRow("activity detaches its components") << 4 << true << false << "1|1|1|1|0|0";
        QTest::newRow("component, taking its costs from every total") << 2 << true << false << "1|1|0|1|1|0";
    }

    // Deleting after a save that changed nothing: the question defaults to No; Yes takes the record and
    // what hangs on it, all or nothing, nothing shared or of other projects; components outlive their activity.
    void deleting()
    {
        QFETCH(int, tab);
        QFETCH(bool, yes);
        QFETCH(bool, phasesLocked);
        const store::Key car = newProject("Doomed");
        const Peek p = m_f->peek();
        if (phasesLocked)
            p.refuseWrites("DELETE", "Phase", "locked");
        const QString others = "SELECT (SELECT COUNT(*) FROM Supplier) || '|' || (SELECT COUNT(*) FROM Component "
                               "WHERE carid = 1)";
        const QString before = p.value(others).toString();
        m_f->showTab(tab);
        m_f->press(Update);
        m_f->press(Save);
        gui::DialogSeam::reset();
        gui::DialogSeam::queueAnswer(yes ? gui::Answer::Yes : gui::Answer::No);
        m_f->press(Delete);
        QCOMPARE(gui::DialogSeam::shownBoxes().first().defaultAnswer, gui::Answer::No);
        QStringList left;
        for (int table = 0; table < 5; ++table)
            left << QString::number(
                p.count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE carid = ?").arg(Tables[table]), { car }));
        left << QString::number(
            p.count("SELECT COUNT(*) FROM Component WHERE carid = ? AND ActivityID IS NOT NULL", { car }));
        QTEST(left.join('|'), "left");
        QCOMPARE(p.value(others).toString(), before);
        QCOMPARE(boxTexts().last().contains("locked"), phasesLocked);
        if (tab == 2)
            QCOMPARE(
                shown("AssemblyTargetCost,CarTargetCost,PhaseTargetCost,ActivityTargetCost"), "$.00|$.00|$.00|$.00");
        if (tab > 0) { // the component tab no longer names the activity
            QCOMPARE(shown("ComponentDisplayActivity,ComponentActivity"), "|");
        } else { // the car shown stays, or nothing is shown
            QCOMPARE(m_f->carID(), yes && !phasesLocked ? 0 : car);
            QCOMPARE(m_f->buttonPattern(), yes && !phasesLocked ? "100001" : "110011");
        }
    }

    // A date picked from a box's calendar is written as a typed one and saved: the calendar opens on
    // the box's date (a leap day here, the day after is in March) or on today for an empty box (the
    // last of a year here, the day after is in the next). The
    // calendar is offered only while the record is being edited.
    void pickingDates()
    {
        common::Clock::setFixed(QDateTime(QDate(2028, 12, 31), QTime(12, 0)));
        newProject("Healey 3000");
        const store::Key job = picked(4);
        m_f->showTab(4);
        QVERIFY(!child<QAction>(w(), "ActivityTargetStartDateCalendar")->isVisible());
        m_f->press(Update);
        m_f->type(child<QLineEdit>(w(), "ActivityTargetStartDate"), "2/29/2028");
        for (const char* box : { "ActivityTargetStartDate", "ActivityTargetStopDate" }) {
            QTest::keyClick(child<QLineEdit>(w(), box), Qt::Key_Down, Qt::AltModifier);
            QVERIFY(qobject_cast<QCalendarWidget*>(QApplication::activePopupWidget()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(shown("ActivityTargetStartDate,ActivityTargetStopDate"), "3/1/2028|1/1/2029");
        m_f->press(Save);
        const QString stored = "SELECT targetstartdate || '|' || targetstopdate FROM Activity WHERE ActivityID = ?";
        QCOMPARE(m_f->peek().value(stored, { job }).toString(), "2028-03-01|2029-01-01");
        common::Clock::setFixed(std::nullopt);
    }

    // The copy keeps the sample's name; it is the new project, picked by its key, that is shown.
    // Progress counts the 72 records exported and the 80 imported (the car and its 7 suppliers too).
    void exportAndImportFromTheMenu()
    {
        m_f->openCar(1);
        const QString file = m_f->files().path("pickup.json");
        gui::DialogSeam::queueFileName(file);
        child<QAction>(w(), "mnuExportProject")->trigger();
        gui::DialogSeam::queueFileName(file);
        child<QAction>(w(), "mnuImportProject")->trigger();
        const Peek p = m_f->peek();
        const store::Key imported = m_f->carID();
        QCOMPARE(p.value("SELECT MAX(carid) FROM Car").toInt(), imported);
        const qint64 parts = p.count("SELECT COUNT(*) FROM Component WHERE carid = 1");
        QCOMPARE(list(2)->count(), parts);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Component WHERE carid = ?", { imported }), parts);
        QCOMPARE(gui::DialogSeam::progressShown(),
            QStringList({ "Exporting the project: 72 of 72 records", "Importing the project: 80 of 80 records" }));
    }

    // Undo and Redo name the change, are offered only while browsing, and bring back what a delete
    // took, shown on its project; an undo over another program's change is refused and says so.
    void undoAndRedo()
    {
        QAction* undo = child<QAction>(w(), "mnuUndo");
        QAction* redo = child<QAction>(w(), "mnuRedo");
        QCOMPARE(undo->text() + u'|' + redo->text(), "&Undo|&Redo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        const store::Key car = newProject("Blue & Grey");
        QCOMPARE(undo->text(), "&Undo Add Component 'Hoist'");
        QVERIFY(undo->isEnabled());
        m_f->showTab(0);
        m_f->press(Update);
        QVERIFY(!undo->isEnabled());
        QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier); // no undo while editing
        m_f->press(Cancel);
        QVERIFY(undo->isEnabled());
        const Peek p = m_f->peek();
        const QString rows = "SELECT (SELECT COUNT(*) FROM Component WHERE ActivityID > 0) || '|' || "
                             "(SELECT COUNT(*) FROM Activity)";
        const QString whole = p.value(rows).toString();
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        QCOMPARE(undo->text(), "&Undo Delete Project 'Blue && Grey'");
        QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(p.value(rows).toString(), whole);
        QCOMPARE(m_f->carID(), car);
        QCOMPARE(shown("ComponentDisplayDescription,CarTargetCost"), "Hoist|$195.90");
        QCOMPARE(redo->text(), "&Redo Delete Project 'Blue && Grey'");
        QTest::keyClick(&w(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(m_f->carID(), 0);
        QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Car WHERE carid = ?", { car }), 0);
        undo->trigger();

        p.exec(QStringLiteral("UPDATE Component SET quantity = 9 WHERE carid = %1").arg(car));
        gui::DialogSeam::reset();
        undo->trigger(); // Add Component 'Hoist'
        QVERIFY(boxTexts().join("").contains("Someone else changed these records since; nothing was undone."));
        QCOMPARE(p.count("SELECT quantity FROM Component WHERE carid = ?", { car }), 9);
        QCOMPARE(undo->text(), "&Undo");
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
    }

    // A row changed or deleted by another program since shown, or a refused write: nothing is written, the
    // user is told; a changed row shows as it stands, a refused write keeps the edit for the next Save.
    void failedSaves_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("elsewhere"); // %1: the key of the row shown
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shownAfter"); // box=text; empty: the row is gone
        // clang-format off
        QTest::newRow("car's other field changed") << 0 << "UPDATE Car SET make = 'Ford' WHERE carid = %1"
                                                   << "Changed By Someone Else Since It Was Shown" << "CarMake=Ford";
        QTest::newRow("assembly deleted") << 1 << "DELETE FROM Assembly WHERE assemblyid = %1"
                                          << "Deleted By Someone Else Since It Was Shown; Nothing Was Saved." << "";
        QTest::newRow("write refused") << 1 << "" << "disk is full" << "AssemblyDisplayDescription=Typed";
        // clang-format on
    }

    void failedSaves()
    {
        QFETCH(int, tab);
        QFETCH(QString, elsewhere);
        QFETCH(QString, message);
        QFETCH(QString, shownAfter);
        newProject("Racer");
        m_f->showTab(tab);
        const store::Key key = picked(tab);
        m_f->press(Update);
        type(QString::fromLatin1(Tables[tab]) + "DisplayDescription=Typed");
        if (elsewhere.isEmpty())
            m_f->peek().refuseWrites("UPDATE", "Assembly");
        else
            m_f->peek().exec(elsewhere.arg(key));
        gui::DialogSeam::reset();
        m_f->press(Save);
        const QString typed = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Description = 'Typed'").arg(Tables[tab]);
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY2(boxTexts().first().contains(message), qPrintable(boxTexts().first()));
        QCOMPARE(m_f->peek().count(typed), 0);
        QCOMPARE(list(tab)->findData(key) >= 0, !shownAfter.isEmpty());
        if (shownAfter.isEmpty()) {
            QCOMPARE(m_f->buttonPattern(), "100001");
            return;
        }
        QCOMPARE(picked(tab), key);
        QCOMPARE(shown(shownAfter.section('=', 0, 0)), shownAfter.section('=', 1));
        const bool kept = shownAfter.endsWith("=Typed");
        QCOMPARE(m_f->buttonPattern(), kept ? "001100" : "110011");
        m_f->peek().allowWrites("Assembly");
        if (!kept)
            m_f->press(Update);
        m_f->press(Save);
        QCOMPARE(boxTexts().size(), 1);
        QCOMPARE(m_f->buttonPattern(), "110011");
        QCOMPARE(m_f->peek().count(typed), kept ? 1 : 0);
    }
};

QTEST_MAIN(TestEditCycle)
#include "TestEditCycle.moc"
