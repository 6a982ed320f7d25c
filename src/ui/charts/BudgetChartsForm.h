#pragma once

#include "charts/ChartFigures.h"
#include "charts/ChartScene.h"

#include <QDialog>
#include <QWidget>

class QPushButton;
class QTabBar;

namespace project {
class ProjectSession;
}

namespace charts {

// Draws one chart at its own size and shows the figure under the mouse.
class ChartView : public QWidget
{
    Q_OBJECT
public:
    explicit ChartView(const ChartFigures& figures, QWidget* parent = nullptr);

    void setChart(Chart chart);
    Chart chart() const { return m_chart; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const Scene& scene();

    const ChartFigures& m_figures;
    Chart m_chart = Chart::Budget;
    Scene m_scene; // laid out for the size shown; empty once stale
};

// The budget and spending charts of one project, with Print and Save As.
class BudgetChartsForm : public QDialog
{
    Q_OBJECT
public:
    BudgetChartsForm(ChartFigures figures, QWidget* parent = nullptr);

    // For the session's current car; asks for one to be picked when there is none.
    static void showFor(const project::ProjectSession& session, QWidget* parent);

private:
    void showChart(int index);
    void print();
    void saveAs();

    ChartFigures m_figures;
    QTabBar* m_tabs;
    ChartView* m_view;
};

} // namespace charts
