#pragma once

#include "store/RecordTraits.h"

#include <QSqlQuery>
#include <QString>

namespace store {

// The engines a database can live on.
enum class Engine { SQLite, PostgreSQL };

// Everything the store says differently to each engine, kept in one place: the statements
// themselves stay standard SQL.
class Dialect
{
public:
    explicit Dialect(Engine engine = Engine::SQLite)
        : m_engine(engine)
    {
    }

    Engine engine() const { return m_engine; }
    // The Qt driver that speaks to the engine.
    QString driver() const;
    // The name errors of the engine itself are reported under.
    QString source() const;

    // The schema script (a resource) and the statement that records its version.
    QString schemaResource() const;
    QString schemaVersionStatement(int version) const;
    // Every table and index of the database: rows of type ('table' or 'index') and name.
    QString objectsQuery() const;
    // The name an unquoted name is kept under: a server folds it to lower case.
    QString storedName(const QString& name) const;

    // A test that the column still holds one bound value exactly, Null equal to Null.
    QString sameValue(const QString& column) const;
    // Appended to an INSERT so that the statement answers the new row's key where the driver
    // cannot tell it afterwards; then insertedKey reads it.
    QString returningKey(const QString& keyColumn) const;
    QVariant insertedKey(QSqlQuery& insert) const;

    // Appended to a SELECT inside a transaction: holds the rows read against others' changes
    // (deleting: against everything) until it ends. SQLite holds the whole file while writing.
    QString holdRows(bool deleting) const;

    // The highest key a table's counter gave: binds the table's stored name and its key column.
    QString highestKeyQuery() const;
    // Sets the counter so that the next key given is past `key`.
    void setHighestKey(const class Database& db, const QString& table, const QString& keyColumn, qint64 key) const;

    // The store's code (SQLite's numbers, see StoreError.h) for an engine's error code: SQLite's
    // own, or a server's five-character SQLSTATE.
    static int errorCode(const QString& nativeCode);

private:
    Engine m_engine;
};

} // namespace store
