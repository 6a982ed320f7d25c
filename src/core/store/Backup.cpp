#include "store/Backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace store {

namespace {

QString connectionName()
{
    // Unique without a counter shared by every caller.
    return QStringLiteral("gearlog-backup-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
}

// Copies the database into target through SQLite, reading a snapshot of it.
bool copyDatabase(const QString& source, const QString& target)
{
    const QString name = connectionName();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=10000"));
        db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(source).absoluteFilePath()).toString(QUrl::FullyEncoded)
                           + QStringLiteral("?mode=ro"));
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.prepare(QStringLiteral("VACUUM INTO ?"));
            q.bindValue(0, target);
            ok = ok && q.exec();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

QString backupDaily(const QString& databasePath, const QDate& today, int keep)
{
    const QFileInfo database(databasePath);
    QDir folder(database.absoluteDir().filePath(QStringLiteral("backups")));
    if (!folder.exists() && !QDir(database.absolutePath()).mkpath(QStringLiteral("backups")))
        return QString();
    const QString stem = database.completeBaseName() + QLatin1Char('-');
    const QString suffix = QLatin1Char('.') + database.suffix();
    const QString name = stem + today.toString(Qt::ISODate) + suffix;
    if (folder.exists(name))
        return QString();

    // Written under a working name first: a copy cut short never looks like a backup.
    const QString working = folder.filePath(name + QStringLiteral(".part"));
    QFile::remove(working);
    if (!copyDatabase(databasePath, working) || !QFile::rename(working, folder.filePath(name))) {
        QFile::remove(working);
        return QString();
    }

    // The names sort by date: keep the newest.
    QStringList backups = folder.entryList({ stem + QStringLiteral("\?\?\?\?-\?\?-\?\?") + suffix }, QDir::Files,
                                           QDir::Name);
    while (backups.size() > keep)
        QFile::remove(folder.filePath(backups.takeFirst()));
    return folder.filePath(name);
}

} // namespace store
