// The main window's controls, menus and status bar: names, captions, tool tips and input limits.

#include "mainwindow/Form1.h"

#include "gui/NotesEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace editor {

namespace {

// Member and objectName stay the same word.
#define NAMED(member) member, #member

const QString NotesTip = QStringLiteral("You May Enter Up To 150 Characters Of Notes");
const QString StatusTip = QStringLiteral("Click On A Status Code To Select");
const QString ImageTip = QStringLiteral("File Name Of Picture");
const QString TotalsHeading = QStringLiteral(" ---------------  Component And Activity Totals  --------------");

template <class W>
W* named(W*& member, const char* name, QWidget* parent, const QString& tip)
{
    member = new W(parent);
    member->setObjectName(QLatin1String(name));
    if (!tip.isEmpty())
        member->setToolTip(tip);
    return member;
}

// An input field: enabled and yellow while editing (its tag is "1").
QLineEdit* field(QLineEdit*& member, const char* name, QWidget* parent, const QString& tip, int limit = 0)
{
    named(member, name, parent, tip);
    if (limit > 0)
        member->setMaxLength(limit);
    member->setProperty("tag", QStringLiteral("1"));
    return member;
}

// A box that only shows a value.
QLineEdit* display(QLineEdit*& member, const char* name, QWidget* parent, const QString& tip = QString())
{
    named(member, name, parent, tip);
    member->setReadOnly(true);
    member->setFocusPolicy(Qt::ClickFocus);
    return member;
}

// A pick list of records: chosen from, never typed into.
QComboBox* pickList(QComboBox*& member, const char* name, QWidget* parent, const QString& tip)
{
    named(member, name, parent, tip);
    member->setEditable(false);
    member->setMaxVisibleItems(20);
    member->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    member->setMinimumContentsLength(24);
    return member;
}

// A list an input value is chosen from; relation lists also take typed text.
QComboBox* entryList(QComboBox*& member, const char* name, QWidget* parent, const QString& tip, bool typed)
{
    pickList(member, name, parent, tip);
    if (!typed)
        member->setMinimumContentsLength(12);
    if (typed) {
        member->setEditable(true);
        member->setInsertPolicy(QComboBox::NoInsert);
    }
    member->setProperty("tag", QStringLiteral("1"));
    return member;
}

gui::NotesEdit* notesBox(gui::NotesEdit*& member, const char* name, QWidget* parent)
{
    member = new gui::NotesEdit(150, parent);
    member->setObjectName(QLatin1String(name));
    member->setToolTip(NotesTip);
    member->setProperty("tag", QStringLiteral("1"));
    member->setMaximumHeight(72);
    return member;
}

QPushButton* button(QPushButton*& member, const char* name, QWidget* parent, const QString& caption,
                    const QString& tip)
{
    named(member, name, parent, tip);
    member->setText(caption);
    return member;
}

QLabel* label(const QString& text)
{
    auto* l = new QLabel(text);
    return l;
}

// Adds "label | widget(s)" as one row.
void addRow(QGridLayout* grid, const QString& caption, std::initializer_list<QWidget*> widgets, int span = 3)
{
    const int row = grid->rowCount();
    grid->addWidget(label(caption), row, 0);
    for (QWidget* w : widgets)
        grid->addWidget(w, row, 1, 1, span);
}

// An image path with its Attach and View buttons.
QWidget* imageRow(QLineEdit* path, QPushButton* attach, QPushButton* view)
{
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(path, 1);
    h->addWidget(attach);
    h->addWidget(view);
    return row;
}

struct TotalsColumn
{
    QString heading;
    QWidget* target;
    QWidget* actual;
};

// The "Target"/"Actual" grid of dates, efforts and costs under its column headings.
void addTotals(QGridLayout* grid, const QString& heading, const QList<TotalsColumn>& columns)
{
    int row = grid->rowCount();
    if (!heading.isEmpty()) {
        auto* h = label(heading);
        h->setAlignment(Qt::AlignCenter);
        grid->addWidget(h, row++, 0, 1, 1 + int(columns.size()));
    }
    for (int c = 0; c < columns.size(); ++c) {
        auto* h = label(columns.at(c).heading);
        h->setAlignment(Qt::AlignCenter);
        grid->addWidget(h, row, c + 1);
    }
    grid->addWidget(label(QStringLiteral("Target")), row + 1, 0);
    grid->addWidget(label(QStringLiteral("Actual")), row + 2, 0);
    for (int c = 0; c < columns.size(); ++c) {
        grid->addWidget(columns.at(c).target, row + 1, c + 1);
        grid->addWidget(columns.at(c).actual, row + 2, c + 1);
    }
}

const QString StartHeading = QStringLiteral("------ Start Date -----");
const QString StopHeading = QStringLiteral("------ Stop Date -----");
const QString EffortHeading = QStringLiteral("--- Effort (Hours) ---");
const QString CostHeading = QStringLiteral("----------- Cost ---------");

QGridLayout* tabGrid(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(4, 1);
    return grid;
}

void finishTab(QGridLayout* grid)
{
    grid->setRowStretch(grid->rowCount(), 1);
}

} // namespace

