// The edit command cycle: Add, Update, Cancel, Save, Delete and Quit for the showing tab, and
// switching between record tabs and trees.

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

} // namespace

void Form1::cmdButton_Click(int index)
{
    ProcessCMD(index);
}

void Form1::showStoreError(const QString& what, const std::exception& error)
{
    QString detail = QString::fromUtf8(error.what());
    if (const auto* e = dynamic_cast<const store::StoreError*>(&error))
        detail = e->explanation();
    gui::MessageBox::show(this, gui::AppTitle,
        QStringLiteral("The database could not complete %1:\n\n%2").arg(what, detail), gui::Icon::Warning,
        gui::Buttons::Ok, gui::Answer::Ok);
}

void Form1::ProcessCMD(int index)
{
    currentTab = Tab(tbproject->currentIndex() + 1);
    if (sampleCarGuard(index) || readOnlyGuard(index))
        return;
    // A failure of the store is shown; the command leaves the window where it was.
    try {
        switch (index) {
        case 0:
            addCommand();
            break;
        case 1:
            updateCommand();
            break;
        case 2:
            cancelCommand();
            break;
        case 3:
            saveCommand();
            break;
        case 4:
            deleteCommand();
            break;
        case 5:
            quitroutine();
            break;
        default:
            break;
        }
    } catch (const store::StoreError& e) {
        showStoreError(QStringLiteral("the command"), e);
    } catch (const std::overflow_error& e) {
        showStoreError(QStringLiteral("the command"), e);
    }
}

bool Form1::sampleCarGuard(int index)
{
    if (!isSampleCar())
        return false;
    const bool refusedAdd = index == 0 && currentTab != CarTab;
    if (refusedAdd || index == 1) {
        gui::MessageBox::notice(this, QStringLiteral("The Gear-Log Demo Project Cannot Be Changed"));
    } else if (index == 4) {
        gui::MessageBox::notice(this, QStringLiteral("The Gear-Log Demo Project Cannot Be Deleted"));
    } else {
        return false;
    }
    SetButtons(QStringLiteral("110011"));
    return true;
}

bool Form1::refuseChange()
{
    if (!m_session.isReadOnly())
        return false;
    gui::MessageBox::information(this, ReadOnlyText);
    return true;
}

bool Form1::readOnlyGuard(int index)
{
    if ((index != 0 && index != 1 && index != 4) || !refuseChange())
        return false;
    SetButtons(currentTab == SupplierTab
            ? (m_supplierTab->shown.loaded ? QStringLiteral("110011") : QStringLiteral("100001"))
            : QStringLiteral("110011"));
    return true;
}

namespace {
void setMenusEnabled(std::initializer_list<QMenu*> menus, QAction* timeLine, bool enabled)
{
    for (QMenu* m : menus)
        m->menuAction()->setEnabled(enabled);
    timeLine->setEnabled(enabled);
}
} // namespace

