#include "timeline/TimeLineModel.h"

#include "common/Totals.h"
#include "store/Store.h"
#include "timeline/ChartGeometry.h"

#include <QHash>
#include <cmath>

namespace timeline {

namespace {

constexpr double DaysPerMonth = 30.4166;

QDate orNoDate(const QDate& date)
{
    return date.isValid() ? date : NoDate;
}

qint64 daysBetween(const QDate& from, const QDate& to)
{
    return to.toJulianDay() - from.toJulianDay();
}

// Length of a span with both ends counted; 0 when it has no start or no stop.
qint64 spanDays(const QDate& start, const QDate& stop)
{
    if (start == HighDate || stop == NoDate)
        return 0;
    return std::max<qint64>(1, daysBetween(start, stop) + 1);
}

int spanMonths(qint64 days)
{
    const int months = days > 0 ? int(std::nearbyint(double(days) / DaysPerMonth + 1)) : 0;
    return std::max(months, 2);
}

// Keeps the first 53 months of a longer span; true when it was longer.
bool cutSpan(const QDate& start, QDate& stop, qint64& days, int& months)
{
    if (days <= TimeLineModel::MaxSpanDays)
        return false;
    stop = start.addDays(TimeLineModel::MaxSpanDays);
    days = TimeLineModel::MaxSpanDays;
    months = TimeLineModel::MaxSpanMonths;
    return true;
}

} // namespace

void DateRange::take(const ActivityLine& a)
{
    if (a.targetstartdate != NoDate)
        targetStart = std::min(targetStart, a.targetstartdate);
    targetStop = std::max(targetStop, a.targetstopdate);
    if (a.actualstartdate != NoDate)
        actualStart = std::min(actualStart, a.actualstartdate);
    actualStop = std::max(actualStop, a.actualstopdate);
}

void TimeLineModel::load(const store::Store& store, store::Key carid)
{
    assign(store.phases.forCar(carid, store::Order::Sequence), store.activities.forCar(carid, store::Order::Sequence));
}

void TimeLineModel::assign(const QList<store::Phase>& phases, const QList<store::Activity>& activities)
{
    m_phases.clear();
    m_activities.clear();
    m_phaseActivities.clear();
    m_aggregates.clear();
    QHash<store::Key, int> phaseIndex;
    for (const store::Phase& p : phases) {
        phaseIndex.insert(p.PhaseID, int(m_phases.size()));
        m_phases.append(PhaseLine { p.PhaseID, p.Description });
    }
    m_phaseActivities.resize(m_phases.size());
    m_aggregates.resize(m_phases.size());

    m_activities.reserve(activities.size());
    for (const store::Activity& a : activities) {
        ActivityLine line;
        line.PhaseID = a.PhaseID;
        line.ActivityID = a.ActivityID;
        line.Description = a.Description;
        line.targetstartdate = orNoDate(a.targetstartdate);
        line.targetstopdate = orNoDate(a.targetstopdate);
        line.actualstartdate = orNoDate(a.actualstartdate);
        line.actualstopdate = orNoDate(a.actualstopdate);
        line.targetDays = daysBetween(line.targetstartdate, line.targetstopdate);
        line.actualDays = daysBetween(line.actualstartdate, line.actualstopdate);
        line.targeteffort = common::wholeHours(a.targeteffort);
        line.actualeffort = common::wholeHours(a.actualeffort);
        // An activity of a phase that is not loaded counts in the span but has no row to be listed in.
        if (const auto p = phaseIndex.constFind(a.PhaseID); p != phaseIndex.cend()) {
            m_phaseActivities[*p].append(int(m_activities.size()));
            m_aggregates[*p].range.take(line);
        }
        m_activities.append(line);
    }
    for (PhaseAggregate& aggregate : m_aggregates) {
        const DateRange& r = aggregate.range;
        aggregate.targetDays = spanDays(r.targetStart, r.targetStop);
        aggregate.actualDays = spanDays(r.actualStart, r.actualStop);
    }
}

bool TimeLineModel::computeSpan(Style style)
{
    m_style = style;
    ProjectSpan s;
    for (const ActivityLine& a : m_activities) {
        s.range.take(a);
        s.targetEffort = common::addHours(s.targetEffort, a.targeteffort);
        s.actualEffort = common::addHours(s.actualEffort, a.actualeffort);
    }
    s.targetDays = spanDays(s.range.targetStart, s.range.targetStop);
    s.actualDays = spanDays(s.range.actualStart, s.range.actualStop);
    s.targetMonths = spanMonths(s.targetDays);
    s.actualMonths = spanMonths(s.actualDays);
    // Both cuts happen; the caller reports them once.
    const bool targetCut = cutSpan(s.range.targetStart, s.range.targetStop, s.targetDays, s.targetMonths);
    const bool actualCut = cutSpan(s.range.actualStart, s.range.actualStop, s.actualDays, s.actualMonths);
    s.cut = targetCut || actualCut;
    s.dayScale = geometry::TwipsPerMonth / std::max(s.targetMonths, s.actualMonths);
    const QDate earliest = std::min(s.range.targetStart, s.range.actualStart);
    if (earliest != HighDate)
        s.axisStart = QDate(earliest.year(), earliest.month(), 1);
    m_span = s;
    paginate();
    return s.cut;
}

int TimeLineModel::monthCount() const
{
    const QDate latest = std::max(m_span.range.targetStop, m_span.range.actualStop);
    if (!m_span.axisStart.isValid() || latest == NoDate)
        return 0;
    // Whole years: a plan may well run from one century into the next.
    const int months = (latest.year() - m_span.axisStart.year()) * 12 + latest.month() - m_span.axisStart.month() + 1;
    return std::max(months, 1);
}

double TimeLineModel::position(const QDate& date) const
{
    if (!m_span.axisStart.isValid())
        return geometry::ChartLeft;
    return geometry::ChartLeft + double(daysBetween(m_span.axisStart, date)) * m_span.dayScale;
}

void TimeLineModel::paginate()
{
    m_pageStarts = { PageStart {} };
    while (const auto next = walkPage(m_pageStarts.last(), [](int, int) {}))
        m_pageStarts.append(*next);
}

} // namespace timeline
