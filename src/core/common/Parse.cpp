#include "common/Parse.h"

#include <QRegularExpression>
#include <QStringList>

namespace common {

namespace {

constexpr int MaxIntegerDigits = 15; // any amount money can hold; larger ones are caught below

// Strips "$" and a sign placed as "-$5", "$-5" or "-5"; answers the remaining body.
bool takeSignAndCurrency(QString& body, bool& negative)
{
    negative = false;
    bool sawSign = false;
    bool sawCurrency = false;
    for (int round = 0; round < 2 && !body.isEmpty(); ++round) {
        const QChar c = body.front();
        if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && !sawSign) {
            sawSign = true;
            negative = c == QLatin1Char('-');
            body.remove(0, 1);
        } else if (c == QLatin1Char('$') && !sawCurrency) {
            sawCurrency = true;
            body.remove(0, 1);
        }
    }
    return !body.isEmpty();
}

} // namespace

std::optional<Decimal> parseDecimal(const QString& text)
{
    QString body = text.trimmed();
    bool negative = false;
    if (!takeSignAndCurrency(body, negative))
        return std::nullopt;

    const qsizetype point = body.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? body : body.left(point);
    const QString fractionPart = point < 0 ? QString() : body.mid(point + 1);

    // Thousands separators only between digits: "1,234" and "12,34" pass, ",12", "1,,2" and "12," do not.
    QString digits;
    for (qsizetype i = 0; i < integerPart.size(); ++i) {
        const QChar c = integerPart.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
        } else if (c == QLatin1Char(',')) {
            if (i == 0 || i + 1 == integerPart.size() || integerPart.at(i + 1) == QLatin1Char(','))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    for (const QChar c : fractionPart) {
        if (!(c.isDigit() && c.unicode() < 128))
            return std::nullopt;
    }
    if (digits.isEmpty() && fractionPart.isEmpty())
        return std::nullopt;
    while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
        digits.remove(0, 1);
    if (digits.size() > MaxIntegerDigits)
        return std::nullopt;

    Decimal result;
    qint64 units = digits.isEmpty() ? 0 : digits.toLongLong();
    const QString kept = fractionPart.left(4).leftJustified(4, QLatin1Char('0'));
    const bool roundUp = fractionPart.size() > 4 && fractionPart.at(4) >= QLatin1Char('5');
    result.hadMoreDecimals = fractionPart.size() > 4;
    // Too large for ten-thousandths in 64 bits: not a number we can hold.
    if (__builtin_mul_overflow(units, qint64(10000), &units) || __builtin_add_overflow(units, kept.toLongLong(), &units)
        || __builtin_add_overflow(units, qint64(roundUp ? 1 : 0), &units))
        return std::nullopt;
    result.units = negative ? -units : units;
    return result;
}

bool isNumeric(const QString& text)
{
    return parseDecimal(text).has_value();
}

std::optional<double> numberValue(const QString& text)
{
    const auto d = parseDecimal(text);
    if (!d)
        return std::nullopt;
    return double(d->units) / 10000.0;
}

namespace {

int monthFromName(const QString& name)
{
    static const QStringList names = {
        QStringLiteral("january"), QStringLiteral("february"), QStringLiteral("march"),
        QStringLiteral("april"), QStringLiteral("may"), QStringLiteral("june"),
        QStringLiteral("july"), QStringLiteral("august"), QStringLiteral("september"),
        QStringLiteral("october"), QStringLiteral("november"), QStringLiteral("december"),
    };
    const QString lower = name.toLower();
    if (lower.size() < 3)
        return 0;
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).startsWith(lower) || (lower == QStringLiteral("sept") && i == 8))
            return i + 1;
    }
    return 0;
}

int fullYear(const QString& digits)
{
    const int y = digits.toInt();
    if (digits.size() == 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

std::optional<QDate> makeDate(int year, int month, int day)
{
    if (year < 100 || year > 9999 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

} // namespace

std::optional<QDate> parseDate(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;

    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression us(QStringLiteral("^(\\d{1,2})([/-])(\\d{1,2})\\2(\\d{4}|\\d{2})$"));
    static const QRegularExpression monthFirst(
        QStringLiteral("^([A-Za-z]+)\\.?[\\s-]+(\\d{1,2}),?[\\s-]+(\\d{4}|\\d{2})$"));
    static const QRegularExpression dayFirst(
        QStringLiteral("^(\\d{1,2})[\\s-]+([A-Za-z]+)\\.?,?[\\s-]+(\\d{4}|\\d{2})$"));

    if (const auto m = iso.match(t); m.hasMatch())
        return makeDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (const auto m = us.match(t); m.hasMatch())
        return makeDate(fullYear(m.captured(4)), m.captured(1).toInt(), m.captured(3).toInt());
    if (const auto m = monthFirst.match(t); m.hasMatch()) {
        const int month = monthFromName(m.captured(1));
        if (month == 0)
            return std::nullopt;
        return makeDate(fullYear(m.captured(3)), month, m.captured(2).toInt());
    }
    if (const auto m = dayFirst.match(t); m.hasMatch()) {
        const int month = monthFromName(m.captured(2));
        if (month == 0)
            return std::nullopt;
        return makeDate(fullYear(m.captured(3)), month, m.captured(1).toInt());
    }
    return std::nullopt;
}

bool isDate(const QString& text)
{
    return parseDate(text).has_value();
}

} // namespace common
