#include "charts/BudgetChartsForm.h"

#include "charts/ChartExport.h"
#include "gui/Dialogs.h"
#include "gui/StoreErrors.h"
#include "project/ProjectSession.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QToolTip>
#include <QVBoxLayout>

namespace charts {

ChartView::ChartView(const ChartFigures& figures, QWidget* parent)
    : QWidget(parent)
    , m_figures(figures)
{
    setObjectName(QStringLiteral("chartView"));
    setMinimumSize(480, 320);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setChart(Chart::Budget);
}

void ChartView::setChart(Chart chart)
{
    m_chart = chart;
    m_scene = {};
    // What a screen reader, and the user, are told is showing.
    setAccessibleName(chartTitle(chart));
    const QString sentence = emptySentence(m_figures, chart);
    setAccessibleDescription(sentence);
    update();
}

const Scene& ChartView::scene()
{
    if (m_scene.size != QSizeF(size()))
        m_scene = layoutChart(m_figures, m_chart, QSizeF(size()));
    return m_scene;
}

bool ChartView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = scene().tipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintScene(painter, scene(), rect());
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    m_scene = {};
    QWidget::resizeEvent(event);
}

BudgetChartsForm::BudgetChartsForm(ChartFigures figures, QWidget* parent)
    : QDialog(parent)
    , m_figures(std::move(figures))
    , m_tabs(new QTabBar(this))
    , m_view(new ChartView(m_figures, this))
{
    setObjectName(QStringLiteral("BudgetChartsForm"));
    setWindowTitle(QStringLiteral("Budget And Spending: %1").arg(m_figures.project));
    setSizeGripEnabled(true);
    m_tabs->setObjectName(QStringLiteral("tabCharts"));
    for (Chart chart : AllCharts)
        m_tabs->addTab(chartTitle(chart));
    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* cmdPrint = button("cmdPrint", QStringLiteral("&Print..."));
    QPushButton* cmdSaveAs = button("cmdSaveAs", QStringLiteral("&Save As..."));
    QPushButton* cmdClose = button("cmdClose", QStringLiteral("&Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : { cmdPrint, cmdSaveAs, cmdClose })
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    connect(m_tabs, &QTabBar::currentChanged, this, &BudgetChartsForm::showChart);
    connect(cmdPrint, &QPushButton::clicked, this, &BudgetChartsForm::print);
    connect(cmdSaveAs, &QPushButton::clicked, this, &BudgetChartsForm::saveAs);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    resize(960, 680);
}

void BudgetChartsForm::showFor(const project::ProjectSession& session, QWidget* parent)
{
    const store::Key carid = session.currentCar();
    if (carid == 0) {
        gui::MessageBox::notice(parent, QStringLiteral("Please Select A Project Car To Work With"));
        return;
    }
    std::optional<ChartFigures> figures;
    if (!gui::guarded(parent, QStringLiteral("reading the project's figures"),
            [&] { figures = loadFigures(session.store(), carid); })
        || !figures)
        return;
    BudgetChartsForm form(std::move(*figures), parent);
    form.exec();
}

void BudgetChartsForm::showChart(int index)
{
    m_view->setChart(AllCharts[std::clamp(index, 0, int(std::size(AllCharts)) - 1)]);
}

void BudgetChartsForm::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Gear-Log %1").arg(chartTitle(m_view->chart())));
    if (gui::PrintDialog::exec(printer, this) && !paintOnPage(printer, m_figures, m_view->chart()))
        gui::MessageBox::notice(this, QStringLiteral("The Chart Could Not Be Printed"));
}

void BudgetChartsForm::saveAs()
{
    const QString proposed = QDir::home().filePath(QStringLiteral("%1.png").arg(chartName(m_view->chart())));
    QString path = gui::FileDialog::getSaveFileName(this, QStringLiteral("Save Chart As"), proposed,
        QStringLiteral("PNG Picture (*.png);;SVG Drawing (*.svg);;PDF Document (*.pdf);;JSON Figures (*.json)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    const QString failure = writeChart(m_figures, m_view->chart(), path);
    if (!failure.isEmpty())
        gui::MessageBox::notice(this, QStringLiteral("Could Not Write %1: %2").arg(path, failure));
}

} // namespace charts
