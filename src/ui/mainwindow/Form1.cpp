// The main window's life: loading, activation, the status bar, locking and clearing fields.

#include "mainwindow/Form1.h"

#include "mainwindow/EditHistory.h"
#include "mainwindow/EditorSupport.h"
#include "mainwindow/Editors.h"
#include "mainwindow/PictureView.h"
#include "mainwindow/RecordTabs.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/TreePanel.h"
#include "mainwindow/WindowMenus.h"

#include "ui_CommandRow.h"
#include "ui_Frame.h"

#include "common/Clock.h"
#include "common/Formats.h"
#include "gui/Colors.h"
#include "gui/Dialogs.h"
#include "gui/KeyPress.h"
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
    m_activityTab->doneButton()->hide(); // shown only while components are being attached
    for (QWidget* w : std::initializer_list<QWidget*> {
             LblReseq, cmdMoveUp, cmdMoveDown, m_activityTab->attachButton(), m_activityTab->doneButton() })
        w->setEnabled(false);
    for (RecordEditor* e : std::initializer_list<RecordEditor*> { m_carTab, m_assemblyTab, m_componentTab })
        e->enablePictures(false);

    // Form_Load: the database is already open (see app::OpenProjectDatabase).
    ReadRegistry();
    gui::guarded(this, QStringLiteral("loading the suppliers"), [this] { m_tabs->fill(*m_supplierTab); });
}

Form1::~Form1() = default;

const store::Store& Form1::store() const
{
    return m_session.store();
}

void Form1::buildWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Gear-Log"));
    resize(1180, 720);
    setMinimumSize(960, 600);

    auto* central = new QWidget(this);
    Ui::Frame frame;
    frame.setupUi(central);
    projectDescription = frame.projectDescription;
    tbproject = frame.tbproject;
    Image1 = frame.Image1;
    // A size relative to the default font cannot be said in a form.
    QFont titleFont = projectDescription->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    projectDescription->setFont(titleFont);

    m_tabs = new RecordTabs({ frame.tbprojectTab0, frame.tbprojectTab1, frame.tbprojectTab2, frame.tbprojectTab3,
                                frame.tbprojectTab4, frame.tbprojectTab5 },
        m_session, this);
    m_carTab = m_tabs->car;
    m_assemblyTab = m_tabs->assembly;
    m_componentTab = m_tabs->component;
    m_phaseTab = m_tabs->phase;
    m_activityTab = m_tabs->activity;
    m_supplierTab = m_tabs->supplier;

    m_trees = new ProjectTrees(central);
    TbDisplay = m_trees->tabs();
    frame.sideLayout->insertWidget(0, TbDisplay, 1);

    Ui::CommandRow commands;
    commands.setupUi(frame.commandRow);
    cmdButton = { commands.cmdButton0, commands.cmdButton1, commands.cmdButton2, commands.cmdButton3,
        commands.cmdButton4, commands.cmdButton5 };
    LblReseq = commands.LblReseq;
    cmdMoveUp = commands.cmdMoveUp;
    cmdMoveDown = commands.cmdMoveDown;
    cmdcloseimage = commands.cmdcloseimage;
    setCentralWidget(central);

    m_menus = std::make_unique<WindowMenus>(this);
    m_status = new StatusPanels(this);
    m_panel = new TreePanel(*m_trees, *m_tabs, m_session, *m_status, this);
    m_commands = new RecordCommands(
        *this, { tbproject, TbDisplay, projectDescription }, m_session, *m_tabs, *m_panel, *m_status, this);
}

void Form1::connectSignals()
{
    for (int i = 0; i < 6; ++i)
        connect(cmdButton[size_t(i)], &QPushButton::clicked, this, [this, i] { ProcessCMD(i); });
    connect(tbproject, &QTabWidget::currentChanged, this, &Form1::tbproject_Click);
    connect(&m_session, &project::ProjectSession::changedElsewhere, this, &Form1::refreshFromElsewhere);
    connect(TbDisplay, &QTabWidget::currentChanged, this, [this] {
        m_shownTree = TbDisplay->currentIndex();
        TbDisplay_Click();
    });
    connect(m_carTab->pickList(), &QComboBox::activated, this, [this] {
        listClickFromTree = false;
        carDescription_Click();
    });
    for (RecordEditor* e :
        std::initializer_list<RecordEditor*> { m_assemblyTab, m_componentTab, m_phaseTab, m_activityTab }) {
        connect(e->pickList(), &QComboBox::activated, this, [this, e] {
            listClickFromTree = false;
            pickRecord(*e);
        });
    }
    connect(m_supplierTab->pickList(), &QComboBox::activated, this, &Form1::SupplierName_Click);
    connect(m_panel, &TreePanel::picked, this, &Form1::pickFromTree);
    connect(cmdMoveUp, &QPushButton::clicked, m_panel, [this] { m_panel->move(true); });
    connect(cmdMoveDown, &QPushButton::clicked, m_panel, [this] { m_panel->move(false); });
    connect(m_activityTab->attachButton(), &QPushButton::clicked, this, &Form1::cmdAttachComponent_Click);
    connect(m_activityTab->doneButton(), &QPushButton::clicked, this, &Form1::cmdDone_Click);
    connectMenus();
    preparePictures();
    // Ctrl+S saves, Escape cancels an edit or closes the picture; Alt and the caption's letter presses a command.
    gui::pressOnKey(this, QKeySequence::Save, { cmdButton[3] });
    gui::pressOnKey(this, Qt::Key_Escape, { cmdButton[2], cmdcloseimage });
    for (int i = 0; i < 6; ++i)
        gui::pressOnKey(this, QKeySequence(Qt::ALT | Qt::Key("AUCSDQ"[i])), { cmdButton[size_t(i)] });
}