void Form1::buildWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Gear-Log"));
    resize(1180, 720);
    setMinimumSize(960, 600);

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);

    named(projectDescription, "projectDescription", central, QString());
    projectDescription->setReadOnly(true);
    projectDescription->setFocusPolicy(Qt::NoFocus);
    projectDescription->setAlignment(Qt::AlignCenter);
    QFont titleFont = projectDescription->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    projectDescription->setFont(titleFont);
    outer->addWidget(projectDescription);

    auto* middle = new QHBoxLayout;
    named(tbproject, "tbproject", central, QString());
    tbproject->addTab(buildCarTab(), QStringLiteral("      Car      "));
    tbproject->addTab(buildAssemblyTab(), QStringLiteral("   Assembly   "));
    tbproject->addTab(buildComponentTab(), QStringLiteral("  Component  "));
    tbproject->addTab(buildPhaseTab(), QStringLiteral("     Phase     "));
    tbproject->addTab(buildActivityTab(), QStringLiteral("    Activity    "));
    tbproject->addTab(buildSupplierTab(), QStringLiteral("    Supplier    "));
    middle->addWidget(tbproject, 3);

    auto* right = new QVBoxLayout;
    m_trees = new ProjectTrees(central);
    TbDisplay = m_trees->tabs();
    right->addWidget(TbDisplay, 1);

    named(Image1, "Image1", central, QStringLiteral("Click On Picture To Close"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setMinimumSize(200, 150);
    Image1->hide();
    right->addWidget(Image1, 1);
    middle->addLayout(right, 2);
    outer->addLayout(middle, 1);

    outer->addWidget(buildCommandRow());
    setCentralWidget(central);

    buildMenus();
    buildStatusBar();
}

QWidget* Form1::buildCommandRow()
{
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    struct Command
    {
        const char* caption;
        const char* tip;
    };
    static const Command commands[6] = {
        { "Add", "Click To Add A New Entry" },
        { "Update", "Click To Update The Current Entry" },
        { "Cancel", "Click To Cancel The 'Add' or 'Update' Function" },
        { "Save", "Click To Save Your Changes" },
        { "Delete", "Click To Delete The Current Entry" },
        { "Quit", "Click To End Gear-Log" },
    };
    for (int i = 0; i < 6; ++i) {
        auto* b = new QPushButton(QLatin1String(commands[i].caption), row);
        b->setObjectName(QStringLiteral("cmdButton%1").arg(i));
        b->setToolTip(QLatin1String(commands[i].tip));
        b->setMinimumWidth(80);
        b->setAutoDefault(false);
        cmdButton[size_t(i)] = b;
        h->addWidget(b);
    }
    h->addStretch(1);
    named(LblReseq, "LblReseq", row, QString());
    LblReseq->setText(QStringLiteral("Resequence PHASE And ACTIVITY Function"));
    LblReseq->setWordWrap(true);
    LblReseq->setMaximumWidth(160);
    h->addWidget(LblReseq);
    button(NAMED(cmdMoveUp), row, QStringLiteral("Move\nUp"), QStringLiteral("Click To Move The 'PHASE' Or 'ACTIVITY' Up"));
    button(NAMED(cmdMoveDown), row, QStringLiteral("Move\nDown"),
           QStringLiteral("Click To Move The 'PHASE' Or 'ACTIVITY' Down"));
    button(NAMED(cmdcloseimage), row, QStringLiteral("Close\nImage"), QStringLiteral("Click To close The Picture"));
    cmdcloseimage->hide();
    for (QPushButton* b : { cmdMoveUp, cmdMoveDown, cmdcloseimage }) {
        b->setMinimumHeight(44);
        b->setAutoDefault(false);
        h->addWidget(b);
    }
    return row;
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

QWidget* Form1::buildCarTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbprojectTab0"));
    auto* g = tabGrid(page);
    pickList(NAMED(carDescription), page, QStringLiteral("Click On A Name To Select A New Project Car  (REQUIRED)"));
    field(NAMED(CarDisplayDescription), page, QStringLiteral("Enter The Description Of The Car  (REQUIRED)"));
    addRow(g, QStringLiteral("Description"), { carDescription, CarDisplayDescription });
    addRow(g, QStringLiteral("Make"), { field(NAMED(CarMake), page, QStringLiteral("Make Of Car \"Ford\""), 20) });
    addRow(g, QStringLiteral("Model"), { field(NAMED(CarModel), page, QStringLiteral("Model Of Car \"Falcon\""), 20) });
    addRow(g, QStringLiteral("Year"), { field(NAMED(CarYear), page, QStringLiteral("Year Of Car"), 4) }, 1);
    addRow(g, QStringLiteral("Purchase Price"),
           { field(NAMED(CarPurchasePrice), page,
                   QStringLiteral("Price Paid For The Car.  Enter As Whole Dollars  \"3295\"")) },
           1);
    addRow(g, QStringLiteral("Re-sale Value"),
           { field(NAMED(CarResaleValue), page,
                   QStringLiteral("Fair Market Value Of The Car.  Enter As Whole Dollars  \"3500\"")) },
           1);
    addRow(g, QStringLiteral("Total Budget"),
           { field(NAMED(CarTotalBudget), page,
                   QStringLiteral("Total $ Expected To Be Spent On The Project.  Enter As Whole Dollars \"5500\"")) },
           1);
    field(NAMED(carImagePath), page, ImageTip, 100);
    button(NAMED(cmdAttachCarImage), page, QStringLiteral("Attach"),
           QStringLiteral("Click To Add/Change The Picture For This Car"));
    button(NAMED(cmdViewCarImage), page, QStringLiteral("View"), QStringLiteral("Click To View The Picture Of This Car"));
    addRow(g, QStringLiteral("Image"), { imageRow(carImagePath, cmdAttachCarImage, cmdViewCarImage) });
    addRow(g, QStringLiteral("Notes"), { notesBox(NAMED(CarNotes), page) });
    addTotals(g, TotalsHeading,
              { { StartHeading, display(NAMED(CarTargetStartDate), page), display(NAMED(CarActualStartDate), page) },
                { StopHeading, display(NAMED(CarTargetStopDate), page), display(NAMED(CarActualStopDate), page) },
                { EffortHeading, display(NAMED(CarTargetEffort), page), display(NAMED(CarActualEffort), page) },
                { CostHeading, display(NAMED(CarTargetCost), page), display(NAMED(CarActualCost), page) } });
    finishTab(g);
    return page;
}

QWidget* Form1::buildAssemblyTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbprojectTab1"));
    auto* g = tabGrid(page);
    pickList(NAMED(assemblyDescription), page, QStringLiteral("Click On A Name To Select  (REQUIRED)"));
    field(NAMED(AssemblyDisplayDescription), page, QStringLiteral("Enter The Description Of The Assembly  (REQUIRED)"));
    addRow(g, QStringLiteral("Description"), { assemblyDescription, AssemblyDisplayDescription });
    entryList(NAMED(AssemblyStatus), page, StatusTip, false);
    display(NAMED(AssemblyDisplayStatus), page);
    addRow(g, QStringLiteral("Status"), { AssemblyStatus, AssemblyDisplayStatus }, 1);
    field(NAMED(AssemblyImagePath), page, ImageTip, 100);
    button(NAMED(cmdAttachAssemblyImage), page, QStringLiteral("Attach"),
           QStringLiteral("Click To Add/Change The Picture For This Assembly"));
    button(NAMED(cmdViewAssemblyImage), page, QStringLiteral("View"),
           QStringLiteral("Click To View The Picture Of This Assembly"));
    addRow(g, QStringLiteral("Image"), { imageRow(AssemblyImagePath, cmdAttachAssemblyImage, cmdViewAssemblyImage) });
    addRow(g, QStringLiteral("Notes"), { notesBox(NAMED(AssemblyNotes), page) });
    addTotals(g, TotalsHeading,
              { { StartHeading, display(NAMED(AssemblyTargetStartDate), page),
                  display(NAMED(AssemblyActualStartDate), page) },
                { CostHeading, display(NAMED(AssemblyTargetCost), page), display(NAMED(AssemblyActualCost), page) } });
    finishTab(g);
    return page;
}

