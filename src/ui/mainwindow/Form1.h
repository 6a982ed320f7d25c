#pragma once

#include "mainwindow/ProjectTrees.h"
#include "project/Preferences.h"
#include "project/ProjectRecords.h"
#include "project/ProjectSession.h"
#include "project/Rollups.h"
#include "store/Activity.h"
#include "store/Assembly.h"
#include "store/Car.h"
#include "store/Component.h"
#include "store/Phase.h"
#include "store/Snapshot.h"
#include "store/Supplier.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/PictureView.h"
#include <QHash>
#include <QString>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSettings;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace gui {
class NotesEdit;
}

namespace store {
class Store;
}

namespace project {
struct CarFields;
struct AssemblyFields;
struct ComponentFields;
struct PhaseFields;
struct ActivityFields;
struct SupplierFields;
} // namespace project

namespace editor {

class ActivityEditor;
class Appearance;
class AssemblyEditor;
class CarEditor;
class ComponentEditor;
class PhaseEditor;
class RecordEditor;
class SupplierEditor;

struct ActivityTimes;

// The main window: the project editor. Its controls carry the names the rest of the program and
// the tests know them by (each widget's objectName is its member name).
class Form1 : public MainWindow
{
    Q_OBJECT

public:
    // The session must outlive the window. Settings are the per-user preferences.
    Form1(project::ProjectSession& session, QSettings& settings, QWidget* parent = nullptr);
    ~Form1() override;

    bool isStarted() const override { return initialized; }

    // Status bar, panels 1 to 5.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);

    // Window life.
    void Form_Activate();
    void InitializeForm();
    void quitroutine();

    // The edit command cycle.
    void cmdButton_Click(int index);
    void ProcessCMD(int index);
    void CreateNewCar();
    void mnuAbout_Click();
    void mnuOverview_Click();
    // The Reports menu: each opens its report window over this one.
    void MnuMaterialsList_Click();
    void MnuProjectPlan_Click();
    void MnuStatusReport_Click();
    void MnuWishList_Click();
    // A whole project to or from a file others can read.
    void mnuExportProject_Click();
    void mnuImportProject_Click();
    void mnuTimeLine_Click();
    void SetButtons(const QString& pattern);
    void DisableButtons();
    void LockFields(bool bdolock);
    void ClearFields();

    void tbproject_Click(int previousTab);
    void TbDisplay_Click(int previousTab);

    // Validation: true when the record on the current tab may be saved.

    // Writing and deleting the current record (store failures are thrown to the command). A save
    // of a row another program changed or deleted since it was shown writes nothing and says so.
    project::ProjectSession::SaveOutcome SaveRecord();
    void DeleteRecord();

    // Pick lists and the fields they fill.
    void loadCarDescription();
    void loadAssemblyDescription();
    void loadComponentDescription();
    void loadPhaseDescription();
    void loadActivityDescription();
    void loadsuppliercombo();
    void loadStatusCombos();
    void loadcomponents();
    void carDescription_Click();
    void assemblyDescription_Click();
    void componentDescription_Click();
    void phaseDescription_Click();
    void ActivityDescription_Click();
    void SupplierName_Click();
    void PopulateCarFields();
    void PopulateAssemblyFields();
    void PopulateComponentFields();
    void PopulatePhaseFields();
    void PopulateActivityFields();
    void PopulateSupplierFields();
    void findCar();
    void FindAssembly();
    void FindComponent();
    void FindPhase();
    void FindActivity();
    void FindSupplier();
    void UpdateForm(int tmpindex);

    // Roll-ups and trees.
    void CalculateCarInfo();
    void CalculateAssemblyInfo();
    void CalculateComponentInfo();
    void CalculatePhaseInfo();
    void CalculateActivityInfo();
    void RecalcCosts();
    void RecalcDates();
    // Reads the car's records once for all the lists, trees and totals worked out while it is
    // alive; the window writes nothing meanwhile.
    class FiguresBatch
    {
    public:
        explicit FiguresBatch(Form1& form)
            : m_form(form)
        {
            if (m_form.m_figuresBatch++ == 0)
                m_form.forgetRecords(); // read afresh at the start of every batch
        }
        ~FiguresBatch()
        {
            if (--m_form.m_figuresBatch == 0)
                m_form.forgetRecords();
        }

    private:
        Form1& m_form;
    };
    void UpdateMaterialsTree();
    void UpdateProjectTree();
    void highlightMaterialsNode(const NodeRef& node);
    void highlightPlanNode(const NodeRef& node);
    void TvMaterials_NodeClick(const NodeRef& node);
    void TvProject_NodeClick(const NodeRef& node);
    void mnuExpandView_Click();
    void mnuCompressView_Click();

