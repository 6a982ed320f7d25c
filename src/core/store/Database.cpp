#include "store/Database.h"

#include "store/FileChecks.h"
#include "store/ServerAddress.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>
#include <atomic>

// The schema script lives in a resource of this static library; it must be registered by hand.
static void registerSchemaResource()
{
    Q_INIT_RESOURCE(schema);
}

namespace store {

namespace {

struct TableShape
{
    const char* name;
    QStringList columns;
    QStringList indexes; // physical names
};

// What the program needs of a file: every table and column it reads or writes, and every index
// its look-ups rely on. Kept beside data/schema.sql; the tests check the two agree.
const QList<TableShape>& requiredShape()
{
    static const QList<TableShape> shape = {
        { "Car",
          { "carid", "Description", "make", "model", "Year", "purchaseprice", "resalevalue", "totalbudget",
            "imagepath", "Status", "note1", "note2", "note3", "auditdate" },
          { "car_index1", "car_description" } },
        { "Assembly",
          { "assemblyid", "carid", "Description", "Status", "imagepath", "note1", "note2", "note3", "auditdate" },
          { "assembly_index1", "assembly_index2" } },
        { "Component",
          { "componentid", "carid", "assemblyid", "ActivityID", "Description", "Status", "SupplierName",
            "catalogpage", "quantity", "targetcost", "actualcost", "wishlist", "imagepath", "note1", "note2",
            "note3", "auditdate" },
          { "component_index1", "component_carid", "component_assemblyid", "component_activityid" } },
        { "Supplier",
          { "supplierid", "Name", "address1", "address2", "city", "State", "Zip", "Telephone", "Fax", "Email",
            "CatalogNbr", "note1", "note2", "note3" },
          { "supplier_index2" } },
        { "Phase",
          { "PhaseID", "carid", "prioritysequence", "Description", "Status", "note1", "note2", "note3",
            "auditdate" },
          { "phase_index1", "phase_index2" } },
        { "Activity",
          { "ActivityID", "carid", "PhaseID", "prioritysequence", "Description", "Status", "targetstartdate",
            "targetstopdate", "targeteffort", "actualstartdate", "actualstopdate", "actualeffort", "note1",
            "note2", "note3", "auditdate" },
          { "activity_index1", "activity_index3", "activity_phaseid" } },
    };
    return shape;
}

std::atomic<qint64> statementsRun { 0 };

QString nextConnectionName()
{
    // Unique without a counter shared by every caller.
    return QStringLiteral("gearlog-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
}

QString uriFor(const QString& path, const char* mode)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=") + QLatin1String(mode);
}

// Where an open failure came from: the engine itself, or our own check of the file's contents.
const QString EngineSource = QStringLiteral("SQLite");
const QString OpenSource = QStringLiteral("GearLog database check");
const QString CopyName = QStringLiteral("read-only-copy.mdb");

StoreError damagedFile()
{
    return StoreError(code::Corrupt,
        QStringLiteral("The database file is shorter than it should be: it was cut off and is damaged."), OpenSource);
}

} // namespace

Database::Database(QString path, QString connectionName, Dialect dialect)
    : m_path(std::move(path))
    , m_connectionName(std::move(connectionName))
    , m_dialect(dialect)
{
}

Database::~Database()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

std::unique_ptr<Database> Database::open(const QString& path, const OpenOptions& options)
{
    if (ServerAddress::isUrl(path))
        return openServer(path, options);
    // Check first as well as opening with mode=rw: a missing file is an error, never a new empty database.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        QString what = QStringLiteral("The database file '%1' does not exist.");
        if (info.isSymLink() && !info.exists())
            what = QStringLiteral("The database file '%1' is a link that leads to no file (a missing file or a loop "
                                  "of links).");
        else if (info.isDir())
            what = QStringLiteral("'%1' is a folder, not a database file.");
        else if (info.exists())
            what = QStringLiteral("'%1' is a device, pipe or other special file, not a database file.");
        throw OpenFailure({ StoreError(code::CantOpen, what.arg(path), OpenSource) });
    }

    // A file cut short whose log lies beside it would have the log replayed onto it; refused
    // before the engine touches either.
    if (sideFileHasContent(path, "-wal") && !logCoversFile(path))
        throw OpenFailure({ damagedFile() });

