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

#include <tuple>

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
    m_carTab->shown.count = qint32(cars.size());
}

void Form1::loadAssemblyDescription()
{
    const QList<store::Entry> rows
        = inBatch() ? records().assemblyEntries() : store().assemblies.entriesForCar(m_carTab->shown.key);
    fillPickList(m_assemblyTab->assemblyDescription, rows, QStringLiteral("<Select An Assembly>"));
    fillRelationList(m_componentTab->ComponentAssembly, rows, false);
    m_assemblyTab->shown.count = qint32(rows.size());
}

void Form1::loadComponentDescription()
{
    const QList<store::Entry> rows
        = inBatch() ? records().componentEntries() : store().components.entriesForCar(m_carTab->shown.key);
    fillPickList(m_componentTab->componentDescription, rows, QStringLiteral("<Select A Component>"));
    m_componentTab->shown.count = qint32(rows.size());
}

void Form1::loadPhaseDescription()
{
    const QList<store::Entry> rows
        = inBatch() ? records().phaseEntries() : store().phases.entriesForCar(m_carTab->shown.key);
    fillPickList(m_phaseTab->phaseDescription, rows, QStringLiteral("<Select A Phase>"));
    fillRelationList(m_activityTab->ActivityPhase, rows, false);
    m_phaseTab->shown.count = qint32(rows.size());
}

void Form1::loadActivityDescription()
{
    const QList<store::Entry> rows
        = inBatch() ? records().activityEntries() : store().activities.entriesForCar(m_carTab->shown.key);
    fillPickList(m_activityTab->ActivityDescription, rows, QStringLiteral("<Select An Activity>"));
    fillRelationList(m_componentTab->ComponentActivity, rows, true);
    m_activityTab->shown.count = qint32(rows.size());
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
    m_supplierTab->shown.count = qint32(suppliers.size());
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
} // namespace

void Form1::findCar()
{
    findShown(*m_carTab, "Car Record Not Found");
}

void Form1::FindAssembly()
{
    findShown(*m_assemblyTab, "Assembly Record Not Found");
}

void Form1::FindComponent()
{
    findShown(*m_componentTab, "Component Record Not Found");
}

void Form1::reloadComponent()
{
    findShown(*m_componentTab, nullptr);
}

void Form1::FindPhase()
{
    findShown(*m_phaseTab, "Phase Record Not Found");
}

void Form1::FindSupplier()
{
    findShown(*m_supplierTab, nullptr);
}

void Form1::FindActivity()
{
    findShown(*m_activityTab, "Activity Record Not Found");
}

void Form1::findShown(RecordEditor& editor, const char* missing)
{
    if (!editor.read(store()) && missing)
        gui::MessageBox::notice(this, QLatin1String(missing));
}

// --- Picking ----------------------------------------------------------------------------------

