// Checks of a record before it is saved: the showing tab's editor asks the core's rules.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

namespace editor {

bool Form1::validateCurrentTab()
{
    switch (currentTab) {
    case 1:
        return m_carTab->validate(this, currentCarID);
    case 2:
        return m_assemblyTab->validate(this, currentCarID);
    case 3:
        return m_componentTab->validate(this, currentCarID);
    case 4:
        return m_phaseTab->validate(this, currentCarID);
    case 5:
        return m_activityTab->validate(this, currentCarID);
    case 6:
        return m_supplierTab->validate(this, currentCarID);
    default:
        return false;
    }
}

} // namespace editor