    const QString name = nextConnectionName();
    std::unique_ptr<Database> database(new Database(path, name));
    // The engine writes its log and index beside the file: a file in a folder we may not write
    // cannot be changed either.
    const bool writable = info.isWritable() && QFileInfo(info.absolutePath()).isWritable();
    database->m_readOnly = options.readOnly || !writable;
    QString uri = uriFor(path, database->m_readOnly ? "ro" : "rw");
    if (!writable) {
        // Opened as it is, the engine would leave index and log files beside it that later
        // keep a writable file from being changed, or fail where they cannot be made. Without
        // a log holding committed changes the file alone is the database, read as unchanging;
        // with one, a private copy of both is read, so that every committed change is shown.
        if (sideFileHasContent(path, "-wal") || sideFileHasContent(path, "-journal"))
            uri = database->privateCopy();
        else
            uri += QStringLiteral("&immutable=1");
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        QString connectOptions = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(options.busyTimeoutMs);
        if (database->m_readOnly && !database->m_copy)
            connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(connectOptions);
        db.setDatabaseName(uri);
        if (!db.open())
            throw OpenFailure({ StoreError::fromSql(db.lastError(), EngineSource) });
    }
    try {
        database->verifySchema();
    } catch (const StoreError& e) {
        throw OpenFailure({ StoreError(e.code(), e.message(), EngineSource) });
    }
    database->verifyLength();
    {
        // A cache large enough for the index pages a whole project touches: deleting or copying a
        // project then costs the same in a file of ten projects as in one of a thousand.
        QSqlQuery cache(database->connection());
        cache.exec(QStringLiteral("PRAGMA cache_size = -32768"));
    }
    if (!database->m_readOnly && !database->m_copy) {
        // A write-ahead log keeps every transaction whole even when the program is killed half-way.
        // Where the folder cannot hold the log the file keeps the journal it has.
        QSqlQuery wal(database->connection());
        wal.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    }
    return database;
}

std::unique_ptr<Database> Database::create(const QString& path, const std::function<void(const Database&)>& fill)
{
    const QString source = QStringLiteral("GearLog database creation");
    if (ServerAddress::isUrl(path)) {
        std::unique_ptr<Database> database = connectServer(path, source);
        Transaction t(*database);
        // Inside the transaction: two creations at once cannot both find the database empty.
        database->refuseGearLogTables();
        database->createSchema();
        if (fill)
            fill(*database);
        t.commit();
        return database;
    }
    if (QFileInfo::exists(path))
        throw StoreError(code::Exists, QStringLiteral("The file '%1' already exists; it is left as it is.").arg(path),
                         source);
    const QString name = nextConnectionName();
    std::unique_ptr<Database> database(new Database(path, name));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        db.setDatabaseName(uriFor(path, "rwc"));
        if (!db.open())
            throw StoreError::fromSql(db.lastError(), source);
    }
    try {
        Transaction t(*database);
        database->createSchema();
        if (fill)
            fill(*database);
        t.commit();
    } catch (...) {
        database.reset();
        QFile::remove(path);
        throw;
    }
    return database;
}

void Database::createSchema() const
{
    registerSchemaResource();
    QFile file(m_dialect.schemaResource());
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(code::Error, QStringLiteral("The schema resource is missing."), QStringLiteral("GearLog"));
    QString script;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QStringLiteral("--")))
            script += line + QLatin1Char('\n');
    }
    Transaction t(*this);
    for (const QString& statement : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!statement.trimmed().isEmpty())
            execute(statement.trimmed());
    }
    execute(m_dialect.schemaVersionStatement(1));
    t.commit();
}

void Database::verifySchema() const
{
    // The first read also tells a file that is not a database, or one locked by another process.
    QSqlQuery objects = run(m_dialect.objectsQuery());
    QSet<QString> tables;
    QSet<QString> indexes;
    while (objects.next()) {
        const QString type = objects.value(0).toString();
        (type == QStringLiteral("table") ? tables : indexes).insert(objects.value(1).toString().toLower());
    }
    objects.finish();

    QList<StoreError> errors;
    for (const TableShape& table : requiredShape()) {
        const QString tableName = QLatin1String(table.name);
        if (!tables.contains(tableName.toLower())) {
            errors.append(StoreError(code::Schema, QStringLiteral("The table '%1' is missing.").arg(tableName),
                                     OpenSource));
            continue;
        }
        const QSqlRecord columns = connection().record(m_dialect.storedName(tableName));
        for (const QString& column : table.columns) {
            if (columns.indexOf(column) < 0)
                errors.append(StoreError(code::Schema,
                                         QStringLiteral("The field '%1' of table '%2' is missing.").arg(column, tableName),
                                         OpenSource));
        }
        for (const QString& index : table.indexes) {
            if (!indexes.contains(index))
                errors.append(StoreError(code::Schema,
                                         QStringLiteral("The index '%1' of table '%2' is missing.").arg(index, tableName),
                                         OpenSource));
        }
    }
    if (!errors.isEmpty())
        throw OpenFailure(errors);
}

void Database::verifyLength() const
{
    // A file cut short (a broken copy, a full disk) can still show its tables; the pages it
    // promises tell. Pages still in the write-ahead log need not be in the file yet.
    const QString read = m_copy ? m_copy->filePath(CopyName) : m_path;
    if (sideFileHasContent(read, "-wal"))
        return; // checked against the log before opening
    QSqlQuery count = run(QStringLiteral("PRAGMA page_count"));
    const qint64 pages = count.next() ? count.value(0).toLongLong() : 0;
    count.finish();
    QSqlQuery size = run(QStringLiteral("PRAGMA page_size"));
    const qint64 pageSize = size.next() ? size.value(0).toLongLong() : 0;
    size.finish();
    if (QFileInfo(read).size() < pages * pageSize)
        throw OpenFailure({ damagedFile() });
}

