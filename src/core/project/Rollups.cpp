#include "project/Rollups.h"

#include "common/Totals.h"
#include "store/Store.h"

#include <algorithm>

#include <cmath>
#include <stdexcept>

namespace editor::rollup {

namespace {

qint64 addEffort(qint64 total, const std::optional<double>& effort)
{
    if (!effort || !std::isfinite(*effort))
        return total;
    // Whole hours after each step, halves to even.
    const double sum = std::nearbyint(double(total) + *effort);
    return qint64(std::clamp(sum, -double(common::MaxHours), double(common::MaxHours)));
}

void takeEarlier(QDate& earliest, const QDate& candidate)
{
    if (candidate.isValid() && (!earliest.isValid() || candidate < earliest))
        earliest = candidate;
}

void takeLater(QDate& latest, const QDate& candidate)
{
    if (candidate.isValid() && (!latest.isValid() || candidate > latest))
        latest = candidate;
}

} // namespace

Costs sumCosts(const QList<const store::Component*>& rows)
{
    Costs c;
    try {
        for (const store::Component* row : rows) {
            const qint64 quantity = row->quantity.value_or(0);
            if (row->targetcost)
                c.target += row->targetcost->times(quantity);
            if (row->actualcost)
                c.actual += row->actualcost->times(quantity);
        }
    } catch (const std::overflow_error&) {
        c = Costs { {}, {}, true };
    }
    return c;
}

Plan sumPlan(const QList<const store::Activity*>& rows)
{
    Plan p;
    bool openActual = false;
    for (const store::Activity* row : rows) {
        p.targetEffort = addEffort(p.targetEffort, row->targeteffort);
        p.actualEffort = addEffort(p.actualEffort, row->actualeffort);
        takeEarlier(p.targetStart, row->targetstartdate);
        if (row->actualstartdate.isValid()) {
            takeEarlier(p.actualStart, row->actualstartdate);
            if (row->actualstopdate.isValid())
                takeLater(p.actualStop, row->actualstopdate);
            else
                openActual = true; // started, not finished
        }
        takeLater(p.targetStop, row->targetstopdate);
    }
    if (openActual)
        p.actualStop = QDate();
    return p;
}

Starts earliestStarts(const QList<const store::Activity*>& rows)
{
    Starts s;
    for (const store::Activity* row : rows) {
        takeEarlier(s.target, row->targetstartdate);
        takeEarlier(s.actual, row->actualstartdate);
    }
    return s;
}

ProjectFigures::ProjectFigures(const store::Store& store, store::Key carid)
    : m_carid(carid)
    , m_ownComponents(store.components.forCar(carid, store::Order::Key))
    , m_ownActivities(store.activities.forCar(carid, store::Order::Key))
{
    index(m_ownComponents, m_ownActivities);
}

ProjectFigures::ProjectFigures(
    store::Key carid, const QList<store::Component>& components, const QList<store::Activity>& activities)
    : m_carid(carid)
{
    index(components, activities);
}

void ProjectFigures::index(const QList<store::Component>& components, const QList<store::Activity>& activities)
{
    // Summed in key order, as when read from the store, so that a total too large to hold is
    // found the same way. Only pointers are sorted: the rows stay where they are.
    m_components.reserve(components.size());
    for (const store::Component& c : components)
        m_components.append(&c);
    m_activities.reserve(activities.size());
    for (const store::Activity& a : activities)
        m_activities.append(&a);
    std::sort(m_components.begin(), m_components.end(),
        [](const store::Component* a, const store::Component* b) { return a->componentid < b->componentid; });
    std::sort(m_activities.begin(), m_activities.end(),
        [](const store::Activity* a, const store::Activity* b) { return a->ActivityID < b->ActivityID; });
    m_activityIndex.reserve(m_activities.size());
    for (const store::Activity* a : std::as_const(m_activities))
        m_activityIndex.insert(a->ActivityID, a);
}

template <class Pred> QList<const store::Component*> ProjectFigures::componentsWhere(Pred pred) const
{
    QList<const store::Component*> rows;
    for (const store::Component* c : m_components) {
        if (pred(*c))
            rows.append(c);
    }
    return rows;
}

const store::Activity* ProjectFigures::activity(store::Key activityid) const
{
    return m_activityIndex.value(activityid, nullptr);
}

Costs ProjectFigures::carCosts() const
{
    return sumCosts(m_components);
}

Plan ProjectFigures::carPlan() const
{
    return sumPlan(m_activities);
}

Costs ProjectFigures::assemblyCosts(store::Key assemblyid) const
{
    return sumCosts(componentsWhere([assemblyid](const store::Component& c) { return c.assemblyid == assemblyid; }));
}

Starts ProjectFigures::assemblyStarts(store::Key assemblyid) const
{
    QList<const store::Activity*> rows;
    for (const store::Component* c : m_components) {
        if (c->assemblyid != assemblyid || !c->isAttached())
            continue;
        if (const store::Activity* a = activity(*c->ActivityID))
            rows.append(a);
    }
    return earliestStarts(rows);
}

Costs ProjectFigures::phaseCosts(store::Key phaseid) const
{
    return sumCosts(componentsWhere([this, phaseid](const store::Component& c) {
        const store::Activity* a = c.isAttached() ? activity(*c.ActivityID) : nullptr;
        return a && a->PhaseID == phaseid;
    }));
}

Plan ProjectFigures::phasePlan(store::Key phaseid) const
{
    QList<const store::Activity*> rows;
    for (const store::Activity* a : m_activities) {
        if (a->PhaseID == phaseid)
            rows.append(a);
    }
    return sumPlan(rows);
}

Costs ProjectFigures::activityCosts(store::Key activityid) const
{
    return sumCosts(componentsWhere(
        [activityid](const store::Component& c) { return c.isAttached() && *c.ActivityID == activityid; }));
}

Starts ProjectFigures::componentStarts(store::Key activityid) const
{
    const store::Activity* a = activityid != 0 ? activity(activityid) : nullptr;
    return a ? earliestStarts({ a }) : Starts {};
}

} // namespace editor::rollup
