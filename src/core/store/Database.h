#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
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

// One open database file. Opening never creates a file; creating never opens an existing one.
class Database
{
public:
    // Throws OpenFailure listing everything wrong: a missing file, a file that is not a database,
    // a missing table, column or index, or a lock held too long by another process.
    static std::unique_ptr<Database> open(const QString& path, const OpenOptions& options = {});
    // A new file holding the empty schema. Throws StoreError when the file exists or cannot be made.
    static std::unique_ptr<Database> create(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }
    // The file could not be opened for writing: it can be shown, not changed.
    bool isReadOnly() const { return m_readOnly; }
    QSqlDatabase connection() const;

    // A prepared statement; every value goes in through bind parameters. Throws StoreError.
    QSqlQuery prepare(const QString& sql) const;
    // Runs a prepared statement with the given values bound in order. Throws StoreError.
    static void run(QSqlQuery& query, std::initializer_list<QVariant> values = {});
    // Prepares and runs in one go.
    QSqlQuery run(const QString& sql, std::initializer_list<QVariant> values = {}) const;

    // The name the documented index ("index1" on "Car") has in the file ("car_index1"):
    // SQLite wants index names unique across the whole database.
    static QString physicalIndexName(const QString& table, const QString& documentedName);

    // A test that the column still holds one bound value exactly, Null equal to Null. The one
    // driver-dependent fragment of the store's changes.
    QString sameValue(const QString& column) const;

private:
    Database(QString path, QString connectionName);
    void verifySchema() const;
    void verifyLength() const;
    void createSchema() const;
    // Copies the file and its log into a private folder; answers the copy's URI.
    QString privateCopy();

    QString m_path;
    std::unique_ptr<QTemporaryDir> m_copy; // the file read instead of m_path, if any
    QString m_connectionName;
    bool m_readOnly = false;
};

} // namespace store
