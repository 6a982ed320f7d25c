#include "common/Money.h"

#include "common/Parse.h"

#include <limits>
#include <stdexcept>

namespace common {

namespace {

qint64 checkedAdd(qint64 a, qint64 b)
{
    qint64 r = 0;
    if (__builtin_add_overflow(a, b, &r))
        throw std::overflow_error("money amount out of range");
    return r;
}

qint64 checkedSub(qint64 a, qint64 b)
{
    qint64 r = 0;
    if (__builtin_sub_overflow(a, b, &r))
        throw std::overflow_error("money amount out of range");
    return r;
}

qint64 checkedMul(qint64 a, qint64 b)
{
    qint64 r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        throw std::overflow_error("money amount out of range");
    return r;
}

} // namespace

Money Money::fromWholeDollars(qint64 dollars)
{
    return Money(checkedMul(dollars, Scale));
}

Money Money::roundedTo(int decimals) const
{
    if (decimals >= 4)
        return *this;
    qint64 step = 1;
    for (int i = decimals; i < 4; ++i)
        step *= 10;
    // Unsigned, so the lowest amount has a magnitude; rounding up at the very top does not fit.
    const quint64 magnitude = m_units < 0 ? quint64(0) - quint64(m_units) : quint64(m_units);
    const quint64 remainder = magnitude % quint64(step);
    quint64 rounded = magnitude - remainder;
    if (remainder >= quint64(step) / 2) {
        if (rounded > quint64(std::numeric_limits<qint64>::max()) - quint64(step))
            throw std::overflow_error("money amount out of range");
        rounded += quint64(step);
    }
    return Money(m_units < 0 ? qint64(quint64(0) - rounded) : qint64(rounded));
}

Money Money::operator+(Money other) const
{
    return Money(checkedAdd(m_units, other.m_units));
}

Money Money::operator-(Money other) const
{
    return Money(checkedSub(m_units, other.m_units));
}

Money Money::times(qint64 quantity) const
{
    return Money(checkedMul(m_units, quantity));
}

Money& Money::operator+=(Money other)
{
    m_units = checkedAdd(m_units, other.m_units);
    return *this;
}

QString Money::toPlainString() const
{
    const bool negative = m_units < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(m_units) : quint64(m_units);
    QString text = QString::number(magnitude / Scale);
    QString fraction = QStringLiteral("%1").arg(magnitude % Scale, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += QLatin1Char('.') + fraction;
    return negative ? QLatin1Char('-') + text : text;
}

std::optional<Money> Money::parse(const QString& text)
{
    const auto parsed = parseDecimal(text);
    if (!parsed)
        return std::nullopt;
    return Money(parsed->units);
}

} // namespace common
