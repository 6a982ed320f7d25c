// The totals shown for a car, assembly, phase, activity and component.

#include "common/Formats.h"
#include "project/Rollups.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QtTest>

using common::Money;
using namespace editor::rollup;

namespace {

store::Component component(qint32 assembly, std::optional<qint32> activity, const char* target, const char* actual,
                           std::optional<qint32> quantity)
{
    store::Component c;
    c.carid = 2;
    c.assemblyid = assembly;
    c.ActivityID = activity;
    c.Description = QStringLiteral("part");
    if (target)
        c.targetcost = Money::parse(QLatin1String(target));
    if (actual)
        c.actualcost = Money::parse(QLatin1String(actual));
    c.quantity = quantity;
    return c;
}

store::Activity activity(qint32 phase, const QString& targetStart, const QString& targetStop,
                         const QString& actualStart, const QString& actualStop, std::optional<double> targetEffort = {},
                         std::optional<double> actualEffort = {})
{
    store::Activity a;
    a.carid = 2;
    a.PhaseID = phase;
    a.Description = QStringLiteral("job");
    a.targetstartdate = QDate::fromString(targetStart, QStringLiteral("M/d/yyyy"));
    a.targetstopdate = QDate::fromString(targetStop, QStringLiteral("M/d/yyyy"));
    a.actualstartdate = QDate::fromString(actualStart, QStringLiteral("M/d/yyyy"));
    a.actualstopdate = QDate::fromString(actualStop, QStringLiteral("M/d/yyyy"));
    a.targeteffort = targetEffort;
    a.actualeffort = actualEffort;
    return a;
}

QList<const store::Activity*> pointers(const QList<store::Activity>& rows)
{
    QList<const store::Activity*> p;
    for (const auto& r : rows)
        p.append(&r);
    return p;
}

QString shown(const QDate& d)
{
    return common::formatDate(d);
}

} // namespace

