#include "store/Row.h"

namespace store {

namespace {
const QString StampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// The digits at [from, from + count) as a number; -1 when any is not a digit.
int digitsAt(QStringView text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// Every row read carries a stamp: QDateTime::fromString with a format is far too slow to run on
// each of a project's thousands of rows, so the one stored form is read by hand. Anything else
// goes through Qt as before.
QDateTime parseStamp(const QString& text)
{
    const QStringView v(text);
    if (v.size() == 19 && v.at(4) == u'-' && v.at(7) == u'-' && v.at(10) == u' ' && v.at(13) == u':'
        && v.at(16) == u':') {
        const int year = digitsAt(v, 0, 4), month = digitsAt(v, 5, 2), day = digitsAt(v, 8, 2);
        const int hour = digitsAt(v, 11, 2), minute = digitsAt(v, 14, 2), second = digitsAt(v, 17, 2);
        if (year >= 0 && month >= 0 && day >= 0 && hour >= 0 && minute >= 0 && second >= 0) {
            const QDate date(year, month, day);
            const QTime time(hour, minute, second);
            return date.isValid() && time.isValid() ? QDateTime(date, time) : QDateTime();
        }
    }
    return QDateTime::fromString(text, StampFormat);
}
} // namespace

QString isoDate(const QDate& date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QString isoStamp(const QDateTime& stamp)
{
    return stamp.isValid() ? stamp.toString(StampFormat) : QString();
}

QString RowReader::text()
{
    const QVariant v = next();
    return v.isNull() ? QString() : v.toString();
}

std::optional<qint32> RowReader::integer()
{
    const QVariant v = next();
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const qint32 value = v.toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

std::optional<Key> RowReader::reference()
{
    const QVariant v = next();
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const Key value = v.toLongLong(&ok);
    return ok ? std::optional<Key>(value) : std::nullopt;
}

std::optional<common::Money> RowReader::money()
{
    const QVariant v = next();
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const qint64 units = v.toLongLong(&ok);
    return ok ? std::optional<common::Money>(common::Money::fromUnits(units)) : std::nullopt;
}

std::optional<double> RowReader::number()
{
    const QVariant v = next();
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const double value = v.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

QDate RowReader::date()
{
    const QVariant v = next();
    if (v.typeId() == QMetaType::QDate) // a server's DATE column
        return v.toDate();
    return v.isNull() ? QDate() : QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QDateTime RowReader::stamp()
{
    const QVariant v = next();
    if (v.typeId() == QMetaType::QDateTime) {
        // A server's TIMESTAMP: the driver reads it as UTC; the stamp is the wall-clock time written.
        const QDateTime read = v.toDateTime();
        return read.isValid() ? QDateTime(read.date(), read.time()) : QDateTime();
    }
    return v.isNull() ? QDateTime() : parseStamp(v.toString());
}

common::NoteParts RowReader::notes()
{
    common::NoteParts parts;
    for (auto& part : parts)
        part = text();
    return parts;
}

RowWriter& RowWriter::text(const QString& value)
{
    // Empty texts are stored as Null, as the screens never tell the two apart.
    m_values.append(value.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(value));
    return *this;
}

RowWriter& RowWriter::integer(std::optional<qint32> value)
{
    m_values.append(value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Int)));
    return *this;
}

RowWriter& RowWriter::reference(std::optional<Key> value)
{
    m_values.append(value ? QVariant(*value) : QVariant(QMetaType(QMetaType::LongLong)));
    return *this;
}

RowWriter& RowWriter::money(std::optional<common::Money> value)
{
    m_values.append(value ? QVariant(value->units()) : QVariant(QMetaType(QMetaType::LongLong)));
    return *this;
}

RowWriter& RowWriter::number(std::optional<double> value)
{
    m_values.append(value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Double)));
    return *this;
}

RowWriter& RowWriter::date(const QDate& value)
{
    return text(isoDate(value));
}

RowWriter& RowWriter::stamp(const QDateTime& value)
{
    return text(isoStamp(value));
}

RowWriter& RowWriter::notes(const common::NoteParts& value)
{
    for (const auto& part : value)
        text(part);
    return *this;
}

} // namespace store
