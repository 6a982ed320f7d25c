// The main window's frame, command row, menus and status bar. The record tabs' fields come from
// their forms, through their editors.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "ui_CommandRow.h"
#include "ui_Frame.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace editor {

namespace {

// Member and objectName stay the same word.
#define NAMED(member) member, #member

} // namespace

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

    m_carTab = new CarEditor(frame.tbprojectTab0);
    m_assemblyTab = new AssemblyEditor(frame.tbprojectTab1);
    m_componentTab = new ComponentEditor(frame.tbprojectTab2);
    m_phaseTab = new PhaseEditor(frame.tbprojectTab3);
    m_activityTab = new ActivityEditor(frame.tbprojectTab4);
    m_supplierTab = new SupplierEditor(frame.tbprojectTab5);

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

    buildMenus();
    buildStatusBar();
}

void Form1::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto menu = [](QMenu*& member, const char* name, QWidget* parent, const QString& title) {
        member = new QMenu(title, parent);
        member->setObjectName(QLatin1String(name));
        member->menuAction()->setObjectName(QLatin1String(name));
        return member;
    };
    auto item = [this](QAction*& member, const char* name, QMenu* into, const QString& caption) {
        member = new QAction(caption, this);
        member->setObjectName(QLatin1String(name));
        into->addAction(member);
    };
    auto dash = [this](QAction*& member, const char* name, QMenu* into) {
        member = new QAction(this);
        member->setObjectName(QLatin1String(name));
        member->setSeparator(true);
        into->addAction(member);
    };

    bar->addMenu(menu(NAMED(mnuFile), bar, QStringLiteral("&File")));
    dash(NAMED(mnudash1), mnuFile);
    item(NAMED(mnuCreate), mnuFile, QStringLiteral("&Create New Project"));
    item(NAMED(mnucopy), mnuFile, QStringLiteral("Copy &Project"));
    item(NAMED(mnuExportProject), mnuFile, QStringLiteral("&Export Project..."));
    item(NAMED(mnuImportProject), mnuFile, QStringLiteral("&Import Project..."));
    dash(NAMED(mnDash7), mnuFile);
    item(NAMED(mnuExit), mnuFile, QStringLiteral("E&xit"));

    bar->addMenu(menu(NAMED(mnuPreferences), bar, QStringLiteral("&Preferences")));
    dash(NAMED(mnuDash2), mnuPreferences);
    mnuPreferences->addMenu(menu(NAMED(mnuImage), mnuPreferences, QStringLiteral("Set Image Option")));
    item(NAMED(MnuActualSize), mnuImage, QStringLiteral("&Actual Size"));
    item(NAMED(MnuShrinkToFit), mnuImage, QStringLiteral("&Size To Fit"));
    dash(NAMED(mnudash12), mnuPreferences);
    mnuPreferences->addMenu(menu(NAMED(MnuSetProjectPlan), mnuPreferences, QStringLiteral("Set Tree View")));
    item(NAMED(mnuExpandView), MnuSetProjectPlan, QStringLiteral("&Expand View"));
    item(NAMED(mnuCompressView), MnuSetProjectPlan, QStringLiteral("&Compress View"));
    dash(NAMED(mnuDash9), mnuPreferences);
    item(NAMED(mnuSetBackgroundColor), mnuPreferences, QStringLiteral("Set &Background Color"));
    item(NAMED(mnuSetDefaultColors), mnuPreferences, QStringLiteral("Set &Default Color"));

    bar->addMenu(menu(NAMED(mnuReports), bar, QStringLiteral("&Reports")));
    dash(NAMED(mnudash3), mnuReports);
    item(NAMED(MnuMaterialsList), mnuReports, QStringLiteral("Print Materials List"));
    item(NAMED(MnuProjectPlan), mnuReports, QStringLiteral("Print Project Plan"));
    item(NAMED(MnuStatusReport), mnuReports, QStringLiteral("Print Status Report"));
    item(NAMED(MnuWishList), mnuReports, QStringLiteral("Print Wish List"));

    mnuTimeLine = new QAction(QStringLiteral("&Time Line"), this);
    mnuTimeLine->setObjectName(QStringLiteral("mnuTimeLine"));
    bar->addAction(mnuTimeLine);

    bar->addMenu(menu(NAMED(mnuHelp), bar, QStringLiteral("&Help")));
    dash(NAMED(mnudash6), mnuHelp);
    item(NAMED(mnuAbout), mnuHelp, QStringLiteral("&About Gear-Log"));
    item(NAMED(mnuOverview), mnuHelp, QStringLiteral("&Overview"));
    dash(NAMED(mnudash5), mnuHelp);
    item(NAMED(mnutableofcontents), mnuHelp, QStringLiteral("&Table Of Contents"));
}

void Form1::buildStatusBar()
{
    sbStatus = new QStatusBar(this);
    sbStatus->setObjectName(QStringLiteral("sbStatus"));
    sbStatus->setSizeGripEnabled(true);
    static const char* const designTexts[5] = { "Status", "Table", "Record Counter", "", "" };
    static const int stretch[5] = { 4, 1, 1, 0, 0 };
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(QLatin1String(designTexts[i]), sbStatus);
        panel->setObjectName(QStringLiteral("sbStatusPanel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(i == 0 ? 320 : 110);
        panel->setContentsMargins(4, 0, 4, 0);
        sbPanel[size_t(i)] = panel;
        sbStatus->addPermanentWidget(panel, stretch[i]);
    }
    setStatusBar(sbStatus);
}

#undef NAMED

} // namespace editor
