#pragma once

#include <QString>
#include <QVariant>

namespace testing {

// An empty database of its own on the run's PostgreSQL server (the Postgres fixture), dropped
// afterwards. Without the server the test stops with the reason: it is never skipped.
class ServerDatabase
{
public:
    // Empty, or a copy of the template database named.
    explicit ServerDatabase(const QString& templateName = {});
    ~ServerDatabase();
    const QString& url() const { return m_url; }
    const QString& name() const { return m_name; }
    // Runs a statement outside the store, answering the first value.
    QVariant value(const QString& sql) const;

private:
    QString m_name, m_url, m_server;
};

} // namespace testing
