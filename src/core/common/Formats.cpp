#include "common/Formats.h"

#include <algorithm>
#include <cmath>

namespace common {

namespace {

struct Pattern
{
    QString prefix;
    bool grouping = false;
    int minIntegerDigits = 0;
    int decimals = 0;
    int minDecimals = 0;
};

Pattern parsePattern(const QString& pattern)
{
    Pattern p;
    qsizetype i = 0;
    while (i < pattern.size() && pattern.at(i) != QLatin1Char('#') && pattern.at(i) != QLatin1Char('0')
           && pattern.at(i) != QLatin1Char(',') && pattern.at(i) != QLatin1Char('.'))
        p.prefix += pattern.at(i++);
    bool inFraction = false;
    for (; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('.')) {
            inFraction = true;
        } else if (c == QLatin1Char(',') && !inFraction) {
            p.grouping = true;
        } else if (c == QLatin1Char('0')) {
            if (inFraction) {
                ++p.decimals;
                ++p.minDecimals;
            } else {
                ++p.minIntegerDigits;
            }
        } else if (c == QLatin1Char('#') && inFraction) {
            ++p.decimals;
        }
    }
    return p;
}

QString grouped(const QString& digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

// The text of a magnitude of whole units and ten-thousandths, already rounded to the pattern.
QString compose(const Pattern& p, bool negative, quint64 whole, quint64 tenThousandths)
{
    QString integer = whole == 0 ? QString() : QString::number(whole);
    while (integer.size() < p.minIntegerDigits)
        integer.prepend(QLatin1Char('0'));
    if (p.grouping)
        integer = grouped(integer);

    QString fraction = QStringLiteral("%1").arg(tenThousandths, 4, 10, QLatin1Char('0')).left(p.decimals);
    while (fraction.size() > p.minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    QString text = p.prefix + integer;
    if (!fraction.isEmpty() || p.minDecimals > 0)
        text += QLatin1Char('.') + fraction;
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace

QString formatNumber(Money value, const QString& pattern)
{
    const Pattern p = parsePattern(pattern);
    // Rounded as Money::roundedTo() rounds, in unsigned arithmetic so that amounts at the very
    // ends of the range are shown too.
    const qint64 units = value.units();
    const quint64 magnitude = units < 0 ? quint64(0) - quint64(units) : quint64(units);
    quint64 rounded = magnitude;
    if (p.decimals < 4) {
        quint64 step = 1;
        for (int i = p.decimals; i < 4; ++i)
            step *= 10;
        const quint64 remainder = magnitude % step;
        rounded = magnitude - remainder + (remainder >= step / 2 ? step : 0);
    }
    return compose(p, units < 0 && rounded != 0, rounded / Money::Scale, rounded % Money::Scale);
}

QString formatNumber(qint64 value, const QString& pattern)
{
    const quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    return compose(parsePattern(pattern), value < 0, magnitude, 0);
}

QString formatNumber(double value, const QString& pattern)
{
    if (!std::isfinite(value))
        return QString();
    // Past what money holds only whole numbers are left to show.
    constexpr double MoneyRange = 9.0e14;
    if (std::fabs(value) < MoneyRange)
        return formatNumber(Money::fromUnits(qint64(std::llround(value * Money::Scale))), pattern);
    constexpr double WholeRange = 9.2e18;
    return formatNumber(qint64(std::llround(std::clamp(value, -WholeRange, WholeRange))), pattern);
}

QString formatDate(const QDate& date, DateForm form)
{
    if (!date.isValid())
        return QString();
    switch (form) {
    case DateForm::Short:
        return date.toString(QStringLiteral("M/d/yyyy"));
    case DateForm::MmDdYyyy:
        return date.toString(QStringLiteral("MM/dd/yyyy"));
    case DateForm::MmDdYy:
        return date.toString(QStringLiteral("MM/dd/yy"));
    case DateForm::MonthYear:
        return date.toString(QStringLiteral("M/yy"));
    case DateForm::Sortable:
        return date.toString(QStringLiteral("yyyy/MM/dd"));
    }
    return QString();
}

QString plainNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

} // namespace common
