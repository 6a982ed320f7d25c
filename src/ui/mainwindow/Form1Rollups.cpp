// Totals of costs, dates and efforts shown on the record tabs.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "common/Formats.h"
#include "project/Rollups.h"
#include "store/Store.h"

#include <QLineEdit>

namespace editor {

const project::ProjectRecords& Form1::records()
{
    if (!inBatch() || !m_records || m_records->carid() != m_carTab->shown.key)
        m_records.emplace(store(), m_carTab->shown.key);
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
        m_figures.emplace(store(), m_carTab->shown.key);
    else if (!m_figures || m_figures->carid() != m_carTab->shown.key)
        m_figures.emplace(m_carTab->shown.key, records().components(), records().activities());
    return *m_figures;
}

void Form1::CalculateCarInfo()
{
    const rollup::ProjectFigures& f = figures();
    m_carTab->showTotals(f.carCosts(), f.carPlan());
}

void Form1::CalculateAssemblyInfo()
{
    const rollup::ProjectFigures& f = figures();
    m_assemblyTab->showTotals(f.assemblyCosts(m_assemblyTab->shown.key), f.assemblyStarts(m_assemblyTab->shown.key));
}

void Form1::CalculateComponentInfo()
{
    m_componentTab->showTotals(figures().componentStarts(attachedActivityID));
}

void Form1::CalculatePhaseInfo()
{
    const rollup::ProjectFigures& f = figures();
    m_phaseTab->showTotals(f.phaseCosts(m_phaseTab->shown.key), f.phasePlan(m_phaseTab->shown.key));
}

void Form1::CalculateActivityInfo()
{
    m_activityTab->showTotals(figures().activityCosts(m_activityTab->shown.key));
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
