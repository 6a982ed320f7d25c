// The materials and project-plan trees, moving phases and activities in the plan, and attaching
// components to an activity.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"
#include "mainwindow/RecordTabs.h"

#include "gui/Dialogs.h"
#include "gui/StoreErrors.h"
#include "store/Store.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTreeView>

namespace editor {

using project::Kind;

void Form1::UpdateMaterialsTree()
{
    const qint32 car = m_carTab->shown.key;
    if (car == 0) {
        m_trees->rebuild(ProjectTrees::Materials, 0, QString(), {}, false);
        return;
    }
    const project::ProjectRecords& rows = m_tabs->records();
    // While components are being attached, the ones attached to the activity show in bold.
    QSet<qint32> bold;
    if (m_activityTab->cmdDone->isEnabled()) {
        for (const store::Component& c : rows.components()) {
            if (c.isAttached() && *c.ActivityID == m_activityTab->shown.key)
                bold.insert(c.componentid);
        }
    }
    m_trees->rebuild(ProjectTrees::Materials, car, m_carTab->shown.description, rows,
        preferences.treeView != QStringLiteral("C"), bold);
}

void Form1::UpdateProjectTree()
{
    const qint32 car = m_carTab->shown.key;
    if (car == 0) {
        m_planOrder = {};
        m_trees->rebuild(ProjectTrees::Plan, 0, QString(), {}, false);
        return;
    }
    const project::ProjectRecords& rows = m_tabs->records();
    m_trees->rebuild(
        ProjectTrees::Plan, car, m_carTab->shown.description, rows, preferences.treeView != QStringLiteral("C"));
    m_planOrder = project::PlanOrder(rows);
}

void Form1::highlight(bool plan, const NodeRef& node)
{
    (plan ? planNodeKey : materialsNodeKey) = node;
    m_trees->mark(plan ? ProjectTrees::Plan : ProjectTrees::Materials, node);
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
    RecordEditor& editor = m_tabs->editor(node.kind);
    // The node's record, picked as if from its list.
    clickedListIndex = editor.pickList()->findData(node.key);
    if (clickedListIndex < 0 || node.kind == Kind::Supplier)
        return;
    listClickFromTree = true;
    if (node.kind == Kind::Car)
        carDescription_Click();
    else
        pickRecord(editor);
}

void Form1::setTreeStyle(const QString& style)
{
    preferences.treeView = style;
    Preferences::writeTreeView(m_settings, style);
    // Rebuilt in the new style, with the record shown still marked.
    const bool plan = displayTab != 0;
    updateTree(plan);
    highlight(plan, plan ? planNodeKey : materialsNodeKey);
}

void Form1::moveEntry(bool up)
{
    if (refuseChange())
        return;
    const bool phase = moveKind == Kind::Phase;
    const auto move = m_planOrder.move(moveKind, phase ? movePhaseID : moveActivityID, up);
    if (!move)
        return; // not in the plan as last built: nothing to move
    if (!move->swap) {
        gui::MessageBox::notice(this, move->refusal);
        return;
    }
    // Whatever the two hold is exchanged, gaps and all, in one transaction.
    const project::PlanOrder::Swap& s = *move->swap;
    try {
        if (phase)
            m_session.swapPhaseSequences(s.id, s.sequence, s.otherId, s.otherSequence);
        else
            m_session.swapActivitySequences(s.id, s.sequence, s.otherId, s.otherSequence);
    } catch (const store::StoreError& e) {
        gui::showCommandError(this, QStringLiteral("the move"), e);
        return;
    }
    // The record shown is read again: its sequence is part of what a save compares.
    if (phase)
        findShown(*m_phaseTab);
    else if (m_activityTab->shown.loaded)
        findShown(*m_activityTab);
    UpdateProjectTree();
    highlight(true, planNodeKey);
}

void Form1::cmdAttachComponent_Click()
{
    if (refuseChange())
        return;
    SetButtons(QStringLiteral("000000"));
    m_attachStatusText = panelText(1);
    setPanelText(1, QStringLiteral("Click On 'COMPONENT' To Add To Activity - Click Again To Remove "));
    if (!isSampleCar()) {
        setReseqEnabled(false);
        m_activityTab->cmdDone->setEnabled(true);
        m_activityTab->cmdDone->show();
        m_activityTab->cmdAttachComponent->setEnabled(false);
        m_activityTab->cmdAttachComponent->hide();
        m_activityTab->ActivityDescription->setEnabled(false);
        UpdateForm(4);
        UpdateMaterialsTree();
    }
    TbDisplay->setEnabled(true);
    showTree(0);
}

void Form1::attachClick(const NodeRef& node)
{
    if (node.kind != Kind::Component)
        return;
    setPanelText(1, QStringLiteral("Please Click A 'COMPONENT' To Add It To The Activity"));
    const qint32 componentid = node.key;
    try {
        auto component = store().components.load(componentid);
        // Detaching writes 0; attaching takes the component from whatever activity it had.
        if (component)
            component->record.ActivityID = m_trees->isBold(componentid) ? 0 : m_activityTab->shown.key;
        if (!component
            || m_session.update(component->record, component->snapshot)
                != project::ProjectSession::SaveOutcome::Saved) {
            gui::MessageBox::notice(this, QStringLiteral("Unable To Access Component"));
            return;
        }
        m_trees->toggleBold(componentid);
        if (m_componentTab->shown.loaded && componentid == m_componentTab->shown.key) {
            findShown(*m_componentTab, true);
            m_tabs->populate(*m_componentTab);
        }
    } catch (const store::StoreError& e) {
        gui::showCommandError(this, QStringLiteral("the change of the component"), e);
        return;
    }
    m_tabs->listComponents();
}

void Form1::cmdDone_Click()
{
    SetButtons(QStringLiteral("110011"));
    setPanelText(1, m_attachStatusText);
    if (!isSampleCar()) {
        setReseqEnabled(true);
        m_activityTab->cmdDone->setEnabled(false);
        m_activityTab->cmdDone->hide();
        m_activityTab->cmdAttachComponent->setEnabled(true);
        m_activityTab->cmdAttachComponent->show();
        m_activityTab->ActivityDescription->setEnabled(true);
        UpdateForm(99);
    }
    UpdateProjectTree();
    UpdateMaterialsTree();
    if (m_componentTab->shown.loaded) {
        findShown(*m_componentTab);
        m_tabs->populate(*m_componentTab);
    }
    m_tabs->showTotals({ m_activityTab, m_phaseTab, m_componentTab, m_assemblyTab, m_carTab });
    TbDisplay->setEnabled(true);
    showTree(1);
    highlight(true, planNodeKey);
    showTab(4);
    currentTab = ActivityTab;
    m_activityTab->ActivityDescription->setFocus();
}

} // namespace editor
