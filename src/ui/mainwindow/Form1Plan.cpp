// Moving phases and activities in the plan, and attaching components to an activity.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "gui/Dialogs.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace editor {

void Form1::cmdMoveUp_Click()
{
    moveEntry(true);
}

void Form1::cmdMoveDown_Click()
{
    moveEntry(false);
}

void Form1::moveEntry(bool up)
{
    if (refuseChange())
        return;
    const bool phase = moveKind == project::Kind::Phase;
    const QList<OrderRow>& order = phase ? phaseOrderTable : activityOrderTable;
    const qint32 picked = phase ? movePhaseID : moveActivityID;
    qsizetype at = -1;
    for (qsizetype i = 0; i < order.size(); ++i) {
        if (order.at(i).id == picked) {
            at = i;
            break;
        }
    }
    if (at < 0)
        return; // not in the plan as last built: nothing to move
    if (!phase)
        movePhaseID = order.at(at).phase;

    const qsizetype neighbour = up ? at - 1 : at + 1;
    const bool outside = neighbour < 0 || neighbour >= order.size()
        || (!phase && order.at(neighbour).phase != order.at(at).phase); // activities stay in their phase
    if (outside) {
        QString message;
        if (phase)
            message = up ? QStringLiteral("This Is The First PHASE... Can't Be Moved Up")
                         : QStringLiteral("This Is The Last PHASE... Can't Be Moved Down");
        else
            message = up ? QStringLiteral("This Is The First ACTIVITY In The PHASE... Can't Be Moved Up")
                         : QStringLiteral("This Is The Last ACTIVITY In The PHASE... Can't Be Moved Down");
        gui::MessageBox::notice(this, message);
        return;
    }

    // Whatever the two hold is exchanged, gaps and all, in one transaction.
    const OrderRow a = order.at(at);
    const OrderRow b = order.at(neighbour);
    try {
        if (phase)
            m_session.swapPhaseSequences(a.id, b.sequence, b.id, a.sequence);
        else
            m_session.swapActivitySequences(a.id, b.sequence, b.id, a.sequence);
    } catch (const store::StoreError& e) {
        showStoreError(QStringLiteral("the move"), e);
        return;
    }
    if (phase)
        FindPhase();
    else if (m_activityTab->shown.loaded)
        FindActivity();
    UpdateProjectTree();
    highlightPlanNode(planNodeKey);
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
    if (node.kind != project::Kind::Component)
        return;
    setPanelText(1, QStringLiteral("Please Click A 'COMPONENT' To Add It To The Activity"));
    const qint32 componentid = node.key;
    try {
        auto component = store().components.load(componentid);
        if (!component) {
            gui::MessageBox::notice(this, QStringLiteral("Unable To Access Component"));
            return;
        }
        const bool attached = m_trees->isBold(componentid);
        // Detaching writes 0; attaching takes the component from whatever activity it had.
        component->record.ActivityID = attached ? 0 : m_activityTab->shown.key;
        if (m_session.update(component->record, component->snapshot) != project::ProjectSession::SaveOutcome::Saved) {
            gui::MessageBox::notice(this, QStringLiteral("Unable To Access Component"));
            return;
        }
        m_trees->toggleBold(componentid);
        if (m_componentTab->shown.loaded && componentid == m_componentTab->shown.key) {
            reloadComponent();
            PopulateComponentFields();
        }
    } catch (const store::StoreError& e) {
        showStoreError(QStringLiteral("the change of the component"), e);
        return;
    }
    listedActivityID = m_activityTab->shown.key;
    loadcomponents();
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
        FindComponent();
        PopulateComponentFields();
    }
    const FiguresBatch batch(*this);
    CalculateActivityInfo();
    CalculatePhaseInfo();
    CalculateComponentInfo();
    CalculateAssemblyInfo();
    CalculateCarInfo();
    TbDisplay->setEnabled(true);
    showTree(1);
    highlightPlanNode(planNodeKey);
    showTab(4);
    currentTab = ActivityTab;
    m_activityTab->ActivityDescription->setFocus();
}

} // namespace editor
