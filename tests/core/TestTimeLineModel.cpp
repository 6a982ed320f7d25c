// The time line's span, scale, axis, pages and row geometry, worked out by hand from the rules.

#include "support/PlanWriter.h"
#include "support/TestDatabase.h"

#include "store/Store.h"
#include "timeline/ChartGeometry.h"
#include "timeline/PageLayout.h"
#include "timeline/TimeLineModel.h"

#include <QSet>
#include <QtTest>

using namespace timeline;
using namespace Qt::StringLiterals;

namespace {

QDate d(const QString& iso)
{
    return QDate::fromString(iso, Qt::ISODate);
}

// A plan built in memory: phases and activities in the order the store would give them.
class Plan
{
public:
    int phase(const QString& name = u"P"_s)
    {
        m_phases.append({ .PhaseID = 100 + int(m_phases.size()), .Description = name });
        return int(m_phases.size()) - 1;
    }
    // Dates as ISO text, empty for none.
    qint32 activity(int phase, const QString& name, const QString& targetStart = {}, const QString& targetStop = {},
        const QString& actualStart = {}, const QString& actualStop = {})
    {
        m_activities.append({ 1000 + qint32(m_activities.size()), 0, m_phases.at(phase).PhaseID, {}, name, {},
            d(targetStart), d(targetStop), {}, d(actualStart), d(actualStop) });
        return m_activities.last().ActivityID;
    }
    store::Activity& last() { return m_activities.last(); }
    // Loads the plan and computes the span; answers whether the 53-month notice is due.
    bool into(TimeLineModel& model, Style style = Style::Detail) const
    {
        model.assign(m_phases, m_activities);
        return model.computeSpan(style);
    }

private:
    QList<store::Phase> m_phases;
    QList<store::Activity> m_activities;
};

// One phase of one activity, with its dates as ISO texts.
TimeLineModel single(const QString& targetStart, const QString& targetStop, const QString& actualStart = {},
    const QString& actualStop = {})
{
    Plan plan;
    plan.activity(plan.phase(), u"A"_s, targetStart, targetStop, actualStart, actualStop);
    TimeLineModel model;
    plan.into(model);
    return model;
}

// Phases of n activities each, all dated; activities come in priority order across phases, interleaved.
Plan evenPlan(int phases, int activitiesEach)
{
    Plan plan;
    for (int p = 0; p < phases; ++p)
        plan.phase(u"Phase %1"_s.arg(p));
    for (int a = 0; a < activitiesEach; ++a) {
        for (int p = 0; p < phases; ++p)
            plan.activity(p, u"A%1.%2"_s.arg(p).arg(a), u"2003-01-01"_s, u"2003-02-01"_s);
    }
    return plan;
}

} // namespace

class TestTimeLineModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spanLimit_data()
    {
        QTest::addColumn<int>("targetDays");
        QTest::addColumn<int>("actualDays");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("span"); // target days/months, actual days/months
        // 1612 / 30.4166 + 1 rounds to 54; a cut span is set to 53 months.
        QTest::newRow("1612 days stay") << 1612 << 0 << false << "1612/54 0/2";
        QTest::newRow("1613 days are cut") << 1613 << 0 << true << "1612/53 0/2";
        QTest::newRow("actual over, target not") << 40 << 2000 << true << "40/2 1612/53";
        QTest::newRow("a single day") << 1 << 0 << false << "1/2 0/2";
        QTest::newRow("45 days") << 45 << 46 << false << "45/2 46/3";
        // Sixteen bits would wrap 65,636 days to 100 and miss the limit.
        QTest::newRow("180 years") << 65636 << 0 << true << "1612/53 0/2";
    }
    void spanLimit()
    {
        QFETCH(int, targetDays);
        QFETCH(int, actualDays);
        const QDate start(2000, 3, 1);
        const auto iso = [&](int days) { return start.addDays(days - 1).toString(Qt::ISODate); };
        Plan plan;
        plan.activity(plan.phase(), u"Target"_s, iso(1), iso(targetDays));
        if (actualDays > 0)
            plan.activity(0, u"Actual"_s, {}, {}, iso(1), iso(actualDays));
        TimeLineModel model;
        QTEST(plan.into(model), "cut");
        const ProjectSpan& s = model.span();
        QTEST(u"%1/%2 %3/%4"_s.arg(s.targetDays).arg(s.targetMonths).arg(s.actualDays).arg(s.actualMonths), "span");
        QCOMPARE(s.dayScale, 213.0 / std::max(s.targetMonths, s.actualMonths));
        QCOMPARE(s.range.targetStop, start.addDays(std::min(targetDays - 1, 1612)));
        // Positions far out along a long axis go past 32,767 twips without wrapping.
        QCOMPARE(model.position(start.addDays(targetDays)), 5380 + targetDays * s.dayScale);
    }

    // Missing dates are left out of the span, the activity listed and its effort counted; a start
    // without a stop lies 9,000 years before its marker, without wrapping, and its bar keeps 30 twips.
    void undatedAndOpenActivities()
    {
        Plan plan;
        plan.activity(plan.phase(u"Body"_s), u"Undated"_s);
        plan.last().targeteffort = 1234;
        plan.activity(0, u"Dated"_s, u"2003-05-01"_s, u"2003-05-31"_s, u"2003-05-04"_s);
        plan.last().targeteffort = 0;
        plan.activity(0, u"Only a stop"_s, {}, u"2004-01-10"_s);
        plan.activity(0, u"Open"_s, u"2003-05-10"_s);
        TimeLineModel model;
        QVERIFY(!plan.into(model));
        const ProjectSpan& s = model.span();
        QCOMPARE(s.range.targetStart, QDate(2003, 5, 1));
        QCOMPARE(s.range.targetStop, QDate(2004, 1, 10));
        QCOMPARE(s.actualDays, qint64(0)); // started, not finished: no actual span
        QCOMPARE(s.targetEffort, qint64(1234));
        QCOMPARE(model.activities().at(3).targetDays, NoDate.toJulianDay() - QDate(2003, 5, 10).toJulianDay());

        const PageLayout page = layoutPage(model, 1, u"Truck"_s);
        QCOMPARE(page.rows.size(), 6);
        const ChartRow& undated = page.rows.at(2);
        QCOMPARE(undated.name + undated.startDate + undated.stopDate + undated.effort, u"       Undated1,234"_s);
        QCOMPARE(page.rows.at(0).effort + page.rows.at(3).effort, u"1,234"_s); // zero shows nothing
        QVERIFY(!undated.target && !undated.actual);
        QCOMPARE(page.rows.at(3).startDate + u" "_s + page.rows.at(3).stopDate, u"05/01/03 05/31/03"_s);
        QVERIFY(!page.rows.at(4).target); // a stop alone has nowhere to start
        QCOMPARE(*page.rows.at(5).target, QRectF(5380 + 9 * s.dayScale, 910 + 195 * 5, 30, 195));

        // Nothing planned or finished at all: no span, the markers stay.
        Plan none;
        none.activity(none.phase(), u"Started only"_s, {}, {}, u"2003-01-01"_s);
        none.into(model);
        QVERIFY(!model.span().hasDates());
        QCOMPARE(model.span().range.targetStart, HighDate);
    }

    // The axis starts on the first of the earlier start's month, across the turn of the century; a label
    // a month until 15 are used; x moves on in whole twips, February of 28 days even in a leap year.
    void monthAxis()
    {
        TimeLineModel model = single(u"2000-03-15"_s, u"2000-09-30"_s, u"1999-11-20"_s, u"2000-01-02"_s);
        QCOMPARE(model.span().axisStart, QDate(1999, 11, 1));
        QCOMPARE(model.monthCount(), 11);
        double scale = model.span().dayScale;
        QCOMPARE(*layoutPage(model, 1, QString()).rows.at(0).actual, QRectF(5380 + 19 * scale, 965, 44 * scale, 95));

        model = single(u"2002-01-15"_s, u"2003-06-30"_s);
        scale = model.span().dayScale;
        QCOMPARE(model.span().targetMonths, 18); // 532 days
        ChartRow project = layoutPage(model, 1, QString()).rows.at(0);
        QCOMPARE(*project.target, QRectF(5380 + 14 * scale, 910, 532 * scale, 195)); // both ends counted
        QVERIFY(!project.actual);
        MonthAxis axis = timeline::monthAxis(model);
        QCOMPARE(axis.gridLines.size(), 19);
        // Line 1 closes January; the label names February, 120 twips to its left.
        const double jan = 5380 + 31 * scale;
        QCOMPARE(axis.gridLines.at(1), QLineF(jan, 800, jan, 7530));
        QCOMPARE(axis.labels.at(1).text, u"2/02"_s);
        QCOMPARE(axis.labels.at(1).topLeft, QPointF(jan - 120, 600));
        QCOMPARE(axis.gridLines.at(2).x1(), std::round(jan) + 28 * scale);
        QCOMPARE(axis.labels.at(9).text, u"10/02"_s); // two digits: 170 twips to the left
        QCOMPARE(axis.labels.at(9).topLeft.x(), axis.gridLines.at(9).x1() - 170);
        QCOMPARE(axis.labels.size(), 15);
        QCOMPARE(axis.gridLines.at(15).y1(), 900.0); // labels used up: the line stays short

        model = single(u"2004-01-01"_s, u"2008-12-31"_s);
        QCOMPARE(model.monthCount(), 53); // January 2004 to May 2008, the cut stop
        axis = timeline::monthAxis(model);
        scale = model.span().dayScale;
        QCOMPARE(axis.gridLines.at(2).x1(), std::round(5380 + 31 * scale) + 28 * scale);
        // 53 months: a label every 4th month, the 4th naming May.
        QCOMPARE(axis.labels.at(1).text, u"5/04"_s);
        QCOMPARE(axis.gridLines.at(4).y1(), 800.0);
        QCOMPARE(axis.gridLines.at(3).y1(), 900.0);
    }

    // Today's line goes through the middle of its day, from the first day of the first month to the
    // last of the last (January and February 2002 here); none off the grid or without a date.
    void todayLine_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<double>("days"); // from the axis start to the line; -1 for none
        QTest::newRow("first day") << QDate(2002, 1, 1) << 0.5;
        QTest::newRow("day before") << QDate(2001, 12, 31) << -1.0;
        QTest::newRow("last day") << QDate(2002, 2, 28) << 58.5;
        QTest::newRow("day after") << QDate(2002, 3, 1) << -1.0;
        QTest::newRow("no date") << QDate() << -1.0;
    }

    void todayLine()
    {
        QFETCH(QDate, today);
        QFETCH(double, days);
        const TimeLineModel model = single(u"2002-01-15"_s, u"2002-02-14"_s);
        const std::optional<TodayMark> mark = layoutPage(model, 1, QString(), today).today;
        const double x = 5380 + days * model.span().dayScale;
        QCOMPARE(mark ? mark->line : QLineF(), days < 0 ? QLineF() : QLineF(x, 900, x, 7530));
    }

    void pageCount_data()
    {
        QTest::addColumn<int>("phases");
        QTest::addColumn<int>("activitiesEach");
        QTest::addColumn<bool>("summary");
        QTest::addColumn<int>("pages");
        QTest::newRow("one full page") << 3 << 10 << false << 1;
        QTest::newRow("interleaved over three pages") << 3 << 25 << false << 3;
        QTest::newRow("34 rows") << 2 << 16 << false << 2;
        QTest::newRow("summary of 34 phases") << 34 << 0 << true << 2;
        QTest::newRow("summary of 67 phases") << 67 << 3 << true << 3;
        QTest::newRow("no phases") << 0 << 0 << false << 1;
        // No fixed capacity: beyond 101 phases, 1,001 activities and 99 pages.
        QTest::newRow("150 phases of 10") << 150 << 10 << false << 50;
        QTest::newRow("one phase of 3,400") << 1 << 3400 << false << 107;
    }
    // Every activity once, under its own phase; a page resuming a broken phase repeats it at the top.
    void pageCount()
    {
        QFETCH(int, phases);
        QFETCH(int, activitiesEach);
        QFETCH(bool, summary);
        TimeLineModel model;
        evenPlan(phases, activitiesEach).into(model, summary ? Style::Summary : Style::Detail);
        QTEST(model.pageCount(), "pages");
        QStringList listed;
        int phase = -1;
        for (int n = 1; n <= model.pageCount(); ++n) {
            const PageLayout page = layoutPage(model, n, u"Project"_s);
            QVERIFY(page.rows.size() <= 34);
            QVERIFY(page.rows.size() >= (phases > 0 ? 2 : 1)); // never an empty page
            for (int i = 1; i < page.rows.size(); ++i) {
                const ChartRow& row = page.rows.at(i);
                if (row.kind == BarKind::Activity) {
                    QCOMPARE(row.name.trimmed().mid(1).section(u'.', 0, 0).toInt(), phase);
                    listed << row.name;
                    continue;
                }
                const int next = row.name.section(u' ', -1).toInt();
                QVERIFY(next == phase + 1 || (next == phase && i == 1));
                phase = next;
                if (row.target) // phases without activities have no bar
                    QCOMPARE(row.target->top(), 910.0 + 195 * i);
            }
        }
        QCOMPARE(QSet<QString>(listed.begin(), listed.end()).size(), summary ? 0 : phases * activitiesEach);
        QCOMPARE(listed.size(), summary ? 0 : phases * activitiesEach);
    }

    void phaseAggregates()
    {
        Plan plan;
        const int body = plan.phase(u"Body"_s), paint = plan.phase(u"Paint"_s);
        plan.phase(u"Wiring"_s);
        plan.activity(body, u"Rust"_s, u"2003-02-10"_s, u"2003-03-01"_s, u"2003-02-12"_s, u"2003-03-05"_s);
        plan.activity(paint, u"Prime"_s, u"2003-04-01"_s, u"2003-04-01"_s, u"2003-04-03"_s);
        plan.activity(body, u"Panels"_s, u"2003-01-20"_s, u"2003-02-20"_s);
        plan.activity(2, u"Harness"_s);
        TimeLineModel model;
        plan.into(model);
        const PageLayout page = layoutPage(model, 1, QString());
        const double scale = model.span().dayScale;
        // Rows: project, Body, Rust, Panels, Paint, Prime, Wiring, Harness.
        QCOMPARE(*page.rows.at(1).target, QRectF(5380 + 19 * scale, 1105, 41 * scale, 195));
        QCOMPARE(*page.rows.at(1).actual, QRectF(5380 + 42 * scale, 1160, 22 * scale, 95));
        QCOMPARE(*page.rows.at(2).target, QRectF(5380 + 40 * scale, 1300, 20 * scale, 195)); // 19 days + 1
        QCOMPARE(page.rows.at(4).actual->width(), 30.0); // started, not finished
        QCOMPARE(page.rows.at(4).target->width(), std::max(30.0, scale));
        QVERIFY(!page.rows.at(6).target && !page.rows.at(6).actual); // Wiring has no dates
    }

    // From the file: one car's rows only, in priority order with ties by key; Nulls become markers and 0.
    void loadsOneCarInPriorityOrder()
    {
        testing::TestDatabase files;
        auto db = store::Database::open(files.createEmpty());
        testing::PlanWriter plan(*db);
        const qint32 coupe = plan.car(u"Coupe"_s), other = plan.car(u"Other"_s);
        const store::Key second = plan.phase(coupe, u"Second"_s, 2), first = plan.phase(coupe, u"First"_s, 1);
        plan.phase(other, u"Elsewhere"_s, 1);
        plan.activity(coupe, second, u"S1"_s, 1, QDate(2003, 1, 1), {}, 4.5);
        plan.activity(coupe, first, u"F2"_s, 2, QDate(2003, 1, 2));
        plan.activity(coupe, first, u"F1"_s, 1, QDate(2003, 1, 1), {}, 1.5);
        plan.activity(other, first, u"Not ours"_s, 1, QDate(2003, 1, 1), {}, 1);

        TimeLineModel model;
        model.load(store::Store(*db), coupe);
        QStringList order;
        for (const ActivityLine& a : model.activities())
            order << a.Description + u':' + QString::number(a.targeteffort);
        QCOMPARE(order, QStringList({ u"S1:4"_s, u"F1:2"_s, u"F2:0"_s })); // 4.5 and 1.5: halves to even
        QCOMPARE(model.activities().at(2).targetstopdate, NoDate);
        QCOMPARE(model.activitiesOf(0), QList<int>({ 1, 2 }));
        QCOMPARE(model.activitiesOf(1), QList<int>({ 0 }));
    }
};

QTEST_GUILESS_MAIN(TestTimeLineModel)
#include "TestTimeLineModel.moc"
