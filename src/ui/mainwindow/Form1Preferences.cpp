// The colour preferences, the fields that select their text when entered, help, and the copy
// window opened from the File menu.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "project/ProjectSession.h"
#include "copy/CopyForm.h"
#include "gui/Colors.h"
#include "gui/Dialogs.h"
#include "gui/HelpViewer.h"
#include "gui/SelectOnFocus.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>

namespace editor {

namespace {

// Entering one of these fields selects its first characters, so that typing replaces them.
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
        "PhaseDisplayDescription", "ActivityDisplayDescription", "ActivityTargetStartDate", "ActivityTargetStopDate",
        "ActivityTargetEffort", "ActivityActualStartDate", "ActivityActualStopDate", "ActivityActualEffort",
        "SupplierDisplayName", "supplieraddress1", "supplieraddress2", "suppliercity", "supplierstate",
        "supplierzipcode", "suppliertelephone", "supplierfax", "supplieremail", "SupplierCatalogNbr" } },
};

const QString BackColorError = QStringLiteral("Background color change error has occurrred");

// The section of the help each record tab is explained in.
const char* const tabHelp[] = { "car", "assemblies", "components", "phases", "activities", "suppliers" };

} // namespace

void Form1::preparePreferences()
{
    for (const FocusSelection& group : focusSelections) {
        for (const char* name : group.fields) {
            QWidget* field = findChild<QWidget*>(QLatin1String(name));
            if (!field)
                qFatal("no field %s to select on focus", name);
            gui::selectOnFocus(field, group.length);
        }
    }

    connect(mnuSetBackgroundColor, &QAction::triggered, this, &Form1::setBackgroundColor);
    connect(mnuSetDefaultColors, &QAction::triggered, this, &Form1::setDefaultColors);
    connect(mnutableofcontents, &QAction::triggered, this, &Form1::mnutableofcontents_Click);
    connect(mnucopy, &QAction::triggered, this, &Form1::mnucopy_Click);

    // Context help: the help of the Help folder, at the section of what is showing.
    auto* contextHelp = new QShortcut(QKeySequence::HelpContents, this);
    connect(contextHelp, &QShortcut::activated, this, [this] {
        const int tab = tbproject->currentIndex();
        const QString anchor = Image1->isVisible() ? QStringLiteral("pictures")
            : tab >= 0 && tab < 6                  ? QLatin1String(tabHelp[tab])
                                                   : QString();
        showHelpFile(QDir(gui::HelpViewer::programFolder()).filePath(QStringLiteral("Help/Gear-Log.html")), anchor);
    });
}

// --- Colours -------------------------------------------------------------------------------------

void Form1::ReadRegistry()
{
    preferences = Preferences::read(m_settings);
    applyBackColor(preferences.backColor);
    m_pictures->setStretch(preferences.stretch);
}

void Form1::applyBackColor(qint32 colour)
{
    const QColor back = gui::fromStoredColour(colour);
    // Text written straight on the colour stays legible; a system colour keeps the system's text.
    const QColor text = (quint32(colour) & 0x80000000u) ? QApplication::palette().color(QPalette::WindowText)
        : back.lightnessF() < 0.5                      ? QColor(Qt::white)
                                                       : QColor(Qt::black);
    for (QWidget* w : std::initializer_list<QWidget*> { this, tbproject, TbDisplay }) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, back);
        p.setColor(QPalette::WindowText, text);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
    for (int i = 0; i < tbproject->count(); ++i)
        tbproject->widget(i)->setAutoFillBackground(true);
    // The menus, the tabs themselves, the status bar and the lists keep the system's colours. Every
    // role is marked as set, or the widget would go on taking its parent's.
    QPalette system = QApplication::palette();
    system.setResolveMask(~QPalette::ResolveMask(0));
    for (QWidget* w : std::initializer_list<QWidget*> { menuBar(), sbStatus, tbproject->tabBar(), TbDisplay->tabBar(),
                                                        m_trees->view(ProjectTrees::Materials),
                                                        m_trees->view(ProjectTrees::Plan), m_activityTab->ActivityComponents })
        w->setPalette(system);
    sbStatus->setAutoFillBackground(true);
    menuBar()->setAutoFillBackground(true);
}

void Form1::setBackgroundColor()
{
    const std::optional<QColor> chosen = gui::ColorDialog::getColor(this, gui::fromStoredColour(preferences.backColor));
    if (!chosen)
        return; // cancelled: nothing changes
    const qint32 colour = gui::toStoredColour(*chosen);
    applyBackColor(colour);
    preferences.backColor = colour;
    Preferences::writeBackColor(m_settings, colour);
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        gui::MessageBox::notice(this, BackColorError);
}

void Form1::setDefaultColors()
{
    applyBackColor(Preferences::ButtonFace);
    preferences.backColor = Preferences::ButtonFace;
    Preferences::writeBackColor(m_settings, Preferences::ButtonFace);
    m_settings.sync();
}

// --- Help ----------------------------------------------------------------------------------------

void Form1::mnutableofcontents_Click()
{
    showHelpFile(QDir(gui::HelpViewer::programFolder()).filePath(QStringLiteral("Gear-Log.html")));
}

void Form1::showHelpFile(const QString& file, const QString& anchor)
{
    // A missing help file is no error: nothing is shown.
    gui::HelpViewer::showFile(this, file, anchor);
}

// --- Copying a project ------------------------------------------------------------------------------

void Form1::mnucopy_Click()
{
    if (refuseChange())
        return;
    copy::copyForm window(m_session, this);
    if (window.exec() != QDialog::Accepted || window.newProjectName.isEmpty())
        return;
    // The new project is shown as if picked; by its key, since the copy may share its name.
    try {
        currentTab = 1;
        currentCarDescription.clear();
        loadCarDescription();
        reselect(m_carTab->carDescription, window.newCarID);
        m_carTab->carDescription->setFocus();
    } catch (const store::StoreError& e) {
        showStoreError(QStringLiteral("showing the new project"), e);
    }
}

} // namespace editor
