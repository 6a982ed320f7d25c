#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace testing {

// The database file read and changed through a connection of its own, as another program would.
class Peek
{
public:
    explicit Peek(const QString& path);
    ~Peek();
    Peek(const Peek&) = delete;
    Peek& operator=(const Peek&) = delete;

    // The first column of the first row; an invalid value when there is none.
    QVariant value(const QString& sql, const QVariantList& binds = {}) const;
    qint64 count(const QString& sql, const QVariantList& binds = {}) const { return value(sql, binds).toLongLong(); }
    void exec(const QString& sql) const { value(sql); }

private:
    QString m_connection;
};

// The texts of the boxes the dialog seam has shown since it was last reset.
QStringList boxTexts();
// What a file holds; empty when it cannot be read.
QByteArray contents(const QString& path);

} // namespace testing
