// The budget and by-assembly charts, and the choice of chart.

#include "charts/ChartBuilder.h"

#include "common/Status.h"
#include "common/Totals.h"

namespace charts {

namespace drawing {

namespace {

struct Bar
{
    QString label;
    std::optional<Amount> value; // none: not entered
    QColor colour;
    QString note;
    QColor noteColour = Ink;
    QString tip;
};

QString over(const std::optional<Amount>& left, const QString& remains, const QString& overBy)
{
    if (!left)
        return {};
    if (left->tooLarge)
        return remains.arg(common::TooLargeText);
    if (left->value < common::Money())
        return overBy.arg(dollars({ common::Money() - left->value, false }));
    return remains.arg(dollars(*left));
}

} // namespace

void budgetChart(Builder& b, const ChartFigures& f)
{
    const BudgetFigures& g = f.budget;
    const auto money = [](const std::optional<common::Money>& m) {
        return m ? std::optional<Amount>(Amount { *m, false }) : std::nullopt;
    };
    const QString purchase = dollars({ g.purchasePrice.value_or(common::Money()), false });
    const bool overBudget = g.remaining && !g.remaining->tooLarge && g.remaining->value < common::Money();
    QList<Bar> bars {
        { QStringLiteral("Total Budget"), money(g.totalBudget), BudgetColour, {}, Ink, {} },
        { QStringLiteral("Planned Cost"), g.planned, PlannedColour,
            over(g.plannedRemaining, QStringLiteral("%1 Of The Budget Left"), QStringLiteral("Over Budget By %1")), Ink,
            QStringLiteral("Planned Cost: %1 = purchase price %2 + target cost %3")
                .arg(exact(g.planned), purchase, exact(g.targetCost)) },
        { QStringLiteral("Money Spent"), g.spent, ActualColour,
            over(g.remaining, QStringLiteral("Remaining Budget: %1"), QStringLiteral("Over Budget By %1")),
            overBudget ? OverColour : Ink,
            QStringLiteral("Money Spent: %1 = purchase price %2 + actual cost %3")
                .arg(exact(g.spent), purchase, exact(g.actualCost)) },
        { QStringLiteral("Resale Value"), money(g.resaleValue), ResaleColour, {}, Ink, {} },
        { QStringLiteral("Money Spent"), g.spent, ActualColour,
            over(g.resaleLessSpent, QStringLiteral("Worth %1 More Than Spent"),
                QStringLiteral("Worth %1 Less Than Spent")),
            Ink, {} },
    };
    bars[4].tip = bars[2].tip;
    double labelW = 0, noteW = 0, valueW = 0, top = 0;
    for (Bar& bar : bars) {
        if (bar.tip.isEmpty())
            bar.tip
                = bar.label + QStringLiteral(": ") + (bar.value ? exact(*bar.value) : QStringLiteral("None Entered"));
        labelW = std::max(labelW, Builder::width(bar.label));
        noteW = std::max(noteW, Builder::width(bar.note));
        valueW = std::max(valueW, Builder::width(bar.value ? dollars(*bar.value) : QStringLiteral("None Entered")));
        if (bar.value)
            top = std::max(top, drawn(*bar.value));
    }
    const QRectF area = body(b);
    noteW = std::min(noteW + 12, area.width() * 0.4);
    const double plotLeft = area.left() + labelW + 12;
    const Scale s = scaleOver(0, top, plotLeft, area.right() - noteW - valueW - 8);
    const double rowH = std::min(56.0, (area.height() - 30) / 6);
    const double bottom = area.top() + rowH * 6;
    valueGrid(b, s, area.top(), bottom, moneyTick);
    for (qsizetype i = 0; i < bars.size(); ++i) {
        const Bar& bar = bars.at(i);
        const double y = area.top() + rowH * (i < 3 ? i : i + 1);
        const QRectF row(area.left(), y, area.width(), rowH);
        b.text(QRectF(area.left(), y, labelW, rowH), bar.label, Qt::AlignRight | Qt::AlignVCenter, 12, false, Ink,
            bar.tip);
        double end = s.at(0);
        if (bar.value && drawn(*bar.value) > 0) {
            const QRectF r(QPointF(s.at(0), y + rowH * 0.2), QPointF(s.at(drawn(*bar.value)), y + rowH * 0.8));
            b.box(r, bar.colour, bar.tip);
            end = r.right();
        }
        b.text(QRectF(end + 4, y, valueW + 4, rowH), bar.value ? dollars(*bar.value) : QStringLiteral("None Entered"),
            Qt::AlignLeft | Qt::AlignVCenter, 12, false, Ink, bar.tip);
        b.text(QRectF(area.right() - noteW + 8, y, noteW - 8, rowH), bar.note, Qt::AlignLeft | Qt::AlignVCenter, 12,
            true, bar.noteColour, bar.tip);
        Q_UNUSED(row);
    }
}

void assembliesChart(Builder& b, const ChartFigures& f)
{
    QRectF area = body(b);
    QList<std::pair<QColor, QString>> keys;
    for (int code = 0; code < 4; ++code)
        keys.append({ statusColour(code), common::statusText(code) });
    keys.append({ statusColour(std::nullopt), common::NoStatusText });
    legend(b, area.topLeft(), keys);
    b.text(QRectF(area.left(), area.top() + 18, area.width(), 18),
        QStringLiteral("Pale Bar: Target Cost   Solid Bar: Actual Cost   Largest First"),
        Qt::AlignLeft | Qt::AlignVCenter, 11);
    area.setTop(area.top() + 42);
    area.setBottom(area.bottom() - 18);

    QStringList notes;
    double labelW = 0, noteW = 0, valueW = 0, top = 0;
    for (const AssemblyBar& a : f.assemblies) {
        notes << QStringLiteral("%1 Of %2 Without Actual Cost (%3 Target)")
                     .arg(a.unpriced)
                     .arg(a.components)
                     .arg(dollars(a.unpricedTarget));
        labelW = std::max(labelW, Builder::width(a.description));
        noteW = std::max(noteW, Builder::width(notes.last(), 11));
        valueW = std::max({ valueW, Builder::width(dollars(a.target), 10), Builder::width(dollars(a.actual), 10) });
        top = std::max({ top, drawn(a.target), drawn(a.actual) });
    }
    labelW = std::min(labelW + 8, area.width() * 0.25);
    noteW = std::min(noteW + 12, area.width() * 0.35);
    const double rowH = std::max(8.0, std::min(44.0, area.height() / f.assemblies.size()));
    const qsizetype shown = std::min<qsizetype>(f.assemblies.size(), qsizetype(area.height() / rowH));
    const Scale s = scaleOver(0, top, area.left() + labelW + 4, area.right() - noteW - valueW - 8);
    valueGrid(b, s, area.top(), area.top() + rowH * shown, moneyTick);
    for (qsizetype i = 0; i < shown; ++i) {
        const AssemblyBar& a = f.assemblies.at(i);
        const double y = area.top() + i * rowH;
        const QString status = a.status ? common::statusText(*a.status) : common::NoStatusText;
        const QString head = QStringLiteral("%1 (%2)").arg(a.description, status);
        const QString targetTip = QStringLiteral("%1: target cost %2").arg(head, exact(a.target));
        const QString actualTip = QStringLiteral("%1: actual cost %2").arg(head, exact(a.actual));
        b.text(QRectF(area.left(), y, labelW - 4, rowH), Builder::elided(a.description, labelW - 4),
            Qt::AlignRight | Qt::AlignVCenter, std::min(12.0, rowH * 0.8), false, Ink,
            QStringLiteral("%1: target %2, actual %3").arg(head, exact(a.target), exact(a.actual)));
        const double half = rowH * 0.4;
        const QColor colour = statusColour(a.status);
        const QRectF target(QPointF(s.at(0), y + rowH * 0.1), QPointF(s.at(drawn(a.target)), y + rowH * 0.1 + half));
        const QRectF actual(QPointF(s.at(0), target.bottom()), QPointF(s.at(drawn(a.actual)), target.bottom() + half));
        b.box(target, paler(colour), targetTip);
        b.box(actual, colour, actualTip);
        if (rowH >= 20) {
            b.text(QRectF(target.right() + 3, target.top(), valueW + 4, half), dollars(a.target),
                Qt::AlignLeft | Qt::AlignVCenter, 10, false, Ink, targetTip);
            b.text(QRectF(actual.right() + 3, actual.top(), valueW + 4, half), dollars(a.actual),
                Qt::AlignLeft | Qt::AlignVCenter, 10, false, Ink, actualTip);
        }
        b.text(QRectF(area.right() - noteW + 8, y, noteW - 8, rowH), Builder::elided(notes.at(i), noteW - 8, 11),
            Qt::AlignLeft | Qt::AlignVCenter, std::min(11.0, rowH * 0.8), false, Ink,
            QStringLiteral("%1: %2").arg(a.description, notes.at(i)));
    }
    if (shown < f.assemblies.size())
        b.text(QRectF(area.left(), area.bottom() + 2, area.width(), 16),
            QStringLiteral("%1 More Assemblies: Enlarge The Window To See Them").arg(f.assemblies.size() - shown),
            Qt::AlignLeft | Qt::AlignVCenter, 11);
}

} // namespace drawing

Scene layoutChart(const ChartFigures& figures, Chart chart, const QSizeF& size)
{
    using namespace drawing;
    Builder b(size);
    title(b, figures, chart);
    const QString sentence = emptySentence(figures, chart);
    if (!sentence.isEmpty() && chart != Chart::Spending) {
        b.sentence(body(b), sentence);
        return b.scene;
    }
    switch (chart) {
    case Chart::Budget:
        budgetChart(b, figures);
        break;
    case Chart::Assemblies:
        assembliesChart(b, figures);
        break;
    case Chart::Spending:
        spendingChart(b, figures);
        break;
    case Chart::Hours:
        hoursChart(b, figures);
        break;
    }
    return b.scene;
}

} // namespace charts
