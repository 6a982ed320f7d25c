// Pick lists: filling them, picking from them, and copying the picked record into the fields.

#include "mainwindow/Form1.h"

#include "mainwindow/EditorSupport.h"
#include "mainwindow/Editors.h"

#include "common/Formats.h"
#include "common/Status.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"
#include "project/ProjectSession.h"
#include "store/Store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace editor {

namespace {

const QString EntriesPrefix = QStringLiteral("Entries =  ");

} // namespace

void Form1::showEntries(const QString& kind, qint32 count)
{
    setPanelText(2, kind);
    setPanelText(3, EntriesPrefix + QString::number(count));
}

// --- Loading -----------------------------------------------------------------------------

void Form1::loadCarDescription()
{
    const QList<store::Entry> cars = store().cars.allEntries(store::Order::Description);
    fillPickList(m_carTab->carDescription, cars, QStringLiteral("<Select A Project Car>"));
    carCount = qint32(cars.size());
}

void Form1::loadAssemblyDescription()
{
    const QList<store::Entry> rows
        = inBatch() ? records().assemblyEntries() : store().assemblies.entriesForCar(currentCarID);
    fillPickList(m_assemblyTab->assemblyDescription, rows, QStringLiteral("<Select An Assembly>"));
    fillRelationList(m_componentTab->ComponentAssembly, rows, false);
    assemblyCount = qint32(rows.size());
}

void Form1::loadComponentDescription()
{
    const QList<store::Entry> rows
        = inBatch() ? records().componentEntries() : store().components.entriesForCar(currentCarID);
    fillPickList(m_componentTab->componentDescription, rows, QStringLiteral("<Select A Component>"));
    componentCount = qint32(rows.size());
}

void Form1::loadPhaseDescription()
{
    const QList<store::Entry> rows = inBatch() ? records().phaseEntries() : store().phases.entriesForCar(currentCarID);
    fillPickList(m_phaseTab->phaseDescription, rows, QStringLiteral("<Select A Phase>"));
    fillRelationList(m_activityTab->ActivityPhase, rows, false);
    phaseCount = qint32(rows.size());
}

void Form1::loadActivityDescription()
{
    const QList<store::Entry> rows
        = inBatch() ? records().activityEntries() : store().activities.entriesForCar(currentCarID);
    fillPickList(m_activityTab->ActivityDescription, rows, QStringLiteral("<Select An Activity>"));
    fillRelationList(m_componentTab->ComponentActivity, rows, true);
    activityCount = qint32(rows.size());
}

void Form1::loadsuppliercombo()
{
    // In the table's stored order. Components name their supplier by name, so the component's
    // list carries names only; the supplier pick list keeps keys so equal names stay apart.
    const QList<store::Entry> suppliers = store().suppliers.allEntries(store::Order::Key);
    fillPickList(m_supplierTab->SupplierName, suppliers, QStringLiteral("<Select A Supplier>"));
    QList<store::Entry> names;
    for (const store::Entry& e : suppliers)
        names.append(store::Entry { 0, e.text });
    fillRelationList(m_componentTab->ComponentSupplierName, names, false);
    supplierCount = qint32(suppliers.size());
}

void Form1::loadStatusCombos()
{
    // Cleared first: a restart of the window after date changes fills them again.
    for (QComboBox* list : { m_phaseTab->phaseStatus, m_activityTab->ActivityStatus, m_assemblyTab->AssemblyStatus,
             m_componentTab->ComponentStatus }) {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(common::statusTexts());
        list->setCurrentIndex(-1);
    }
}

void Form1::loadcomponents()
{
    m_activityTab->showComponents(store().componentsOfActivity(listedActivityID));
}

// --- Finding --------------------------------------------------------------------------------

namespace {
// Reads the record with what it was read from: a later save changes it only while the row holds that.
template <class Rec>
void findInto(std::optional<Rec>& row, store::Snapshot& shown, const store::Table<Rec>& table, qint32 key,
    QWidget* parent, const char* message)
{
    auto loaded = table.load(key);
    row.reset();
    shown = {};
    if (loaded) {
        row = std::move(loaded->record);
        shown = std::move(loaded->snapshot);
    } else if (message) {
        gui::MessageBox::notice(parent, QLatin1String(message));
    }
}
} // namespace

