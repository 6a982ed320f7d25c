// The edit command cycle: Add, Update, Cancel, Save, Delete and Quit for the showing tab. What
// differs between record kinds is asked of the tab's editor.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"
#include "mainwindow/RecordTabs.h"
#include "mainwindow/TreePanel.h"
#include "mainwindow/WindowMenus.h"

#include "common/Clock.h"
#include "common/Parse.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/StoreErrors.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <stdexcept>

namespace editor {

namespace {

using Outcome = project::ProjectSession::SaveOutcome;

const QString SelectProject = QStringLiteral("Select A Project From The 'Car' Tab");

// Nothing chosen: the list asks for a choice, or says it has nothing to choose from.
void showPlaceholder(QComboBox* list, const QString& placeholder)
{
    gui::setListText(list, list->count() > 0 ? placeholder : QStringLiteral("<No Entries>"));
}

} // namespace

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
        gui::showCommandError(this, QStringLiteral("the command"), e);
    } catch (const std::overflow_error& e) {
        gui::showCommandError(this, QStringLiteral("the command"), e);
    }
}

void Form1::CreateNewCar()
{
    showTab(0);
    ProcessCMD(0);
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
    gui::MessageBox::information(
        this, QStringLiteral("This database file is read-only: GearLog can show it but cannot change it."));
    return true;
}

bool Form1::readOnlyGuard(int index)
{
    if ((index != 0 && index != 1 && index != 4) || !refuseChange())
        return false;
    const bool noSupplier = currentTab == SupplierTab && !m_supplierTab->shown.loaded;
    SetButtons(noSupplier ? QStringLiteral("100001") : QStringLiteral("110011"));
    return true;
}

void Form1::addCommand()
{
    m_menus->setCommandsEnabled(false);
    TbDisplay->setEnabled(false);
    editMode = EditMode::Adding;
    isUpdate = false;
    savedTableText = panelText(2);
    if (!isSampleCar()) {
        setReseqEnabled(false);
        m_activityTab->cmdAttachComponent->setEnabled(false);
    }
    RecordEditor& e = current();
    if (currentTab != CarTab && currentTab != SupplierTab)
        e.shown.description = gui::listText(e.pickList());
    setPanelText(1, e.texts().adding);
    // Taken before the fields are cleared: the relation the new record starts with.
    const auto relation = e.keepForNew();
    UpdateForm(e.page());
    ClearFields();
    LockFields(false);
    SetButtons(QStringLiteral("001100"));
    e.openForAdd();
    if (relation)
        relation();
}

void Form1::updateCommand()
{
    m_menus->setCommandsEnabled(false);
    isUpdate = true;
    editMode = EditMode::Updating;
    TbDisplay->setEnabled(false);
    savedTableText = panelText(2);
    if (!isSampleCar())
        setReseqEnabled(false);
    RecordEditor& e = current();
    if (currentTab == SupplierTab) {
        savedTableText = panelText(1);
    } else {
        if (currentTab != CarTab)
            e.shown.description = gui::listText(e.pickList());
        tbproject->setEnabled(true);
        showTab(e.page());
    }
    setPanelText(1, e.texts().updating);
    LockFields(false);
    SetButtons(QStringLiteral("001100"));
    e.openForUpdate();
    if (currentTab == ActivityTab)
        setAttachEnabled(false);
    UpdateForm(e.page());
}

void Form1::saveCommand()
{
    RecordEditor& e = current();
    if (!e.validate(this, m_carTab->shown.key))
        return;
    if (currentTab == ComponentTab)
        setCostsChanged();
    if (e.inPlan() && !isSampleCar())
        setReseqEnabled(true);
    if (currentTab == ActivityTab)
        setDatesChanged();

    // A failed write leaves the edit open with everything typed.
    try {
        if (const auto outcome = SaveRecord(); outcome != Outcome::Saved) {
            m_tabs->refresh(); // another program wrote to the car
            refuseStaleSave(outcome);
            return;
        }
    } catch (const store::StoreError& error) {
        gui::showCommandError(this, QStringLiteral("the save"), error);
        return;
    } catch (const std::overflow_error& error) {
        gui::showCommandError(this, QStringLiteral("the save"), error);
        return;
    }

    // Everything below only reads: the totals need the car's rows read once.
    UpdateForm(99);
    setPanelText(2, QString());
    LockFields(true);
    editMode = EditMode::Browsing;
    if (currentTab == SupplierTab) {
        afterSupplierSave();
        return;
    }
    // Picked afresh, as a new pick: a changed name moves the record in its list.
    if (currentTab == CarTab)
        e.shown.description.clear();
    else
        m_panel->rebuild(e.inPlan());
    m_tabs->fill(e);
    e.shown.loaded = false;
    reselect(e, e.shown.key);
    if (currentTab == ComponentTab && m_activityTab->shown.loaded) {
        findShown(*m_activityTab);
        m_tabs->populate(*m_activityTab);
    }
    if (currentTab == ActivityTab)
        setAttachEnabled(true);
    if (e.inPlan())
        m_panel->chooseToMove(e.kind(), 0);
    e.pickList()->setFocus();
    showEntries(e);
    if (currentTab == ComponentTab)
        RecalcCosts();
    else if (currentTab == ActivityTab)
        RecalcDates();
}

