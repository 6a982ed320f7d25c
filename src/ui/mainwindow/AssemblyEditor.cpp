#include "mainwindow/AssemblyEditor.h"

#include "common/Notes.h"
#include "gui/FieldChecks.h"
#include "mainwindow/EditorSupport.h"
#include "store/Store.h"

namespace editor {

AssemblyEditor::AssemblyEditor(QWidget* page)
    : RecordEditor(page)
{
    setupUi(page);
}

void AssemblyEditor::show(const store::Assembly& r)
{
    showDescription(assemblyDescription, AssemblyDisplayDescription, r.Description, r.assemblyid);
    showStatus(AssemblyStatus, AssemblyDisplayStatus, r.Status, false);
    AssemblyImagePath->setText(r.imagepath);
    AssemblyNotes->setText(common::joinNotes(r.notes));
    cmdAttachAssemblyImage->setEnabled(true);
    cmdViewAssemblyImage->setEnabled(true);
}

project::ProjectSession::SaveOutcome AssemblyEditor::save(
    project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp)
{
    // An update rewrites the record as it was shown; one that could not be read is gone.
    if (update && !record)
        return project::ProjectSession::SaveOutcome::DeletedElsewhere;
    return write(session, record,
        project::assemblyRecord(fields(), update ? *record : store::Assembly {}, carid, stamp), update);
}

bool AssemblyEditor::read(const store::Store& store)
{
    return readFrom(store.assemblies, record);
}

project::AssemblyFields AssemblyEditor::fields() const
{
    return { AssemblyDisplayDescription->text(), AssemblyStatus->currentIndex(), AssemblyImagePath->text(),
        AssemblyNotes->text() };
}

bool AssemblyEditor::validate(QWidget* parent, store::Key carid)
{
    const auto outcome = project::assemblyRecord(fields(), {}, carid, {});
    showText(AssemblyDisplayDescription, outcome.fields.description);
    return outcome.refusal ? refuse(parent, *outcome.refusal, AssemblyDisplayDescription->parentWidget()) : true;
}

void AssemblyEditor::lock(bool locked)
{
    swapForEditing(
        locked, { assemblyDescription, AssemblyDisplayStatus }, { AssemblyDisplayDescription, AssemblyStatus });
    AssemblyDisplayStatus->setEnabled(true);
}

void AssemblyEditor::showFigures(const rollup::Costs& costs, const rollup::Starts& starts)
{
    showCosts(costs, AssemblyTargetCost, AssemblyActualCost);
    showStarts(starts, AssemblyTargetStartDate, AssemblyActualStartDate);
}

const RecordEditor::Texts& AssemblyEditor::texts() const
{
    static const Texts t {
        QStringLiteral("ASSEMBLY"),
        QStringLiteral("Add, Change, Or Delete An 'Assembly'"),
        QStringLiteral("Click The 'Add' Button To Create A New 'Assembly'"),
        QStringLiteral("<Select An Assembly>"),
        QStringLiteral("<Select An Assembly>"),
        QStringLiteral("Adding New Assembly..."),
        QStringLiteral("Updating Assembly..."),
        QStringLiteral("Assembly Record Not Found"),
        QStringLiteral("Deleting The 'Assembly'"),
        QStringLiteral("Are you sure? -- THIS WILL DELETE THE ASSEMBLY AND ALL ITS COMPONENTS --"),
        QStringLiteral("Add, Change, Or Delete An 'Assembly'"),
    };
    return t;
}

bool AssemblyEditor::showRecord(const store::Store& store, const project::ProjectRecords& records)
{
    Q_UNUSED(store);
    Q_UNUSED(records);
    if (!record)
        return false;
    show(*record);
    shown.key = record->assemblyid;
    return true;
}

void AssemblyEditor::showTotals(const rollup::ProjectFigures& f)
{
    showFigures(f.assemblyCosts(shown.key), f.assemblyStarts(shown.key));
}

void AssemblyEditor::enablePictures(bool enabled)
{
    cmdAttachAssemblyImage->setEnabled(enabled);
    cmdViewAssemblyImage->setEnabled(enabled);
}

} // namespace editor
