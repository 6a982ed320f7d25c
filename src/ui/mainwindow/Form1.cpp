// The main window's life: loading, activation, the status bar, locking and clearing fields.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "common/Clock.h"
#include "common/Formats.h"
#include "gui/Colors.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"
#include "gui/StoreErrors.h"
#include "project/ProjectSession.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "timeline/TimeLineForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTimer>

namespace editor {

std::unique_ptr<MainWindow> MainWindow::create(project::ProjectSession& session, QSettings& settings)
{
    return std::make_unique<Form1>(session, settings);
}

Form1::Form1(project::ProjectSession& session, QSettings& settings, QWidget* parent)
    : MainWindow(parent)
    , m_session(session)
    , m_settings(settings)
{
    buildWindow();
    connectSignals();

    // Browsing look until the first command: every input locked, the pick lists showing.
    for (int kind = 6; kind >= 1; --kind) {
        currentTab = Tab(kind);
        LockFields(true);
    }
    currentTab = CarTab;
    m_activityTab->cmdDone->hide(); // shown only while components are being attached
    for (QWidget* w : std::initializer_list<QWidget*> { LblReseq, cmdMoveUp, cmdMoveDown,
             m_activityTab->cmdAttachComponent, m_activityTab->cmdDone, m_carTab->cmdAttachCarImage,
             m_carTab->cmdViewCarImage, m_assemblyTab->cmdAttachAssemblyImage, m_assemblyTab->cmdViewAssemblyImage,
             m_componentTab->cmdAttachComponentImage, m_componentTab->cmdViewComponentImage })
        w->setEnabled(false);

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &Form1::updateClockPanels);
    m_clock->start();
    updateClockPanels();

    // Form_Load: the database is already open (see app::OpenProjectDatabase).
    ReadRegistry();
    guarded(QStringLiteral("loading the suppliers"), [this] { loadsuppliercombo(); });
}

Form1::~Form1() = default;

const store::Store& Form1::store() const
{
    return m_session.store();
}

