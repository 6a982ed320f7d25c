#include "charts/ChartFigures.h"

#include "common/Totals.h"
#include "project/Rollups.h"
#include "store/Store.h"

#include <QMap>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace charts {

namespace rollup = editor::rollup;

namespace {

QDate monthOf(const QDate& date)
{
    return QDate(date.year(), date.month(), 1);
}

Amount amountOf(const common::Money& money)
{
    return { money, false };
}

Amount tooLarge()
{
    return { {}, true };
}

// The costs of one component, as the roll-ups count it (unit cost times quantity).
rollup::Costs costsOf(const store::Component& c)
{
    return rollup::sumCosts({ &c });
}

std::optional<Amount> less(const std::optional<common::Money>& from, const Amount& amount)
{
    if (!from)
        return std::nullopt;
    return amountOf(*from).minus(amount);
}

BudgetFigures budgetOf(const store::Car& car, const rollup::Costs& costs)
{
    BudgetFigures b;
    b.totalBudget = car.totalbudget;
    b.purchasePrice = car.purchaseprice;
    b.resaleValue = car.resalevalue;
    b.targetCost = costs.overflow ? tooLarge() : amountOf(costs.target);
    b.actualCost = costs.overflow ? tooLarge() : amountOf(costs.actual);
    const Amount purchase = amountOf(car.purchaseprice.value_or(common::Money()));
    b.planned = purchase.plus(b.targetCost);
    b.spent = purchase.plus(b.actualCost);
    b.remaining = less(car.totalbudget, b.spent);
    b.plannedRemaining = less(car.totalbudget, b.planned);
    b.resaleLessSpent = less(car.resalevalue, b.spent);
    return b;
}

bool hasHours(const std::optional<double>& effort)
{
    return effort && std::isfinite(*effort) && *effort != 0;
}

bool unpriced(const store::Component& c)
{
    return !c.actualcost || c.actualcost->isZero();
}

QList<AssemblyBar> assembliesOf(const store::Store& store, store::Key carid, const rollup::ProjectFigures& figures,
    const QList<store::Component>& components)
{
    QHash<store::Key, QList<const store::Component*>> open;
    QHash<store::Key, int> counts;
    for (const store::Component& c : components) {
        ++counts[c.assemblyid];
        if (unpriced(c))
            open[c.assemblyid].append(&c);
    }
    QList<AssemblyBar> bars;
    for (const store::Assembly& a : store.assemblies.forCar(carid, store::Order::Description)) {
        const rollup::Costs costs = figures.assemblyCosts(a.assemblyid);
        const QList<const store::Component*> rows = open.value(a.assemblyid);
        const rollup::Costs left = rollup::sumCosts(rows);
        bars.append({ a.assemblyid, a.Description, a.Status, costs.overflow ? tooLarge() : amountOf(costs.target),
            costs.overflow ? tooLarge() : amountOf(costs.actual), counts.value(a.assemblyid), int(rows.size()),
            left.overflow ? tooLarge() : amountOf(left.target) });
    }
    // Largest target first, then largest actual; a total too large to hold is the largest.
    const auto key = [](const Amount& a) { return std::pair(a.tooLarge, a.value); };
    std::stable_sort(bars.begin(), bars.end(), [&key](const AssemblyBar& a, const AssemblyBar& b) {
        if (key(a.target) != key(b.target))
            return key(a.target) > key(b.target);
        return key(a.actual) > key(b.actual);
    });
    return bars;
}

// Every month from the first to the last of the keys.
QList<QDate> monthsBetween(const QList<QDate>& months)
{
    QList<QDate> all;
    if (months.isEmpty())
        return all;
    const auto [first, last] = std::minmax_element(months.cbegin(), months.cend());
    for (QDate m = *first; m <= *last; m = m.addMonths(1))
        all.append(m);
    return all;
}

SpendingFigures spendingOf(
    const QList<store::Component>& components, const QHash<store::Key, const store::Activity*>& activities)
{
    SpendingFigures s;
    QMap<QDate, Amount> planned, actual;
    for (const store::Component& c : components) {
        const rollup::Costs costs = costsOf(c);
        const Amount target = costs.overflow ? tooLarge() : amountOf(costs.target);
        const Amount spent = costs.overflow ? tooLarge() : amountOf(costs.actual);
        const store::Activity* a = c.isAttached() ? activities.value(*c.ActivityID, nullptr) : nullptr;
        const QDate plannedOn = a ? a->targetstopdate : QDate();
        const QDate spentOn = !a ? QDate() : a->actualstopdate.isValid() ? a->actualstopdate : a->actualstartdate;
        if (target.tooLarge || !target.value.isZero()) {
            if (plannedOn.isValid())
                planned[monthOf(plannedOn)] = planned.value(monthOf(plannedOn)).plus(target);
            else {
                s.undatedPlanned = s.undatedPlanned.plus(target);
                ++s.undatedPlannedCount;
            }
        }
        if (spent.tooLarge || !spent.value.isZero()) {
            if (spentOn.isValid())
                actual[monthOf(spentOn)] = actual.value(monthOf(spentOn)).plus(spent);
            else {
                s.undatedActual = s.undatedActual.plus(spent);
                ++s.undatedActualCount;
            }
        }
    }
    Amount plannedSum, actualSum;
    for (const QDate& month : monthsBetween(planned.keys() + actual.keys())) {
        plannedSum = plannedSum.plus(planned.value(month));
        actualSum = actualSum.plus(actual.value(month));
        s.months.append({ month, plannedSum, actualSum });
    }
    return s;
}

HoursFigures hoursOf(const store::Store& store, store::Key carid, const rollup::ProjectFigures& figures,
    const QList<store::Activity>& activities)
{
    HoursFigures h;
    for (const store::Phase& p : store.phases.forCar(carid, store::Order::Sequence)) {
        const rollup::Plan plan = figures.phasePlan(p.PhaseID);
        h.phases.append({ p.PhaseID, p.Description, plan.targetEffort, plan.actualEffort });
    }
    const rollup::Plan total = figures.carPlan();
    h.plannedTotal = total.targetEffort;
    h.actualTotal = total.actualEffort;

    // The roll-ups round the running total at each step, so a cumulative figure is the roll-up of
    // the activities dated up to then (in key order), not a sum of rounded parts.
    QMap<QDate, QList<const store::Activity*>> plannedIn, actualIn;
    QList<const store::Activity*> plannedDated, actualDated;
    for (const store::Activity& a : activities) {
        const QDate actualOn = a.actualstopdate.isValid() ? a.actualstopdate : a.actualstartdate;
        if (hasHours(a.targeteffort)) {
            if (a.targetstopdate.isValid())
                plannedIn[monthOf(a.targetstopdate)].append(&a);
            else
                ++h.undatedPlannedCount;
        }
        if (hasHours(a.actualeffort)) {
            if (actualOn.isValid())
                actualIn[monthOf(actualOn)].append(&a);
            else
                ++h.undatedActualCount;
        }
    }
    const auto byKey = [](const store::Activity* a, const store::Activity* b) { return a->ActivityID < b->ActivityID; };
    qint64 plannedSum = 0, actualSum = 0;
    for (const QDate& month : monthsBetween(plannedIn.keys() + actualIn.keys())) {
        if (plannedIn.contains(month)) {
            plannedDated += plannedIn.value(month);
            std::sort(plannedDated.begin(), plannedDated.end(), byKey);
            plannedSum = rollup::sumPlan(plannedDated).targetEffort;
        }
        if (actualIn.contains(month)) {
            actualDated += actualIn.value(month);
            std::sort(actualDated.begin(), actualDated.end(), byKey);
            actualSum = rollup::sumPlan(actualDated).actualEffort;
        }
        h.months.append({ month, plannedSum, actualSum });
    }
    h.undatedPlanned = common::addHours(h.plannedTotal, -plannedSum);
    h.undatedActual = common::addHours(h.actualTotal, -actualSum);
    return h;
}

} // namespace

