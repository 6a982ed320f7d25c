// The two trees, the totals beside the records, moving phases and activities, and attaching
// components to an activity from the materials tree.

#include "support/FormFixture.h"

#include "gui/Dialogs.h"
#include "gui/ListText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

using testing::child;
using testing::FormFixture;

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

class Writer
{
public:
    explicit Writer(const QString& path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
        db.setDatabaseName(path);
        db.open();
    }
    ~Writer() { QSqlDatabase::removeDatabase(QStringLiteral("writer")); }
    qint32 insert(const QString& sql, const QVariantList& values) const
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("writer")));
        q.prepare(sql);
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values.at(i));
        if (!q.exec())
            qFatal("insert failed: %s", qPrintable(sql));
        return q.lastInsertId().toInt();
    }
    QVariant value(const QString& sql, const QVariantList& values = {}) const
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("writer")));
        q.prepare(sql);
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values.at(i));
        q.exec();
        return q.next() ? q.value(0) : QVariant();
    }
};

Plan writePlan(const QString& path)
{
    const Writer w(path);
    Plan p;
    p.car = w.insert("INSERT INTO Car (Description) VALUES ('Plan car')", {});
    const auto phase = [&](const char* name, int seq) {
        return w.insert("INSERT INTO Phase (carid, Description, prioritysequence, Status) VALUES (?, ?, ?, 0)",
                        { p.car, QLatin1String(name), seq });
    };
    p.phaseA = phase("A", 1);
    p.phaseB = phase("B", 2);
    p.phaseC = phase("C", 5);
    const auto activity = [&](const char* name, qint32 ph, int seq, const char* start, const char* astart) {
        return w.insert("INSERT INTO Activity (carid, PhaseID, Description, prioritysequence, Status, "
                        "targetstartdate, actualstartdate, targeteffort) VALUES (?, ?, ?, ?, 0, ?, ?, 10)",
                        { p.car, ph, QLatin1String(name), seq, QLatin1String(start), QLatin1String(astart) });
    };
    p.a1 = activity("A1", p.phaseA, 1, "2003-05-01", "2003-05-02");
    p.a2 = activity("A2", p.phaseA, 2, "2003-04-15", "");
    p.b1 = activity("B1", p.phaseB, 1, "2003-06-01", "");
    p.engine = w.insert("INSERT INTO Assembly (carid, Description, Status) VALUES (?, 'Engine', 0)", { p.car });
    p.body = w.insert("INSERT INTO Assembly (carid, Description, Status) VALUES (?, 'Body', 0)", { p.car });
    const auto part = [&](const char* name, qint32 assembly, QVariant activity, qint64 target, QVariant actual,
                          int quantity) {
        return w.insert("INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, targetcost, "
                        "actualcost, quantity) VALUES (?, ?, ?, ?, 0, ?, ?, ?)",
                        { p.car, assembly, activity, QLatin1String(name), target, actual, quantity });
    };
    const QVariant none(QMetaType(QMetaType::Int));
    p.pump = part("Pump", p.engine, none, 100000, QVariant(QMetaType(QMetaType::LongLong)), 3);
    p.hose = part("Hose", p.engine, p.a1, 25000, 30000, 2);
    p.panel = part("Panel", p.body, none, 0, 0, 1);
    return p;
}

QStringList childTexts(testing::Node node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

} // namespace

