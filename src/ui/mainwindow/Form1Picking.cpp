// Pick lists and the record tabs: filling the lists, picking a record and showing it with its
// totals, and switching between record tabs and trees.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"
#include "mainwindow/RecordTabs.h"
#include "mainwindow/TreePanel.h"

#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "store/Store.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <tuple>

namespace editor {

using project::Kind;

RecordEditor& Form1::current() const
{
    return m_tabs->editor(project::Kind(currentTab - 1));
}

// --- Picking -----------------------------------------------------------------------------------

void Form1::carDescription_Click()
{
    if (!browsing()) {
        gui::setListText(m_carTab->pickList(),
            m_commands->mode() == RecordCommands::Mode::Adding ? QString() : m_carTab->shown.description);
        return;
    }
    // The lists, both trees and the totals come from one fresh reading of the car's records.
    m_tabs->refresh();
    if (!listClickFromTree) {
        clickedListIndex = m_carTab->pickList()->currentIndex();
        if (clickedListIndex < 0)
            return;
        const store::Key key = m_carTab->pickList()->itemData(clickedListIndex).toLongLong();
        // The same car again (compared by key: two projects may share a name) only refreshes it.
        if (m_carTab->shown.loaded && key == m_carTab->shown.key) {
            m_tabs->find(*m_carTab);
            m_tabs->populate(*m_carTab);
            SetButtons(QStringLiteral("110011"));
            return;
        }
        m_carTab->shown.description = m_carTab->pickList()->itemText(clickedListIndex);
        m_carTab->shown.key = key;
        m_session.setCurrentCar(key);
        projectDescription->setText(m_carTab->shown.description);

        m_panel->forgetMarks();
        for (RecordEditor* e :
            std::initializer_list<RecordEditor*> { m_assemblyTab, m_componentTab, m_phaseTab, m_activityTab }) {
            e->forget();
            e->shown.description.clear();
            m_tabs->fill(*e);
        }
        m_panel->rebuild(false);
        m_panel->rebuild(true);
        setPanelText(1, m_carTab->texts().picked);
    } else {
        listClickFromTree = false;
    }
    m_panel->mark(false, NodeRef { Kind::Car, m_carTab->shown.key });
    m_panel->mark(true, NodeRef { Kind::Car, m_carTab->shown.key });
    TbDisplay->setEnabled(true);
    showTab(0);
    m_carTab->shown.loaded = true;

    m_tabs->find(*m_carTab);
    m_tabs->populate(*m_carTab);
    LockFields(true);
    SetButtons(QStringLiteral("110011"));
    if (!isSampleCar()) {
        setReseqEnabled(false);
        m_activityTab->attachButton()->setEnabled(false);
    }
    showEntries(*m_carTab);
}

void Form1::pickRecord(RecordEditor& e)
{
    QComboBox* list = e.pickList();
    if (!browsing()) {
        gui::setListText(list, m_commands->mode() == RecordCommands::Mode::Adding ? QString() : e.shown.description);
        return;
    }
    // Which entry the pick is about: the list's own, or the one a tree click chose.
    const bool viaTree = listClickFromTree;
    listClickFromTree = false;
    if (!viaTree)
        clickedListIndex = list->currentIndex();
    if (clickedListIndex < 0 || clickedListIndex >= list->count())
        return;
    const store::Key key = list->itemData(clickedListIndex).toLongLong();
    const bool plan = e.inPlan();
    // The record already shown (compared by key: names may repeat) is only shown afresh.
    if (!viaTree && e.shown.loaded && key == e.shown.key) {
        SetButtons(QStringLiteral("110011"));
        m_tabs->find(e);
        m_tabs->populate(e);
        m_panel->mark(plan, m_panel->marked(plan));
        return;
    }
    const bool activity = e.kind() == Kind::Activity;
    e.shown.description = list->itemText(clickedListIndex);
    showTab(e.page());
    m_panel->setSideTab(plan, e.page());
    e.shown.loaded = true;
    e.shown.key = key;
    m_tabs->find(e);
    m_tabs->populate(e);
    currentTab = Tab(e.page() + 1);
    LockFields(true);
    SetButtons(QStringLiteral("110011"));
    if (!isSampleCar()) {
        setReseqEnabled(plan);
        if (activity)
            m_activityTab->attachButton()->setEnabled(true);
    }
    if (activity)
        list->setFocus();
    setPanelText(1, e.texts().picked);
    showEntries(e);
    if (TbDisplay->currentIndex() != (plan ? 1 : 0))
        showTree(plan ? 1 : 0);
    if (plan)
        m_panel->chooseToMove(e.kind(), key);
    m_panel->mark(plan, NodeRef { e.kind(), key });
}

void Form1::SupplierName_Click()
{
    SupplierEditor& s = *m_supplierTab;
    if (!browsing()) {
        gui::setListText(
            s.pickList(), m_commands->mode() == RecordCommands::Mode::Adding ? QString() : s.shown.description);
        return;
    }
    if (s.pickList()->currentIndex() < 0)
        return;
    s.shown.loaded = true;
    // The entry's key, not its name, picks the row: two suppliers may share a name.
    const auto previous = std::tuple(s.shown.key, s.record, s.snapshot);
    s.shown.key = s.pickList()->currentData().toLongLong();
    if (!s.read(store())) {
        // Gone meanwhile: the tab goes on showing what it showed.
        std::tie(s.shown.key, s.record, s.snapshot) = previous;
    } else {
        currentTab = SupplierTab;
        m_tabs->populate(s);
        LockFields(true);
        s.shown.description = s.record->Name;
        setPanelText(1, s.texts().picked);
        SetButtons(QStringLiteral("110011"));
    }
    if (!isSampleCar())
        setReseqEnabled(false);
    showEntries(s);
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

void Form1::reselect(RecordEditor& editor, store::Key key)
{
    QComboBox* list = editor.pickList();
    const int index = list->findData(key);
    if (index < 0)
        return;
    listClickFromTree = false;
    TbDisplay->setEnabled(true);
    {
        const QSignalBlocker block(list);
        list->setCurrentIndex(index);
    }
    clickedListIndex = index;
    if (editor.kind() == Kind::Car)
        carDescription_Click();
    else if (editor.kind() != Kind::Supplier)
        pickRecord(editor);
}

// --- Switching record tabs and trees -------------------------------------------------------------

void Form1::tbproject_Click()
{
    const int tab = tbproject->currentIndex();
    m_shownTab = tab;
    if (!browsing())
        return; // only the edited tab can be showing
    currentTab = Tab(tab + 1);

    if (currentTab == CarTab) {
        if (!m_carTab->shown.loaded) {
            setPanelText(1, m_carTab->texts().nothing);
            SetButtons(QStringLiteral("100001"));
        } else {
            m_panel->setSideTab(displayTab != 0, 0);
            m_panel->mark(false, NodeRef { Kind::Car, m_carTab->shown.key });
            m_panel->mark(true, NodeRef { Kind::Car, m_carTab->shown.key });
            setPanelText(1, m_carTab->texts().picked);
            SetButtons(QStringLiteral("110011"));
        }
        showEntries(*m_carTab);
        m_carTab->pickList()->setFocus();
        setReseqEnabled(false);
        return;
    }

    if (currentTab == SupplierTab) {
        setPanelText(1, m_supplierTab->texts().picked);
        showEntries(*m_supplierTab);
        if (!isSampleCar())
            setReseqEnabled(false);
        if (!m_supplierTab->shown.loaded) {
            LockFields(true);
            m_supplierTab->pickList()->setEnabled(m_supplierTab->pickList()->count() > 0);
            SetButtons(QStringLiteral("100001"));
            m_supplierTab->pickList()->setFocus();
        } else {
            SetButtons(QStringLiteral("110011"));
        }
        return;
    }

    if (!m_carTab->shown.loaded) {
        gui::MessageBox::notice(this, QStringLiteral("Please Select A Project Car To Work With"));
        showTab(0);
        tbproject_Click();
        setPanelText(1, QStringLiteral("Select A Project From The 'Car' Tab"));
        return;
    }

    RecordEditor& e = current();
    const bool plan = e.inPlan();
    const bool activity = currentTab == ActivityTab;
    if (!e.shown.loaded) {
        setPanelText(1, e.texts().nothing);
        ClearFields();
        gui::setListText(
            e.pickList(), e.pickList()->count() > 0 ? e.texts().placeholder : QStringLiteral("<No Entries>"));
        SetButtons(QStringLiteral("100001"));
        setReseqEnabled(false);
        if (activity)
            m_activityTab->attachButton()->setEnabled(false);
    } else {
        m_panel->mark(plan, NodeRef { e.kind(), e.shown.key });
        setPanelText(1, e.texts().picked);
        SetButtons(QStringLiteral("110011"));
        if (TbDisplay->currentIndex() != (plan ? 1 : 0)) {
            showTree(plan ? 1 : 0);
            m_panel->rebuild(plan);
        }
        if (!plan) {
            setReseqEnabled(false);
        } else if (!isSampleCar()) {
            setReseqEnabled(true);
            if (activity)
                m_activityTab->attachButton()->setEnabled(true);
        }
    }
    showEntries(e);
    e.pickList()->setFocus();
}

void Form1::TbDisplay_Click()
{
    displayTab = TbDisplay->currentIndex();
    if (m_carTab->shown.key == 0)
        return;
    const bool attaching = m_panel->attaching();
    if (attaching && displayTab != 0)
        showTree(0);
    TbDisplay->setEnabled(true);
    if (attaching)
        return;
    const bool plan = displayTab == 1;
    if (!plan && !isSampleCar())
        setReseqEnabled(false);
    m_panel->rebuild(plan);
    const NodeRef& node = m_panel->marked(plan);
    if (!node.isEmpty())
        m_panel->mark(plan, node);
    const int previous = tbproject->currentIndex();
    const int side = m_panel->sideTab(plan);
    showTab(side);
    if (previous != side)
        tbproject_Click();
    if (plan && (side == 3 || side == 4) && !isSampleCar()) {
        setReseqEnabled(true);
        if (side == 4)
            m_activityTab->attachButton()->setEnabled(true);
    }
}

} // namespace editor
