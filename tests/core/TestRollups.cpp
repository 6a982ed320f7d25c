// The totals shown for a car, assembly, phase, activity and component.

#include "common/Formats.h"
#include "project/Rollups.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QtTest>

using common::Money;
using namespace editor::rollup;
using namespace Qt::StringLiterals;

namespace {

std::optional<Money> money(const char* text)
{
    return text ? Money::parse(QLatin1String(text)) : std::nullopt;
}

store::Component component(store::Key assembly, std::optional<store::Key> activity, const char* target,
    const char* actual, std::optional<qint32> quantity, store::Key car = 2)
{
    return { 0, car, assembly, activity, {}, {}, {}, {}, quantity, money(target), money(actual) };
}

// Dates as M/d/yyyy, empty for none.
store::Activity activity(const QString& targetStart, const QString& targetStop, const QString& actualStart,
    const QString& actualStop, std::optional<double> targetEffort = {})
{
    const auto date = [](const QString& text) { return QDate::fromString(text, u"M/d/yyyy"_s); };
    return { 0, 2, 1, {}, {}, {}, date(targetStart), date(targetStop), targetEffort, date(actualStart),
        date(actualStop) };
}

template <class Rec> QList<const Rec*> pointers(const QList<Rec>& rows)
{
    QList<const Rec*> p;
    for (const auto& r : rows)
        p.append(&r);
    return p;
}

// A plan's dates as shown: target start, target stop, actual start, actual stop.
QString shown(const Plan& p)
{
    return QStringList({ common::formatDate(p.targetStart), common::formatDate(p.targetStop),
                           common::formatDate(p.actualStart), common::formatDate(p.actualStop) })
        .join(u' ');
}

} // namespace

class TestRollups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void costs_data()
    {
        using Rows = QList<store::Component>;
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("actual");
        // clang-format off
        QTest::newRow("none") << Rows {} << "$.00" << "$.00";
        QTest::newRow("10.00 x 3 + 2.50 x 2")
            << Rows { component(1, {}, "10.00", "9", 3), component(1, {}, "2.50", nullptr, 2) } << "$35.00" << "$27.00";
        QTest::newRow("Null quantity adds nothing") << Rows { component(1, {}, "10", "10", {}) } << "$.00" << "$.00";
        QTest::newRow("fractions of a cent kept until shown")
            << Rows { component(1, {}, "0.3333", nullptr, 3), component(1, {}, "0.0001", nullptr, 1) } << "$1.00" << "$.00";
        QTest::newRow("negative credit") << Rows { component(1, {}, "-5", "-5", 1) } << "-$5.00" << "-$5.00";
        QTest::newRow("large") << Rows { component(1, {}, "99999.99", nullptr, 100000) } << "$9,999,999,000.00" << "$.00";
        // clang-format on
    }
    void costs()
    {
        QFETCH(QList<store::Component>, rows);
        const Costs c = sumCosts(pointers(rows));
        QVERIFY(!c.overflow);
        QTEST(common::formatNumber(c.target, common::fmt::Cost), "target");
        QTEST(common::formatNumber(c.actual, common::fmt::Cost), "actual");
        // Rows no check of ours let through (written by another program) cannot wrap the total.
        rows.append(component(1, {}, "90000000000000", nullptr, 1000));
        QVERIFY(sumCosts(pointers(rows)).overflow);
    }

    // Earliest starts, latest stops; a started, unfinished activity keeps the actual stop empty, and
    // a stop without a start takes no part. Efforts are whole hours, each step rounding halves to even.
    void plan()
    {
        QList<store::Activity> rows { activity("5/1/2003", "5/20/2003", "5/1/2003", "6/1/2003", 0.5),
            activity("4/15/2003", "6/30/2003", "5/3/2003", "", 0.5), activity("", "", "", "12/1/2003", 1.5) };
        QCOMPARE(shown(sumPlan(pointers(rows))), u"4/15/2003 6/30/2003 5/1/2003 "_s);
        rows[1].actualstopdate = QDate(2003, 6, 15);
        const Plan p = sumPlan(pointers(rows));
        QCOMPARE(shown(p), u"4/15/2003 6/30/2003 5/1/2003 6/15/2003"_s);
        QCOMPARE(p.targetEffort, 2); // 0 + 0 rounds to 0, then 0 + 1.5 to 2
        QCOMPARE(p.actualEffort, 0); // Null efforts add nothing
        QCOMPARE(shown(sumPlan({})), u"   "_s);
        rows = { activity("", "", "", "", 30000), activity("", "", "", "", 30000) };
        QCOMPARE(sumPlan(pointers(rows)).targetEffort, 60000); // past 32,767 hours
    }

    // Which rows count for which record, on a real database.
    void projectFigures()
    {
        testing::TestDatabase files;
        auto db = store::Database::open(files.createEmpty());
        const store::Store s(*db);
        const store::Key car = s.cars.add({ .Description = u"Figures"_s });
        const store::Key other = s.cars.add({ .Description = u"Other"_s });
        const store::Key phase = s.phases.add({ .carid = car });
        store::Activity job = activity("5/1/2003", "5/9/2003", "5/2/2003", "");
        job.carid = car;
        job.PhaseID = phase;
        const store::Key jobid = s.activities.add(job);
        s.components.add(component(7, jobid, "10", "12", 2, car));
        s.components.add(component(7, std::nullopt, "1", nullptr, 1, car));
        s.components.add(component(8, 0, "100", nullptr, 1, car)); // 0: not attached
        s.components.add(component(7, jobid, "1000", nullptr, 1, other));

        // The unattached, the other car's and the Null activity's rows count only where they belong.
        const ProjectFigures f(s, car);
        QCOMPARE(f.carCosts().target, *Money::parse(u"121"_s));
        QCOMPARE(f.assemblyCosts(7).actual, *Money::parse(u"24"_s));
        QCOMPARE(f.phaseCosts(phase).target, *Money::parse(u"20"_s));
        QCOMPARE(f.activityCosts(0).target, Money());
        QCOMPARE(f.assemblyStarts(7).actual, QDate(2003, 5, 2));
        QVERIFY(!f.assemblyStarts(8).target.isValid());
        QCOMPARE(f.componentStarts(jobid).target, QDate(2003, 5, 1));
        QCOMPARE(f.phasePlan(phase).targetStop, QDate(2003, 5, 9));
    }
};

QTEST_GUILESS_MAIN(TestRollups)
#include "TestRollups.moc"