void Form1::findCar()
{
    findInto(m_car, m_shown[0], store().cars, currentCarID, this, "Car Record Not Found");
}

void Form1::FindAssembly()
{
    findInto(m_assembly, m_shown[1], store().assemblies, currentAssemblyID, this, "Assembly Record Not Found");
}

void Form1::FindComponent()
{
    findInto(m_component, m_shown[2], store().components, currentComponentID, this, "Component Record Not Found");
}

void Form1::reloadComponent()
{
    findInto(m_component, m_shown[2], store().components, currentComponentID, this, nullptr);
}

void Form1::FindPhase()
{
    findInto(m_phase, m_shown[3], store().phases, currentPhaseID, this, "Phase Record Not Found");
}

void Form1::FindSupplier()
{
    findInto(m_supplier, m_shown[5], store().suppliers, currentSupplierID, this, nullptr);
}

void Form1::FindActivity()
{
    findInto(m_activity, m_shown[4], store().activities, currentActivityID, this, "Activity Record Not Found");
}

// --- Picking ----------------------------------------------------------------------------------

bool Form1::isSampleCar() const
{
    return currentCarID == store::Store::SampleCarId;
}

void Form1::setReseqEnabled(bool enabled)
{
    LblReseq->setEnabled(enabled);
    cmdMoveUp->setEnabled(enabled);
    cmdMoveDown->setEnabled(enabled);
}

void Form1::carDescription_Click()
{
    // The lists, both trees and the totals come from one reading of the car's records.
    const FiguresBatch batch(*this);
    if (editMode == EditMode::Adding) {
        gui::setListText(m_carTab->carDescription, QString());
        return;
    }
    if (editMode == EditMode::Updating) {
        gui::setListText(m_carTab->carDescription, currentCarDescription);
        return;
    }
    if (!listClickFromTree) {
        clickedListIndex = m_carTab->carDescription->currentIndex();
        if (clickedListIndex < 0)
            return;
        const qint32 key = m_carTab->carDescription->itemData(clickedListIndex).toInt();
        // The same car again (compared by key: two projects may share a name) only refreshes it.
        if (carLoaded && key == currentCarID) {
            findCar();
            PopulateCarFields();
            SetButtons(QStringLiteral("110011"));
            return;
        }
        currentCarDescription = m_carTab->carDescription->itemText(clickedListIndex);
        currentCarID = key;
        m_session.setCurrentCar(currentCarID);
        projectDescription->setText(currentCarDescription);

        planNodeKey.clear();
        materialsNodeKey.clear();
        assemblyLoaded = componentLoaded = phaseLoaded = activityLoaded = false;
        currentAssemblyDescription.clear();
        currentComponentDescription.clear();
        currentPhaseDescription.clear();
        currentActivityDescription.clear();
        currentAssemblyID = currentComponentID = currentPhaseID = currentActivityID = 0;
        m_assembly.reset();
        m_component.reset();
        m_phase.reset();
        m_activity.reset();

        loadAssemblyDescription();
        loadComponentDescription();
        loadPhaseDescription();
        loadActivityDescription();
        carNodeKey = NodeRef { project::Kind::Car, currentCarID };

        UpdateMaterialsTree();
        UpdateProjectTree();
        setPanelText(1, QStringLiteral("Add, Change, Or Delete A 'Car'"));
    } else {
        listClickFromTree = false;
    }
    highlightMaterialsNode(carNodeKey);
    highlightPlanNode(carNodeKey);
    TbDisplay->setEnabled(true);
    showTab(0);
    carLoaded = true;

    findCar();
    PopulateCarFields();
    LockFields(true);
    SetButtons(QStringLiteral("110011"));
    if (!isSampleCar()) {
        setReseqEnabled(false);
        m_activityTab->cmdAttachComponent->setEnabled(false);
    }
    showEntries(QStringLiteral("CAR"), carCount);
}

