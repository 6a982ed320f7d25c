#include "store/ServerAddress.h"

#include "store/StoreError.h"

#include <QUrl>
#include <QUrlQuery>

namespace store {

namespace {

StoreError badAddress(const QString& url, const QString& why)
{
    return StoreError(code::CantOpen, QStringLiteral("The database address '%1' cannot be used: %2").arg(url, why),
        QStringLiteral("GearLog database address"));
}

} // namespace

bool ServerAddress::isUrl(const QString& location)
{
    return location.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive)
        || location.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
}

ServerAddress ServerAddress::parse(const QString& url)
{
    const QUrl parsed(url, QUrl::StrictMode);
    if (!isUrl(url) || !parsed.isValid())
        throw badAddress(url, QStringLiteral("it is not of the form postgresql://[user@]host[:port]/database."));
    // The address is shown in messages and may be kept in settings: a password has no place in it.
    if (!parsed.password().isEmpty())
        throw badAddress(url,
            QStringLiteral("it holds a password. Give the password in PGPASSWORD or ~/.pgpass "
                           "instead."));
    if (parsed.hasFragment())
        throw badAddress(url, QStringLiteral("it ends with a '#' part."));

    ServerAddress address;
    address.user = parsed.userName(QUrl::FullyDecoded);
    address.host = parsed.host(QUrl::FullyDecoded);
    address.port = parsed.port(-1);
    address.database = parsed.path(QUrl::FullyDecoded).mid(1);
    if (address.database.isEmpty() || address.database.contains(QLatin1Char('/')))
        throw badAddress(url, QStringLiteral("it names no database (postgresql://host/database)."));
    const QUrlQuery query(parsed);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key != QStringLiteral("host"))
            throw badAddress(url, QStringLiteral("the setting '%1' is not understood; only host= is.").arg(key));
        if (!address.host.isEmpty())
            throw badAddress(url, QStringLiteral("it names the host twice."));
        address.host = value;
    }
    return address;
}

QString ServerAddress::describe() const
{
    QString where = host.isEmpty() ? QStringLiteral("the local server") : host;
    if (port >= 0)
        where += QStringLiteral(":%1").arg(port);
    return QStringLiteral("%1 on %2").arg(database, where);
}

} // namespace store
