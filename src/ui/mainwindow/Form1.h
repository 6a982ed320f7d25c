#pragma once

#include "store/RecordTraits.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/ProjectTrees.h"
#include "mainwindow/RecordCommands.h"
#include "project/Preferences.h"
#include "project/ProjectSession.h"

#include <QColor>
#include <QString>
#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;
class QTabWidget;

namespace editor {

class ActivityEditor;
class Appearance;
class AssemblyEditor;
class CarEditor;
class ComponentEditor;
class EditHistory;
class PhaseEditor;
class PictureView;
class RecordEditor;
class RecordTabs;
class StatusPanels;
class SupplierEditor;
class TreePanel;
struct WindowMenus;

// The main window: the project editor. It runs the edit command cycle over six record tabs, each
// an editor of its own kind, and keeps the lists, the trees and the totals in step with the
// session. Its controls carry the names the rest of the program and the tests know them by.
class Form1 : public MainWindow, private CommandWindow
{
    Q_OBJECT

public:
    // The session and the settings (the per-user preferences) must outlive the window.
    Form1(project::ProjectSession& session, QSettings& settings, QWidget* parent = nullptr);
    ~Form1() override;

    bool isStarted() const override { return initialized; }
    void showStatusLine(const QString& text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The record tabs in page order; a tab and its editor's kind share their number.
    enum Tab { CarTab = 1, AssemblyTab, ComponentTab, PhaseTab, ActivityTab, SupplierTab };

    // --- Window life (Form1.cpp) ----------------------------------------------------------
    void buildWindow();
    void connectSignals();
    void Form_Activate();
    void InitializeForm();
    void quitroutine() override;
    void SetButtons(const QString& pattern) override;
    void DisableButtons();
    void LockFields(bool bdolock) override;
    // Gives the fields of a record tab's page the colour of the lock, if they do not have it yet.
    void colourPage(int page);
    void ClearFields() override;
    void UpdateForm(int tmpindex) override;
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    void showEntries(const RecordEditor& editor);
    // Shows a record tab or tree page from code, without running the user's tab switch.
    void showTab(int index) override;
    void showTree(int index);
    void setReseqEnabled(bool enabled) override;
    bool isSampleCar() const;

    // --- The edit commands, run by RecordCommands on the tab showing ---------------------------
    void ProcessCMD(int index);
    void CreateNewCar();
    bool browsing() const { return m_commands->mode() == RecordCommands::Mode::Browsing; }

    // --- Picking and tabs (Form1Picking.cpp) ------------------------------------------------
    RecordEditor& current() const;
    void carDescription_Click();
    void pickRecord(RecordEditor& editor);
    void SupplierName_Click();
    // The list's entry of the key picked, as the user would pick it.
    void reselect(RecordEditor& editor, store::Key key) override;
    void tbproject_Click();
    void TbDisplay_Click();

    void pickFromTree(const NodeRef& node);

    // --- Attaching components (Form1Plan.cpp) ------------------------------------------------
    void cmdAttachComponent_Click();
    void cmdDone_Click();

    // --- Menus, pictures and preferences (Form1Menus.cpp) ------------------------------------
    void connectMenus();
    void preparePictures();
    void openfile();
    void viewPicture(RecordEditor& editor);
    void unloadimage();
    void ReadRegistry();
    void setTreeStyle(const QString& style);
    void mnucopy_Click();
    void mnuExportProject_Click();
    void mnuImportProject_Click();
    void mnuTimeLine_Click();
    // A record the find window found, shown through the same picks a user would make.
    void showFound(project::Kind kind, store::Key carid, store::Key key);
    // A project added elsewhere (copied or imported) shown as if picked, by its key.
    void showNewCar(store::Key carid);
    // Someone else changed the database: everything shown is read again, on the same tab and record.
    void refreshFromElsewhere();
    // A change undone or redone: read again, and its project shown.
    void showUndone(store::Key carid);

    // --- State ------------------------------------------------------------------------------
    project::ProjectSession& m_session;
    const store::Store& store() const;
    QSettings& m_settings;
    Preferences preferences;

    Tab currentTab = CarTab;
    bool initialized = false;
    bool m_quitting = false;
    // Dates were changed elsewhere (the time line's date window): start over when active again.
    bool m_refreshOnActivate = false;
    // Others' changes arrived while a record was open for changes: shown once it is closed.
    bool m_refreshWhenBrowsing = false;
    // The project the time line showed last; it opens on it again.
    store::Key m_timeLineCar = 0;

    int displayTab = 0; // 0 materials tree, 1 project plan tree
    int m_shownTab = 0;
    int m_shownTree = 0;
    bool listClickFromTree = false;
    int clickedListIndex = -1;

    QString m_attachStatusText;
    QString pictureStatusText;

    // --- Controls ---------------------------------------------------------------------------
    QTabWidget* tbproject = nullptr;
    ProjectTrees* m_trees = nullptr;
    QTabWidget* TbDisplay = nullptr; // the trees' tabs
    QLineEdit* projectDescription = nullptr;
    std::array<QPushButton*, 6> cmdButton {}; // objectNames cmdButton0 .. cmdButton5
    QLabel* LblReseq = nullptr;
    QPushButton* cmdMoveUp = nullptr;
    QPushButton* cmdMoveDown = nullptr;
    QPushButton* cmdcloseimage = nullptr;
    QLabel* Image1 = nullptr;
    // The tagged fields LockFields opens and locks, by record tab page. Only the page showing takes
    // the lock's colour at once; another takes it as it is shown (none can be seen before).
    std::array<QList<QWidget*>, 6> m_inputFields;
    bool m_fieldsFound = false;
    QColor m_fieldColour;
    std::array<QColor, 6> m_pageColour; // what each page's fields were last coloured
    std::unique_ptr<WindowMenus> m_menus;
    EditHistory* m_history = nullptr;
    StatusPanels* m_status = nullptr;
    Appearance* m_appearance = nullptr;
    PictureView* m_pictures = nullptr;

    RecordTabs* m_tabs = nullptr;
    TreePanel* m_panel = nullptr;
    RecordCommands* m_commands = nullptr;
    CarEditor* m_carTab = nullptr;
    AssemblyEditor* m_assemblyTab = nullptr;
    ComponentEditor* m_componentTab = nullptr;
    PhaseEditor* m_phaseTab = nullptr;
    ActivityEditor* m_activityTab = nullptr;
    SupplierEditor* m_supplierTab = nullptr;
};

} // namespace editor
