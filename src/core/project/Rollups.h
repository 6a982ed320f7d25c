#pragma once

#include "common/Money.h"
#include "store/Activity.h"
#include "store/Component.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

namespace store {
class Store;
}

namespace editor {

// Totals worked out from a project's components and activities for display; never stored.
namespace rollup {

struct Costs
{
    common::Money target;
    common::Money actual;
    // A total past what money can hold (only rows written by other programs can get there).
    bool overflow = false;
};

// Unit cost times quantity over the rows; a Null cost adds nothing to its total.
Costs sumCosts(const QList<const store::Component*>& rows);

struct Plan
{
    // Efforts are summed as whole hours, each step rounded halves to even; a total stops at
    // common::MaxHours and is shown as too large.
    qint64 targetEffort = 0;
    qint64 actualEffort = 0;
    QDate targetStart; // earliest; invalid when none
    QDate targetStop; // latest; invalid when none
    QDate actualStart; // earliest; invalid when none
    // Latest actual stop of the started activities; invalid when none, or while any started
    // activity is unfinished.
    QDate actualStop;
};

Plan sumPlan(const QList<const store::Activity*>& rows);

struct Starts
{
    QDate target;
    QDate actual;
};

// Earliest target and actual starts of the given activities.
Starts earliestStarts(const QList<const store::Activity*>& rows);

// One car's components and activities, read once, with the roll-ups of each of its records.
class ProjectFigures
{
public:
    ProjectFigures(const store::Store& store, store::Key carid);
    // Over rows already read, in any order; the rows must outlive the figures and stay unchanged.
    ProjectFigures(
        store::Key carid, const QList<store::Component>& components, const QList<store::Activity>& activities);
    // The figures point into the rows they were made from.
    Q_DISABLE_COPY_MOVE(ProjectFigures)

    store::Key carid() const { return m_carid; }

    Costs carCosts() const;
    Plan carPlan() const;
    Costs assemblyCosts(store::Key assemblyid) const;
    Starts assemblyStarts(store::Key assemblyid) const;
    Costs phaseCosts(store::Key phaseid) const;
    Plan phasePlan(store::Key phaseid) const;
    Costs activityCosts(store::Key activityid) const;
    // The start dates of the activity a component is attached to (0: none).
    Starts componentStarts(store::Key activityid) const;

private:
    void index(const QList<store::Component>& components, const QList<store::Activity>& activities);
    template <class Pred> QList<const store::Component*> componentsWhere(Pred pred) const;
    const store::Activity* activity(store::Key activityid) const;

    store::Key m_carid;
    // Rows read by the figures themselves; empty when made over rows read elsewhere.
    QList<store::Component> m_ownComponents;
    QList<store::Activity> m_ownActivities;
    // The rows in key order, as the store reads them.
    QList<const store::Component*> m_components;
    QList<const store::Activity*> m_activities;
    QHash<store::Key, const store::Activity*> m_activityIndex;
};

} // namespace rollup

} // namespace editor