void Form1::connectSignals()
{
    for (int i = 0; i < 6; ++i)
        connect(cmdButton[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdButton_Click(i); });
    connect(mnuExit, &QAction::triggered, this, &Form1::quitroutine);
    connect(tbproject, &QTabWidget::currentChanged, this, [this] { tbproject_Click(m_shownTab); });
    connect(TbDisplay, &QTabWidget::currentChanged, this, [this] {
        const int previous = m_shownTree;
        m_shownTree = TbDisplay->currentIndex();
        TbDisplay_Click(previous);
    });
    connect(m_carTab->carDescription, &QComboBox::activated, this, [this] {
        listClickFromTree = false;
        carDescription_Click();
    });
    connect(m_assemblyTab->assemblyDescription, &QComboBox::activated, this, [this] {
        listClickFromTree = false;
        assemblyDescription_Click();
    });
    connect(m_componentTab->componentDescription, &QComboBox::activated, this, [this] {
        listClickFromTree = false;
        componentDescription_Click();
    });
    connect(m_phaseTab->phaseDescription, &QComboBox::activated, this, [this] {
        listClickFromTree = false;
        phaseDescription_Click();
    });
    connect(m_activityTab->ActivityDescription, &QComboBox::activated, this, [this] {
        listClickFromTree = false;
        ActivityDescription_Click();
    });
    connect(m_supplierTab->SupplierName, &QComboBox::activated, this, &Form1::SupplierName_Click);
    // A node is chosen by a click, or from the keyboard by Enter. A double click also activates:
    // in attach mode that second signal would undo the first click, so only clicks count there.
    connect(m_trees, &ProjectTrees::clicked, this, [this](ProjectTrees::Page page, const NodeRef& node) {
        if (page == ProjectTrees::Materials)
            TvMaterials_NodeClick(node);
        else
            TvProject_NodeClick(node);
    });
    connect(m_trees, &ProjectTrees::activated, this, [this](ProjectTrees::Page page, const NodeRef& node) {
        if (page == ProjectTrees::Plan)
            TvProject_NodeClick(node);
        else if (!m_activityTab->cmdDone->isVisible())
            TvMaterials_NodeClick(node);
    });
    connect(mnuExpandView, &QAction::triggered, this, &Form1::mnuExpandView_Click);
    connect(mnuCompressView, &QAction::triggered, this, &Form1::mnuCompressView_Click);
    connect(cmdMoveUp, &QPushButton::clicked, this, &Form1::cmdMoveUp_Click);
    connect(cmdMoveDown, &QPushButton::clicked, this, &Form1::cmdMoveDown_Click);
    connect(m_activityTab->cmdAttachComponent, &QPushButton::clicked, this, &Form1::cmdAttachComponent_Click);
    connect(m_activityTab->cmdDone, &QPushButton::clicked, this, &Form1::cmdDone_Click);
    connect(mnuCreate, &QAction::triggered, this, &Form1::CreateNewCar);
    connect(mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
    connect(MnuMaterialsList, &QAction::triggered, this, &Form1::MnuMaterialsList_Click);
    connect(MnuProjectPlan, &QAction::triggered, this, &Form1::MnuProjectPlan_Click);
    connect(MnuStatusReport, &QAction::triggered, this, &Form1::MnuStatusReport_Click);
    connect(MnuWishList, &QAction::triggered, this, &Form1::MnuWishList_Click);
    connect(mnuExportProject, &QAction::triggered, this, &Form1::mnuExportProject_Click);
    connect(mnuImportProject, &QAction::triggered, this, &Form1::mnuImportProject_Click);
    connect(mnuOverview, &QAction::triggered, this, &Form1::mnuOverview_Click);
    connect(mnuTimeLine, &QAction::triggered, this, &Form1::mnuTimeLine_Click);
    preparePictures();
    preparePreferences();
}

template <class F> bool Form1::guarded(const QString& what, F&& step)
{
    return gui::guarded(this, what, std::forward<F>(step));
}

void Form1::mnuTimeLine_Click()
{
    // Dates corrected from the time line change totals everywhere: start over when back.
    const auto changed
        = connect(&m_session, &project::ProjectSession::recordsChanged, this, [this] { m_refreshOnActivate = true; });
    {
        timeline::TimeLineForm timeLine(m_session, m_timeLineCar, this);
        timeLine.exec();
        m_timeLineCar = timeLine.selectedCarID();
    }
    disconnect(changed);
    Form_Activate(); // in front again: starts over when dates were changed meanwhile
}

QString Form1::panelText(int panel) const
{
    return panel >= 1 && panel <= 5 ? sbPanel[size_t(panel - 1)]->text() : QString();
}

void Form1::setPanelText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 5)
        sbPanel[size_t(panel - 1)]->setText(text);
}

void Form1::updateClockPanels()
{
    const QDateTime now = common::Clock::now();
    setPanelText(4, now.time().toString(QStringLiteral("h:mm AP")));
    setPanelText(5, common::formatDate(now.date()));
}

void Form1::showEvent(QShowEvent* event)
{
    MainWindow::showEvent(event);
    // The first showing counts as the first activation, also where no window manager activates us.
    if (!initialized)
        QTimer::singleShot(0, this, &Form1::Form_Activate);
}

void Form1::changeEvent(QEvent* event)
{
    MainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the window while a record is open for editing would lose what was typed.
    if (editMode != EditMode::Browsing && !m_quitting) {
        gui::MessageBox::information(this, QStringLiteral("Please 'Save' Or 'Cancel' Your Changes Before Closing"));
        event->ignore();
        return;
    }
    MainWindow::closeEvent(event);
}

void Form1::Form_Activate()
{
    if (initialized) {
        if (!m_refreshOnActivate)
            return;
        // Dates were changed elsewhere: start over at the car list so every total is recomputed.
        m_refreshOnActivate = false;
        initialized = false;
        m_carTab->shown.loaded = m_assemblyTab->shown.loaded = m_componentTab->shown.loaded = m_phaseTab->shown.loaded
            = m_activityTab->shown.loaded = false;
        m_trees->clear();
        projectDescription->clear();
        m_carTab->shown.description.clear();
        showTab(0);
        ClearFields();
    }

    InitializeForm();
    initialized = true;
    setPanelText(1, QStringLiteral("Loading....."));
    guarded(QStringLiteral("loading the project list"), [this] {
        loadStatusCombos();
        loadCarDescription();
    });
    currentTab = CarTab;
    displayTab = 0;
    setPanelText(1, QStringLiteral("Select A Project From The 'Car' Tab"));
    setPanelText(2, QStringLiteral("CAR"));
    setPanelText(3, QStringLiteral("Entries =  ") + QString::number(m_carTab->shown.count));
    SetButtons(QStringLiteral("100001"));
    Q_EMIT started();
}

