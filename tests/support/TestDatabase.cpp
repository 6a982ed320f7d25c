#include "support/TestDatabase.h"

#include "store/Database.h"
#include "store/SampleProject.h"
#include "store/Store.h"
#include "support/ServerDatabase.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace testing {

bool onServer()
{
    static const bool server = [] {
        const QString engine = qEnvironmentVariable("GEARLOG_TEST_ENGINE");
        if (!engine.isEmpty() && engine != QStringLiteral("postgresql") && engine != QStringLiteral("sqlite"))
            qFatal("GEARLOG_TEST_ENGINE is '%s': sqlite or postgresql", qPrintable(engine));
        return engine == QStringLiteral("postgresql");
    }();
    return server;
}

TestDatabase::TestDatabase() = default;
TestDatabase::~TestDatabase() = default;

QString TestDatabase::serverCopy(const QString& name, bool sample)
{
    // Made once per test executable and copied by the server for every test; they go with the
    // run's server, so they are never dropped.
    static QTemporaryDir pictures;
    static const auto* sampleTemplate = [] {
        auto* made = new ServerDatabase;
        store::createSampleDatabase(made->url(), pictures.path());
        return made;
    }();
    static const auto* emptyTemplate = [] {
        auto* made = new ServerDatabase;
        store::Database::create(made->url());
        return made;
    }();
    m_server.erase(name);
    auto copy = std::make_unique<ServerDatabase>(sample ? sampleTemplate->name() : emptyTemplate->name());
    const QString url = copy->url();
    m_server.emplace(name, std::move(copy));
    return url;
}

QString TestDatabase::copySample(const QString& name)
{
    if (onServer())
        return serverCopy(name, true);
    // The sample database is drawn once per test executable; every test gets its own copy.
    static QTemporaryDir masterDir;
    static const QString master = [] {
        const QString p = masterDir.filePath(QStringLiteral("Master.mdb"));
        store::createSampleDatabase(p);
        return p;
    }();
    const QString target = path(name);
    QFile::remove(target);
    if (!QFile::copy(master, target))
        qFatal("could not copy the sample database");
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QString TestDatabase::createEmpty(const QString& name)
{
    if (onServer())
        return serverCopy(name, false);
    const QString target = path(name);
    QFile::remove(target);
    store::Database::create(target);
    return target;
}

QStringList refusal(const QString& event, const QString& table, const QString& message, const QString& condition)
{
    if (!onServer()) {
        return { QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %2 ON %1 %3 BEGIN SELECT RAISE(ABORT, '%4'); END")
                     .arg(table, event, condition.isEmpty() ? QString() : QStringLiteral("WHEN ") + condition,
                         message) };
    }
    return { QStringLiteral("CREATE OR REPLACE FUNCTION refuse_%1() RETURNS trigger LANGUAGE plpgsql AS "
                            "$$ BEGIN RAISE EXCEPTION '%2'; END $$")
                 .arg(table, message),
        QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %2 ON %1 FOR EACH ROW %3 EXECUTE FUNCTION refuse_%1()")
            .arg(table, event, condition.isEmpty() ? QString() : QStringLiteral("WHEN (") + condition + u')') };
}

QStringList lifted(const QString& table)
{
    return { onServer() ? QStringLiteral("DROP TRIGGER IF EXISTS refuse_%1 ON %1").arg(table)
                        : QStringLiteral("DROP TRIGGER IF EXISTS refuse_%1").arg(table) };
}

void refuseWrites(const store::Database& db, const QString& event, const QString& table, const QString& message,
    const QString& condition)
{
    for (const QString& sql : refusal(event, table, message, condition))
        db.execute(sql);
}

void allowWrites(const store::Database& db, const QString& table)
{
    for (const QString& sql : lifted(table))
        db.execute(sql);
}

QStringList dumpRows(const store::Database& db)
{
    QStringList rows;
    for (const char* table : { "Car", "Assembly", "Component", "Phase", "Activity", "Supplier" }) {
        QSqlQuery q = db.run(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)));
        while (q.next()) {
            QString row = QLatin1String(table);
            for (int i = 0; i < q.record().count(); ++i)
                row += u'|' + q.value(i).toString() + u':' + QLatin1String(q.value(i).typeName());
            rows << row;
        }
    }
    return rows;
}

QStringList records(const QString& location)
{
    const auto db = store::Database::open(location);
    const store::Store s(*db);
    QStringList out;
    auto add = [&out](const auto& rows) {
        for (const auto& row : rows) {
            store::RowWriter w;
            row.write(w);
            out << QString::number(row.key());
            for (const QVariant& v : w.values())
                out.last() += u'|' + (v.isNull() ? QStringLiteral("<null>") : v.toString());
        }
    };
    using store::Order;
    add(s.cars.all(Order::Key)), add(s.assemblies.all(Order::Key)), add(s.components.all(Order::Key));
    add(s.phases.all(Order::Key)), add(s.activities.all(Order::Key)), add(s.suppliers.all(Order::Key));
    return out;
}

QVariant firstValue(const store::Database& db, const QString& sql)
{
    QSqlQuery q = db.run(sql);
    return q.next() ? q.value(0) : QVariant();
}

} // namespace testing
