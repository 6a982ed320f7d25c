// Checks of a record before it is saved: each tab's fields go to the rules, what they tidied goes
// back into the boxes, and the first rule that fails says why and puts the cursor there.

#include "mainwindow/Form1.h"

#include "gui/FieldChecks.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

namespace editor {

project::CarFields Form1::carFields() const
{
    return { CarDisplayDescription->text(), CarPurchasePrice->text(), CarResaleValue->text(), CarTotalBudget->text(),
        CarMake->text(), CarModel->text(), CarYear->text(), carImagePath->text(), CarNotes->text() };
}

project::AssemblyFields Form1::assemblyFields() const
{
    return { AssemblyDisplayDescription->text(), AssemblyStatus->currentIndex(), AssemblyImagePath->text(),
        AssemblyNotes->text() };
}

project::ComponentFields Form1::componentFields() const
{
    project::ComponentFields f;
    f.description = ComponentDisplayDescription->text();
    f.status = ComponentStatus->currentIndex();
    f.assembly = relationField(ComponentAssembly);
    f.activity = relationField(ComponentActivity);
    f.supplierName = gui::listText(ComponentSupplierName);
    f.catalogPage = ComponentCatalogPage->text();
    f.quantity = ComponentQuantity->text();
    f.targetCost = ComponentTargetCost->text();
    f.actualCost = ComponentActualCost->text();
    f.wishList = ComponentWishList->isChecked();
    f.imagePath = ComponentImagePath->text();
    f.notes = ComponentNotes->text();
    return f;
}

project::PhaseFields Form1::phaseFields() const
{
    return { PhaseDisplayDescription->text(), phaseStatus->currentIndex(), PhaseNotes->text() };
}

ActivityTimes Form1::activityTimes() const
{
    return { ActivityTargetStartDate, ActivityTargetStopDate, ActivityTargetEffort, ActivityActualStartDate,
        ActivityActualStopDate, ActivityActualEffort };
}

project::ActivityFields Form1::activityFields() const
{
    return { ActivityDisplayDescription->text(), ActivityStatus->currentIndex(), relationField(ActivityPhase),
        activityTimes().texts(), ActivityNotes->text() };
}

project::SupplierFields Form1::supplierFields() const
{
    return { SupplierDisplayName->text(), supplieraddress1->text(), supplieraddress2->text(), suppliercity->text(),
        supplierstate->text(), supplierzipcode->text(), suppliertelephone->text(), supplierfax->text(),
        supplieremail->text(), SupplierCatalogNbr->text(), SupplierNotes->text() };
}

// Only the rules' answer matters here: the record is built again, over the stored row, when saving.
bool Form1::validateCar()
{
    const auto outcome = project::carRecord(carFields(), {}, {});
    showText(CarDisplayDescription, outcome.fields.description);
    return outcome.refusal ? refuse(this, *outcome.refusal, tbproject) : true;
}

bool Form1::validateAssembly()
{
    const auto outcome = project::assemblyRecord(assemblyFields(), {}, currentCarID, {});
    showText(AssemblyDisplayDescription, outcome.fields.description);
    return outcome.refusal ? refuse(this, *outcome.refusal, tbproject) : true;
}

bool Form1::validateComponent()
{
    const auto outcome = project::componentRecord(componentFields(), {}, currentCarID, {});
    showText(ComponentDisplayDescription, outcome.fields.description);
    showText(ComponentQuantity, outcome.fields.quantity);
    showText(ComponentTargetCost, outcome.fields.targetCost);
    showText(ComponentActualCost, outcome.fields.actualCost);
    return outcome.refusal ? refuse(this, *outcome.refusal, tbproject) : true;
}

bool Form1::validatePhase()
{
    const auto outcome = project::phaseRecord(phaseFields(), {}, currentCarID, {});
    showText(PhaseDisplayDescription, outcome.fields.description);
    return outcome.refusal ? refuse(this, *outcome.refusal, tbproject) : true;
}

bool Form1::ValidateActivity()
{
    const auto outcome = project::activityRecord(activityFields(), {}, currentCarID, {});
    showText(ActivityDisplayDescription, outcome.fields.description);
    activityTimes().show(outcome.fields.times);
    return outcome.refusal ? refuse(this, *outcome.refusal, tbproject) : true;
}

bool Form1::validateSupplier()
{
    const auto outcome = project::supplierRecord(supplierFields(), {});
    showText(SupplierDisplayName, outcome.fields.name);
    return outcome.refusal ? refuse(this, *outcome.refusal, tbproject) : true;
}

bool Form1::validateCurrentTab()
{
    switch (currentTab) {
    case 1:
        return validateCar();
    case 2:
        return validateAssembly();
    case 3:
        return validateComponent();
    case 4:
        return validatePhase();
    case 5:
        return ValidateActivity();
    case 6:
        return validateSupplier();
    default:
        return false;
    }
}

} // namespace editor
