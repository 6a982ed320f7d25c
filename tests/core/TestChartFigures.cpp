// The charts' figures and their JSON: the sample project and two of our own worked out by hand, and
// every total equal to the roll-ups the main window shows.

#include "support/TestDatabase.h"

#include "charts/ChartJson.h"
#include "common/Totals.h"
#include "project/Rollups.h"
#include "store/Store.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using common::Money;

namespace {

Money dollars(double amount)
{
    return Money::fromUnits(qRound64(amount * Money::Scale));
}

} // namespace

class TestChartFigures : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;
    std::unique_ptr<store::Database> m_db;
    store::Key m_undated = 0; // no dates anywhere
    store::Key m_over = 0; // over budget; an assembly with no actual cost, one with no components

    QJsonObject json(store::Key car, const QString& chart)
    {
        const auto figures = charts::loadFigures(store::Store(*m_db), car);
        return QJsonDocument::fromJson(charts::chartJson(*figures, *charts::chartNamed(chart))).object();
    }

    // A path into the JSON, "figures.remaining" or "series.2.actual", as compact text.
    static QString at(QJsonValue v, const QString& path)
    {
        for (const QString& step : path.split(u'.'))
            v = v.isArray() ? v.toArray().at(step.toInt()) : v.toObject().value(step);
        return v.isString() ? v.toString()
            : v.isArray()   ? QString::number(v.toArray().size())
                            : v.toVariant().toString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_db = store::Database::open(m_files.copySample());
        store::Store s(*m_db);
        m_undated = s.cars.add(
            { .Description = QStringLiteral("No dates"), .purchaseprice = dollars(200), .totalbudget = dollars(1000) });
        const auto seats
            = s.assemblies.add({ .carid = m_undated, .Description = QStringLiteral("Seats"), .Status = 2 });
        const auto work
            = s.phases.add({ .carid = m_undated, .prioritysequence = 1, .Description = QStringLiteral("Work") });
        const auto act = s.activities.add({ .carid = m_undated,
            .PhaseID = work,
            .Description = QStringLiteral("Trim"),
            .targeteffort = 2.5,
            .actualeffort = 1.5 });
        s.components.add({ .carid = m_undated,
            .assemblyid = seats,
            .ActivityID = act,
            .quantity = 2,
            .targetcost = dollars(10.5),
            .actualcost = dollars(11.25) });
        s.components.add({ .carid = m_undated, .assemblyid = seats, .quantity = 3, .targetcost = Money::fromUnits(1) });

        m_over = s.cars.add({ .Description = QStringLiteral("Over"),
            .purchaseprice = dollars(90),
            .resalevalue = dollars(50),
            .totalbudget = dollars(100) });
        const auto body = s.assemblies.add({ .carid = m_over, .Description = QStringLiteral("Body"), .Status = 1 });
        const auto glass = s.assemblies.add({ .carid = m_over, .Description = QStringLiteral("Glass"), .Status = 3 });
        s.assemblies.add({ .carid = m_over, .Description = QStringLiteral("Spare") });
        const auto paint
            = s.phases.add({ .carid = m_over, .prioritysequence = 1, .Description = QStringLiteral("Paint") });
        const auto spray = s.activities.add({ .carid = m_over,
            .PhaseID = paint,
            .Description = QStringLiteral("Spray"),
            .targetstartdate = QDate(2024, 1, 2),
            .targetstopdate = QDate(2024, 1, 31),
            .targeteffort = 10,
            .actualstartdate = QDate(2024, 2, 10),
            .actualeffort = 4 });
        s.components.add({ .carid = m_over,
            .assemblyid = body,
            .ActivityID = spray,
            .quantity = 1,
            .targetcost = dollars(20),
            .actualcost = dollars(30) });
        s.components.add({ .carid = m_over,
            .assemblyid = glass,
            .ActivityID = spray,
            .quantity = 2,
            .targetcost = dollars(5),
            .actualcost = Money() });
    }

    void figures_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* p, const char* c, const char* path, const QString& v) {
            QTest::addRow("%s %s %s", p, c, path) << p << c << path << v;
        };
        // The sample: $18,000 budget, $6,500 paid, $34,000 resale; 40 components, 20 activities.
        row("sample", "budget", "figures.targetCost", "7318.8500");
        row("sample", "budget", "figures.actualCost", "1954.1200");
        row("sample", "budget", "figures.planned", "13818.8500");
        row("sample", "budget", "figures.spent", "8454.1200");
        row("sample", "budget", "figures.remaining", "9545.8800");
        row("sample", "budget", "figures.plannedRemaining", "4181.1500");
        row("sample", "budget", "figures.resaleLessSpent", "25545.8800");
        row("sample", "budget", "empty", "");
        row("sample", "budget", "series.3.value", "34000.0000");
        row("sample", "assemblies", "series.0.description", "Body & Paint");
        row("sample", "assemblies", "series.0.target", "1638.9000");
        row("sample", "assemblies", "series.0.unpricedTarget", "1499.0000");
        row("sample", "assemblies", "series.1.description", "Wheels & Trim");
        row("sample", "assemblies", "series.1.unpriced", "4");
        row("sample", "assemblies", "series.6.description", "Suspension & Steering");
        row("sample", "assemblies", "series.6.actual", "643.6600");
        row("sample", "assemblies", "series.6.statusText", "In Process");
        row("sample", "spending", "series", "13");
        row("sample", "spending", "series.0.month", "2025-07-01");
        row("sample", "spending", "series.1.actual", "708.0100");
        row("sample", "spending", "series.7.month", "2026-02-01");
        row("sample", "spending", "series.7.planned", "1305.4000");
        row("sample", "spending", "series.12.planned", "2043.4000");
        row("sample", "spending", "series.12.actual", "1233.2600");
        row("sample", "spending", "undated.planned", "5275.4500");
        row("sample", "spending", "undated.plannedComponents", "27");
        row("sample", "spending", "undated.actual", "720.8600");
        row("sample", "spending", "undated.actualComponents", "6");
        row("sample", "hours", "phases.0.description", "Teardown & Assessment");
        row("sample", "hours", "phases.0.actual", "48");
        row("sample", "hours", "phases.3.planned", "151");
        row("sample", "hours", "figures.plannedTotal", "383");
        row("sample", "hours", "figures.actualTotal", "171");
        row("sample", "hours", "series.0.month", "2025-03-01");
        // Without dates nothing is refused: whole bars, undated figures and a sentence.
        row("undated", "budget", "figures.planned", "221.0003");
        row("undated", "budget", "figures.plannedRemaining", "778.9997");
        row("undated", "budget", "figures.resaleLessSpent", "");
        row("undated", "budget", "series.3.value", "");
        row("undated", "assemblies", "series.0.target", "21.0003");
        row("undated", "assemblies", "series.0.unpricedTarget", "0.0003");
        row("undated", "spending", "series", "0");
        row("undated", "spending", "undated.planned", "21.0003");
        row("undated", "spending", "undated.actualComponents", "1");
        row("undated", "spending", "empty",
            "There Are No Dated Costs For This Project: Costs Take The Dates Of Their Activities");
        row("undated", "hours", "phases.0.planned", "2");
        row("undated", "hours", "undated.actual", "2");
        row("undated", "hours", "series", "0");
        // Over budget; an unfinished activity places its actual cost at its start.
        row("over", "budget", "figures.remaining", "-20.0000");
        row("over", "budget", "figures.resaleLessSpent", "-70.0000");
        row("over", "assemblies", "series.1.description", "Glass");
        row("over", "assemblies", "series.1.actual", "0.0000");
        row("over", "assemblies", "series.1.unpriced", "1");
        row("over", "assemblies", "series.2.status", "");
        row("over", "assemblies", "series.2.components", "0");
        row("over", "spending", "series.0.actual", "0.0000");
        row("over", "spending", "series.1.month", "2024-02-01");
        row("over", "spending", "series.1.actual", "30.0000");
        row("over", "hours", "series.1.actual", "4");
    }

    void figures()
    {
        QFETCH(QString, project);
        QFETCH(QString, chart);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        const store::Key car = project == "sample" ? 1 : project == "undated" ? m_undated : m_over;
        const QJsonObject doc = json(car, chart);
        QCOMPARE(doc.value("chart").toString(), chart);
        QCOMPARE(at(doc, path), expected);
    }

    // Every chart adds up to the totals the Car tab and the reports show.
    void totalsAreTheRollups_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("sample") << 0;
        QTest::newRow("undated") << 1;
        QTest::newRow("over") << 2;
    }

    void totalsAreTheRollups()
    {
        QFETCH(int, which);
        const store::Key car = which == 0 ? 1 : which == 1 ? m_undated : m_over;
        const store::Store s(*m_db);
        const editor::rollup::ProjectFigures rollup(s, car);
        const auto f = *charts::loadFigures(s, car);
        QCOMPARE(f.budget.targetCost.value, rollup.carCosts().target);
        QCOMPARE(f.budget.actualCost.value, rollup.carCosts().actual);
        charts::Amount target, actual;
        for (const charts::AssemblyBar& a : f.assemblies) {
            target = target.plus(a.target);
            actual = actual.plus(a.actual);
        }
        QCOMPARE(target, f.budget.targetCost);
        QCOMPARE(actual, f.budget.actualCost);
        const charts::MonthPoint last = f.spending.months.isEmpty() ? charts::MonthPoint() : f.spending.months.last();
        QCOMPARE(last.planned.plus(f.spending.undatedPlanned), f.budget.targetCost);
        QCOMPARE(last.actual.plus(f.spending.undatedActual), f.budget.actualCost);
        const charts::HoursPoint hours = f.hours.months.isEmpty() ? charts::HoursPoint() : f.hours.months.last();
        QCOMPARE(hours.planned + f.hours.undatedPlanned, rollup.carPlan().targetEffort);
        QCOMPARE(hours.actual + f.hours.undatedActual, rollup.carPlan().actualEffort);
        QCOMPARE(f.hours.actualTotal, rollup.carPlan().actualEffort);
    }

    void moneyText_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0.0000";
        QTest::newRow("a ten-thousandth below") << qint64(-1) << "-0.0001";
        QTest::newRow("least") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
        QTest::newRow("most") << std::numeric_limits<qint64>::max() << "922337203685477.5807";
    }

    void moneyText()
    {
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(charts::moneyText({ Money::fromUnits(units), false }), text);
        const charts::Amount most { Money::fromUnits(std::numeric_limits<qint64>::max()), false };
        QCOMPARE(charts::moneyText(most.plus({ Money::fromUnits(1), false })), common::TooLargeText);
    }
};

QTEST_GUILESS_MAIN(TestChartFigures)
#include "TestChartFigures.moc"
