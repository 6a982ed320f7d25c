// The windows opened from the menus: the copy window.

#include "editor/Form1.h"

#include "copy/CopyForm.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QAction>
#include <QComboBox>

namespace editor {

void Form1::preparePreferences()
{
    connect(mnucopy, &QAction::triggered, this, &Form1::mnucopy_Click);
}

// --- Copying a project ------------------------------------------------------------------------------

void Form1::mnucopy_Click()
{
    copy::copyForm window(*m_store, this);
    if (window.exec() != QDialog::Accepted || window.newProjectName.isEmpty())
        return;
    // The new project is shown as if picked; by its key, since the copy may share its name.
    try {
        currentTab = 1;
        currentCarDescription.clear();
        loadCarDescription();
        reselect(carDescription, window.newCarID);
        carDescription->setFocus();
    } catch (const store::StoreError& e) {
        showStoreError(QStringLiteral("showing the new project"), e);
    }
}

} // namespace editor
