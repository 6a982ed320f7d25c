// Writing the record on the current tab, and deleting it with what depends on it.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "common/Clock.h"
#include "common/Parse.h"
#include "gui/Dialogs.h"
#include "gui/FieldChecks.h"
#include "project/RecordRules.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace editor {

namespace {

using Outcome = project::ProjectSession::SaveOutcome;

} // namespace

void Form1::setCostsChanged()
{
    // A stored Null never equals what was typed.
    costsChanged = true;
    if (!isUpdate || !m_componentTab->record)
        return;
    const auto same = [](const std::optional<common::Money>& stored, const QLineEdit* box) {
        const auto typed = common::Money::parse(box->text());
        return stored && typed && *stored == *typed;
    };
    const auto quantity = common::Money::parse(m_componentTab->ComponentQuantity->text());
    const bool sameQuantity = m_componentTab->record->quantity && quantity
        && common::Money::fromWholeDollars(*m_componentTab->record->quantity) == *quantity;
    costsChanged = !(same(m_componentTab->record->targetcost, m_componentTab->ComponentTargetCost)
        && same(m_componentTab->record->actualcost, m_componentTab->ComponentActualCost) && sameQuantity);
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
    datesChanged = !(sameDate(a.targetstartdate, m_activityTab->ActivityTargetStartDate)
        && sameDate(a.targetstopdate, m_activityTab->ActivityTargetStopDate)
        && sameEffort(a.targeteffort, m_activityTab->ActivityTargetEffort)
        && sameDate(a.actualstartdate, m_activityTab->ActivityActualStartDate)
        && sameDate(a.actualstopdate, m_activityTab->ActivityActualStopDate)
        && sameEffort(a.actualeffort, m_activityTab->ActivityActualEffort));
}

Outcome Form1::SaveRecord()
{
    const qint32 attachedBefore
        = isUpdate && m_componentTab->record ? m_componentTab->record->ActivityID.value_or(0) : 0;
    const Outcome outcome = tabEditor(currentTab).save(m_session, isUpdate, m_carTab->shown.key, common::Clock::now());
    if (outcome == Outcome::Saved && currentTab == ComponentTab) {
        // The activity tab lists its components: refill it when this one joined or left it.
        const qint32 activity = m_activityTab->shown.key;
        const qint32 attachedAfter = m_componentTab->record->ActivityID.value_or(0);
        if (attachedBefore != attachedAfter && activity != 0
            && (activity == attachedBefore || activity == attachedAfter)) {
            listedActivityID = activity;
            loadcomponents();
        }
    }
    return outcome;
}

void Form1::DeleteRecord()
{
    struct Texts
    {
        const char* deleting;
        const char* question;
        const char* closing;
    };
    static const Texts texts[6] = {
        { "Deleting The 'Car'", "Are you sure? -- THIS WILL DELETE THE ENTIRE PROJECT --",
            "Select A Project From The 'Car' Tab" },
        { "Deleting The 'Assembly'", "Are you sure? -- THIS WILL DELETE THE ASSEMBLY AND ALL ITS COMPONENTS --",
            "Add, Change, Or Delete An 'Assembly'" },
        { "Deleting The 'Component'", "Are you sure you want to delete this - COMPONENT -?",
            "Add, Change, Or Delete a 'Component'" },
        { "Deleting The 'Phase'", "Are you sure? -- THIS WILL DELETE THE PHASE AND ALL ITS ACTIVITIES --",
            "Add, Change, Or Delete A 'Phase'" },
        { "Deleting The 'Activity'", "Are you sure you want to delete this - ACTIVITY -?",
            "Add, Change, Or Delete An 'Activity'" },
        { "Deleting The 'Supplier'", "Are you sure? -- THIS WILL DELETE THE SUPPLIER --",
            "Add, Change, Or Delete A 'Supplier'" },
    };
    if (currentTab < 1 || currentTab > 6)
        return;
    const Texts& t = texts[currentTab - 1];
    const QString remembered = panelText(1);
    setPanelText(1, QLatin1String(t.deleting));
    if (gui::MessageBox::question(this, QLatin1String(t.question), gui::AppTitle) != gui::Answer::Yes) {
        setPanelText(1, remembered);
        deleteCancelled = true;
        return;
    }

    try {
        const RecordEditor& tab = tabEditor(currentTab);
        m_session.remove(tab.kind(), tab.shown.key);
        if (currentTab == ComponentTab) {
            listedActivityID = m_activityTab->shown.key;
            loadcomponents();
        }
    } catch (...) {
        setPanelText(1, remembered);
        throw;
    }

    // The component tab must not go on showing an activity that is gone.
    if ((currentTab == PhaseTab || currentTab == ActivityTab) && m_componentTab->shown.loaded) {
        reloadComponent();
        PopulateComponentFields();
    }
    planNodeKey.clear();
    materialsNodeKey.clear();
    setPanelText(1, QLatin1String(t.closing));
}

void Form1::refuseStaleSave(project::ProjectSession::SaveOutcome outcome)
{
    gui::MessageBox::information(this, project::ProjectSession::refusalText(outcome));
    if (outcome == project::ProjectSession::SaveOutcome::DeletedElsewhere) {
        // Gone from the lists and the trees as well; what it owned went with it.
        switch (currentTab) {
        case CarTab:
            m_carTab->shown.loaded = false;
            m_assemblyTab->shown.loaded = m_componentTab->shown.loaded = m_phaseTab->shown.loaded
                = m_activityTab->shown.loaded = false;
            m_carTab->shown.key = 0;
            m_session.setCurrentCar(0);
            projectDescription->clear();
            loadCarDescription();
            m_trees->clear();
            break;
        case AssemblyTab:
            m_assemblyTab->shown.loaded = m_componentTab->shown.loaded = false;
            loadAssemblyDescription();
            loadComponentDescription();
            UpdateMaterialsTree();
            break;
        case ComponentTab:
            m_componentTab->shown.loaded = false;
            loadComponentDescription();
            UpdateMaterialsTree();
            break;
        case PhaseTab:
            m_phaseTab->shown.loaded = m_activityTab->shown.loaded = false;
            loadPhaseDescription();
            loadActivityDescription();
            UpdateProjectTree();
            break;
        case ActivityTab:
            m_activityTab->shown.loaded = false;
            loadActivityDescription();
            UpdateProjectTree();
            break;
        case SupplierTab:
            m_supplierTab->shown.loaded = false;
            m_supplierTab->shown.key = 0;
            m_supplierTab->shown.description.clear();
            loadsuppliercombo();
            break;
        default:
            break;
        }
    }
    // As after Cancel: the record shown afresh from the file, or the tab emptied.
    cancelCommand();
}
} // namespace editor
