// The two trees, the totals beside the records, moving the plan's records, attaching components.

#include "support/FormFixture.h"

#include "gui/Dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

using project::Kind;
using testing::boxTexts;
using testing::child;
using testing::Peek;

namespace {

// A project of known shape written straight into the file:
//   phases A (1), B (2), C (5); activities A1 (1), A2 (2) in A, B1 (1) in B;
//   assembly Engine with Pump (10.00 x 3, actual Null) and Hose (2.50 x 2, actual 3.00), Hose
//   attached to A1; assembly Body with Panel (unattached).
struct Plan
{
    store::Key car = 0, phaseA = 0, a1 = 0, a2 = 0, engine = 0, pump = 0, hose = 0, panel = 0;
};

Plan writePlan(const QString& path)
{
    const Peek db(path);
    const auto insert = [&db](const char* sql, const QVariantList& values) {
        return db.value(QLatin1String(sql) + QStringLiteral(" RETURNING *"), values).toInt(); // the key comes first
    };
    Plan p;
    p.car = insert("INSERT INTO Car (Description) VALUES ('Plan car')", {});
    const char* phase = "INSERT INTO Phase (carid, Description, prioritysequence, Status) VALUES (?, ?, ?, 0)";
    p.phaseA = insert(phase, { p.car, "A", 1 });
    const qint32 phaseB = insert(phase, { p.car, "B", 2 });
    insert(phase, { p.car, "C", 5 });
    const char* activity = "INSERT INTO Activity (carid, PhaseID, Description, prioritysequence, Status, "
                           "targetstartdate, actualstartdate, targeteffort) VALUES (?, ?, ?, ?, 0, ?, ?, 10)";
    p.a1 = insert(activity, { p.car, p.phaseA, "A1", 1, "2003-05-01", "2003-05-02" });
    p.a2 = insert(activity, { p.car, p.phaseA, "A2", 2, "2003-04-15", QVariant() });
    insert(activity, { p.car, phaseB, "B1", 1, "2003-06-01", QVariant() });
    const char* assembly = "INSERT INTO Assembly (carid, Description, Status) VALUES (?, ?, 0)";
    p.engine = insert(assembly, { p.car, "Engine" });
    const qint32 body = insert(assembly, { p.car, "Body" });
    const char* part = "INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, targetcost, "
                       "actualcost, quantity) VALUES (?, ?, ?, ?, 0, ?, ?, ?)";
    p.pump = insert(part, { p.car, p.engine, QVariant(), "Pump", 100000, QVariant(), 3 });
    p.hose = insert(part, { p.car, p.engine, p.a1, "Hose", 25000, 30000, 2 });
    p.panel = insert(part, { p.car, body, QVariant(), "Panel", 0, 0, 1 });
    return p;
}

QString childTexts(const testing::Node& node)
{
    QStringList texts;
    for (int i = 0; i < node.childCount(); ++i)
        texts << node.child(i).text();
    return texts.join(QLatin1Char('|'));
}

} // namespace

class TestPlan : public testing::FormTest
{
    Q_OBJECT

    Plan m_plan;
    QTreeView* tree(bool plan) { return child<QTreeView>(w(), plan ? "TvProject" : "TvMaterials"); }
    testing::Node car(bool plan) { return testing::topNode(tree(plan)).child(0); }
    testing::Node component(store::Key key) { return testing::treeNode(tree(false), Kind::Component, key); }
    void showPage(int page) { child<QTabWidget>(w(), "TbDisplay")->setCurrentIndex(page); }
    void press(const char* button) { QTest::mouseClick(child<QPushButton>(w(), button), Qt::LeftButton); }
    void pick(int tab, const QString& record)
    {
        m_f->showTab(tab);
        m_f->pickText(m_f->list(tab), record);
    }
    QString value(const QString& sql) { return m_f->peek().value(sql, { m_plan.car }).toString(); }
    // The plan car's phases' and activities' priority sequences, by key: "1,2,5|1,2,1".
    QString sequences()
    {
        const auto column = [this](const char* sql) { return m_f->peek().column(sql, { m_plan.car }).join(','); };
        return column("SELECT prioritysequence FROM Phase WHERE carid = ? ORDER BY PhaseID") + '|'
            + column("SELECT prioritysequence FROM Activity WHERE carid = ? ORDER BY ActivityID");
    }
    QString shown(const QString& names) { return m_f->shown(names); }

private Q_SLOTS:
    void init()
    {
        const QString path = fresh().files().copySample();
        m_plan = writePlan(path);
        QVERIFY(m_f->start(path));
        m_f->openCar(m_plan.car);
    }

