// The colour preferences, the fields that select their text when entered, help, and the copy
// window opened from the File menu: entry points to the window's parts that do the work.

#include "mainwindow/Form1.h"

#include "mainwindow/Appearance.h"
#include "mainwindow/Editors.h"
#include "mainwindow/FocusSelection.h"

#include "copy/CopyForm.h"
#include "gui/ContextHelp.h"
#include "store/StoreError.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeView>

namespace editor {

void Form1::preparePreferences()
{
    prepareFocusSelection(this);
    m_appearance = new Appearance(this,
        { { tbproject, TbDisplay }, { tbproject },
            { m_trees->view(ProjectTrees::Materials), m_trees->view(ProjectTrees::Plan),
                m_activityTab->ActivityComponents } },
        m_settings);
    connect(mnuSetBackgroundColor, &QAction::triggered, this, &Form1::setBackgroundColor);
    connect(mnuSetDefaultColors, &QAction::triggered, this, &Form1::setDefaultColors);
    connect(mnutableofcontents, &QAction::triggered, this, &Form1::mnutableofcontents_Click);
    connect(mnucopy, &QAction::triggered, this, &Form1::mnucopy_Click);

    // F1 opens the help at the section of the record tab showing, or of the picture over it.
    static const QStringList sections
        = QStringLiteral("car assemblies components phases activities suppliers").split(QLatin1Char(' '));
    gui::installContextHelp(this, [this] {
        return Image1->isVisible() ? QStringLiteral("pictures") : sections.value(tbproject->currentIndex());
    });
}

void Form1::ReadRegistry()
{
    preferences = Preferences::read(m_settings);
    m_appearance->apply(preferences.backColor);
    m_pictures->setStretch(preferences.stretch);
}

void Form1::setBackgroundColor()
{
    if (const std::optional<qint32> chosen = m_appearance->choose(preferences.backColor))
        preferences.backColor = *chosen;
}

void Form1::setDefaultColors()
{
    preferences.backColor = m_appearance->restoreDefault();
}

void Form1::mnutableofcontents_Click()
{
    gui::showHelpContents(this);
}

void Form1::mnucopy_Click()
{
    if (refuseChange())
        return;
    copy::copyForm window(m_session, this);
    if (window.exec() != QDialog::Accepted || window.newProjectName.isEmpty())
        return;
    // The new project is shown as if picked; by its key, since the copy may share its name.
    try {
        currentTab = CarTab;
        m_carTab->shown.description.clear();
        loadCarDescription();
        reselect(m_carTab->carDescription, window.newCarID);
        m_carTab->carDescription->setFocus();
    } catch (const store::StoreError& e) {
        showStoreError(QStringLiteral("showing the new project"), e);
    }
}

} // namespace editor
