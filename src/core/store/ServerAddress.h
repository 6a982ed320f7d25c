#pragma once

#include <QString>

namespace store {

// Where a database on a PostgreSQL server is: postgresql://[user@]host[:port]/dbname, or through
// a Unix socket folder, postgresql:///dbname?host=/run/postgresql. Passwords never travel in it:
// the client library finds them itself (PGPASSWORD, ~/.pgpass).
struct ServerAddress
{
    QString user; // empty: the client library's default (PGUSER, else the login name)
    QString host; // a name, an address, or a socket folder (starting with '/'); empty: the default
    int port = -1; // -1: the default
    QString database;

    // True when the text names a server database rather than a file.
    static bool isUrl(const QString& location);
    // Throws StoreError with a plain message when the address cannot be used.
    static ServerAddress parse(const QString& url);
    // For people: "dbname on host" (the socket folder, or the host and port).
    QString describe() const;
};

} // namespace store
