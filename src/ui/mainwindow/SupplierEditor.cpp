#include "mainwindow/SupplierEditor.h"

#include "common/Notes.h"
#include "gui/FieldChecks.h"
#include "mainwindow/EditorSupport.h"
#include "store/Store.h"

namespace editor {

SupplierEditor::SupplierEditor(QWidget* page)
    : RecordEditor(page)
{
    setupUi(page);
}

void SupplierEditor::show(const store::Supplier& r)
{
    {
        const QSignalBlocker block(SupplierName);
        SupplierName->setCurrentIndex(SupplierName->findData(r.supplierid));
    }
    SupplierDisplayName->setText(r.Name);
    supplieraddress1->setText(r.address1);
    supplieraddress2->setText(r.address2);
    suppliercity->setText(r.city);
    supplierstate->setText(r.State);
    supplierzipcode->setText(r.Zip);
    suppliertelephone->setText(r.Telephone);
    supplierfax->setText(r.Fax);
    supplieremail->setText(r.Email);
    SupplierCatalogNbr->setText(r.CatalogNbr);
    SupplierNotes->setText(common::joinNotes(r.notes));
}

project::ProjectSession::SaveOutcome SupplierEditor::save(
    project::ProjectSession& session, bool update, store::Key, const QDateTime&)
{
    // An update rewrites the record as it was shown; one that could not be read is gone.
    if (update && !record)
        return project::ProjectSession::SaveOutcome::DeletedElsewhere;
    return write(session, record, project::supplierRecord(fields(), update ? *record : store::Supplier {}), update);
}

bool SupplierEditor::read(const store::Store& store)
{
    return readFrom(store.suppliers, record);
}

project::SupplierFields SupplierEditor::fields() const
{
    return { SupplierDisplayName->text(), supplieraddress1->text(), supplieraddress2->text(), suppliercity->text(),
        supplierstate->text(), supplierzipcode->text(), suppliertelephone->text(), supplierfax->text(),
        supplieremail->text(), SupplierCatalogNbr->text(), SupplierNotes->text() };
}

bool SupplierEditor::validate(QWidget* parent, store::Key)
{
    const auto outcome = project::supplierRecord(fields(), {});
    showText(SupplierDisplayName, outcome.fields.name);
    return outcome.refusal ? refuse(parent, *outcome.refusal, SupplierDisplayName->parentWidget()) : true;
}

void SupplierEditor::lock(bool locked)
{
    swapForEditing(locked, { SupplierName }, { SupplierDisplayName });
}

const RecordEditor::Texts& SupplierEditor::texts() const
{
    static const Texts t {
        QStringLiteral("SUPPLIER"),
        QStringLiteral("Add, Change, Or Delete A 'Supplier'"),
        QStringLiteral("Add, Change, Or Delete A 'Supplier'"),
        QStringLiteral("<Select A Supplier>"),
        QStringLiteral("<Select A Supplier>"),
        QStringLiteral("Add New Supplier..."),
        QStringLiteral("Updating Supplier..."),
        QString(),
        QStringLiteral("Deleting The 'Supplier'"),
        QStringLiteral("Are you sure? -- THIS WILL DELETE THE SUPPLIER --"),
        QStringLiteral("Add, Change, Or Delete A 'Supplier'"),
    };
    return t;
}

bool SupplierEditor::showRecord(const store::Store& store, const project::ProjectRecords& records)
{
    Q_UNUSED(store);
    Q_UNUSED(records);
    if (!record)
        return false;
    show(*record);
    return true;
}

} // namespace editor
