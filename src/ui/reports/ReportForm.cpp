#include "reports/ReportForm.h"

#include "common/Clock.h"
#include "gui/BusyWork.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "reports/MaterialsListForm.h"
#include "reports/ProjectPlanForm.h"
#include "reports/ReportRenderer.h"
#include "reports/StatusReportForm.h"
#include "reports/WishListForm.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace reports {

namespace {
const QString ClickPrint = QStringLiteral("click 'Print' Or 'Quit'");
const QString SelectProject = QStringLiteral("Select A Project Car To Print");
} // namespace

ReportForm::ReportForm(const store::Database& database, const QString& caption, QWidget* parent)
    : QDialog(parent)
    , m_store(std::make_unique<store::Store>(database))
{
    setWindowTitle(caption);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    Label1 = new QLabel(QStringLiteral("Select The Project Car"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cboProject = new QComboBox(this);
    cboProject->setObjectName(QStringLiteral("cboProject"));
    cboProject->setMinimumContentsLength(30);
    Label1->setBuddy(cboProject);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cboProject, 0, 1);
    grid->setColumnStretch(1, 1);
    m_criteria = new QWidget(this);
    m_criteria->hide(); // only the status report asks for more
    grid->addWidget(m_criteria, 1, 0, 1, 2);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    cmdPrintReport = new QPushButton(QStringLiteral("&Print"), this);
    cmdPrintReport->setObjectName(QStringLiteral("cmdPrintReport"));
    cmdPreview = new QPushButton(QStringLiteral("Pre&view"), this);
    cmdPreview->setObjectName(QStringLiteral("cmdPreview"));
    cmdPreview->setToolTip(QStringLiteral("Shows The Pages As They Will Print"));
    cmdQuitReport = new QPushButton(QStringLiteral("&Quit"), this);
    cmdQuitReport->setObjectName(QStringLiteral("cmdQuitReport"));
    buttons->addStretch(1);
    for (QPushButton* b : { cmdPrintReport, cmdPreview, cmdQuitReport }) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    sbStatus = new QStatusBar(this);
    sbStatus->setObjectName(QStringLiteral("sbStatus"));
    sbStatus->setSizeGripEnabled(false);
    m_panel = new QLabel(sbStatus);
    sbStatus->addWidget(m_panel, 1);
    layout->addWidget(sbStatus);

    connect(cboProject, &QComboBox::activated, this, &ReportForm::cboProject_Click);
    connect(cmdPrintReport, &QPushButton::clicked, this, &ReportForm::cmdPrintReport_Click);
    connect(cmdPreview, &QPushButton::clicked, this, &ReportForm::cmdPreview_Click);
    connect(cmdQuitReport, &QPushButton::clicked, this, &ReportForm::cmdQuitReport_Click);

    // Form_Load: the projects in the order they were made.
    setPanelText(SelectProject);
    cmdPrintReport->setEnabled(false);
    cmdPreview->setEnabled(false);
    const QList<store::Entry> cars = m_store->cars.allEntries(store::Order::Key);
    for (const store::Entry& car : cars)
        cboProject->addItem(car.text, car.key);
    cboProject->setPlaceholderText(cars.isEmpty() ? QStringLiteral("<No Entries>")
                                                  : QStringLiteral("<Select A Project Car>"));
    cboProject->setCurrentIndex(-1);
    cboProject->setEnabled(!cars.isEmpty());
    resize(560, sizeHint().height());
}

ReportForm::~ReportForm() = default;

QString ReportForm::panelText() const
{
    return m_panel->text();
}

void ReportForm::setPanelText(const QString& text)
{
    m_panel->setText(text);
}

void ReportForm::cboProject_Click()
{
    if (cboProject->currentIndex() < 0)
        return;
    selectedProjectName = cboProject->currentText();
    selectedProjectID = cboProject->currentData().toLongLong();
    const bool ready = readyToPrint();
    cmdPrintReport->setEnabled(ready);
    cmdPreview->setEnabled(ready);
    if (ready) {
        cmdPrintReport->setFocus();
        setPanelText(ClickPrint);
    }
}

void ReportForm::cmdQuitReport_Click()
{
    reject();
}

void ReportForm::cmdPrintReport_Click()
{
    printReport();
    accept();
}

std::optional<ReportDocument> ReportForm::makeDocument(const PageLines& lines)
{
    const ReportRequest request { selectedProjectID, selectedProjectName, common::Clock::now().date(), lines };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        ReportDocument document = buildReport(*m_store, request);
        QApplication::restoreOverrideCursor();
        return document;
    } catch (const store::StoreError& e) {
        QApplication::restoreOverrideCursor();
        // A report cut short by the database is not printed at all; say why.
        gui::MessageBox::show(this, gui::AppTitle,
                              QStringLiteral("The report could not be read from the database.\n\n%1")
                                  .arg(e.explanation()),
                              gui::Icon::Warning, gui::Buttons::Ok, gui::Answer::Ok);
        return std::nullopt;
    }
}

void ReportForm::failed()
{
    cmdPrintReport->setEnabled(false);
    setPanelText(QStringLiteral("Print Has Been Canceled - Select New Print Criteria"));
}

