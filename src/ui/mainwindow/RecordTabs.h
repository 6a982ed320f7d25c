#pragma once

#include "store/RecordTraits.h"

#include "project/Kind.h"
#include "project/ProjectRecords.h"
#include "project/Rollups.h"

#include <QObject>
#include <array>
#include <optional>

class QWidget;

namespace project {
class ProjectSession;
}

namespace editor {

class ActivityEditor;
class AssemblyEditor;
class CarEditor;
class ComponentEditor;
class PhaseEditor;
class RecordEditor;
class SupplierEditor;

// The six record tabs over the session: an editor for each kind, the lists they fill, and the
// current car's records that the lists, the trees and every total are worked out from. The
// records are read once when a car is picked and then kept in step with the session's writes:
// a record added or rewritten is read again by its key, anything bigger reads the car afresh
// when next needed.
class RecordTabs : public QObject
{
    Q_OBJECT

public:
    // Builds each kind's editor on its page, the pages in the kinds' order.
    RecordTabs(const std::array<QWidget*, 6>& pages, project::ProjectSession& session, QObject* parent);

    CarEditor* const car;
    AssemblyEditor* const assembly;
    ComponentEditor* const component;
    PhaseEditor* const phase;
    ActivityEditor* const activity;
    SupplierEditor* const supplier;

    RecordEditor& editor(project::Kind kind) const;
    // The tab whose records depend on a tab's record: components on assemblies, activities on phases.
    RecordEditor* dependent(const RecordEditor& editor) const;

    // Fills a kind's pick list and the lists of other tabs that offer its records.
    void fill(RecordEditor& editor);
    void fillStatusLists();
    // The components attached to the activity shown, in the activity tab's list.
    void listComponents();
    // Reads the record a tab shows again; says so when it is gone, unless quiet. False when gone.
    bool find(RecordEditor& editor, bool quiet = false);
    // The record read into its tab's fields, with its totals.
    void populate(RecordEditor& editor);
    void showTotals(std::initializer_list<RecordEditor*> editors);

    // The shown car's records, and the figures worked out from them.
    const project::ProjectRecords& records();
    const rollup::ProjectFigures& figures();
    // Reads the car afresh when next needed (another car, or rows another program wrote).
    void refresh();

private:
    void changed(store::Key carid, project::Kind kind, store::Key key);

    project::ProjectSession& m_session;
    std::optional<project::ProjectRecords> m_records;
    std::optional<rollup::ProjectFigures> m_figures;
};

} // namespace editor
