#pragma once

#include "common/Money.h"

#include <QString>
#include <optional>

namespace common {

// What a total shows when it is past what it can hold: in the boxes, reports, lists and the time
// line alike. Only rows written by other programs can get there; the editor and the import keep
// every single figure within limits that no total of a project reaches.
inline const QString TooLargeText = QStringLiteral("(too large)");

// A running money total that notes going out of range instead of throwing, for totals of rows
// read from the database.
class MoneyTotal
{
public:
    MoneyTotal() = default;
    explicit MoneyTotal(Money start)
        : m_value(start)
    {
    }
    // Unit cost times quantity, as a line of a list; a missing factor makes the line 0.
    static MoneyTotal line(const std::optional<Money>& unit, const std::optional<qint32>& quantity);

    void add(Money amount);
    MoneyTotal& operator+=(const MoneyTotal& other);

    bool tooLarge() const { return m_tooLarge; }
    // The total; zero once it is too large.
    Money value() const { return m_value; }

private:
    Money m_value;
    bool m_tooLarge = false;
};

// Formatted as formatNumber() does, or TooLargeText.
QString formatTotal(const MoneyTotal& total, const QString& pattern);

// Beyond this many hours a double no longer holds whole hours exactly: totals of efforts stop
// here and are shown as too large.
constexpr qint64 MaxHours = 9'000'000'000'000'000;

// An effort as whole hours, halves to even, held within MaxHours; none or not finite is 0.
qint64 wholeHours(const std::optional<double>& effort);
// A total of whole hours that stops at MaxHours either way.
qint64 addHours(qint64 total, qint64 hours);
// Hours by the pattern (plain digits when it is empty), or TooLargeText at the limit.
QString formatHours(qint64 hours, const QString& pattern = QString());

} // namespace common