void Form1::afterSupplierSave()
{
    setPanelText(1, savedTableText.isEmpty() ? m_supplierTab->texts().picked : savedTableText);
    SetButtons(QStringLiteral("110011"));
    m_supplierTab->SupplierName->setEnabled(true);
    m_tabs->fill(*m_supplierTab);
    // Shown again by its key: names need not be unique.
    findShown(*m_supplierTab, true);
    if (!m_supplierTab->record) {
        gui::MessageBox::notice(this, QStringLiteral("Supplier Record Not Found"));
    } else {
        m_tabs->populate(*m_supplierTab);
        m_supplierTab->shown.description = m_supplierTab->record->Name;
    }
    LockFields(true);
    if (m_carTab->shown.loaded)
        TbDisplay->setEnabled(true);
    m_supplierTab->shown.loaded = m_supplierTab->record.has_value();
    m_supplierTab->SupplierName->setFocus();
    showEntries(*m_supplierTab);
}

void Form1::cancelCommand()
{
    setPanelText(2, QString());
    UpdateForm(99);
    editMode = EditMode::Browsing;
    LockFields(true);
    switch (currentTab) {
    case CarTab:
        m_carTab->enablePictures(true);
        setPanelText(1, SelectProject);
        if (m_carTab->shown.loaded) {
            TbDisplay->setEnabled(true);
            findShown(*m_carTab);
            m_tabs->populate(*m_carTab);
            m_panel->rebuild(false);
            m_panel->rebuild(true);
            SetButtons(QStringLiteral("110011"));
            showEntries(*m_carTab);
        } else {
            TbDisplay->setEnabled(false);
            ClearFields();
            m_carTab->enablePictures(false);
            gui::setListText(m_carTab->carDescription, m_carTab->texts().placeholder);
            SetButtons(QStringLiteral("100001"));
        }
        m_carTab->carDescription->setFocus();
        break;
    case SupplierTab:
        setPanelText(1, savedTableText);
        m_supplierTab->SupplierName->setEnabled(m_supplierTab->SupplierName->count() > 0);
        if (m_supplierTab->shown.loaded) {
            findShown(*m_supplierTab, true);
            m_tabs->populate(*m_supplierTab);
            SetButtons(QStringLiteral("110011"));
        } else {
            ClearFields();
            showPlaceholder(m_supplierTab->SupplierName, m_supplierTab->texts().placeholder);
            SetButtons(QStringLiteral("100001"));
        }
        m_supplierTab->SupplierName->setFocus();
        if (m_carTab->shown.loaded)
            TbDisplay->setEnabled(true);
        break;
    default:
        cancelRecord(current());
        break;
    }
}

void Form1::cancelRecord(RecordEditor& e)
{
    const bool activity = e.kind() == project::Kind::Activity;
    if (e.inPlan() && !isSampleCar()) {
        setReseqEnabled(true);
        if (activity)
            m_activityTab->cmdAttachComponent->setEnabled(false);
    }
    TbDisplay->setEnabled(true);
    setPanelText(1, e.texts().picked);
    if (e.shown.loaded) {
        findShown(e);
        m_tabs->populate(e);
        SetButtons(QStringLiteral("110011"));
    } else {
        ClearFields();
        showPlaceholder(e.pickList(), e.texts().cancelPlaceholder);
        SetButtons(QStringLiteral("100001"));
    }
    // Attaching needs an activity to attach to.
    if (activity)
        setAttachEnabled(m_activityTab->shown.loaded);
    e.pickList()->setFocus();
}

void Form1::deleteCommand()
{
    try {
        if (!DeleteRecord()) {
            SetButtons(QStringLiteral("110011"));
            return;
        }
    } catch (const store::StoreError& error) {
        gui::showCommandError(this, QStringLiteral("the delete"), error);
        SetButtons(QStringLiteral("110011"));
        return;
    }
    SetButtons(QStringLiteral("100001"));
    ClearFields();
    RecordEditor& e = current();
    if (currentTab == CarTab) {
        TbDisplay->setEnabled(false);
        m_carTab->enablePictures(false);
        m_carTab->shown.description.clear();
        m_carTab->forget();
        m_session.setCurrentCar(0);
        projectDescription->clear();
        m_tabs->fill(e);
        m_panel->clear();
    } else if (currentTab == SupplierTab) {
        m_tabs->fill(e);
        e.forget();
        e.shown.description.clear();
    } else {
        if (currentTab == ActivityTab)
            setAttachEnabled(false);
        m_tabs->fill(e);
        RecordEditor* child = m_tabs->dependent(e);
        if (child)
            m_tabs->fill(*child);
        e.forget();
        if (child)
            child->forget();
        if (currentTab != ActivityTab)
            (e.inPlan() ? planSideTab : materialsSideTab) = 0;
        m_panel->rebuild(e.inPlan());
        if (currentTab == ActivityTab) {
            m_tabs->showTotals({ m_phaseTab, m_carTab });
        }
        if (e.inPlan() && !isSampleCar())
            setReseqEnabled(false);
    }
    e.pickList()->setFocus();
    showEntries(e);
    if (currentTab == ComponentTab)
        RecalcCosts();
    else if (currentTab == ActivityTab)
        RecalcDates();
}

