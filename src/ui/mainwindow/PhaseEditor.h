#pragma once

#include "project/RecordRules.h"
#include "project/Rollups.h"
#include "store/Phase.h"
#include "ui_PhaseTab.h"

#include "mainwindow/RecordEditor.h"

#include <optional>

namespace store {
class Store;
}

namespace editor {

// The Phase tab: its fields (the form's widgets, under their own names), how a phase is shown
// in them, read back from them and checked before it is saved.
class PhaseEditor : public RecordEditor, private Ui::PhaseTab
{
    Q_OBJECT

public:
    // Builds the tab's fields on its page.
    explicit PhaseEditor(QWidget* page);

    QComboBox* statusList() const override { return phaseStatus; }
    project::Kind kind() const override { return project::Kind::Phase; }
    const Texts& texts() const override;
    bool showRecord(const store::Store& store, const project::ProjectRecords& records) override;
    bool read(const store::Store& store) override;
    QComboBox* pickList() const override { return phaseDescription; }
    // The record shown.
    std::optional<store::Phase> record;
    project::ProjectSession::SaveOutcome save(
        project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp) override;

    void show(const store::Phase& phase);

    void showTotals(const rollup::ProjectFigures& figures) override;
    project::PhaseFields fields() const;
    // The rules of the core; what they tidied goes back into the boxes, a refusal is shown with
    // the cursor on its field. False when refused.
    bool validate(QWidget* parent, store::Key carid) override;
    // Browsing shows the pick list and the display boxes, editing the input boxes and lists.
    void lock(bool locked) override;

protected:
    void dropRecord() override { record.reset(); }
    QLineEdit* nameBox() const override { return PhaseDisplayDescription; }

private:
    void showFigures(const rollup::Costs& costs, const rollup::Plan& plan);
};

} // namespace editor
