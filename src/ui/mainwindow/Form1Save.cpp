// Writing the record on the current tab, and deleting it with what depends on it.

#include "mainwindow/Form1.h"

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

// The row an update rewrites: read again by the key of the record shown on the tab.
template <class Rec, class T>
Rec rowToChange(const T& table, qint32 key, const char* kind)
{
    auto row = table.find(key);
    if (!row)
        throw store::StoreError(store::code::Error,
                                QStringLiteral("The %1 being changed no longer exists.").arg(QLatin1String(kind)),
                                QStringLiteral("GearLog"));
    return *row;
}

// A changed row is rewritten by its key; a new one gets its key from the store.
template <class Rec, class T>
void writeRow(const T& table, Rec& row, bool update)
{
    if (update)
        table.change(row);
    else
        row.setKey(table.add(row));
}

// Saving follows the checks, so the rules pass again; should they not, nothing is written and the
// command leaves the edit open, as after a failed write.
template <class Rec, class Fields>
Rec built(const project::Outcome<Fields, Rec>& outcome)
{
    if (!outcome.record)
        throw store::StoreError(store::code::Error, outcome.refusal->message, QStringLiteral("GearLog"));
    return *outcome.record;
}

} // namespace

void Form1::setCostsChanged()
{
    // A stored Null never equals what was typed.
    costsChanged = true;
    if (!isUpdate || !m_component)
        return;
    const auto same = [](const std::optional<common::Money>& stored, const QLineEdit* box) {
        const auto typed = common::Money::parse(box->text());
        return stored && typed && *stored == *typed;
    };
    const auto quantity = common::Money::parse(ComponentQuantity->text());
    const bool sameQuantity = m_component->quantity && quantity
        && common::Money::fromWholeDollars(*m_component->quantity) == *quantity;
    costsChanged = !(same(m_component->targetcost, ComponentTargetCost)
                     && same(m_component->actualcost, ComponentActualCost) && sameQuantity);
}

void Form1::setDatesChanged()
{
    datesChanged = true;
    if (!isUpdate || !m_activity)
        return;
    const store::Activity& a = *m_activity;
    const auto sameDate = [](const QDate& stored, const QLineEdit* box) {
        return stored.isValid() ? common::parseDate(box->text()) == stored : box->text().isEmpty();
    };
    const auto sameEffort = [](const std::optional<double>& stored, const QLineEdit* box) {
        const auto typed = common::numberValue(box->text());
        return stored && typed && *stored == *typed;
    };
    datesChanged = !(sameDate(a.targetstartdate, ActivityTargetStartDate)
                     && sameDate(a.targetstopdate, ActivityTargetStopDate)
                     && sameEffort(a.targeteffort, ActivityTargetEffort)
                     && sameDate(a.actualstartdate, ActivityActualStartDate)
                     && sameDate(a.actualstopdate, ActivityActualStopDate)
                     && sameEffort(a.actualeffort, ActivityActualEffort));
}

void Form1::SaveRecord()
{
    const QDateTime stamp = common::Clock::now();
    switch (currentTab) {
    case 1: {
        const store::Car loaded
            = isUpdate ? rowToChange<store::Car>(store().cars, currentCarID, "car") : store::Car {};
        store::Car row = built(project::carRecord(carFields(), loaded, stamp));
        writeRow(store().cars, row, isUpdate);
        currentCarID = row.carid;
        m_car = row;
        break;
    }
    case 2: {
        const store::Assembly loaded = isUpdate
            ? rowToChange<store::Assembly>(store().assemblies, currentAssemblyID, "assembly")
            : store::Assembly {};
        store::Assembly row = built(project::assemblyRecord(assemblyFields(), loaded, currentCarID, stamp));
        writeRow(store().assemblies, row, isUpdate);
        currentAssemblyID = row.assemblyid;
        m_assembly = row;
        break;
    }
    case 3: {
        const store::Component loaded = isUpdate
            ? rowToChange<store::Component>(store().components, currentComponentID, "component")
            : store::Component {};
        store::Component row = built(project::componentRecord(componentFields(), loaded, currentCarID, stamp));
        writeRow(store().components, row, isUpdate);
        currentComponentID = row.componentid;
        m_component = row;
        // The activity tab lists its components: refill it when this one joined or left it.
        const qint32 oldActivity = loaded.ActivityID.value_or(0);
        const qint32 newActivity = row.ActivityID.value_or(0);
        if (oldActivity != newActivity && currentActivityID != 0
            && (currentActivityID == oldActivity || currentActivityID == newActivity)) {
            listedActivityID = currentActivityID;
            loadcomponents();
        }
        break;
    }
    case 4: {
        const store::Phase loaded
            = isUpdate ? rowToChange<store::Phase>(store().phases, currentPhaseID, "phase") : store::Phase {};
        store::Phase row = built(project::phaseRecord(phaseFields(), loaded, currentCarID, stamp));
        if (!isUpdate)
            row.prioritysequence = store().nextPhaseSequence(currentCarID);
        writeRow(store().phases, row, isUpdate);
        currentPhaseID = row.PhaseID;
        m_phase = row;
        break;
    }
    case 5: {
        const store::Activity loaded = isUpdate
            ? rowToChange<store::Activity>(store().activities, currentActivityID, "activity")
            : store::Activity {};
        store::Activity row = built(project::activityRecord(activityFields(), loaded, currentCarID, stamp));
        if (!isUpdate)
            row.prioritysequence = store().nextActivitySequence(currentCarID, row.PhaseID);
        writeRow(store().activities, row, isUpdate);
        currentActivityID = row.ActivityID;
        m_activity = row;
        break;
    }
    case 6: {
        const store::Supplier loaded = isUpdate
            ? rowToChange<store::Supplier>(store().suppliers, currentSupplierID, "supplier")
            : store::Supplier {};
        store::Supplier row = built(project::supplierRecord(supplierFields(), loaded));
        writeRow(store().suppliers, row, isUpdate);
        currentSupplierID = row.supplierid;
        m_supplier = row;
        break;
    }
    default:
        break;
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
        switch (currentTab) {
        case 1:
            store().deleteCar(currentCarID);
            break;
        case 2:
            store().deleteAssembly(currentAssemblyID);
            break;
        case 3:
            store().components.remove(currentComponentID);
            listedActivityID = currentActivityID;
            loadcomponents();
            break;
        case 4:
            store().deletePhase(currentPhaseID);
            break;
        case 5:
            store().deleteActivity(currentActivityID);
            break;
        case 6:
            store().suppliers.remove(currentSupplierID);
            break;
        default:
            break;
        }
    } catch (...) {
        setPanelText(1, remembered);
        throw;
    }

    // The component tab must not go on showing an activity that is gone.
    if ((currentTab == 4 || currentTab == 5) && componentLoaded) {
        m_component = store().components.find(currentComponentID);
        PopulateComponentFields();
    }
    planNodeKey.clear();
    materialsNodeKey.clear();
    setPanelText(1, QLatin1String(t.closing));
}

} // namespace editor
