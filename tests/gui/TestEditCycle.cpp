// The record editor driven as a user drives it: picking, adding, changing, cancelling, saving and
// deleting, with the database read back directly.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "common/Clock.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;
using testing::Peek;

namespace {

enum Button { Add = 0, Update = 1, Cancel = 2, Save = 3, Delete = 4 };
// Each tab's pick list and table.
const char* const Lists[] = { "carDescription", "assemblyDescription", "componentDescription", "phaseDescription",
    "ActivityDescription", "SupplierName" };
const char* const Tables[] = { "Car", "Assembly", "Component", "Phase", "Activity", "Supplier" };

} // namespace

class TestEditCycle : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    QMainWindow& w() { return m_f->form(); }
    Peek peek() { return Peek(m_f->databasePath()); }
    QComboBox* list(int tab) { return child<QComboBox>(w(), Lists[tab]); }
    qint32 picked(int tab) { return testing::pickedKey(list(tab)); }
    void answer(gui::Answer a)
    {
        gui::DialogSeam::reset();
        gui::DialogSeam::queueAnswer(a);
    }

    // What the named boxes show, "a|b|c".
    QString shown(const QString& names)
    {
        QStringList texts;
        for (const QString& name : names.split(QLatin1Char(','))) {
            QWidget* b = child<QWidget>(w(), qPrintable(name));
            if (auto* line = qobject_cast<QLineEdit*>(b))
                texts << line->text();
            else if (auto* notes = qobject_cast<gui::NotesEdit*>(b))
                texts << notes->text();
            else
                texts << gui::listText(qobject_cast<QComboBox*>(b));
        }
        return texts.join(QLatin1Char('|'));
    }

    // Types "box=text|box=text" as a user would.
    void type(const QString& typed)
    {
        for (const QString& pair : typed.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            m_f->type(child<QWidget>(w(), qPrintable(pair.section(QLatin1Char('='), 0, 0))),
                pair.section(QLatin1Char('='), 1));
    }

    // Adds a record on a tab and answers the key the tab then shows.
    qint32 add(int tab, const QString& typed)
    {
        m_f->showTab(tab);
        m_f->press(Add);
        type(typed);
        m_f->press(Save);
        return tab == 0 ? m_f->carID() : picked(tab);
    }
    // Projects of our own (the sample may not be changed) and their records.
    qint32 newCar(const QString& name) { return add(0, "CarDisplayDescription=" + name); }
    qint32 newAssembly(const QString& name) { return add(1, "AssemblyDisplayDescription=" + name); }
    qint32 newPhase(const QString& name) { return add(3, "PhaseDisplayDescription=" + name); }
    qint32 newActivity(const QString& name, const QString& phase)
    {
        return add(4, QStringLiteral("ActivityDisplayDescription=%1|ActivityPhase=%2").arg(name, phase));
    }
    qint32 newComponent(const QString& name, const QString& assembly, const QString& activity = QString())
    {
        return add(2,
            QStringLiteral("ComponentDisplayDescription=%1|ComponentAssembly=%2|ComponentActivity=%3|"
                           "ComponentQuantity=2|ComponentTargetCost=97.95")
                .arg(name, assembly, activity));
    }
    // One of each: assembly Engine, phase Strip, activity Pull engine in it, component Hoist on both;
    // each tab is left showing its record.
    qint32 newProject(const QString& name)
    {
        const qint32 car = newCar(name);
        newAssembly("Engine");
        newPhase("Strip");
        newActivity("Pull engine", "Strip");
        newComponent("Hoist", "Engine", "Pull engine");
        return car;
    }

private Q_SLOTS:
    void init()
    {
        common::Clock::setFixed(QDateTime(QDate(2026, 4, 2), QTime(10, 15, 30)));
        m_f = new FormFixture;
        QVERIFY(m_f->start());
    }

    void cleanup()
    {
        delete m_f;
        m_f = nullptr;
        common::Clock::setFixed(std::nullopt);
    }

    // The lists hold the picked car's records, by description; Update and Delete wait for a pick;
    // the sample never offers moving or attaching. A component as another program may store it
    // (Null status and actual cost, activity 0 for none, a Null middle part of its notes) shows so.
    void pickingACarFillsItsLists()
    {
        const Peek p = peek();
        p.exec("INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, quantity, targetcost, "
               "actualcost, note1, note2, note3) SELECT 1, MIN(assemblyid), 0, 'Odd door', NULL, 1200, 979500, NULL, "
               "'abc', NULL, 'def' FROM Assembly WHERE carid = 1");
        m_f->openCar(1);
        QCOMPARE(shown("projectDescription"), list(0)->currentText());
        for (int tab = 1; tab < 5; ++tab) {
            QCOMPARE(list(tab)->count(),
                p.count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE carid = 1").arg(Tables[tab])));
            for (int i = 1; i < list(tab)->count(); ++i)
                QVERIFY(list(tab)->itemText(i - 1).compare(list(tab)->itemText(i), Qt::CaseInsensitive) <= 0);
        }
        QCOMPARE(child<QComboBox>(w(), "ComponentActivity")->count(), list(4)->count());
        QCOMPARE(child<QComboBox>(w(), "ActivityPhase")->count(), list(3)->count());
        m_f->showTab(3);
        QCOMPARE(m_f->buttonPattern(), "100001");
        m_f->pick(list(3), list(3)->itemData(0).toInt());
        QCOMPARE(m_f->buttonPattern(), "110011");
        QVERIFY(!child<QPushButton>(w(), "cmdMoveUp")->isEnabled());
        QVERIFY(!child<QPushButton>(w(), "cmdAttachComponent")->isEnabled());
        m_f->showTab(2);
        m_f->pickText(list(2), "Odd door");
        QCOMPARE(shown("ComponentQuantity,ComponentTargetCost,ComponentActualCost,ComponentNotes,ComponentStatus,"
                       "ComponentDisplayActivity,ComponentPhase"),
            "1,200|$97.95|0|abcdef|< None >||");
    }

    // Two records of one name: the pick is made by key, so the second shows the second.
    void duplicateNamesPickByKey()
    {
        const qint32 car = newCar("Twin bolts");
        newAssembly("Frame");
        const qint32 first = newComponent("Bolt", "Frame");
        const qint32 second = newComponent("Bolt", "Frame");
        QVERIFY(first != second);
        peek().value("UPDATE Component SET catalogpage = 'p' || componentid WHERE carid = ?", { car });
        for (const qint32 key : { first, second }) {
            m_f->pick(list(2), key);
            QCOMPARE(picked(2), key);
            QCOMPARE(shown("ComponentCatalogPage"), QStringLiteral("p%1").arg(key));
        }
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
        QTest::newRow("add activity") << 4 << int(Add) << changed;
        QTest::newRow("update car") << 0 << int(Update) << changed;
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
        const QString rows = "SELECT COUNT(*) FROM Component WHERE carid = 1 OR auditdate >= '2026'";
        const qint64 before = peek().count(rows);
        answer(gui::Answer::Yes);
        m_f->press(button);
        QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(m_f->buttonPattern(), message.isEmpty() ? "001100" : "110011");
        QCOMPARE(peek().count(rows), before);
    }

    void tabsWithoutACar_data()
    {
        QTest::addColumn<int>("tab");
        for (int tab = 1; tab <= 5; ++tab)
            QTest::newRow(Tables[tab]) << tab;
    }

    // Without a project only the shared suppliers can be worked on.
    void tabsWithoutACar()
    {
        QFETCH(int, tab);
        m_f->showTab(tab);
        if (tab < 5) {
            QCOMPARE(boxTexts(), QStringList { "Please Select A Project Car To Work With" });
            QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 0);
            QCOMPARE(m_f->buttonPattern(), "100001");
            return;
        }
        QCOMPARE(boxTexts(), QStringList());
        m_f->pick(list(5), 3);
        QCOMPARE(
            shown("SupplierDisplayName"), peek().value("SELECT Name FROM Supplier WHERE supplierid = 3").toString());
        QCOMPARE(m_f->buttonPattern(), "110011");
    }

    void carRoundTrip()
    {
        const qint32 car = add(0, "CarDisplayDescription=1965 Mustang Fastback|CarPurchasePrice=3295");
        const Peek p = peek();
        const auto row = [&](const char* columns) {
            return p.value(QStringLiteral("SELECT %1 FROM Car WHERE carid = ?").arg(columns), { car }).toString();
        };
        QCOMPARE(row("Description || '|' || purchaseprice || '|' || auditdate"),
            "1965 Mustang Fastback|32950000|2026-04-02 10:15:30");
        QCOMPARE(shown("CarPurchasePrice,assemblyDescription"), "$3,295|<No Entries>");

        // While editing the list is hidden, so nothing else can be picked; Cancel keeps the record.
        m_f->press(Update);
        QVERIFY(list(0)->isHidden());
        type("CarMake=Ford");
        m_f->press(Cancel);
        QCOMPARE(shown("CarMake") + row("IFNULL(make, 'Null')"), "Null");
        QCOMPARE(m_f->carID(), car);

        // Notes are kept in three parts of 50.
        const QString a(50, QLatin1Char('a')), b(50, QLatin1Char('b')), c(50, QLatin1Char('c'));
        m_f->press(Update);
        type("CarMake=Ford|CarResaleValue=$41,250.50|CarNotes=" + a + b + c);
        m_f->press(Save);
        QCOMPARE(row("make || '|' || resalevalue || '|' || note1 || '|' || note2 || '|' || note3"),
            QStringList({ "Ford", "412510000", a, b, c }).join(QLatin1Char('|')));
        QCOMPARE(shown("CarResaleValue"), "$41,251");
        QCOMPARE(m_f->carID(), car);
    }

    // Each kind is stored under its car and parents; an emptied activity detaches the component; a
    // new supplier is offered on the component tab at once.
    void childRoundTrips()
    {
        const qint32 car = newProject("Healey 3000");
        const QString keys = QStringLiteral("%1|%2|%3|%4|979500").arg(car).arg(picked(1)).arg(picked(4)).arg(picked(3));
        const qint32 component = picked(2);
        const Peek p = peek();
        QCOMPARE(p.value("SELECT c.carid || '|' || assemblyid || '|' || c.ActivityID || '|' || PhaseID || '|' || "
                         "targetcost FROM Component c JOIN Activity USING (ActivityID) WHERE componentid = ?",
                      { component })
                     .toString(),
            keys);
        QCOMPARE(shown("ComponentDisplayActivity,ComponentPhase"), "Pull engine|Strip");
        m_f->showTab(4);
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->item(0)->text(), "Hoist");
        m_f->showTab(2);
        m_f->press(Update);
        type("ComponentActivity=");
        m_f->press(Save);
        QVERIFY(p.value("SELECT ActivityID FROM Component WHERE componentid = ?", { component }).isNull());
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->item(0)->text(), "<No Components For This Activity>");

        const QString awkward = "O'Brien's \"Speed\" Shop";
        add(5, "SupplierDisplayName=" + awkward);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Supplier WHERE Name = ?", { awkward }), 1);
        QVERIFY(child<QComboBox>(w(), "ComponentSupplierName")->findText(awkward) >= 0);
    }

    // Cancel of an Add shows the record that was showing, or the empty list text, and writes nothing.
    void cancelAdd()
    {
        newCar("Cancel car");
        newAssembly("Engine");
        m_f->showTab(2);
        m_f->press(Add);
        type("ComponentDisplayDescription=Never saved|ComponentAssembly=Engine");
        m_f->press(Cancel);
        QCOMPARE(shown("componentDescription"), "<No Entries>");
        QCOMPARE(m_f->buttonPattern(), "100001");
        const qint32 kept = newComponent("Fan belt", "Engine");
        m_f->press(Add);
        type("ComponentDisplayDescription=Never saved");
        m_f->press(Cancel);
        QCOMPARE(picked(2), kept);
        QCOMPARE(shown("ComponentDisplayDescription"), "Fan belt");
        QCOMPARE(m_f->buttonPattern(), "110011");
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Component WHERE Description = 'Never saved'"), 0);
    }

    // Save after Update rewrites the record shown on that tab, whatever was looked at meanwhile.
    void updateWritesTheShownRecord()
    {
        newCar("Keyed car");
        newAssembly("Doors");
        newAssembly("Hood");
        const qint32 first = newComponent("Hinge", "Doors");
        const qint32 other = newComponent("Latch", "Hood");
        m_f->pick(list(2), first);
        m_f->showTab(1);
        m_f->pickText(list(1), "Hood");
        m_f->showTab(2);
        m_f->press(Update);
        type("ComponentDisplayDescription=Door hinge");
        m_f->press(Save);
        QCOMPARE(peek()
                     .value("SELECT GROUP_CONCAT(Description, '|') FROM (SELECT Description FROM Component WHERE "
                            "componentid IN (?, ?) ORDER BY componentid)",
                         { first, other })
                     .toString(),
            "Door hinge|Latch");
    }

    // A case or two of each family of rules (the rules themselves are tested without windows): the
    // boxes reach the rules, the refusal is shown with its field focused, the edit stays open and
    // nothing is written. Names only another project has are refused.
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
        QTest::newRow("no description") << 0 << "CarPurchasePrice=5" << "You Have To Enter A Description!"
                                        << "CarDisplayDescription";
        QTest::newRow("price before resale") << 0 << "CarDisplayDescription=Car|CarPurchasePrice=x|CarResaleValue=1a"
                                             << "The Purchase Price Is Not A Number" << "CarPurchasePrice";
        QTest::newRow("no assembly name") << 1 << "" << "You Have To Enter A Description!" << "AssemblyDisplayDescription";
        QTest::newRow("no supplier name") << 5 << "" << "You Have To Enter A Name!" << "SupplierDisplayName";
        QTest::newRow("another car's assembly") << 2 << part + "Sample engine" << "Please Select A Valid 'Assembly'"
                                                << "ComponentAssembly";
        QTest::newRow("another car's activity") << 2 << part + "Engine|ComponentActivity=Sample job"
                                                << "Please Select A Valid 'Activity'" << "ComponentActivity";
        QTest::newRow("cost without quantity") << 2 << part + "Engine|ComponentTargetCost=5"
                                               << "The Quantity Cannot = 0,  if Cost > 0" << "ComponentQuantity";
        QTest::newRow("assembly in other case") << 2 << part + "engine" << "" << "";
        QTest::newRow("stop without start") << 4 << job + "ActivityTargetStopDate=5/1/2003"
                                            << "If You Have A Stop Date You Must Have A Start Date"
                                            << "ActivityTargetStartDate";
        QTest::newRow("stopped before started") << 4 << job + "ActivityActualStartDate=1/10/2003|"
                                                   "ActivityActualStopDate=1/9/2003" << early << "ActivityActualStopDate";
        QTest::newRow("across a year end") << 4 << job + "ActivityTargetStartDate=12/31/2002|"
                                              "ActivityTargetStopDate=1/1/2003" << "" << "";
        // clang-format on
    }

    void refusals()
    {
        QFETCH(int, tab);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        const Peek p = peek();
        p.exec("INSERT INTO Assembly (carid, Description) VALUES (1, 'Sample engine')");
        p.exec("INSERT INTO Activity (carid, PhaseID, Description) VALUES (1, 1, 'Sample job')");
        const qint32 car = newProject("Rules");
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

    // A new phase goes after the highest, gaps and all; activities count within their phase.
    void prioritySequences()
    {
        newCar("Sequenced");
        const qint32 first = newPhase("One");
        const qint32 second = newPhase("Two");
        newPhase("Three");
        m_f->pick(list(3), second);
        answer(gui::Answer::Yes);
        m_f->press(Delete);
        const qint32 fourth = newPhase("Four");
        const qint32 a = newActivity("A", "One");
        const qint32 b = newActivity("B", "One");
        const qint32 c = newActivity("C", "Four");
        const Peek p = peek();
        QCOMPARE(p.value("SELECT prioritysequence FROM Phase WHERE PhaseID = ?", { fourth }).toInt(), 4);
        QCOMPARE(p.value("SELECT GROUP_CONCAT(PhaseID || ':' || prioritysequence, '|') FROM (SELECT * FROM Activity "
                         "WHERE ActivityID IN (?, ?, ?) ORDER BY ActivityID)",
                      { a, b, c })
                     .toString(),
            QStringLiteral("%1:1|%1:2|%2:1").arg(first).arg(fourth));
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
    }

    // The question defaults to No; Yes takes the record and what hangs on it, all or nothing, and
    // nothing of the shared suppliers or other projects; components outlive their activity, detached.
    void deleting()
    {
        QFETCH(int, tab);
        QFETCH(bool, yes);
        QFETCH(bool, phasesLocked);
        const qint32 car = newProject("Doomed");
        const Peek p = peek();
        if (phasesLocked)
            p.exec("CREATE TRIGGER keep_phases BEFORE DELETE ON Phase BEGIN SELECT RAISE(ABORT, 'locked'); END");
        const QString others = "SELECT (SELECT COUNT(*) FROM Supplier) || '|' || (SELECT COUNT(*) FROM Component "
                               "WHERE carid = 1)";
        const QString before = p.value(others).toString();
        m_f->showTab(tab);
        answer(yes ? gui::Answer::Yes : gui::Answer::No);
        m_f->press(Delete);
        QCOMPARE(gui::DialogSeam::shownBoxes().first().defaultAnswer, gui::Answer::No);
        QTEST(p.value("SELECT (SELECT COUNT(*) FROM Car WHERE carid = k) || '|' || (SELECT COUNT(*) FROM Assembly "
                      "WHERE carid = k) || '|' || (SELECT COUNT(*) FROM Component WHERE carid = k) || '|' || (SELECT "
                      "COUNT(*) FROM Phase WHERE carid = k) || '|' || (SELECT COUNT(*) FROM Activity WHERE carid = k) "
                      "|| '|' || (SELECT COUNT(*) FROM Component WHERE carid = k AND ActivityID IS NOT NULL) FROM "
                      "(SELECT ? AS k)",
                   { car })
                  .toString(),
            "left");
        QCOMPARE(p.value(others).toString(), before);
        QCOMPARE(boxTexts().last().contains("locked"), phasesLocked);
        if (tab > 0) { // the component tab no longer names the activity
            QCOMPARE(shown("ComponentDisplayActivity,ComponentActivity"), "|");
            QCOMPARE(child<QComboBox>(w(), "ComponentActivity")->count(), 0);
        } else { // the car shown stays, or nothing is shown
            QCOMPARE(m_f->carID(), yes && !phasesLocked ? 0 : car);
            QCOMPARE(m_f->buttonPattern(), yes && !phasesLocked ? "100001" : "110011");
        }
    }

    // The totals on every tab follow a saved change of cost, quantity or dates, and a deleted component.
    void totalsFollowChanges()
    {
        newProject("Flags");
        const QString costs = "AssemblyTargetCost,CarTargetCost,PhaseTargetCost,ActivityTargetCost";
        QCOMPARE(shown(costs), "$195.90|$195.90|$195.90|$195.90");
        m_f->press(Update);
        type("ComponentNotes=hired for a weekend");
        m_f->press(Save);
        QCOMPARE(shown(costs), "$195.90|$195.90|$195.90|$195.90");
        m_f->press(Update);
        type("ComponentQuantity=3");
        m_f->press(Save);
        QCOMPARE(shown(costs), "$293.85|$293.85|$293.85|$293.85");

        m_f->showTab(4);
        m_f->press(Update);
        type("ActivityTargetStartDate=3/1/2026");
        m_f->press(Save);
        QCOMPARE(
            shown("PhaseTargetStartDate,CarTargetStartDate,ComponentTargetStartDate"), "3/1/2026|3/1/2026|3/1/2026");

        // A component deleted right after a save that left its costs alone takes its costs along.
        m_f->showTab(2);
        m_f->press(Update);
        m_f->press(Save);
        answer(gui::Answer::Yes);
        m_f->press(Delete);
        QCOMPARE(shown(costs), "$.00|$.00|$.00|$.00");
    }

    // The copy keeps the sample's name; it is the new project, picked by its key, that is shown. A
    // file that is not a project adds nothing and says why.
    void exportAndImportFromTheMenu()
    {
        m_f->openCar(1);
        const QString file = m_f->files().path("pickup.json");
        gui::DialogSeam::queueFileName(file);
        child<QAction>(w(), "mnuExportProject")->trigger();
        gui::DialogSeam::queueFileName(file);
        child<QAction>(w(), "mnuImportProject")->trigger();
        const Peek p = peek();
        const qint32 imported = m_f->carID();
        QVERIFY(imported > 1);
        QCOMPARE(p.value("SELECT MAX(carid) FROM Car").toInt(), imported);
        const qint64 parts = p.count("SELECT COUNT(*) FROM Component WHERE carid = 1");
        QCOMPARE(list(2)->count(), parts);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Component WHERE carid = ?", { imported }), parts);

        QFile broken(m_f->files().path("broken.json"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{\"format\": \"gearlog-project\", \"version\": 1}");
        broken.close();
        gui::DialogSeam::queueFileName(broken.fileName());
        child<QAction>(w(), "mnuImportProject")->trigger();
        QCOMPARE(p.value("SELECT MAX(carid) FROM Car").toInt(), imported);
        QVERIFY(boxTexts().last().contains("car: must be an object"));
    }

    // A write the database refuses is reported; the edit stays open with what was typed, and the
    // same Save goes through once the database accepts it.
    void failedSaveKeepsTheEdit()
    {
        newCar("Failing");
        newAssembly("Engine");
        peek().exec("CREATE TRIGGER refuse BEFORE INSERT ON Component BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
        m_f->showTab(2);
        m_f->press(Add);
        type("ComponentDisplayDescription=Radiator|ComponentAssembly=Engine");
        gui::DialogSeam::reset();
        m_f->press(Save);
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY2(boxTexts().first().contains("disk is full"), qPrintable(boxTexts().first()));
        QCOMPARE(m_f->buttonPattern(), "001100");
        QCOMPARE(shown("ComponentDisplayDescription"), "Radiator");
        const QString saved = "SELECT COUNT(*) FROM Component WHERE Description = 'Radiator'";
        QCOMPARE(peek().count(saved), 0);

        peek().exec("DROP TRIGGER refuse");
        m_f->press(Save);
        QCOMPARE(peek().count(saved), 1);
        QCOMPARE(m_f->buttonPattern(), "110011");
    }

    // Another program changed or deleted the row after it was shown: the save writes nothing, says
    // so, and the tab shows the row as it now stands (or no longer lists it).
    void saveAfterAnotherProgram_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("elsewhere"); // %1: the key of the row shown
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shownAfter"); // empty: the row is gone
        // clang-format off
        QTest::newRow("car changed") << 0 << "UPDATE Car SET make = 'Ford' WHERE carid = %1" << "CarMake" << "Ford";
        QTest::newRow("assembly deleted") << 1 << "DELETE FROM Assembly WHERE assemblyid = %1"
                                          << "AssemblyDisplayDescription" << "";
        QTest::newRow("phase renamed in case only") << 3 << "UPDATE Phase SET Description = 'STRIP' WHERE PhaseID = %1"
                                                    << "PhaseDisplayDescription" << "STRIP";
        QTest::newRow("supplier's notes filled") << 5 << "UPDATE Supplier SET note1 = 'call first' WHERE supplierid = %1"
                                                 << "suppliercity" << "call first";
        // clang-format on
    }

    void saveAfterAnotherProgram()
    {
        QFETCH(int, tab);
        QFETCH(QString, elsewhere);
        QFETCH(QString, field);
        QFETCH(QString, shownAfter);
        newProject("Racer");
        m_f->showTab(tab);
        if (tab == 5)
            m_f->pick(list(5), list(5)->itemData(0).toInt());
        const qint32 key = picked(tab);
        m_f->press(Update);
        type(field + "=Typed");
        peek().exec(elsewhere.arg(key));
        gui::DialogSeam::reset();
        m_f->press(Save);

        QCOMPARE(boxTexts(),
            QStringList { shownAfter.isEmpty()
                    ? "This Record Was Deleted By Someone Else Since It Was Shown; Nothing Was Saved."
                    : "This Record Was Changed By Someone Else Since It Was Shown. It Is Shown Again As It Now "
                      "Stands; Nothing Was Saved." });
        QCOMPARE(peek().count("SELECT (SELECT COUNT(*) FROM Car WHERE make = 'Typed') + (SELECT COUNT(*) FROM Assembly "
                              "WHERE Description = 'Typed') + (SELECT COUNT(*) FROM Phase WHERE Description = 'Typed') "
                              "+ (SELECT COUNT(*) FROM Supplier WHERE city = 'Typed')"),
            0);
        QCOMPARE(list(tab)->findData(key) >= 0, !shownAfter.isEmpty());
        if (shownAfter.isEmpty()) {
            QCOMPARE(m_f->buttonPattern(), "100001");
            return;
        }
        QCOMPARE(picked(tab), key);
        QCOMPARE(shown(tab == 5 ? "SupplierNotes" : field), shownAfter);
        // Shown afresh, the row saves again.
        m_f->press(Update);
        m_f->press(Save);
        QCOMPARE(boxTexts().size(), 1);
        QCOMPARE(m_f->buttonPattern(), "110011");
    }
};

QTEST_MAIN(TestEditCycle)
#include "TestEditCycle.moc"
