#include "mainwindow/PhaseEditor.h"

#include "common/Notes.h"
#include "gui/FieldChecks.h"
#include "mainwindow/EditorSupport.h"
#include "store/Store.h"

namespace editor {

PhaseEditor::PhaseEditor(QWidget* page)
    : RecordEditor(page)
{
    setupUi(page);
}

void PhaseEditor::show(const store::Phase& r)
{
    showDescription(phaseDescription, PhaseDisplayDescription, r.Description, r.PhaseID);
    showStatus(phaseStatus, PhaseDisplayStatus, r.Status, false);
    PhaseNotes->setText(common::joinNotes(r.notes));
}

project::ProjectSession::SaveOutcome PhaseEditor::save(
    project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp)
{
    // An update rewrites the record as it was shown; one that could not be read is gone.
    if (update && !record)
        return project::ProjectSession::SaveOutcome::DeletedElsewhere;
    return write(
        session, record, project::phaseRecord(fields(), update ? *record : store::Phase {}, carid, stamp), update);
}

bool PhaseEditor::read(const store::Store& store)
{
    return readFrom(store.phases, record);
}

project::PhaseFields PhaseEditor::fields() const
{
    return { PhaseDisplayDescription->text(), phaseStatus->currentIndex(), PhaseNotes->text() };
}

bool PhaseEditor::validate(QWidget* parent, store::Key carid)
{
    const auto outcome = project::phaseRecord(fields(), {}, carid, {});
    showText(PhaseDisplayDescription, outcome.fields.description);
    return outcome.refusal ? refuse(parent, *outcome.refusal, PhaseDisplayDescription->parentWidget()) : true;
}

void PhaseEditor::lock(bool locked)
{
    swapForEditing(locked, { phaseDescription, PhaseDisplayStatus }, { PhaseDisplayDescription, phaseStatus });
    PhaseDisplayStatus->setEnabled(true);
}

void PhaseEditor::showFigures(const rollup::Costs& costs, const rollup::Plan& plan)
{
    showCosts(costs, PhaseTargetCost, PhaseActualCost);
    showPlan(plan,
        { PhaseTargetEffort, PhaseActualEffort, PhaseTargetStartDate, PhaseActualStartDate, PhaseTargetStopDate,
            PhaseActualStopDate });
}

const RecordEditor::Texts& PhaseEditor::texts() const
{
    static const Texts t {
        QStringLiteral("PHASE"),
        QStringLiteral("Add, Change, Or Delete A 'Phase'"),
        QStringLiteral("Click The 'Add' Button To Create A New 'Phase'"),
        QStringLiteral("<Select A Phase>"),
        QStringLiteral("<Select A phase>"),
        QStringLiteral("Adding New Phase..."),
        QStringLiteral("Updating Phase..."),
        QStringLiteral("Phase Record Not Found"),
        QStringLiteral("Deleting The 'Phase'"),
        QStringLiteral("Are you sure? -- THIS WILL DELETE THE PHASE AND ALL ITS ACTIVITIES --"),
        QStringLiteral("Add, Change, Or Delete A 'Phase'"),
    };
    return t;
}

bool PhaseEditor::showRecord(const store::Store& store, const project::ProjectRecords& records)
{
    Q_UNUSED(store);
    Q_UNUSED(records);
    if (!record)
        return false;
    show(*record);
    shown.key = record->PhaseID;
    return true;
}

void PhaseEditor::showTotals(const rollup::ProjectFigures& f)
{
    showFigures(f.phaseCosts(shown.key), f.phasePlan(shown.key));
}

} // namespace editor
