// Checks of a record before it is saved: the showing tab's editor asks the core's rules.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

namespace editor {

bool Form1::validateCurrentTab()
{
    switch (currentTab) {
    case CarTab:
        return m_carTab->validate(this, m_carTab->shown.key);
    case AssemblyTab:
        return m_assemblyTab->validate(this, m_carTab->shown.key);
    case ComponentTab:
        return m_componentTab->validate(this, m_carTab->shown.key);
    case PhaseTab:
        return m_phaseTab->validate(this, m_carTab->shown.key);
    case ActivityTab:
        return m_activityTab->validate(this, m_carTab->shown.key);
    case SupplierTab:
        return m_supplierTab->validate(this, m_carTab->shown.key);
    default:
        return false;
    }
}

} // namespace editor
