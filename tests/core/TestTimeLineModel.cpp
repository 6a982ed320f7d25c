// The time line's figures: loading, the project span and its 53-month limit, the scale, the axis,
// the pages and the geometry of each row, worked out by hand from the rules.

#include "support/PlanWriter.h"
#include "support/TestDatabase.h"

#include "store/Store.h"
#include "timeline/ChartGeometry.h"
#include "timeline/PageLayout.h"
#include "timeline/TimeLineModel.h"

#include <QSet>
#include <QtTest>

using timeline::HighDate;
using timeline::NoDate;
using timeline::PageLayout;
using timeline::Style;
using timeline::TimeLineModel;

namespace {

QDate d(const char* iso)
{
    return iso ? QDate::fromString(QLatin1String(iso), Qt::ISODate) : QDate();
}

// A plan built in memory: phases and activities in the order the store would give them.
class Plan
{
public:
    int phase(const QString& name)
    {
        store::Phase p;
        p.PhaseID = 100 + int(m_phases.size());
        p.Description = name;
        m_phases.append(p);
        return int(m_phases.size()) - 1;
    }

    qint32 activity(int phase, const QString& name, const char* targetStart = nullptr, const char* targetStop = nullptr,
        const char* actualStart = nullptr, const char* actualStop = nullptr)
    {
        store::Activity a;
        a.ActivityID = 1000 + qint32(m_activities.size());
        a.PhaseID = m_phases.at(phase).PhaseID;
        a.Description = name;
        a.targetstartdate = d(targetStart);
        a.targetstopdate = d(targetStop);
        a.actualstartdate = d(actualStart);
        a.actualstopdate = d(actualStop);
        m_activities.append(a);
        return a.ActivityID;
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

// Phases of n activities each, all dated, so every row is on the chart.
Plan evenPlan(int phases, int activitiesEach)
{
    Plan plan;
    for (int p = 0; p < phases; ++p) {
        const int ph = plan.phase(QStringLiteral("Phase %1").arg(p));
        for (int a = 0; a < activitiesEach; ++a)
            plan.activity(ph, QStringLiteral("A%1.%2").arg(p).arg(a), "2003-01-01", "2003-02-01");
    }
    return plan;
}

QList<PageLayout> allPages(const TimeLineModel& model)
{
    QList<PageLayout> pages;
    for (int page = 1; page <= model.pageCount(); ++page)
        pages.append(timeline::layoutPage(model, page, QStringLiteral("Project")));
    return pages;
}

QStringList names(const PageLayout& page)
{
    QStringList n;
    for (const timeline::ChartRow& row : page.rows)
        n << row.name;
    return n;
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
        QTest::addColumn<int>("shownTargetDays");
        QTest::addColumn<int>("targetMonths");
        QTest::addColumn<int>("shownActualDays");
        QTest::addColumn<int>("actualMonths");
        // 1612 / 30.4166 + 1 rounds to 54; a cut span is set to 53 months.
        QTest::newRow("1612 days stay") << 1612 << 0 << false << 1612 << 54 << 0 << 2;
        QTest::newRow("1613 days are cut") << 1613 << 0 << true << 1612 << 53 << 0 << 2;
        QTest::newRow("actual over, target not") << 40 << 2000 << true << 40 << 2 << 1612 << 53;
        QTest::newRow("both over, one notice") << 3000 << 1700 << true << 1612 << 53 << 1612 << 53;
        QTest::newRow("a single day") << 1 << 0 << false << 1 << 2 << 0 << 2;
        QTest::newRow("45 days") << 45 << 46 << false << 45 << 2 << 46 << 3;
        // Sixteen bits would wrap 65,636 days to 100 and miss the limit.
        QTest::newRow("180 years") << 65636 << 0 << true << 1612 << 53 << 0 << 2;
    }

    void spanLimit()
    {
        QFETCH(int, targetDays);
        QFETCH(int, actualDays);
        const QDate start(2000, 3, 1);
        Plan plan;
        const int ph = plan.phase(QStringLiteral("Work"));
        const QByteArray from = start.toString(Qt::ISODate).toLatin1();
        const QByteArray to = start.addDays(targetDays - 1).toString(Qt::ISODate).toLatin1();
        const QByteArray actualTo = start.addDays(actualDays - 1).toString(Qt::ISODate).toLatin1();
        plan.activity(ph, QStringLiteral("Target"), from.constData(), to.constData());
        if (actualDays > 0)
            plan.activity(ph, QStringLiteral("Actual"), nullptr, nullptr, from.constData(), actualTo.constData());

        TimeLineModel model;
        QTEST(plan.into(model), "cut");
        const timeline::ProjectSpan& s = model.span();
        QTEST(int(s.targetDays), "shownTargetDays");
        QTEST(s.targetMonths, "targetMonths");
        QTEST(int(s.actualDays), "shownActualDays");
        QTEST(s.actualMonths, "actualMonths");
        QCOMPARE(s.dayScale, 213.0 / std::max(s.targetMonths, s.actualMonths));
        if (targetDays > TimeLineModel::MaxSpanDays)
            QCOMPARE(s.range.targetStop, start.addDays(1612));
        else
            QCOMPARE(s.range.targetStop, start.addDays(targetDays - 1));
    }

    // The scan excludes missing dates; an activity without dates is listed all the same.
    void undatedActivitiesAreListedOutsideTheSpan()
    {
        Plan plan;
        const int ph = plan.phase(QStringLiteral("Body"));
        plan.activity(ph, QStringLiteral("Undated"));
        plan.last().targeteffort = 7;
        plan.activity(ph, QStringLiteral("Dated"), "2003-05-01", "2003-05-31", "2003-05-04", nullptr);
        plan.activity(ph, QStringLiteral("Only a stop"), nullptr, "2004-01-10");
        TimeLineModel model;
        QVERIFY(!plan.into(model));

        const timeline::ProjectSpan& s = model.span();
        QCOMPARE(s.range.targetStart, QDate(2003, 5, 1));
        QCOMPARE(s.range.targetStop, QDate(2004, 1, 10));
        QCOMPARE(s.range.actualStart, QDate(2003, 5, 4));
        QCOMPARE(s.range.actualStop, NoDate);
        QCOMPARE(s.actualDays, qint64(0)); // started, not finished: no actual span
        QCOMPARE(s.targetEffort, qint64(7));

        const PageLayout page = timeline::layoutPage(model, 1, QStringLiteral("Truck"));
        QCOMPARE(names(page),
            QStringList({ QStringLiteral("Truck"), QStringLiteral("Body"), QStringLiteral("       Undated"),
                QStringLiteral("       Dated"), QStringLiteral("       Only a stop") }));
        const timeline::ChartRow& undated = page.rows.at(2);
        QCOMPARE(undated.startDate, QString());
        QCOMPARE(undated.stopDate, QString());
        QCOMPARE(undated.effort, QStringLiteral("7"));
        QVERIFY(!undated.target);
        QVERIFY(!undated.actual);
        QVERIFY(!page.rows.at(4).target); // a stop alone has nowhere to start
        QCOMPARE(page.rows.at(3).startDate, QStringLiteral("05/01/03"));
        QCOMPARE(page.rows.at(3).stopDate, QStringLiteral("05/31/03"));
    }

    void noDatesAtAll()
    {
        Plan plan;
        plan.activity(plan.phase(QStringLiteral("P")), QStringLiteral("Nothing planned"));
        plan.activity(0, QStringLiteral("Started only"), nullptr, nullptr, "2003-01-01", nullptr);
        TimeLineModel model;
        plan.into(model);
        QVERIFY(!model.span().hasDates());
        QCOMPARE(model.span().range.targetStart, HighDate);
        QCOMPARE(model.span().range.targetStop, NoDate);
    }

    // A start without a stop is 9,000 years from its marker: no wrapping, and the bar keeps 30 twips.
    void startWithoutStop()
    {
        Plan plan;
        const int ph = plan.phase(QStringLiteral("P"));
        plan.activity(ph, QStringLiteral("Planned"), "2003-01-01", "2003-12-31");
        plan.activity(ph, QStringLiteral("Open"), "2003-03-01", nullptr, "2003-03-05", nullptr);
        TimeLineModel model;
        plan.into(model);
        const timeline::ActivityLine& open = model.activities().at(1);
        QCOMPARE(open.targetDays, NoDate.toJulianDay() - QDate(2003, 3, 1).toJulianDay());
        QVERIFY(open.targetDays < -365 * 1000);
        const timeline::ChartRow row = timeline::layoutPage(model, 1, QString()).rows.at(3);
        QCOMPARE(row.target->width(), 30.0);
        QCOMPARE(row.actual->width(), 30.0);
        QCOMPARE(row.target->left(), 5380 + 59 * model.span().dayScale);
    }

    // Positions far out along a long axis go past 32,767 twips without wrapping.
    void positionsOfManyYears()
    {
        Plan plan;
        plan.activity(plan.phase(QStringLiteral("P")), QStringLiteral("Long"), "1900-01-01", "2090-12-31");
        TimeLineModel model;
        QVERIFY(plan.into(model));
        const QDate far(2080, 1, 1);
        const double expected = 5380 + double(far.toJulianDay() - QDate(1900, 1, 1).toJulianDay()) * 213.0 / 53;
        QVERIFY(expected > 100000);
        QCOMPARE(model.position(far), expected);
    }

    void axisStartAndBarOffset()
    {
        Plan plan;
        plan.activity(plan.phase(QStringLiteral("P")), QStringLiteral("A"), "2002-01-15", "2002-09-30");
        TimeLineModel model;
        plan.into(model);
        QCOMPARE(model.span().axisStart, QDate(2002, 1, 1));
        const timeline::ChartRow project = timeline::layoutPage(model, 1, QString()).rows.at(0);
        const double scale = model.span().dayScale;
        QCOMPARE(project.target->left(), 5380 + 14 * scale);
        QCOMPARE(project.target->width(), 259 * scale); // 1/15 to 9/30, both counted
        QCOMPARE(project.target->top(), 910.0);
        QCOMPARE(project.target->height(), 195.0);
        QVERIFY(!project.actual);
    }

    // The actual start counts for the axis when it is the earlier one.
    void axisStartsAtTheEarlierStart()
    {
        Plan plan;
        plan.activity(plan.phase(QStringLiteral("P")), QStringLiteral("A"), "2002-03-15", "2002-09-30", "2001-11-20",
            "2002-01-02");
        TimeLineModel model;
        plan.into(model);
        QCOMPARE(model.span().axisStart, QDate(2001, 11, 1));
        QCOMPARE(model.monthCount(), 11);
        const timeline::ChartRow project = timeline::layoutPage(model, 1, QString()).rows.at(0);
        QCOMPARE(project.actual->left(), 5380 + 19 * model.span().dayScale);
        QCOMPARE(project.actual->top(), 965.0);
        QCOMPARE(project.actual->height(), 95.0);
        QCOMPARE(project.actual->width(), 44 * model.span().dayScale);
    }

    void monthCount_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("stop");
        QTest::addColumn<int>("months");
        QTest::newRow("one month") << QDate(2002, 1, 15) << QDate(2002, 1, 20) << 1;
        QTest::newRow("same year") << QDate(2002, 3, 1) << QDate(2002, 11, 30) << 9;
        QTest::newRow("next year") << QDate(2002, 11, 1) << QDate(2003, 2, 1) << 4;
        QTest::newRow("1999 into 2000") << QDate(1999, 11, 1) << QDate(2000, 2, 1) << 4;
        QTest::newRow("1999 into 2001") << QDate(1999, 6, 1) << QDate(2001, 3, 1) << 22;
        QTest::newRow("1998 into 2002") << QDate(1998, 12, 1) << QDate(2002, 1, 31) << 38;
    }

