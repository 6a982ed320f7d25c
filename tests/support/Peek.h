#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace testing {

// The database file (or server database) read and changed through a connection of its own, as another
// program would.
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
    // The first column of every row, as text.
    QStringList column(const QString& sql, const QVariantList& binds = {}) const;
    // Runs a statement as it is, unprepared (a server prepares no schema statements).
    void exec(const QString& sql) const;
    // Makes the engine refuse writes to the table (see testing::refusal), and lifts that again.
    void refuseWrites(const QString& event, const QString& table,
        const QString& message = QStringLiteral("disk is full"), const QString& condition = {}) const;
    void allowWrites(const QString& table) const;
    // Holds every table against writers, as another program in a long transaction; ROLLBACK lets go.
    void holdWrites() const;

private:
    QString m_connection;
};

// The texts of the boxes the dialog seam has shown since it was last reset.
QStringList boxTexts();
// What a file holds; empty when it cannot be read.
QByteArray contents(const QString& path);

} // namespace testing
