// Writing the record on the current tab, and deleting it with what depends on it.

#include "mainwindow/Form1.h"

#include "common/Clock.h"
#include "common/Notes.h"
#include "common/Parse.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include <limits>

namespace editor {

namespace {

// A number box as money: not numeric is 0.
common::Money moneyOf(const QLineEdit* box)
{
    return common::Money::parse(box->text()).value_or(common::Money());
}

// A whole number: rounded half away from zero; not numeric, or out of range, is 0.
qint32 wholeOf(const QLineEdit* box)
{
    const auto value = common::Money::parse(box->text());
    if (!value)
        return 0;
    const qint64 whole = value->roundedTo(0).units() / common::Money::Scale;
    if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(whole);
}

double numberOf(const QLineEdit* box)
{
    return common::numberValue(box->text()).value_or(0);
}

QDate dateOf(const QLineEdit* box)
{
    return common::parseDate(box->text()).value_or(QDate());
}

std::optional<qint32> statusOf(const QComboBox* list)
{
    return list->currentIndex() >= 0 ? std::optional<qint32>(list->currentIndex()) : std::nullopt;
}

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

void Form1::saveComponentLinks(store::Component& row, qint32& oldActivity, qint32& newActivity)
{
    if (const auto owner = relationKey(ComponentAssembly))
        row.assemblyid = *owner;
    oldActivity = row.ActivityID.value_or(0);
    if (const auto activity = relationKey(ComponentActivity)) {
        row.ActivityID = *activity;
        newActivity = *activity;
    } else if (gui::listText(ComponentActivity).isEmpty()) {
        row.ActivityID = std::nullopt;
        newActivity = 0;
    } else {
        oldActivity = newActivity = 0;
    }
}

void Form1::SaveRecord()
{
    const QDateTime stamp = common::Clock::now();
    switch (currentTab) {
    case 1: {
        store::Car row = isUpdate ? rowToChange<store::Car>(m_store->cars, currentCarID, "car") : store::Car {};
        row.Description = CarDisplayDescription->text();
        row.make = CarMake->text();
        row.model = CarModel->text();
        row.Year = CarYear->text();
        // Whole dollars, as the boxes ask and show them.
        row.totalbudget = moneyOf(CarTotalBudget).roundedTo(0);
        row.resalevalue = moneyOf(CarResaleValue).roundedTo(0);
        row.purchaseprice = moneyOf(CarPurchasePrice).roundedTo(0);
        row.imagepath = carImagePath->text();
        row.notes = common::splitNotes(CarNotes->text());
        row.auditdate = stamp;
        writeRow(m_store->cars, row, isUpdate);
        currentCarID = row.carid;
        m_car = row;
        break;
    }
    case 2: {
        store::Assembly row = isUpdate ? rowToChange<store::Assembly>(m_store->assemblies, currentAssemblyID, "assembly")
                                       : store::Assembly {};
        if (!isUpdate)
            row.carid = currentCarID;
        row.Description = AssemblyDisplayDescription->text();
        row.Status = statusOf(AssemblyStatus);
        row.imagepath = AssemblyImagePath->text();
        row.notes = common::splitNotes(AssemblyNotes->text());
        row.auditdate = stamp;
        writeRow(m_store->assemblies, row, isUpdate);
        currentAssemblyID = row.assemblyid;
        m_assembly = row;
        break;
    }
    case 3: {
        store::Component row = isUpdate
            ? rowToChange<store::Component>(m_store->components, currentComponentID, "component")
            : store::Component {};
        if (!isUpdate)
            row.carid = currentCarID;
        row.Description = ComponentDisplayDescription->text();
        row.imagepath = ComponentImagePath->text();
        row.Status = statusOf(ComponentStatus);
        row.catalogpage = ComponentCatalogPage->text();
        row.quantity = wholeOf(ComponentQuantity);
        row.targetcost = moneyOf(ComponentTargetCost);
        row.actualcost = moneyOf(ComponentActualCost);
        row.SupplierName = gui::listText(ComponentSupplierName);
        row.wishlist = ComponentWishList->isChecked() ? 1 : 0;
        row.notes = common::splitNotes(ComponentNotes->text());
        row.auditdate = stamp;
        qint32 oldActivity = 0;
        qint32 newActivity = 0;
        saveComponentLinks(row, oldActivity, newActivity);
        writeRow(m_store->components, row, isUpdate);
        currentComponentID = row.componentid;
        m_component = row;
        // The activity tab lists its components: refill it when this one joined or left it.
        if (oldActivity != newActivity && currentActivityID != 0
            && (currentActivityID == oldActivity || currentActivityID == newActivity)) {
            listedActivityID = currentActivityID;
            loadcomponents();
        }
        break;
    }
    case 4: {
        store::Phase row
            = isUpdate ? rowToChange<store::Phase>(m_store->phases, currentPhaseID, "phase") : store::Phase {};
        if (!isUpdate) {
            row.carid = currentCarID;
            row.prioritysequence = m_store->nextPhaseSequence(currentCarID);
        }
        row.Description = PhaseDisplayDescription->text();
        row.Status = statusOf(phaseStatus);
        row.notes = common::splitNotes(PhaseNotes->text());
        row.auditdate = stamp;
        writeRow(m_store->phases, row, isUpdate);
        currentPhaseID = row.PhaseID;
        m_phase = row;
        break;
    }
    case 5: {
        store::Activity row = isUpdate
            ? rowToChange<store::Activity>(m_store->activities, currentActivityID, "activity")
            : store::Activity {};
        const qint32 phase = relationKey(ActivityPhase).value_or(0);
        if (!isUpdate) {
            row.carid = currentCarID;
            row.prioritysequence = m_store->nextActivitySequence(currentCarID, phase);
        }
        row.PhaseID = phase;
        row.Description = ActivityDisplayDescription->text();
        row.Status = statusOf(ActivityStatus);
        row.targetstartdate = dateOf(ActivityTargetStartDate);
        row.targetstopdate = dateOf(ActivityTargetStopDate);
        row.targeteffort = numberOf(ActivityTargetEffort);
        row.actualstartdate = dateOf(ActivityActualStartDate);
        row.actualstopdate = dateOf(ActivityActualStopDate);
        row.actualeffort = numberOf(ActivityActualEffort);
        row.notes = common::splitNotes(ActivityNotes->text());
        row.auditdate = stamp;
        writeRow(m_store->activities, row, isUpdate);
        currentActivityID = row.ActivityID;
        m_activity = row;
        break;
    }
    case 6: {
        store::Supplier row = isUpdate
            ? rowToChange<store::Supplier>(m_store->suppliers, ProgramState::currentSupplierID, "supplier")
            : store::Supplier {};
        row.Name = SupplierDisplayName->text();
        row.address1 = supplieraddress1->text();
        row.address2 = supplieraddress2->text();
        row.city = suppliercity->text();
        row.State = supplierstate->text();
        row.Zip = supplierzipcode->text();
        row.Telephone = suppliertelephone->text();
        row.Fax = supplierfax->text();
        row.Email = supplieremail->text();
        row.CatalogNbr = SupplierCatalogNbr->text();
        row.notes = common::splitNotes(SupplierNotes->text());
        writeRow(m_store->suppliers, row, isUpdate);
        ProgramState::currentSupplierID = row.supplierid;
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
            m_store->deleteCar(currentCarID);
            break;
        case 2:
            m_store->deleteAssembly(currentAssemblyID);
            break;
        case 3:
            m_store->components.remove(currentComponentID);
            listedActivityID = currentActivityID;
            loadcomponents();
            break;
        case 4:
            m_store->deletePhase(currentPhaseID);
            break;
        case 5:
            m_store->deleteActivity(currentActivityID);
            break;
        case 6:
            m_store->suppliers.remove(ProgramState::currentSupplierID);
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
        m_component = m_store->components.find(currentComponentID);
        PopulateComponentFields();
    }
    planNodeKey.clear();
    materialsNodeKey.clear();
    setPanelText(1, QLatin1String(t.closing));
}

} // namespace editor
