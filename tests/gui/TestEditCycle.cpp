// The record editor driven as a user drives it: picking, adding, changing, cancelling, saving and
// deleting, with the database read back directly.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "common/Clock.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"

#include <QApplication>
#include <QCheckBox>
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
    template <class W = QLineEdit> W* box(const char* name) { return child<W>(w(), name); }
    qint32 picked(int tab) { return testing::pickedKey(box<QComboBox>(Lists[tab])); }
    void pickFirst(int tab) { m_f->pick(box<QComboBox>(Lists[tab]), box<QComboBox>(Lists[tab])->itemData(0).toInt()); }

    // What the named boxes show, "a|b|c".
    QString shown(const char* names)
    {
        QStringList texts;
        for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(','))) {
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
    void typeInto(const QString& typed)
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
        typeInto(typed);
        m_f->press(Save);
        return tab == 0 ? m_f->carID() : picked(tab);
    }
    // A project of our own (the sample may not be changed) and its records.
    qint32 newCar(const QString& name) { return add(0, QStringLiteral("CarDisplayDescription=") + name); }
    qint32 newAssembly(const QString& name) { return add(1, QStringLiteral("AssemblyDisplayDescription=") + name); }
    qint32 newPhase(const QString& name) { return add(3, QStringLiteral("PhaseDisplayDescription=") + name); }
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

    // --- Picking and showing --------------------------------------------------------------------

    // The lists hold the picked car's records, by description; Update and Delete wait for a pick;
    // the sample never offers moving or attaching.
    void pickingACarFillsItsLists()
    {
        m_f->openCar(1);
        QCOMPARE(shown("projectDescription"), box<QComboBox>("carDescription")->currentText());
        const Peek p = peek();
        for (int tab = 1; tab < 5; ++tab) {
            auto* list = box<QComboBox>(Lists[tab]);
            QCOMPARE(list->count(),
                p.count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE carid = 1").arg(QLatin1String(Tables[tab]))));
            for (int i = 1; i < list->count(); ++i)
                QVERIFY(list->itemText(i - 1).compare(list->itemText(i), Qt::CaseInsensitive) <= 0);
        }
        QCOMPARE(box<QComboBox>("ComponentActivity")->count(), box<QComboBox>("ActivityDescription")->count());
        QCOMPARE(box<QComboBox>("ActivityPhase")->count(), box<QComboBox>("phaseDescription")->count());
        m_f->showTab(3);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
        pickFirst(3);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QVERIFY(!box<QPushButton>("cmdMoveUp")->isEnabled());
        QVERIFY(!box<QPushButton>("cmdAttachComponent")->isEnabled());
    }

    // A component as another program may store it: Null status and actual cost, activity 0 (none),
    // notes with a Null middle part.
    void storedValuesShown()
    {
        peek().exec("INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, quantity, targetcost, "
                    "actualcost, note1, note2, note3) SELECT 1, MIN(assemblyid), 0, 'Odd door', NULL, 1200, 979500, "
                    "NULL, 'abc', NULL, 'def' FROM Assembly WHERE carid = 1");
        m_f->openCar(1);
        m_f->showTab(2);
        m_f->pickText(box<QComboBox>("componentDescription"), QStringLiteral("Odd door"));
        QCOMPARE(shown("ComponentQuantity,ComponentTargetCost,ComponentActualCost,ComponentNotes,ComponentStatus,"
                       "ComponentDisplayActivity,ComponentPhase"),
            QStringLiteral("1,200|$97.95|0|abcdef|< None >||"));
    }

    // Two records of one name: the pick is made by key, so the second shows the second.
    void duplicateNamesPickByKey()
    {
        const qint32 car = newCar(QStringLiteral("Twin bolts"));
        newAssembly(QStringLiteral("Frame"));
        const qint32 first = newComponent(QStringLiteral("Bolt"), QStringLiteral("Frame"));
        const qint32 second = newComponent(QStringLiteral("Bolt"), QStringLiteral("Frame"));
        QVERIFY(first != second);
        peek().value("UPDATE Component SET catalogpage = 'p' || componentid WHERE carid = ?", { car });
        for (const qint32 key : { first, second }) {
            m_f->pick(box<QComboBox>("componentDescription"), key);
            QCOMPARE(picked(2), key);
            QCOMPARE(shown("ComponentCatalogPage"), QStringLiteral("p%1").arg(key));
        }
    }

    // --- The sample project and tabs without a project -------------------------------------------

    void sampleProjectGuards_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("message"); // empty: allowed
        const QString changed = QStringLiteral("The Gear-Log Demo Project Cannot Be Changed");
        const QString deleted = QStringLiteral("The Gear-Log Demo Project Cannot Be Deleted");
        QTest::newRow("a new car may be started") << 0 << int(Add) << "";
        QTest::newRow("add assembly") << 1 << int(Add) << changed;
        QTest::newRow("add activity") << 4 << int(Add) << changed;
        QTest::newRow("update car") << 0 << int(Update) << changed;
        QTest::newRow("update supplier") << 5 << int(Update) << changed;
        QTest::newRow("delete car") << 0 << int(Delete) << deleted;
        QTest::newRow("delete component") << 2 << int(Delete) << deleted;
    }

    void sampleProjectGuards()
    {
        QFETCH(int, tab);
        QFETCH(int, button);
        QFETCH(QString, message);
        m_f->openCar(1);
        m_f->showTab(tab);
        if (button != Add && tab > 0)
            pickFirst(tab);
        const QString rows = QStringLiteral("SELECT COUNT(*) FROM Component WHERE carid = 1 OR auditdate >= '2026'");
        const qint64 before = peek().count(rows);
        gui::DialogSeam::reset();
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(button);
        if (message.isEmpty()) {
            QCOMPARE(boxTexts(), QStringList());
            QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
            return;
        }
        QCOMPARE(boxTexts(), QStringList { message });
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(peek().count(rows), before);
    }

    // Without a project only the shared suppliers can be worked on.
    void tabsWithoutACar_data()
    {
        QTest::addColumn<int>("tab");
        for (int tab = 1; tab <= 5; ++tab)
            QTest::newRow(Tables[tab]) << tab;
    }

    void tabsWithoutACar()
    {
        QFETCH(int, tab);
        m_f->showTab(tab);
        if (tab < 5) {
            QCOMPARE(boxTexts(), QStringList { QStringLiteral("Please Select A Project Car To Work With") });
            QCOMPARE(box<QTabWidget>("tbproject")->currentIndex(), 0);
            QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
            return;
        }
        QCOMPARE(boxTexts(), QStringList());
        m_f->pick(box<QComboBox>("SupplierName"), 3);
        QCOMPARE(
            shown("SupplierDisplayName"), peek().value("SELECT Name FROM Supplier WHERE supplierid = 3").toString());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }

    // --- Round trips ---------------------------------------------------------------------------------

    void carRoundTrip()
    {
        const qint32 car = add(0, QStringLiteral("CarDisplayDescription=1965 Mustang Fastback|CarPurchasePrice=3295"));
        QVERIFY(car > 1);
        const Peek p = peek();
        const auto row = [&](const char* columns) {
            return p.value(QStringLiteral("SELECT %1 FROM Car WHERE carid = ?").arg(QLatin1String(columns)), { car })
                .toString();
        };
        QCOMPARE(row("Description || '|' || purchaseprice || '|' || auditdate"),
            QStringLiteral("1965 Mustang Fastback|32950000|2026-04-02 10:15:30"));
        QCOMPARE(shown("CarPurchasePrice,assemblyDescription"), QStringLiteral("$3,295|<No Entries>"));

        // While editing the list is hidden, so nothing else can be picked; Cancel keeps the record.
        m_f->press(Update);
        QVERIFY(box<QComboBox>("carDescription")->isHidden());
        typeInto(QStringLiteral("CarMake=Ford"));
        m_f->press(Cancel);
        QCOMPARE(shown("CarMake"), QString());
        QVERIFY(p.value("SELECT make FROM Car WHERE carid = ?", { car }).isNull());
        QCOMPARE(m_f->carID(), car);

        // Notes are kept in three parts of 50.
        const QString a(50, QLatin1Char('a')), b(50, QLatin1Char('b')), c(50, QLatin1Char('c'));
        m_f->press(Update);
        typeInto(QStringLiteral("CarMake=Ford|CarResaleValue=$41,250.50|CarNotes=") + a + b + c);
        m_f->press(Save);
        QCOMPARE(row("make || '|' || resalevalue || '|' || note1 || '|' || note2 || '|' || note3"),
            QStringList({ "Ford", "412510000", a, b, c }).join(QLatin1Char('|')));
        QCOMPARE(shown("CarResaleValue"), QStringLiteral("$41,251"));
        QCOMPARE(m_f->carID(), car);

        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Car WHERE carid = ?", { car }), 0);
        QCOMPARE(m_f->carID(), 0);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
        QCOMPARE(shown("projectDescription"), QString());
    }

    // Each kind is stored under its car and parents; an emptied activity detaches the component.
    void childRoundTrips()
    {
        const qint32 car = newCar(QStringLiteral("Healey 3000"));
        const qint32 assembly = newAssembly(QStringLiteral("Brakes"));
        const qint32 phase = newPhase(QStringLiteral("Chassis"));
        const qint32 activity = newActivity(QStringLiteral("Rebuild calipers"), QStringLiteral("Chassis"));
        const qint32 component = newComponent(
            QStringLiteral("Caliper seal kit"), QStringLiteral("Brakes"), QStringLiteral("Rebuild calipers"));
        const Peek p = peek();
        QCOMPARE(p.value("SELECT c.carid || '|' || assemblyid || '|' || c.ActivityID || '|' || PhaseID || '|' || "
                         "targetcost FROM Component c JOIN Activity USING (ActivityID) WHERE componentid = ?",
                      { component })
                     .toString(),
            QStringLiteral("%1|%2|%3|%4|979500").arg(car).arg(assembly).arg(activity).arg(phase));
        QCOMPARE(shown("ComponentDisplayActivity,ComponentPhase"), QStringLiteral("Rebuild calipers|Chassis"));

        m_f->showTab(4);
        m_f->pick(box<QComboBox>("ActivityDescription"), activity);
        QCOMPARE(box<QListWidget>("ActivityComponents")->item(0)->text(), QStringLiteral("Caliper seal kit"));
        m_f->showTab(2);
        m_f->press(Update);
        typeInto(QStringLiteral("ComponentActivity="));
        m_f->press(Save);
        QVERIFY(p.value("SELECT ActivityID FROM Component WHERE componentid = ?", { component }).isNull());
        QCOMPARE(box<QListWidget>("ActivityComponents")->item(0)->text(),
            QStringLiteral("<No Components For This Activity>"));

        // A new supplier is offered on the component tab at once.
        const QString awkward = QStringLiteral("O'Brien's \"Speed\" Shop");
        add(5, QStringLiteral("SupplierDisplayName=") + awkward);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Supplier WHERE Name = ?", { awkward }), 1);
        QVERIFY(box<QComboBox>("ComponentSupplierName")->findText(awkward) >= 0);
    }

    // Cancel of an Add shows the record that was showing, or the empty list text, and writes nothing.
    void cancelAdd()
    {
        newCar(QStringLiteral("Cancel car"));
        newAssembly(QStringLiteral("Engine"));
        m_f->showTab(2);
        m_f->press(Add);
        typeInto(QStringLiteral("ComponentDisplayDescription=Never saved|ComponentAssembly=Engine"));
        m_f->press(Cancel);
        QCOMPARE(shown("componentDescription"), QStringLiteral("<No Entries>"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));

        const qint32 kept = newComponent(QStringLiteral("Fan belt"), QStringLiteral("Engine"));
        m_f->press(Add);
        typeInto(QStringLiteral("ComponentDisplayDescription=Never saved"));
        m_f->press(Cancel);
        QCOMPARE(picked(2), kept);
        QCOMPARE(shown("ComponentDisplayDescription"), QStringLiteral("Fan belt"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Component WHERE Description = 'Never saved'"), 0);
    }

    // Save after Update rewrites the record shown on that tab, whatever was looked at meanwhile.
    void updateWritesTheShownRecord()
    {
        newCar(QStringLiteral("Keyed car"));
        newAssembly(QStringLiteral("Doors"));
        newAssembly(QStringLiteral("Hood"));
        const qint32 first = newComponent(QStringLiteral("Hinge"), QStringLiteral("Doors"));
        const qint32 other = newComponent(QStringLiteral("Latch"), QStringLiteral("Hood"));
        m_f->pick(box<QComboBox>("componentDescription"), first);
        m_f->showTab(1);
        m_f->pickText(box<QComboBox>("assemblyDescription"), QStringLiteral("Hood"));
        m_f->showTab(2);
        m_f->press(Update);
        typeInto(QStringLiteral("ComponentDisplayDescription=Door hinge"));
        m_f->press(Save);
        const QString names = QStringLiteral("SELECT GROUP_CONCAT(Description, '|') FROM (SELECT Description FROM "
                                             "Component WHERE componentid IN (?, ?) ORDER BY componentid)");
        QCOMPARE(peek().value(names, { first, other }).toString(), QStringLiteral("Door hinge|Latch"));
    }

    // --- Refusals ----------------------------------------------------------------------------------------

    // A case or two of each family of rules (the rules themselves are tested without windows): the
    // boxes reach the rules, the refusal is shown with its field focused, the edit stays open and
    // nothing is written. Names only another project has are refused.
    void refusals_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: saved
        QTest::addColumn<QString>("focus");
        const QString part = QStringLiteral("ComponentDisplayDescription=Water pump|ComponentAssembly=Engine|");
        const QString job = QStringLiteral("ActivityDisplayDescription=Prime|");
        const QString noDescription = QStringLiteral("You Have To Enter A Description!");
        // clang-format off
        QTest::newRow("car without description") << 0 << "CarPurchasePrice=5" << noDescription << "CarDisplayDescription";
        QTest::newRow("price before resale") << 0 << "CarDisplayDescription=Car|CarPurchasePrice=x|CarResaleValue=12a"
                                             << "The Purchase Price Is Not A Number" << "CarPurchasePrice";
        QTest::newRow("assembly without description") << 1 << "" << noDescription << "AssemblyDisplayDescription";
        QTest::newRow("supplier without name") << 5 << "" << "You Have To Enter A Name!" << "SupplierDisplayName";
        QTest::newRow("another car's assembly") << 2 << "ComponentDisplayDescription=Water pump|ComponentAssembly=Sample engine"
                                                << "Please Select A Valid 'Assembly'" << "ComponentAssembly";
        QTest::newRow("another car's activity") << 2 << part + "ComponentActivity=Sample job"
                                                << "Please Select A Valid 'Activity'" << "ComponentActivity";
        QTest::newRow("cost without quantity") << 2 << part + "ComponentTargetCost=5"
                                               << "The Quantity Cannot = 0,  if Cost > 0" << "ComponentQuantity";
        QTest::newRow("assembly typed in other case") << 2 << "ComponentDisplayDescription=Water pump|ComponentAssembly=engine"
                                                      << "" << "";
        QTest::newRow("target stop without start") << 4 << job + "ActivityTargetStopDate=5/1/2003"
                                                   << "If You Have A Stop Date You Must Have A Start Date"
                                                   << "ActivityTargetStartDate";
        QTest::newRow("actual stop before start") << 4 << job + "ActivityActualStartDate=1/10/2003|ActivityActualStopDate=1/9/2003"
                                                  << "The Actual Stop Date Is Before The Actual Start Date"
                                                  << "ActivityActualStopDate";
        QTest::newRow("across a year end") << 4 << job + "ActivityTargetStartDate=12/31/2002|ActivityTargetStopDate=1/1/2003"
                                           << "" << "";
        // clang-format on
    }

    void refusals()
    {
        QFETCH(int, tab);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        const Peek p = peek();
        p.exec("INSERT INTO Assembly (carid, Description) VALUES (1, 'Sample engine')");
        p.exec("INSERT INTO Activity (carid, PhaseID, Description) VALUES (1, 1, 'Sample job')");
        const qint32 car = newCar(QStringLiteral("Rules"));
        newAssembly(QStringLiteral("Engine"));
        newPhase(QStringLiteral("Cooling"));
        newActivity(QStringLiteral("Own job"), QStringLiteral("Cooling"));
        const QString rows = QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(Tables[tab]);
        const qint64 before = p.count(rows);
        m_f->showTab(tab);
        m_f->press(Add);
        typeInto(typed);
        gui::DialogSeam::reset();
        m_f->press(Save);
        // No component of ours may point at another project's assembly or activity.
        QCOMPARE(p.count("SELECT COUNT(*) FROM Component c WHERE carid = ? AND (NOT EXISTS (SELECT 1 FROM Assembly a "
                         "WHERE a.assemblyid = c.assemblyid AND a.carid = c.carid) OR c.ActivityID IN (SELECT "
                         "ActivityID FROM Activity WHERE carid <> c.carid))",
                     { car }),
            0);
        if (message.isEmpty()) {
            QCOMPARE(boxTexts(), QStringList());
            QCOMPARE(p.count(rows), before + 1);
            return;
        }
        QCOMPARE(boxTexts(), QStringList { message });
        QWidget* focused = QApplication::focusWidget();
        while (focused && focused->objectName().isEmpty())
            focused = focused->parentWidget(); // the line edit inside a list
        QCOMPARE(focused ? focused->objectName() : QString(), focus);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        QCOMPARE(p.count(rows), before);
    }

    // --- Sequences -------------------------------------------------------------------------------------

    // A new phase goes after the highest, gaps and all; activities count within their phase.
    void prioritySequences()
    {
        newCar(QStringLiteral("Sequenced"));
        newPhase(QStringLiteral("One"));
        const qint32 second = newPhase(QStringLiteral("Two"));
        newPhase(QStringLiteral("Three"));
        m_f->pick(box<QComboBox>("phaseDescription"), second);
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        const qint32 fourth = newPhase(QStringLiteral("Four"));
        const qint32 a = newActivity(QStringLiteral("A"), QStringLiteral("One"));
        const qint32 b = newActivity(QStringLiteral("B"), QStringLiteral("One"));
        const qint32 c = newActivity(QStringLiteral("C"), QStringLiteral("Four"));
        const Peek p = peek();
        QCOMPARE(p.value("SELECT prioritysequence FROM Phase WHERE PhaseID = ?", { fourth }).toInt(), 4);
        QCOMPARE(p.value("SELECT GROUP_CONCAT(prioritysequence, '|') FROM (SELECT prioritysequence FROM Activity "
                         "WHERE ActivityID IN (?, ?, ?) ORDER BY ActivityID)",
                      { a, b, c })
                     .toString(),
            QStringLiteral("1|2|1"));
        QCOMPARE(p.value("SELECT PhaseID FROM Activity WHERE ActivityID = ?", { c }).toInt(), fourth);
    }

    // --- Deleting -----------------------------------------------------------------------------------------

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
        const qint32 car = newCar(QStringLiteral("Doomed"));
        newAssembly(QStringLiteral("Engine"));
        const qint32 phase = newPhase(QStringLiteral("Strip"));
        const qint32 activity = newActivity(QStringLiteral("Pull engine"), QStringLiteral("Strip"));
        newComponent(QStringLiteral("Hoist hire"), QStringLiteral("Engine"), QStringLiteral("Pull engine"));
        const Peek p = peek();
        if (phasesLocked)
            p.exec("CREATE TRIGGER keep_phases BEFORE DELETE ON Phase BEGIN SELECT RAISE(ABORT, 'locked'); END");
        const QString others = QStringLiteral("SELECT (SELECT COUNT(*) FROM Supplier) || '|' || (SELECT COUNT(*) "
                                              "FROM Component WHERE carid = 1)");
        const QString before = p.value(others).toString();
        m_f->showTab(tab);
        if (tab > 0)
            m_f->pick(box<QComboBox>(Lists[tab]), tab == 3 ? phase : activity);
        gui::DialogSeam::reset();
        gui::DialogSeam::queueAnswer(yes ? gui::Answer::Yes : gui::Answer::No);
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
        if (phasesLocked)
            QVERIFY(boxTexts().last().contains(QStringLiteral("locked")));
        if (tab == 0 && (!yes || phasesLocked)) {
            QCOMPARE(m_f->carID(), car);
            QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        } else if (tab > 0) { // the component tab no longer names the activity
            QCOMPARE(shown("ComponentDisplayActivity,ComponentActivity"), QStringLiteral("|"));
            QCOMPARE(box<QComboBox>("ComponentActivity")->count(), 0);
        }
    }

    // --- Trees and totals -----------------------------------------------------------------------------

    // The plan page brings back the phase tab and its moves, the materials page the assembly tab
    // without them.
    void switchingTreesRemembersTabs()
    {
        newCar(QStringLiteral("Trees"));
        newAssembly(QStringLiteral("Engine"));
        newPhase(QStringLiteral("Strip"));
        QCOMPARE(box<QTabWidget>("TbDisplay")->currentIndex(), 1);
        QVERIFY(box<QPushButton>("cmdMoveUp")->isEnabled());
        for (const int page : { 0, 1 }) {
            box<QTabWidget>("TbDisplay")->setCurrentIndex(page);
            QCOMPARE(box<QTabWidget>("tbproject")->currentIndex(), page ? 3 : 1);
            QCOMPARE(box<QPushButton>("cmdMoveUp")->isEnabled(), page == 1);
        }
    }

    // The totals on every tab follow a saved change of cost, quantity or dates, and a deleted component.
    void totalsFollowChanges()
    {
        newCar(QStringLiteral("Flags"));
        newAssembly(QStringLiteral("Engine"));
        newPhase(QStringLiteral("Strip"));
        newActivity(QStringLiteral("Pull engine"), QStringLiteral("Strip"));
        newComponent(QStringLiteral("Hoist"), QStringLiteral("Engine"), QStringLiteral("Pull engine"));
        const char* const costs = "AssemblyTargetCost,CarTargetCost,PhaseTargetCost,ActivityTargetCost";
        QCOMPARE(shown(costs), QStringLiteral("$195.90|$195.90|$195.90|$195.90"));
        m_f->press(Update);
        typeInto(QStringLiteral("ComponentNotes=hired for a weekend"));
        m_f->press(Save);
        QCOMPARE(shown(costs), QStringLiteral("$195.90|$195.90|$195.90|$195.90"));
        m_f->press(Update);
        typeInto(QStringLiteral("ComponentQuantity=3"));
        m_f->press(Save);
        QCOMPARE(shown(costs), QStringLiteral("$293.85|$293.85|$293.85|$293.85"));

        m_f->showTab(4);
        m_f->press(Update);
        typeInto(QStringLiteral("ActivityTargetStartDate=3/1/2026"));
        m_f->press(Save);
        QCOMPARE(shown("PhaseTargetStartDate,CarTargetStartDate,ComponentTargetStartDate"),
            QStringLiteral("3/1/2026|3/1/2026|3/1/2026"));

        // A component deleted right after a save that left its costs alone takes its costs along.
        m_f->showTab(2);
        m_f->press(Update);
        m_f->press(Save);
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        QCOMPARE(shown(costs), QStringLiteral("$.00|$.00|$.00|$.00"));
    }

    // --- Projects to and from files -----------------------------------------------------------------

    // The copy keeps the sample's name; it is the new project, picked by its key, that is shown. A
    // file that is not a project adds nothing and says why.
    void exportAndImportFromTheMenu()
    {
        m_f->openCar(1);
        const QString file = m_f->files().path(QStringLiteral("pickup.json"));
        gui::DialogSeam::queueFileName(file);
        child<QAction>(w(), "mnuExportProject")->trigger();
        gui::DialogSeam::queueFileName(file);
        child<QAction>(w(), "mnuImportProject")->trigger();
        const Peek p = peek();
        const qint32 imported = m_f->carID();
        QCOMPARE(p.value("SELECT MAX(carid) FROM Car").toInt(), imported);
        QVERIFY(imported > 1);
        QCOMPARE(
            box<QComboBox>("componentDescription")->count(), p.count("SELECT COUNT(*) FROM Component WHERE carid = 1"));
        QCOMPARE(p.count("SELECT COUNT(*) FROM Component WHERE carid = ?", { imported }),
            p.count("SELECT COUNT(*) FROM Component WHERE carid = 1"));

        QFile broken(m_f->files().path(QStringLiteral("broken.json")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{\"format\": \"gearlog-project\", \"version\": 1}");
        broken.close();
        gui::DialogSeam::queueFileName(broken.fileName());
        child<QAction>(w(), "mnuImportProject")->trigger();
        QCOMPARE(p.value("SELECT MAX(carid) FROM Car").toInt(), imported);
        QVERIFY(boxTexts().last().contains(QStringLiteral("car: must be an object")));
    }

    // --- Failures in the middle --------------------------------------------------------------------------

    // A write the database refuses is reported; the edit stays open with what was typed, and the
    // same Save goes through once the database accepts it.
    void failedSaveKeepsTheEdit()
    {
        newCar(QStringLiteral("Failing"));
        newAssembly(QStringLiteral("Engine"));
        peek().exec("CREATE TRIGGER refuse_component BEFORE INSERT ON Component BEGIN "
                    "SELECT RAISE(ABORT, 'disk is full'); END");
        m_f->showTab(2);
        m_f->press(Add);
        typeInto(QStringLiteral("ComponentDisplayDescription=Radiator|ComponentAssembly=Engine"));
        gui::DialogSeam::reset();
        m_f->press(Save);
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY2(boxTexts().first().contains(QStringLiteral("disk is full")), qPrintable(boxTexts().first()));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        QCOMPARE(shown("ComponentDisplayDescription"), QStringLiteral("Radiator"));
        const QString saved = QStringLiteral("SELECT COUNT(*) FROM Component WHERE Description = 'Radiator'");
        QCOMPARE(peek().count(saved), 0);

        peek().exec("DROP TRIGGER refuse_component");
        m_f->press(Save);
        QCOMPARE(peek().count(saved), 1);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }

    // Another program changed or deleted the row after it was shown: the save writes nothing, says
    // so, and the tab shows the row as it now stands (or no longer lists it).
    void saveAfterAnotherProgram_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("elsewhere"); // %1: the key of the row shown
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shownAfter"); // empty: the row is gone
        QTest::newRow("car changed") << 0 << "UPDATE Car SET make = 'Ford' WHERE carid = %1"
                                     << "CarMake"
                                     << "Ford";
        QTest::newRow("assembly deleted") << 1 << "DELETE FROM Assembly WHERE assemblyid = %1"
                                          << "AssemblyDisplayDescription"
                                          << "";
        QTest::newRow("phase renamed in case only") << 3 << "UPDATE Phase SET Description = 'STRIP' WHERE PhaseID = %1"
                                                    << "PhaseDisplayDescription"
                                                    << "STRIP";
        QTest::newRow("supplier's notes filled")
            << 5 << "UPDATE Supplier SET note1 = 'call first' WHERE supplierid = %1"
            << "suppliercity"
            << "call first";
    }

    void saveAfterAnotherProgram()
    {
        QFETCH(int, tab);
        QFETCH(QString, elsewhere);
        QFETCH(QString, field);
        QFETCH(QString, shownAfter);
        newCar(QStringLiteral("Racer"));
        if (tab == 1)
            newAssembly(QStringLiteral("Engine"));
        if (tab == 3)
            newPhase(QStringLiteral("Strip"));
        m_f->showTab(tab);
        if (tab == 5)
            pickFirst(5);
        const qint32 key = picked(tab);
        m_f->press(Update);
        m_f->type(box(qPrintable(field)), QStringLiteral("Typed"));
        peek().exec(elsewhere.arg(key));
        gui::DialogSeam::reset();
        m_f->press(Save);

        QCOMPARE(boxTexts(),
            QStringList { shownAfter.isEmpty()
                    ? QStringLiteral("This Record Was Deleted By Someone Else Since It Was Shown; Nothing Was Saved.")
                    : QStringLiteral("This Record Was Changed By Someone Else Since It Was Shown. It Is Shown Again "
                                     "As It Now Stands; Nothing Was Saved.") });
        QCOMPARE(peek().count("SELECT (SELECT COUNT(*) FROM Car WHERE make = 'Typed') + (SELECT COUNT(*) FROM Assembly "
                              "WHERE Description = 'Typed') + (SELECT COUNT(*) FROM Phase WHERE Description = 'Typed') "
                              "+ (SELECT COUNT(*) FROM Supplier WHERE city = 'Typed')"),
            0);
        if (shownAfter.isEmpty()) {
            QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
            QCOMPARE(box<QComboBox>(Lists[tab])->findData(key), -1);
            return;
        }
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(picked(tab), key);
        QCOMPARE(shown(tab == 5 ? "SupplierNotes" : qPrintable(field)), shownAfter);
        // Shown afresh, the row saves again.
        m_f->press(Update);
        m_f->press(Save);
        QCOMPARE(boxTexts().size(), 1);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }
};

QTEST_MAIN(TestEditCycle)
#include "TestEditCycle.moc"