void ReportForm::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(reportMargins(), QPageLayout::Millimeter);
    printer.setCopyCount(1);
    printer.setDocName(windowTitle());
    if (!gui::PrintDialog::exec(printer, this)) {
        failed();
        return;
    }
    // Laid out for the paper chosen in the dialog, so that its pages are the sheets printed.
    const std::optional<ReportDocument> document = makeDocument(pageLines(printer.pageLayout()));
    if (!document) {
        failed();
        return;
    }
    bool printed = false;
    {
        const gui::BusyWork busy(this, QStringLiteral("Printing the report"), QStringLiteral("pages"));
        printed = renderReport(*document, printer, busy.progress());
    }
    if (!printed) {
        gui::MessageBox::show(this, gui::AppTitle, QStringLiteral("The printer could not be used."),
                              gui::Icon::Warning, gui::Buttons::Ok, gui::Answer::Ok);
        failed();
    }
}

void ReportForm::cmdPreview_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(reportMargins(), QPageLayout::Millimeter);
    PageLines lines = pageLines(printer.pageLayout());
    std::optional<ReportDocument> document = makeDocument(lines);
    if (!document)
        return;
    printer.setPageOrientation(document->orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                              : QPageLayout::Portrait);
    // The preview shows the pages as they print on the paper it shows: paper chosen in the preview
    // lays the report out again.
    gui::PrintDialog::preview(printer, this, [&](QPrinter* p) {
        const PageLines now = pageLines(p->pageLayout());
        if (now.landscape != lines.landscape || now.portrait != lines.portrait) {
            if (std::optional<ReportDocument> again = makeDocument(now)) {
                document = std::move(again);
                lines = now;
            }
        }
        renderReport(*document, *p);
    });
}

// --- The four windows --------------------------------------------------------------------------

MaterialsListForm::MaterialsListForm(const store::Database& database, QWidget* parent)
    : ReportForm(database, QStringLiteral("Gear-Log Materials List Report"), parent)
{
    setObjectName(QStringLiteral("MaterialsListForm"));
}

ReportDocument MaterialsListForm::buildReport(const store::Store& store, const ReportRequest& request)
{
    return materialsList(store, request);
}

ProjectPlanForm::ProjectPlanForm(const store::Database& database, QWidget* parent)
    : ReportForm(database, QStringLiteral("Gear-Log Project Plan Report"), parent)
{
    setObjectName(QStringLiteral("ProjectPlanForm"));
}

ReportDocument ProjectPlanForm::buildReport(const store::Store& store, const ReportRequest& request)
{
    return projectPlan(store, request);
}

WishListForm::WishListForm(const store::Database& database, QWidget* parent)
    : ReportForm(database, QStringLiteral("Gear-Log Wish List Report"), parent)
{
    setObjectName(QStringLiteral("WishListForm"));
}

ReportDocument WishListForm::buildReport(const store::Store& store, const ReportRequest& request)
{
    return wishList(store, request);
}

StatusReportForm::StatusReportForm(const store::Database& database, QWidget* parent)
    : ReportForm(database, QStringLiteral("Gear-Log Status Report"), parent)
{
    setObjectName(QStringLiteral("StatusReportForm"));
    criteria()->show();
    auto* row = new QHBoxLayout(criteria());
    row->setContentsMargins(0, 0, 0, 0);
    Label2 = new QLabel(QStringLiteral("Select An  'ASSEMBLY'  Status"), criteria());
    Label2->setObjectName(QStringLiteral("Label2"));
    cboWorkStatus = new QComboBox(criteria());
    cboWorkStatus->setObjectName(QStringLiteral("cboWorkStatus"));
    Label2->setBuddy(cboWorkStatus);
    const QStringList entries = { QStringLiteral("<Select All>"), QStringLiteral("Not Started"),
                                  QStringLiteral("In Process"), QStringLiteral("Completed"), QStringLiteral("On Hold") };
    for (int i = 0; i < entries.size(); ++i)
        cboWorkStatus->addItem(entries.at(i), i);
    cboWorkStatus->setPlaceholderText(QStringLiteral("<Select A Work Status>"));
    cboWorkStatus->setCurrentIndex(-1);
    row->addWidget(Label2);
    row->addWidget(cboWorkStatus, 1);
    disconnect(cboProject, &QComboBox::activated, this, nullptr);
    connect(cboProject, &QComboBox::activated, this, &StatusReportForm::projectChosen);
    connect(cboWorkStatus, &QComboBox::activated, this, &StatusReportForm::cboWorkStatus_Click);
    resize(560, sizeHint().height());
}

void StatusReportForm::projectChosen()
{
    cboProject_Click();
    if (!m_statusChosen) {
        cmdPrintReport->setEnabled(false);
        cmdPreview->setEnabled(false);
        cboWorkStatus->setFocus();
        setPanelText(QStringLiteral("Select A Status Code To Print"));
    }
}

void StatusReportForm::cboWorkStatus_Click()
{
    // The choice counts even before a project is chosen; Print waits for both.
    if (cboWorkStatus->currentIndex() >= 0) {
        const int code = cboWorkStatus->currentData().toInt();
        statusName = code == 0 ? QStringLiteral("Select All") : cboWorkStatus->currentText();
        statusFilter = code - 1;
        m_statusChosen = true;
    }
    if (selectedProjectID == 0) {
        cmdPrintReport->setEnabled(false);
        cboProject->setFocus();
        setPanelText(QStringLiteral("Select A Project Car To Print"));
        return;
    }
    if (!m_statusChosen)
        return;
    cmdPrintReport->setEnabled(true);
    cmdPreview->setEnabled(true);
    cmdPrintReport->setFocus();
    setPanelText(QStringLiteral("click 'Print' Or 'Quit'"));
}

ReportDocument StatusReportForm::buildReport(const store::Store& store, const ReportRequest& request)
{
    return workStatus(store, request, statusFilter);
}

} // namespace reports
