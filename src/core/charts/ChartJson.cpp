#include "charts/ChartJson.h"

#include "common/Status.h"
#include "common/Totals.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace charts {

namespace {

QJsonValue money(const Amount& amount)
{
    return moneyText(amount);
}

QJsonValue money(const std::optional<common::Money>& value)
{
    return value ? QJsonValue(moneyText({ *value, false })) : QJsonValue();
}

QJsonValue money(const std::optional<Amount>& amount)
{
    return amount ? money(*amount) : QJsonValue();
}

QJsonValue hours(qint64 value)
{
    // Whole hours up to 9e18 do not all fit a double: past 2^53 they go as text.
    constexpr qint64 exact = qint64(1) << 53;
    return value > -exact && value < exact ? QJsonValue(double(value)) : QJsonValue(QString::number(value));
}

QString day(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QJsonObject budget(const BudgetFigures& b)
{
    const QJsonObject figures { { QStringLiteral("totalBudget"), money(b.totalBudget) },
        { QStringLiteral("purchasePrice"), money(b.purchasePrice) },
        { QStringLiteral("resaleValue"), money(b.resaleValue) }, { QStringLiteral("targetCost"), money(b.targetCost) },
        { QStringLiteral("actualCost"), money(b.actualCost) }, { QStringLiteral("planned"), money(b.planned) },
        { QStringLiteral("spent"), money(b.spent) }, { QStringLiteral("remaining"), money(b.remaining) },
        { QStringLiteral("plannedRemaining"), money(b.plannedRemaining) },
        { QStringLiteral("resaleLessSpent"), money(b.resaleLessSpent) } };
    // The bars as drawn, top to bottom; a figure not entered is null.
    QJsonArray series;
    const std::pair<const char*, QJsonValue> bars[]
        = { { "Total Budget", money(b.totalBudget) }, { "Planned Cost", money(b.planned) },
              { "Money Spent", money(b.spent) }, { "Resale Value", money(b.resaleValue) } };
    for (const auto& [name, value] : bars)
        series.append(
            QJsonObject { { QStringLiteral("name"), QLatin1String(name) }, { QStringLiteral("value"), value } });
    return { { QStringLiteral("figures"), figures }, { QStringLiteral("series"), series } };
}

QJsonObject assemblies(const QList<AssemblyBar>& bars)
{
    QJsonArray series;
    for (const AssemblyBar& a : bars) {
        series.append(QJsonObject { { QStringLiteral("assemblyid"), QString::number(a.assemblyid) },
            { QStringLiteral("description"), a.description },
            { QStringLiteral("status"), a.status ? QJsonValue(*a.status) : QJsonValue() },
            { QStringLiteral("statusText"), a.status ? common::statusText(*a.status) : common::NoStatusText },
            { QStringLiteral("target"), money(a.target) }, { QStringLiteral("actual"), money(a.actual) },
            { QStringLiteral("components"), a.components }, { QStringLiteral("unpriced"), a.unpriced },
            { QStringLiteral("unpricedTarget"), money(a.unpricedTarget) } });
    }
    return { { QStringLiteral("series"), series } };
}

QJsonObject spending(const SpendingFigures& s)
{
    QJsonArray series;
    for (const MonthPoint& p : s.months)
        series.append(QJsonObject { { QStringLiteral("month"), day(p.month) },
            { QStringLiteral("planned"), money(p.planned) }, { QStringLiteral("actual"), money(p.actual) } });
    const QJsonObject undated { { QStringLiteral("planned"), money(s.undatedPlanned) },
        { QStringLiteral("actual"), money(s.undatedActual) },
        { QStringLiteral("plannedComponents"), s.undatedPlannedCount },
        { QStringLiteral("actualComponents"), s.undatedActualCount } };
    return { { QStringLiteral("series"), series }, { QStringLiteral("undated"), undated } };
}

QJsonObject hoursChart(const HoursFigures& h)
{
    QJsonArray phases;
    for (const PhaseHours& p : h.phases)
        phases.append(QJsonObject { { QStringLiteral("phaseid"), QString::number(p.phaseid) },
            { QStringLiteral("description"), p.description }, { QStringLiteral("planned"), hours(p.planned) },
            { QStringLiteral("actual"), hours(p.actual) } });
    QJsonArray series;
    for (const HoursPoint& p : h.months)
        series.append(QJsonObject { { QStringLiteral("month"), day(p.month) },
            { QStringLiteral("planned"), hours(p.planned) }, { QStringLiteral("actual"), hours(p.actual) } });
    const QJsonObject figures { { QStringLiteral("plannedTotal"), hours(h.plannedTotal) },
        { QStringLiteral("actualTotal"), hours(h.actualTotal) } };
    const QJsonObject undated { { QStringLiteral("planned"), hours(h.undatedPlanned) },
        { QStringLiteral("actual"), hours(h.undatedActual) },
        { QStringLiteral("plannedActivities"), h.undatedPlannedCount },
        { QStringLiteral("actualActivities"), h.undatedActualCount } };
    return { { QStringLiteral("phases"), phases }, { QStringLiteral("series"), series },
        { QStringLiteral("figures"), figures }, { QStringLiteral("undated"), undated } };
}

} // namespace

QString moneyText(const Amount& amount)
{
    if (amount.tooLarge)
        return common::TooLargeText;
    // Digit by digit from the units, so that the most negative amount is written too.
    const qint64 units = amount.value.units();
    const quint64 magnitude = units < 0 ? 0 - quint64(units) : quint64(units);
    const quint64 scale = quint64(common::Money::Scale);
    return QStringLiteral("%1%2.%3")
        .arg(units < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / scale)
        .arg(magnitude % scale, 4, 10, QLatin1Char('0'));
}

QByteArray chartJson(const ChartFigures& figures, Chart chart)
{
    QJsonObject json;
    switch (chart) {
    case Chart::Budget:
        json = budget(figures.budget);
        break;
    case Chart::Assemblies:
        json = assemblies(figures.assemblies);
        break;
    case Chart::Spending:
        json = spending(figures.spending);
        break;
    case Chart::Hours:
        json = hoursChart(figures.hours);
        break;
    }
    json.insert(QStringLiteral("chart"), chartName(chart));
    json.insert(QStringLiteral("project"), figures.project);
    json.insert(QStringLiteral("carid"), QString::number(figures.carid));
    const QString sentence = emptySentence(figures, chart);
    json.insert(QStringLiteral("empty"), sentence.isEmpty() ? QJsonValue() : QJsonValue(sentence));
    return QJsonDocument(json).toJson();
}

} // namespace charts
