#include "mainwindow/ActivityEditor.h"

#include "common/Formats.h"
#include "common/Notes.h"
#include "common/Parse.h"
#include "gui/DatePicker.h"
#include "gui/ListText.h"
#include "mainwindow/EditorSupport.h"
#include "project/ProjectRecords.h"
#include "store/Store.h"

#include <QListWidget>

namespace editor {

ActivityEditor::ActivityEditor(QWidget* page)
    : RecordEditor(page)
{
    setupUi(page);
    for (QLineEdit* box :
        { ActivityTargetStartDate, ActivityTargetStopDate, ActivityActualStartDate, ActivityActualStopDate })
        gui::addDatePicker(box);
}

void ActivityEditor::show(const store::Activity& r, const project::ProjectRecords& records)
{
    showDescription(ActivityDescription, ActivityDisplayDescription, r.Description, r.ActivityID);
    showStatus(ActivityStatus, ActivityDisplayStatus, r.Status, true);
    ActivityTargetStartDate->setText(common::formatDate(r.targetstartdate));
    ActivityTargetStopDate->setText(common::formatDate(r.targetstopdate));
    ActivityTargetEffort->setText(r.targeteffort ? common::plainNumber(*r.targeteffort) : QStringLiteral("0"));
    ActivityActualStartDate->setText(common::formatDate(r.actualstartdate));
    ActivityActualStopDate->setText(common::formatDate(r.actualstopdate));
    ActivityActualEffort->setText(r.actualeffort ? common::plainNumber(*r.actualeffort) : QStringLiteral("0"));
    ActivityNotes->setText(common::joinNotes(r.notes));
    const QSignalBlocker block(ActivityPhase);
    const store::Phase* phase = records.phase(r.PhaseID);
    ActivityPhase->setCurrentIndex(phase ? ActivityPhase->findData(phase->PhaseID) : -1);
    gui::setListText(ActivityPhase, phase ? phase->Description : QString());
    ActivityDisplayPhase->setText(phase ? phase->Description : QString());
}

ActivityTimes ActivityEditor::times() const
{
    return { ActivityTargetStartDate, ActivityTargetStopDate, ActivityTargetEffort, ActivityActualStartDate,
        ActivityActualStopDate, ActivityActualEffort };
}

project::ProjectSession::SaveOutcome ActivityEditor::save(
    project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp)
{
    // An update rewrites the record as it was shown; one that could not be read is gone.
    if (update && !record)
        return project::ProjectSession::SaveOutcome::DeletedElsewhere;
    return write(session, record,
        project::activityRecord(fields(), update ? *record : store::Activity {}, carid, stamp), update);
}

bool ActivityEditor::read(const store::Store& store)
{
    return readFrom(store.activities, record);
}

project::ActivityFields ActivityEditor::fields() const
{
    return { ActivityDisplayDescription->text(), ActivityStatus->currentIndex(), relationField(ActivityPhase),
        times().texts(), ActivityNotes->text() };
}

bool ActivityEditor::validate(QWidget* parent, store::Key carid)
{
    const auto outcome = project::activityRecord(fields(), {}, carid, {});
    showText(ActivityDisplayDescription, outcome.fields.description);
    times().show(outcome.fields.times);
    return outcome.refusal ? refuse(parent, *outcome.refusal, ActivityDisplayDescription->parentWidget()) : true;
}

void ActivityEditor::lock(bool locked)
{
    swapForEditing(locked, { ActivityDescription, ActivityDisplayStatus, ActivityDisplayPhase },
        { ActivityDisplayDescription, ActivityStatus, ActivityPhase });
    ActivityDisplayStatus->setEnabled(true);
    ActivityDisplayPhase->setEnabled(true);
}

void ActivityEditor::showFigures(const rollup::Costs& costs)
{
    showCosts(costs, ActivityTargetCost, ActivityActualCost);
}

void ActivityEditor::showComponents(const QList<store::Entry>& components)
{
    ActivityComponents->clear();
    for (const store::Entry& e : components) {
        if (!e.text.isEmpty())
            ActivityComponents->addItem(e.text);
    }
    if (ActivityComponents->count() == 0)
        ActivityComponents->addItem(QStringLiteral("<No Components For This Activity>"));
    ActivityComponents->setCurrentRow(-1);
}

const RecordEditor::Texts& ActivityEditor::texts() const
{
    static const Texts t {
        QStringLiteral("ACTIVITY"),
        QStringLiteral("Add, Change, Or Delete An 'Activity'"),
        QStringLiteral("Click The 'Add' Button To Create A New 'Activity'"),
        QStringLiteral("<Select An Activity>"),
        QStringLiteral("<Select An Activity>"),
        QStringLiteral("Adding New Activity..."),
        QStringLiteral("Updating Activity..."),
        QStringLiteral("Activity Record Not Found"),
        QStringLiteral("Deleting The 'Activity'"),
        QStringLiteral("Are you sure you want to delete this - ACTIVITY -?"),
        QStringLiteral("Add, Change, Or Delete An 'Activity'"),
    };
    return t;
}

bool ActivityEditor::showRecord(const store::Store& store, const project::ProjectRecords& records)
{
    if (!record)
        return false;
    Q_UNUSED(store);
    show(*record, records);
    // The car's components in description order, as the list shows them.
    QList<store::Entry> attached;
    for (const store::Component& c : records.components()) {
        if (c.ActivityID.value_or(0) == record->ActivityID)
            attached.append(store::Entry { c.componentid, c.Description });
    }
    showComponents(attached);
    return true;
}

void ActivityEditor::showTotals(const rollup::ProjectFigures& f)
{
    showFigures(f.activityCosts(shown.key));
}

std::function<void()> ActivityEditor::keepForNew()
{
    return keepRelation(ActivityPhase, gui::listText(ActivityPhase), shown.loaded, owner);
}

bool ActivityEditor::timesDiffer() const
{
    if (!record)
        return true;
    const store::Activity& a = *record;
    const auto sameDate = [](const QDate& stored, const QLineEdit* box) {
        return stored.isValid() ? common::parseDate(box->text()) == stored : box->text().isEmpty();
    };
    const auto sameEffort = [](const std::optional<double>& stored, const QLineEdit* box) {
        const auto typed = common::numberValue(box->text());
        return stored && typed && *stored == *typed;
    };
    return !(sameDate(a.targetstartdate, ActivityTargetStartDate) && sameDate(a.targetstopdate, ActivityTargetStopDate)
        && sameEffort(a.targeteffort, ActivityTargetEffort) && sameDate(a.actualstartdate, ActivityActualStartDate)
        && sameDate(a.actualstopdate, ActivityActualStopDate) && sameEffort(a.actualeffort, ActivityActualEffort));
}

} // namespace editor