QString chartName(Chart chart)
{
    switch (chart) {
    case Chart::Budget:
        return QStringLiteral("budget");
    case Chart::Assemblies:
        return QStringLiteral("assemblies");
    case Chart::Spending:
        return QStringLiteral("spending");
    case Chart::Hours:
        break;
    }
    return QStringLiteral("hours");
}

std::optional<Chart> chartNamed(const QString& name)
{
    for (Chart chart : AllCharts) {
        if (chartName(chart) == name)
            return chart;
    }
    return std::nullopt;
}

QString chartTitle(Chart chart)
{
    switch (chart) {
    case Chart::Budget:
        return QStringLiteral("Budget");
    case Chart::Assemblies:
        return QStringLiteral("By Assembly");
    case Chart::Spending:
        return QStringLiteral("Spending Over Time");
    case Chart::Hours:
        break;
    }
    return QStringLiteral("Hours");
}

Amount Amount::plus(const Amount& other) const
{
    if (tooLarge || other.tooLarge)
        return charts::tooLarge();
    try {
        return { value + other.value, false };
    } catch (const std::overflow_error&) {
        return charts::tooLarge();
    }
}

Amount Amount::minus(const Amount& other) const
{
    if (tooLarge || other.tooLarge)
        return charts::tooLarge();
    try {
        return { value - other.value, false };
    } catch (const std::overflow_error&) {
        return charts::tooLarge();
    }
}

std::optional<ChartFigures> loadFigures(const store::Store& store, store::Key carid)
{
    const std::optional<store::Car> car = store.cars.find(carid);
    if (!car)
        return std::nullopt;
    const QList<store::Component> components = store.components.forCar(carid, store::Order::Key);
    const QList<store::Activity> activities = store.activities.forCar(carid, store::Order::Key);
    const rollup::ProjectFigures figures(carid, components, activities);
    QHash<store::Key, const store::Activity*> byKey;
    for (const store::Activity& a : activities)
        byKey.insert(a.ActivityID, &a);

    ChartFigures f;
    f.carid = carid;
    f.project = car->Description;
    f.budget = budgetOf(*car, figures.carCosts());
    f.assemblies = assembliesOf(store, carid, figures, components);
    f.spending = spendingOf(components, byKey);
    f.hours = hoursOf(store, carid, figures, activities);
    return f;
}

QString emptySentence(const ChartFigures& f, Chart chart)
{
    switch (chart) {
    case Chart::Budget: {
        const BudgetFigures& b = f.budget;
        if (b.totalBudget || b.purchasePrice || b.resaleValue || b.targetCost.tooLarge || b.actualCost.tooLarge
            || !b.targetCost.value.isZero() || !b.actualCost.value.isZero())
            return {};
        return QStringLiteral("There Is No Budget, Price Or Cost Entered For This Project");
    }
    case Chart::Assemblies:
        return f.assemblies.isEmpty() ? QStringLiteral("There Are No Assemblies Entered For This Project") : QString();
    case Chart::Spending:
        return f.spending.months.isEmpty()
            ? QStringLiteral("There Are No Dated Costs For This Project: Costs Take The Dates Of Their Activities")
            : QString();
    case Chart::Hours:
        break;
    }
    return f.hours.phases.isEmpty() && f.hours.months.isEmpty()
        ? QStringLiteral("There Are No Phases Entered For This Project")
        : QString();
}

} // namespace charts
