#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

namespace store {
class Database;
}

namespace testing {

// A scratch folder per test holding its own database files.
class TestDatabase
{
public:
    // A private copy of the sample database, built once per test run and copied per test.
    QString copySample(const QString& name = QStringLiteral("ShopData.mdb"));
    // A database with the schema and no rows at all.
    QString createEmpty(const QString& name = QStringLiteral("Empty.mdb"));
    QString path(const QString& name) const { return m_dir.filePath(name); }
    const QTemporaryDir& dir() const { return m_dir; }

private:
    QTemporaryDir m_dir;
};

// Every row of every table with the type each value is stored as: equal dumps mean nothing was written.
QStringList dumpRows(const store::Database& db);
// The first value a query answers, read as another program would.
QVariant firstValue(const store::Database& db, const QString& sql);

} // namespace testing