Outcome Form1::SaveRecord()
{
    const qint32 attachedBefore
        = isUpdate && m_componentTab->record ? m_componentTab->record->ActivityID.value_or(0) : 0;
    const Outcome outcome = current().save(m_session, isUpdate, m_carTab->shown.key, common::Clock::now());
    if (outcome == Outcome::Saved && currentTab == ComponentTab) {
        // The activity tab lists its components: refill it when this one joined or left it.
        const qint32 activity = m_activityTab->shown.key;
        const qint32 attachedAfter = m_componentTab->record->ActivityID.value_or(0);
        if (attachedBefore != attachedAfter && activity != 0
            && (activity == attachedBefore || activity == attachedAfter))
            m_tabs->listComponents();
    }
    return outcome;
}

bool Form1::DeleteRecord()
{
    const RecordEditor& e = current();
    const QString remembered = panelText(1);
    setPanelText(1, e.texts().deleting);
    if (gui::MessageBox::question(this, e.texts().question, gui::AppTitle) != gui::Answer::Yes) {
        setPanelText(1, remembered);
        return false;
    }
    try {
        m_session.remove(e.kind(), e.shown.key);
        if (currentTab == ComponentTab)
            m_tabs->listComponents();
    } catch (...) {
        setPanelText(1, remembered);
        throw;
    }
    // The component tab must not go on showing an activity that is gone.
    if (e.inPlan() && m_componentTab->shown.loaded) {
        findShown(*m_componentTab, true);
        m_tabs->populate(*m_componentTab);
    }
    m_panel->forgetMarks();
    setPanelText(1, e.texts().closing);
    return true;
}

void Form1::refuseStaleSave(Outcome outcome)
{
    gui::MessageBox::information(this, project::ProjectSession::refusalText(outcome));
    if (outcome == Outcome::DeletedElsewhere) {
        // Gone from the lists and the trees as well; what it owned went with it.
        RecordEditor& e = current();
        e.shown.loaded = false;
        if (currentTab == CarTab) {
            for (RecordEditor* r :
                std::initializer_list<RecordEditor*> { m_assemblyTab, m_componentTab, m_phaseTab, m_activityTab })
                r->shown.loaded = false;
            e.shown.key = 0;
            m_session.setCurrentCar(0);
            projectDescription->clear();
            m_tabs->fill(e);
            m_panel->clear();
        } else if (currentTab == SupplierTab) {
            e.shown.key = 0;
            e.shown.description.clear();
            m_tabs->fill(e);
        } else {
            RecordEditor* child = m_tabs->dependent(e);
            if (child)
                child->shown.loaded = false;
            m_tabs->fill(e);
            if (child)
                m_tabs->fill(*child);
            m_panel->rebuild(e.inPlan());
        }
    }
    // As after Cancel: the record shown afresh from the file, or the tab emptied.
    cancelCommand();
}

void Form1::setCostsChanged()
{
    // A stored Null never equals what was typed.
    costsChanged = true;
    const auto& r = m_componentTab->record;
    if (!isUpdate || !r)
        return;
    const auto same = [](const std::optional<common::Money>& stored, const QLineEdit* box) {
        const auto typed = common::Money::parse(box->text());
        return stored && typed && *stored == *typed;
    };
    const auto quantity = common::Money::parse(m_componentTab->ComponentQuantity->text());
    const bool sameQuantity = r->quantity && quantity && common::Money::fromWholeDollars(*r->quantity) == *quantity;
    costsChanged = !(same(r->targetcost, m_componentTab->ComponentTargetCost)
        && same(r->actualcost, m_componentTab->ComponentActualCost) && sameQuantity);
}

void Form1::setDatesChanged()
{
    datesChanged = true;
    if (!isUpdate || !m_activityTab->record)
        return;
    const store::Activity& a = *m_activityTab->record;
    const auto sameDate = [](const QDate& stored, const QLineEdit* box) {
        return stored.isValid() ? common::parseDate(box->text()) == stored : box->text().isEmpty();
    };
    const auto sameEffort = [](const std::optional<double>& stored, const QLineEdit* box) {
        const auto typed = common::numberValue(box->text());
        return stored && typed && *stored == *typed;
    };
    const ActivityEditor& t = *m_activityTab;
    datesChanged = !(sameDate(a.targetstartdate, t.ActivityTargetStartDate)
        && sameDate(a.targetstopdate, t.ActivityTargetStopDate) && sameEffort(a.targeteffort, t.ActivityTargetEffort)
        && sameDate(a.actualstartdate, t.ActivityActualStartDate)
        && sameDate(a.actualstopdate, t.ActivityActualStopDate) && sameEffort(a.actualeffort, t.ActivityActualEffort));
}

} // namespace editor
