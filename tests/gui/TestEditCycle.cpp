// The record editor driven as a user drives it: picking, adding, changing, cancelling, saving and
// deleting on every tab, with the database read back directly.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "common/Clock.h"
#include "gui/Colors.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using testing::child;
using testing::FormFixture;

namespace {

enum Button { Add = 0, Update = 1, Cancel = 2, Save = 3, Delete = 4 };

using testing::Peek;
using testing::boxTexts;

} // namespace

class TestEditCycle : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    QMainWindow& w() { return m_f->form(); }
    Peek peek() { return Peek(m_f->databasePath()); }
    // The key of the entry a pick list shows.
    qint32 picked(const char* list) { return testing::pickedKey(child<QComboBox>(w(), list)); }

    // A project of our own (the sample may not be changed), made through the Car tab.
    qint32 newCar(const QString& name)
    {
        m_f->showTab(0);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "CarDisplayDescription"), name);
        m_f->type(child<QLineEdit>(w(), "CarPurchasePrice"), QStringLiteral("3295"));
        m_f->press(Save);
        return m_f->carID();
    }

    qint32 newAssembly(const QString& name)
    {
        m_f->showTab(1);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "AssemblyDisplayDescription"), name);
        m_f->press(Save);
        return picked("assemblyDescription");
    }

    qint32 newPhase(const QString& name)
    {
        m_f->showTab(3);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "PhaseDisplayDescription"), name);
        m_f->press(Save);
        return picked("phaseDescription");
    }

    qint32 newActivity(const QString& name, const QString& phase)
    {
        m_f->showTab(4);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ActivityDisplayDescription"), name);
        m_f->type(child<QComboBox>(w(), "ActivityPhase"), phase);
        m_f->press(Save);
        return picked("ActivityDescription");
    }

    qint32 newComponent(const QString& name, const QString& assembly, const QString& activity = QString())
    {
        m_f->showTab(2);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ComponentDisplayDescription"), name);
        m_f->type(child<QComboBox>(w(), "ComponentAssembly"), assembly);
        if (!activity.isEmpty())
            m_f->type(child<QComboBox>(w(), "ComponentActivity"), activity);
        m_f->type(child<QLineEdit>(w(), "ComponentQuantity"), QStringLiteral("2"));
        m_f->type(child<QLineEdit>(w(), "ComponentTargetCost"), QStringLiteral("97.95"));
        m_f->press(Save);
        return picked("componentDescription");
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

    void pickingACarFillsItsLists()
    {
        m_f->openCar(1);
        QCOMPARE(m_f->carID(), 1);
        QCOMPARE(child<QLineEdit>(w(), "projectDescription")->text(),
            child<QComboBox>(w(), "carDescription")->currentText());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(m_f->panelText(1), QStringLiteral("Add, Change, Or Delete A 'Car'"));
        QCOMPARE(m_f->panelText(3), QStringLiteral("Entries =  1"));
        QVERIFY(child<QTabWidget>(w(), "TbDisplay")->isEnabled());
        const Peek p = peek();
        QCOMPARE(child<QComboBox>(w(), "assemblyDescription")->count(),
            p.count("SELECT COUNT(*) FROM Assembly WHERE carid = 1"));
        QCOMPARE(child<QComboBox>(w(), "componentDescription")->count(),
            p.count("SELECT COUNT(*) FROM Component WHERE carid = 1"));
        QCOMPARE(
            child<QComboBox>(w(), "ActivityDescription")->count(), child<QComboBox>(w(), "ComponentActivity")->count());
        QCOMPARE(child<QComboBox>(w(), "ActivityDescription")->count(),
            p.count("SELECT COUNT(*) FROM Activity WHERE carid = 1"));
        QCOMPARE(child<QComboBox>(w(), "phaseDescription")->count(), child<QComboBox>(w(), "ActivityPhase")->count());
        QCOMPARE(
            child<QComboBox>(w(), "phaseDescription")->count(), p.count("SELECT COUNT(*) FROM Phase WHERE carid = 1"));
        QCOMPARE(gui::listText(child<QComboBox>(w(), "assemblyDescription")), QStringLiteral("<Select An Assembly>"));
        // Entries by description, case ignored.
        for (int i = 1; i < child<QComboBox>(w(), "componentDescription")->count(); ++i)
            QVERIFY(child<QComboBox>(w(), "componentDescription")
                        ->itemText(i - 1)
                        .compare(child<QComboBox>(w(), "componentDescription")->itemText(i), Qt::CaseInsensitive)
                <= 0);
        // The sample project never offers moving or attaching.
        QVERIFY(!child<QPushButton>(w(), "cmdMoveUp")->isEnabled());
        m_f->showTab(3);
        m_f->pick(
            child<QComboBox>(w(), "phaseDescription"), child<QComboBox>(w(), "phaseDescription")->itemData(0).toInt());
        QVERIFY(!child<QPushButton>(w(), "cmdMoveUp")->isEnabled());
        QVERIFY(!child<QPushButton>(w(), "cmdAttachComponent")->isEnabled());
    }

    // Stored values as the boxes show them: money, quantities, Nulls, notes, status.
    void fieldFormats()
    {
        const Peek p = peek();
        p.exec("INSERT INTO Car (Description, purchaseprice, resalevalue, totalbudget) VALUES ('Format car', "
               "32950000, 12345, NULL)");
        const int car = p.value("SELECT MAX(carid) FROM Car").toInt();
        p.exec(QStringLiteral("INSERT INTO Assembly (carid, Description, Status) VALUES (%1, 'Body', NULL)").arg(car));
        const int assembly = p.value("SELECT MAX(assemblyid) FROM Assembly").toInt();
        p.exec(QStringLiteral("INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, quantity, "
                              "targetcost, actualcost, note1, note2, note3, wishlist) VALUES (%1, %2, 0, 'Door', 2, "
                              "1200, 979500, NULL, 'abc', NULL, 'def', 1)")
                   .arg(car)
                   .arg(assembly));
        QVERIFY(m_f->restart()); // the list is read when the program starts
        m_f->openCar(car);
        QCOMPARE(child<QLineEdit>(w(), "CarPurchasePrice")->text(), QStringLiteral("$3,295"));
        QCOMPARE(
            child<QLineEdit>(w(), "CarResaleValue")->text(), QStringLiteral("$1")); // 1.2345 rounds to whole dollars
        QCOMPARE(child<QLineEdit>(w(), "CarTotalBudget")->text(), QStringLiteral("0"));
        m_f->pickText(child<QComboBox>(w(), "assemblyDescription"), QStringLiteral("Body"));
        QCOMPARE(gui::listText(child<QComboBox>(w(), "AssemblyStatus")), QStringLiteral("< None >"));
        QCOMPARE(child<QLineEdit>(w(), "AssemblyDisplayStatus")->text(), QString());
        m_f->pickText(child<QComboBox>(w(), "componentDescription"), QStringLiteral("Door"));
        QCOMPARE(child<QLineEdit>(w(), "ComponentQuantity")->text(), QStringLiteral("1,200"));
        QCOMPARE(child<QLineEdit>(w(), "ComponentTargetCost")->text(), QStringLiteral("$97.95"));
        QCOMPARE(child<QLineEdit>(w(), "ComponentActualCost")->text(), QStringLiteral("0"));
        QCOMPARE(child<gui::NotesEdit>(w(), "ComponentNotes")->text(), QStringLiteral("abcdef"));
        QCOMPARE(child<QLineEdit>(w(), "ComponentDisplayStatus")->text(), QStringLiteral("Completed"));
        QCOMPARE(child<QComboBox>(w(), "ComponentStatus")->currentIndex(), 2);
        QVERIFY(child<QCheckBox>(w(), "ComponentWishList")->isChecked());
        QCOMPARE(child<QLineEdit>(w(), "ComponentDisplayAssembly")->text(), QStringLiteral("Body"));
        // ActivityID 0 is not attached.
        QCOMPARE(child<QLineEdit>(w(), "ComponentDisplayActivity")->text(), QString());
        QCOMPARE(child<QLineEdit>(w(), "ComponentPhase")->text(), QString());
    }

    // Two records of one name: the pick is made by key, so the second shows the second.
    void duplicateNamesPickByKey()
    {
        const qint32 car = newCar(QStringLiteral("Twin bolts"));
        newAssembly(QStringLiteral("Frame"));
        const qint32 first = newComponent(QStringLiteral("Bolt"), QStringLiteral("Frame"));
        const qint32 second = newComponent(QStringLiteral("Bolt"), QStringLiteral("Frame"));
        QVERIFY(first != second);
        peek().exec(QStringLiteral("UPDATE Component SET catalogpage = 'p' || componentid WHERE carid = %1").arg(car));
        m_f->showTab(2);
        m_f->pick(child<QComboBox>(w(), "componentDescription"), first);
        QCOMPARE(child<QLineEdit>(w(), "ComponentCatalogPage")->text(), QStringLiteral("p%1").arg(first));
        m_f->pick(child<QComboBox>(w(), "componentDescription"), second);
        QCOMPARE(picked("componentDescription"), second);
        QCOMPARE(child<QLineEdit>(w(), "ComponentCatalogPage")->text(), QStringLiteral("p%1").arg(second));
    }

    // While a record is edited its list is hidden, so nothing else can be picked; Cancel shows the
    // list again on the same record.
    void listHiddenWhileEditing()
    {
        const qint32 car = newCar(QStringLiteral("Hidden list"));
        m_f->press(Update);
        QVERIFY(child<QComboBox>(w(), "carDescription")->isHidden());
        QCOMPARE(child<QLineEdit>(w(), "CarDisplayDescription")->text(), QStringLiteral("Hidden list"));
        m_f->press(Cancel);
        QVERIFY(!child<QComboBox>(w(), "carDescription")->isHidden());
        QCOMPARE(gui::listText(child<QComboBox>(w(), "carDescription")), QStringLiteral("Hidden list"));
        QCOMPARE(m_f->carID(), car);
        m_f->press(Add);
        QVERIFY(child<QComboBox>(w(), "carDescription")->isHidden());
        m_f->press(Cancel);
        QCOMPARE(gui::listText(child<QComboBox>(w(), "carDescription")), QStringLiteral("Hidden list"));
        QCOMPARE(m_f->carID(), car);
    }

    // --- The sample project ----------------------------------------------------------------------

    void sampleProjectGuards_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("add assembly") << 1 << int(Add) << "The Gear-Log Demo Project Cannot Be Changed";
        QTest::newRow("add activity") << 4 << int(Add) << "The Gear-Log Demo Project Cannot Be Changed";
        QTest::newRow("update car") << 0 << int(Update) << "The Gear-Log Demo Project Cannot Be Changed";
        QTest::newRow("update supplier") << 5 << int(Update) << "The Gear-Log Demo Project Cannot Be Changed";
        QTest::newRow("delete car") << 0 << int(Delete) << "The Gear-Log Demo Project Cannot Be Deleted";
        QTest::newRow("delete component") << 2 << int(Delete) << "The Gear-Log Demo Project Cannot Be Deleted";
    }

    void sampleProjectGuards()
    {
        QFETCH(int, tab);
        QFETCH(int, button);
        QFETCH(QString, message);
        m_f->openCar(1);
        m_f->showTab(tab);
        // Update and Delete are offered once a record is picked.
        const char* const lists[] = { "carDescription", "assemblyDescription", "componentDescription",
            "phaseDescription", "ActivityDescription", "SupplierName" };
        if (button != Add && tab > 0) {
            auto* list = child<QComboBox>(w(), lists[tab]);
            m_f->pick(list, list->itemData(0).toInt());
        }
        const qint64 stamped = peek().count("SELECT COUNT(*) FROM Component WHERE auditdate LIKE '2026-04-02%'");
        gui::DialogSeam::reset();
        m_f->press(button);
        QCOMPARE(boxTexts(), QStringList { message });
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QVERIFY(child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Component WHERE auditdate LIKE '2026-04-02%'"), stamped);
    }

    // A new project may be started while the sample is showing.
    void addCarWhileSampleShown()
    {
        m_f->openCar(1);
        m_f->press(Add);
        QVERIFY(gui::DialogSeam::shownBoxes().isEmpty());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        QCOMPARE(m_f->panelText(1), QStringLiteral("Adding New Car..."));
        QVERIFY(!child<QLineEdit>(w(), "CarDisplayDescription")->isHidden());
        QVERIFY(child<QComboBox>(w(), "carDescription")->isHidden());
        QCOMPARE(gui::fieldColour(child<QLineEdit>(w(), "CarMake")), QColor(255, 255, 0));
        QCOMPARE(child<QLineEdit>(w(), "CarPurchasePrice")->text(), QStringLiteral("0"));
        QVERIFY(!child<QMenu>(w(), "mnuFile")->menuAction()->isEnabled());
        QVERIFY(!child<QAction>(w(), "mnuTimeLine")->isEnabled());
        QVERIFY(!child<QTabWidget>(w(), "TbDisplay")->isEnabled());
        for (int i = 1; i < 6; ++i)
            QVERIFY(!child<QTabWidget>(w(), "tbproject")->isTabEnabled(i));
    }

    void recordTabsNeedACar_data()
    {
        QTest::addColumn<int>("tab");
        for (int tab = 1; tab <= 4; ++tab)
            QTest::newRow(qPrintable(QString::number(tab))) << tab;
    }

    void recordTabsNeedACar()
    {
        QFETCH(int, tab);
        m_f->showTab(tab);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("Please Select A Project Car To Work With") });
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 0);
        QCOMPARE(m_f->panelText(1), QStringLiteral("Select A Project From The 'Car' Tab"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
    }

    // Suppliers are shared: their tab works without a project.
    void supplierTabNeedsNoCar()
    {
        m_f->showTab(5);
        QVERIFY(gui::DialogSeam::shownBoxes().isEmpty());
        QCOMPARE(m_f->panelText(2), QStringLiteral("SUPPLIER"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
        m_f->pick(child<QComboBox>(w(), "SupplierName"), 3);
        QCOMPARE(picked("SupplierName"), 3);
        QCOMPARE(child<QLineEdit>(w(), "SupplierDisplayName")->text(),
            peek().value("SELECT Name FROM Supplier WHERE supplierid = 3").toString());
        QCOMPARE(
            child<QLineEdit>(w(), "SupplierDisplayName")->text(), child<QComboBox>(w(), "SupplierName")->currentText());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }

    // --- Round trips ---------------------------------------------------------------------------------

    void carRoundTrip()
    {
        const qint32 car = newCar(QStringLiteral("1965 Mustang Fastback"));
        QVERIFY(car > 1);
        const Peek p = peek();
        QCOMPARE(p.value("SELECT Description FROM Car WHERE carid = ?", { car }).toString(),
                 QStringLiteral("1965 Mustang Fastback"));
        QCOMPARE(p.value("SELECT purchaseprice FROM Car WHERE carid = ?", { car }).toLongLong(), 32950000);
        QCOMPARE(p.value("SELECT auditdate FROM Car WHERE carid = ?", { car }).toString(),
                 QStringLiteral("2026-04-02 10:15:30"));
        // Shown again, picked, with its lists empty.
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(child<QComboBox>(w(), "carDescription")->currentData().toInt(), car);
        QCOMPARE(child<QLineEdit>(w(), "CarPurchasePrice")->text(), QStringLiteral("$3,295"));
        QCOMPARE(m_f->panelText(3), QStringLiteral("Entries =  2"));
        QCOMPARE(gui::listText(child<QComboBox>(w(), "assemblyDescription")), QStringLiteral("<No Entries>"));
        QVERIFY(!child<QComboBox>(w(), "assemblyDescription")->isEnabled());
        QVERIFY(child<QLineEdit>(w(), "CarMake")->isEnabled() == false);

        // Update, then Cancel: nothing changes.
        m_f->press(Update);
        QCOMPARE(m_f->panelText(1), QStringLiteral("Updating Car..."));
        m_f->type(child<QLineEdit>(w(), "CarMake"), QStringLiteral("Ford"));
        m_f->press(Cancel);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(child<QLineEdit>(w(), "CarMake")->text(), QString());
        QVERIFY(p.value("SELECT make FROM Car WHERE carid = ?", { car }).isNull());

        // Update, then Save.
        m_f->press(Update);
        m_f->type(child<QLineEdit>(w(), "CarMake"), QStringLiteral("Ford"));
        m_f->type(child<QLineEdit>(w(), "CarResaleValue"), QStringLiteral("$41,250.50"));
        m_f->press(Save);
        QCOMPARE(p.value("SELECT make FROM Car WHERE carid = ?", { car }).toString(), QStringLiteral("Ford"));
        QCOMPARE(p.value("SELECT resalevalue FROM Car WHERE carid = ?", { car }).toLongLong(), 412510000);
        QCOMPARE(child<QLineEdit>(w(), "CarResaleValue")->text(), QStringLiteral("$41,251"));
        QCOMPARE(m_f->carID(), car);

        // Delete, answering Yes.
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Car WHERE carid = ?", { car }), 0);
        QCOMPARE(m_f->panelText(3), QStringLiteral("Entries =  1"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
        QCOMPARE(m_f->carID(), 0);
        QVERIFY(!child<QTabWidget>(w(), "TbDisplay")->isEnabled());
        QCOMPARE(child<QLineEdit>(w(), "projectDescription")->text(), QString());
    }

    void childRoundTrips()
    {
        const qint32 car = newCar(QStringLiteral("Healey 3000"));
        const qint32 assembly = newAssembly(QStringLiteral("Brakes"));
        QCOMPARE(m_f->panelText(2), QStringLiteral("ASSEMBLY"));
        QCOMPARE(m_f->panelText(3), QStringLiteral("Entries =  1"));
        const qint32 phase = newPhase(QStringLiteral("Chassis"));
        const qint32 activity = newActivity(QStringLiteral("Rebuild calipers"), QStringLiteral("Chassis"));
        const qint32 component = newComponent(QStringLiteral("Caliper seal kit"), QStringLiteral("Brakes"),
                                              QStringLiteral("Rebuild calipers"));
        const Peek p = peek();
        QCOMPARE(p.value("SELECT carid FROM Assembly WHERE assemblyid = ?", { assembly }).toInt(), car);
        QCOMPARE(p.value("SELECT Status FROM Assembly WHERE assemblyid = ?", { assembly }).toInt(), 0);
        QCOMPARE(p.value("SELECT prioritysequence FROM Phase WHERE PhaseID = ?", { phase }).toInt(), 1);
        QCOMPARE(p.value("SELECT PhaseID FROM Activity WHERE ActivityID = ?", { activity }).toInt(), phase);
        QCOMPARE(p.value("SELECT assemblyid FROM Component WHERE componentid = ?", { component }).toInt(), assembly);
        QCOMPARE(p.value("SELECT ActivityID FROM Component WHERE componentid = ?", { component }).toInt(), activity);
        QCOMPARE(p.value("SELECT targetcost FROM Component WHERE componentid = ?", { component }).toLongLong(),
                 979500);
        QCOMPARE(child<QLineEdit>(w(), "ComponentDisplayActivity")->text(), QStringLiteral("Rebuild calipers"));
        QCOMPARE(child<QLineEdit>(w(), "ComponentPhase")->text(), QStringLiteral("Chassis"));

        // The activity lists its component; detaching it (empty activity) refills that list.
        m_f->showTab(4);
        m_f->pick(child<QComboBox>(w(), "ActivityDescription"), activity);
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->count(), 1);
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->item(0)->text(), QStringLiteral("Caliper seal kit"));
        m_f->showTab(2);
        m_f->press(Update);
        m_f->type(child<QComboBox>(w(), "ComponentActivity"), QString());
        m_f->press(Save);
        QVERIFY(p.value("SELECT ActivityID FROM Component WHERE componentid = ?", { component }).isNull());
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->item(0)->text(),
            QStringLiteral("<No Components For This Activity>"));

        // Activity dates: empty is Null, typed dates stored as dates.
        m_f->showTab(4);
        m_f->press(Update);
        m_f->type(child<QLineEdit>(w(), "ActivityTargetStartDate"), QStringLiteral("5/1/2026"));
        m_f->type(child<QLineEdit>(w(), "ActivityActualStartDate"), QStringLiteral("Jun 3, 2026"));
        m_f->press(Save);
        QCOMPARE(p.value("SELECT targetstartdate FROM Activity WHERE ActivityID = ?", { activity }).toString(),
                 QStringLiteral("2026-05-01"));
        QVERIFY(p.value("SELECT targetstopdate FROM Activity WHERE ActivityID = ?", { activity }).isNull());
        QCOMPARE(child<QLineEdit>(w(), "ActivityActualStartDate")->text(), QStringLiteral("6/3/2026"));

        // Supplier: add, shown, with awkward text kept exactly.
        m_f->showTab(5);
        m_f->press(Add);
        QCOMPARE(m_f->panelText(1), QStringLiteral("Add New Supplier..."));
        const QString awkward = QStringLiteral("O'Brien's \"Speed\" Shop");
        m_f->type(child<QLineEdit>(w(), "SupplierDisplayName"), awkward);
        m_f->type(child<QLineEdit>(w(), "suppliercity"), QStringLiteral("DROP TABLE car;--"));
        m_f->press(Save);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Supplier WHERE Name = ?", { awkward }), 1);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Supplier WHERE city = 'DROP TABLE car;--'"), 1);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Car"), 2);
        QCOMPARE(child<QLineEdit>(w(), "SupplierDisplayName")->text(), awkward);
        QCOMPARE(child<QComboBox>(w(), "SupplierName")->currentText(), awkward);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QVERIFY(child<QComboBox>(w(), "ComponentSupplierName")->findText(awkward) >= 0);
    }

    // Cancel of an Add shows the record that was showing, or the empty list text.
    void cancelAdd()
    {
        newCar(QStringLiteral("Cancel car"));
        newAssembly(QStringLiteral("Engine"));
        m_f->showTab(2);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ComponentDisplayDescription"), QStringLiteral("Never saved"));
        m_f->press(Cancel);
        QCOMPARE(gui::listText(child<QComboBox>(w(), "componentDescription")), QStringLiteral("<No Entries>"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));

        const qint32 kept = newComponent(QStringLiteral("Fan belt"), QStringLiteral("Engine"));
        m_f->press(Add);
        QCOMPARE(gui::listText(child<QComboBox>(w(), "ComponentAssembly")), QStringLiteral("Engine"));
        m_f->type(child<QLineEdit>(w(), "ComponentDisplayDescription"), QStringLiteral("Never saved"));
        m_f->press(Cancel);
        QCOMPARE(picked("componentDescription"), kept);
        QCOMPARE(child<QLineEdit>(w(), "ComponentDisplayDescription")->text(), QStringLiteral("Fan belt"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Component WHERE Description = 'Never saved'"), 0);
        QVERIFY(child<QMenu>(w(), "mnuReports")->menuAction()->isEnabled());
        QVERIFY(child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
    }

    // Save after Update rewrites the record shown on that tab, whatever was looked at meanwhile.
    void updateWritesTheShownRecord()
    {
        newCar(QStringLiteral("Keyed car"));
        newAssembly(QStringLiteral("Doors"));
        newAssembly(QStringLiteral("Hood"));
        const qint32 first = newComponent(QStringLiteral("Hinge"), QStringLiteral("Doors"));
        const qint32 other = newComponent(QStringLiteral("Latch"), QStringLiteral("Hood"));
        m_f->showTab(2);
        m_f->pick(child<QComboBox>(w(), "componentDescription"), first);
        m_f->showTab(1);
        m_f->pickText(child<QComboBox>(w(), "assemblyDescription"), QStringLiteral("Hood"));
        m_f->showTab(2);
        m_f->press(Update);
        m_f->type(child<QLineEdit>(w(), "ComponentDisplayDescription"), QStringLiteral("Door hinge"));
        m_f->press(Save);
        const Peek p = peek();
        QCOMPARE(p.value("SELECT Description FROM Component WHERE componentid = ?", { first }).toString(),
                 QStringLiteral("Door hinge"));
        QCOMPARE(p.value("SELECT Description FROM Component WHERE componentid = ?", { other }).toString(),
                 QStringLiteral("Latch"));
    }

    // --- Validation -------------------------------------------------------------------------------------

    void activityRules_data()
    {
        QTest::addColumn<QString>("targetStart");
        QTest::addColumn<QString>("targetStop");
        QTest::addColumn<QString>("actualStart");
        QTest::addColumn<QString>("actualStop");
        QTest::addColumn<QString>("effort");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");

        QTest::newRow("stop before start") << "5/1/2003" << "4/30/2003" << "" << "" << "" 
                                           << "The Target Stop Date Is Before The Target Start Date"
                                           << "ActivityTargetStopDate";
        QTest::newRow("same day") << "5/1/2003" << "5/1/2003" << "" << "" << "" << "" << "";
        QTest::newRow("started, not finished") << "5/1/2003" << "" << "5/2/2003" << "" << "" << "" << "";
        QTest::newRow("target stop only") << "" << "5/1/2003" << "" << "" << ""
                                          << "If You Have A Stop Date You Must Have A Start Date"
                                          << "ActivityTargetStartDate";
        QTest::newRow("actual stop only") << "" << "" << "" << "5/1/2003" << ""
                                          << "If You Have A Stop Date You Must Have A Start Date"
                                          << "ActivityActualStartDate";
        QTest::newRow("bad target start") << "2/30/2003" << "" << "" << "" << ""
                                          << "The Target Start Date Is Not A Valid Date '99/99/9999'"
                                          << "ActivityTargetStartDate";
        QTest::newRow("bad actual stop") << "" << "" << "1/1/2003" << "13/1/2003" << ""
                                         << "The Actual Stop Date Is Not A Valid Date '99/99/9999'"
                                         << "ActivityActualStopDate";
        QTest::newRow("actual stop before start") << "" << "" << "1/10/2003" << "1/9/2003" << ""
                                                  << "The Actual Stop Date Is Before The Actual Start Date"
                                                  << "ActivityActualStopDate";
        QTest::newRow("effort not a number") << "" << "" << "" << "" << "12a" << "The Target Effort Is Not A Number"
                                             << "ActivityTargetEffort";
        QTest::newRow("year order beats text order") << "12/31/2002" << "1/1/2003" << "" << "" << "" << "" << "";
    }

    void activityRules()
    {
        QFETCH(QString, targetStart);
        QFETCH(QString, targetStop);
        QFETCH(QString, actualStart);
        QFETCH(QString, actualStop);
        QFETCH(QString, effort);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        newCar(QStringLiteral("Rules"));
        newPhase(QStringLiteral("Paint"));
        m_f->showTab(4);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ActivityDisplayDescription"), QStringLiteral("Prime"));
        QCOMPARE(gui::listText(child<QComboBox>(w(), "ActivityPhase")), QStringLiteral("Paint")); // the picked phase
        m_f->type(child<QLineEdit>(w(), "ActivityTargetStartDate"), targetStart);
        m_f->type(child<QLineEdit>(w(), "ActivityTargetStopDate"), targetStop);
        m_f->type(child<QLineEdit>(w(), "ActivityActualStartDate"), actualStart);
        m_f->type(child<QLineEdit>(w(), "ActivityActualStopDate"), actualStop);
        m_f->type(child<QLineEdit>(w(), "ActivityTargetEffort"), effort);
        gui::DialogSeam::reset();
        m_f->press(Save);
        const qint64 saved = peek().count("SELECT COUNT(*) FROM Activity WHERE Description = 'Prime'");
        if (message.isEmpty()) {
            QCOMPARE(boxTexts(), QStringList());
            QCOMPARE(saved, 1);
            return;
        }
        QCOMPARE(boxTexts(), QStringList { message });
        const gui::ShownBox box = gui::DialogSeam::shownBoxes().first();
        QCOMPARE(box.title, QStringLiteral("GearLog"));
        QCOMPARE(box.icon, gui::Icon::Information);
        QCOMPARE(saved, 0);
        QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), focus);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        QVERIFY(!child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        // Empty efforts were set to "0" and stay so.
        QCOMPARE(child<QLineEdit>(w(), "ActivityActualEffort")->text(), QStringLiteral("0"));
    }

    void carRules_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("resale");
        QTest::addColumn<QString>("message");
        QTest::newRow("no description") << "" << "" << "" << "You Have To Enter A Description!";
        QTest::newRow("resale 12a") << "Car" << "" << "12a" << "The Car Resale Is Not A Number";
        QTest::newRow("price first") << "Car" << "x" << "12a" << "The Purchase Price Is Not A Number";
        QTest::newRow("all empty") << "Car" << "" << "" << "";
        QTest::newRow("formatted money") << "Car" << "$1,234.50" << "$.00" << "";
    }

    void carRules()
    {
        QFETCH(QString, description);
        QFETCH(QString, price);
        QFETCH(QString, resale);
        QFETCH(QString, message);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "CarDisplayDescription"), description);
        m_f->type(child<QLineEdit>(w(), "CarPurchasePrice"), price);
        m_f->type(child<QLineEdit>(w(), "CarResaleValue"), resale);
        m_f->press(Save);
        QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Car"), message.isEmpty() ? 2 : 1);
    }

    // 30 characters are kept whole; a longer name is cut, and stays cut through a later refusal.
    void descriptionCut()
    {
        newCar(QStringLiteral("Cut"));
        m_f->showTab(1);
        m_f->press(Add);
        const QString thirtyOne = QStringLiteral("Front suspension and steering!");
        QCOMPARE(thirtyOne.size(), 30);
        m_f->type(child<QLineEdit>(w(), "AssemblyDisplayDescription"), thirtyOne + QLatin1Char('X'));
        child<QComboBox>(w(), "AssemblyStatus")->setCurrentIndex(-1);
        m_f->press(Save);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("You Have Selected An Invalid 'Status' Code!") });
        QCOMPARE(child<QLineEdit>(w(), "AssemblyDisplayDescription")->text(), thirtyOne);
        child<QComboBox>(w(), "AssemblyStatus")->setCurrentIndex(1);
        m_f->press(Save);
        QCOMPARE(peek()
                     .value("SELECT Description FROM Assembly WHERE assemblyid = ?", { picked("assemblyDescription") })
                     .toString(),
            thirtyOne);
    }

    void componentRules_data()
    {
        QTest::addColumn<QString>("assembly");
        QTest::addColumn<QString>("activity");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("cost without quantity") << "Engine" << "" << "" << "5" << "The Quantity Cannot = 0,  if Cost > 0";
        QTest::newRow("no cost, no quantity") << "Engine" << "" << "" << "" << "";
        QTest::newRow("negative quantity") << "Engine" << "" << "-2" << "5" << "";
        QTest::newRow("unknown assembly") << "Gearbox" << "" << "1" << "" << "Please Select A Valid 'Assembly'";
        QTest::newRow("typed assembly, other case") << "engine" << "" << "1" << "" << "";
        QTest::newRow("another car's assembly") << "Sample engine" << "" << "1" << "" << "Please Select A Valid 'Assembly'";
        QTest::newRow("another car's activity") << "Engine" << "Sample job" << "1" << "" << "Please Select A Valid 'Activity'";
        QTest::newRow("quantity 12a") << "Engine" << "" << "12a" << "" << "The Quantity Is Not A Number";
        QTest::newRow("quantity too large") << "Engine" << "" << "1,000,000" << "" << "The Quantity Is Too Large (At Most 999,999)";
        QTest::newRow("largest quantity") << "Engine" << "" << "999,999" << "9999999.99" << "";
        QTest::newRow("cost too large") << "Engine" << "" << "1" << "10000000" << "The Target Cost Is Too Large (At Most 9,999,999.99)";
        QTest::newRow("quantity 1,200") << "Engine" << "" << "1,200" << "5" << "";
        QTest::newRow("cost 1..2") << "Engine" << "" << "1" << "1..2" << "The Target Cost Is Not A Number";
    }

    void componentRules()
    {
        QFETCH(QString, assembly);
        QFETCH(QString, activity);
        QFETCH(QString, quantity);
        QFETCH(QString, target);
        QFETCH(QString, message);
        // Names that only another project has must not be accepted here.
        const Peek p = peek();
        p.exec("INSERT INTO Assembly (carid, Description) VALUES (1, 'Sample engine')");
        p.exec("INSERT INTO Activity (carid, PhaseID, Description) VALUES (1, 1, 'Sample job')");
        newCar(QStringLiteral("Rules"));
        newAssembly(QStringLiteral("Engine"));
        newPhase(QStringLiteral("Cooling"));
        newActivity(QStringLiteral("Own job"), QStringLiteral("Cooling"));
        m_f->showTab(2);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ComponentDisplayDescription"), QStringLiteral("Water pump XJ"));
        m_f->type(child<QComboBox>(w(), "ComponentAssembly"), assembly);
        m_f->type(child<QComboBox>(w(), "ComponentActivity"), activity);
        m_f->type(child<QLineEdit>(w(), "ComponentQuantity"), quantity);
        m_f->type(child<QLineEdit>(w(), "ComponentTargetCost"), target);
        gui::DialogSeam::reset();
        m_f->press(Save);
        QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        const qint64 saved = p.count("SELECT COUNT(*) FROM Component WHERE Description = 'Water pump XJ' AND "
                                     "assemblyid = (SELECT MAX(assemblyid) FROM Assembly WHERE Description = 'Engine')");
        QCOMPARE(saved, message.isEmpty() ? 1 : 0);
        if (!message.isEmpty())
            QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        else
            QCOMPARE(child<QLineEdit>(w(), "ComponentQuantity")->text(),
                quantity.isEmpty() ? QStringLiteral("0") : quantity);
    }

    void supplierNameRequired()
    {
        m_f->showTab(5);
        m_f->press(Add);
        m_f->press(Save);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("You Have To Enter A Name!") });
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
    }

    // --- Sequences and notes ----------------------------------------------------------------------------

    void prioritySequences()
    {
        newCar(QStringLiteral("Sequenced"));
        const qint32 first = newPhase(QStringLiteral("One"));
        const qint32 second = newPhase(QStringLiteral("Two"));
        newPhase(QStringLiteral("Three"));
        m_f->showTab(3);
        m_f->pick(child<QComboBox>(w(), "phaseDescription"), second);
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        const qint32 fourth = newPhase(QStringLiteral("Four"));
        const Peek p = peek();
        QCOMPARE(p.value("SELECT prioritysequence FROM Phase WHERE PhaseID = ?", { fourth }).toInt(), 4);
        const qint32 a = newActivity(QStringLiteral("A"), QStringLiteral("One"));
        const qint32 b = newActivity(QStringLiteral("B"), QStringLiteral("One"));
        const qint32 c = newActivity(QStringLiteral("C"), QStringLiteral("Four"));
        QCOMPARE(p.value("SELECT prioritysequence FROM Activity WHERE ActivityID = ?", { a }).toInt(), 1);
        QCOMPARE(p.value("SELECT prioritysequence FROM Activity WHERE ActivityID = ?", { b }).toInt(), 2);
        QCOMPARE(p.value("SELECT prioritysequence FROM Activity WHERE ActivityID = ?", { c }).toInt(), 1);
        QCOMPARE(p.value("SELECT PhaseID FROM Activity WHERE ActivityID = ?", { c }).toInt(), fourth);
        QVERIFY(first != fourth);
    }

    void notesStoredInThreeParts()
    {
        newCar(QStringLiteral("Noted"));
        m_f->press(Update);
        const QString notes = QString(50, QLatin1Char('a')) + QString(50, QLatin1Char('b')) + QString(60, QLatin1Char('c'));
        child<gui::NotesEdit>(w(), "CarNotes")->setText(notes);
        m_f->press(Save);
        const Peek p = peek();
        const qint32 car = m_f->carID();
        QCOMPARE(p.value("SELECT note1 FROM Car WHERE carid = ?", { car }).toString(), QString(50, QLatin1Char('a')));
        QCOMPARE(p.value("SELECT note2 FROM Car WHERE carid = ?", { car }).toString(), QString(50, QLatin1Char('b')));
        QCOMPARE(p.value("SELECT note3 FROM Car WHERE carid = ?", { car }).toString(), QString(50, QLatin1Char('c')));
        QCOMPARE(child<gui::NotesEdit>(w(), "CarNotes")->text(), notes.left(150));
    }

    // --- Deleting -----------------------------------------------------------------------------------------

    void deleteCarTakesEverything()
    {
        const qint32 car = newCar(QStringLiteral("Doomed"));
        newAssembly(QStringLiteral("Engine"));
        newPhase(QStringLiteral("Strip"));
        newActivity(QStringLiteral("Pull engine"), QStringLiteral("Strip"));
        newComponent(QStringLiteral("Hoist hire"), QStringLiteral("Engine"), QStringLiteral("Pull engine"));
        const Peek p = peek();
        const qint64 suppliers = p.count("SELECT COUNT(*) FROM Supplier");
        m_f->showTab(0);

        // No: nothing goes, the status text comes back.
        const QString before = m_f->panelText(1);
        gui::DialogSeam::queueAnswer(gui::Answer::No);
        m_f->press(Delete);
        QCOMPARE(m_f->panelText(1), before);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(p.count("SELECT COUNT(*) FROM Component WHERE carid = ?", { car }), 1);
        const gui::ShownBox question = gui::DialogSeam::shownBoxes().last();
        QCOMPARE(question.text, QStringLiteral("Are you sure? -- THIS WILL DELETE THE ENTIRE PROJECT --"));
        QCOMPARE(question.buttons, gui::Buttons::YesNo);
        QCOMPARE(question.defaultAnswer, gui::Answer::No);
        QCOMPARE(question.icon, gui::Icon::Question);

        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        for (const char* table : { "Car", "Assembly", "Component", "Phase", "Activity" })
            QCOMPARE(p.count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE carid = ?").arg(QLatin1String(table)), { car }),
                     0);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Supplier"), suppliers);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Component WHERE carid = 1") > 0, true);
        QCOMPARE(m_f->panelText(1), QStringLiteral("Select A Project From The 'Car' Tab"));
    }

    // Deleting an activity, or the phase that holds it, leaves its components in place, detached.
    void deletesDetachComponents_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("activity") << 4;
        QTest::newRow("phase") << 3;
    }

    void deletesDetachComponents()
    {
        QFETCH(int, tab);
        newCar(QStringLiteral("Detach"));
        newAssembly(QStringLiteral("Engine"));
        const qint32 phase = newPhase(QStringLiteral("Strip"));
        const qint32 activity = newActivity(QStringLiteral("Pull engine"), QStringLiteral("Strip"));
        const qint32 component
            = newComponent(QStringLiteral("Hoist hire"), QStringLiteral("Engine"), QStringLiteral("Pull engine"));
        m_f->showTab(tab);
        if (tab == 3)
            m_f->pick(child<QComboBox>(w(), "phaseDescription"), phase);
        else
            m_f->pick(child<QComboBox>(w(), "ActivityDescription"), activity);
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        const Peek p = peek();
        QCOMPARE(p.count("SELECT COUNT(*) FROM Activity WHERE ActivityID = ?", { activity }), 0);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Component WHERE componentid = ?", { component }), 1);
        QVERIFY(p.value("SELECT ActivityID FROM Component WHERE componentid = ?", { component }).isNull());
        // The component tab no longer names the activity.
        QCOMPARE(child<QLineEdit>(w(), "ComponentDisplayActivity")->text(), QString());
        QCOMPARE(gui::listText(child<QComboBox>(w(), "ComponentActivity")), QString());
        QCOMPARE(child<QComboBox>(w(), "ComponentActivity")->count(), 0);
    }

    // --- Switching tabs and trees ------------------------------------------------------------------------

    void switchingTabs()
    {
        m_f->openCar(1);
        m_f->showTab(1);
        QCOMPARE(m_f->panelText(1), QStringLiteral("Click The 'Add' Button To Create A New 'Assembly'"));
        QCOMPARE(m_f->panelText(2), QStringLiteral("ASSEMBLY"));
        QCOMPARE(m_f->panelText(3),
            QStringLiteral("Entries =  %1").arg(peek().count("SELECT COUNT(*) FROM Assembly WHERE carid = 1")));
        QCOMPARE(gui::listText(child<QComboBox>(w(), "assemblyDescription")), QStringLiteral("<Select An Assembly>"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
        m_f->pick(child<QComboBox>(w(), "assemblyDescription"),
            child<QComboBox>(w(), "assemblyDescription")->itemData(0).toInt());
        m_f->showTab(0);
        QCOMPARE(m_f->panelText(1), QStringLiteral("Add, Change, Or Delete A 'Car'"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        m_f->showTab(1);
        QCOMPARE(m_f->panelText(1), QStringLiteral("Add, Change, Or Delete An 'Assembly'"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }

    // The plan tree brings back the phase or activity tab last used with it, and the materials tree its own.
    void switchingTreesRemembersTabs()
    {
        newCar(QStringLiteral("Trees"));
        newAssembly(QStringLiteral("Engine"));
        const qint32 phase = newPhase(QStringLiteral("Strip"));
        m_f->showTab(3);
        m_f->pick(child<QComboBox>(w(), "phaseDescription"), phase);
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->currentIndex(), 1);
        QVERIFY(child<QPushButton>(w(), "cmdMoveUp")->isEnabled()); // not the sample: moving is offered
        m_f->showTab(1);
        m_f->pickText(child<QComboBox>(w(), "assemblyDescription"), QStringLiteral("Engine"));
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->currentIndex(), 0);
        QVERIFY(!child<QPushButton>(w(), "cmdMoveUp")->isEnabled());
        child<QTabWidget>(w(), "TbDisplay")->setCurrentIndex(1);
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 3);
        QCOMPARE(m_f->panelText(2), QStringLiteral("PHASE"));
        QVERIFY(child<QPushButton>(w(), "cmdMoveUp")->isEnabled());
        child<QTabWidget>(w(), "TbDisplay")->setCurrentIndex(0);
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 1);
        QVERIFY(!child<QPushButton>(w(), "cmdMoveUp")->isEnabled());
    }

    // The totals on the assembly, car, phase and activity tabs follow a saved change of cost,
    // quantity or dates.
    void totalsFollowChanges()
    {
        newCar(QStringLiteral("Flags"));
        newAssembly(QStringLiteral("Engine"));
        newPhase(QStringLiteral("Strip"));
        newActivity(QStringLiteral("Pull engine"), QStringLiteral("Strip"));
        newComponent(QStringLiteral("Hoist"), QStringLiteral("Engine"), QStringLiteral("Pull engine"));
        QCOMPARE(child<QLineEdit>(w(), "AssemblyTargetCost")->text(), QStringLiteral("$195.90"));
        QCOMPARE(child<QLineEdit>(w(), "CarTargetCost")->text(), QStringLiteral("$195.90"));
        m_f->press(Update);
        m_f->type(child<gui::NotesEdit>(w(), "ComponentNotes"), QStringLiteral("hired for a weekend"));
        m_f->press(Save);
        QCOMPARE(child<QLineEdit>(w(), "AssemblyTargetCost")->text(), QStringLiteral("$195.90"));
        m_f->press(Update);
        m_f->type(child<QLineEdit>(w(), "ComponentQuantity"), QStringLiteral("3"));
        m_f->press(Save);
        QCOMPARE(child<QLineEdit>(w(), "AssemblyTargetCost")->text(), QStringLiteral("$293.85"));
        QCOMPARE(child<QLineEdit>(w(), "CarTargetCost")->text(), QStringLiteral("$293.85"));
        QCOMPARE(child<QLineEdit>(w(), "ActivityTargetCost")->text(), QStringLiteral("$293.85"));
        QCOMPARE(child<QLineEdit>(w(), "PhaseTargetCost")->text(), QStringLiteral("$293.85"));

        m_f->showTab(4);
        m_f->pickText(child<QComboBox>(w(), "ActivityDescription"), QStringLiteral("Pull engine"));
        m_f->press(Update);
        m_f->press(Save);
        QCOMPARE(child<QLineEdit>(w(), "PhaseTargetStartDate")->text(), QString());
        m_f->press(Update);
        m_f->type(child<QLineEdit>(w(), "ActivityTargetStartDate"), QStringLiteral("3/1/2026"));
        m_f->press(Save);
        QCOMPARE(child<QLineEdit>(w(), "PhaseTargetStartDate")->text(), QStringLiteral("3/1/2026"));
        QCOMPARE(child<QLineEdit>(w(), "CarTargetStartDate")->text(), QStringLiteral("3/1/2026"));
        QCOMPARE(child<QLineEdit>(w(), "ComponentTargetStartDate")->text(), QStringLiteral("3/1/2026"));

        // A component deleted right after a save that left its costs alone takes its costs along.
        m_f->showTab(2);
        m_f->pickText(child<QComboBox>(w(), "componentDescription"), QStringLiteral("Hoist"));
        m_f->press(Update);
        m_f->press(Save);
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        for (const char* box : { "AssemblyTargetCost", "CarTargetCost", "PhaseTargetCost", "ActivityTargetCost" })
            QCOMPARE(child<QLineEdit>(w(), box)->text(), QStringLiteral("$.00"));
    }

    // --- Projects to and from files -----------------------------------------------------------------

    // The copy keeps the sample's name; it is the new project, picked by its key, that is shown.
    void exportAndImportFromTheMenu()
    {
        m_f->openCar(1);
        const QString file = m_f->files().path(QStringLiteral("pickup.json"));
        gui::DialogSeam::queueFileName(file);
        child<QAction>(w(), "mnuExportProject")->trigger();
        QVERIFY(QFile::exists(file));
        const qint64 cars = peek().count("SELECT COUNT(*) FROM Car");
        gui::DialogSeam::queueFileName(file);
        child<QAction>(w(), "mnuImportProject")->trigger();
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Car"), cars + 1);
        const qint32 imported = m_f->carID();
        QVERIFY(imported > 1);
        QCOMPARE(peek().value("SELECT MAX(carid) FROM Car").toInt(), imported);
        QCOMPARE(child<QLineEdit>(w(), "projectDescription")->text(),
            child<QComboBox>(w(), "carDescription")->itemText(child<QComboBox>(w(), "carDescription")->findData(1)));
        QCOMPARE(child<QComboBox>(w(), "componentDescription")->count(),
            peek().count("SELECT COUNT(*) FROM Component WHERE carid = ?", { imported }));
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Component WHERE carid = ?", { imported }),
            peek().count("SELECT COUNT(*) FROM Component WHERE carid = 1"));
        QVERIFY(boxTexts().last().startsWith(QStringLiteral("New Project '")));

        // A file that is not a project adds nothing and says why.
        QFile broken(m_f->files().path(QStringLiteral("broken.json")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{\"format\": \"gearlog-project\", \"version\": 1}");
        broken.close();
        gui::DialogSeam::queueFileName(broken.fileName());
        child<QAction>(w(), "mnuImportProject")->trigger();
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Car"), cars + 1);
        QVERIFY(boxTexts().last().contains(QStringLiteral("car: must be an object")));
    }

    // --- Failures in the middle --------------------------------------------------------------------------

    // A write the database refuses is reported; the edit stays open with what was typed.
    void failedSaveKeepsTheEdit()
    {
        newCar(QStringLiteral("Failing"));
        newAssembly(QStringLiteral("Engine"));
        peek().exec("CREATE TRIGGER refuse_component BEFORE INSERT ON Component BEGIN "
                    "SELECT RAISE(ABORT, 'disk is full'); END");
        m_f->showTab(2);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ComponentDisplayDescription"), QStringLiteral("Radiator"));
        m_f->type(child<QComboBox>(w(), "ComponentAssembly"), QStringLiteral("Engine"));
        gui::DialogSeam::reset();
        m_f->press(Save);
        const QStringList texts = boxTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.first().contains(QStringLiteral("disk is full")), qPrintable(texts.first()));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("001100"));
        QCOMPARE(child<QLineEdit>(w(), "ComponentDisplayDescription")->text(), QStringLiteral("Radiator"));
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Component WHERE Description = 'Radiator'"), 0);

        // Once the database accepts it, the same Save goes through.
        peek().exec("DROP TRIGGER refuse_component");
        m_f->press(Save);
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Component WHERE Description = 'Radiator'"), 1);
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
        QTest::newRow("car changed") << 0 << "UPDATE Car SET make = 'Ford' WHERE carid = %1" << "CarMake" << "Ford";
        QTest::newRow("assembly deleted") << 1 << "DELETE FROM Assembly WHERE assemblyid = %1"
                                          << "AssemblyDisplayDescription" << "";
        QTest::newRow("phase renamed in case only")
            << 3 << "UPDATE Phase SET Description = 'STRIP' WHERE PhaseID = %1" << "PhaseDisplayDescription" << "STRIP";
        QTest::newRow("supplier's notes filled") << 5 << "UPDATE Supplier SET note1 = 'call first' WHERE supplierid = %1"
                                                  << "suppliercity" << "call first";
    }
    void saveAfterAnotherProgram()
    {
        QFETCH(int, tab);
        QFETCH(QString, elsewhere);
        QFETCH(QString, field);
        QFETCH(QString, shownAfter);
        const char* lists[] = { "carDescription", "assemblyDescription", "", "phaseDescription", "", "SupplierName" };
        newCar(QStringLiteral("Racer"));
        if (tab == 1)
            newAssembly(QStringLiteral("Engine"));
        if (tab == 3)
            newPhase(QStringLiteral("Strip"));
        m_f->showTab(tab);
        if (tab == 5)
            m_f->pick(child<QComboBox>(w(), "SupplierName"), child<QComboBox>(w(), "SupplierName")->itemData(0).toInt());
        const qint32 key = picked(lists[tab]);
        m_f->press(Update);
        m_f->type(child<QLineEdit>(w(), qPrintable(field)), QStringLiteral("Typed"));
        peek().exec(elsewhere.arg(key));
        gui::DialogSeam::reset();
        m_f->press(Save);

        const QString said = shownAfter.isEmpty()
            ? QStringLiteral("This Record Was Deleted By Someone Else Since It Was Shown; Nothing Was Saved.")
            : QStringLiteral("This Record Was Changed By Someone Else Since It Was Shown. It Is Shown Again As It Now "
                             "Stands; Nothing Was Saved.");
        QCOMPARE(boxTexts(), QStringList { said });
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Car WHERE make = 'Typed' OR Description = 'Typed'"), 0);
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Assembly WHERE Description = 'Typed'"), 0);
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Phase WHERE Description = 'Typed'"), 0);
        QCOMPARE(peek().count("SELECT COUNT(*) FROM Supplier WHERE city = 'Typed'"), 0);
        if (shownAfter.isEmpty()) {
            QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
            QCOMPARE(child<QComboBox>(w(), lists[tab])->findData(key), -1);
            return;
        }
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(picked(lists[tab]), key);
        const QString shown = tab == 5 ? child<gui::NotesEdit>(w(), "SupplierNotes")->text()
                                       : child<QLineEdit>(w(), qPrintable(field))->text();
        QCOMPARE(shown, shownAfter);
        // Shown afresh, the row saves again.
        m_f->press(Update);
        m_f->press(Save);
        QCOMPARE(boxTexts().size(), 1);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }

    // A cascade that fails half-way deletes nothing.
    void failedCascadeDeletesNothing()
    {
        const qint32 car = newCar(QStringLiteral("Stubborn"));
        newAssembly(QStringLiteral("Engine"));
        newComponent(QStringLiteral("Hose"), QStringLiteral("Engine"));
        newPhase(QStringLiteral("Strip"));
        peek().exec("CREATE TRIGGER keep_phases BEFORE DELETE ON Phase BEGIN SELECT RAISE(ABORT, 'locked'); END");
        m_f->showTab(0);
        gui::DialogSeam::queueAnswer(gui::Answer::Yes);
        m_f->press(Delete);
        const Peek p = peek();
        QCOMPARE(p.count("SELECT COUNT(*) FROM Assembly WHERE carid = ?", { car }), 1);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Component WHERE carid = ?", { car }), 1);
        QCOMPARE(p.count("SELECT COUNT(*) FROM Car WHERE carid = ?", { car }), 1);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(m_f->carID(), car);
        QVERIFY(boxTexts().last().contains(QStringLiteral("locked")));
    }
};

QTEST_MAIN(TestEditCycle)
#include "TestEditCycle.moc"
