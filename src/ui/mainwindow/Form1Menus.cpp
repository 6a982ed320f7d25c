// The menus' commands, pictures and preferences: entry points to the windows and parts that do
// the work.

#include "mainwindow/Form1.h"

#include "mainwindow/Appearance.h"
#include "mainwindow/EditHistory.h"
#include "mainwindow/Editors.h"
#include "mainwindow/FocusSelection.h"
#include "mainwindow/PictureView.h"
#include "mainwindow/RecordTabs.h"
#include "mainwindow/TreePanel.h"
#include "mainwindow/WindowMenus.h"

#include "app/AboutGearLog.h"
#include "app/GearLogOverview.h"
#include "charts/BudgetChartsForm.h"
#include "copy/CopyForm.h"
#include "copy/ProjectFileDialogs.h"
#include "copy/RestoreBackupForm.h"
#include "find/FindForm.h"
#include "gui/ContextHelp.h"
#include "gui/Dialogs.h"
#include "gui/StoreErrors.h"
#include "reports/MaterialsListForm.h"
#include "reports/ProjectPlanForm.h"
#include "reports/StatusReportForm.h"
#include "reports/WishListForm.h"
#include "store/Store.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>

namespace editor {

void Form1::connectMenus()
{
    const WindowMenus& m = *m_menus;
    const auto on = [this](QAction* action, auto&& slot) { connect(action, &QAction::triggered, this, slot); };
    on(m.mnuExit, [this] { quitroutine(); });
    m_history = new EditHistory(m_session, m.mnuUndo, m.mnuRedo, this, [this](store::Key car) { showUndone(car); });
    on(m.mnuCreate, [this] { CreateNewCar(); });
    on(m.mnucopy, [this] { mnucopy_Click(); });
    on(m.mnuExportProject, [this] { mnuExportProject_Click(); });
    on(m.mnuImportProject, [this] { mnuImportProject_Click(); });
    m.mnuRestoreBackup->setEnabled(!store().db.isServer()); // a server keeps its own backups
    statusBar()->setToolTip(QStringLiteral("Database: ") + store().db.describe());
    on(m.mnuRestoreBackup, [this] {
        auto* form = new copy::RestoreBackupForm(store().db.path(), this);
        connect(form, &copy::RestoreBackupForm::restoreChosen, this, &MainWindow::restoreRequested);
        form->open();
    });
    on(m.mnuFind, [this] {
        search::FindForm* form = search::FindForm::showFor(store().db, this);
        connect(form, &search::FindForm::openRequested, this, &Form1::showFound, Qt::UniqueConnection);
    });
    on(m.mnuExpandView, [this] { setTreeStyle(QStringLiteral("E")); });
    on(m.mnuCompressView, [this] { setTreeStyle(QStringLiteral("C")); });
    on(m.MnuMaterialsList, [this] { gui::runModal<reports::MaterialsListForm>(store().db, this); });
    on(m.MnuProjectPlan, [this] { gui::runModal<reports::ProjectPlanForm>(store().db, this); });
    on(m.MnuStatusReport, [this] { gui::runModal<reports::StatusReportForm>(store().db, this); });
    on(m.MnuWishList, [this] { gui::runModal<reports::WishListForm>(store().db, this); });
    on(m.MnuBudgetCharts, [this] { charts::BudgetChartsForm::showFor(m_session, this); });
    on(m.mnuTimeLine, [this] { mnuTimeLine_Click(); });
    on(m.mnuAbout, [this] { gui::runModal<app::AboutGearLog>(this, store().db.describe()); });
    on(m.mnuOverview, [this] { gui::runModal<app::GearLogOverview>(this); });
    on(m.mnutableofcontents, [this] { gui::showHelpContents(this); });

    // Colours of the window and its tab areas, and the fields that select their text when entered.
    prepareFocusSelection(this);
    m_appearance = new Appearance(this,
        { { tbproject, TbDisplay }, { tbproject },
            { m_trees->view(ProjectTrees::Materials), m_trees->view(ProjectTrees::Plan),
                m_activityTab->componentsList() } },
        m_settings);
    on(m.mnuSetBackgroundColor, [this] {
        if (const std::optional<qint32> chosen = m_appearance->choose(preferences.backColor))
            preferences.backColor = *chosen;
    });
    on(m.mnuSetDefaultColors, [this] { preferences.backColor = m_appearance->restoreDefault(); });

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
    m_panel->setExpanded(preferences.treeView != QStringLiteral("C"));
    m_appearance->apply(preferences.backColor);
    m_pictures->setStretch(preferences.stretch);
}

void Form1::setTreeStyle(const QString& style)
{
    preferences.treeView = style;
    Preferences::writeTreeView(m_settings, style);
    m_panel->setExpanded(style != QStringLiteral("C"));
    // Rebuilt in the new style, with the record shown still marked.
    const bool plan = displayTab != 0;
    m_panel->rebuild(plan);
    m_panel->mark(plan, m_panel->marked(plan));
}

// --- Pictures: attached through Save, shown by the picture view -------------------------------------

void Form1::preparePictures()
{
    const WindowMenus& m = *m_menus;
    m_pictures
        = new PictureView(Image1, cmdcloseimage, m.mnuImage, m.MnuActualSize, m.MnuShrinkToFit, m_settings, this);
    // The picture takes the place of the tabs, trees and commands, and says how to close it.
    connect(m_pictures, &PictureView::shownChanged, this, [this](bool shown) {
        for (QWidget* w : std::initializer_list<QWidget*> {
                 TbDisplay, tbproject, projectDescription, LblReseq, cmdMoveUp, cmdMoveDown })
            w->setVisible(!shown);
        for (QPushButton* b : cmdButton)
            b->setVisible(!shown);
        if (shown)
            pictureStatusText = panelText(1);
        const QString closing = QStringLiteral("Click The 'Close Image' Button To Close The Picture");
        setPanelText(1, shown ? closing : pictureStatusText);
    });
    connect(m_pictures, &PictureView::clicked, this, &Form1::unloadimage);
    connect(cmdcloseimage, &QPushButton::clicked, this, &Form1::unloadimage);
    connect(m.MnuActualSize, &QAction::triggered, this, [this] { m_pictures->chooseStretch(false); });
    connect(m.MnuShrinkToFit, &QAction::triggered, this, [this] { m_pictures->chooseStretch(true); });
    for (RecordEditor* editor : std::initializer_list<RecordEditor*> { m_carTab, m_assemblyTab, m_componentTab }) {
        connect(editor->attachPictureButton(), &QPushButton::clicked, this, &Form1::openfile);
        connect(editor->viewPictureButton(), &QPushButton::clicked, this, [this, editor] { viewPicture(*editor); });
    }
}

void Form1::openfile()
{
    currentTab = Tab(tbproject->currentIndex() + 1);
    // The path is written by Save, which does not guard the sample project itself.
    if (isSampleCar()) {
        gui::MessageBox::notice(this, QStringLiteral("The Gear-Log Demo Project Cannot Be Changed"));
        return;
    }
    RecordEditor& editor = current();
    QLineEdit* box = editor.picturePath();
    if (m_commands->refuseChange() || !box)
        return;
    pictureStatusText = panelText(1);
    setPanelText(1, QStringLiteral("Select The Desired Picture File"));
    const QString chosen = m_pictures->choose(box->text());
    if (!chosen.isEmpty()) {
        box->setText(chosen);
        m_commands->saveShown(editor, QStringLiteral("Attach Picture to"));
        // A refused or failed save wrote nothing: show the path that is stored.
        if (const QString stored = editor.storedPicture(); box->text() != stored)
            box->setText(stored);
    }
    setPanelText(1, pictureStatusText);
}

void Form1::viewPicture(RecordEditor& editor)
{
    DisableButtons();
    if (m_pictures->load(editor.picturePath()->text()))
        m_pictures->show();
    else
        SetButtons(QStringLiteral("110011"));
}

void Form1::unloadimage()
{
    SetButtons(QStringLiteral("110011"));
    m_pictures->close();
}

// --- Whole projects: copy, export and import ----------------------------------------------------

void Form1::mnucopy_Click()
{
    if (m_commands->refuseChange())
        return;
    copy::copyForm window(m_session, this);
    if (window.exec() != QDialog::Accepted || window.newProjectName.isEmpty())
        return;
    currentTab = CarTab;
    try {
        showNewCar(window.newCarID);
        m_carTab->pickList()->setFocus();
    } catch (const store::StoreError& e) {
        gui::showCommandError(this, QStringLiteral("showing the new project"), e);
    }
}

void Form1::mnuExportProject_Click()
{
    if (m_carTab->shown.key == 0) {
        gui::MessageBox::notice(this, QStringLiteral("Please Select A Project Car To Work With"));
        return;
    }
    if (const auto status = copy::exportProjectFile(this, m_session, m_carTab->shown.key, m_carTab->shown.description))
        setPanelText(1, *status);
}

void Form1::mnuImportProject_Click()
{
    if (m_commands->refuseChange())
        return;
    const auto carid = copy::importProjectFile(this, m_session);
    if (!carid)
        return;
    showTab(0);
    showNewCar(*carid);
    gui::MessageBox::notice(this, QStringLiteral("New Project '%1' Imported").arg(m_carTab->shown.description));
}

void Form1::showFound(project::Kind kind, store::Key carid, store::Key key)
{
    // A record open for changes, or components being attached, keep the window where it is.
    if (!browsing() || m_panel->attaching())
        return gui::MessageBox::notice(this, QStringLiteral("Please Save Or Cancel The Changes First"));
    RecordEditor& editor = m_tabs->editor(kind);
    const bool supplier = kind == project::Kind::Supplier;
    const auto gone = [this] { gui::MessageBox::notice(this, QStringLiteral("The Record Is No Longer There")); };
    if (!supplier && m_carTab->pickList()->findData(carid) < 0)
        return gone();
    if (Image1->isVisible())
        unloadimage();
    // The car first, as the user picks it; then the record on its own tab.
    if (!supplier && (!m_carTab->shown.loaded || m_carTab->shown.key != carid))
        reselect(*m_carTab, carid);
    const int index = editor.pickList()->findData(key);
    if (index < 0)
        return gone();
    showTab(editor.page());
    tbproject_Click();
    if (supplier) {
        const QSignalBlocker block(editor.pickList());
        editor.pickList()->setCurrentIndex(index);
        SupplierName_Click();
    } else if (kind != project::Kind::Car) {
        reselect(editor, key);
    }
}

void Form1::showNewCar(store::Key carid)
{
    // By its key: the new project may share its name with another.
    m_carTab->shown.loaded = false;
    m_carTab->shown.description.clear();
    m_tabs->fill(*m_carTab);
    reselect(*m_carTab, carid);
}

void Form1::refreshFromElsewhere()
{
    // An edit in progress stays as typed (its save is checked against the row as ever), and so do
    // attaching and a picture shown: the refresh waits until they end.
    if (!initialized)
        return;
    if (!browsing() || m_panel->attaching() || Image1->isVisible()) {
        m_refreshWhenBrowsing = true;
        return;
    }
    m_refreshWhenBrowsing = false;
    const int tab = tbproject->currentIndex();
    const int tree = TbDisplay->currentIndex();
    RecordEditor& editor = m_tabs->editor(project::Kind(tab));
    const store::Key car = m_carTab->shown.loaded ? m_carTab->shown.key : 0;
    const store::Key key = editor.shown.loaded ? editor.shown.key : 0;
    gui::guarded(this, QStringLiteral("reading the changes"), [&] {
        m_tabs->fill(*m_carTab);
        m_tabs->fill(m_tabs->editor(project::Kind::Supplier));
    });
    if (car == 0 || m_carTab->pickList()->findData(car) < 0) {
        // No project shown, or it was deleted: back to the project list, as at the start.
        m_refreshOnActivate = true;
        Form_Activate();
        if (car == 0 && tab == int(project::Kind::Supplier) && key != 0)
            showFound(project::Kind::Supplier, 0, key);
        return;
    }
    m_carTab->shown.loaded = false; // the same project, read afresh with its lists and trees
    reselect(*m_carTab, car);
    TbDisplay->setCurrentIndex(tree);
    if (tab != 0 && key != 0 && editor.pickList()->findData(key) >= 0) {
        showFound(project::Kind(tab), car, key);
    } else {
        showTab(tab);
        tbproject_Click();
    }
}

void Form1::showUndone(store::Key carid)
{
    refreshFromElsewhere();
    if (m_refreshWhenBrowsing)
        return; // a picture is shown: everything is read again once it is closed
    // The project the change belonged to, when another one (or none) is shown.
    if (carid != 0 && browsing() && m_carTab->shown.key != carid && m_carTab->pickList()->findData(carid) >= 0) {
        showTab(0);
        showNewCar(carid);
    }
}

} // namespace editor
