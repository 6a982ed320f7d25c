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
    RecordEditor& e = editorOf(k);
    if (e.shown.loaded) {
        (this->*k.find)();
        (this->*k.populate)();
        SetButtons(QStringLiteral("110011"));
    } else {
        ClearFields();
        showPlaceholder(e.pickList(), QLatin1String(k.cancelPlaceholder));
        SetButtons(QStringLiteral("100001"));
    }
    // Attaching needs an activity to attach to.
    if (k.tab == 4 && !isSampleCar())
        m_activityTab->cmdAttachComponent->setEnabled(m_activityTab->shown.loaded);
    e.pickList()->setFocus();
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
        m_carTab->shown.description.clear();
        m_carTab->shown.loaded = false;
        m_carTab->shown.key = 0;
        m_session.setCurrentCar(0);
        m_carTab->record.reset();
        projectDescription->clear();
        loadCarDescription();
        m_trees->clear();
        m_carTab->carDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        showEntries(QStringLiteral("CAR"), m_carTab->shown.count);
        break;
    case AssemblyTab:
        loadAssemblyDescription();
        loadComponentDescription();
        m_assemblyTab->shown.loaded = false;
        m_componentTab->shown.loaded = false;
        m_assemblyTab->record.reset();
        m_componentTab->record.reset();
        m_assemblyTab->shown.key = m_componentTab->shown.key = 0;
        materialsSideTab = 0;
        UpdateMaterialsTree();
        m_assemblyTab->assemblyDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        showEntries(QStringLiteral("ASSEMBLY"), m_assemblyTab->shown.count);
        break;
    case ComponentTab:
        loadComponentDescription();
        m_componentTab->shown.loaded = false;
        m_componentTab->record.reset();
        m_componentTab->shown.key = 0;
        materialsSideTab = 0;
        UpdateMaterialsTree();
        m_componentTab->componentDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        showEntries(QStringLiteral("COMPONENT"), m_componentTab->shown.count);
        RecalcCosts();
        break;
    case PhaseTab:
        loadPhaseDescription();
        loadActivityDescription();
        m_phaseTab->shown.loaded = false;
        m_activityTab->shown.loaded = false;
        m_phaseTab->record.reset();
        m_activityTab->record.reset();
        m_phaseTab->shown.key = m_activityTab->shown.key = 0;
        planSideTab = 0;
        UpdateProjectTree();
        m_phaseTab->phaseDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        if (!isSampleCar())
            setReseqEnabled(false);
        showEntries(QStringLiteral("PHASE"), m_phaseTab->shown.count);
        break;
    case ActivityTab:
        if (!isSampleCar())
            m_activityTab->cmdAttachComponent->setEnabled(false);
        loadActivityDescription();
        m_activityTab->shown.loaded = false;
        m_activityTab->record.reset();
        m_activityTab->shown.key = 0;
        UpdateProjectTree();
        CalculatePhaseInfo();
        CalculateCarInfo();
        m_activityTab->ActivityDescription->setFocus();
        SetButtons(QStringLiteral("100001"));
        if (!isSampleCar())
            setReseqEnabled(false);
        showEntries(QStringLiteral("ACTIVITY"), m_activityTab->shown.count);
        RecalcDates();
        break;
    case SupplierTab:
        loadsuppliercombo();
        m_supplierTab->shown.loaded = false;
        m_supplierTab->record.reset();
        m_supplierTab->shown.key = 0;
        m_supplierTab->shown.description.clear();
        m_supplierTab->SupplierName->setFocus();
        SetButtons(QStringLiteral("100001"));
        showEntries(QStringLiteral("SUPPLIER"), m_supplierTab->shown.count);
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
        if (!m_carTab->shown.loaded) {
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
        showEntries(QStringLiteral("CAR"), m_carTab->shown.count);
        m_carTab->carDescription->setFocus();
        setReseqEnabled(false);
        return;
    }

    if (tab == 5) {
        setPanelText(1, QStringLiteral("Add, Change, Or Delete A 'Supplier'"));
        showEntries(QStringLiteral("SUPPLIER"), m_supplierTab->shown.count);
        if (!isSampleCar())
            setReseqEnabled(false);
        currentTab = SupplierTab;
        if (!m_supplierTab->shown.loaded) {
            LockFields(true);
            m_supplierTab->SupplierName->setEnabled(m_supplierTab->SupplierName->count() > 0);
            SetButtons(QStringLiteral("100001"));
            m_supplierTab->SupplierName->setFocus();
        } else {
            SetButtons(QStringLiteral("110011"));
        }
        return;
    }

    if (!m_carTab->shown.loaded) {
        gui::MessageBox::notice(this, QStringLiteral("Please Select A Project Car To Work With"));
        showTab(0);
        tbproject_Click(tab);
        setPanelText(1, SelectProject);
        return;
    }

    const RecordKind& k = recordKind(tab);
    RecordEditor& e = editorOf(k);
    QComboBox* list = e.pickList();
    if (!e.shown.loaded) {
        setPanelText(1, QLatin1String(k.nothing));
        ClearFields();
        showPlaceholder(list, QLatin1String(k.placeholder));
        SetButtons(QStringLiteral("100001"));
        setReseqEnabled(false);
        if (tab == 4)
            m_activityTab->cmdAttachComponent->setEnabled(false);
    } else {
        const NodeRef node { k.kind, e.shown.key };
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
    showEntries(QLatin1String(k.table), e.shown.count);
    list->setFocus();
}

void Form1::TbDisplay_Click(int previousTab)
{
    Q_UNUSED(previousTab);
    displayTab = TbDisplay->currentIndex();
    if (m_carTab->shown.key == 0)
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
