// The materials and project-plan trees: building them, highlighting the record shown, clicks.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "gui/Colors.h"
#include "gui/Dialogs.h"
#include "project/Kind.h"
#include "project/ProjectRecords.h"
#include "store/Store.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTreeView>

namespace editor {

using project::Kind;

void Form1::UpdateMaterialsTree()
{
    if (m_carTab->shown.key == 0) {
        m_trees->rebuild(ProjectTrees::Materials, 0, QString(), {}, false);
        return;
    }
    std::optional<project::ProjectRecords> own;
    const project::ProjectRecords& records
        = inBatch() ? this->records() : own.emplace(project::ProjectRecords::materials(store(), m_carTab->shown.key));
    // While components are being attached, the ones attached to the activity show in bold.
    QSet<qint32> bold;
    if (m_activityTab->cmdDone->isEnabled()) {
        for (const store::Component& c : records.components()) {
            if (c.isAttached() && *c.ActivityID == m_activityTab->shown.key)
                bold.insert(c.componentid);
        }
    }
    m_trees->rebuild(ProjectTrees::Materials, m_carTab->shown.key, m_carTab->shown.description, records,
        preferences.treeView != QStringLiteral("C"), bold);
}

void Form1::UpdateProjectTree()
{
    phaseOrderTable.clear();
    activityOrderTable.clear();
    if (m_carTab->shown.key == 0) {
        m_trees->rebuild(ProjectTrees::Plan, 0, QString(), {}, false);
        return;
    }
    std::optional<project::ProjectRecords> own;
    const project::ProjectRecords& records
        = inBatch() ? this->records() : own.emplace(project::ProjectRecords::plan(store(), m_carTab->shown.key));
    m_trees->rebuild(ProjectTrees::Plan, m_carTab->shown.key, m_carTab->shown.description, records,
        preferences.treeView != QStringLiteral("C"));
    // The plan in tree order: phases by sequence, and activities phase by phase, each by sequence.
    QHash<qint32, QList<const store::Activity*>> byPhase;
    for (const store::Activity& a : records.activities())
        byPhase[a.PhaseID].append(&a);
    for (const store::Phase& p : records.phases()) {
        phaseOrderTable.append(OrderRow { p.PhaseID, p.prioritysequence.value_or(0), 0 });
        for (const store::Activity* a : byPhase.value(p.PhaseID))
            activityOrderTable.append(OrderRow { a->ActivityID, a->prioritysequence.value_or(0), a->PhaseID });
    }
}

void Form1::highlightMaterialsNode(const NodeRef& node)
{
    materialsNodeKey = node;
    m_trees->mark(ProjectTrees::Materials, node);
}

void Form1::highlightPlanNode(const NodeRef& node)
{
    planNodeKey = node;
    m_trees->mark(ProjectTrees::Plan, node);
}

void Form1::TvMaterials_NodeClick(const NodeRef& node)
{
    if (m_activityTab->cmdDone->isVisible()) {
        attachClick(node);
        return;
    }
    m_trees->view(ProjectTrees::Materials)->clearSelection();
    pickFromTree(node);
}

void Form1::TvProject_NodeClick(const NodeRef& node)
{
    m_trees->view(ProjectTrees::Plan)->clearSelection();
    if (node.kind == Kind::Phase)
        movePhaseID = node.key;
    else if (node.kind == Kind::Activity)
        moveActivityID = node.key;
    pickFromTree(node);
}

void Form1::pickFromTree(const NodeRef& node)
{
    struct Pick
    {
        QComboBox* list;
        void (Form1::*click)();
    };
    const Pick pick = [&]() -> Pick {
        switch (node.kind) {
        case Kind::Car:
            return { m_carTab->carDescription, &Form1::carDescription_Click };
        case Kind::Assembly:
            return { m_assemblyTab->assemblyDescription, &Form1::assemblyDescription_Click };
        case Kind::Component:
            return { m_componentTab->componentDescription, &Form1::componentDescription_Click };
        case Kind::Phase:
            return { m_phaseTab->phaseDescription, &Form1::phaseDescription_Click };
        default:
            return { m_activityTab->ActivityDescription, &Form1::ActivityDescription_Click };
        }
    }();
    // The node's record, picked as if from its list.
    listClickFromTree = true;
    clickedListIndex = pick.list->findData(node.key);
    if (clickedListIndex < 0) {
        listClickFromTree = false;
        return;
    }
    (this->*pick.click)();
}

void Form1::mnuExpandView_Click()
{
    setTreeStyle(QStringLiteral("E"));
}

void Form1::mnuCompressView_Click()
{
    setTreeStyle(QStringLiteral("C"));
}

void Form1::setTreeStyle(const QString& style)
{
    preferences.treeView = style;
    Preferences::writeTreeView(m_settings, style);
    // Rebuilt in the new style, with the record shown still marked.
    if (displayTab == 0) {
        UpdateMaterialsTree();
        highlightMaterialsNode(materialsNodeKey);
    } else {
        UpdateProjectTree();
        highlightPlanNode(planNodeKey);
    }
}

} // namespace editor
