// The two trees, the totals beside the records, moving phases and activities, and attaching
// components to an activity from the materials tree.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "gui/Dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

using project::Kind;
using testing::boxTexts;
using testing::child;
using testing::FormFixture;
using testing::Peek;

namespace {

// A project of known shape written straight into the file:
//   phases A (1), B (2), C (5); activities A1 (1), A2 (2) in A, B1 (1) in B;
//   assembly Engine with Pump (10.00 x 3, actual Null) and Hose (2.50 x 2, actual 3.00), Hose
//   attached to A1; assembly Body with Panel (unattached).
struct Plan
{
    qint32 car = 0;
    qint32 phaseA = 0, phaseB = 0, phaseC = 0;
    qint32 a1 = 0, a2 = 0, b1 = 0;
    qint32 engine = 0, body = 0;
    qint32 pump = 0, hose = 0, panel = 0;
};

Plan writePlan(const QString& path)
{
    const Peek db(path);
    const auto insert = [&db](const char* sql, const QVariantList& values) {
        db.value(QLatin1String(sql), values);
        return db.value(QStringLiteral("SELECT last_insert_rowid()")).toInt();
    };
    Plan p;
    p.car = insert("INSERT INTO Car (Description) VALUES ('Plan car')", {});
    const char* phase = "INSERT INTO Phase (carid, Description, prioritysequence, Status) VALUES (?, ?, ?, 0)";
    p.phaseA = insert(phase, { p.car, "A", 1 });
    p.phaseB = insert(phase, { p.car, "B", 2 });
    p.phaseC = insert(phase, { p.car, "C", 5 });
    const char* activity = "INSERT INTO Activity (carid, PhaseID, Description, prioritysequence, Status, "
                           "targetstartdate, actualstartdate, targeteffort) VALUES (?, ?, ?, ?, 0, ?, ?, 10)";
    p.a1 = insert(activity, { p.car, p.phaseA, "A1", 1, "2003-05-01", "2003-05-02" });
    p.a2 = insert(activity, { p.car, p.phaseA, "A2", 2, "2003-04-15", "" });
    p.b1 = insert(activity, { p.car, p.phaseB, "B1", 1, "2003-06-01", "" });
    const char* assembly = "INSERT INTO Assembly (carid, Description, Status) VALUES (?, ?, 0)";
    p.engine = insert(assembly, { p.car, "Engine" });
    p.body = insert(assembly, { p.car, "Body" });
    const char* part = "INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, targetcost, "
                       "actualcost, quantity) VALUES (?, ?, ?, ?, 0, ?, ?, ?)";
    p.pump = insert(part, { p.car, p.engine, QVariant(), "Pump", 100000, QVariant(), 3 });
    p.hose = insert(part, { p.car, p.engine, p.a1, "Hose", 25000, 30000, 2 });
    p.panel = insert(part, { p.car, p.body, QVariant(), "Panel", 0, 0, 1 });
    return p;
}

QStringList childTexts(const testing::Node& node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

const char* const Lists[]
    = { "carDescription", "assemblyDescription", "componentDescription", "phaseDescription", "ActivityDescription" };

} // namespace

class TestPlan : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    Plan m_plan;
    QMainWindow& w() { return m_f->form(); }
    QTreeView* tree(bool plan) { return child<QTreeView>(w(), plan ? "TvProject" : "TvMaterials"); }
    testing::Node materials(Kind kind, qint32 key) { return testing::treeNode(tree(false), kind, key); }
    testing::Node plan(Kind kind, qint32 key) { return testing::treeNode(tree(true), kind, key); }
    void press(const char* button) { QTest::mouseClick(child<QPushButton>(w(), button), Qt::LeftButton); }
    QString value(const QString& sql) { return Peek(m_f->databasePath()).value(sql, { m_plan.car }).toString(); }
    // The priority sequences of a table's rows of the plan car, by key.
    QString sequences(const char* table)
    {
        return value(QStringLiteral("SELECT GROUP_CONCAT(prioritysequence, '|') FROM (SELECT prioritysequence FROM "
                                    "%1 WHERE carid = ? ORDER BY %1ID)")
                         .arg(QLatin1String(table)));
    }
    QString shown(const QString& names)
    {
        QStringList texts;
        for (const QString& name : names.split(QLatin1Char(',')))
            texts << child<QLineEdit>(w(), qPrintable(name))->text();
        return texts.join(QLatin1Char('|'));
    }

private Q_SLOTS:
    void init()
    {
        m_f = new FormFixture;
        const QString path = m_f->files().copySample();
        m_plan = writePlan(path);
        QVERIFY(m_f->start(path));
        m_f->openCar(m_plan.car);
    }

