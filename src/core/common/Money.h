#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>
#include <optional>

namespace common {

// An exact currency amount: a count of ten-thousandths of a dollar. Amounts never pass through
// floating point on their way to or from the database.
class Money
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static Money fromWholeDollars(qint64 dollars);

    constexpr qint64 units() const { return m_units; }
    bool isZero() const { return m_units == 0; }

    // Rounding is half away from zero, as the display formats and reports round. Throws
    // std::overflow_error only when rounding up at the very top of the range does not fit.
    Money roundedTo(int decimals) const;

    // Throws std::overflow_error when the result does not fit.
    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money times(qint64 quantity) const;
    Money& operator+=(Money other);

    // The amount with up to four decimals and no grouping, for example "1234.5" or "-0.0001".
    QString toPlainString() const;
    // Whole dollars and cents rounded to a double, for places that only ever draw the value.
    double toDouble() const { return double(m_units) / Scale; }

    // The text converted exactly ("$1,234.50", "-97.95", " 12 "); nullopt when it is not a number.
    static std::optional<Money> parse(const QString& text);

    auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 units) : m_units(units) { }
    qint64 m_units = 0;
};

} // namespace common
