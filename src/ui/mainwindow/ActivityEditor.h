#pragma once

#include "gui/FieldChecks.h"
#include "project/RecordRules.h"
#include "project/Rollups.h"
#include "store/Activity.h"
#include "store/Table.h"
#include "ui_ActivityTab.h"

#include "mainwindow/RecordEditor.h"

#include <optional>

namespace store {
class Store;
}

namespace editor {

// The Activity tab: its fields (the form's widgets, under their own names), how a activity is shown
// in them, read back from them and checked before it is saved.
class ActivityEditor : public RecordEditor, private Ui::ActivityTab
{
    Q_OBJECT

public:
    // Builds the tab's fields on its page.
    explicit ActivityEditor(QWidget* page);

    QComboBox* statusList() const override { return ActivityStatus; }
    project::Kind kind() const override { return project::Kind::Activity; }
    const Texts& texts() const override;
    bool showRecord(const store::Store& store, const project::ProjectRecords& records) override;
    std::function<void()> keepForNew() override;
    QComboBox* phaseList() const { return ActivityPhase; }
    QListWidget* componentsList() const { return ActivityComponents; }
    // Attach Component, and Done, which replaces it while components are being attached.
    QPushButton* attachButton() const { return cmdAttachComponent; }
    QPushButton* doneButton() const { return cmdDone; }
    // The tab whose record a new one belongs to when none is shown here.
    const RecordEditor* owner = nullptr;
    bool read(const store::Store& store) override;
    QComboBox* pickList() const override { return ActivityDescription; }
    // The record shown.
    std::optional<store::Activity> record;
    project::ProjectSession::SaveOutcome save(
        project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp) override;

    void show(const store::Activity& activity, const project::ProjectRecords& records);
    ActivityTimes times() const;

    void showTotals(const rollup::ProjectFigures& figures) override;
    // The names of the components attached, by description.
    void showComponents(const QList<store::Entry>& components);
    project::ActivityFields fields() const;
    // Whether a date or effort typed differs from the record shown (so does no record).
    bool timesDiffer() const;
    // The rules of the core; what they tidied goes back into the boxes, a refusal is shown with
    // the cursor on its field. False when refused.
    bool validate(QWidget* parent, store::Key carid) override;
    // Browsing shows the pick list and the display boxes, editing the input boxes and lists.
    void lock(bool locked) override;

protected:
    void dropRecord() override { record.reset(); }
    QLineEdit* nameBox() const override { return ActivityDisplayDescription; }

private:
    void showFigures(const rollup::Costs& costs);
};

} // namespace editor