std::unique_ptr<Database> Database::connectServer(const QString& url, const QString& source)
{
    const ServerAddress address = ServerAddress::parse(url);
    const Dialect dialect(Engine::PostgreSQL);
    if (!QSqlDatabase::isDriverAvailable(dialect.driver()))
        throw StoreError(code::CantOpen,
            QStringLiteral("GearLog cannot reach a PostgreSQL server: Qt's PostgreSQL driver (the "
                           "package libqt6sql6-psql) is not installed."),
            source);
    const QString name = nextConnectionName();
    std::unique_ptr<Database> database(new Database(url, name, dialect));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(dialect.driver(), name);
        db.setHostName(address.host);
        db.setPort(address.port);
        db.setUserName(address.user);
        db.setDatabaseName(address.database);
        // No password is ever set: the client library reads PGPASSWORD and ~/.pgpass itself.
        db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=GearLog"));
        if (!db.open()) {
            const QString why = db.lastError().databaseText().simplified();
            throw StoreError(code::CantOpen,
                QStringLiteral("The database %1 could not be opened: %2").arg(address.describe(), why),
                dialect.source());
        }
    }
    // Stamps are stored and read as they are written, whatever the server's own time zone.
    database->execute(QStringLiteral("SET TIME ZONE 'UTC'"));
    return database;
}

std::unique_ptr<Database> Database::openServer(const QString& url, const OpenOptions& options)
{
    std::unique_ptr<Database> database;
    try {
        database = connectServer(url, OpenSource);
        database->m_readOnly = options.readOnly;
        if (options.readOnly)
            database->execute(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
        // How long a statement waits for another session's lock, as the busy timeout on a file.
        database->execute(QStringLiteral("SET lock_timeout = %1").arg(options.busyTimeoutMs));
        database->verifySchema();
    } catch (const StoreError& e) {
        throw OpenFailure({ e });
    }
    return database;
}

void Database::refuseGearLogTables() const
{
    QSet<QString> ours { QStringLiteral("gearlog_schema") };
    for (const TableShape& table : requiredShape())
        ours.insert(QString::fromLatin1(table.name).toLower());
    QStringList found;
    QSqlQuery objects = run(m_dialect.objectsQuery());
    while (objects.next()) {
        if (objects.value(0).toString() == QStringLiteral("table")
            && ours.contains(objects.value(1).toString().toLower()))
            found << objects.value(1).toString();
    }
    if (!found.isEmpty()) {
        found.sort();
        throw StoreError(code::Exists,
            QStringLiteral("The database '%1' already holds GearLog tables (%2); it is left as it is.")
                .arg(m_path, found.join(QStringLiteral(", "))),
            QStringLiteral("GearLog database creation"));
    }
}

QString Database::privateCopy()
{
    m_copy = std::make_unique<QTemporaryDir>();
    const QString copy = m_copy->filePath(CopyName);
    bool ok = m_copy->isValid() && QFile::copy(m_path, copy);
    for (const char* side : { "-wal", "-journal" }) {
        if (ok && QFileInfo::exists(m_path + QLatin1String(side)))
            ok = QFile::copy(m_path + QLatin1String(side), copy + QLatin1String(side));
    }
    if (!ok)
        throw OpenFailure({ StoreError(code::CantOpen,
                                       QStringLiteral("The database file '%1' cannot be written, and no copy of it "
                                                      "could be made to read it: %2")
                                           .arg(m_path, QStringLiteral("the temporary folder is full or missing.")),
                                       OpenSource) });
    // The copy may replay the log into itself; the file the user named stays as it is.
    return uriFor(copy, "rw");
}

QSqlQuery Database::prepare(const QString& sql) const
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw StoreError::fromSql(query.lastError(), sql);
    return query;
}

void Database::run(QSqlQuery& query, std::initializer_list<QVariant> values)
{
    int position = 0;
    for (const QVariant& value : values)
        query.bindValue(position++, value);
    statementsRun.fetch_add(1, std::memory_order_relaxed);
    if (!query.exec())
        throw StoreError::fromSql(query.lastError(), query.lastQuery());
}

QSqlQuery Database::run(const QString& sql, std::initializer_list<QVariant> values) const
{
    QSqlQuery query = prepare(sql);
    run(query, values);
    return query;
}

void Database::execute(const QString& sql) const
{
    QSqlQuery query(connection());
    statementsRun.fetch_add(1, std::memory_order_relaxed);
    if (!query.exec(sql))
        throw StoreError::fromSql(query.lastError(), sql);
}

qint64 Database::statementCount()
{
    return statementsRun.load(std::memory_order_relaxed);
}

QString Database::describe() const
{
    if (isServer())
        return ServerAddress::parse(m_path).describe() + QStringLiteral(" (PostgreSQL)");
    return QFileInfo(m_path).absoluteFilePath();
}

QString Database::physicalIndexName(const QString& table, const QString& documentedName)
{
    return table.toLower() + QLatin1Char('_') + documentedName.toLower();
}

QString Database::sameValue(const QString& column) const
{
    return m_dialect.sameValue(column);
}

} // namespace store
