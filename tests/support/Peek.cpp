#include "support/Peek.h"

#include "gui/Dialogs.h"
#include "store/ServerAddress.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace testing {

Peek::Peek(const QString& path)
{
    static int connections = 0;
    m_connection = QStringLiteral("peek-%1").arg(++connections);
    QSqlDatabase db;
    if (store::ServerAddress::isUrl(path)) {
        const store::ServerAddress server = store::ServerAddress::parse(path);
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        db.setHostName(server.host);
        db.setDatabaseName(server.database);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(path);
    }
    if (!db.open())
        qFatal("could not open %s", qPrintable(path));
}

Peek::~Peek()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

static QSqlQuery runOn(const QString& connection, const QString& sql, const QVariantList& binds)
{
    QSqlQuery q(QSqlDatabase::database(connection, false));
    if (!q.prepare(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds.at(i));
    if (!q.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return q;
}

QVariant Peek::value(const QString& sql, const QVariantList& binds) const
{
    QSqlQuery q = runOn(m_connection, sql, binds);
    return q.next() ? q.value(0) : QVariant();
}

QStringList Peek::column(const QString& sql, const QVariantList& binds) const
{
    QSqlQuery q = runOn(m_connection, sql, binds);
    QStringList values;
    while (q.next())
        values << q.value(0).toString();
    return values;
}

void Peek::exec(const QString& sql) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

void Peek::refuseWrites(
    const QString& event, const QString& table, const QString& message, const QString& condition) const
{
    for (const QString& sql : refusal(event, table, message, condition))
        exec(sql);
}

void Peek::allowWrites(const QString& table) const
{
    for (const QString& sql : lifted(table))
        exec(sql);
}

void Peek::holdWrites() const
{
    if (!onServer()) {
        exec(QStringLiteral("BEGIN EXCLUSIVE"));
        return;
    }
    exec(QStringLiteral("BEGIN"));
    exec(QStringLiteral("LOCK TABLE Car, Assembly, Component, Phase, Activity, Supplier IN EXCLUSIVE MODE"));
}

QStringList boxTexts()
{
    QStringList texts;
    for (const gui::ShownBox& b : gui::DialogSeam::shownBoxes())
        texts << b.text;
    return texts;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace testing
