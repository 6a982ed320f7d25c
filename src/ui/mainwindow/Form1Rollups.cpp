// Totals of costs, dates and efforts shown on the record tabs.

#include "mainwindow/Form1.h"

#include "common/Formats.h"
#include "project/Rollups.h"
#include "store/Store.h"

#include <QLineEdit>

namespace editor {

namespace {

void showCosts(const rollup::Costs& c, QLineEdit* target, QLineEdit* actual)
{
    const QString tooLarge = QStringLiteral("(too large)");
    target->setText(c.overflow ? tooLarge : common::formatNumber(c.target, common::fmt::Cost));
    actual->setText(c.overflow ? tooLarge : common::formatNumber(c.actual, common::fmt::Cost));
}

void showPlan(const rollup::Plan& p, std::initializer_list<QLineEdit*> boxes)
{
    // Boxes in the order: target effort, actual effort, target start, actual start, target stop, actual stop.
    const QString texts[6] = {
        QString::number(p.targetEffort),     QString::number(p.actualEffort),
        common::formatDate(p.targetStart),   common::formatDate(p.actualStart),
        common::formatDate(p.targetStop),    common::formatDate(p.actualStop),
    };
    int i = 0;
    for (QLineEdit* box : boxes)
        box->setText(texts[i++]);
}

} // namespace

const rollup::ProjectFigures& Form1::figures()
{
    if (m_figuresBatch == 0 || !m_figures || m_figures->carid() != currentCarID)
        m_figures.emplace(store(), currentCarID);
    return *m_figures;
}

void Form1::CalculateCarInfo()
{
    const rollup::ProjectFigures& figures = this->figures();
    showCosts(figures.carCosts(), CarTargetCost, CarActualCost);
    showPlan(figures.carPlan(), { CarTargetEffort, CarActualEffort, CarTargetStartDate, CarActualStartDate,
                                  CarTargetStopDate, CarActualStopDate });
}

void Form1::CalculateAssemblyInfo()
{
    const rollup::ProjectFigures& figures = this->figures();
    showCosts(figures.assemblyCosts(currentAssemblyID), AssemblyTargetCost, AssemblyActualCost);
    const rollup::Starts starts = figures.assemblyStarts(currentAssemblyID);
    AssemblyTargetStartDate->setText(common::formatDate(starts.target));
    AssemblyActualStartDate->setText(common::formatDate(starts.actual));
}

void Form1::CalculateComponentInfo()
{
    ComponentTargetStartDate->clear();
    ComponentActualStartDate->clear();
    const rollup::ProjectFigures& figures = this->figures();
    const rollup::Starts starts = figures.componentStarts(attachedActivityID);
    ComponentTargetStartDate->setText(common::formatDate(starts.target));
    ComponentActualStartDate->setText(common::formatDate(starts.actual));
}

void Form1::CalculatePhaseInfo()
{
    const rollup::ProjectFigures& figures = this->figures();
    showCosts(figures.phaseCosts(currentPhaseID), PhaseTargetCost, PhaseActualCost);
    showPlan(figures.phasePlan(currentPhaseID), { PhaseTargetEffort, PhaseActualEffort, PhaseTargetStartDate,
                                                  PhaseActualStartDate, PhaseTargetStopDate, PhaseActualStopDate });
}

void Form1::CalculateActivityInfo()
{
    const rollup::ProjectFigures& figures = this->figures();
    showCosts(figures.activityCosts(currentActivityID), ActivityTargetCost, ActivityActualCost);
}

void Form1::RecalcCosts()
{
    if (!costsChanged)
        return;
    const FiguresBatch batch(*this);
    CalculateAssemblyInfo();
    CalculateCarInfo();
    CalculatePhaseInfo();
    CalculateActivityInfo();
}

void Form1::RecalcDates()
{
    if (!datesChanged)
        return;
    const FiguresBatch batch(*this);
    CalculateAssemblyInfo();
    CalculateCarInfo();
    CalculatePhaseInfo();
    CalculateComponentInfo();
}

} // namespace editor