bool Form1::isSampleCar() const
{
    return m_carTab->shown.key == store::Store::SampleCarId;
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
        gui::setListText(m_carTab->carDescription, m_carTab->shown.description);
        return;
    }
    if (!listClickFromTree) {
        clickedListIndex = m_carTab->carDescription->currentIndex();
        if (clickedListIndex < 0)
            return;
        const qint32 key = m_carTab->carDescription->itemData(clickedListIndex).toInt();
        // The same car again (compared by key: two projects may share a name) only refreshes it.
        if (m_carTab->shown.loaded && key == m_carTab->shown.key) {
            findCar();
            PopulateCarFields();
            SetButtons(QStringLiteral("110011"));
            return;
        }
        m_carTab->shown.description = m_carTab->carDescription->itemText(clickedListIndex);
        m_carTab->shown.key = key;
        m_session.setCurrentCar(m_carTab->shown.key);
        projectDescription->setText(m_carTab->shown.description);

        planNodeKey.clear();
        materialsNodeKey.clear();
        m_assemblyTab->shown.loaded = m_componentTab->shown.loaded = m_phaseTab->shown.loaded
            = m_activityTab->shown.loaded = false;
        m_assemblyTab->shown.description.clear();
        m_componentTab->shown.description.clear();
        m_phaseTab->shown.description.clear();
        m_activityTab->shown.description.clear();
        m_assemblyTab->shown.key = m_componentTab->shown.key = m_phaseTab->shown.key = m_activityTab->shown.key = 0;
        m_assemblyTab->record.reset();
        m_componentTab->record.reset();
        m_phaseTab->record.reset();
        m_activityTab->record.reset();

        loadAssemblyDescription();
        loadComponentDescription();
        loadPhaseDescription();
        loadActivityDescription();
        carNodeKey = NodeRef { project::Kind::Car, m_carTab->shown.key };

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
    m_carTab->shown.loaded = true;

    findCar();
    PopulateCarFields();
    LockFields(true);
    SetButtons(QStringLiteral("110011"));
    if (!isSampleCar()) {
        setReseqEnabled(false);
        m_activityTab->cmdAttachComponent->setEnabled(false);
    }
    showEntries(QStringLiteral("CAR"), m_carTab->shown.count);
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

RecordEditor& Form1::tabEditor(Tab tab) const
{
    switch (tab) {
    case CarTab:
        return *m_carTab;
    case AssemblyTab:
        return *m_assemblyTab;
    case ComponentTab:
        return *m_componentTab;
    case PhaseTab:
        return *m_phaseTab;
    case ActivityTab:
        return *m_activityTab;
    case SupplierTab:
        break;
    }
    return *m_supplierTab;
}

const Form1::RecordKind& Form1::recordKind(int tab)
{
    static const RecordKind kinds[4] = {
        { 1, false, &Form1::FindAssembly, &Form1::PopulateAssemblyFields, "ASSEMBLY",
            "Add, Change, Or Delete An 'Assembly'", "Click The 'Add' Button To Create A New 'Assembly'",
            "<Select An Assembly>", "<Select An Assembly>", project::Kind::Assembly },
        { 2, false, &Form1::FindComponent, &Form1::PopulateComponentFields, "COMPONENT",
            "Add, Change, Or Delete A 'Component'", "Click The 'Add' Button To Create A New 'Component'",
            "<Select A Component>", "<Select A Component>", project::Kind::Component },
        { 3, true, &Form1::FindPhase, &Form1::PopulatePhaseFields, "PHASE", "Add, Change, Or Delete A 'Phase'",
            "Click The 'Add' Button To Create A New 'Phase'", "<Select A Phase>", "<Select A phase>",
            project::Kind::Phase },
        { 4, true, &Form1::FindActivity, &Form1::PopulateActivityFields, "ACTIVITY",
            "Add, Change, Or Delete An 'Activity'", "Click The 'Add' Button To Create A New 'Activity'",
            "<Select An Activity>", "<Select An Activity>", project::Kind::Activity },
    };
    return kinds[qBound(1, tab, 4) - 1];
}

void Form1::pickRecord(const RecordKind& k)
{
    RecordEditor& e = editorOf(k);
    QComboBox* list = e.pickList();
    if (editMode == EditMode::Adding) {
        gui::setListText(list, QString());
        return;
    }
    if (editMode == EditMode::Updating) {
        gui::setListText(list, e.shown.description);
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
    if (!viaTree && e.shown.loaded && key == e.shown.key) {
        SetButtons(QStringLiteral("110011"));
        (this->*k.find)();
        (this->*k.populate)();
        highlight(k.plan ? planNodeKey : materialsNodeKey);
        return;
    }
    e.shown.description = list->itemText(clickedListIndex);
    showTab(k.tab);
    (k.plan ? planSideTab : materialsSideTab) = k.tab;
    e.shown.loaded = true;
    e.shown.key = key;
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
    showEntries(QLatin1String(k.table), e.shown.count);
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
        gui::setListText(m_supplierTab->SupplierName, m_supplierTab->shown.description);
        return;
    }
    if (m_supplierTab->SupplierName->currentIndex() < 0)
        return;
    m_supplierTab->shown.loaded = true;
    // The entry's key, not its name, picks the row: two suppliers may share a name.
    const auto previous = std::tuple(m_supplierTab->shown.key, m_supplierTab->record, m_supplierTab->snapshot);
    m_supplierTab->shown.key = m_supplierTab->SupplierName->currentData().toInt();
    if (!m_supplierTab->read(store())) {
        // Gone meanwhile: the tab goes on showing what it showed.
        std::tie(m_supplierTab->shown.key, m_supplierTab->record, m_supplierTab->snapshot) = previous;
    } else {
        currentTab = SupplierTab;
        PopulateSupplierFields();
        LockFields(true);
        m_supplierTab->shown.description = m_supplierTab->record->Name;
        setPanelText(1, QStringLiteral("Add, Change, Or Delete A 'Supplier'"));
        SetButtons(QStringLiteral("110011"));
    }
    if (!isSampleCar())
        setReseqEnabled(false);
    showEntries(QStringLiteral("SUPPLIER"), m_supplierTab->shown.count);
}

// --- Populating -------------------------------------------------------------------------------

void Form1::PopulateCarFields()
{
    if (m_carTab->record) {
        m_carTab->show(*m_carTab->record);
        CalculateCarInfo();
    }
}

void Form1::PopulateAssemblyFields()
{
    if (m_assemblyTab->record) {
        m_assemblyTab->show(*m_assemblyTab->record);
        m_assemblyTab->shown.key = m_assemblyTab->record->assemblyid;
        CalculateAssemblyInfo();
    }
}

void Form1::PopulateComponentFields()
{
    if (m_componentTab->record) {
        attachedActivityID = m_componentTab->show(*m_componentTab->record, store());
        CalculateComponentInfo();
    }
}

void Form1::PopulatePhaseFields()
{
    if (m_phaseTab->record) {
        m_phaseTab->show(*m_phaseTab->record);
        m_phaseTab->shown.key = m_phaseTab->record->PhaseID;
        CalculatePhaseInfo();
    }
}

void Form1::PopulateActivityFields()
{
    if (m_activityTab->record) {
        m_activityTab->show(*m_activityTab->record, store());
        CalculateActivityInfo();
        listedActivityID = m_activityTab->record->ActivityID;
        loadcomponents();
    }
}

void Form1::PopulateSupplierFields()
{
    if (m_supplierTab->record)
        m_supplierTab->show(*m_supplierTab->record);
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
