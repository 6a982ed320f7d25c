// Totals of costs, dates and efforts shown on the record tabs.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

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

const project::ProjectRecords& Form1::records()
{
    if (!inBatch() || !m_records || m_records->carid() != currentCarID)
        m_records.emplace(store(), currentCarID);
    return *m_records;
}

void Form1::forgetRecords()
{
    m_records.reset();
    m_figures.reset();
}

const rollup::ProjectFigures& Form1::figures()
{
    if (!inBatch())
        m_figures.emplace(store(), currentCarID);
    else if (!m_figures || m_figures->carid() != currentCarID)
        m_figures.emplace(currentCarID, records().components(), records().activities());
    return *m_figures;
}

void Form1::CalculateCarInfo()
{
    const rollup::ProjectFigures& figures = this->figures();
    showCosts(figures.carCosts(), m_carTab->CarTargetCost, m_carTab->CarActualCost);
    showPlan(figures.carPlan(), { m_carTab->CarTargetEffort, m_carTab->CarActualEffort, m_carTab->CarTargetStartDate, m_carTab->CarActualStartDate,
                                  m_carTab->CarTargetStopDate, m_carTab->CarActualStopDate });
}

void Form1::CalculateAssemblyInfo()
{
    const rollup::ProjectFigures& figures = this->figures();
    showCosts(figures.assemblyCosts(currentAssemblyID), m_assemblyTab->AssemblyTargetCost, m_assemblyTab->AssemblyActualCost);
    const rollup::Starts starts = figures.assemblyStarts(currentAssemblyID);
    m_assemblyTab->AssemblyTargetStartDate->setText(common::formatDate(starts.target));
    m_assemblyTab->AssemblyActualStartDate->setText(common::formatDate(starts.actual));
}

void Form1::CalculateComponentInfo()
{
    m_componentTab->ComponentTargetStartDate->clear();
    m_componentTab->ComponentActualStartDate->clear();
    const rollup::ProjectFigures& figures = this->figures();
    const rollup::Starts starts = figures.componentStarts(attachedActivityID);
    m_componentTab->ComponentTargetStartDate->setText(common::formatDate(starts.target));
    m_componentTab->ComponentActualStartDate->setText(common::formatDate(starts.actual));
}

void Form1::CalculatePhaseInfo()
{
    const rollup::ProjectFigures& figures = this->figures();
    showCosts(figures.phaseCosts(currentPhaseID), m_phaseTab->PhaseTargetCost, m_phaseTab->PhaseActualCost);
    showPlan(figures.phasePlan(currentPhaseID), { m_phaseTab->PhaseTargetEffort, m_phaseTab->PhaseActualEffort, m_phaseTab->PhaseTargetStartDate,
                                                  m_phaseTab->PhaseActualStartDate, m_phaseTab->PhaseTargetStopDate, m_phaseTab->PhaseActualStopDate });
}

void Form1::CalculateActivityInfo()
{
    const rollup::ProjectFigures& figures = this->figures();
    showCosts(figures.activityCosts(currentActivityID), m_activityTab->ActivityTargetCost, m_activityTab->ActivityActualCost);
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
