#include "mainwindow/FocusSelection.h"

#include "gui/SelectOnFocus.h"

#include <QWidget>

#include <initializer_list>

namespace editor {

namespace {

struct FocusSelection
{
    int length;
    std::initializer_list<const char*> fields;
};

const FocusSelection focusSelections[] = {
    { 150, { "CarNotes", "AssemblyNotes", "ComponentNotes", "PhaseNotes", "ActivityNotes", "SupplierNotes" } },
    { 100, { "carImagePath", "AssemblyImagePath" } },
    { 50,
        { "CarDisplayDescription", "CarMake", "CarModel", "CarYear", "CarPurchasePrice", "CarResaleValue",
            "CarTotalBudget", "AssemblyDisplayDescription", "ComponentDisplayDescription", "ComponentImagePath",
            "ComponentCatalogPage", "ComponentQuantity", "ComponentTargetCost", "ComponentActualCost",
            "PhaseDisplayDescription", "ActivityDisplayDescription", "ActivityTargetStartDate",
            "ActivityTargetStopDate", "ActivityTargetEffort", "ActivityActualStartDate", "ActivityActualStopDate",
            "ActivityActualEffort", "SupplierDisplayName", "supplieraddress1", "supplieraddress2", "suppliercity",
            "supplierstate", "supplierzipcode", "suppliertelephone", "supplierfax", "supplieremail",
            "SupplierCatalogNbr" } },
};

} // namespace

void prepareFocusSelection(QWidget* window)
{
    for (const FocusSelection& group : focusSelections) {
        for (const char* name : group.fields) {
            QWidget* field = window->findChild<QWidget*>(QLatin1String(name));
            if (!field)
                qFatal("no field %s to select on focus", name);
            gui::selectOnFocus(field, group.length);
        }
    }
}

} // namespace editor
