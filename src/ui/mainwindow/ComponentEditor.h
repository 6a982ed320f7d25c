#pragma once

#include "project/RecordRules.h"
#include "project/Rollups.h"
#include "store/Component.h"
#include "ui_ComponentTab.h"

#include "mainwindow/RecordEditor.h"

#include <optional>

namespace store {
class Store;
}

namespace editor {

// The Component tab: its fields (the form's widgets, under their own names), how a component is shown
// in them, read back from them and checked before it is saved.
class ComponentEditor : public RecordEditor, private Ui::ComponentTab
{
    Q_OBJECT

public:
    // Builds the tab's fields on its page.
    explicit ComponentEditor(QWidget* page);

    QComboBox* statusList() const override { return ComponentStatus; }
    project::Kind kind() const override { return project::Kind::Component; }
    const Texts& texts() const override;
    bool showRecord(const store::Store& store, const project::ProjectRecords& records) override;
    void enablePictures(bool enabled) override;
    QLineEdit* picturePath() const override { return ComponentImagePath; }
    QPushButton* attachPictureButton() const override { return cmdAttachComponentImage; }
    QPushButton* viewPictureButton() const override { return cmdViewComponentImage; }
    QString storedPicture() const override { return record ? record->imagepath : QString(); }
    std::function<void()> keepForNew() override;
    // The lists that name the component's assembly, activity and supplier.
    QComboBox* assemblyList() const { return ComponentAssembly; }
    QComboBox* activityList() const { return ComponentActivity; }
    QComboBox* supplierList() const { return ComponentSupplierName; }
    // The tab whose record a new one belongs to when none is shown here.
    const RecordEditor* owner = nullptr;
    bool read(const store::Store& store) override;
    QComboBox* pickList() const override { return componentDescription; }
    // The record shown.
    std::optional<store::Component> record;
    project::ProjectSession::SaveOutcome save(
        project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp) override;

    // Answers the key of the activity the component is attached to (0: none).
    store::Key show(const store::Component& component, const project::ProjectRecords& records);

    void showTotals(const rollup::ProjectFigures& figures) override;
    project::ComponentFields fields() const;
    // Whether the quantity or a cost typed differs from the record shown (a stored Null always
    // does; so does no record).
    bool costsDiffer() const;
    // The rules of the core; what they tidied goes back into the boxes, a refusal is shown with
    // the cursor on its field. False when refused.
    bool validate(QWidget* parent, store::Key carid) override;
    // Browsing shows the pick list and the display boxes, editing the input boxes and lists.
    void lock(bool locked) override;

protected:
    void dropRecord() override { record.reset(); }
    QLineEdit* nameBox() const override { return ComponentDisplayDescription; }

private:
    void showFigures(const rollup::Starts& starts);
    store::Key m_attached = 0; // the activity of the component shown
};

} // namespace editor
