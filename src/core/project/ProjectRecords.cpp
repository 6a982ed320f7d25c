#include "project/ProjectRecords.h"

#include "common/Names.h"
#include "store/Store.h"

#include <algorithm>

namespace project {

namespace {

template <class Rec> bool byDescription(const Rec& a, const Rec& b)
{
    return descriptionLess(a.Description, a.key(), b.Description, b.key());
}

// ORDER BY prioritysequence, key: a Null sequence first.
template <class Rec> bool bySequence(const Rec& a, const Rec& b)
{
    if (a.prioritysequence != b.prioritysequence) {
        if (!a.prioritysequence || !b.prioritysequence)
            return !a.prioritysequence;
        return *a.prioritysequence < *b.prioritysequence;
    }
    return a.key() < b.key();
}

template <class Rec> void index(const QList<Rec>& rows, QHash<store::Key, qsizetype>& at)
{
    at.clear();
    at.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        at.insert(rows.at(i).key(), i);
}

template <class Rec> const Rec* lookup(const QList<Rec>& rows, const QHash<store::Key, qsizetype>& at, store::Key key)
{
    const auto it = at.constFind(key);
    return it == at.cend() ? nullptr : &rows.at(*it);
}

template <class Rec, class Less>
void place(QList<Rec>& rows, QHash<store::Key, qsizetype>& at, const Rec& row, Less less)
{
    if (const auto it = at.constFind(row.key()); it != at.cend())
        rows.removeAt(*it);
    rows.insert(std::upper_bound(rows.begin(), rows.end(), row, less) - rows.begin(), row);
    index(rows, at);
}

template <class Rec> QList<store::Entry> entries(const QList<Rec>& rows, bool sorted)
{
    QList<store::Entry> result;
    result.reserve(rows.size());
    for (const Rec& r : rows)
        result.append(store::Entry { r.key(), r.Description });
    if (!sorted) {
        std::sort(result.begin(), result.end(),
            [](const store::Entry& a, const store::Entry& b) { return descriptionLess(a.text, a.key, b.text, b.key); });
    }
    return result;
}

} // namespace

bool descriptionLess(const QString& a, store::Key keyA, const QString& b, store::Key keyB)
{
    return common::nameLess(a, keyA, b, keyB);
}

ProjectRecords::ProjectRecords(const store::Store& store, store::Key carid)
    : m_carid(carid)
    , m_assemblies(store.assemblies.forCar(carid, store::Order::Description))
    , m_components(store.components.forCar(carid, store::Order::Description))
    , m_phases(store.phases.forCar(carid, store::Order::Sequence))
    , m_activities(store.activities.forCar(carid, store::Order::Sequence))
{
    reindex();
}

ProjectRecords ProjectRecords::materials(const store::Store& store, store::Key carid)
{
    ProjectRecords r;
    r.m_carid = carid;
    r.m_assemblies = store.assemblies.forCar(carid, store::Order::Description);
    r.m_components = store.components.forCar(carid, store::Order::Description);
    r.reindex();
    return r;
}

ProjectRecords ProjectRecords::plan(const store::Store& store, store::Key carid)
{
    ProjectRecords r;
    r.m_carid = carid;
    r.m_phases = store.phases.forCar(carid, store::Order::Sequence);
    r.m_activities = store.activities.forCar(carid, store::Order::Sequence);
    r.reindex();
    return r;
}

void ProjectRecords::reindex()
{
    index(m_assemblies, m_assemblyAt);
    index(m_components, m_componentAt);
    index(m_phases, m_phaseAt);
    index(m_activities, m_activityAt);
}

const store::Assembly* ProjectRecords::assembly(store::Key key) const
{
    return lookup(m_assemblies, m_assemblyAt, key);
}

const store::Component* ProjectRecords::component(store::Key key) const
{
    return lookup(m_components, m_componentAt, key);
}

const store::Phase* ProjectRecords::phase(store::Key key) const
{
    return lookup(m_phases, m_phaseAt, key);
}

const store::Activity* ProjectRecords::activity(store::Key key) const
{
    return lookup(m_activities, m_activityAt, key);
}

QList<store::Entry> ProjectRecords::assemblyEntries() const
{
    return entries(m_assemblies, true);
}

QList<store::Entry> ProjectRecords::componentEntries() const
{
    return entries(m_components, true);
}

QList<store::Entry> ProjectRecords::phaseEntries() const
{
    return entries(m_phases, false);
}

QList<store::Entry> ProjectRecords::activityEntries() const
{
    return entries(m_activities, false);
}

void ProjectRecords::put(const store::Assembly& row)
{
    if (row.carid == m_carid)
        place(m_assemblies, m_assemblyAt, row, byDescription<store::Assembly>);
}

void ProjectRecords::put(const store::Component& row)
{
    if (row.carid == m_carid)
        place(m_components, m_componentAt, row, byDescription<store::Component>);
}

void ProjectRecords::put(const store::Phase& row)
{
    if (row.carid == m_carid)
        place(m_phases, m_phaseAt, row, bySequence<store::Phase>);
}

void ProjectRecords::put(const store::Activity& row)
{
    if (row.carid == m_carid)
        place(m_activities, m_activityAt, row, bySequence<store::Activity>);
}

void ProjectRecords::removeAssembly(store::Key key)
{
    m_components.removeIf([key](const store::Component& c) { return c.assemblyid == key; });
    m_assemblies.removeIf([key](const store::Assembly& a) { return a.assemblyid == key; });
    reindex();
}

void ProjectRecords::removeComponent(store::Key key)
{
    m_components.removeIf([key](const store::Component& c) { return c.componentid == key; });
    index(m_components, m_componentAt);
}

void ProjectRecords::removePhase(store::Key key)
{
    QList<store::Key> gone;
    for (const store::Activity& a : std::as_const(m_activities)) {
        if (a.PhaseID == key)
            gone.append(a.ActivityID);
    }
    for (const store::Key activity : std::as_const(gone))
        removeActivity(activity);
    m_phases.removeIf([key](const store::Phase& p) { return p.PhaseID == key; });
    index(m_phases, m_phaseAt);
}

void ProjectRecords::removeActivity(store::Key key)
{
    for (store::Component& c : m_components) {
        if (c.ActivityID == key)
            c.ActivityID = std::nullopt;
    }
    m_activities.removeIf([key](const store::Activity& a) { return a.ActivityID == key; });
    index(m_activities, m_activityAt);
}

} // namespace project
