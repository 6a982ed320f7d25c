// Cancel and Delete of a record, switching between record tabs and trees, and the menu commands.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "app/AboutGearLog.h"
#include "app/GearLogOverview.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "project/ProjectSession.h"
#include "reports/MaterialsListForm.h"
#include "reports/ProjectPlanForm.h"
#include "reports/StatusReportForm.h"
#include "reports/WishListForm.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <stdexcept>

namespace editor {

namespace {
const QString SelectProject = QStringLiteral("Select A Project From The 'Car' Tab");
const QString ReadOnlyText
    = QStringLiteral("This database file is read-only: GearLog can show it but cannot change it.");

// Nothing chosen: the list asks for a choice, or says it has nothing to choose from.
void showPlaceholder(QComboBox* list, const QString& placeholder)
{
    gui::setListText(list, list->count() > 0 ? placeholder : QStringLiteral("<No Entries>"));
}
} // namespace

void Form1::cancelRecord(const RecordKind& k)
{
    if (k.plan && !isSampleCar()) {
        setReseqEnabled(true);
        if (k.tab == 4)
            m_activityTab->cmdAttachComponent->setEnabled(false);
    }
    TbDisplay->setEnabled(true);
    setPanelText(1, QLatin1String(k.picked));
    if (this->*k.loaded) {
        (this->*k.find)();
        (this->*k.populate)();
        SetButtons(QStringLiteral("110011"));
    } else {
        ClearFields();
        showPlaceholder((this->*k.list)(), QLatin1String(k.cancelPlaceholder));
        SetButtons(QStringLiteral("100001"));
    }
    // Attaching needs an activity to attach to.
    if (k.tab == 4 && !isSampleCar())
        m_activityTab->cmdAttachComponent->setEnabled(activityLoaded);
    (this->*k.list)()->setFocus();
}

void Form1::deleteCommand()
{
    deleteCancelled = false;
    try {
        DeleteRecord();
    } catch (const store::StoreError& e) {
        showStoreError(QStringLiteral("the delete"), e);
        SetButtons(QStringLiteral("110011"));
        return;
    }
    if (deleteCancelled) {
        SetButtons(QStringLiteral("110011"));
        return;
    }
    SetButtons(QStringLiteral("100001"));
    ClearFields();
    switch (currentTab) {
    case CarTab:
        TbDisplay->setEnabled(false);
        m_carTab->cmdAttachCarImage->setEnabled(false);
        m_carTab->cmdViewCarImage->setEnabled(false);
        currentCarDescription.clear();
        carLoaded = false;
        currentCarID = 0;
        m_session.setCurrentCar(0);
        m_car.reset();
        projectDescription->clear();
        loadCarDescription();
        m_trees->clear();
        m_carTab->carDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        showEntries(QStringLiteral("CAR"), carCount);
        break;
    case AssemblyTab:
        loadAssemblyDescription();
        loadComponentDescription();
        assemblyLoaded = false;
        componentLoaded = false;
        m_assembly.reset();
        m_component.reset();
        currentAssemblyID = currentComponentID = 0;
        materialsSideTab = 0;
        UpdateMaterialsTree();
        m_assemblyTab->assemblyDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        showEntries(QStringLiteral("ASSEMBLY"), assemblyCount);
        break;
    case ComponentTab:
        loadComponentDescription();
        componentLoaded = false;
        m_component.reset();
        currentComponentID = 0;
        materialsSideTab = 0;
        UpdateMaterialsTree();
        m_componentTab->componentDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        showEntries(QStringLiteral("COMPONENT"), componentCount);
        RecalcCosts();
        break;
    case PhaseTab:
        loadPhaseDescription();
        loadActivityDescription();
        phaseLoaded = false;
        activityLoaded = false;
        m_phase.reset();
        m_activity.reset();
        currentPhaseID = currentActivityID = 0;
        planSideTab = 0;
        UpdateProjectTree();
        m_phaseTab->phaseDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        if (!isSampleCar())
            setReseqEnabled(false);
        showEntries(QStringLiteral("PHASE"), phaseCount);
        break;
    case ActivityTab:
        if (!isSampleCar())
            m_activityTab->cmdAttachComponent->setEnabled(false);
        loadActivityDescription();
        activityLoaded = false;
        m_activity.reset();
        currentActivityID = 0;
        UpdateProjectTree();
        CalculatePhaseInfo();
        CalculateCarInfo();
        m_activityTab->ActivityDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        if (!isSampleCar())
            setReseqEnabled(false);
        showEntries(QStringLiteral("ACTIVITY"), activityCount);
        RecalcDates();
        break;
    case SupplierTab:
        loadsuppliercombo();
        supplierLoaded = false;
        m_supplier.reset();
        currentSupplierID = 0;
        currentSupplierName.clear();
        m_supplierTab->SupplierName->setFocus();
        SetButtons(QStringLiteral("100001"));
        showEntries(QStringLiteral("SUPPLIER"), supplierCount);
        break;
    default:
        break;
    }
}

// --- Switching record tabs and trees -------------------------------------------------------------

void Form1::showTab(int index)
{
    const QSignalBlocker block(tbproject);
    tbproject->setCurrentIndex(index);
    m_shownTab = tbproject->currentIndex();
}

void Form1::showTree(int index)
{
    const QSignalBlocker block(TbDisplay);
    TbDisplay->setCurrentIndex(index);
    displayTab = m_shownTree = TbDisplay->currentIndex();
}

void Form1::tbproject_Click(int previousTab)
{
    Q_UNUSED(previousTab);
    const int tab = tbproject->currentIndex();
    m_shownTab = tab;
    if (editMode != EditMode::Browsing)
        return; // only the edited tab can be showing
    currentTab = Tab(tab + 1);

    if (tab == 0) {
        if (!carLoaded) {
            setPanelText(1, QStringLiteral("Click The 'Add' Button To Create A New 'Car'"));
            SetButtons(QStringLiteral("100001"));
        } else {
            (displayTab == 0 ? materialsSideTab : planSideTab) = 0;
            highlightMaterialsNode(carNodeKey);
            highlightPlanNode(carNodeKey);
            currentTab = CarTab;
            setPanelText(1, QStringLiteral("Add, Change, Or Delete A 'Car'"));
            SetButtons(QStringLiteral("110011"));
        }
        showEntries(QStringLiteral("CAR"), carCount);
        m_carTab->carDescription->setFocus();
        setReseqEnabled(false);
        return;
    }

    if (tab == 5) {
        setPanelText(1, QStringLiteral("Add, Change, Or Delete A 'Supplier'"));
        showEntries(QStringLiteral("SUPPLIER"), supplierCount);
        if (!isSampleCar())
            setReseqEnabled(false);
        currentTab = SupplierTab;
        if (!supplierLoaded) {
            LockFields(true);
            m_supplierTab->SupplierName->setEnabled(m_supplierTab->SupplierName->count() > 0);
            SetButtons(QStringLiteral("100001"));
            m_supplierTab->SupplierName->setFocus();
        } else {
            SetButtons(QStringLiteral("110011"));
        }
        return;
    }

    if (!carLoaded) {
        gui::MessageBox::notice(this, QStringLiteral("Please Select A Project Car To Work With"));
        showTab(0);
        tbproject_Click(tab);
        setPanelText(1, SelectProject);
        return;
    }

    const RecordKind& k = recordKind(tab);
    QComboBox* list = (this->*k.list)();
    if (!(this->*k.loaded)) {
        setPanelText(1, QLatin1String(k.nothing));
        ClearFields();
        showPlaceholder(list, QLatin1String(k.placeholder));
        SetButtons(QStringLiteral("100001"));
        setReseqEnabled(false);
        if (tab == 4)
            m_activityTab->cmdAttachComponent->setEnabled(false);
    } else {
        const NodeRef node { k.kind, this->*k.key };
        if (k.plan)
            highlightPlanNode(node);
        else
            highlightMaterialsNode(node);
        setPanelText(1, QLatin1String(k.picked));
        SetButtons(QStringLiteral("110011"));
        if (k.plan && TbDisplay->currentIndex() == 0) {
            showTree(1);
            UpdateProjectTree();
        } else if (!k.plan && TbDisplay->currentIndex() == 1) {
            showTree(0);
            UpdateMaterialsTree();
        }
        if (!k.plan)
            setReseqEnabled(false);
        else if (!isSampleCar()) {
            setReseqEnabled(true);
            if (tab == 4)
                m_activityTab->cmdAttachComponent->setEnabled(true);
        }
    }
    showEntries(QLatin1String(k.table), this->*k.count);
    list->setFocus();
}

void Form1::TbDisplay_Click(int previousTab)
{
    Q_UNUSED(previousTab);
    displayTab = TbDisplay->currentIndex();
    if (currentCarID == 0)
        return;
    const bool attaching = m_activityTab->cmdDone->isEnabled();
    if (attaching && displayTab != 0)
        showTree(0);
    TbDisplay->setEnabled(true);
    if (attaching)
        return;
    if (displayTab == 1) {
        UpdateProjectTree();
        if (!planNodeKey.isEmpty())
            highlightPlanNode(planNodeKey);
        const int previous = tbproject->currentIndex();
        showTab(planSideTab);
        if (previous != planSideTab)
            tbproject_Click(previous);
        if ((planSideTab == 3 || planSideTab == 4) && !isSampleCar()) {
            setReseqEnabled(true);
            if (planSideTab == 4)
                m_activityTab->cmdAttachComponent->setEnabled(true);
        }
    } else {
        if (!isSampleCar())
            setReseqEnabled(false);
        UpdateMaterialsTree();
        if (!materialsNodeKey.isEmpty())
            highlightMaterialsNode(materialsNodeKey);
        const int previous = tbproject->currentIndex();
        showTab(materialsSideTab);
        if (previous != materialsSideTab)
            tbproject_Click(previous);
    }
}

// --- Menu commands ---------------------------------------------------------------------------------

void Form1::mnuAbout_Click()
{
    app::AboutGearLog about(this);
    about.exec();
}

void Form1::mnuOverview_Click()
{
    app::GearLogOverview overview(this);
    overview.exec();
}

namespace {
template <class Window> void openReport(const store::Database& database, QWidget* parent)
{
    Window window(database, parent);
    window.exec();
}
} // namespace

void Form1::MnuMaterialsList_Click()
{
    openReport<reports::MaterialsListForm>(store().db, this);
}

void Form1::MnuProjectPlan_Click()
{
    openReport<reports::ProjectPlanForm>(store().db, this);
}

void Form1::MnuStatusReport_Click()
{
    openReport<reports::StatusReportForm>(store().db, this);
}

void Form1::MnuWishList_Click()
{
    openReport<reports::WishListForm>(store().db, this);
}

void Form1::CreateNewCar()
{
    showTab(0);
    ProcessCMD(0);
}

} // namespace editor
