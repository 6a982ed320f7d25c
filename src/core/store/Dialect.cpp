#include "store/Dialect.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QHash>
#include <QVariant>

namespace store {

QString Dialect::driver() const
{
    return m_engine == Engine::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
}

QString Dialect::source() const
{
    return m_engine == Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
}

QString Dialect::schemaResource() const
{
    return m_engine == Engine::SQLite ? QStringLiteral(":/db/schema.sql")
                                      : QStringLiteral(":/db/schema-postgresql.sql");
}

QString Dialect::schemaVersionStatement(int version) const
{
    // Both take no bound value: the version is our own constant.
    if (m_engine == Engine::SQLite)
        return QStringLiteral("PRAGMA user_version = %1").arg(version);
    return QStringLiteral("INSERT INTO gearlog_schema (version) VALUES (%1)").arg(version);
}

QString Dialect::objectsQuery() const
{
    if (m_engine == Engine::SQLite)
        return QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN ('table', 'index')");
    // Only the schema the connection works in: another schema's tables are not ours.
    return QStringLiteral("SELECT 'table', table_name FROM information_schema.tables "
                          "WHERE table_schema = current_schema() "
                          "UNION ALL SELECT 'index', indexname FROM pg_indexes WHERE schemaname = current_schema()");
}

QString Dialect::storedName(const QString& name) const
{
    return m_engine == Engine::SQLite ? name : name.toLower();
}

QString Dialect::sameValue(const QString& column) const
{
    // SQLite would compare NOCASE columns ignoring case, missing a change of case alone.
    // IS NOT DISTINCT FROM is standard but arrived in SQLite only with 3.39.
    if (m_engine == Engine::SQLite)
        return column + QStringLiteral(" IS ? COLLATE BINARY");
    return column + QStringLiteral(" IS NOT DISTINCT FROM ?");
}

QString Dialect::returningKey(const QString& keyColumn) const
{
    // The server's driver can tell only row identifiers, which tables no longer have.
    return m_engine == Engine::SQLite ? QString() : QStringLiteral(" RETURNING ") + keyColumn;
}

QVariant Dialect::insertedKey(QSqlQuery& insert) const
{
    if (m_engine == Engine::SQLite)
        return insert.lastInsertId();
    return insert.next() ? insert.value(0) : QVariant();
}

QString Dialect::holdRows(bool deleting) const
{
    if (m_engine == Engine::SQLite)
        return QString();
    return deleting ? QStringLiteral(" FOR UPDATE") : QStringLiteral(" FOR SHARE");
}

QString Dialect::highestKeyQuery() const
{
    // SQLite keeps AUTOINCREMENT's counter by the table's name as created; a server's identity
    // column has a sequence of its own (NULL before its first value).
    if (m_engine == Engine::SQLite)
        return QStringLiteral("SELECT seq FROM sqlite_sequence WHERE lower(name) = lower(?) AND ? IS NOT NULL");
    return QStringLiteral("SELECT pg_sequence_last_value(CAST(pg_get_serial_sequence(?, ?) AS regclass))");
}

void Dialect::setHighestKey(const Database& db, const QString& table, const QString& keyColumn, qint64 key) const
{
    if (m_engine == Engine::SQLite) {
        db.run(QStringLiteral("DELETE FROM sqlite_sequence WHERE lower(name) = lower(?)"), { table });
        db.run(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"), { table, key });
        return;
    }
    if (key >= 1) // an untouched sequence starts at 1 anyway
        db.run(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, ?), ?)"),
            { storedName(table), storedName(keyColumn), key });
}

int Dialect::errorCode(const QString& nativeCode)
{
    // A server's SQLSTATE has five characters, digits or not; SQLite's codes never have five digits.
    if (nativeCode.size() == 5) {
        static const QHash<QString, int> states = {
            { QStringLiteral("40001"), code::Busy }, // serialization failure
            { QStringLiteral("40P01"), code::Busy }, // deadlock
            { QStringLiteral("55P03"), code::Busy }, // lock not available
            { QStringLiteral("57014"), code::Busy }, // statement or lock timeout
            { QStringLiteral("25006"), code::ReadOnly }, // read-only transaction
            { QStringLiteral("42501"), code::ReadOnly }, // no privilege
            { QStringLiteral("53100"), 13 }, // disk full, SQLITE_FULL
            { QStringLiteral("XX001"), code::Corrupt }, { QStringLiteral("XX002"), code::Corrupt },
            { QStringLiteral("22003"), code::Range }, // a number out of range
            { QStringLiteral("42P01"), code::Schema }, // no such table
            { QStringLiteral("42703"), code::Schema }, // no such column
        };
        const QString state = nativeCode.toUpper();
        if (states.contains(state))
            return states.value(state);
        if (state.startsWith(QStringLiteral("08")))
            return code::CantOpen; // the connection failed or was lost
        return code::Error;
    }
    bool ok = false;
    const int number = nativeCode.toInt(&ok);
    return ok && number != 0 ? number : code::Error;
}

} // namespace store
