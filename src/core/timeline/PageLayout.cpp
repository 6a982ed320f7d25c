#include "timeline/PageLayout.h"

#include "common/Formats.h"
#include "common/Totals.h"
#include "timeline/ChartGeometry.h"
#include "timeline/TimeLineModel.h"

#include <cmath>

namespace timeline {

namespace g = geometry;

namespace {

// February always counts 28 days here; the grid steps over the leap day.
constexpr int MonthLengths[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
const QString ActivityIndent = QStringLiteral("       ");

QString listDate(const QDate& date, const QDate& marker)
{
    return date == marker ? QString() : common::formatDate(date, common::DateForm::MmDdYy);
}

QString monthText(const QDate& date)
{
    return common::formatDate(date, common::DateForm::MonthYear);
}

double rowTop(int row)
{
    return g::RowTop + g::RowPitch * row;
}

enum class Bar { Target, Actual };

// A bar starting at a date, or none when the date is the marker for "missing".
std::optional<QRectF> bar(
    const TimeLineModel& m, int row, Bar which, const QDate& start, const QDate& marker, double width)
{
    if (start == marker)
        return std::nullopt;
    if (which == Bar::Actual)
        return QRectF(m.position(start), rowTop(row) + g::ActualOffset, width, g::ActualHeight);
    return QRectF(m.position(start), rowTop(row), width, g::TargetHeight);
}

double atLeastMinimum(double width)
{
    return std::max(width, g::MinBarWidth);
}

ChartRow projectRow(const TimeLineModel& m, const QString& name)
{
    const ProjectSpan& s = m.span();
    ChartRow row;
    row.kind = BarKind::Project;
    row.name = name;
    row.startDate = listDate(s.range.targetStart, HighDate);
    row.stopDate = listDate(s.range.targetStop, NoDate);
    row.effort = common::formatHours(s.targetEffort, QStringLiteral("##,###"));
    row.target = bar(m, 0, Bar::Target, s.range.targetStart, HighDate, double(s.targetDays) * s.dayScale);
    row.actual = bar(m, 0, Bar::Actual, s.range.actualStart, HighDate, double(s.actualDays) * s.dayScale);
    return row;
}

ChartRow phaseRow(const TimeLineModel& m, int phase, int r)
{
    const PhaseAggregate& a = m.phaseAggregate(phase);
    const double scale = m.span().dayScale;
    ChartRow row;
    row.kind = BarKind::Phase;
    row.name = m.phases().at(phase).Description;
    row.target = bar(m, r, Bar::Target, a.range.targetStart, HighDate, atLeastMinimum(double(a.targetDays) * scale));
    row.actual = bar(m, r, Bar::Actual, a.range.actualStart, HighDate, atLeastMinimum(double(a.actualDays) * scale));
    return row;
}

ChartRow activityRow(const TimeLineModel& m, int activity, int r)
{
    const ActivityLine& a = m.activities().at(activity);
    const double scale = m.span().dayScale;
    ChartRow row;
    row.kind = BarKind::Activity;
    row.name = ActivityIndent + a.Description;
    row.startDate = listDate(a.targetstartdate, NoDate);
    row.stopDate = listDate(a.targetstopdate, NoDate);
    row.effort = common::formatHours(a.targeteffort, QStringLiteral("#,###"));
    row.activity = activity;
    row.ActivityID = a.ActivityID;
    // A start without a stop has days far below zero: the bar keeps its minimum width.
    row.target = bar(m, r, Bar::Target, a.targetstartdate, NoDate, atLeastMinimum(double(a.targetDays + 1) * scale));
    row.actual = bar(m, r, Bar::Actual, a.actualstartdate, NoDate, atLeastMinimum(double(a.actualDays + 1) * scale));
    return row;
}

double labelShift(const QDate& month, double wide, double narrow)
{
    return month.month() >= 10 ? wide : narrow;
}

} // namespace

MonthAxis monthAxis(const TimeLineModel& m)
{
    MonthAxis axis;
    const ProjectSpan& s = m.span();
    if (!s.axisStart.isValid())
        return axis;
    axis.gridLines.append(QLineF(g::ChartLeft, g::LabelledGridTop, g::ChartLeft, g::GridBottom));
    axis.labels.append(MonthLabel { monthText(s.axisStart),
        { labelShift(s.axisStart, g::FirstLabelLeftWide, g::FirstLabelLeftNarrow), g::LabelTop } });

    const int months = m.monthCount();
    const int interval = std::max(1, int(std::nearbyint(double(months - 1) / 12.0)));
    double x = g::ChartLeft;
    QDate cursor = s.axisStart;
    for (int k = 1; k <= months; ++k) {
        const int length = MonthLengths[cursor.month() - 1];
        const double end = x + length * s.dayScale;
        cursor = cursor.addDays(length);
        if (cursor.day() != 1)
            cursor = cursor.addDays(1);
        const bool labelled = k % interval == 0 && axis.labels.size() < g::MaxLabels;
        axis.gridLines.append(QLineF(end, labelled ? g::LabelledGridTop : g::GridTop, end, g::GridBottom));
        if (labelled)
            axis.labels.append(MonthLabel {
                monthText(cursor), { end - labelShift(cursor, g::LabelShiftWide, g::LabelShiftNarrow), g::LabelTop } });
        x = std::round(end);
    }
    axis.top = QLineF(g::ChartLeft, g::GridTop, x, g::GridTop);
    axis.bottom = QLineF(g::ChartLeft, g::GridBottom, x, g::GridBottom);
    return axis;
}

std::optional<TodayMark> todayMark(const TimeLineModel& m, const MonthAxis& axis, const QDate& today)
{
    const QDate start = m.span().axisStart;
    if (!today.isValid() || !start.isValid() || axis.gridLines.isEmpty() || today < start)
        return std::nullopt;
    // The grid counts February as 28 days and rounds its month ends: judged by the line drawn, so
    // that the mark never sits right of the grid.
    const double x = m.position(today) + m.span().dayScale / 2;
    if (x > axis.top.x2())
        return std::nullopt;
    return TodayMark { today, QLineF(x, g::GridTop, x, g::GridBottom) };
}

PageLayout layoutPage(const TimeLineModel& m, int page, const QString& projectName, const QDate& today)
{
    PageLayout layout;
    layout.page = page;
    layout.pageCount = m.pageCount();
    layout.axis = monthAxis(m);
    layout.today = todayMark(m, layout.axis, today);
    layout.rows.append(projectRow(m, projectName));
    m.walkPage(m.pageStart(page), [&](int phase, int activity) {
        const int r = int(layout.rows.size());
        layout.rows.append(activity < 0 ? phaseRow(m, phase, r) : activityRow(m, activity, r));
    });
    return layout;
}

QString pageText(int page, int pageCount)
{
    return QStringLiteral("Page  ") + common::formatNumber(qint64(page), QStringLiteral("##0"))
        + QStringLiteral("  Of  ") + common::formatNumber(qint64(pageCount), QStringLiteral("##0"));
}

const QList<LegendEntry>& legend()
{
    static const QList<LegendEntry> entries = {
        { QStringLiteral("Project"), BarKind::Project, { 120, 7640, 615, 255 } },
        { QStringLiteral("Phase"), BarKind::Phase, { 120, 7920, 615, 255 } },
        { QStringLiteral("Activity"), BarKind::Activity, { 1920, 7640, 615, 255 } },
        { QStringLiteral("Actual"), BarKind::Actual, { 1920, 8010, 615, 95 } },
    };
    return entries;
}

} // namespace timeline
