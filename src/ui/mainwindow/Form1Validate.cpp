// Checks of a record before it is saved: the showing tab's editor asks the core's rules.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

namespace editor {

bool Form1::validateCurrentTab()
{
    switch (currentTab) {
    case CarTab:
        return m_carTab->validate(this, currentCarID);
    case AssemblyTab:
        return m_assemblyTab->validate(this, currentCarID);
    case ComponentTab:
        return m_componentTab->validate(this, currentCarID);
    case PhaseTab:
        return m_phaseTab->validate(this, currentCarID);
    case ActivityTab:
        return m_activityTab->validate(this, currentCarID);
    case SupplierTab:
        return m_supplierTab->validate(this, currentCarID);
    default:
        return false;
    }
}

} // namespace editor
