// Attaching components to an activity: the mode in which a click on a component in the
// materials tree attaches it (see TreePanel), and its end.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"
#include "mainwindow/RecordTabs.h"
#include "mainwindow/TreePanel.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

namespace editor {

void Form1::cmdAttachComponent_Click()
{
    if (m_commands->refuseChange())
        return;
    SetButtons(QStringLiteral("000000"));
    m_attachStatusText = panelText(1);
    setPanelText(1, QStringLiteral("Click On 'COMPONENT' To Add To Activity - Click Again To Remove "));
    if (!isSampleCar()) {
        setReseqEnabled(false);
        m_activityTab->doneButton()->setEnabled(true);
        m_activityTab->doneButton()->show();
        m_activityTab->attachButton()->setEnabled(false);
        m_activityTab->attachButton()->hide();
        m_activityTab->pickList()->setEnabled(false);
        UpdateForm(4);
        m_panel->setAttaching(true);
        m_panel->rebuild(false);
    }
    TbDisplay->setEnabled(true);
    showTree(0);
}

void Form1::cmdDone_Click()
{
    SetButtons(QStringLiteral("110011"));
    setPanelText(1, m_attachStatusText);
    if (!isSampleCar()) {
        setReseqEnabled(true);
        m_activityTab->doneButton()->setEnabled(false);
        m_activityTab->doneButton()->hide();
        m_activityTab->attachButton()->setEnabled(true);
        m_activityTab->attachButton()->show();
        m_activityTab->pickList()->setEnabled(true);
        m_panel->setAttaching(false);
        UpdateForm(99);
    }
    m_panel->rebuild(true);
    m_panel->rebuild(false);
    if (m_componentTab->shown.loaded) {
        m_tabs->find(*m_componentTab);
        m_tabs->populate(*m_componentTab);
    }
    m_tabs->showTotals({ m_activityTab, m_phaseTab, m_componentTab, m_assemblyTab, m_carTab });
    TbDisplay->setEnabled(true);
    showTree(1);
    m_panel->mark(true, m_panel->marked(true));
    showTab(4);
    currentTab = ActivityTab;
    m_activityTab->pickList()->setFocus();
}

} // namespace editor
