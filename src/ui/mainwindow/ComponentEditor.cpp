#include "mainwindow/ComponentEditor.h"

#include "common/Formats.h"
#include "common/Money.h"
#include "common/Notes.h"
#include "gui/Colors.h"
#include "gui/FieldChecks.h"
#include "gui/ListText.h"
#include "mainwindow/EditorSupport.h"
#include "project/ProjectRecords.h"
#include "store/Store.h"

namespace editor {

ComponentEditor::ComponentEditor(QWidget* page)
    : RecordEditor(page)
{
    setupUi(page);
}

store::Key ComponentEditor::show(const store::Component& r, const project::ProjectRecords& records)
{
    showDescription(componentDescription, ComponentDisplayDescription, r.Description, r.componentid);
    showStatus(ComponentStatus, ComponentDisplayStatus, r.Status, false);
    ComponentWishList->setChecked(r.wishlist.value_or(0) != 0);
    gui::setListText(ComponentSupplierName, r.SupplierName);
    ComponentDisplaySupplier->setText(r.SupplierName);
    ComponentCatalogPage->setText(r.catalogpage);
    ComponentQuantity->setText(
        r.quantity ? common::formatNumber(qint64(*r.quantity), common::fmt::Quantity) : QStringLiteral("0"));
    ComponentTargetCost->setText(moneyText(r.targetcost, common::fmt::Cost));
    ComponentActualCost->setText(moneyText(r.actualcost, common::fmt::Cost));
    ComponentImagePath->setText(r.imagepath);
    ComponentNotes->setText(common::joinNotes(r.notes));

    // Owner, attached activity and its phase, each found by key.
    const store::Assembly* owner = records.assembly(r.assemblyid);
    {
        const QSignalBlocker block(ComponentAssembly);
        const int index = owner ? ComponentAssembly->findData(owner->assemblyid) : -1;
        ComponentAssembly->setCurrentIndex(index);
        gui::setListText(ComponentAssembly, owner ? owner->Description : QString());
    }
    ComponentDisplayAssembly->setText(owner ? owner->Description : QString());
    const store::Key attached = r.ActivityID.value_or(0);
    gui::setListText(ComponentActivity, QString());
    ComponentDisplayActivity->clear();
    ComponentPhase->clear();
    if (attached != 0) {
        if (const store::Activity* activity = records.activity(attached)) {
            const QSignalBlocker block(ComponentActivity);
            ComponentActivity->setCurrentIndex(ComponentActivity->findData(activity->ActivityID));
            gui::setListText(ComponentActivity, activity->Description);
            ComponentDisplayActivity->setText(activity->Description);
            if (const store::Phase* phase = records.phase(activity->PhaseID))
                ComponentPhase->setText(phase->Description);
        }
    }
    cmdAttachComponentImage->setEnabled(true);
    cmdViewComponentImage->setEnabled(true);
    return attached;
}

project::ProjectSession::SaveOutcome ComponentEditor::save(
    project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp)
{
    // An update rewrites the record as it was shown; one that could not be read is gone.
    if (update && !record)
        return project::ProjectSession::SaveOutcome::DeletedElsewhere;
    return write(session, record,
        project::componentRecord(fields(), update ? *record : store::Component {}, carid, stamp), update);
}

bool ComponentEditor::read(const store::Store& store)
{
    return readFrom(store.components, record);
}

project::ComponentFields ComponentEditor::fields() const
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

bool ComponentEditor::validate(QWidget* parent, store::Key carid)
{
    const auto outcome = project::componentRecord(fields(), {}, carid, {});
    showText(ComponentDisplayDescription, outcome.fields.description);
    showText(ComponentQuantity, outcome.fields.quantity);
    showText(ComponentTargetCost, outcome.fields.targetCost);
    showText(ComponentActualCost, outcome.fields.actualCost);
    return outcome.refusal ? refuse(parent, *outcome.refusal, ComponentDisplayDescription->parentWidget()) : true;
}

void ComponentEditor::lock(bool locked)
{
    swapForEditing(locked,
        { componentDescription, ComponentDisplayStatus, ComponentDisplayAssembly, ComponentDisplaySupplier,
            ComponentDisplayActivity },
        { ComponentDisplayDescription, ComponentStatus, ComponentAssembly, ComponentSupplierName, ComponentActivity });
    const QColor white = gui::fromStoredColour(gui::White);
    for (QWidget* w : std::initializer_list<QWidget*> {
             ComponentDisplayStatus, ComponentDisplayAssembly, ComponentDisplaySupplier, ComponentDisplayActivity }) {
        w->setEnabled(true);
        gui::setFieldColour(w, white);
    }
    ComponentWishList->setEnabled(!locked);
    gui::setFieldColour(ComponentWishList,
        locked ? gui::fromStoredColour(gui::SystemButtonFace) : gui::fromStoredColour(gui::EditYellow));
    if (!locked)
        ComponentActivity->setEnabled(ComponentActivity->count() > 0);
}

void ComponentEditor::showFigures(const rollup::Starts& starts)
{
    showStarts(starts, ComponentTargetStartDate, ComponentActualStartDate);
}

const RecordEditor::Texts& ComponentEditor::texts() const
{
    static const Texts t {
        QStringLiteral("COMPONENT"),
        QStringLiteral("Add, Change, Or Delete A 'Component'"),
        QStringLiteral("Click The 'Add' Button To Create A New 'Component'"),
        QStringLiteral("<Select A Component>"),
        QStringLiteral("<Select A Component>"),
        QStringLiteral("Adding New Component..."),
        QStringLiteral("Updating Component..."),
        QStringLiteral("Component Record Not Found"),
        QStringLiteral("Deleting The 'Component'"),
        QStringLiteral("Are you sure you want to delete this - COMPONENT -?"),
        QStringLiteral("Add, Change, Or Delete a 'Component'"),
    };
    return t;
}

bool ComponentEditor::showRecord(const store::Store& store, const project::ProjectRecords& records)
{
    if (!record)
        return false;
    Q_UNUSED(store);
    m_attached = show(*record, records);
    return true;
}

void ComponentEditor::showTotals(const rollup::ProjectFigures& f)
{
    showFigures(f.componentStarts(m_attached));
}

void ComponentEditor::enablePictures(bool enabled)
{
    cmdAttachComponentImage->setEnabled(enabled);
    cmdViewComponentImage->setEnabled(enabled);
}

std::function<void()> ComponentEditor::keepForNew()
{
    return keepRelation(ComponentAssembly, ComponentDisplayAssembly->text(), shown.loaded, owner);
}

bool ComponentEditor::costsDiffer() const
{
    if (!record)
        return true;
    const auto same = [](const std::optional<common::Money>& stored, const QLineEdit* box) {
        const auto typed = common::Money::parse(box->text());
        return stored && typed && *stored == *typed;
    };
    const auto quantity = common::Money::parse(ComponentQuantity->text());
    const bool sameQuantity
        = record->quantity && quantity && common::Money::fromWholeDollars(*record->quantity) == *quantity;
    return !(
        same(record->targetcost, ComponentTargetCost) && same(record->actualcost, ComponentActualCost) && sameQuantity);
}

} // namespace editor
