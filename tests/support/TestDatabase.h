#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <map>
#include <memory>

namespace store {
class Database;
}

namespace testing {

class ServerDatabase;

// True when the run's databases live on its PostgreSQL server (GEARLOG_TEST_ENGINE=postgresql),
// not in files: the same tests then run against the other engine.
bool onServer();
// Ends the test function as skipped on the server, for what only a file has.
#define GEARLOG_FILE_ONLY()                                                                                            \
    do {                                                                                                               \
        if (::testing::onServer())                                                                                     \
            QSKIP("about database files: runs on the file engine only");                                               \
    } while (false)

// A scratch folder per test holding its own database files, and on the server its own databases.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();
    // A private copy of the sample database, built once per test run and copied per test: a file,
    // or on the server a database's URL. The same name again answers a fresh copy.
    QString copySample(const QString& name = QStringLiteral("ShopData.mdb"));
    // A database with the schema and no rows at all.
    QString createEmpty(const QString& name = QStringLiteral("Empty.mdb"));
    // A file in the scratch folder.
    QString path(const QString& name) const { return m_dir.filePath(name); }
    const QTemporaryDir& dir() const { return m_dir; }

private:
    QString serverCopy(const QString& name, bool sample);
    QTemporaryDir m_dir;
    std::map<QString, std::unique_ptr<ServerDatabase>> m_server;
};

// Statements making the engine refuse a write to a table (event INSERT, UPDATE or DELETE), for the
// rows meeting the condition (on NEW) if one is given, with the message given, as a full disk
// would; and the statements lifting the refusal again.
QStringList refusal(const QString& event, const QString& table, const QString& message = QStringLiteral("disk is full"),
    const QString& condition = {});
QStringList lifted(const QString& table);
void refuseWrites(const store::Database& db, const QString& event, const QString& table,
    const QString& message = QStringLiteral("disk is full"), const QString& condition = {});
void allowWrites(const store::Database& db, const QString& table);

// Every row of every table with the type each value is stored as: equal dumps mean nothing was written.
QStringList dumpRows(const store::Database& db);
// Every row of every table as the typed store reads it and would write it back, with its key: the
// same on every engine.
QStringList records(const QString& location);
// The first value a query answers, read as another program would.
QVariant firstValue(const store::Database& db, const QString& sql);

} // namespace testing
