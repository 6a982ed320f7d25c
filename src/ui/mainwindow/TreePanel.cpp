#include "mainwindow/TreePanel.h"

#include "mainwindow/Editors.h"
#include "mainwindow/RecordTabs.h"
#include "mainwindow/StatusPanels.h"

#include "gui/Dialogs.h"
#include "gui/StoreErrors.h"
#include "project/ProjectSession.h"
#include "store/Store.h"

#include <QTabWidget>
#include <QTreeView>

namespace editor {

using project::Kind;

TreePanel::TreePanel(
    ProjectTrees& trees, RecordTabs& tabs, project::ProjectSession& session, StatusPanels& status, QObject* parent)
    : QObject(parent)
    , m_trees(trees)
    , m_tabs(tabs)
    , m_session(session)
    , m_status(status)
{
    // A node is chosen by a click, or from the keyboard by Enter. A double click also activates:
    // while attaching that second signal would undo the first click, so only clicks count there.
    connect(&trees, &ProjectTrees::clicked, this, &TreePanel::clicked);
    connect(&trees, &ProjectTrees::activated, this, [this](ProjectTrees::Page page, const NodeRef& node) {
        if (page == ProjectTrees::Plan || !m_attaching)
            clicked(page, node);
    });
}

QWidget* TreePanel::messageParent() const
{
    return m_trees.tabs()->window();
}

void TreePanel::rebuild(bool plan)
{
    const store::Key car = m_tabs.car->shown.key;
    const ProjectTrees::Page page = plan ? ProjectTrees::Plan : ProjectTrees::Materials;
    if (car == 0) {
        if (plan)
            m_planOrder = {};
        m_trees.rebuild(page, 0, QString(), {}, false);
        return;
    }
    const project::ProjectRecords& rows = m_tabs.records();
    // While attaching, the components attached to the activity show in bold.
    QSet<store::Key> bold;
    if (!plan && m_attaching) {
        for (const store::Component& c : rows.components()) {
            if (c.isAttached() && *c.ActivityID == m_tabs.activity->shown.key)
                bold.insert(c.componentid);
        }
    }
    m_trees.rebuild(page, car, m_tabs.car->shown.description, rows, m_expanded, bold);
    if (plan)
        m_planOrder = project::PlanOrder(rows);
}

void TreePanel::clear()
{
    m_trees.clear();
}

void TreePanel::mark(bool plan, const NodeRef& node)
{
    (plan ? m_planNode : m_materialsNode) = node;
    m_trees.mark(plan ? ProjectTrees::Plan : ProjectTrees::Materials, node);
}

void TreePanel::forgetMarks()
{
    m_planNode.clear();
    m_materialsNode.clear();
}

void TreePanel::clicked(ProjectTrees::Page page, const NodeRef& node)
{
    if (page == ProjectTrees::Materials && m_attaching) {
        attachClick(node);
        return;
    }
    m_trees.view(page)->clearSelection();
    if (page == ProjectTrees::Plan && (node.kind == Kind::Phase || node.kind == Kind::Activity))
        (node.kind == Kind::Phase ? m_movePhase : m_moveActivity) = node.key;
    Q_EMIT picked(node);
}

void TreePanel::chooseToMove(Kind kind, store::Key key)
{
    m_moveKind = kind;
    if (key != 0)
        (kind == Kind::Phase ? m_movePhase : m_moveActivity) = key;
}

void TreePanel::move(bool up)
{
    if (m_session.isReadOnly()) {
        gui::MessageBox::information(messageParent(), QLatin1String(project::ReadOnlyText));
        return;
    }
    const bool phase = m_moveKind == Kind::Phase;
    const auto move = m_planOrder.move(m_moveKind, phase ? m_movePhase : m_moveActivity, up);
    if (!move)
        return; // not in the plan as last built: nothing to move
    if (!move->swap) {
        gui::MessageBox::notice(messageParent(), move->refusal);
        return;
    }
    // Whatever the two hold is exchanged, gaps and all, in one transaction.
    const project::PlanOrder::Swap& s = *move->swap;
    const QString text = up ? QStringLiteral("Move Up") : QStringLiteral("Move Down");
    try {
        if (phase)
            m_session.swapPhaseSequences(s.id, s.sequence, s.otherId, s.otherSequence, text);
        else
            m_session.swapActivitySequences(s.id, s.sequence, s.otherId, s.otherSequence, text);
    } catch (const store::StoreError& e) {
        gui::showCommandError(messageParent(), QStringLiteral("the move"), e);
        return;
    }
    // The record shown is read again: its sequence is part of what a save compares.
    RecordEditor& shown = phase ? static_cast<RecordEditor&>(*m_tabs.phase) : *m_tabs.activity;
    if ((phase || shown.shown.loaded) && !shown.read(m_session.store()))
        gui::MessageBox::notice(messageParent(), shown.texts().notFound);
    rebuild(true);
    mark(true, m_planNode);
}

void TreePanel::setAttaching(bool attaching)
{
    m_attaching = attaching;
}

void TreePanel::attachClick(const NodeRef& node)
{
    if (node.kind != Kind::Component)
        return;
    m_status.setText(1, QStringLiteral("Please Click A 'COMPONENT' To Add It To The Activity"));
    const store::Key componentid = node.key;
    try {
        auto component = m_session.store().components.load(componentid);
        // Detaching writes 0; attaching takes the component from whatever activity it had.
        const bool detaching = m_trees.isBold(componentid);
        if (component)
            component->record.ActivityID = detaching ? 0 : m_tabs.activity->shown.key;
        if (!component
            || m_session.update(component->record, component->snapshot,
                   detaching ? QStringLiteral("Detach") : QStringLiteral("Attach"))
                != project::ProjectSession::SaveOutcome::Saved) {
            gui::MessageBox::notice(messageParent(), QStringLiteral("Unable To Access Component"));
            return;
        }
        m_trees.toggleBold(componentid);
        ComponentEditor& shown = *m_tabs.component;
        if (shown.shown.loaded && componentid == shown.shown.key) {
            shown.read(m_session.store());
            m_tabs.populate(shown);
        }
    } catch (const store::StoreError& e) {
        gui::showCommandError(messageParent(), QStringLiteral("the change of the component"), e);
        return;
    }
    m_tabs.listComponents();
}

} // namespace editor