class TestPlan : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    Plan m_plan;
    QMainWindow& w() { return m_f->form(); }
    // The node of the materials or plan tree that stands for that record.
    testing::Node materials(project::Kind kind, qint32 key)
    {
        return testing::treeNode(child<QTreeView>(w(), "TvMaterials"), kind, key);
    }
    testing::Node plan(project::Kind kind, qint32 key)
    {
        return testing::treeNode(child<QTreeView>(w(), "TvProject"), kind, key);
    }
    qint32 picked(const char* list) { return testing::pickedKey(child<QComboBox>(w(), list)); }
    QVariant dbValue(const QString& sql, const QVariantList& values = {})
    {
        return Writer(m_f->databasePath()).value(sql, values);
    }
    QStringList boxes()
    {
        QStringList t;
        for (const auto& b : gui::DialogSeam::shownBoxes())
            t << b.text;
        return t;
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

    void trees()
    {
        testing::Node root = testing::topNode(child<QTreeView>(w(), "TvMaterials"));
        QVERIFY(root);
        QCOMPARE(root->text(0), QStringLiteral("Gear-Log - MATERIALS LIST"));
        testing::Node car = root->child(0);
        QCOMPARE(car->text(0), QStringLiteral("CAR: Plan car"));
        QCOMPARE(materials(project::Kind::Car, m_plan.car), car);
        QCOMPARE(childTexts(car), QStringList({ "ASSEMBLY: Body", "ASSEMBLY: Engine" }));
        QCOMPARE(childTexts(car->child(1)), QStringList({ "COMPONENT: Hose", "COMPONENT: Pump" }));
        QVERIFY(materials(project::Kind::Component, m_plan.pump));

        testing::Node planCar = testing::topNode(child<QTreeView>(w(), "TvProject"))->child(0);
        QCOMPARE(
            testing::topNode(child<QTreeView>(w(), "TvProject"))->text(0), QStringLiteral("Gear-Log - PROJECT PLAN"));
        QCOMPARE(childTexts(planCar), QStringList({ "PHASE: A", "PHASE: B", "PHASE: C" }));
        QCOMPARE(childTexts(planCar->child(0)), QStringList({ "ACTIVITY: A1", "ACTIVITY: A2" }));
        QCOMPARE(plan(project::Kind::Activity, m_plan.b1)->parent(), planCar->child(1));
        QCOMPARE(plan(project::Kind::Phase, m_plan.phaseC)->childCount(), 0);
        QVERIFY(planCar->child(0)->isExpanded());
        // The car node carries the highlight after the pick.
        QCOMPARE(testing::currentNode(child<QTreeView>(w(), "TvMaterials")), car);
    }

    void compressedTreesStayCompressed()
    {
        child<QAction>(w(), "mnuCompressView")->trigger();
        QCOMPARE(m_f->settings().value(QStringLiteral("STARTUP/TREEVIEW")).toString(), QStringLiteral("C"));
        testing::Node car = testing::topNode(child<QTreeView>(w(), "TvMaterials"))->child(0);
        QVERIFY(testing::topNode(child<QTreeView>(w(), "TvMaterials"))->isExpanded());
        QVERIFY(car->isExpanded());
        QVERIFY(!car->child(0)->isExpanded());
        child<QTabWidget>(w(), "TbDisplay")->setCurrentIndex(1);
        QVERIFY(!testing::topNode(child<QTreeView>(w(), "TvProject"))->child(0)->child(0)->isExpanded());
        child<QAction>(w(), "mnuExpandView")->trigger();
        QVERIFY(testing::topNode(child<QTreeView>(w(), "TvProject"))->child(0)->child(0)->isExpanded());
        QCOMPARE(m_f->settings().value(QStringLiteral("STARTUP/TREEVIEW")).toString(), QStringLiteral("E"));
    }

    void nodeClicksShowRecords()
    {
        testing::clickNode(materials(project::Kind::Component, m_plan.pump));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 2);
        QCOMPARE(picked("componentDescription"), m_plan.pump);
        QCOMPARE(child<QLineEdit>(w(), "ComponentDisplayDescription")->text(), QStringLiteral("Pump"));
        QCOMPARE(
            testing::currentNode(child<QTreeView>(w(), "TvMaterials")), materials(project::Kind::Component, m_plan.pump));
        // The list picks that follow a node click are not taken for clicks of their own: picking
        // another entry afterwards shows that entry.
        m_f->pick(child<QComboBox>(w(), "componentDescription"), m_plan.hose);
        QCOMPARE(child<QLineEdit>(w(), "ComponentDisplayDescription")->text(), QStringLiteral("Hose"));
        testing::clickNode(materials(project::Kind::Component, m_plan.pump));

        // The root does nothing.
        testing::clickNode(testing::topNode(child<QTreeView>(w(), "TvMaterials")));
        QCOMPARE(picked("componentDescription"), m_plan.pump);
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 2);

        child<QTabWidget>(w(), "TbDisplay")->setCurrentIndex(1);
        testing::clickNode(plan(project::Kind::Activity, m_plan.a2));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 4);
        QCOMPARE(picked("ActivityDescription"), m_plan.a2);
        QCOMPARE(testing::currentNode(child<QTreeView>(w(), "TvProject")), plan(project::Kind::Activity, m_plan.a2));
        // The move buttons now move the activity within its phase.
        QTest::mouseClick(child<QPushButton>(w(), "cmdMoveDown"), Qt::LeftButton);
        QCOMPARE(
            boxes(), QStringList { QStringLiteral("This Is The Last ACTIVITY In The PHASE... Can't Be Moved Down") });
    }

    void totals()
    {
        m_f->showTab(0);
        QCOMPARE(child<QLineEdit>(w(), "CarTargetCost")->text(), QStringLiteral("$35.00"));
        QCOMPARE(child<QLineEdit>(w(), "CarActualCost")->text(),
            QStringLiteral("$6.00")); // the Null actual cost adds nothing
        QCOMPARE(child<QLineEdit>(w(), "CarTargetEffort")->text(), QStringLiteral("30"));
        QCOMPARE(child<QLineEdit>(w(), "CarTargetStartDate")->text(), QStringLiteral("4/15/2003"));
        QCOMPARE(child<QLineEdit>(w(), "CarActualStartDate")->text(), QStringLiteral("5/2/2003"));
        QCOMPARE(child<QLineEdit>(w(), "CarActualStopDate")->text(), QString()); // A1 started and is not finished

        m_f->pick(child<QComboBox>(w(), "assemblyDescription"), m_plan.engine);
        QCOMPARE(child<QLineEdit>(w(), "AssemblyTargetCost")->text(), QStringLiteral("$35.00"));
        QCOMPARE(child<QLineEdit>(w(), "AssemblyTargetStartDate")->text(), QStringLiteral("5/1/2003"));
        m_f->pick(child<QComboBox>(w(), "assemblyDescription"), m_plan.body);
        QCOMPARE(child<QLineEdit>(w(), "AssemblyTargetCost")->text(), QStringLiteral("$.00"));
        QCOMPARE(child<QLineEdit>(w(), "AssemblyTargetStartDate")->text(), QString());

        // Pump is attached to nothing: it counts for its assembly and the car only.
        m_f->showTab(3);
        m_f->pick(child<QComboBox>(w(), "phaseDescription"), m_plan.phaseA);
        QCOMPARE(child<QLineEdit>(w(), "PhaseTargetCost")->text(), QStringLiteral("$5.00"));
        QCOMPARE(child<QLineEdit>(w(), "PhaseTargetEffort")->text(), QStringLiteral("20"));
        m_f->showTab(4);
        m_f->pick(child<QComboBox>(w(), "ActivityDescription"), m_plan.a1);
        QCOMPARE(child<QLineEdit>(w(), "ActivityTargetCost")->text(), QStringLiteral("$5.00"));
        QCOMPARE(child<QLineEdit>(w(), "ActivityActualCost")->text(), QStringLiteral("$6.00"));
        m_f->showTab(2);
        m_f->pick(child<QComboBox>(w(), "componentDescription"), m_plan.hose);
        QCOMPARE(child<QLineEdit>(w(), "ComponentTargetStartDate")->text(), QStringLiteral("5/1/2003"));
        m_f->pick(child<QComboBox>(w(), "componentDescription"), m_plan.pump);
        QCOMPARE(child<QLineEdit>(w(), "ComponentTargetStartDate")->text(), QString());
    }

    void moveRefusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("message");
        QTest::newRow("first phase up") << "A" << true << "This Is The First PHASE... Can't Be Moved Up";
        QTest::newRow("last phase down") << "C" << false << "This Is The Last PHASE... Can't Be Moved Down";
        QTest::newRow("first activity up") << "A1" << true
                                           << "This Is The First ACTIVITY In The PHASE... Can't Be Moved Up";
        QTest::newRow("first of second phase up") << "B1" << true
                                                  << "This Is The First ACTIVITY In The PHASE... Can't Be Moved Up";
        QTest::newRow("last of its phase down") << "A2" << false
                                                << "This Is The Last ACTIVITY In The PHASE... Can't Be Moved Down";
        QTest::newRow("last activity down") << "B1" << false
                                            << "This Is The Last ACTIVITY In The PHASE... Can't Be Moved Down";
    }

    void moveRefusals()
    {
        QFETCH(QString, kind);
        QFETCH(bool, up);
        QFETCH(QString, message);
        const bool phase = kind.size() == 1;
        m_f->showTab(phase ? 3 : 4);
        m_f->pickText(
            phase ? child<QComboBox>(w(), "phaseDescription") : child<QComboBox>(w(), "ActivityDescription"), kind);
        QVERIFY(child<QPushButton>(w(), "cmdMoveUp")->isEnabled());
        const QVariant before = dbValue("SELECT GROUP_CONCAT(prioritysequence) FROM (SELECT prioritysequence FROM "
                                        "Activity WHERE carid = ? UNION ALL SELECT prioritysequence FROM Phase WHERE "
                                        "carid = ?)",
                                        { m_plan.car, m_plan.car });
        QTest::mouseClick(
            up ? child<QPushButton>(w(), "cmdMoveUp") : child<QPushButton>(w(), "cmdMoveDown"), Qt::LeftButton);
        QCOMPARE(boxes(), QStringList { message });
        QCOMPARE(gui::DialogSeam::shownBoxes().first().icon, gui::Icon::None);
        QCOMPARE(dbValue("SELECT GROUP_CONCAT(prioritysequence) FROM (SELECT prioritysequence FROM Activity WHERE "
                         "carid = ? UNION ALL SELECT prioritysequence FROM Phase WHERE carid = ?)",
                         { m_plan.car, m_plan.car }),
                 before);
    }

    // C (5) moved up swaps with B (2), keeping the gap; pressing again moves it once more.
    void movingPhases()
    {
        m_f->showTab(3);
        m_f->pick(child<QComboBox>(w(), "phaseDescription"), m_plan.phaseC);
        QTest::mouseClick(child<QPushButton>(w(), "cmdMoveUp"), Qt::LeftButton);
        QCOMPARE(dbValue("SELECT prioritysequence FROM Phase WHERE PhaseID = ?", { m_plan.phaseB }).toInt(), 5);
        QCOMPARE(dbValue("SELECT prioritysequence FROM Phase WHERE PhaseID = ?", { m_plan.phaseC }).toInt(), 2);
        testing::Node car = testing::topNode(child<QTreeView>(w(), "TvProject"))->child(0);
        QCOMPARE(childTexts(car), QStringList({ "PHASE: A", "PHASE: C", "PHASE: B" }));
        QCOMPARE(testing::currentNode(child<QTreeView>(w(), "TvProject")), plan(project::Kind::Phase, m_plan.phaseC));
        QTest::mouseClick(child<QPushButton>(w(), "cmdMoveUp"), Qt::LeftButton);
        QCOMPARE(childTexts(testing::topNode(child<QTreeView>(w(), "TvProject"))->child(0)),
            QStringList({ "PHASE: C", "PHASE: A", "PHASE: B" }));
        QVERIFY(gui::DialogSeam::shownBoxes().isEmpty());
    }

    void movingActivities()
    {
        m_f->showTab(4);
        m_f->pick(child<QComboBox>(w(), "ActivityDescription"), m_plan.a1);
        QTest::mouseClick(child<QPushButton>(w(), "cmdMoveDown"), Qt::LeftButton);
        QCOMPARE(dbValue("SELECT prioritysequence FROM Activity WHERE ActivityID = ?", { m_plan.a1 }).toInt(), 2);
        QCOMPARE(dbValue("SELECT prioritysequence FROM Activity WHERE ActivityID = ?", { m_plan.a2 }).toInt(), 1);
        QCOMPARE(
            childTexts(plan(project::Kind::Phase, m_plan.phaseA)), QStringList({ "ACTIVITY: A2", "ACTIVITY: A1" }));
        // Now last in its phase: it does not cross into phase B.
        QTest::mouseClick(child<QPushButton>(w(), "cmdMoveDown"), Qt::LeftButton);
        QCOMPARE(boxes(), QStringList { QStringLiteral("This Is The Last ACTIVITY In The PHASE... Can't Be Moved Down") });
    }

    void attachingComponents()
    {
        m_f->showTab(4);
        m_f->pick(child<QComboBox>(w(), "ActivityDescription"), m_plan.a2);
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->count(), 1);
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->item(0)->text(),
            QStringLiteral("<No Components For This Activity>"));
        QVERIFY(child<QPushButton>(w(), "cmdAttachComponent")->isEnabled());
        QTest::mouseClick(child<QPushButton>(w(), "cmdAttachComponent"), Qt::LeftButton);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("000000"));
        QCOMPARE(m_f->panelText(1), QStringLiteral("Click On 'COMPONENT' To Add To Activity - Click Again To Remove "));
        QVERIFY(child<QPushButton>(w(), "cmdDone")->isVisible());
        QVERIFY(child<QPushButton>(w(), "cmdAttachComponent")->isHidden());
        QVERIFY(!child<QComboBox>(w(), "ActivityDescription")->isEnabled());
        QVERIFY(!child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->currentIndex(), 0);

        // The plan page cannot be shown meanwhile.
        child<QTabWidget>(w(), "TbDisplay")->setCurrentIndex(1);
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->currentIndex(), 0);

        // Clicking assemblies does nothing; a component attaches, again detaches.
        testing::clickNode(materials(project::Kind::Assembly, m_plan.engine));
        QVERIFY(!materials(project::Kind::Assembly, m_plan.engine)->font(0).bold());
        testing::clickNode(materials(project::Kind::Component, m_plan.pump));
        QVERIFY(materials(project::Kind::Component, m_plan.pump)->font(0).bold());
        QCOMPARE(dbValue("SELECT ActivityID FROM Component WHERE componentid = ?", { m_plan.pump }).toInt(), m_plan.a2);
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->item(0)->text(), QStringLiteral("Pump"));
        testing::clickNode(materials(project::Kind::Component, m_plan.pump));
        QVERIFY(!materials(project::Kind::Component, m_plan.pump)->font(0).bold());
        QCOMPARE(dbValue("SELECT ActivityID FROM Component WHERE componentid = ?", { m_plan.pump }).toInt(), 0);
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->item(0)->text(),
            QStringLiteral("<No Components For This Activity>"));

        // Hose belonged to A1: attaching it here moves it; Pump too.
        QVERIFY(!materials(project::Kind::Component, m_plan.hose)->font(0).bold());
        testing::clickNode(materials(project::Kind::Component, m_plan.hose));
        testing::clickNode(materials(project::Kind::Component, m_plan.pump));
        QCOMPARE(dbValue("SELECT ActivityID FROM Component WHERE componentid = ?", { m_plan.hose }).toInt(), m_plan.a2);
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->count(), 2);
        QCOMPARE(child<QListWidget>(w(), "ActivityComponents")->item(0)->text(), QStringLiteral("Hose"));

        QTest::mouseClick(child<QPushButton>(w(), "cmdDone"), Qt::LeftButton);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QVERIFY(child<QPushButton>(w(), "cmdDone")->isHidden());
        QVERIFY(!child<QPushButton>(w(), "cmdAttachComponent")->isHidden());
        QVERIFY(child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 4);
        QCOMPARE(child<QTabWidget>(w(), "TbDisplay")->currentIndex(), 1);
        QCOMPARE(child<QLineEdit>(w(), "ActivityTargetCost")->text(), QStringLiteral("$35.00"));
        QCOMPARE(child<QLineEdit>(w(), "ActivityActualCost")->text(), QStringLiteral("$6.00"));
        QVERIFY(!materials(project::Kind::Component, m_plan.hose)->font(0).bold());
    }

    // A component whose row vanished meanwhile is reported, and the mode stays on.
    void attachingAVanishedComponent()
    {
        m_f->showTab(4);
        m_f->pick(child<QComboBox>(w(), "ActivityDescription"), m_plan.a2);
        QTest::mouseClick(child<QPushButton>(w(), "cmdAttachComponent"), Qt::LeftButton);
        Writer(m_f->databasePath()).insert("DELETE FROM Component WHERE componentid = ?", { m_plan.panel });
        testing::clickNode(materials(project::Kind::Component, m_plan.panel));
        QCOMPARE(boxes(), QStringList { QStringLiteral("Unable To Access Component") });
        QVERIFY(child<QPushButton>(w(), "cmdDone")->isVisible());
    }
};

QTEST_MAIN(TestPlan)
#include "TestPlan.moc"