void Form1::addCommand()
{
    setMenusEnabled({ mnuFile, mnuPreferences, mnuReports }, mnuTimeLine, false);
    TbDisplay->setEnabled(false);
    editMode = EditMode::Adding;
    isUpdate = false;
    savedStatusText = panelText(1);
    savedTableText = panelText(2);
    if (!isSampleCar()) {
        setReseqEnabled(false);
        m_activityTab->cmdAttachComponent->setEnabled(false);
    }
    auto open = [this](int page) {
        UpdateForm(page);
        ClearFields();
        LockFields(false);
        SetButtons(QStringLiteral("001100"));
    };
    switch (currentTab) {
    case CarTab:
        setPanelText(1, QStringLiteral("Adding New Car..."));
        open(0);
        m_carTab->cmdViewCarImage->setEnabled(false);
        m_carTab->cmdAttachCarImage->setEnabled(false);
        m_carTab->CarDisplayDescription->setFocus();
        break;
    case AssemblyTab:
        m_assemblyTab->shown.description = gui::listText(m_assemblyTab->assemblyDescription);
        setPanelText(1, QStringLiteral("Adding New Assembly..."));
        open(1);
        m_assemblyTab->cmdAttachAssemblyImage->setEnabled(false);
        m_assemblyTab->cmdViewAssemblyImage->setEnabled(false);
        m_assemblyTab->AssemblyStatus->setCurrentIndex(0);
        m_assemblyTab->AssemblyDisplayDescription->setFocus();
        break;
    case ComponentTab: {
        m_componentTab->shown.description = gui::listText(m_componentTab->componentDescription);
        setPanelText(1, QStringLiteral("Adding New Component..."));
        const QString shownAssembly = m_componentTab->ComponentDisplayAssembly->text();
        const int shownAssemblyIndex = m_componentTab->ComponentAssembly->currentIndex();
        open(2);
        m_componentTab->cmdAttachComponentImage->setEnabled(false);
        m_componentTab->cmdViewComponentImage->setEnabled(false);
        m_componentTab->ComponentStatus->setCurrentIndex(0);
        m_componentTab->ComponentDisplayDescription->setFocus();
        // The new component goes into the assembly of the component that was showing, or the picked assembly.
        if (m_componentTab->shown.loaded) {
            m_componentTab->ComponentAssembly->setCurrentIndex(shownAssemblyIndex);
            gui::setListText(m_componentTab->ComponentAssembly, shownAssembly);
        } else if (m_assemblyTab->shown.loaded) {
            m_componentTab->ComponentAssembly->setCurrentIndex(
                m_componentTab->ComponentAssembly->findData(m_assemblyTab->shown.key));
            gui::setListText(m_componentTab->ComponentAssembly, m_assemblyTab->AssemblyDisplayDescription->text());
        }
        break;
    }
    case PhaseTab:
        m_phaseTab->shown.description = gui::listText(m_phaseTab->phaseDescription);
        setPanelText(1, QStringLiteral("Adding New Phase..."));
        open(3);
        m_phaseTab->PhaseDisplayDescription->setFocus();
        m_phaseTab->phaseStatus->setCurrentIndex(0);
        break;
    case ActivityTab: {
        m_activityTab->shown.description = gui::listText(m_activityTab->ActivityDescription);
        setPanelText(1, QStringLiteral("Adding New Activity..."));
        const QString shownPhase = gui::listText(m_activityTab->ActivityPhase);
        const int shownPhaseIndex = m_activityTab->ActivityPhase->currentIndex();
        open(4);
        m_activityTab->ActivityDisplayDescription->setFocus();
        m_activityTab->ActivityStatus->setCurrentIndex(0);
        if (m_activityTab->shown.loaded) {
            m_activityTab->ActivityPhase->setCurrentIndex(shownPhaseIndex);
            gui::setListText(m_activityTab->ActivityPhase, shownPhase);
        } else if (m_phaseTab->shown.loaded) {
            m_activityTab->ActivityPhase->setCurrentIndex(
                m_activityTab->ActivityPhase->findData(m_phaseTab->shown.key));
            gui::setListText(m_activityTab->ActivityPhase, m_phaseTab->PhaseDisplayDescription->text());
        }
        break;
    }
    case SupplierTab:
        setPanelText(1, QStringLiteral("Add New Supplier..."));
        open(5);
        m_supplierTab->SupplierDisplayName->setFocus();
        currentTab = SupplierTab;
        break;
    default:
        break;
    }
}

void Form1::updateCommand()
{
    setMenusEnabled({ mnuFile, mnuPreferences, mnuReports }, mnuTimeLine, false);
    isUpdate = true;
    editMode = EditMode::Updating;
    TbDisplay->setEnabled(false);
    savedStatusText = panelText(1);
    savedTableText = panelText(2);
    if (!isSampleCar())
        setReseqEnabled(false);
    auto open = [this](int page, const QString& status) {
        setPanelText(1, status);
        tbproject->setEnabled(true);
        showTab(page);
        LockFields(false);
        SetButtons(QStringLiteral("001100"));
    };
    switch (currentTab) {
    case CarTab:
        open(0, QStringLiteral("Updating Car..."));
        m_carTab->cmdAttachCarImage->setEnabled(false);
        m_carTab->cmdViewCarImage->setEnabled(false);
        m_carTab->CarDisplayDescription->setFocus();
        UpdateForm(0);
        break;
    case AssemblyTab:
        m_assemblyTab->shown.description = gui::listText(m_assemblyTab->assemblyDescription);
        open(1, QStringLiteral("Updating Assembly..."));
        m_assemblyTab->cmdAttachAssemblyImage->setEnabled(false);
        m_assemblyTab->cmdViewAssemblyImage->setEnabled(false);
        m_assemblyTab->AssemblyDisplayDescription->setFocus();
        UpdateForm(1);
        break;
    case ComponentTab:
        open(2, QStringLiteral("Updating Component..."));
        m_componentTab->cmdAttachComponentImage->setEnabled(false);
        m_componentTab->cmdViewComponentImage->setEnabled(false);
        m_componentTab->ComponentDisplayDescription->setFocus();
        UpdateForm(2);
        break;
    case PhaseTab:
        open(3, QStringLiteral("Updating Phase..."));
        m_phaseTab->PhaseDisplayDescription->setFocus();
        UpdateForm(3);
        break;
    case ActivityTab:
        open(4, QStringLiteral("Updating Activity..."));
        m_activityTab->ActivityDisplayDescription->setFocus();
        if (!isSampleCar())
            m_activityTab->cmdAttachComponent->setEnabled(false);
        UpdateForm(4);
        break;
    case SupplierTab:
        savedTableText = panelText(1);
        setPanelText(1, QStringLiteral("Updating Supplier..."));
        LockFields(false);
        SetButtons(QStringLiteral("001100"));
        m_supplierTab->SupplierDisplayName->setFocus();
        editedSupplierName = gui::listText(m_supplierTab->SupplierName);
        UpdateForm(5);
        break;
    default:
        break;
    }
}