    void monthCount()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, stop);
        Plan plan;
        const QByteArray from = start.toString(Qt::ISODate).toLatin1();
        const QByteArray to = stop.toString(Qt::ISODate).toLatin1();
        plan.activity(plan.phase(QStringLiteral("P")), QStringLiteral("A"), from.constData(), to.constData());
        TimeLineModel model;
        plan.into(model);
        QTEST(model.monthCount(), "months");
        // One grid line at the axis start and one at the end of each month.
        QTEST(int(timeline::monthAxis(model).gridLines.size()) - 1, "months");
    }

    // 2002-01-15 to 2003-06-30: 18 months, a label on every month until 15 labels are used.
    void monthAxis()
    {
        Plan plan;
        plan.activity(plan.phase(QStringLiteral("P")), QStringLiteral("A"), "2002-01-15", "2003-06-30");
        TimeLineModel model;
        plan.into(model);
        const double scale = model.span().dayScale;
        QCOMPARE(model.span().targetMonths, 18); // 532 days
        const timeline::MonthAxis axis = timeline::monthAxis(model);
        QCOMPARE(axis.gridLines.size(), 19);
        QCOMPARE(axis.gridLines.at(0), QLineF(5380, 800, 5380, 7530));
        QCOMPARE(axis.labels.at(0).text, QStringLiteral("1/02"));
        QCOMPARE(axis.labels.at(0).topLeft, QPointF(5260, 600));

        // Line 1 closes January; the label names February, 120 twips to its left.
        const double jan = 5380 + 31 * scale;
        QCOMPARE(axis.gridLines.at(1), QLineF(jan, 800, jan, 7530));
        QCOMPARE(axis.labels.at(1).text, QStringLiteral("2/02"));
        QCOMPARE(axis.labels.at(1).topLeft, QPointF(jan - 120, 600));
        // x moves on rounded to whole twips; October's label sits 170 twips left of its line.
        double x = 5380;
        for (int month = 1; month <= 8; ++month)
            x = std::round(x + QDate(2002, month, 1).daysInMonth() * scale);
        const double sep = x + 30 * scale;
        QCOMPARE(axis.gridLines.at(9).x1(), sep);
        QCOMPARE(axis.labels.at(9).text, QStringLiteral("10/02"));
        QCOMPARE(axis.labels.at(9).topLeft, QPointF(sep - 170, 600));

        QCOMPARE(axis.labels.size(), 15);
        QCOMPARE(axis.labels.last().text, QStringLiteral("3/03"));
        QCOMPARE(axis.gridLines.at(15).y1(), 900.0); // labels used up: the line stays short
        double end = 5380;
        for (int month = 0; month < 18; ++month)
            end = std::round(end + QDate(2002, 1, 1).addMonths(month).daysInMonth() * scale);
        QCOMPARE(axis.top, QLineF(5380, 900, end, 900));
        QCOMPARE(axis.bottom.y1(), 7530.0);
    }

    // February counts 28 days even in a leap year; the month after it still starts on the 1st.
    void leapYearFebruary()
    {
        Plan plan;
        plan.activity(plan.phase(QStringLiteral("P")), QStringLiteral("A"), "2004-01-01", "2008-12-31");
        TimeLineModel model;
        QVERIFY(plan.into(model)); // 1,827 days: cut to 53 months
        QCOMPARE(model.monthCount(), 53); // January 2004 to May 2008, the cut stop
        const timeline::MonthAxis axis = timeline::monthAxis(model);
        const double scale = model.span().dayScale;
        const double jan = std::round(5380 + 31 * scale);
        QCOMPARE(axis.gridLines.at(2).x1(), jan + 28 * scale);
        // 53 months: a label every 4th month, the 4th naming May.
        QCOMPARE(axis.labels.at(1).text, QStringLiteral("5/04"));
        QCOMPARE(axis.gridLines.at(4).y1(), 800.0);
        QCOMPARE(axis.gridLines.at(3).y1(), 900.0);
    }

    void pageCount_data()
    {
        QTest::addColumn<int>("phases");
        QTest::addColumn<int>("activitiesEach");
        QTest::addColumn<bool>("summary");
        QTest::addColumn<int>("pages");
        QTest::newRow("R = 40: 20 phases and 20 activities") << 20 << 1 << false << 2;
        QTest::newRow("one full page") << 3 << 10 << false << 1;
        QTest::newRow("34 rows") << 2 << 16 << false << 2;
        QTest::newRow("summary of 20 phases") << 20 << 1 << true << 1;
        QTest::newRow("summary of 34 phases") << 34 << 0 << true << 2;
        QTest::newRow("summary of 67 phases") << 67 << 3 << true << 3;
        QTest::newRow("no phases") << 0 << 0 << false << 1;
        // Phases of 11 rows fill a page three at a time; one phase of 1,001 rows repeats its row on each page.
        QTest::newRow("100 phases of 10") << 100 << 10 << false << 34;
        QTest::newRow("one phase of 1,000") << 1 << 1000 << false << 32;
        // No fixed capacity: beyond 101 phases, 1,001 activities and 99 pages.
        QTest::newRow("150 phases of 10") << 150 << 10 << false << 50;
        QTest::newRow("one phase of 3,400") << 1 << 3400 << false << 107;
    }

    void pageCount()
    {
        QFETCH(int, phases);
        QFETCH(int, activitiesEach);
        QFETCH(bool, summary);
        TimeLineModel model;
        evenPlan(phases, activitiesEach).into(model, summary ? Style::Summary : Style::Detail);
        QTEST(model.pageCount(), "pages");
        int listed = 0;
        for (const PageLayout& page : allPages(model)) {
            QVERIFY(page.rows.size() <= 34);
            QVERIFY(page.rows.size() >= (phases > 0 ? 2 : 1)); // never an empty page
            for (const timeline::ChartRow& row : page.rows)
                listed += row.kind == timeline::BarKind::Activity ? 1 : 0;
        }
        QCOMPARE(listed, summary ? 0 : phases * activitiesEach);
    }

    // Of 34 rows below the project row the first 33 are on page 1; page 2 repeats the phase it continues.
    void thirtyFourRows()
    {
        TimeLineModel model;
        evenPlan(2, 16).into(model);
        const QList<PageLayout> pages = allPages(model);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages.at(0).rows.size(), 34);
        QCOMPARE(pages.at(0).rows.last().name, QStringLiteral("       A1.14"));
        QCOMPARE(pages.at(0).rows.at(33).target->top(), 910.0 + 195 * 33);
        QCOMPARE(names(pages.at(1)),
            QStringList({ QStringLiteral("Project"), QStringLiteral("Phase 1"), QStringLiteral("       A1.15") }));
        QCOMPARE(pages.at(1).rows.at(2).target->top(), 910.0 + 195 * 2);
        QCOMPARE(pages.at(1).page, 2);
        QCOMPARE(pages.at(1).pageCount, 2);
    }

    // Activities come in priority order across all phases, so the phases' sequences interleave.
    // Page 2 must resume the broken phase where it stopped and list every later phase whole.
    void interleavedPhasesOverThreePages()
    {
        Plan plan;
        for (int p = 0; p < 3; ++p)
            plan.phase(QStringLiteral("Phase %1").arg(p));
        QList<qint32> expected;
        QHash<qint32, int> phaseOf;
        for (int seq = 0; seq < 25; ++seq) {
            for (int p = 0; p < 3; ++p) {
                const qint32 id
                    = plan.activity(p, QStringLiteral("A%1.%2").arg(p).arg(seq), "2003-01-01", "2003-03-01");
                phaseOf.insert(id, p);
            }
        }
        TimeLineModel model;
        plan.into(model);
        QCOMPARE(model.pageCount(), 3);

        QList<qint32> listed;
        QList<int> phaseRows;
        for (const PageLayout& page : allPages(model)) {
            int currentPhase = -1;
            for (const timeline::ChartRow& row : page.rows) {
                if (row.kind == timeline::BarKind::Phase) {
                    currentPhase = int(row.name.back().digitValue());
                    phaseRows << currentPhase;
                } else if (row.kind == timeline::BarKind::Activity) {
                    QCOMPARE(phaseOf.value(row.ActivityID), currentPhase); // under its own phase
                    listed << row.ActivityID;
                }
            }
        }
        QCOMPARE(QSet<qint32>(listed.begin(), listed.end()).size(), listed.size());
        QCOMPARE(listed.size(), 75);
        // Page 1: phase 0 and 25 of its activities, phase 1 and 6 of its; page 2 resumes phase 1.
        QCOMPARE(phaseRows, QList<int>({ 0, 1, 1, 2, 2 }));
        QCOMPARE(model.pageStart(2).phase, 1);
        QCOMPARE(model.pageStart(3).phase, 2);
        const PageLayout second = timeline::layoutPage(model, 2, QString());
        QCOMPARE(second.rows.at(2).name, QStringLiteral("       A1.6"));
    }

    void phaseAggregates()
    {
        Plan plan;
        const int body = plan.phase(QStringLiteral("Body"));
        const int paint = plan.phase(QStringLiteral("Paint"));
        const int wiring = plan.phase(QStringLiteral("Wiring"));
        plan.activity(body, QStringLiteral("Rust"), "2003-02-10", "2003-03-01", "2003-02-12", "2003-03-05");
        plan.activity(paint, QStringLiteral("Prime"), "2003-04-01", "2003-04-01", "2003-04-03", nullptr);
        plan.activity(body, QStringLiteral("Panels"), "2003-01-20", "2003-02-20");
        plan.activity(wiring, QStringLiteral("Harness"));
        TimeLineModel model;
        plan.into(model);

        const timeline::PhaseAggregate& b = model.phaseAggregate(body);
        QCOMPARE(b.range.targetStart, QDate(2003, 1, 20));
        QCOMPARE(b.range.targetStop, QDate(2003, 3, 1));
        QCOMPARE(b.targetDays, qint64(41));
        QCOMPARE(b.actualDays, qint64(22));
        const timeline::PhaseAggregate& p = model.phaseAggregate(paint);
        QCOMPARE(p.targetDays, qint64(1));
        QCOMPARE(p.actualDays, qint64(0)); // started, not finished
        QCOMPARE(model.phaseAggregate(wiring).targetDays, qint64(0));

        const PageLayout page = timeline::layoutPage(model, 1, QString());
        const double scale = model.span().dayScale;
        // Rows: project, Body, Rust, Panels, Paint, Prime, Wiring, Harness.
        const timeline::ChartRow& bodyRow = page.rows.at(1);
        QCOMPARE(bodyRow.kind, timeline::BarKind::Phase);
        QCOMPARE(*bodyRow.target, QRectF(5380 + 19 * scale, 1105, 41 * scale, 195));
        QCOMPARE(*bodyRow.actual, QRectF(5380 + 42 * scale, 1160, 22 * scale, 95));
        QCOMPARE(page.rows.at(4).actual->width(), 30.0);
        QCOMPARE(page.rows.at(4).target->width(), std::max(30.0, scale));
        QVERIFY(!page.rows.at(6).target); // Wiring has no dates
        QVERIFY(!page.rows.at(6).actual);
        const timeline::ChartRow& rust = page.rows.at(2);
        QCOMPARE(*rust.target, QRectF(5380 + 40 * scale, 1300, 20 * scale, 195)); // 19 days + 1
        QCOMPARE(*rust.actual, QRectF(5380 + 42 * scale, 1355, 22 * scale, 95));
    }

    void summaryListsPhasesOnly()
    {
        TimeLineModel model;
        evenPlan(3, 4).into(model, Style::Summary);
        const PageLayout page = timeline::layoutPage(model, 1, QStringLiteral("Truck"));
        QCOMPARE(names(page),
            QStringList({ QStringLiteral("Truck"), QStringLiteral("Phase 0"), QStringLiteral("Phase 1"),
                QStringLiteral("Phase 2") }));
        for (const timeline::ChartRow& row : page.rows)
            QCOMPARE(row.activity, -1);
    }

    void listFormats_data()
    {
        QTest::addColumn<double>("effort");
        QTest::addColumn<QString>("activityText");
        QTest::addColumn<QString>("projectText");
        QTest::newRow("zero shows nothing") << 0.0 << QString() << QString();
        QTest::newRow("half to even, down") << 2.5 << QStringLiteral("2") << QStringLiteral("4");
        QTest::newRow("half to even, up") << 3.5 << QStringLiteral("4") << QStringLiteral("8");
        QTest::newRow("thousands") << 1234.0 << QStringLiteral("1,234") << QStringLiteral("2,468");
    }

    void listFormats()
    {
        QFETCH(double, effort);
        Plan plan;
        const int ph = plan.phase(QStringLiteral("P"));
        for (int i = 0; i < 2; ++i) {
            plan.activity(ph, QStringLiteral("A"), "2002-12-05", "2003-01-09");
            plan.last().targeteffort = effort;
        }
        TimeLineModel model;
        plan.into(model);
        const PageLayout page = timeline::layoutPage(model, 1, QStringLiteral("Truck"));
        QTEST(page.rows.at(2).effort, "activityText");
        QTEST(page.rows.at(0).effort, "projectText");
        QCOMPARE(page.rows.at(0).startDate, QStringLiteral("12/05/02"));
        QCOMPARE(page.rows.at(0).stopDate, QStringLiteral("01/09/03"));
        QCOMPARE(page.rows.at(1).effort, QString());
    }

    // Efforts of any size add up without wrapping: the total stops at 9e15 hours.
    void effortTotalsDoNotWrap()
    {
        Plan plan;
        const int ph = plan.phase(QStringLiteral("P"));
        for (int i = 0; i < 3; ++i) {
            plan.activity(ph, QStringLiteral("Huge"), "2003-01-01", "2003-01-02");
            plan.last().targeteffort = 5e15;
            plan.last().actualeffort = -5e15;
        }
        TimeLineModel model;
        plan.into(model);
        QCOMPARE(model.span().targetEffort, qint64(9e15));
        QCOMPARE(model.span().actualEffort, qint64(-9e15));
    }

    // From the file: one car's rows only, in priority order with ties by key; Nulls become markers and 0.
    void loadsOneCarInPriorityOrder()
    {
        testing::TestDatabase files;
        auto db = store::Database::open(files.createEmpty());
        testing::PlanWriter plan(*db);
        const qint32 coupe = plan.car(QStringLiteral("Coupe"));
        const qint32 other = plan.car(QStringLiteral("Other"));
        const qint32 second = plan.phase(coupe, QStringLiteral("Second"), 2);
        const qint32 first = plan.phase(coupe, QStringLiteral("First"), 1);
        plan.phase(other, QStringLiteral("Elsewhere"), 1);
        plan.activity(coupe, second, QStringLiteral("S1"), 1, QDate(2003, 1, 1), {}, 4.5);
        plan.activity(coupe, first, QStringLiteral("F2"), 2, QDate(2003, 1, 2));
        plan.activity(coupe, first, QStringLiteral("F1"), 1, QDate(2003, 1, 1), {}, 1.5);
        plan.activity(other, first, QStringLiteral("Not ours"), 1, QDate(2003, 1, 1), {}, 1);

        TimeLineModel model;
        model.load(store::Store(*db), coupe);
        QCOMPARE(model.phases().size(), 2);
        QCOMPARE(model.phases().at(0).Description, QStringLiteral("First"));
        QCOMPARE(model.phases().at(1).PhaseID, second);
        QStringList order;
        for (const timeline::ActivityLine& a : model.activities())
            order << a.Description;
        QCOMPARE(order, QStringList({ QStringLiteral("S1"), QStringLiteral("F1"), QStringLiteral("F2") }));
        QCOMPARE(model.activities().at(0).targeteffort, qint64(4));
        QCOMPARE(model.activities().at(1).targeteffort, qint64(2));
        QCOMPARE(model.activities().at(2).targeteffort, qint64(0));
        QCOMPARE(model.activities().at(2).targetstopdate, NoDate);
        QCOMPARE(model.activities().at(2).actualstartdate, NoDate);
        QCOMPARE(model.activitiesOf(0), QList<int>({ 1, 2 }));
        QCOMPARE(model.activitiesOf(1), QList<int>({ 0 }));
    }

    void legend()
    {
        const QList<timeline::LegendEntry>& l = timeline::legend();
        QCOMPARE(l.size(), 4);
        QCOMPARE(l.at(0).text, QStringLiteral("Project"));
        QCOMPARE(l.at(0).sample, QRectF(120, 7640, 615, 255));
        QCOMPARE(l.at(1).text, QStringLiteral("Phase"));
        QCOMPARE(l.at(1).sample, QRectF(120, 7920, 615, 255));
        QCOMPARE(l.at(2).text, QStringLiteral("Activity"));
        QCOMPARE(l.at(2).sample, QRectF(1920, 7640, 615, 255));
        QCOMPARE(l.at(3).text, QStringLiteral("Actual"));
        QCOMPARE(l.at(3).sample, QRectF(1920, 8010, 615, 95));
        QCOMPARE(timeline::geometry::phaseColour(), QColor(128, 128, 255));
    }
};

QTEST_GUILESS_MAIN(TestTimeLineModel)
#include "TestTimeLineModel.moc"
