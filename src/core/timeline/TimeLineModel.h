#pragma once

#include "store/Activity.h"
#include "store/Phase.h"

#include <QDate>
#include <QList>
#include <QString>
#include <algorithm>
#include <optional>

namespace store {
class Store;
}

namespace timeline {

// Stand-ins for missing dates, so that running minimums and maximums need no special case:
// a missing activity date loads as NoDate, every running maximum starts at NoDate and every
// running minimum at HighDate (a minimum still at HighDate means there was none).
inline const QDate NoDate { 999, 1, 1 };
inline const QDate HighDate { 9999, 12, 31 };

enum class Style { Detail, Summary }; // "Show Activity Detail", "Show Phase Summary"

struct PhaseLine
{
    store::Key PhaseID = 0;
    QString Description;
};

struct ActivityLine
{
    store::Key PhaseID = 0;
    store::Key ActivityID = 0;
    QString Description;
    QDate targetstartdate = NoDate;
    QDate targetstopdate = NoDate;
    QDate actualstartdate = NoDate;
    QDate actualstopdate = NoDate;
    // Stop minus start; far below zero for a start without a stop, which keeps its bar at the minimum width.
    qint64 targetDays = 0;
    qint64 actualDays = 0;
    qint64 targeteffort = 0; // whole hours
    qint64 actualeffort = 0;
};

// The earliest start and latest stop of a set of activities, markers excluded.
struct DateRange
{
    QDate targetStart = HighDate;
    QDate targetStop = NoDate;
    QDate actualStart = HighDate;
    QDate actualStop = NoDate;

    void take(const ActivityLine& activity);
};

struct PhaseAggregate
{
    DateRange range;
    qint64 targetDays = 0; // both ends counted; 0 without a start and a stop
    qint64 actualDays = 0;
};

struct ProjectSpan
{
    DateRange range; // the stops cut to 53 months where a span was longer
    qint64 targetEffort = 0;
    qint64 actualEffort = 0;
    qint64 targetDays = 0; // both ends counted; 0 without a start and a stop
    qint64 actualDays = 0;
    int targetMonths = 0;
    int actualMonths = 0;
    double dayScale = 0; // twips per day
    QDate axisStart; // first of the month of the earlier start; invalid without any start
    bool cut = false; // a span was longer than 53 months

    bool hasDates() const { return targetDays > 0 || actualDays > 0; }
};

// Where a page begins: the phase whose row comes first, and the activity from which that phase's
// own activities are listed (the phase the previous page broke off in). Later phases list all theirs.
struct PageStart
{
    int phase = 0;
    int activity = 0;
    bool operator==(const PageStart&) const = default;
};

// The figures behind the time line of one project: what is loaded, the project's span and scale,
// each phase's dates, and how the rows fall onto pages of 33.
class TimeLineModel
{
public:
    static constexpr int RowsPerPage = 33; // below the project row
    static constexpr qint64 MaxSpanDays = 1612;
    static constexpr int MaxSpanMonths = 53;

    // Phases and activities of the car, each in priority order (ties by key).
    void load(const store::Store& store, store::Key carid);
    // The same from records at hand; rows are taken in the order given.
    void assign(const QList<store::Phase>& phases, const QList<store::Activity>& activities);

    // The project values for the style, and the pages from page 1. True when a span was cut to 53
    // months: the caller says so once.
    bool computeSpan(Style style);

    const QList<PhaseLine>& phases() const { return m_phases; }
    const QList<ActivityLine>& activities() const { return m_activities; }
    // Indexes into activities() of the phase's activities, in priority order.
    const QList<int>& activitiesOf(int phase) const { return m_phaseActivities.at(phase); }
    const PhaseAggregate& phaseAggregate(int phase) const { return m_aggregates.at(phase); }
    const ProjectSpan& span() const { return m_span; }
    Style style() const { return m_style; }

    // Months from the earlier start to the later stop, both counted.
    int monthCount() const;
    // Horizontal place of a date on the chart, in twips from the window's left edge.
    double position(const QDate& date) const;

    int pageCount() const { return int(m_pageStarts.size()); }
    PageStart pageStart(int page) const { return m_pageStarts.at(page - 1); } // pages from 1

    // Visits the rows of a page below the project row: (phase, activity index or -1 for the phase
    // row itself). Answers where the next page starts, nothing when the page ends the project.
    template <class Visit> std::optional<PageStart> walkPage(const PageStart& start, Visit&& visit) const;

private:
    void paginate();

    QList<PhaseLine> m_phases;
    QList<ActivityLine> m_activities;
    QList<QList<int>> m_phaseActivities;
    QList<PhaseAggregate> m_aggregates;
    ProjectSpan m_span;
    Style m_style = Style::Detail;
    QList<PageStart> m_pageStarts { PageStart {} };
};

template <class Visit> std::optional<PageStart> TimeLineModel::walkPage(const PageStart& start, Visit&& visit) const
{
    int row = 1;
    for (int p = start.phase; p < m_phases.size(); ++p) {
        if (row > RowsPerPage)
            return PageStart { p, 0 };
        visit(p, -1);
        ++row;
        if (m_style == Style::Summary)
            continue;
        const QList<int>& own = m_phaseActivities.at(p);
        // Only the phase the page starts in resumes part-way; activities are ordered across phases.
        auto it = own.begin();
        if (p == start.phase)
            it = std::lower_bound(own.begin(), own.end(), start.activity);
        for (; it != own.end(); ++it) {
            if (row > RowsPerPage)
                return PageStart { p, *it };
            visit(p, *it);
            ++row;
        }
    }
    return std::nullopt;
}

} // namespace timeline
