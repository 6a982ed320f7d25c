#include "common/Totals.h"

#include "common/Formats.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace common {

MoneyTotal MoneyTotal::line(const std::optional<Money>& unit, const std::optional<qint32>& quantity)
{
    MoneyTotal t;
    if (!unit || !quantity)
        return t;
    try {
        t.m_value = unit->times(*quantity);
    } catch (const std::overflow_error&) {
        t.m_tooLarge = true;
    }
    return t;
}

void MoneyTotal::add(Money amount)
{
    if (m_tooLarge)
        return;
    try {
        m_value += amount;
    } catch (const std::overflow_error&) {
        m_value = Money();
        m_tooLarge = true;
    }
}

MoneyTotal& MoneyTotal::operator+=(const MoneyTotal& other)
{
    if (other.m_tooLarge) {
        m_value = Money();
        m_tooLarge = true;
    } else {
        add(other.m_value);
    }
    return *this;
}

QString formatTotal(const MoneyTotal& total, const QString& pattern)
{
    return total.tooLarge() ? TooLargeText : formatNumber(total.value(), pattern);
}

qint64 wholeHours(const std::optional<double>& effort)
{
    if (!effort || !std::isfinite(*effort))
        return 0;
    return qint64(std::clamp(std::nearbyint(*effort), -double(MaxHours), double(MaxHours)));
}

qint64 addHours(qint64 total, qint64 hours)
{
    // Both within MaxHours, so the sum fits before it is held back.
    return std::clamp(total + hours, -MaxHours, MaxHours);
}

QString formatHours(qint64 hours, const QString& pattern)
{
    if (hours >= MaxHours || hours <= -MaxHours)
        return TooLargeText;
    return pattern.isEmpty() ? QString::number(hours) : formatNumber(hours, pattern);
}

} // namespace common
