#pragma once

#include "project/RecordRules.h"
#include "project/Rollups.h"
#include "store/Car.h"
#include "ui_CarTab.h"

#include "mainwindow/RecordEditor.h"

#include <optional>

namespace store {
class Store;
}

namespace editor {

// The Car tab: its fields (the form's widgets, under their own names), how a car is shown
// in them, read back from them and checked before it is saved.
class CarEditor : public RecordEditor, private Ui::CarTab
{
    Q_OBJECT

public:
    // Builds the tab's fields on its page.
    explicit CarEditor(QWidget* page);

    project::Kind kind() const override { return project::Kind::Car; }
    const Texts& texts() const override;
    bool showRecord(const store::Store& store, const project::ProjectRecords& records) override;
    void enablePictures(bool enabled) override;
    QLineEdit* picturePath() const override { return carImagePath; }
    QPushButton* attachPictureButton() const override { return cmdAttachCarImage; }
    QPushButton* viewPictureButton() const override { return cmdViewCarImage; }
    QString storedPicture() const override { return record ? record->imagepath : QString(); }
    bool read(const store::Store& store) override;
    QComboBox* pickList() const override { return carDescription; }
    // The record shown.
    std::optional<store::Car> record;
    project::ProjectSession::SaveOutcome save(
        project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp) override;

    void show(const store::Car& car);

    void showTotals(const rollup::ProjectFigures& figures) override;
    project::CarFields fields() const;
    // The rules of the core; what they tidied goes back into the boxes, a refusal is shown with
    // the cursor on its field. False when refused.
    bool validate(QWidget* parent, store::Key carid) override;
    // Browsing shows the pick list and the display boxes, editing the input boxes and lists.
    void lock(bool locked) override;

protected:
    void dropRecord() override { record.reset(); }
    QLineEdit* nameBox() const override { return CarDisplayDescription; }

private:
    void showFigures(const rollup::Costs& costs, const rollup::Plan& plan);
};

} // namespace editor