    void cleanup()
    {
        delete m_f;
        m_f = nullptr;
    }

    // Assemblies and components by description, phases and activities by sequence, each under its
    // parent; the picked car carries the highlight.
    void trees()
    {
        const testing::Node car = testing::topNode(tree(false))->child(0);
        QCOMPARE(car, materials(Kind::Car, m_plan.car));
        QCOMPARE(testing::currentNode(tree(false)), car);
        QCOMPARE(childTexts(car), QStringList({ "ASSEMBLY: Body", "ASSEMBLY: Engine" }));
        QCOMPARE(childTexts(car->child(1)), QStringList({ "COMPONENT: Hose", "COMPONENT: Pump" }));
        const testing::Node planCar = testing::topNode(tree(true))->child(0);
        QCOMPARE(childTexts(planCar), QStringList({ "PHASE: A", "PHASE: B", "PHASE: C" }));
        QCOMPARE(childTexts(planCar->child(0)), QStringList({ "ACTIVITY: A1", "ACTIVITY: A2" }));
        QCOMPARE(plan(Kind::Activity, m_plan.b1)->parent(), planCar->child(1));
        QCOMPARE(plan(Kind::Phase, m_plan.phaseC)->childCount(), 0);
    }

    // The compressed view is kept in the settings and holds on both trees until expanded again.
    void compressedView()
    {
        child<QAction>(w(), "mnuCompressView")->trigger();
        QCOMPARE(m_f->settings().value(QStringLiteral("STARTUP/TREEVIEW")).toString(), QStringLiteral("C"));
        const testing::Node car = materials(Kind::Car, m_plan.car);
        QVERIFY(car->isExpanded());
        QVERIFY(!car->child(0)->isExpanded());
        child<QTabWidget>(w(), "TbDisplay")->setCurrentIndex(1);
        QVERIFY(!plan(Kind::Phase, m_plan.phaseA)->isExpanded());
        child<QAction>(w(), "mnuExpandView")->trigger();
        QVERIFY(plan(Kind::Phase, m_plan.phaseA)->isExpanded());
        QCOMPARE(m_f->settings().value(QStringLiteral("STARTUP/TREEVIEW")).toString(), QStringLiteral("E"));
    }

    // A node click shows its record on its tab; a list pick afterwards is the user's own; the root
    // does nothing.
    void nodeClicksShowRecords()
    {
        testing::clickNode(materials(Kind::Component, m_plan.pump));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 2);
        QCOMPARE(shown(QStringLiteral("ComponentDisplayDescription")), QStringLiteral("Pump"));
        m_f->pick(child<QComboBox>(w(), "componentDescription"), m_plan.hose);
        QCOMPARE(shown(QStringLiteral("ComponentDisplayDescription")), QStringLiteral("Hose"));
        testing::clickNode(materials(Kind::Component, m_plan.pump));
        testing::clickNode(testing::topNode(tree(false)));
        QCOMPARE(testing::pickedKey(child<QComboBox>(w(), "componentDescription")), m_plan.pump);

