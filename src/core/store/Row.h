#pragma once

#include "common/Money.h"
#include "common/Notes.h"
#include "store/RecordTraits.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <optional>

namespace store {

// Reads the columns of a result row in order, mapping SQL Null to empty values.
class RowReader
{
public:
    explicit RowReader(const QSqlQuery& query) : m_query(query) { }

    Key key() { return next().toLongLong(); }
    // A number naming another record; Null stays empty.
    std::optional<Key> reference();
    QString text();
    std::optional<qint32> integer();
    std::optional<common::Money> money();
    std::optional<double> number();
    QDate date(); // invalid when Null
    QDateTime stamp();
    common::NoteParts notes();

private:
    QVariant next() { return m_query.value(m_position++); }
    const QSqlQuery& m_query;
    int m_position = 0;
};

// Collects the values of a row in column order, for binding.
class RowWriter
{
public:
    RowWriter& text(const QString& value);
    RowWriter& integer(std::optional<qint32> value);
    RowWriter& reference(std::optional<Key> value);
    RowWriter& money(std::optional<common::Money> value);
    RowWriter& number(std::optional<double> value);
    RowWriter& date(const QDate& value);
    RowWriter& stamp(const QDateTime& value);
    RowWriter& notes(const common::NoteParts& value);

    const QList<QVariant>& values() const { return m_values; }

private:
    QList<QVariant> m_values;
};

// Text forms of stored dates.
QString isoDate(const QDate& date);
QString isoStamp(const QDateTime& stamp);

} // namespace store
