#include "support/TestDatabase.h"

#include "store/Database.h"
#include "store/SampleProject.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace testing {

QString TestDatabase::copySample(const QString& name)
{
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
    const QString target = path(name);
    QFile::remove(target);
    store::Database::create(target);
    return target;
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

QVariant firstValue(const store::Database& db, const QString& sql)
{
    QSqlQuery q = db.run(sql);
    return q.next() ? q.value(0) : QVariant();
}

} // namespace testing
