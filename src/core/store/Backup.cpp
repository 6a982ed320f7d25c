#include "store/Backup.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace store {

namespace {

// Copies the database into target through SQLite, reading a snapshot of it. Opened as every
// reader opens it, so that a file we may not write gets nothing left beside it.
bool copyDatabase(const QString& source, const QString& target)
{
    try {
        const auto db = Database::open(source, { .busyTimeoutMs = 10000, .readOnly = true });
        db->run(QStringLiteral("VACUUM INTO ?"), { target });
        return true;
    } catch (const StoreError&) {
        return false;
    } catch (const OpenFailure&) {
        return false;
    }
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