namespace {

// Which entry a click is about: the list's own pick, or the one a tree click chose.
int takeClickedIndex(QComboBox* list, bool& fromTree, int treeIndex)
{
    if (fromTree) {
        fromTree = false;
        return treeIndex;
    }
    return list->currentIndex();
}

} // namespace

QComboBox* Form1::assemblyList() const
{
    return m_assemblyTab->assemblyDescription;
}

QComboBox* Form1::componentList() const
{
    return m_componentTab->componentDescription;
}

QComboBox* Form1::phaseList() const
{
    return m_phaseTab->phaseDescription;
}

QComboBox* Form1::activityList() const
{
    return m_activityTab->ActivityDescription;
}

const Form1::RecordKind& Form1::recordKind(int tab)
{
    static const RecordKind kinds[4] = {
        { 1, false, &Form1::assemblyList, &Form1::currentAssemblyDescription, &Form1::currentAssemblyID,
            &Form1::assemblyLoaded, &Form1::assemblyCount, &Form1::FindAssembly, &Form1::PopulateAssemblyFields,
            "ASSEMBLY", "Add, Change, Or Delete An 'Assembly'", "Click The 'Add' Button To Create A New 'Assembly'",
            "<Select An Assembly>", "<Select An Assembly>", project::Kind::Assembly },
        { 2, false, &Form1::componentList, &Form1::currentComponentDescription, &Form1::currentComponentID,
            &Form1::componentLoaded, &Form1::componentCount, &Form1::FindComponent, &Form1::PopulateComponentFields,
            "COMPONENT", "Add, Change, Or Delete A 'Component'", "Click The 'Add' Button To Create A New 'Component'",
            "<Select A Component>", "<Select A Component>", project::Kind::Component },
        { 3, true, &Form1::phaseList, &Form1::currentPhaseDescription, &Form1::currentPhaseID, &Form1::phaseLoaded,
            &Form1::phaseCount, &Form1::FindPhase, &Form1::PopulatePhaseFields, "PHASE",
            "Add, Change, Or Delete A 'Phase'", "Click The 'Add' Button To Create A New 'Phase'", "<Select A Phase>",
            "<Select A phase>", project::Kind::Phase },
        { 4, true, &Form1::activityList, &Form1::currentActivityDescription, &Form1::currentActivityID,
            &Form1::activityLoaded, &Form1::activityCount, &Form1::FindActivity, &Form1::PopulateActivityFields,
            "ACTIVITY", "Add, Change, Or Delete An 'Activity'", "Click The 'Add' Button To Create A New 'Activity'",
            "<Select An Activity>", "<Select An Activity>", project::Kind::Activity },
    };
    return kinds[qBound(1, tab, 4) - 1];
}

void Form1::pickRecord(const RecordKind& k)
{
    QComboBox* list = (this->*k.list)();
    if (editMode == EditMode::Adding) {
        gui::setListText(list, QString());
        return;
    }
    if (editMode == EditMode::Updating) {
        gui::setListText(list, this->*k.description);
        return;
    }
    const bool viaTree = listClickFromTree;
    clickedListIndex = takeClickedIndex(list, listClickFromTree, clickedListIndex);
    if (clickedListIndex < 0 || clickedListIndex >= list->count())
        return;
    const qint32 key = list->itemData(clickedListIndex).toInt();
    const auto highlight = [this, &k](const NodeRef& node) {
        if (k.plan)
            highlightPlanNode(node);
        else
            highlightMaterialsNode(node);
    };
    // The record already shown (compared by key: names may repeat) is only shown afresh.
    if (!viaTree && this->*k.loaded && key == this->*k.key) {
        SetButtons(QStringLiteral("110011"));
        (this->*k.find)();
        (this->*k.populate)();
        highlight(k.plan ? planNodeKey : materialsNodeKey);
        return;
    }
    this->*k.description = list->itemText(clickedListIndex);
    showTab(k.tab);
    (k.plan ? planSideTab : materialsSideTab) = k.tab;
    this->*k.loaded = true;
    this->*k.key = key;
    (this->*k.find)();
    (this->*k.populate)();
    currentTab = Tab(k.tab + 1);
    LockFields(true);
    SetButtons(QStringLiteral("110011"));
    if (!isSampleCar()) {
        setReseqEnabled(k.plan);
        if (k.tab == 4)
            m_activityTab->cmdAttachComponent->setEnabled(true);
    }
    if (k.tab == 4)
        m_activityTab->ActivityDescription->setFocus();
    setPanelText(1, QLatin1String(k.picked));
    showEntries(QLatin1String(k.table), this->*k.count);
    if (TbDisplay->currentIndex() != (k.plan ? 1 : 0))
        showTree(k.plan ? 1 : 0);
    if (k.tab == 3) {
        movePhaseID = key;
        moveKind = project::Kind::Phase;
    } else if (k.tab == 4) {
        moveActivityID = key;
        moveKind = project::Kind::Activity;
    }
    highlight(NodeRef { k.kind, key });
}

