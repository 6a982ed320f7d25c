#pragma once

#include "common/Money.h"

#include <QDate>
#include <QString>

namespace common {

// Display patterns in the style the screens and reports are written in: an optional literal
// prefix ("$"), '#' for an optional digit, '0' for a required one, ',' for thousands grouping,
// '.' for the decimal point. Values are rounded half away from zero to the pattern's decimals;
// a negative amount gets its minus sign in front of the prefix.
namespace fmt {
inline const QString CarMoney = QStringLiteral("$##,###,##0");
inline const QString Cost = QStringLiteral("$##,###,###.00");
inline const QString Quantity = QStringLiteral("##,##0");
} // namespace fmt

QString formatNumber(Money value, const QString& pattern);
QString formatNumber(qint64 value, const QString& pattern);
QString formatNumber(double value, const QString& pattern);

// Date forms used on screen and on paper.
enum class DateForm {
    Short, // M/d/yyyy, the entry boxes
    MmDdYyyy, // "mm/dd/yyyy" and "MM/DD/YYYY": 03/07/2003
    MmDdYy, // "MM/DD/YY": 03/07/03
    MonthYear, // "M/YY": 3/03
    Sortable, // "YYYY/MM/DD", used to compare dates as text
};

QString formatDate(const QDate& date, DateForm form = DateForm::Short);

// Efforts and other plain numbers as their default text: no grouping, no trailing zeros.
QString plainNumber(double value);

} // namespace common