    // Materials by description, the plan by sequence, each under its parent, the picked car highlighted;
    // the compressed view is kept in the settings and holds on both trees until expanded again.
    void trees()
    {
        QCOMPARE(testing::currentNode(tree(false)), car(false));
        QCOMPARE(childTexts(car(false)), "ASSEMBLY: Body|ASSEMBLY: Engine");
        QCOMPARE(childTexts(car(false).child(1)), "COMPONENT: Hose|COMPONENT: Pump");
        QCOMPARE(childTexts(car(true)), "PHASE: A|PHASE: B|PHASE: C");
        QCOMPARE(childTexts(car(true).child(0)) + "/" + childTexts(car(true).child(2)), "ACTIVITY: A1|ACTIVITY: A2/");

        child<QAction>(w(), "mnuCompressView")->trigger();
        QCOMPARE(m_f->settings().value("STARTUP/TREEVIEW").toString(), "C");
        QVERIFY(car(false).isExpanded() && !car(false).child(0).isExpanded());
        showPage(1);
        QVERIFY(!car(true).child(0).isExpanded());
        child<QAction>(w(), "mnuExpandView")->trigger();
        QVERIFY(car(true).child(0).isExpanded());
        QCOMPARE(m_f->settings().value("STARTUP/TREEVIEW").toString(), "E");
    }

    // A node click shows its record and figures on its tab; a later list pick is the user's own; the root
    // does nothing; each page brings back its own tabs. Pump, unattached, counts for its assembly and car only.
    void nodeClicksShowRecords()
    {
        QCOMPARE(shown("CarTargetCost,CarActualCost,CarTargetEffort,CarTargetStartDate,CarActualStartDate,"
                       "CarActualStopDate"),
            "$35.00|$6.00|30|4/15/2003|5/2/2003|");
        testing::clickNode(testing::treeNode(tree(false), Kind::Assembly, m_plan.engine));
        QCOMPARE(shown("AssemblyTargetCost,AssemblyTargetStartDate"), "$35.00|5/1/2003");
        testing::clickNode(component(m_plan.pump));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 2);
        QCOMPARE(shown("ComponentDisplayDescription"), "Pump");
        m_f->pick(child<QComboBox>(w(), "componentDescription"), m_plan.hose);
        QCOMPARE(shown("ComponentDisplayDescription"), "Hose");
        testing::clickNode(component(m_plan.pump));
        testing::clickNode(testing::topNode(tree(false)));
        QCOMPARE(testing::pickedKey(child<QComboBox>(w(), "componentDescription")), m_plan.pump);