void Form1::InitializeForm()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setPanelText(1, QStringLiteral("Loading..."));
    showTab(0);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    tbproject->setEnabled(true);
    TbDisplay->setEnabled(false);
    QApplication::restoreOverrideCursor();
    setPanelText(1, QStringLiteral("Select A Project From The 'Car' Tab"));
    currentTab = CarTab;
}

void Form1::quitroutine()
{
    m_quitting = true;
    close();
}

void Form1::SetButtons(const QString& pattern)
{
    const QString p = pattern.trimmed();
    for (int i = 0; i < 6 && i < p.size(); ++i)
        cmdButton[size_t(i)]->setEnabled(p.at(i) == QLatin1Char('1'));
}

void Form1::DisableButtons()
{
    for (QPushButton* b : cmdButton)
        b->setEnabled(false);
}

void Form1::LockFields(bool bdolock)
{
    const QColor white = gui::fromStoredColour(gui::White);
    const QColor yellow = gui::fromStoredColour(gui::EditYellow);
    const QColor colour = bdolock ? white : yellow;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->property("tag").toString() != QStringLiteral("1"))
            continue;
        w->setEnabled(!bdolock);
        gui::setFieldColour(w, colour);
    }

    switch (currentTab) {
    case CarTab:
        m_carTab->lock(bdolock);
        break;
    case AssemblyTab:
        m_assemblyTab->lock(bdolock);
        break;
    case ComponentTab:
        m_componentTab->lock(bdolock);
        break;
    case PhaseTab:
        m_phaseTab->lock(bdolock);
        break;
    case ActivityTab:
        m_activityTab->lock(bdolock);
        break;
    case SupplierTab:
        m_supplierTab->lock(bdolock);
        break;
    default:
        break;
    }
}

void Form1::ClearFields()
{
    QWidget* page = tbproject->currentWidget();
    if (!page)
        return;
    static const QStringList zeroed = {
        QStringLiteral("CarPurchasePrice"),
        QStringLiteral("CarResaleValue"),
        QStringLiteral("CarTotalBudget"),
        QStringLiteral("CarTargetCost"),
        QStringLiteral("CarActualCost"),
        QStringLiteral("CarTargetEffort"),
        QStringLiteral("CarActualEffort"),
        QStringLiteral("AssemblyTargetCost"),
        QStringLiteral("AssemblyActualCost"),
        QStringLiteral("ComponentTargetCost"),
        QStringLiteral("ComponentActualCost"),
        QStringLiteral("PhaseTargetCost"),
        QStringLiteral("PhaseTargetEffort"),
        QStringLiteral("PhaseActualCost"),
        QStringLiteral("PhaseActualEffort"),
        QStringLiteral("ActivityTargetCost"),
        QStringLiteral("ActivityTargetEffort"),
        QStringLiteral("ActivityActualCost"),
        QStringLiteral("ActivityActualEffort"),
    };
    for (QLineEdit* box : page->findChildren<QLineEdit*>()) {
        if (qobject_cast<QComboBox*>(box->parentWidget()))
            continue; // the edit line of a drop-down list: cleared with its list below
        box->setText(zeroed.contains(box->objectName()) ? QStringLiteral("0") : QString());
    }
    for (QComboBox* list : page->findChildren<QComboBox*>()) {
        const QSignalBlocker block(list);
        gui::setListText(list, QString());
    }
    for (gui::NotesEdit* notes : page->findChildren<gui::NotesEdit*>())
        notes->clear();
    if (page->isAncestorOf(m_componentTab->ComponentWishList))
        m_componentTab->ComponentWishList->setChecked(false);
    if (page->isAncestorOf(m_activityTab->ActivityComponents))
        m_activityTab->ActivityComponents->clear();
}

} // namespace editor
