#pragma once

#include "common/Money.h"
#include "store/RecordTraits.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace store {
class Store;
}

namespace charts {

// The four charts of a project's budget and spending.
enum class Chart { Budget, Assemblies, Spending, Hours };

inline constexpr Chart AllCharts[] = { Chart::Budget, Chart::Assemblies, Chart::Spending, Chart::Hours };

// "budget", "assemblies", "spending", "hours": the names the command line and the files use.
QString chartName(Chart chart);
std::optional<Chart> chartNamed(const QString& name);
// The caption of the chart in the window and on its pages.
QString chartTitle(Chart chart);

// A money figure of a chart: exact, or past what money can hold (shown as too large).
struct Amount
{
    common::Money value;
    bool tooLarge = false;

    Amount plus(const Amount& other) const;
    Amount minus(const Amount& other) const;
    bool operator==(const Amount&) const = default;
};

struct BudgetFigures
{
    std::optional<common::Money> totalBudget;
    std::optional<common::Money> purchasePrice;
    std::optional<common::Money> resaleValue;
    Amount targetCost; // the Car tab's target cost total
    Amount actualCost; // the Car tab's actual cost total
    Amount planned; // purchase price plus target cost
    Amount spent; // purchase price plus actual cost
    std::optional<Amount> remaining; // budget less spent (negative: over budget); none without a budget
    std::optional<Amount> plannedRemaining; // budget less planned
    std::optional<Amount> resaleLessSpent; // none without a resale value
};

struct AssemblyBar
{
    store::Key assemblyid = 0;
    QString description;
    std::optional<qint32> status;
    Amount target;
    Amount actual;
    int components = 0;
    // The components with no actual cost yet (Null or 0), and their share of the target.
    int unpriced = 0;
    Amount unpricedTarget;
};

// Cumulative figures at the end of a month.
struct MonthPoint
{
    QDate month; // the first day of the month
    Amount planned;
    Amount actual;
};

struct SpendingFigures
{
    QList<MonthPoint> months; // from the first dated month to the last, every month
    Amount undatedPlanned; // components with no target stop date to be placed at
    Amount undatedActual; // components with an actual cost and no actual date
    int undatedPlannedCount = 0;
    int undatedActualCount = 0;
};

struct PhaseHours
{
    store::Key phaseid = 0;
    QString description;
    qint64 planned = 0;
    qint64 actual = 0;
};

struct HoursPoint
{
    QDate month;
    qint64 planned = 0;
    qint64 actual = 0;
};

struct HoursFigures
{
    QList<PhaseHours> phases; // in priority order
    qint64 plannedTotal = 0; // the Car tab's target effort
    qint64 actualTotal = 0; // the Car tab's actual effort
    QList<HoursPoint> months;
    // What the dated activities leave of the totals: the hours of activities without a date.
    qint64 undatedPlanned = 0;
    qint64 undatedActual = 0;
    int undatedPlannedCount = 0;
    int undatedActualCount = 0;
};

// Every figure of every chart of one project, worked out by the roll-ups' arithmetic, so that each
// equals what the main window and the reports show.
struct ChartFigures
{
    store::Key carid = 0;
    QString project;
    BudgetFigures budget;
    QList<AssemblyBar> assemblies; // largest target first
    SpendingFigures spending;
    HoursFigures hours;
};

// Reads the project once; nullopt when there is no such project. Throws store::StoreError.
std::optional<ChartFigures> loadFigures(const store::Store& store, store::Key carid);

// What a chart shows instead of an empty axis; empty when the chart has something to draw.
QString emptySentence(const ChartFigures& figures, Chart chart);

} // namespace charts