void Form1::ProcessCMD(int index)
{
    currentTab = Tab(tbproject->currentIndex() + 1);
    m_commands->run(index, current());
    if (m_refreshWhenBrowsing && browsing())
        refreshFromElsewhere();
}

void Form1::CreateNewCar()
{
    showTab(0);
    ProcessCMD(0);
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
    return m_status->text(panel);
}

void Form1::setPanelText(int panel, const QString& text)
{
    m_status->setText(panel, text);
}

void Form1::showStatusLine(const QString& text)
{
    m_status->setText(1, text);
}

void Form1::showEntries(const RecordEditor& editor)
{
    m_status->showEntries(editor.texts().table, editor.shown.count);
}

void Form1::showTab(int index)
{
    const QSignalBlocker block(tbproject);
    tbproject->setCurrentIndex(index);
    m_shownTab = tbproject->currentIndex();
}

void Form1::showTree(int index)
{
    const QSignalBlocker block(TbDisplay);
    TbDisplay->setCurrentIndex(index);
    displayTab = m_shownTree = TbDisplay->currentIndex();
}

bool Form1::isSampleCar() const
{
    return m_commands->isSampleCar();
}

void Form1::setReseqEnabled(bool enabled)
{
    LblReseq->setEnabled(enabled);
    cmdMoveUp->setEnabled(enabled);
    cmdMoveDown->setEnabled(enabled);
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
    if (!browsing() && !m_quitting) {
        gui::MessageBox::information(this, QStringLiteral("Please 'Save' Or 'Cancel' Your Changes Before Closing"));
        event->ignore();
        return;
    }
    MainWindow::closeEvent(event);
}

void Form1::Form_Activate()
{
    if (initialized) {
        if (!m_refreshOnActivate) {
            m_session.checkElsewhere(); // another program may have written the file meanwhile
            return;
        }
        // Dates were changed elsewhere: start over at the car list so every total is recomputed.
        m_refreshOnActivate = false;
        initialized = false;
        for (RecordEditor* e :
            std::initializer_list<RecordEditor*> { m_carTab, m_assemblyTab, m_componentTab, m_phaseTab, m_activityTab })
            e->shown.loaded = false;
        m_panel->clear();
        projectDescription->clear();
        m_carTab->shown.description.clear();
        showTab(0);
        ClearFields();
    }

    InitializeForm();
    initialized = true;
    setPanelText(1, QStringLiteral("Loading....."));
    gui::guarded(this, QStringLiteral("loading the project list"), [this] {
        m_tabs->fillStatusLists();
        m_tabs->fill(*m_carTab);
    });
    currentTab = CarTab;
    displayTab = 0;
    setPanelText(1, QStringLiteral("Select A Project From The 'Car' Tab"));
    showEntries(*m_carTab);
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
    // The input fields carry the tag 1, and all take the colour. Opening enables only the tab's
    // own: the other tabs cannot be shown until the edit ends and locks them all again.
    if (!m_fieldsFound) {
        m_fieldsFound = true;
        for (int page = 0; page < tbproject->count(); ++page) {
            QWidget* pageWidget = tbproject->widget(page);
            for (QWidget* w : pageWidget->findChildren<QWidget*>()) {
                if (w->property("tag").toString() == QStringLiteral("1"))
                    m_inputFields[size_t(page)].append(w);
            }
            // Colours not given while the page was hidden are given as it is shown.
            pageWidget->installEventFilter(this);
        }
    }
    m_fieldColour = gui::fromStoredColour(bdolock ? gui::White : gui::EditYellow);
    const int showing = tbproject->currentIndex();
    for (int page = 0; page < int(m_inputFields.size()); ++page) {
        if (bdolock || page == showing) {
            for (QWidget* w : std::as_const(m_inputFields[size_t(page)]))
                w->setEnabled(!bdolock);
        }
    }
    colourPage(showing);
    current().lock(bdolock);
}

void Form1::colourPage(int page)
{
    if (page < 0 || page >= int(m_inputFields.size()) || m_pageColour[size_t(page)] == m_fieldColour)
        return;
    m_pageColour[size_t(page)] = m_fieldColour;
    for (QWidget* w : std::as_const(m_inputFields[size_t(page)]))
        gui::setFieldColour(w, m_fieldColour);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && m_fieldsFound)
        colourPage(tbproject->indexOf(static_cast<QWidget*>(watched)));
    return MainWindow::eventFilter(watched, event);
}

void Form1::ClearFields()
{
    if (QWidget* page = tbproject->currentWidget())
        clearPage(page);
}

void Form1::UpdateForm(int tmpindex)
{
    // Only the tab being edited can be chosen; 99 frees them all, and the menus with them.
    for (int i = 0; i < tbproject->count(); ++i) {
        const bool enabled = i == tmpindex || tmpindex == 99;
        if (tbproject->isTabEnabled(i) != enabled)
            tbproject->setTabEnabled(i, enabled);
    }
    m_menus->setCommandsEnabled(tmpindex == 99);
    if (m_history)
        m_history->setBrowsing(tmpindex == 99);
}

} // namespace editor
