#pragma once

#include "store/Dialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <memory>

namespace store {

struct OpenOptions
{
    // How long a statement waits for another process's lock before it fails.
    int busyTimeoutMs = 5000;
    // Open for reading only, as is done anyway for a file we may not write.
    bool readOnly = false;
};

// One open database file, or a database on a PostgreSQL server named by a URL (ServerAddress).
// Opening never creates a file; creating never opens an existing one.
class Database
{
public:
    // Throws OpenFailure listing everything wrong: a missing file, a file that is not a database,
    // a server that cannot be reached, a missing table, column or index, or a lock held too long
    // by another process.
    static std::unique_ptr<Database> open(const QString& path, const OpenOptions& options = {});
    // A new file holding the empty schema, or the schema in an empty server database; fill, when
    // given, writes the first rows in the same transaction. Throws StoreError when the file exists
    // or cannot be made, or the server database cannot be reached or already holds GearLog tables.
    static std::unique_ptr<Database> create(const QString& path, const std::function<void(const Database&)>& fill = {});

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The file's path or the server's URL, as given.
    const QString& path() const { return m_path; }
    // For people: the file's full path, or the database and its server ("gearlog on /run/postgresql").
    QString describe() const;
    const Dialect& dialect() const { return m_dialect; }
    bool isServer() const { return m_dialect.engine() != Engine::SQLite; }
    // The file could not be opened for writing: it can be shown, not changed.
    bool isReadOnly() const { return m_readOnly; }
    QSqlDatabase connection() const;

    // A prepared statement; every value goes in through bind parameters. Throws StoreError.
    QSqlQuery prepare(const QString& sql) const;
    // Runs a prepared statement with the given values bound in order. Throws StoreError.
    static void run(QSqlQuery& query, std::initializer_list<QVariant> values = {});
    // Prepares and runs in one go.
    QSqlQuery run(const QString& sql, std::initializer_list<QVariant> values = {}) const;
    // Runs one of the program's own statements that takes no values and that a server will not
    // prepare (schema, session settings). Throws StoreError.
    void execute(const QString& sql) const;

    // How many statements this process has run so far, on every database: what an operation
    // costs in round trips to a server.
    static qint64 statementCount();

    // The name the documented index ("index1" on "Car") has in the file ("car_index1"):
    // SQLite wants index names unique across the whole database.
    static QString physicalIndexName(const QString& table, const QString& documentedName);

    // A test that the column still holds one bound value exactly, Null equal to Null. The one
    // driver-dependent fragment of the store's changes.
    QString sameValue(const QString& column) const;

private:
    friend class Transaction;
    Database(QString path, QString connectionName, Dialect dialect = Dialect());
    static std::unique_ptr<Database> openServer(const QString& url, const OpenOptions& options);
    static std::unique_ptr<Database> connectServer(const QString& url, const QString& source);
    void refuseGearLogTables() const;
    void verifySchema() const;
    void verifyLength() const;
    void createSchema() const;
    // Copies the file and its log into a private folder; answers the copy's URI.
    QString privateCopy();

    QString m_path;
    std::unique_ptr<QTemporaryDir> m_copy; // the file read instead of m_path, if any
    QString m_connectionName;
    bool m_readOnly = false;
    Dialect m_dialect;
    // Transactions begun inside another join it (see Transaction).
    mutable int m_transactionDepth = 0;
    mutable bool m_innerFailed = false;
};

} // namespace store