QWidget* Form1::buildComponentTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbprojectTab2"));
    auto* g = tabGrid(page);
    const QString assemblyTip = QStringLiteral("Click On The Assembly This Item Belongs To  (REQUIRED)");
    pickList(NAMED(componentDescription), page, QStringLiteral("Click On A Name To Select  (REQUIRED)"));
    field(NAMED(ComponentDisplayDescription), page,
          QStringLiteral("Enter The Description Of The Component  (REQUIRED)"));
    addRow(g, QStringLiteral("Description"), { componentDescription, ComponentDisplayDescription });
    entryList(NAMED(ComponentAssembly), page, assemblyTip, true);
    display(NAMED(ComponentDisplayAssembly), page, assemblyTip);
    addRow(g, QStringLiteral("Assembly"), { ComponentAssembly, ComponentDisplayAssembly });
    entryList(NAMED(ComponentStatus), page, StatusTip, false);
    display(NAMED(ComponentDisplayStatus), page);
    addRow(g, QStringLiteral("Status"), { ComponentStatus, ComponentDisplayStatus }, 1);
    entryList(NAMED(ComponentSupplierName), page, QStringLiteral("Click On The Supplier For This Component"), true);
    display(NAMED(ComponentDisplaySupplier), page);
    addRow(g, QStringLiteral("Supplier"), { ComponentSupplierName, ComponentDisplaySupplier });
    addRow(g, QStringLiteral("Catalog Page"),
           { field(NAMED(ComponentCatalogPage), page, QStringLiteral("The Supplier's Catalog Page Number"), 10) }, 1);
    addRow(g, QStringLiteral("Quantity"),
           { field(NAMED(ComponentQuantity), page, QStringLiteral("The Number Of Components Needed")) }, 1);
    addTotals(g, QString(),
              { { QStringLiteral("------- Unit Cost ------"),
                  field(NAMED(ComponentTargetCost), page,
                        QStringLiteral("The Anticipated Cost Of The Component. Example: '97.95'")),
                  field(NAMED(ComponentActualCost), page,
                        QStringLiteral("The Actual Cost Of The Component. Example: '97.95'")) } });
    entryList(NAMED(ComponentActivity), page, QStringLiteral("Click On An Activity To Attach This Item"), true);
    display(NAMED(ComponentDisplayActivity), page);
    addRow(g, QStringLiteral("Activity"), { ComponentActivity, ComponentDisplayActivity });
    addRow(g, QStringLiteral("Phase"), { display(NAMED(ComponentPhase), page) });
    named(NAMED(ComponentWishList), page,
          QStringLiteral("Check Box If Item Is To Be Printed On The 'Wish List' Report"));
    addRow(g, QStringLiteral("Wish List"), { ComponentWishList }, 1);
    field(NAMED(ComponentImagePath), page, ImageTip, 100);
    button(NAMED(cmdAttachComponentImage), page, QStringLiteral("Attach"),
           QStringLiteral("Click To Add/Change The Picture For This Component"));
    button(NAMED(cmdViewComponentImage), page, QStringLiteral("View"),
           QStringLiteral("Click To View The Picture Of This Component"));
    addRow(g, QStringLiteral("Image"),
           { imageRow(ComponentImagePath, cmdAttachComponentImage, cmdViewComponentImage) });
    addRow(g, QStringLiteral("Notes"), { notesBox(NAMED(ComponentNotes), page) });
    addTotals(g, TotalsHeading,
              { { StartHeading, display(NAMED(ComponentTargetStartDate), page),
                  display(NAMED(ComponentActualStartDate), page) } });
    finishTab(g);
    return page;
}