void Form1::reselect(QComboBox* list, qint32 key)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemData(i).toInt() == key) {
            listClickFromTree = false;
            TbDisplay->setEnabled(true);
            {
                const QSignalBlocker block(list);
                list->setCurrentIndex(i);
            }
            clickedListIndex = i;
            if (list == m_carTab->carDescription)
                carDescription_Click();
            else if (list == m_assemblyTab->assemblyDescription)
                assemblyDescription_Click();
            else if (list == m_componentTab->componentDescription)
                componentDescription_Click();
            else if (list == m_phaseTab->phaseDescription)
                phaseDescription_Click();
            else if (list == m_activityTab->ActivityDescription)
                ActivityDescription_Click();
            return;
        }
    }
}

void Form1::saveCommand()
{
    if (!validateCurrentTab())
        return;
    switch (currentTab) {
    case ComponentTab:
        setCostsChanged();
        break;
    case PhaseTab:
        if (!isSampleCar())
            setReseqEnabled(true);
        break;
    case ActivityTab:
        if (!isSampleCar())
            setReseqEnabled(true);
        setDatesChanged();
        break;
    default:
        break;
    }

    // A failed write leaves the edit open with everything typed.
    try {
        if (const auto outcome = SaveRecord(); outcome != project::ProjectSession::SaveOutcome::Saved) {
            refuseStaleSave(outcome);
            return;
        }
    } catch (const store::StoreError& e) {
        showStoreError(QStringLiteral("the save"), e);
        return;
    } catch (const std::overflow_error& e) {
        showStoreError(QStringLiteral("the save"), e);
        return;
    }

    // Everything below only reads: the totals need the car's rows read once.
    const FiguresBatch batch(*this);
    UpdateForm(99);
    setPanelText(2, QString());
    LockFields(true);
    editMode = EditMode::Browsing;
    setMenusEnabled({ mnuFile, mnuPreferences, mnuReports }, mnuTimeLine, true);

    switch (currentTab) {
    case CarTab:
        // Picked afresh, as a new pick: a changed name moves the car in the list.
        m_carTab->shown.description.clear();
        m_carTab->shown.loaded = false;
        loadCarDescription();
        reselect(m_carTab->carDescription, m_carTab->shown.key);
        m_carTab->carDescription->setFocus();
        showEntries(QStringLiteral("CAR"), m_carTab->shown.count);
        break;
    case AssemblyTab:
        UpdateMaterialsTree();
        loadAssemblyDescription();
        m_assemblyTab->shown.loaded = false;
        reselect(m_assemblyTab->assemblyDescription, m_assemblyTab->shown.key);
        m_assemblyTab->assemblyDescription->setFocus();
        showEntries(QStringLiteral("ASSEMBLY"), m_assemblyTab->shown.count);
        break;
    case ComponentTab:
        UpdateMaterialsTree();
        loadComponentDescription();
        m_componentTab->shown.loaded = false;
        reselect(m_componentTab->componentDescription, m_componentTab->shown.key);
        if (m_activityTab->shown.loaded) {
            FindActivity();
            PopulateActivityFields();
        }
        m_componentTab->componentDescription->setFocus();
        showEntries(QStringLiteral("COMPONENT"), m_componentTab->shown.count);
        RecalcCosts();
        break;
    case PhaseTab:
        UpdateProjectTree();
        loadPhaseDescription();
        m_phaseTab->shown.loaded = false;
        reselect(m_phaseTab->phaseDescription, m_phaseTab->shown.key);
        moveKind = project::Kind::Phase;
        m_phaseTab->phaseDescription->setFocus();
        showEntries(QStringLiteral("PHASE"), m_phaseTab->shown.count);
        break;
    case ActivityTab:
        UpdateProjectTree();
        loadActivityDescription();
        m_activityTab->shown.loaded = false;
        reselect(m_activityTab->ActivityDescription, m_activityTab->shown.key);
        if (!isSampleCar())
            m_activityTab->cmdAttachComponent->setEnabled(true);
        moveKind = project::Kind::Activity;
        m_activityTab->ActivityDescription->setFocus();
        showEntries(QStringLiteral("ACTIVITY"), m_activityTab->shown.count);
        RecalcDates();
        break;
    case SupplierTab: {
        setPanelText(
            1, savedTableText.isEmpty() ? QStringLiteral("Add, Change, Or Delete A 'Supplier'") : savedTableText);
        SetButtons(QStringLiteral("110011"));
        m_supplierTab->SupplierName->setEnabled(true);
        editedSupplierName = m_supplierTab->SupplierDisplayName->text();
        loadsuppliercombo();
        // Shown again by its key: names need not be unique.
        FindSupplier();
        if (!m_supplierTab->record) {
            gui::MessageBox::notice(this, QStringLiteral("Supplier Record Not Found"));
        } else {
            PopulateSupplierFields();
            m_supplierTab->shown.description = m_supplierTab->record->Name;
        }
        LockFields(true);
        if (m_carTab->shown.loaded)
            TbDisplay->setEnabled(true);
        m_supplierTab->shown.loaded = m_supplierTab->record.has_value();
        m_supplierTab->SupplierName->setFocus();
        showEntries(QStringLiteral("SUPPLIER"), m_supplierTab->shown.count);
        break;
    }
    default:
        break;
    }
}

