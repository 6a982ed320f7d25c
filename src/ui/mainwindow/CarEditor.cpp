#include "mainwindow/CarEditor.h"

#include "common/Formats.h"
#include "common/Notes.h"
#include "gui/FieldChecks.h"
#include "mainwindow/EditorSupport.h"
#include "store/Store.h"

namespace editor {

CarEditor::CarEditor(QWidget* page)
    : RecordEditor(page)
{
    setupUi(page);
}

void CarEditor::show(const store::Car& r)
{
    showDescription(carDescription, CarDisplayDescription, r.Description, r.carid);
    CarMake->setText(r.make);
    CarModel->setText(r.model);
    CarYear->setText(r.Year);
    CarPurchasePrice->setText(moneyText(r.purchaseprice, common::fmt::CarMoney));
    CarResaleValue->setText(moneyText(r.resalevalue, common::fmt::CarMoney));
    CarTotalBudget->setText(moneyText(r.totalbudget, common::fmt::CarMoney));
    carImagePath->setText(r.imagepath);
    CarNotes->setText(common::joinNotes(r.notes));
    cmdAttachCarImage->setEnabled(true);
    cmdViewCarImage->setEnabled(true);
}

project::ProjectSession::SaveOutcome CarEditor::save(
    project::ProjectSession& session, bool update, store::Key, const QDateTime& stamp)
{
    // An update rewrites the record as it was shown; one that could not be read is gone.
    if (update && !record)
        return project::ProjectSession::SaveOutcome::DeletedElsewhere;
    return write(session, record, project::carRecord(fields(), update ? *record : store::Car {}, stamp), update);
}

bool CarEditor::read(const store::Store& store)
{
    return readFrom(store.cars, record);
}

project::CarFields CarEditor::fields() const
{
    return { CarDisplayDescription->text(), CarPurchasePrice->text(), CarResaleValue->text(), CarTotalBudget->text(),
        CarMake->text(), CarModel->text(), CarYear->text(), carImagePath->text(), CarNotes->text() };
}

// Only the rules' answer matters here: the record is built again, over the row shown, when saving.
bool CarEditor::validate(QWidget* parent, store::Key)
{
    const auto outcome = project::carRecord(fields(), {}, {});
    showText(CarDisplayDescription, outcome.fields.description);
    return outcome.refusal ? refuse(parent, *outcome.refusal, CarDisplayDescription->parentWidget()) : true;
}

void CarEditor::lock(bool locked)
{
    swapForEditing(locked, { carDescription }, { CarDisplayDescription });
}

void CarEditor::showFigures(const rollup::Costs& costs, const rollup::Plan& plan)
{
    showCosts(costs, CarTargetCost, CarActualCost);
    showPlan(plan,
        { CarTargetEffort, CarActualEffort, CarTargetStartDate, CarActualStartDate, CarTargetStopDate,
            CarActualStopDate });
}

const RecordEditor::Texts& CarEditor::texts() const
{
    static const Texts t {
        QStringLiteral("CAR"),
        QStringLiteral("Add, Change, Or Delete A 'Car'"),
        QStringLiteral("Click The 'Add' Button To Create A New 'Car'"),
        QStringLiteral("<Select A Project Car>"),
        QStringLiteral("<Select A Project Car>"),
        QStringLiteral("Adding New Car..."),
        QStringLiteral("Updating Car..."),
        QStringLiteral("Car Record Not Found"),
        QStringLiteral("Deleting The 'Car'"),
        QStringLiteral("Are you sure? -- THIS WILL DELETE THE ENTIRE PROJECT --"),
        QStringLiteral("Select A Project From The 'Car' Tab"),
    };
    return t;
}

bool CarEditor::showRecord(const store::Store& store, const project::ProjectRecords& records)
{
    Q_UNUSED(store);
    Q_UNUSED(records);
    if (!record)
        return false;
    show(*record);
    return true;
}

void CarEditor::showTotals(const rollup::ProjectFigures& f)
{
    showFigures(f.carCosts(), f.carPlan());
}

void CarEditor::enablePictures(bool enabled)
{
    cmdAttachCarImage->setEnabled(enabled);
    cmdViewCarImage->setEnabled(enabled);
}

} // namespace editor