QWidget* Form1::buildPhaseTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbprojectTab3"));
    auto* g = tabGrid(page);
    pickList(NAMED(phaseDescription), page, QStringLiteral("Click On A Name To Select  (REQUIRED)"));
    field(NAMED(PhaseDisplayDescription), page, QStringLiteral("Enter The Description Of The Phase  (REQUIRED)"));
    addRow(g, QStringLiteral("Description"), { phaseDescription, PhaseDisplayDescription });
    entryList(NAMED(phaseStatus), page, StatusTip, false);
    display(NAMED(PhaseDisplayStatus), page);
    addRow(g, QStringLiteral("Status"), { phaseStatus, PhaseDisplayStatus }, 1);
    addRow(g, QStringLiteral("Notes"), { notesBox(NAMED(PhaseNotes), page) });
    addTotals(g, TotalsHeading,
              { { StartHeading, display(NAMED(PhaseTargetStartDate), page), display(NAMED(PhaseActualStartDate), page) },
                { StopHeading, display(NAMED(PhaseTargetStopDate), page), display(NAMED(PhaseActualStopDate), page) },
                { EffortHeading, display(NAMED(PhaseTargetEffort), page), display(NAMED(PhaseActualEffort), page) },
                { CostHeading, display(NAMED(PhaseTargetCost), page), display(NAMED(PhaseActualCost), page) } });
    finishTab(g);
    return page;
}

