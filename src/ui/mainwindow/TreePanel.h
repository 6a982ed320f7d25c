#pragma once

#include "store/RecordTraits.h"

#include "mainwindow/ProjectTrees.h"
#include "project/PlanOrder.h"

#include <QObject>

class QWidget;

namespace project {
class ProjectSession;
}

namespace editor {

class RecordTabs;
class StatusPanels;

// The two trees beside the record tabs and what works on them: the node of the record shown
// marked in each, Move Up and Move Down in the plan, and the clicks that attach components to
// the activity shown while attaching.
class TreePanel : public QObject
{
    Q_OBJECT

public:
    // Messages go to the trees' window.
    TreePanel(
        ProjectTrees& trees, RecordTabs& tabs, project::ProjectSession& session, StatusPanels& status, QObject* parent);

    // A tree built afresh from the shown car's records; none without a car.
    void rebuild(bool plan);
    void clear();
    // Marks the node of the record shown, and remembers it for when the tree is built again.
    void mark(bool plan, const NodeRef& node);
    const NodeRef& marked(bool plan) const { return plan ? m_planNode : m_materialsNode; }
    void forgetMarks();
    // Every assembly's components and every phase's activities, or only the first level.
    void setExpanded(bool expanded) { m_expanded = expanded; }

    // The record tab that goes with each tree: shown again when its tree is chosen.
    int sideTab(bool plan) const { return plan ? m_planSideTab : m_materialsSideTab; }
    void setSideTab(bool plan, int tab) { (plan ? m_planSideTab : m_materialsSideTab) = tab; }

    // What Move Up and Move Down move: the phase or the activity picked last.
    void chooseToMove(project::Kind kind, store::Key key);
    void move(bool up);

    // While attaching, a click on a component attaches it to the activity shown (or detaches it),
    // and the components attached show in bold.
    void setAttaching(bool attaching);
    bool attaching() const { return m_attaching; }

Q_SIGNALS:
    // A node's record picked (not while attaching).
    void picked(const editor::NodeRef& node);

private:
    void clicked(ProjectTrees::Page page, const NodeRef& node);
    void attachClick(const NodeRef& node);
    QWidget* messageParent() const;

    ProjectTrees& m_trees;
    RecordTabs& m_tabs;
    project::ProjectSession& m_session;
    StatusPanels& m_status;
    NodeRef m_materialsNode;
    NodeRef m_planNode;
    bool m_expanded = true;
    int m_materialsSideTab = 0;
    int m_planSideTab = 0;
    bool m_attaching = false;
    project::Kind m_moveKind = project::Kind::Car;
    store::Key m_movePhase = 0;
    store::Key m_moveActivity = 0;
    project::PlanOrder m_planOrder; // as the project-plan tree was built last
};

} // namespace editor
