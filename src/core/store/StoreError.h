#pragma once

#include <QList>
#include <QString>
#include <stdexcept>

class QSqlError;

namespace store {

// Every failure of the store: SQLite's (extended) result code, its message, and what we were doing.
class StoreError : public std::runtime_error
{
public:
    StoreError(int code, QString message, QString source);
    static StoreError fromSql(const QSqlError& error, const QString& source);

    int code() const { return m_code; }
    // SQLite's primary code, without the detail an extended code adds.
    int primaryCode() const { return m_code & 0xFF; }
    // What went wrong in words a user can act on, followed by the engine's own message.
    QString explanation() const;
    const QString& message() const { return m_message; }
    const QString& source() const { return m_source; }

private:
    int m_code;
    QString m_message;
    QString m_source;
};

// Opening a database can fail for several reasons at once (several tables missing, say).
class OpenFailure : public std::runtime_error
{
public:
    explicit OpenFailure(QList<StoreError> errors);
    const QList<StoreError>& errors() const { return m_errors; }

private:
    QList<StoreError> m_errors;
};

// Codes for faults we find ourselves rather than SQLite reporting them.
namespace code {
constexpr int Error = 1; // SQLITE_ERROR
constexpr int Busy = 5; // SQLITE_BUSY
constexpr int Locked = 6; // SQLITE_LOCKED
constexpr int ReadOnly = 8; // SQLITE_READONLY
constexpr int Corrupt = 11; // SQLITE_CORRUPT
constexpr int CantOpen = 14; // SQLITE_CANTOPEN
constexpr int NotADatabase = 26; // SQLITE_NOTADB
constexpr int Schema = 17; // SQLITE_SCHEMA: a table, column or index the program needs is missing
constexpr int Exists = 3001; // the creation tool refuses to overwrite a file
constexpr int Range = 3002; // a value does not fit its column
constexpr int Gone = 3003; // a row a change depends on was deleted meanwhile
constexpr int Stale = 3004; // an undo or redo finds its rows changed by someone else meanwhile
} // namespace code

} // namespace store
