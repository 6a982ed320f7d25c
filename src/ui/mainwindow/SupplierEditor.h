#pragma once

#include "project/RecordRules.h"
#include "store/Supplier.h"
#include "ui_SupplierTab.h"

#include "mainwindow/RecordEditor.h"

#include <optional>

namespace store {
class Store;
}

namespace editor {

// The Supplier tab: its fields (the form's widgets, under their own names), how a supplier is shown
// in them, read back from them and checked before it is saved.
class SupplierEditor : public RecordEditor, private Ui::SupplierTab
{
    Q_OBJECT

public:
    // Builds the tab's fields on its page.
    explicit SupplierEditor(QWidget* page);

    project::Kind kind() const override { return project::Kind::Supplier; }
    const Texts& texts() const override;
    bool showRecord(const store::Store& store, const project::ProjectRecords& records) override;
    bool read(const store::Store& store) override;
    QComboBox* pickList() const override { return SupplierName; }
    // The record shown.
    std::optional<store::Supplier> record;
    project::ProjectSession::SaveOutcome save(
        project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp) override;

    void show(const store::Supplier& supplier);

    project::SupplierFields fields() const;
    // The rules of the core; what they tidied goes back into the boxes, a refusal is shown with
    // the cursor on its field. False when refused.
    bool validate(QWidget* parent, store::Key carid) override;
    // Browsing shows the pick list and the display boxes, editing the input boxes and lists.
    void lock(bool locked) override;

protected:
    void dropRecord() override { record.reset(); }
    QLineEdit* nameBox() const override { return SupplierDisplayName; }
};

} // namespace editor
