#pragma once

#include "project/RecordRules.h"
#include "project/Rollups.h"
#include "store/Assembly.h"
#include "ui_AssemblyTab.h"

#include "mainwindow/RecordEditor.h"

#include <optional>

namespace store {
class Store;
}

namespace editor {

// The Assembly tab: its fields (the form's widgets, under their own names), how a assembly is shown
// in them, read back from them and checked before it is saved.
class AssemblyEditor : public RecordEditor, private Ui::AssemblyTab
{
    Q_OBJECT

public:
    // Builds the tab's fields on its page.
    explicit AssemblyEditor(QWidget* page);

    QComboBox* statusList() const override { return AssemblyStatus; }
    project::Kind kind() const override { return project::Kind::Assembly; }
    const Texts& texts() const override;
    bool showRecord(const store::Store& store, const project::ProjectRecords& records) override;
    void enablePictures(bool enabled) override;
    QLineEdit* picturePath() const override { return AssemblyImagePath; }
    QPushButton* attachPictureButton() const override { return cmdAttachAssemblyImage; }
    QPushButton* viewPictureButton() const override { return cmdViewAssemblyImage; }
    QString storedPicture() const override { return record ? record->imagepath : QString(); }
    bool read(const store::Store& store) override;
    QComboBox* pickList() const override { return assemblyDescription; }
    // The record shown.
    std::optional<store::Assembly> record;
    project::ProjectSession::SaveOutcome save(
        project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp) override;

    void show(const store::Assembly& assembly);

    void showTotals(const rollup::ProjectFigures& figures) override;
    project::AssemblyFields fields() const;
    // The rules of the core; what they tidied goes back into the boxes, a refusal is shown with
    // the cursor on its field. False when refused.
    bool validate(QWidget* parent, store::Key carid) override;
    // Browsing shows the pick list and the display boxes, editing the input boxes and lists.
    void lock(bool locked) override;

protected:
    void dropRecord() override { record.reset(); }
    QLineEdit* nameBox() const override { return AssemblyDisplayDescription; }

private:
    void showFigures(const rollup::Costs& costs, const rollup::Starts& starts);
};

} // namespace editor