    // Resequencing and attaching components.
    void cmdMoveUp_Click();
    void cmdMoveDown_Click();
    void cmdAttachComponent_Click();
    void cmdDone_Click();

    // Preferences.
    void ReadRegistry();

    // Pictures (Form1Pictures.cpp): attached through Save, shown by m_pictures.
    void cmdAttachCarImage_Click() { openfile(); }
    void cmdAttachAssemblyImage_Click() { openfile(); }
    void cmdAttachComponentImage_Click() { openfile(); }
    void openfile();
    void cmdViewCarImage_Click() { viewPicture(1); }
    void cmdViewAssemblyImage_Click() { viewPicture(2); }
    void cmdViewComponentImage_Click() { viewPicture(3); }
    void loadimage() { m_pictures->show(); }
    void unloadimage();
    void cmdcloseimage_Click() { unloadimage(); }
    void Image1_Click() { unloadimage(); }
    void MnuActualSize_Click() { m_pictures->chooseStretch(false); }
    void MnuShrinkToFit_Click() { m_pictures->chooseStretch(true); }

    // Colours, help and the copy window (Form1Preferences.cpp).
    void setBackgroundColor();
    void setDefaultColors();
    void mnutableofcontents_Click();
    void mnucopy_Click();

private:
    QString pictureStatusText;

    // --- Editor state -------------------------------------------------------------------
    // The record tab the commands work on.
    enum Tab { CarTab = 1, AssemblyTab, ComponentTab, PhaseTab, ActivityTab, SupplierTab };
    Tab currentTab = CarTab;
    enum class EditMode { Browsing, Adding, Updating };
    EditMode editMode = EditMode::Browsing;
    bool isUpdate = false;
    bool initialized = false;

    int displayTab = 0; // 0 materials tree, 1 project plan tree
    int materialsSideTab = 0;
    int planSideTab = 0;

    bool listClickFromTree = false;
    int clickedListIndex = -1;
    NodeRef carNodeKey;
    NodeRef materialsNodeKey;
    NodeRef planNodeKey;
    qint32 movePhaseID = 0;
    qint32 moveActivityID = 0;
    // What Move Up and Move Down move: the phase or the activity picked last.
    project::Kind moveKind = project::Kind::Car;
    qint32 attachedActivityID = 0;
    qint32 listedActivityID = 0;

    // The plan in tree order, rebuilt with the project-plan tree: phases by sequence, and activities
    // phase by phase, each by sequence. The move buttons swap neighbours in these lists.
    struct OrderRow
    {
        qint32 id = 0;
        qint32 sequence = 0;
        qint32 phase = 0; // activities only
    };
    QList<OrderRow> phaseOrderTable;
    QList<OrderRow> activityOrderTable;

    QString savedStatusText;
    QString savedTableText;
    QString editedSupplierName;
    bool deleteCancelled = false;
    bool costsChanged = false;
    bool datesChanged = false;

    Preferences preferences;

    // --- Controls ------------------------------------------------------------------------
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
    QStatusBar* sbStatus = nullptr;
    std::array<QLabel*, 5> sbPanel {}; // objectNames sbStatusPanel1 .. sbStatusPanel5

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnudash1 = nullptr;
    QAction* mnuCreate = nullptr;
    QAction* mnucopy = nullptr;
    QAction* mnuExportProject = nullptr;
    QAction* mnuImportProject = nullptr;
    QAction* mnDash7 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuPreferences = nullptr;
    QAction* mnuDash2 = nullptr;
    QMenu* mnuImage = nullptr;
    QAction* MnuActualSize = nullptr;
    QAction* MnuShrinkToFit = nullptr;
    QAction* mnudash12 = nullptr;
    QMenu* MnuSetProjectPlan = nullptr;
    QAction* mnuExpandView = nullptr;
    QAction* mnuCompressView = nullptr;
    QAction* mnuDash9 = nullptr;
    QAction* mnuSetBackgroundColor = nullptr;
    QAction* mnuSetDefaultColors = nullptr;
    QMenu* mnuReports = nullptr;
    QAction* mnudash3 = nullptr;
    QAction* MnuMaterialsList = nullptr;
    QAction* MnuProjectPlan = nullptr;
    QAction* MnuStatusReport = nullptr;
    QAction* MnuWishList = nullptr;
    QAction* mnuTimeLine = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnudash6 = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuOverview = nullptr;
    QAction* mnudash5 = nullptr;
    QAction* mnutableofcontents = nullptr;

