#include "mainwindow/RecordTabs.h"

#include "mainwindow/Editors.h"

#include "common/Status.h"
#include "gui/Dialogs.h"
#include "project/ProjectSession.h"
#include "store/Store.h"

#include <QComboBox>

namespace editor {

using project::Kind;

RecordTabs::RecordTabs(const std::array<QWidget*, 6>& pages, project::ProjectSession& session, QObject* parent)
    : QObject(parent)
    , car(new CarEditor(pages[0]))
    , assembly(new AssemblyEditor(pages[1]))
    , component(new ComponentEditor(pages[2]))
    , phase(new PhaseEditor(pages[3]))
    , activity(new ActivityEditor(pages[4]))
    , supplier(new SupplierEditor(pages[5]))
    , m_session(session)
{
    // The lists of one tab that offer the records of another, and whose record a new one joins.
    assembly->relations = { { component->assemblyList(), false, false } };
    phase->relations = { { activity->phaseList(), false, false } };
    activity->relations = { { component->activityList(), true, false } };
    // Components name their supplier by name: the supplier pick list alone keeps the keys.
    supplier->relations = { { component->supplierList(), false, true } };
    component->owner = assembly;
    activity->owner = phase;
    connect(&session, &project::ProjectSession::recordsChanged, this, &RecordTabs::changed);
}

RecordEditor& RecordTabs::editor(Kind kind) const
{
    switch (kind) {
    case Kind::Car:
        return *car;
    case Kind::Assembly:
        return *assembly;
    case Kind::Component:
        return *component;
    case Kind::Phase:
        return *phase;
    case Kind::Activity:
        return *activity;
    case Kind::Supplier:
        break;
    }
    return *supplier;
}

RecordEditor* RecordTabs::dependent(const RecordEditor& e) const
{
    if (e.kind() == Kind::Assembly)
        return component;
    if (e.kind() == Kind::Phase)
        return activity;
    return nullptr;
}

void RecordTabs::fill(RecordEditor& e)
{
    // Cars by description, suppliers in the table's stored order, the car's records from memory.
    const store::Store& store = m_session.store();
    switch (e.kind()) {
    case Kind::Car:
        e.fill(store.cars.allEntries(store::Order::Description));
        break;
    case Kind::Assembly:
        e.fill(records().assemblyEntries());
        break;
    case Kind::Component:
        e.fill(records().componentEntries());
        break;
    case Kind::Phase:
        e.fill(records().phaseEntries());
        break;
    case Kind::Activity:
        e.fill(records().activityEntries());
        break;
    case Kind::Supplier:
        e.fill(store.suppliers.allEntries(store::Order::Key));
        break;
    }
}

void RecordTabs::fillStatusLists()
{
    // Cleared first: a restart of the window after date changes fills them again.
    for (QComboBox* list :
        { phase->statusList(), activity->statusList(), assembly->statusList(), component->statusList() }) {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(common::statusTexts());
        list->setCurrentIndex(-1);
    }
}

void RecordTabs::listComponents()
{
    activity->showComponents(m_session.store().componentsOfActivity(activity->shown.key));
}

bool RecordTabs::find(RecordEditor& e, bool quiet)
{
    if (e.read(m_session.store()))
        return true;
    if (!quiet && !e.texts().notFound.isEmpty())
        gui::MessageBox::notice(e.pickList()->window(), e.texts().notFound);
    return false;
}

void RecordTabs::populate(RecordEditor& e)
{
    // Cars and suppliers name no other record: the car's records are not read for them.
    const bool related = e.kind() == Kind::Component || e.kind() == Kind::Activity;
    const bool shown = related ? e.showRecord(m_session.store(), records())
                               : e.showRecord(m_session.store(), project::ProjectRecords {});
    if (shown && e.kind() != Kind::Supplier)
        e.showTotals(figures());
}

void RecordTabs::showTotals(std::initializer_list<RecordEditor*> editors)
{
    for (RecordEditor* e : editors)
        e->showTotals(figures());
}

const project::ProjectRecords& RecordTabs::records()
{
    const store::Key carid = car->shown.key;
    if (!m_records || m_records->carid() != carid) {
        m_figures.reset();
        m_records.emplace(m_session.store(), carid);
    }
    return *m_records;
}

const rollup::ProjectFigures& RecordTabs::figures()
{
    if (!m_figures || m_figures->carid() != car->shown.key) {
        // Over the records in memory, which stay as they are until the figures are dropped.
        const project::ProjectRecords& r = records();
        m_figures.emplace(r.carid(), r.components(), r.activities());
    }
    return *m_figures;
}

void RecordTabs::refresh()
{
    m_records.reset();
    m_figures.reset();
}

void RecordTabs::changed(store::Key carid, Kind kind, store::Key key)
{
    if (!m_records || m_records->carid() != carid)
        return;
    m_figures.reset();
    // One record written: read it again by its key, as it was stored (sequences and all).
    const store::Store& store = m_session.store();
    const auto put = [this](const auto& row) {
        if (!row)
            return false;
        m_records->put(*row);
        return true;
    };
    bool kept = false;
    if (key != 0) {
        switch (kind) {
        case Kind::Assembly:
            kept = put(store.assemblies.find(key));
            break;
        case Kind::Component:
            kept = put(store.components.find(key));
            break;
        case Kind::Phase:
            kept = put(store.phases.find(key));
            break;
        case Kind::Activity:
            kept = put(store.activities.find(key));
            break;
        default:
            break;
        }
    }
    if (!kept)
        m_records.reset();
}

} // namespace editor
