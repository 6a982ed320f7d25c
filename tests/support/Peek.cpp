#include "support/Peek.h"

#include "gui/Dialogs.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace testing {

Peek::Peek(const QString& path)
{
    static int connections = 0;
    m_connection = QStringLiteral("peek-%1").arg(++connections);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    if (!db.open())
        qFatal("could not open %s", qPrintable(path));
}

Peek::~Peek()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QVariant Peek::value(const QString& sql, const QVariantList& binds) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(sql);
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds.at(i));
    if (!q.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return q.next() ? q.value(0) : QVariant();
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
