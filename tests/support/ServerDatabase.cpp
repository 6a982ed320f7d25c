#include "support/ServerDatabase.h"

#include "store/ServerAddress.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace testing {

static QVariant runOn(const QString& url, const QString& sql)
{
    const QString connection = QUuid::createUuid().toString();
    QVariant result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(store::ServerAddress::parse(url).host);
        db.setDatabaseName(store::ServerAddress::parse(url).database);
        QSqlQuery q(db);
        if (!db.open() || !q.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(db.lastError().text() + q.lastError().text()));
        result = q.next() ? q.value(0) : QVariant();
    }
    QSqlDatabase::removeDatabase(connection);
    return result;
}

ServerDatabase::ServerDatabase(const QString& templateName)
    : m_name(QStringLiteral("gearlog_") + QUuid::createUuid().toString(QUuid::Id128))
{
    QFile file(qEnvironmentVariable("GEARLOG_TEST_POSTGRES"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no PostgreSQL server: '%s' (GEARLOG_TEST_POSTGRES) cannot be read; ctest's Postgres fixture "
               "starts one",
            qPrintable(file.fileName()));
    m_server = QString::fromUtf8(file.readAll()).trimmed();
    runOn(m_server,
        QStringLiteral("CREATE DATABASE ") + m_name
            + (templateName.isEmpty() ? QString() : QStringLiteral(" TEMPLATE ") + templateName));
    m_url = QString(m_server).replace(QStringLiteral("/postgres?"), QLatin1Char('/') + m_name + QLatin1Char('?'));
}

ServerDatabase::~ServerDatabase()
{
    runOn(m_server, QStringLiteral("DROP DATABASE ") + m_name + QStringLiteral(" WITH (FORCE)"));
}

QVariant ServerDatabase::value(const QString& sql) const
{
    return runOn(m_url, sql);
}

} // namespace testing
