// The four charts laid out as scenes: bars, month axes, notes and the figures hovering shows.

#include "charts/ChartJson.h"
#include "charts/ChartScene.h"

#include "common/Formats.h"
#include "common/Status.h"
#include "common/Totals.h"

#include <QFontMetricsF>
#include <QLocale>
#include <cmath>

namespace charts {

namespace {

constexpr double Margin = 16;
constexpr double TitleHeight = 30;
const QColor Ink(0x20, 0x20, 0x20);
const QColor Grid(0xd8, 0xd8, 0xd8);
const QColor PlannedColour(0x46, 0x82, 0xb4);
const QColor ActualColour(0xe6, 0x7e, 0x22);
const QColor BudgetColour(0x5d, 0x8a, 0x4e);
const QColor ResaleColour(0x8e, 0x5e, 0xa2);
const QColor OverColour(0xc0, 0x39, 0x2b);

QColor statusColour(const std::optional<qint32>& status)
{
    switch (status.value_or(-1)) {
    case int(common::Status::NotStarted):
        return QColor(0x95, 0x95, 0x95);
    case int(common::Status::InProcess):
        return QColor(0x1e, 0x88, 0xe5);
    case int(common::Status::Completed):
        return QColor(0x43, 0xa0, 0x47);
    case int(common::Status::OnHold):
        return QColor(0xe5, 0x39, 0x35);
    default:
        return QColor(0xc8, 0xc8, 0xc8);
    }
}

QColor paler(QColor c)
{
    c.setAlpha(110);
    return c;
}

// The window's cost format ("$1,234.50"), or the too large text.
QString dollars(const Amount& a)
{
    return a.tooLarge ? common::TooLargeText : common::formatNumber(a.value, common::fmt::Cost);
}

// The shown figure, with the stored one when it has more than cents.
QString exact(const Amount& a)
{
    if (a.tooLarge || a.value.units() % 100 == 0)
        return dollars(a);
    return QStringLiteral("%1 (exactly %2)").arg(dollars(a), moneyText(a));
}

QString hoursText(qint64 hours)
{
    return common::formatHours(hours, common::fmt::Quantity) + QStringLiteral(" Hours");
}

QString monthText(const QDate& month)
{
    return QLocale::c().toString(month, QStringLiteral("MMM yyyy"));
}

class Builder
{
public:
    explicit Builder(const QSizeF& size) { scene.size = size; }

    void box(const QRectF& r, const QColor& fill, const QString& tip = {}, const QColor& stroke = {})
    {
        SceneItem item;
        item.rect = r;
        item.fill = fill;
        item.stroke = stroke;
        item.tip = tip;
        scene.items.append(item);
    }
    void line(const QPointF& a, const QPointF& b, const QColor& colour, double width = 1)
    {
        path({ a, b }, colour, width, SceneItem::Kind::Line);
    }
    void path(const QPolygonF& points, const QColor& colour, double width, SceneItem::Kind kind = SceneItem::Kind::Path)
    {
        SceneItem item;
        item.kind = kind;
        item.points = points;
        item.stroke = colour;
        item.width = width;
        scene.items.append(item);
    }
    void text(const QRectF& r, const QString& t, int align = Qt::AlignLeft | Qt::AlignVCenter, double px = 12,
        bool bold = false, const QColor& colour = Ink, const QString& tip = {})
    {
        SceneItem item;
        item.kind = SceneItem::Kind::Text;
        item.rect = r;
        item.text = t;
        item.align = align;
        item.pixelSize = px;
        item.bold = bold;
        item.stroke = colour;
        item.tip = tip;
        scene.items.append(item);
    }
    static double width(const QString& t, double px = 12, bool bold = false)
    {
        return QFontMetricsF(chartFont(px, bold)).horizontalAdvance(t);
    }
    static QString elided(const QString& t, double w, double px = 12)
    {
        return QFontMetricsF(chartFont(px)).elidedText(t, Qt::ElideRight, qMax(0.0, w));
    }
    void sentence(const QRectF& r, const QString& t) { text(r, t, Qt::AlignCenter | Qt::TextWordWrap, 14, false); }

    Scene scene;
};

// A step of 1, 2 or 5 times a power of ten giving about five intervals up to the top.
double niceStep(double top)
{
    if (!(top > 0) || !std::isfinite(top))
        return 1;
    const double rough = top / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double f : { 1.0, 2.0, 5.0 }) {
        if (f * power >= rough)
            return f * power;
    }
    return 10 * power;
}

// A value scale over [0, top] (or below 0 when figures are) onto a pixel span.
struct Scale
{
    double low = 0;
    double high = 1;
    double from = 0; // pixel of low
    double to = 1; // pixel of high
    double at(double v) const { return from + (v - low) / (high - low) * (to - from); }
};

Scale scaleOver(double low, double high, double from, double to)
{
    low = std::min(0.0, low);
    high = std::max({ high, 0.0, low + 1 });
    const double step = niceStep(high - low);
    return { std::floor(low / step) * step, std::ceil(high / step) * step, from, to };
}

QList<double> ticks(const Scale& s)
{
    QList<double> list;
    const double step = niceStep(s.high - s.low);
    for (double v = s.low; v <= s.high + step / 2 && list.size() < 50; v += step)
        list.append(v);
    return list;
}

QString moneyTick(double v)
{
    return common::formatNumber(v, common::fmt::CarMoney);
}

QString hourTick(double v)
{
    return common::formatNumber(v, common::fmt::Quantity);
}

// Vertical grid lines and their captions under a horizontal value scale.
void valueGrid(Builder& b, const Scale& s, double top, double bottom, QString (*caption)(double))
{
    for (double v : ticks(s)) {
        const double x = s.at(v);
        b.line({ x, top }, { x, bottom }, Grid);
        b.text(QRectF(x - 50, bottom + 2, 100, 16), caption(v), Qt::AlignHCenter | Qt::AlignTop, 10);
    }
}

double drawn(const Amount& a)
{
    return a.tooLarge ? 0 : a.value.toDouble();
}

void title(Builder& b, const ChartFigures& f, Chart chart)
{
    b.text(QRectF(Margin, 6, b.scene.size.width() - 2 * Margin, TitleHeight - 6),
        QStringLiteral("%1: %2").arg(chartTitle(chart), f.project), Qt::AlignLeft | Qt::AlignVCenter, 16, true);
}

QRectF body(const Builder& b)
{
    return QRectF(
        Margin, TitleHeight + 8, b.scene.size.width() - 2 * Margin, b.scene.size.height() - TitleHeight - 8 - Margin);
}

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

void legend(Builder& b, QPointF at, const QList<std::pair<QColor, QString>>& entries)
{
    for (const auto& [colour, caption] : entries) {
        b.box(QRectF(at.x(), at.y() + 3, 12, 12), colour);
        b.text(QRectF(at.x() + 16, at.y(), Builder::width(caption, 11) + 4, 18), caption,
            Qt::AlignLeft | Qt::AlignVCenter, 11);
        at.rx() += Builder::width(caption, 11) + 32;
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

} // namespace

Scene layoutChart(const ChartFigures& figures, Chart chart, const QSizeF& size)
{
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