QWidget* Form1::buildActivityTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbprojectTab4"));
    auto* g = tabGrid(page);
    const QString phaseTip = QStringLiteral("Click On The Phase That Owns This Activity  (REQUIRED)");
    pickList(NAMED(ActivityDescription), page, QStringLiteral("Click On A Name To Select (REQUIRED)"));
    field(NAMED(ActivityDisplayDescription), page,
          QStringLiteral("Enter The Description Of The Activity  (REQUIRED)"));
    addRow(g, QStringLiteral("Description"), { ActivityDescription, ActivityDisplayDescription });
    entryList(NAMED(ActivityPhase), page, phaseTip, true);
    display(NAMED(ActivityDisplayPhase), page, phaseTip);
    addRow(g, QStringLiteral("Phase"), { ActivityPhase, ActivityDisplayPhase });
    entryList(NAMED(ActivityStatus), page, StatusTip, false);
    display(NAMED(ActivityDisplayStatus), page);
    addRow(g, QStringLiteral("Status"), { ActivityStatus, ActivityDisplayStatus }, 1);
    addTotals(
        g, TotalsHeading,
        { { StartHeading,
            field(NAMED(ActivityTargetStartDate), page,
                  QStringLiteral("Enter The Anticipated Start Date.  Example:  '12/31/2002'")),
            field(NAMED(ActivityActualStartDate), page,
                  QStringLiteral("Enter The Actual Start Date.  Example:  '12/31/2002'")) },
          { StopHeading,
            field(NAMED(ActivityTargetStopDate), page,
                  QStringLiteral("Enter The Anticipated Completion Date.  Example:  '12/31/2002'")),
            field(NAMED(ActivityActualStopDate), page,
                  QStringLiteral("Enter The Actual Completion Date.  Example:  '12/31/2002'")) },
          { EffortHeading,
            field(NAMED(ActivityTargetEffort), page,
                  QStringLiteral("The Anticipated Number Of Hours Required To Complete The Activity")),
            field(NAMED(ActivityActualEffort), page,
                  QStringLiteral("The Actual Number Of Hours Required To Complete The Activity")) },
          { CostHeading, display(NAMED(ActivityTargetCost), page), display(NAMED(ActivityActualCost), page) } });
    named(NAMED(ActivityComponents), page,
          QStringLiteral("Displays All Components That Have Been Linked To This Activity"));
    ActivityComponents->setSelectionMode(QAbstractItemView::NoSelection);
    ActivityComponents->setMaximumHeight(110);
    auto* attachButtons = new QWidget(page);
    auto* v = new QVBoxLayout(attachButtons);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(button(NAMED(cmdAttachComponent), page, QStringLiteral("Attach Component"),
                        QStringLiteral("Click This Button To Update The Component List")));
    v->addWidget(button(NAMED(cmdDone), page, QStringLiteral("Done"),
                        QStringLiteral("When You Have Completed Updating The Component List Click This Button")));
    v->addStretch(1);
    const int row = g->rowCount();
    g->addWidget(label(QStringLiteral("Components")), row, 0);
    g->addWidget(ActivityComponents, row, 1, 1, 3);
    g->addWidget(attachButtons, row, 4);
    addRow(g, QStringLiteral("Notes"), { notesBox(NAMED(ActivityNotes), page) });
    finishTab(g);
    return page;
}