        child<QTabWidget>(w(), "TbDisplay")->setCurrentIndex(1);
        testing::clickNode(plan(Kind::Activity, m_plan.a2));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 4);
        QCOMPARE(testing::pickedKey(child<QComboBox>(w(), "ActivityDescription")), m_plan.a2);
    }

    // Which figure each tab shows for its record (the sums themselves are tested without windows).
    void totals_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("record"); // as its list shows it; empty: the car
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("car") << 0 << ""
                             << "CarTargetCost,CarActualCost,CarTargetEffort,CarTargetStartDate,CarActualStartDate,"
                                "CarActualStopDate"
                             << "$35.00|$6.00|30|4/15/2003|5/2/2003|";
        QTest::newRow("assembly") << 1 << "Engine"
                                  << "AssemblyTargetCost,AssemblyTargetStartDate"
                                  << "$35.00|5/1/2003";
        QTest::newRow("assembly of nothing planned") << 1 << "Body"
                                                     << "AssemblyTargetCost,AssemblyTargetStartDate"
                                                     << "$.00|";
        QTest::newRow("phase") << 3 << "A"
                               << "PhaseTargetCost,PhaseTargetEffort"
                               << "$5.00|20";
        QTest::newRow("activity") << 4 << "A1"
                                  << "ActivityTargetCost,ActivityActualCost"
                                  << "$5.00|$6.00";
        QTest::newRow("attached component") << 2 << "Hose"
                                            << "ComponentTargetStartDate"
                                            << "5/1/2003";
        QTest::newRow("loose component") << 2 << "Pump"
                                         << "ComponentTargetStartDate"
                                         << "";
    }

    void totals()
    {
        QFETCH(int, tab);
        QFETCH(QString, record);
        QFETCH(QString, boxes);
        m_f->showTab(tab);
        if (!record.isEmpty())
            m_f->pickText(child<QComboBox>(w(), Lists[tab]), record);
        QTEST(shown(boxes), "expected");
    }

    // The ends of the plan, and of each phase for its activities, refuse to move and change nothing.
    void moveRefusals_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("message");
        const QString first = QStringLiteral("This Is The First ACTIVITY In The PHASE... Can't Be Moved Up");
        const QString last = QStringLiteral("This Is The Last ACTIVITY In The PHASE... Can't Be Moved Down");
        QTest::newRow("first phase up") << "A" << true << "This Is The First PHASE... Can't Be Moved Up";
        QTest::newRow("last phase down") << "C" << false << "This Is The Last PHASE... Can't Be Moved Down";
        QTest::newRow("first activity up") << "A1" << true << first;
        QTest::newRow("first of second phase up") << "B1" << true << first;
        QTest::newRow("last of its phase down") << "A2" << false << last;
        QTest::newRow("last activity down") << "B1" << false << last;
    }

    void moveRefusals()
    {
        QFETCH(QString, record);
        QFETCH(bool, up);
        const int tab = record.size() == 1 ? 3 : 4;
        m_f->showTab(tab);
        m_f->pickText(child<QComboBox>(w(), Lists[tab]), record);
        const QString before = sequences("Phase") + sequences("Activity");
        press(up ? "cmdMoveUp" : "cmdMoveDown");
        QTEST(boxTexts().value(0), "message");
        QCOMPARE(sequences("Phase") + sequences("Activity"), before);
    }

    // C (5) moved up trades places with B (2), gaps kept, and the tree follows; again, it passes A.
    void movingPhases()
    {
        m_f->showTab(3);
        m_f->pick(child<QComboBox>(w(), "phaseDescription"), m_plan.phaseC);
        press("cmdMoveUp");
        QCOMPARE(sequences("Phase"), QStringLiteral("1|5|2"));
        const testing::Node car = testing::topNode(tree(true))->child(0);
        QCOMPARE(childTexts(car), QStringList({ "PHASE: A", "PHASE: C", "PHASE: B" }));
        QCOMPARE(testing::currentNode(tree(true)), plan(Kind::Phase, m_plan.phaseC));
        press("cmdMoveUp");
        QCOMPARE(
            childTexts(testing::topNode(tree(true))->child(0)), QStringList({ "PHASE: C", "PHASE: A", "PHASE: B" }));
        QCOMPARE(boxTexts(), QStringList());
    }

    // A1 moved down trades places with A2; then last in its phase, it does not cross into B.
    void movingActivities()
    {
        m_f->showTab(4);
        m_f->pick(child<QComboBox>(w(), "ActivityDescription"), m_plan.a1);
        press("cmdMoveDown");
        QCOMPARE(sequences("Activity"), QStringLiteral("2|1|1"));
        QCOMPARE(childTexts(plan(Kind::Phase, m_plan.phaseA)), QStringList({ "ACTIVITY: A2", "ACTIVITY: A1" }));
        press("cmdMoveDown");
        QCOMPARE(boxTexts(),
            QStringList { QStringLiteral("This Is The Last ACTIVITY In The PHASE... Can't Be Moved Down") });
        QCOMPARE(sequences("Activity"), QStringLiteral("2|1|1"));
    }

    // In attach mode a component click attaches it to the activity, a second click detaches it, and
    // one attached elsewhere moves here; assemblies are not attached; Done ends the mode.
    void attachingComponents()
    {
        m_f->showTab(4);
        m_f->pick(child<QComboBox>(w(), "ActivityDescription"), m_plan.a2);
        press("cmdAttachComponent");
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("000000"));
        QVERIFY(!child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
        child<QTabWidget>(w(), "TbDisplay")->setCurrentIndex(1); // the plan cannot be shown meanwhile
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->currentIndex(), 0);

        // Pump, Hose and Panel's activities.
        const QString attached = QStringLiteral("SELECT GROUP_CONCAT(IFNULL(ActivityID, 0), '|') FROM (SELECT "
                                                "ActivityID FROM Component WHERE carid = ? ORDER BY componentid)");
        const auto activities = [&](qint32 pump, qint32 hose) { return QStringLiteral("%1|%2|0").arg(pump).arg(hose); };
        auto* list = child<QListWidget>(w(), "ActivityComponents");
        testing::clickNode(materials(Kind::Assembly, m_plan.engine));
        QCOMPARE(value(attached), activities(0, m_plan.a1));
        testing::clickNode(materials(Kind::Component, m_plan.pump));
        QCOMPARE(value(attached), activities(m_plan.a2, m_plan.a1));
        QVERIFY(materials(Kind::Component, m_plan.pump)->font(0).bold());
        QCOMPARE(list->item(0)->text(), QStringLiteral("Pump"));
        testing::clickNode(materials(Kind::Component, m_plan.pump));
        QCOMPARE(value(attached), activities(0, m_plan.a1));
        QVERIFY(!materials(Kind::Component, m_plan.pump)->font(0).bold());
        QCOMPARE(list->item(0)->text(), QStringLiteral("<No Components For This Activity>"));
        testing::clickNode(materials(Kind::Component, m_plan.hose));
        testing::clickNode(materials(Kind::Component, m_plan.pump));
        QCOMPARE(value(attached), activities(m_plan.a2, m_plan.a2));
        QCOMPARE(list->count(), 2);

        press("cmdDone");
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QVERIFY(child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
        QCOMPARE(shown(QStringLiteral("ActivityTargetCost,ActivityActualCost")), QStringLiteral("$35.00|$6.00"));
    }

    // A component whose row vanished meanwhile is reported, and the mode stays on.
    void attachingAVanishedComponent()
    {
        m_f->showTab(4);
        m_f->pick(child<QComboBox>(w(), "ActivityDescription"), m_plan.a2);
        press("cmdAttachComponent");
        Peek(m_f->databasePath())
            .value(QStringLiteral("DELETE FROM Component WHERE componentid = ?"), { m_plan.panel });
        testing::clickNode(materials(Kind::Component, m_plan.panel));
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("Unable To Access Component") });
        QVERIFY(child<QPushButton>(w(), "cmdDone")->isVisible());
    }
};

QTEST_MAIN(TestPlan)
#include "TestPlan.moc"