        showPage(1);
        testing::clickNode(testing::treeNode(tree(true), Kind::Activity, m_plan.a1));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 4);
        QCOMPARE(testing::pickedKey(child<QComboBox>(w(), "ActivityDescription")), m_plan.a1);
        QCOMPARE(shown("ActivityTargetCost,ActivityActualCost"), "$5.00|$6.00");
        testing::clickNode(testing::treeNode(tree(true), Kind::Phase, m_plan.phaseA));
        QCOMPARE(shown("PhaseTargetCost,PhaseTargetEffort"), "$5.00|20");
        for (const int page : { 0, 1 }) {
            showPage(page);
            QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), page ? 3 : 2);
            QCOMPARE(child<QPushButton>(w(), "cmdMoveUp")->isEnabled(), page == 1);
        }
    }

    void moves_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("sequences"); // afterwards, as sequences() gives them
        QTest::addColumn<int>("row"); // of the record under its parent afterwards
        QTest::addColumn<QString>("message");
        const QString unmoved = "1,2,5|1,2,1";
        // clang-format off
        QTest::newRow("first phase up") << "A" << true << 1 << unmoved << 0 << "This Is The First PHASE... Can't Be Moved Up";
        QTest::newRow("last phase down") << "C" << false << 1 << unmoved << 2 << "This Is The Last PHASE... Can't Be Moved Down";
        QTest::newRow("first of second phase up") << "B1" << true << 1 << unmoved << 0
                                                  << "This Is The First ACTIVITY In The PHASE... Can't Be Moved Up";
        QTest::newRow("phase up, gaps kept") << "C" << true << 1 << "1,5,2|1,2,1" << 1 << "";
        QTest::newRow("activity down, then at its phase's end") << "A1" << false << 2 << "1,2,5|2,1,1" << 1
            << "This Is The Last ACTIVITY In The PHASE... Can't Be Moved Down";
        // clang-format on
    }

    // The ends of the plan, and of each phase for its activities, refuse to move; a move trades places
    // with the neighbour, the tree follows and the record stays picked.
    void moves()
    {
        QFETCH(QString, record);
        QFETCH(bool, up);
        QFETCH(int, presses);
        const bool phase = record.size() == 1;
        pick(phase ? 3 : 4, record);
        const store::Key key = testing::pickedKey(m_f->list(phase ? 3 : 4));
        for (int i = 0; i < presses; ++i)
            press(up ? "cmdMoveUp" : "cmdMoveDown");
        QTEST(boxTexts().value(0), "message");
        QTEST(sequences(), "sequences");
        const testing::Node node = testing::treeNode(tree(true), phase ? Kind::Phase : Kind::Activity, key);
        QCOMPARE(testing::currentNode(tree(true)), node);
        QTEST(node.index().row(), "row");
        const bool moved = boxTexts().isEmpty() || presses > 1;
        QCOMPARE(child<QAction>(w(), "mnuUndo")->text(), moved ? up ? "&Undo Move Up" : "&Undo Move Down" : "&Undo");
    }

    // In attach mode a click attaches a component, a second detaches it, one attached elsewhere moves here;
    // assemblies are not attached; a vanished component is reported, the mode staying on until Done.
    void attachingComponents()
    {
        pick(4, "A2");
        press("cmdAttachComponent");
        QCOMPARE(m_f->buttonPattern(), "000000");
        QVERIFY(!child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
        showPage(1); // the plan cannot be shown meanwhile
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->currentIndex(), 0);

        // Pump's, Hose's and Panel's activities.
        const auto attached = [&] {
            return m_f->peek()
                .column("SELECT COALESCE(ActivityID, 0) FROM Component WHERE carid = ? ORDER BY componentid",
                    { m_plan.car })
                .join('|');
        };
        const QString a1 = QString::number(m_plan.a1), a2 = QString::number(m_plan.a2);
        auto* list = child<QListWidget>(w(), "ActivityComponents");
        testing::clickNode(testing::treeNode(tree(false), Kind::Assembly, m_plan.engine));
        testing::clickNode(component(m_plan.pump));
        QCOMPARE(attached(), a2 + "|" + a1 + "|0");
        QVERIFY(component(m_plan.pump).font().bold());
        QCOMPARE(list->item(0)->text(), "Pump");
        testing::clickNode(component(m_plan.pump));
        QCOMPARE(attached(), "0|" + a1 + "|0");
        QCOMPARE(list->item(0)->text(), "<No Components For This Activity>");
        QAction* undo = child<QAction>(w(), "mnuUndo");
        QVERIFY(undo->text() == "&Undo Detach Component 'Pump'" && !undo->isEnabled());
        testing::clickNode(component(m_plan.hose));
        testing::clickNode(component(m_plan.pump));
        QCOMPARE(attached(), a2 + "|" + a2 + "|0");

        m_f->peek().value("DELETE FROM Component WHERE componentid = ?", { m_plan.panel });
        testing::clickNode(component(m_plan.panel));
        QCOMPARE(boxTexts(), QStringList { "Unable To Access Component" });
        QVERIFY(child<QPushButton>(w(), "cmdDone")->isVisible());
        press("cmdDone");
        QCOMPARE(m_f->buttonPattern(), "110011");
        QVERIFY(child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
        QCOMPARE(shown("ActivityTargetCost,ActivityActualCost"), "$35.00|$6.00");
        undo->trigger(); // each click was a change of its own; Panel is gone
        QCOMPARE(attached(), "0|" + a2);
    }
};

QTEST_MAIN(TestPlan)
#include "TestPlan.moc"
