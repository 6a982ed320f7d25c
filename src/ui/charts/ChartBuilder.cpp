#include "charts/ChartBuilder.h"

#include "charts/ChartJson.h"
#include "common/Formats.h"
#include "common/Status.h"
#include "common/Totals.h"

#include <QLocale>
#include <cmath>

namespace charts::drawing {

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

void legend(Builder& b, QPointF at, const QList<std::pair<QColor, QString>>& entries)
{
    for (const auto& [colour, caption] : entries) {
        b.box(QRectF(at.x(), at.y() + 3, 12, 12), colour);
        b.text(QRectF(at.x() + 16, at.y(), Builder::width(caption, 11) + 4, 18), caption,
            Qt::AlignLeft | Qt::AlignVCenter, 11);
        at.rx() += Builder::width(caption, 11) + 32;
    }
}

} // namespace charts::drawing
