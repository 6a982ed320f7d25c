// The charts over time: spending and hours, month by month, with what has no date beside them.

#include "charts/ChartBuilder.h"

#include <cmath>

namespace charts::drawing {

namespace {

struct Series
{
    QList<QDate> months;
    QList<double> planned;
    QList<double> actual;
    QStringList tips; // a month's figures
};

// Cumulative planned and actual lines over the months, with a hover strip per month.
void monthChart(Builder& b, const QRectF& area, const Series& series, QString (*caption)(double))
{
    double low = 0, high = 0;
    for (qsizetype i = 0; i < series.months.size(); ++i)
        for (double v : { series.planned.at(i), series.actual.at(i) }) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    const double axisW = 70;
    const QRectF plot(area.left() + axisW, area.top() + 6, area.width() - axisW - 8, area.height() - 30);
    const Scale s = scaleOver(low, high, plot.bottom(), plot.top());
    for (double v : ticks(s)) {
        b.line({ plot.left(), s.at(v) }, { plot.right(), s.at(v) }, Grid);
        b.text(QRectF(area.left(), s.at(v) - 8, axisW - 6, 16), caption(v), Qt::AlignRight | Qt::AlignVCenter, 10);
    }
    b.line(plot.bottomLeft(), plot.bottomRight(), Ink);
    const qsizetype n = series.months.size();
    const double step = n > 1 ? plot.width() / (n - 1) : 0;
    const auto x = [&](qsizetype i) { return n > 1 ? plot.left() + i * step : plot.center().x(); };
    const int every = int(std::ceil((Builder::width(QStringLiteral("Sep 2026"), 10) + 10) / std::max(step, 1.0)));
    QPolygonF planned, actual;
    for (qsizetype i = 0; i < n; ++i) {
        planned << QPointF(x(i), s.at(series.planned.at(i)));
        actual << QPointF(x(i), s.at(series.actual.at(i)));
        if (i % std::max(1, every) == 0) {
            b.line({ x(i), plot.bottom() }, { x(i), plot.bottom() + 4 }, Ink);
            b.text(QRectF(x(i) - 40, plot.bottom() + 5, 80, 16), monthText(series.months.at(i)),
                Qt::AlignHCenter | Qt::AlignTop, 10);
        }
    }
    b.path(planned, PlannedColour, 2);
    b.path(actual, ActualColour, 2);
    const double strip = std::max(step, 6.0);
    for (qsizetype i = 0; i < n; ++i) {
        if (step >= 6) {
            b.box(QRectF(planned.at(i) - QPointF(2.5, 2.5), QSizeF(5, 5)), PlannedColour, series.tips.at(i));
            b.box(QRectF(actual.at(i) - QPointF(2.5, 2.5), QSizeF(5, 5)), ActualColour, series.tips.at(i));
        }
        b.box(QRectF(x(i) - strip / 2, plot.top(), strip, plot.height()), QColor(), series.tips.at(i));
    }
}

// The panel beside a chart over time: its legend and the figures without a date.
void sidePanel(Builder& b, const QRectF& r, const QStringList& lines)
{
    legend(
        b, r.topLeft(), { { PlannedColour, QStringLiteral("Planned") }, { ActualColour, QStringLiteral("Actual") } });
    double y = r.top() + 28;
    for (const QString& line : lines) {
        const bool heading = line.endsWith(QLatin1Char(':'));
        b.text(QRectF(r.left(), y, r.width(), 18), Builder::elided(line, r.width(), 11),
            Qt::AlignLeft | Qt::AlignVCenter, 11, heading, Ink, line);
        y += heading ? 18 : 17;
    }
}

} // namespace

void spendingChart(Builder& b, const ChartFigures& f)
{
    const SpendingFigures& g = f.spending;
    const QRectF area = body(b);
    const double panelW = std::min(250.0, area.width() * 0.35);
    const Amount lastPlanned = g.months.isEmpty() ? Amount() : g.months.last().planned;
    const Amount lastActual = g.months.isEmpty() ? Amount() : g.months.last().actual;
    const QStringList lines { QStringLiteral("Dated (Cumulative):"),
        QStringLiteral("Planned %1").arg(dollars(lastPlanned)), QStringLiteral("Actual %1").arg(dollars(lastActual)),
        QString(), QStringLiteral("Undated:"),
        QStringLiteral("Planned %1 (%2 Components)").arg(dollars(g.undatedPlanned)).arg(g.undatedPlannedCount),
        QStringLiteral("Actual %1 (%2 Components)").arg(dollars(g.undatedActual)).arg(g.undatedActualCount), QString(),
        QStringLiteral("Purchase Price: On The Budget Chart") };
    sidePanel(b, QRectF(area.right() - panelW + 10, area.top(), panelW - 10, area.height()), lines);
    const QRectF chart(area.left(), area.top(), area.width() - panelW, area.height());
    const QString sentence = emptySentence(f, Chart::Spending);
    if (!sentence.isEmpty()) {
        b.sentence(chart, sentence);
        return;
    }
    Series s;
    for (const MonthPoint& p : g.months) {
        s.months << p.month;
        s.planned << drawn(p.planned);
        s.actual << drawn(p.actual);
        s.tips << QStringLiteral("%1: planned %2, actual %3 (cumulative)")
                      .arg(monthText(p.month), exact(p.planned), exact(p.actual));
    }
    monthChart(b, chart, s, moneyTick);
}

void hoursChart(Builder& b, const ChartFigures& f)
{
    const HoursFigures& h = f.hours;
    const QRectF area = body(b);
    const double panelW = std::min(250.0, area.width() * 0.35);
    const QRectF bars(area.left(), area.top(), area.width(), area.height() * 0.5 - 10);
    const QRectF times(
        area.left(), area.top() + area.height() * 0.5 + 6, area.width() - panelW, area.height() * 0.5 - 6);

    double labelW = 0, valueW = 0, top = 0;
    for (const PhaseHours& p : h.phases) {
        labelW = std::max(labelW, Builder::width(p.description));
        valueW
            = std::max({ valueW, Builder::width(hoursText(p.planned), 10), Builder::width(hoursText(p.actual), 10) });
        top = std::max({ top, double(p.planned), double(p.actual) });
    }
    labelW = std::min(labelW + 8, bars.width() * 0.25);
    const qsizetype count = std::max<qsizetype>(1, h.phases.size());
    const double rowH = std::max(8.0, std::min(40.0, (bars.height() - 18) / count));
    const qsizetype shown = std::min<qsizetype>(h.phases.size(), qsizetype((bars.height() - 18) / rowH));
    const Scale s = scaleOver(0, top, bars.left() + labelW + 4, bars.right() - panelW - valueW - 8);
    if (shown > 0)
        valueGrid(b, s, bars.top(), bars.top() + rowH * shown, hourTick);
    for (qsizetype i = 0; i < shown; ++i) {
        const PhaseHours& p = h.phases.at(i);
        const double y = bars.top() + i * rowH;
        const QString plannedTip = QStringLiteral("%1: planned %2").arg(p.description, hoursText(p.planned));
        const QString actualTip = QStringLiteral("%1: actual %2").arg(p.description, hoursText(p.actual));
        b.text(QRectF(bars.left(), y, labelW - 4, rowH), Builder::elided(p.description, labelW - 4),
            Qt::AlignRight | Qt::AlignVCenter, std::min(12.0, rowH * 0.8), false, Ink,
            QStringLiteral("%1: planned %2, actual %3").arg(p.description, hoursText(p.planned), hoursText(p.actual)));
        const double half = rowH * 0.4;
        const QRectF planned(QPointF(s.at(0), y + rowH * 0.1), QPointF(s.at(double(p.planned)), y + rowH * 0.1 + half));
        const QRectF actual(
            QPointF(s.at(0), planned.bottom()), QPointF(s.at(double(p.actual)), planned.bottom() + half));
        b.box(planned, PlannedColour, plannedTip);
        b.box(actual, ActualColour, actualTip);
        if (rowH >= 20) {
            b.text(QRectF(planned.right() + 3, planned.top(), valueW + 4, half), hoursText(p.planned),
                Qt::AlignLeft | Qt::AlignVCenter, 10, false, Ink, plannedTip);
            b.text(QRectF(actual.right() + 3, actual.top(), valueW + 4, half), hoursText(p.actual),
                Qt::AlignLeft | Qt::AlignVCenter, 10, false, Ink, actualTip);
        }
    }
    const QStringList lines { QStringLiteral("Phases In Priority Order:"),
        QStringLiteral("Planned %1").arg(hoursText(h.plannedTotal)),
        QStringLiteral("Actual %1").arg(hoursText(h.actualTotal)) };
    sidePanel(b, QRectF(bars.right() - panelW + 10, bars.top(), panelW - 10, bars.height()), lines);
    sidePanel(b, QRectF(area.right() - panelW + 10, times.top(), panelW - 10, times.height()),
        { QStringLiteral("Undated:"),
            QStringLiteral("Planned %1 (%2 Activities)").arg(hoursText(h.undatedPlanned)).arg(h.undatedPlannedCount),
            QStringLiteral("Actual %1 (%2 Activities)").arg(hoursText(h.undatedActual)).arg(h.undatedActualCount) });
    if (h.months.isEmpty()) {
        b.sentence(times, QStringLiteral("There Are No Dates Entered For This Project"));
        return;
    }
    Series series;
    for (const HoursPoint& p : h.months) {
        series.months << p.month;
        series.planned << double(p.planned);
        series.actual << double(p.actual);
        series.tips << QStringLiteral("%1: planned %2, actual %3 (cumulative)")
                           .arg(monthText(p.month), hoursText(p.planned), hoursText(p.actual));
    }
    monthChart(b, times, series, hourTick);
}

} // namespace charts::drawing