class TestRollups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void costs_data()
    {
        QTest::addColumn<QList<store::Component>>("rows");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("actual");
        QTest::newRow("none") << QList<store::Component> {} << "$.00" << "$.00";
        QTest::newRow("10.00 x 3 + 2.50 x 2")
            << QList<store::Component> { component(1, {}, "10.00", "9", 3), component(1, {}, "2.50", nullptr, 2) }
            << "$35.00" << "$27.00";
        QTest::newRow("Null quantity adds nothing")
            << QList<store::Component> { component(1, {}, "10", "10", std::nullopt) } << "$.00" << "$.00";
        QTest::newRow("fractions of a cent kept until shown")
            << QList<store::Component> { component(1, {}, "0.3333", nullptr, 3), component(1, {}, "0.0001", nullptr, 1) }
            << "$1.00" << "$.00";
        QTest::newRow("negative credit") << QList<store::Component> { component(1, {}, "-5", "-5", 1) } << "-$5.00"
                                         << "-$5.00";
        QTest::newRow("large") << QList<store::Component> { component(1, {}, "99999.99", nullptr, 100000) }
                               << "$9,999,999,000.00" << "$.00";
    }

    void costs()
    {
        QFETCH(QList<store::Component>, rows);
        QFETCH(QString, target);
        QFETCH(QString, actual);
        QList<const store::Component*> p;
        for (const auto& r : rows)
            p.append(&r);
        const Costs c = sumCosts(p);
        QVERIFY(!c.overflow);
        QCOMPARE(common::formatNumber(c.target, common::fmt::Cost), target);
        QCOMPARE(common::formatNumber(c.actual, common::fmt::Cost), actual);
    }

    // Rows no check of ours let through (written by another program) cannot wrap the total.
    void costsPastMoney()
    {
        const QList<store::Component> rows = { component(1, {}, "90000000000000", nullptr, 1000) };
        const Costs c = sumCosts({ &rows[0] });
        QVERIFY(c.overflow);
        QCOMPARE(c.target, Money());
    }

    void plan()
    {
        // Earliest starts, latest stops.
        QList<store::Activity> rows = { activity(1, "5/1/2003", "5/20/2003", "", ""),
                                        activity(1, "4/15/2003", "6/30/2003", "", "") };
        Plan p = sumPlan(pointers(rows));
        QCOMPARE(shown(p.targetStart), QStringLiteral("4/15/2003"));
        QCOMPARE(shown(p.targetStop), QStringLiteral("6/30/2003"));
        QCOMPARE(shown(p.actualStart), QString());
        QCOMPARE(shown(p.actualStop), QString());

        // A started, unfinished activity keeps the actual stop empty until it is finished.
        rows = { activity(1, "", "", "5/1/2003", "6/1/2003"), activity(1, "", "", "5/3/2003", "") };
        p = sumPlan(pointers(rows));
        QCOMPARE(shown(p.actualStart), QStringLiteral("5/1/2003"));
        QCOMPARE(shown(p.actualStop), QString());
        rows[1].actualstopdate = QDate(2003, 6, 15);
        p = sumPlan(pointers(rows));
        QCOMPARE(shown(p.actualStop), QStringLiteral("6/15/2003"));

        // A stop without a start takes no part.
        rows = { activity(1, "", "", "5/1/2003", "6/1/2003"), activity(1, "", "", "", "12/1/2003") };
        p = sumPlan(pointers(rows));
        QCOMPARE(shown(p.actualStop), QStringLiteral("6/1/2003"));

        // Nothing at all.
        p = sumPlan({});
        QCOMPARE(p.targetEffort, 0);
        QCOMPARE(shown(p.targetStart), QString());
    }

    void efforts_data()
    {
        QTest::addColumn<QList<double>>("hours");
        QTest::addColumn<qint64>("total");
        QTest::newRow("whole") << QList<double> { 12, 8, 20 } << qint64(40);
        QTest::newRow("half rounds to even: 0.5") << QList<double> { 0.5 } << qint64(0);
        QTest::newRow("half rounds to even: 1.5") << QList<double> { 1.5 } << qint64(2);
        QTest::newRow("each step rounds") << QList<double> { 0.5, 0.5, 0.5 } << qint64(0);
        QTest::newRow("2.5 + 1") << QList<double> { 2.5, 1 } << qint64(3);
        QTest::newRow("past 32767 hours") << QList<double> { 30000, 30000 } << qint64(60000);
    }

    void efforts()
    {
        QFETCH(QList<double>, hours);
        QFETCH(qint64, total);
        QList<store::Activity> rows;
        for (double h : hours)
            rows.append(activity(1, "", "", "", "", h, std::nullopt));
        const Plan p = sumPlan(pointers(rows));
        QCOMPARE(p.targetEffort, total);
        QCOMPARE(p.actualEffort, 0); // Null efforts add nothing
    }

    // Which rows count for which record, on a real database.
    void projectFigures()
    {
        testing::TestDatabase files;
        auto db = store::Database::open(files.createEmpty());
        const store::Store s(*db);
        store::Car car;
        car.Description = QStringLiteral("Figures");
        const qint32 carid = s.cars.add(car);
        store::Car other;
        other.Description = QStringLiteral("Other");
        const qint32 otherid = s.cars.add(other);

        store::Phase phase;
        phase.carid = carid;
        const qint32 phaseid = s.phases.add(phase);
        store::Activity job = activity(phaseid, "5/1/2003", "5/9/2003", "5/2/2003", "");
        job.carid = carid;
        const qint32 jobid = s.activities.add(job);

        store::Component attached = component(7, jobid, "10", "12", 2);
        attached.carid = carid;
        s.components.add(attached);
        store::Component loose = component(7, std::nullopt, "1", nullptr, 1);
        loose.carid = carid;
        s.components.add(loose);
        store::Component zero = component(8, 0, "100", nullptr, 1); // 0: not attached
        zero.carid = carid;
        s.components.add(zero);
        store::Component elsewhere = component(7, jobid, "1000", nullptr, 1);
        elsewhere.carid = otherid;
        s.components.add(elsewhere);

        const ProjectFigures f(s, carid);
        QCOMPARE(f.carCosts().target, Money::parse(QStringLiteral("121")).value());
        QCOMPARE(f.assemblyCosts(7).target, Money::parse(QStringLiteral("21")).value());
        QCOMPARE(f.assemblyCosts(7).actual, Money::parse(QStringLiteral("24")).value());
        QCOMPARE(f.activityCosts(jobid).target, Money::parse(QStringLiteral("20")).value());
        QCOMPARE(f.phaseCosts(phaseid).target, Money::parse(QStringLiteral("20")).value());
        QCOMPARE(f.activityCosts(0).target, Money());
        QCOMPARE(shown(f.assemblyStarts(7).target), QStringLiteral("5/1/2003"));
        QCOMPARE(shown(f.assemblyStarts(7).actual), QStringLiteral("5/2/2003"));
        QCOMPARE(shown(f.assemblyStarts(8).target), QString());
        QCOMPARE(shown(f.componentStarts(jobid).target), QStringLiteral("5/1/2003"));
        QCOMPARE(shown(f.componentStarts(0).target), QString());
        QCOMPARE(shown(f.phasePlan(phaseid).targetStop), QStringLiteral("5/9/2003"));
        QCOMPARE(shown(f.phasePlan(phaseid + 100).targetStop), QString());
    }
};

QTEST_GUILESS_MAIN(TestRollups)
#include "TestRollups.moc"