void Form1::assemblyDescription_Click()
{
    pickRecord(recordKind(1));
}

void Form1::componentDescription_Click()
{
    pickRecord(recordKind(2));
}

void Form1::phaseDescription_Click()
{
    pickRecord(recordKind(3));
}

void Form1::ActivityDescription_Click()
{
    pickRecord(recordKind(4));
}

void Form1::SupplierName_Click()
{
    if (editMode == EditMode::Adding) {
        gui::setListText(m_supplierTab->SupplierName, QString());
        return;
    }
    if (editMode == EditMode::Updating) {
        gui::setListText(m_supplierTab->SupplierName, currentSupplierName);
        return;
    }
    if (m_supplierTab->SupplierName->currentIndex() < 0)
        return;
    supplierLoaded = true;
    // The entry's key, not its name, picks the row: two suppliers may share a name.
    std::optional<store::Supplier> found;
    findInto(found, m_shown[5], store().suppliers, m_supplierTab->SupplierName->currentData().toInt(), this, nullptr);
    if (found) {
        m_supplier = found;
        currentTab = SupplierTab;
        PopulateSupplierFields();
        LockFields(true);
        currentSupplierID = found->supplierid;
        currentSupplierName = found->Name;
        setPanelText(1, QStringLiteral("Add, Change, Or Delete A 'Supplier'"));
        SetButtons(QStringLiteral("110011"));
    }
    if (!isSampleCar())
        setReseqEnabled(false);
    showEntries(QStringLiteral("SUPPLIER"), supplierCount);
}

// --- Populating -------------------------------------------------------------------------------

void Form1::PopulateCarFields()
{
    if (m_car) {
        m_carTab->show(*m_car);
        CalculateCarInfo();
    }
}

void Form1::PopulateAssemblyFields()
{
    if (m_assembly) {
        m_assemblyTab->show(*m_assembly);
        currentAssemblyID = m_assembly->assemblyid;
        CalculateAssemblyInfo();
    }
}

void Form1::PopulateComponentFields()
{
    if (m_component) {
        attachedActivityID = m_componentTab->show(*m_component, store());
        CalculateComponentInfo();
    }
}

void Form1::PopulatePhaseFields()
{
    if (m_phase) {
        m_phaseTab->show(*m_phase);
        currentPhaseID = m_phase->PhaseID;
        CalculatePhaseInfo();
    }
}

void Form1::PopulateActivityFields()
{
    if (m_activity) {
        m_activityTab->show(*m_activity, store());
        CalculateActivityInfo();
        listedActivityID = m_activity->ActivityID;
        loadcomponents();
    }
}

void Form1::PopulateSupplierFields()
{
    if (m_supplier)
        m_supplierTab->show(*m_supplier);
}

// --- Locking tabs while editing ------------------------------------------------------------------

void Form1::UpdateForm(int tmpindex)
{
    for (int i = 0; i < tbproject->count(); ++i) {
        if (i != tmpindex)
            tbproject->setTabEnabled(i, tmpindex == 99);
    }
    if (tmpindex >= 0 && tmpindex < tbproject->count())
        tbproject->setTabEnabled(tmpindex, true);
    const bool menus = tmpindex == 99;
    for (QMenu* m : { mnuFile, mnuPreferences, mnuReports })
        m->menuAction()->setEnabled(menus);
    mnuTimeLine->setEnabled(menus);
}

} // namespace editor