void Form1::cancelCommand()
{
    setPanelText(2, QString());
    UpdateForm(99);
    editMode = EditMode::Browsing;
    setMenusEnabled({ mnuFile, mnuReports, mnuPreferences }, mnuTimeLine, true);
    LockFields(true);
    switch (currentTab) {
    case CarTab:
        m_carTab->cmdAttachCarImage->setEnabled(true);
        m_carTab->cmdViewCarImage->setEnabled(true);
        setPanelText(1, SelectProject);
        if (m_carTab->shown.loaded) {
            TbDisplay->setEnabled(true);
            findCar();
            PopulateCarFields();
            UpdateMaterialsTree();
            UpdateProjectTree();
            SetButtons(QStringLiteral("110011"));
            showEntries(QStringLiteral("CAR"), m_carTab->shown.count);
        } else {
            TbDisplay->setEnabled(false);
            ClearFields();
            m_carTab->cmdAttachCarImage->setEnabled(false);
            m_carTab->cmdViewCarImage->setEnabled(false);
            gui::setListText(m_carTab->carDescription, QStringLiteral("<Select A Project Car>"));
            SetButtons(QStringLiteral("100001"));
        }
        m_carTab->carDescription->setFocus();
        break;
    case AssemblyTab:
    case ComponentTab:
    case PhaseTab:
    case ActivityTab:
        cancelRecord(recordKind(currentTab - 1));
        break;
    case SupplierTab:
        setPanelText(1, savedTableText);
        m_supplierTab->SupplierName->setEnabled(m_supplierTab->SupplierName->count() > 0);
        if (m_supplierTab->shown.loaded) {
            FindSupplier();
            PopulateSupplierFields();
            SetButtons(QStringLiteral("110011"));
        } else {
            ClearFields();
            gui::setListText(m_supplierTab->SupplierName,
                m_supplierTab->SupplierName->count() > 0 ? QStringLiteral("<Select A Supplier>")
                                                         : QStringLiteral("<No Entries>"));
            SetButtons(QStringLiteral("100001"));
        }
        m_supplierTab->SupplierName->setFocus();
        if (m_carTab->shown.loaded)
            TbDisplay->setEnabled(true);
        break;
    default:
        break;
    }
}

} // namespace editor