    // The record tabs, one editor each, owning their fields.
    CarEditor* m_carTab = nullptr;
    AssemblyEditor* m_assemblyTab = nullptr;
    ComponentEditor* m_componentTab = nullptr;
    PhaseEditor* m_phaseTab = nullptr;
    ActivityEditor* m_activityTab = nullptr;
    SupplierEditor* m_supplierTab = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Building the window (Form1Build.cpp).
    void buildWindow();
    void buildMenus();
    void buildStatusBar();
    void connectSignals();

    // What the assembly, component, phase and activity tabs have in common, by tab index (1 to 4).
    struct RecordKind
    {
        int tab;
        bool plan; // shown in the project-plan tree rather than the materials tree
        void (Form1::*find)();
        void (Form1::*populate)();
        const char* table; // status panel 2
        const char* picked; // status panel 1 with a record picked
        const char* nothing; // status panel 1 with none picked
        const char* placeholder;
        const char* cancelPlaceholder;
        project::Kind kind;
    };
    static const RecordKind& recordKind(int tab);
    // The editor of a record tab, and of the kind a table row stands for.
    RecordEditor& tabEditor(Tab tab) const;
    RecordEditor& editorOf(const RecordKind& kind) const { return tabEditor(Tab(kind.tab + 1)); }
    void pickRecord(const RecordKind& kind);
    void cancelRecord(const RecordKind& kind);

    // The command steps of ProcessCMD (Form1Commands.cpp).
    void addCommand();
    void updateCommand();
    void saveCommand();
    void cancelCommand();
    void deleteCommand();
    bool sampleCarGuard(int index);
    bool readOnlyGuard(int index);
    // Refuses, with a message, any change to a database opened read-only.
    bool refuseChange();
    bool isSampleCar() const;
    void setReseqEnabled(bool enabled);
    void showEntries(const QString& kind, qint32 count);
    bool validateCurrentTab();
    // A save refused because another program changed or deleted the row: says so, and shows the
    // record as it now stands (or forgets it) with the edit closed.
    void refuseStaleSave(project::ProjectSession::SaveOutcome outcome);
    // The component shown read again after a change elsewhere; none when it is gone, silently.
    void reloadComponent();
    // Reads the record a tab shows again; says so when it is gone, given what to say.
    void findShown(RecordEditor& editor, const char* missing);
    void setCostsChanged();
    void setDatesChanged();
    void reselect(QComboBox* list, qint32 key);
    // What each tab's fields hold, for the rules that check and build its record (Form1Validate.cpp).
    void showStoreError(const QString& what, const std::exception& error);

    // Shows a record tab or tree page from code, without running the user's tab switch.
    void showTab(int index);
    void showTree(int index);

    void updateClockPanels();
    // The background colour of the window and its tab areas (Form1Preferences.cpp).
    Appearance* m_appearance = nullptr;

    // Pictures, colours and help.
    void preparePictures();
    void preparePreferences();
    // The picture path box of a record tab (1 car, 2 assembly, 3 component); none on the others.
    QLineEdit* picturePathBox(int tab) const;
    void viewPicture(int tab);
    // Holds the picture size in force once the preferences are read.
    PictureView* m_pictures = nullptr;
    // Runs a command-level step; a store failure is shown and the window stays usable.
    template <class F> bool guarded(const QString& what, F&& step);

    project::ProjectSession& m_session;
    const store::Store& store() const;
    // The project the time line showed last; it opens on it again.
    qint32 m_timeLineCar = 0;
    // Dates were changed elsewhere (the time line's date window): start over when active again.
    bool m_refreshOnActivate = false;
    QSettings& m_settings;
    QTimer* m_clock = nullptr;
    void moveEntry(bool up);
    void setTreeStyle(const QString& style);
    void attachClick(const NodeRef& node);
    // A tree node's record picked as its list would pick it.
    void pickFromTree(const NodeRef& node);
    QString m_attachStatusText;
    // The figures the totals are worked out from: read afresh, or once per batch.
    const rollup::ProjectFigures& figures();
    // The car's records: within a batch read once and shared; otherwise read for the one use.
    const project::ProjectRecords& records();
    bool inBatch() const { return m_figuresBatch > 0; }
    void forgetRecords();
    std::optional<rollup::ProjectFigures> m_figures;
    std::optional<project::ProjectRecords> m_records;
    int m_figuresBatch = 0;
    bool m_quitting = false;
    int m_shownTab = 0;
    int m_shownTree = 0;
};

} // namespace editor
