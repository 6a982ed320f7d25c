#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace common {

// A number read from the screen, kept exact to four decimals.
struct Decimal
{
    qint64 units = 0; // ten-thousandths
    bool hadMoreDecimals = false;
};

// United States conventions, whatever the machine's locale: optional surrounding blanks,
// a sign before or after a "$", thousands separators between digits, a decimal point.
// Digits past the fourth decimal are rounded half away from zero.
std::optional<Decimal> parseDecimal(const QString& text);

// The "numeric" test of the validation rules.
bool isNumeric(const QString& text);

// The number value of a numeric text; nullopt when the text is not numeric.
std::optional<double> numberValue(const QString& text);

// The "a date" test: M/d/yyyy, M/d/yy (years 30-99 are 1930-1999, 00-29 are 2000-2029),
// the same with "-", ISO yyyy-MM-dd, and month names ("Dec 31, 2002", "31 December 2002").
std::optional<QDate> parseDate(const QString& text);
bool isDate(const QString& text);

} // namespace common