QWidget* Form1::buildSupplierTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tbprojectTab5"));
    auto* g = tabGrid(page);
    pickList(NAMED(SupplierName), page, QStringLiteral("Click On A Name To Select  (REQUIRED)"));
    field(NAMED(SupplierDisplayName), page, QStringLiteral("Enter The Name Of The Supplier  (REQUIRED)"));
    addRow(g, QStringLiteral("Name"), { SupplierName, SupplierDisplayName });
    addRow(g, QStringLiteral("Address Line 1"),
           { field(NAMED(supplieraddress1), page, QStringLiteral("Supplier's Address Line 1"), 30) });
    addRow(g, QStringLiteral("Address Line 2"),
           { field(NAMED(supplieraddress2), page, QStringLiteral("Supplier's Address Line 2"), 30) });
    addRow(g, QStringLiteral("City"), { field(NAMED(suppliercity), page, QStringLiteral("Supplier's City"), 30) });
    addRow(g, QStringLiteral("State"), { field(NAMED(supplierstate), page, QStringLiteral("Supplier's State"), 2) }, 1);
    addRow(g, QStringLiteral("Zip Code"),
           { field(NAMED(supplierzipcode), page, QStringLiteral("Supplier's Zip Code"), 10) }, 1);
    addRow(g, QStringLiteral("Telephone Nbr"),
           { field(NAMED(suppliertelephone), page, QStringLiteral("Supplier's Telephone Number"), 15) }, 1);
    addRow(g, QStringLiteral("Fax Nbr"), { field(NAMED(supplierfax), page, QStringLiteral("Supplier's Fax Number"), 15) },
           1);
    addRow(g, QStringLiteral("Web Site"),
           { field(NAMED(supplieremail), page, QStringLiteral("Supplier's Website Address"), 30) });
    addRow(g, QStringLiteral("Catalog Nbr"),
           { field(NAMED(SupplierCatalogNbr), page, QStringLiteral("The Supplier's Catalog Number"), 20) }, 1);
    addRow(g, QStringLiteral("Notes"), { notesBox(NAMED(SupplierNotes), page) });
    finishTab(g);
    return page;
}

#undef NAMED

} // namespace editor
