#pragma once

#include "common/Names.h"

#include <algorithm>
#include <numeric>

#include "store/Database.h"
#include "store/Row.h"
#include "store/Snapshot.h"
#include "store/StoreError.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace store {

// A key with the text a pick list shows for it.
struct Entry
{
    Key key = 0;
    QString text;
    bool operator==(const Entry&) const = default;
};

// Orders of the documented lists; ties always go by key.
enum class Order { Description, Sequence, Key };

// Typed access to one table. Every statement is built from the record's fixed column names;
// values only ever travel as bound parameters.
template <class Rec> class Table
{
public:
    explicit Table(const Database& database, const char* nameColumn = "Description")
        : m_db(database)
        , m_table(QLatin1String(Rec::Table))
        , m_key(QLatin1String(Rec::KeyColumn))
        , m_name(QLatin1String(nameColumn))
    {
    }

    std::optional<Rec> find(Key key) const { return first(select() + where(m_key), { key }); }

    // The row with what it was read from, for a save that must not overwrite someone else's change.
    std::optional<Loaded<Rec>> load(Key key) const
    {
        QSqlQuery q = m_db.prepare(select() + where(m_key));
        bindAll(q, { key });
        Database::run(q);
        if (!q.next())
            return std::nullopt;
        QList<QVariant> raw;
        for (qsizetype i = 1; i <= Rec::columns().size(); ++i)
            raw.append(q.value(int(i)));
        RowReader r(q);
        return Loaded<Rec> { Rec::read(r), Snapshot(std::move(raw)) };
    }

    // The row of the lowest key whose name equals the text, case ignored for every letter (see
    // common::compareNames; the database's NOCASE folds ASCII only, so the names are compared here).
    std::optional<Rec> seek(const QString& name) const { return seekIn(allEntries(Order::Key), name); }

    // The same among one car's rows only.
    std::optional<Rec> seekForCar(Key carid, const QString& name) const
    {
        return seekIn(entries(names() + where(QStringLiteral("carid")) + orderBy(Order::Key), { carid }), name);
    }

    // By name (common::nameLess), by sequence or by key.
    QList<Rec> forCar(Key carid, Order order) const
    {
        return rows(select() + where(QStringLiteral("carid")) + orderBy(order), { carid }, order);
    }

    QList<Rec> all(Order order) const { return rows(select() + orderBy(order), {}, order); }

    // Keys and names of one car's rows, by name.
    QList<Entry> entriesForCar(Key carid) const
    {
        return entries(
            names() + where(QStringLiteral("carid")) + orderBy(Order::Description), { carid }, Order::Description);
    }

    QList<Entry> allEntries(Order order) const { return entries(names() + orderBy(order), {}, order); }

    qint64 count() const
    {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT COUNT(*) FROM ") + m_table);
        return q.next() ? q.value(0).toLongLong() : 0;
    }

    // Writes a new row and answers its key; keys are never reused.
    Key add(const Rec& record) const
    {
        RowWriter w;
        record.write(w);
        const QStringList& cols = Rec::columns();
        QStringList marks;
        for (qsizetype i = 0; i < cols.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery q = m_db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(m_table, cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))
            + m_db.dialect().returningKey(m_key));
        bindAll(q, w.values());
        Database::run(q);
        const QVariant key = m_db.dialect().insertedKey(q);
        if (!key.isValid())
            throw StoreError(code::Error, QStringLiteral("The new row's key could not be read."), m_table);
        return key.toLongLong();
    }

    // At most `limit` rows after the key, in key order: a whole table walked a part at a time.
    QList<Rec> after(Key key, int limit) const
    {
        return rows(select() + QStringLiteral(" WHERE %1 > ?").arg(m_key) + orderBy(Order::Key)
                + QStringLiteral(" LIMIT %1").arg(limit),
            { key });
    }

    // Writes rows under their own keys (copying another database), with one prepared statement.
    void addWithKeys(const QList<Rec>& records) const
    {
        QStringList marks;
        for (qsizetype i = 0; i <= Rec::columns().size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery q = m_db.prepare(
            QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (%4)")
                .arg(m_table, m_key, Rec::columns().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
        for (const Rec& record : records) {
            RowWriter w;
            record.write(w);
            bindAll(q, QList<QVariant> { record.key() } + w.values());
            Database::run(q);
        }
    }

    // The highest key the table ever gave or holds, deleted rows' included; 0 for none. Raised,
    // never lowered, by raiseHighestKey, so that keys taken elsewhere are not given again.
    Key highestKey() const
    {
        QSqlQuery q = m_db.run(
            m_db.dialect().highestKeyQuery(), { m_db.dialect().storedName(m_table), m_db.dialect().storedName(m_key) });
        const Key counted = q.next() ? q.value(0).toLongLong() : 0;
        q = m_db.run(QStringLiteral("SELECT MAX(%1) FROM %2").arg(m_key, m_table));
        return std::max(counted, q.next() ? q.value(0).toLongLong() : Key(0));
    }
    void raiseHighestKey(Key key) const
    {
        // Rows written under their own keys leave a server's counter behind them: set it always.
        m_db.dialect().setHighestKey(m_db, m_table, m_key, std::max(key, highestKey()));
    }

    // Rewrites the row with the record's key; false when there is no such row.
    bool change(const Rec& record) const
    {
        QSqlQuery q = m_db.prepare(updateSql() + where(m_key));
        bindAll(q, updateValues(record));
        Database::run(q);
        return q.numRowsAffected() > 0;
    }

    // Rewrites the row only while every column still holds what it held when loaded; false when
    // someone changed or deleted it meanwhile, and then nothing is written.
    bool changeIfUnchanged(const Rec& record, const Snapshot& loaded) const
    {
        const QStringList& cols = Rec::columns();
        if (loaded.m_values.size() != cols.size())
            throw StoreError(code::Error, QStringLiteral("The row being saved was not loaded first."), m_table);
        QStringList tests;
        for (const QString& c : cols)
            tests << m_db.sameValue(c);
        QSqlQuery q
            = m_db.prepare(updateSql() + where(m_key) + QStringLiteral(" AND ") + tests.join(QStringLiteral(" AND ")));
        bindAll(q, updateValues(record) + loaded.m_values);
        Database::run(q);
        return q.numRowsAffected() > 0;
    }

    bool remove(Key key) const
    {
        QSqlQuery q = m_db.prepare(QStringLiteral("DELETE FROM ") + m_table + where(m_key));
        bindAll(q, { key });
        Database::run(q);
        return q.numRowsAffected() > 0;
    }

private:
    QString select() const
    {
        return QStringLiteral("SELECT %1, %2 FROM %3").arg(m_key, Rec::columns().join(QStringLiteral(", ")), m_table);
    }
    QString updateSql() const
    {
        QStringList sets;
        for (const QString& c : Rec::columns())
            sets << c + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE %1 SET %2").arg(m_table, sets.join(QStringLiteral(", ")));
    }
    // The new values, then the key.
    static QList<QVariant> updateValues(const Rec& record)
    {
        RowWriter w;
        record.write(w);
        return w.values() + QList<QVariant> { record.key() };
    }
    QString names() const { return QStringLiteral("SELECT %1, %2 FROM %3").arg(m_key, m_name, m_table); }
    static QString where(const QString& column) { return QStringLiteral(" WHERE ") + column + QStringLiteral(" = ?"); }
    QString orderBy(Order order) const
    {
        switch (order) {
        case Order::Description:
            return QStringLiteral(" ORDER BY %1, %2").arg(m_name, m_key);
        case Order::Sequence:
            return QStringLiteral(" ORDER BY prioritysequence, %1").arg(m_key);
        case Order::Key:
            break;
        }
        return QStringLiteral(" ORDER BY ") + m_key;
    }

    static void bindAll(QSqlQuery& q, const QList<QVariant>& values)
    {
        for (qsizetype i = 0; i < values.size(); ++i)
            q.bindValue(int(i), values.at(i));
    }

    // Rows in the statement's order; by name, put in the order of common::nameLess, which the
    // database cannot give for letters beyond ASCII.
    QList<Rec> rows(const QString& sql, const QList<QVariant>& values, Order order = Order::Key) const
    {
        QSqlQuery q = m_db.prepare(sql);
        bindAll(q, values);
        Database::run(q);
        QList<Rec> result;
        QList<Entry> byName;
        const int nameColumn = int(Rec::columns().indexOf(m_name)) + 1;
        while (q.next()) {
            if (order == Order::Description)
                byName.append(Entry { q.value(0).toLongLong(), q.value(nameColumn).toString() });
            RowReader r(q);
            result.append(Rec::read(r));
        }
        if (order != Order::Description)
            return result;
        QList<qsizetype> at(result.size());
        std::iota(at.begin(), at.end(), 0);
        std::sort(at.begin(), at.end(), [&byName](qsizetype a, qsizetype b) {
            return common::nameLess(byName.at(a).text, byName.at(a).key, byName.at(b).text, byName.at(b).key);
        });
        QList<Rec> sorted;
        sorted.reserve(result.size());
        for (const qsizetype i : at)
            sorted.append(std::move(result[i]));
        return sorted;
    }

    std::optional<Rec> seekIn(const QList<Entry>& candidates, const QString& name) const
    {
        for (const Entry& e : candidates) {
            if (common::sameName(e.text, name))
                return find(e.key);
        }
        return std::nullopt;
    }

    std::optional<Rec> first(const QString& sql, const QList<QVariant>& values) const
    {
        QList<Rec> found = rows(sql + QStringLiteral(" LIMIT 1"), values);
        if (found.isEmpty())
            return std::nullopt;
        return found.front();
    }

    QList<Entry> entries(const QString& sql, const QList<QVariant>& values, Order order = Order::Key) const
    {
        QSqlQuery q = m_db.prepare(sql);
        bindAll(q, values);
        Database::run(q);
        QList<Entry> result;
        while (q.next())
            result.append(Entry { q.value(0).toLongLong(), q.value(1).isNull() ? QString() : q.value(1).toString() });
        if (order == Order::Description) {
            std::sort(result.begin(), result.end(),
                [](const Entry& a, const Entry& b) { return common::nameLess(a.text, a.key, b.text, b.key); });
        }
        return result;
    }

    const Database& m_db;
    QString m_table;
    QString m_key;
    QString m_name;
};

} // namespace store
